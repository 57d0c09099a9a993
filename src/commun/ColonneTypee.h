#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>
#include <optional>
#include <string>
#include <vector>

// Une colonne du résultat d'un SELECT sous la plus petite forme qui rend
// exactement ses cellules : entiers, réels, jours (numéros juliens), heures du
// jour (millisecondes) ou textes
// sur 8 octets par ligne, ou sur un seul tant que la colonne a peu de valeurs
// distinctes (heures, codes, continuités). Une valeur d'un autre genre que les
// précédentes fait passer toute la colonne en cellules, qui restent exactes.
class ColonneTypee
{
public:
    enum class Genre : quint8 { Vide, Entier, Reel, Jour, Heure, Texte, Cellules };

    void reserver(qsizetype lignes);
    void ajouterNul();
    void ajouterEntier(qint64 valeur);
    void ajouterReel(double valeur);
    void ajouterJour(qint64 jourJulien);
    void ajouterHeure(int msJour);
    void ajouterTexte(QStringView texte);
    void ajouterTexteUtf8(const char* texte, qsizetype octets);
    // Une cellule de toute forme (NULL invalide, nombre, QDate, texte…).
    void ajouter(const QVariant& cellule);
    // La ligne `i` d'une autre colonne, sans passer par une cellule.
    void ajouterDepuis(const ColonneTypee& source, qsizetype i);

    qsizetype taille() const { return m_taille; }
    Genre genre() const { return m_genre; }
    bool estNul(qsizetype i) const;
    // Vide comme une cellule : NULL ou texte vide.
    bool estVide(qsizetype i) const;
    QVariant cellule(qsizetype i) const;

    // Lectures sans cellule, chacune pour son genre.
    double reel(qsizetype i) const;
    qint64 jour(qsizetype i) const;
    int heure(qsizetype i) const;
    QStringView texte(qsizetype i) const;
    // Le texte de la cellule (TexteCellule) : sans copie pour une colonne de
    // textes, sinon écrit dans `tampon`.
    QStringView texteCellule(qsizetype i, QString& tampon) const;
    // Le nombre de la cellule (LireNombre) : direct pour les entiers et les réels.
    std::optional<double> nombre(qsizetype i) const;
    // Les lignes de même valeur ont le même mot (rang de texte, bits du nombre) :
    // un lecteur y garde ce qu'il a déjà converti.
    quint64 mot(qsizetype i) const;

    std::size_t octets() const;

private:
    static constexpr quint8 codeNul = 0xFF;
    static constexpr std::size_t distinctsMax = 128;

    // Le genre d'une nouvelle valeur ; faux quand la colonne passe en cellules.
    bool accepter(Genre genre);
    void ajouterMot(quint64 mot);
    // Le rang d'un mot parmi les distincts, -1 s'il n'y est pas.
    int chercher(quint64 mot, QStringView texte) const;
    void passerEnLarge();
    void passerEnCellules();
    QVariant celluleDe(quint64 mot) const;

    Genre m_genre = Genre::Vide;
    qsizetype m_taille = 0;
    qsizetype m_reserve = 0;
    bool m_large = false;
    std::vector<quint8> m_codes;      // une ligne, un rang parmi m_distincts
    std::vector<quint64> m_distincts;
    std::vector<quint64> m_mots;      // une ligne, un mot, une fois la colonne large
    std::vector<quint8> m_nuls;       // une fois large, et dès le premier NULL
    std::u16string m_textes;          // les textes, bout à bout
    QList<QVariant> m_cellules;
    mutable quint8 m_dernier = 0;
};
