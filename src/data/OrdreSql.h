#pragma once

#include "data/NomVerifie.h"

#include <QString>
#include <cstddef>

// Le texte d'un ordre SQL tel que le système le construit. Il ne s'écrit
// qu'avec des morceaux sûrs : le texte écrit dans le code, des noms vérifiés,
// des nombres, et les littéraux de dates et d'heures faits à partir de leur
// valeur (data/Litteraux.h). Un texte venu d'ailleurs (l'utilisateur, un
// fichier, la base) ne s'y colle pas : il n'y a pas de conversion depuis
// QString, seulement `sansVerification`, pour un ordre complet que le système
// n'a pas construit (un journal rejoué, les tests, la console).
class OrdreSql
{
public:
    OrdreSql() = default;
    template <std::size_t N>
    OrdreSql(const char (&texte)[N])
        : m_texte(QString::fromUtf8(texte, N - 1))
    {
    }
    OrdreSql(const NomVerifie& nom)
        : m_texte(nom.texte())
    {
    }

    // Les nombres s'écrivent avec le point décimal, quelle que soit la langue.
    static OrdreSql entier(qint64 valeur);
    static OrdreSql reel(double valeur);
    static OrdreSql sansVerification(const QString& texte);

    const QString& texte() const { return m_texte; }
    bool estVide() const { return m_texte.isEmpty(); }

    OrdreSql& operator+=(const OrdreSql& suite);
    bool operator==(const OrdreSql& autre) const = default;

private:
    explicit OrdreSql(QString texte, int)
        : m_texte(std::move(texte))
    {
    }

    QString m_texte;
};

OrdreSql operator+(OrdreSql debut, const OrdreSql& suite);
