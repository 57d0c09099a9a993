#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class ChainesPartagees;
class StylesXlsx;

// Les cellules d'une feuille de classeur, rangées par ligne puis par colonne
// (numérotées à partir de 1), et leur écriture en xl/worksheets/sheetN.xml.
class FeuilleXlsx
{
public:
    enum class Genre : quint8 { Vide, Nombre, Texte };
    // Une cellule telle qu'on la lit.
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
    std::optional<Cellule> cellule(int ligne, int colonne) const;

    // Le XML de xl/worksheets/sheetN.xml, passé à `verser` par morceaux
    // (qui vide le tampon) ; faux dès que `verser` échoue. active : l'onglet
    // choisi à l'ouverture du classeur.
    bool ecrire(const std::function<bool(QByteArray&)>& verser, ChainesPartagees& chaines, StylesXlsx& styles,
                bool active = false) const;

private:
    // Une cellule rangée en 16 octets : textes et formats sont dans leurs
    // tables, une feuille de cent ans de mesures tient en quelques mégaoctets.
    struct Case
    {
        double nombre = 0;
        quint32 texte = 0;   // rang dans m_textes
        quint16 format = 0;  // 0 : format ordinaire ; sinon rang + 1 dans m_formats
        Genre genre = Genre::Vide;
    };
    // Ligne puis colonne : l'ordre des clés est celui de l'écriture.
    static quint64 cle(int ligne, int colonne) { return (quint64(ligne) << 32) | quint32(colonne); }
    static int ligneDe(quint64 cle) { return int(cle >> 32); }
    static int colonneDe(quint64 cle) { return int(cle & 0xffffffffu); }

    void ecrireDimension(QByteArray& octets) const;
    bool ecrireLignes(QByteArray& octets, const std::function<bool(QByteArray&)>& verser, ChainesPartagees& chaines,
                      StylesXlsx& styles) const;
    void ecrireCellule(QByteArray& octets, quint64 position, const Case& c, ChainesPartagees& chaines,
                       std::vector<int>& stylesDesFormats, StylesXlsx& styles) const;

    QString m_nom;
    std::map<quint64, Case> m_cellules;
    QStringList m_textes;
    QStringList m_formats;
    std::map<int, double> m_largeurs;
};
