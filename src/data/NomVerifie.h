#pragma once

#include <QString>
#include <cstddef>
#include <optional>

// Un nom qui entre dans le texte d'un ordre (table, colonne, code de station) :
// lettres (a-z, A-Z), chiffres, "_", et "-" entre deux lettres ou chiffres,
// 40 caractères au plus. Un nom venu
// de l'utilisateur ou de la base ne devient un NomVerifie qu'en passant par
// `depuis` ou `table`, qui refusent tout le reste.
class NomVerifie
{
public:
    static std::optional<NomVerifie> depuis(const QString& nom);
    // La table d'une station, préfixe + code ("PLUVIO_", "PZ_", "HYDRO_",
    // "COURBE_REF_PLUVIO_") ; le préfixe compte dans la longueur.
    static std::optional<NomVerifie> table(const QString& prefixe, const QString& code);

    // Un nom écrit dans le code lui-même.
    template <std::size_t N>
    NomVerifie(const char (&nom)[N])
        : NomVerifie(QString::fromLatin1(nom, N - 1), Constante{})
    {
    }

    const QString& texte() const { return m_texte; }
    bool operator==(const NomVerifie& autre) const = default;

private:
    struct Constante {};
    NomVerifie(QString nom, Constante);
    explicit NomVerifie(QString nom);

    QString m_texte;
};

bool EstNomVerifie(const QString& nom);

// Le texte du refus, pour la dernière erreur de la base et les messages.
QString MessageNomRefuse(const QString& nom);
// Le refus d'un code de station donné par l'utilisateur, sans point final
// (`barreOblique` : les codes de la banque du sous-sol, dont le « / » devient « _ »).
QString MessageCodeRefuse(const QString& code, bool barreOblique = false);
