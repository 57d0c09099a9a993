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

// Ce que la feuille garde de XML avant de le passer à l'archive.
constexpr qsizetype kMorceau = 64 * 1024;

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
    Case& c = m_cellules[cle(ligne, colonne)];
    c.genre = Genre::Nombre;
    c.nombre = valeur;
    return true;
}

bool FeuilleXlsx::definirTexte(int ligne, int colonne, const QString& texte)
{
    if (!positionValide(ligne, colonne))
        return false;
    Case& c = m_cellules[cle(ligne, colonne)];
    c.genre = Genre::Texte;
    c.texte = quint32(m_textes.size());
    m_textes.append(NettoyerTexteCellule(texte));
    return true;
}

bool FeuilleXlsx::vider(int ligne, int colonne)
{
    if (!positionValide(ligne, colonne))
        return false;
    const auto it = m_cellules.find(cle(ligne, colonne));
    if (it == m_cellules.end())
        return true;
    if (it->second.format == 0)
        m_cellules.erase(it);
    else
        it->second.genre = Genre::Vide;
    return true;
}

bool FeuilleXlsx::definirFormat(int ligne, int colonne, const QString& format)
{
    if (!positionValide(ligne, colonne))
        return false;
    quint16 rang = 0;
    if (!format.isEmpty()) {
        qsizetype i = m_formats.indexOf(format);
        if (i < 0) {
            if (m_formats.size() >= 0xfffe)
                return false;
            i = m_formats.size();
            m_formats.append(format);
        }
        rang = quint16(i + 1);
    }
    m_cellules[cle(ligne, colonne)].format = rang;
    return true;
}

std::optional<FeuilleXlsx::Cellule> FeuilleXlsx::cellule(int ligne, int colonne) const
{
    const auto it = m_cellules.find(cle(ligne, colonne));
    if (it == m_cellules.end())
        return std::nullopt;
    const Case& c = it->second;
    Cellule lue;
    lue.genre = c.genre;
    if (c.genre == Genre::Nombre)
        lue.nombre = c.nombre;
    else if (c.genre == Genre::Texte)
        lue.texte = m_textes.at(c.texte);
    if (c.format != 0)
        lue.format = m_formats.at(c.format - 1);
    return lue;
}

void FeuilleXlsx::ecrireDimension(QByteArray& octets) const
{
    int l1 = 1, c1 = 1, l2 = 1, c2 = 1;
    if (!m_cellules.empty()) {
        l1 = ligneDe(m_cellules.begin()->first);
        l2 = ligneDe(m_cellules.rbegin()->first);
        c1 = kColonnesMax;
        c2 = 1;
        for (const auto& [position, c] : m_cellules) {
            c1 = qMin(c1, colonneDe(position));
            c2 = qMax(c2, colonneDe(position));
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

// Le style de chaque format n'est cherché qu'une fois par écriture.
void FeuilleXlsx::ecrireCellule(QByteArray& octets, quint64 position, const Case& c, ChainesPartagees& chaines,
                                std::vector<int>& stylesDesFormats, StylesXlsx& styles) const
{
    octets += "<c r=\"";
    AjouterReference(octets, ligneDe(position), colonneDe(position));
    octets += '"';
    if (c.format != 0) {
        int& style = stylesDesFormats[c.format - 1];
        if (style < 0)
            style = styles.style(m_formats.at(c.format - 1));
        if (style != 0) {
            octets += " s=\"";
            AjouterEntier(octets, style);
            octets += '"';
        }
    }
    if (c.genre == Genre::Texte) {
        octets += " t=\"s\"><v>";
        AjouterEntier(octets, chaines.indice(m_textes.at(c.texte)));
        octets += "</v></c>";
    } else if (c.genre == Genre::Nombre) {
        octets += "><v>";
        AjouterNombre(octets, c.nombre);
        octets += "</v></c>";
    } else {
        octets += "/>";
    }
}

bool FeuilleXlsx::ecrireLignes(QByteArray& octets, const std::function<bool(QByteArray&)>& verser,
                               ChainesPartagees& chaines, StylesXlsx& styles) const
{
    std::vector<int> stylesDesFormats(size_t(m_formats.size()), -1);
    int ligneOuverte = 0;
    for (const auto& [position, c] : m_cellules) {
        if (ligneDe(position) != ligneOuverte) {
            if (ligneOuverte != 0)
                octets += "</row>";
            // Entre deux lignes, le tampon part à l'archive dès qu'il est plein.
            if (octets.size() >= kMorceau && !verser(octets))
                return false;
            ligneOuverte = ligneDe(position);
            octets += "<row r=\"";
            AjouterEntier(octets, ligneOuverte);
            octets += "\">";
        }
        ecrireCellule(octets, position, c, chaines, stylesDesFormats, styles);
    }
    if (ligneOuverte != 0)
        octets += "</row>";
    return true;
}

bool FeuilleXlsx::definirLargeur(int colonne, double largeur)
{
    if (!positionValide(1, colonne) || !(largeur >= 0 && largeur <= 255))
        return false;
    m_largeurs[colonne] = largeur;
    return true;
}

bool FeuilleXlsx::ecrire(const std::function<bool(QByteArray&)>& verser, ChainesPartagees& chaines,
                         StylesXlsx& styles, bool active) const
{
    QByteArray octets;
    octets.reserve(kMorceau + 4096);
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
    if (!ecrireLignes(octets, verser, chaines, styles))
        return false;
    octets += "</sheetData></worksheet>";
    return verser(octets);
}
