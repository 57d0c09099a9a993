#include "output/classeur/FeuilleXlsx.h"

#include "output/classeur/ChainesPartagees.h"
#include "output/classeur/StylesXlsx.h"
#include "output/classeur/TexteXlsx.h"

#include <charconv>
#include <cmath>

// La feuille s'écrit à la main dans un tampon d'octets : c'est la partie qui
// grossit avec les données, et un écrivain XML générique y passerait le plus
// clair du temps d'enregistrement. Rien n'y demande d'échappement : des
// références, des nombres, des rangs de textes partagés.

namespace {

void AjouterEntier(QByteArray& octets, qint64 n)
{
    char tampon[24];
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, n).ptr;
    octets.append(tampon, fin - tampon);
}

// Même texte que TexteNombreXml : le plus court qui se relit à l'identique.
void AjouterNombre(QByteArray& octets, double valeur)
{
    char tampon[32];
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, valeur).ptr;
    octets.append(tampon, fin - tampon);
}

void AjouterReference(QByteArray& octets, int ligne, int colonne)
{
    char lettres[4];
    int n = 0;
    for (; colonne > 0; colonne = (colonne - 1) / 26)
        lettres[n++] = char('A' + (colonne - 1) % 26);
    while (n > 0)
        octets.append(lettres[--n]);
    AjouterEntier(octets, ligne);
}

// Le rang du style d'une cellule ; le dernier format est retrouvé sans
// recherche, une colonne de dates portant le même d'une ligne à l'autre.
struct DernierStyle
{
    QString format;
    int style = 0;
};

int Style(StylesXlsx& styles, DernierStyle& dernier, const QString& format)
{
    if (format.isEmpty())
        return 0;
    if (format != dernier.format)
        dernier = {format, styles.style(format)};
    return dernier.style;
}

void EcrireCellule(QByteArray& octets, int ligne, int colonne, const FeuilleXlsx::Cellule& c,
                   ChainesPartagees& chaines, StylesXlsx& styles, DernierStyle& dernier)
{
    octets += "<c r=\"";
    AjouterReference(octets, ligne, colonne);
    octets += '"';
    if (const int style = Style(styles, dernier, c.format); style != 0) {
        octets += " s=\"";
        AjouterEntier(octets, style);
        octets += '"';
    }
    if (c.genre == FeuilleXlsx::Genre::Texte) {
        octets += " t=\"s\"><v>";
        AjouterEntier(octets, chaines.indice(c.texte));
        octets += "</v></c>";
    } else if (c.genre == FeuilleXlsx::Genre::Nombre) {
        octets += "><v>";
        AjouterNombre(octets, c.nombre);
        octets += "</v></c>";
    } else {
        octets += "/>";
    }
}

} // namespace

bool FeuilleXlsx::positionValide(int ligne, int colonne)
{
    return ligne >= 1 && ligne <= kLignesMax && colonne >= 1 && colonne <= kColonnesMax;
}

bool FeuilleXlsx::definirNombre(int ligne, int colonne, double valeur)
{
    // Le format n'a ni infini ni « pas un nombre ».
    if (!positionValide(ligne, colonne) || !std::isfinite(valeur))
        return false;
    Cellule& c = m_cellules[{ligne, colonne}];
    c.genre = Genre::Nombre;
    c.nombre = valeur;
    c.texte.clear();
    return true;
}

bool FeuilleXlsx::definirTexte(int ligne, int colonne, const QString& texte)
{
    if (!positionValide(ligne, colonne))
        return false;
    Cellule& c = m_cellules[{ligne, colonne}];
    c.genre = Genre::Texte;
    c.texte = NettoyerTexteCellule(texte);
    return true;
}

bool FeuilleXlsx::vider(int ligne, int colonne)
{
    if (!positionValide(ligne, colonne))
        return false;
    const auto it = m_cellules.find({ligne, colonne});
    if (it == m_cellules.end())
        return true;
    if (it->second.format.isEmpty()) {
        m_cellules.erase(it);
        return true;
    }
    it->second.genre = Genre::Vide;
    it->second.texte.clear();
    return true;
}

bool FeuilleXlsx::definirFormat(int ligne, int colonne, const QString& format)
{
    if (!positionValide(ligne, colonne))
        return false;
    m_cellules[{ligne, colonne}].format = format;
    return true;
}

const FeuilleXlsx::Cellule* FeuilleXlsx::cellule(int ligne, int colonne) const
{
    const auto it = m_cellules.find({ligne, colonne});
    return it == m_cellules.end() ? nullptr : &it->second;
}

void FeuilleXlsx::ecrireDimension(QByteArray& octets) const
{
    int l1 = 1, c1 = 1, l2 = 1, c2 = 1;
    if (!m_cellules.empty()) {
        l1 = m_cellules.begin()->first.first;
        l2 = m_cellules.rbegin()->first.first;
        c1 = kColonnesMax;
        c2 = 1;
        for (const auto& [position, cellule] : m_cellules) {
            c1 = qMin(c1, position.second);
            c2 = qMax(c2, position.second);
        }
    }
    octets += "<dimension ref=\"";
    AjouterReference(octets, l1, c1);
    if (l1 != l2 || c1 != c2) {
        octets += ':';
        AjouterReference(octets, l2, c2);
    }
    octets += "\"/>";
}

void FeuilleXlsx::ecrireLignes(QByteArray& octets, ChainesPartagees& chaines, StylesXlsx& styles) const
{
    DernierStyle dernier;
    int ligneOuverte = 0;
    for (const auto& [position, cellule] : m_cellules) {
        if (position.first != ligneOuverte) {
            if (ligneOuverte != 0)
                octets += "</row>";
            ligneOuverte = position.first;
            octets += "<row r=\"";
            AjouterEntier(octets, ligneOuverte);
            octets += "\">";
        }
        EcrireCellule(octets, position.first, position.second, cellule, chaines, styles, dernier);
    }
    if (ligneOuverte != 0)
        octets += "</row>";
}

bool FeuilleXlsx::definirLargeur(int colonne, double largeur)
{
    if (!positionValide(1, colonne) || !(largeur >= 0 && largeur <= 255))
        return false;
    m_largeurs[colonne] = largeur;
    return true;
}

QByteArray FeuilleXlsx::xml(ChainesPartagees& chaines, StylesXlsx& styles, bool active) const
{
    QByteArray octets;
    // Une quarantaine d'octets par cellule.
    octets.reserve(qsizetype(m_cellules.size()) * 48 + 1024);
    octets += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
              "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\""
              " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">";
    ecrireDimension(octets);
    octets += active ? "<sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"/></sheetViews>"
                     : "<sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>";
    if (!m_largeurs.empty()) {
        octets += "<cols>";
        for (const auto& [colonne, largeur] : m_largeurs)
            octets += QStringLiteral("<col min=\"%1\" max=\"%1\" width=\"%2\" customWidth=\"1\"/>")
                          .arg(colonne)
                          .arg(TexteNombreXml(largeur))
                          .toLatin1();
        octets += "</cols>";
    }
    octets += "<sheetData>";
    ecrireLignes(octets, chaines, styles);
    octets += "</sheetData></worksheet>";
    return octets;
}
