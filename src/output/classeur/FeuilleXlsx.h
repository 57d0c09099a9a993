#pragma once

#include <QByteArray>
#include <QString>
#include <map>
#include <utility>

class ChainesPartagees;
class StylesXlsx;

// Les cellules d'une feuille de classeur, rangées par ligne puis par colonne
// (numérotées à partir de 1), et leur écriture en xl/worksheets/sheetN.xml.
class FeuilleXlsx
{
public:
    enum class Genre { Vide, Nombre, Texte };
    struct Cellule
    {
        Genre genre = Genre::Vide;
        double nombre = 0;
        QString texte;
        QString format;  // format de nombre ; vide pour le format ordinaire
    };

    explicit FeuilleXlsx(const QString& nom) : m_nom(nom) {}
    const QString& nom() const { return m_nom; }

    static bool positionValide(int ligne, int colonne);
    // Les écritures hors des limites du tableur sont ignorées et rendent faux.
    bool definirNombre(int ligne, int colonne, double valeur);
    // Le texte est nettoyé et coupé par NettoyerTexteCellule.
    bool definirTexte(int ligne, int colonne, const QString& texte);
    // Vide le contenu, le format reste.
    bool vider(int ligne, int colonne);
    bool definirFormat(int ligne, int colonne, const QString& format);
    // Largeur d'une colonne en caractères (0 à 255, la borne du tableur) ; faux hors limites.
    bool definirLargeur(int colonne, double largeur);
    // Rien pour une cellule jamais écrite.
    const Cellule* cellule(int ligne, int colonne) const;

    // active : l'onglet choisi à l'ouverture du classeur.
    QByteArray xml(ChainesPartagees& chaines, StylesXlsx& styles, bool active = false) const;

private:
    void ecrireDimension(QByteArray& octets) const;
    void ecrireLignes(QByteArray& octets, ChainesPartagees& chaines, StylesXlsx& styles) const;

    QString m_nom;
    std::map<std::pair<int, int>, Cellule> m_cellules;
    std::map<int, double> m_largeurs;
};
