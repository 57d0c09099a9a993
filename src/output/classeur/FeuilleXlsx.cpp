#include "output/classeur/FeuilleXlsx.h"

#include "output/classeur/ChainesPartagees.h"
#include "output/classeur/StylesXlsx.h"
#include "output/classeur/TexteXlsx.h"

#include <QXmlStreamWriter>
#include <cmath>

namespace {

void EcrireCellule(QXmlStreamWriter& x, int ligne, int colonne, const FeuilleXlsx::Cellule& c,
                   ChainesPartagees& chaines, StylesXlsx& styles)
{
    const int style = styles.style(c.format);
    x.writeStartElement(QStringLiteral("c"));
    x.writeAttribute(QStringLiteral("r"), ReferenceCellule(ligne, colonne));
    if (style != 0)
        x.writeAttribute(QStringLiteral("s"), QString::number(style));
    if (c.genre == FeuilleXlsx::Genre::Texte) {
        x.writeAttribute(QStringLiteral("t"), QStringLiteral("s"));
        x.writeTextElement(QStringLiteral("v"), QString::number(chaines.indice(c.texte)));
    } else if (c.genre == FeuilleXlsx::Genre::Nombre) {
        x.writeTextElement(QStringLiteral("v"), TexteNombreXml(c.nombre));
    }
    x.writeEndElement();
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

void FeuilleXlsx::ecrireDimension(QXmlStreamWriter& x) const
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
    QString ref = ReferenceCellule(l1, c1);
    if (l1 != l2 || c1 != c2)
        ref += u':' + ReferenceCellule(l2, c2);
    x.writeEmptyElement(QStringLiteral("dimension"));
    x.writeAttribute(QStringLiteral("ref"), ref);
}

void FeuilleXlsx::ecrireLignes(QXmlStreamWriter& x, ChainesPartagees& chaines, StylesXlsx& styles) const
{
    int ligneOuverte = 0;
    for (const auto& [position, cellule] : m_cellules) {
        if (position.first != ligneOuverte) {
            if (ligneOuverte != 0)
                x.writeEndElement();
            ligneOuverte = position.first;
            x.writeStartElement(QStringLiteral("row"));
            x.writeAttribute(QStringLiteral("r"), QString::number(ligneOuverte));
        }
        EcrireCellule(x, position.first, position.second, cellule, chaines, styles);
    }
    if (ligneOuverte != 0)
        x.writeEndElement();
}

QByteArray FeuilleXlsx::xml(ChainesPartagees& chaines, StylesXlsx& styles, bool active) const
{
    QByteArray octets;
    QXmlStreamWriter x(&octets);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    x.writeStartElement(QStringLiteral("worksheet"));
    x.writeDefaultNamespace(QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main"));
    x.writeNamespace(QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships"),
                     QStringLiteral("r"));
    ecrireDimension(x);
    x.writeStartElement(QStringLiteral("sheetViews"));
    x.writeEmptyElement(QStringLiteral("sheetView"));
    if (active)
        x.writeAttribute(QStringLiteral("tabSelected"), QStringLiteral("1"));
    x.writeAttribute(QStringLiteral("workbookViewId"), QStringLiteral("0"));
    x.writeEndElement();
    x.writeStartElement(QStringLiteral("sheetData"));
    ecrireLignes(x, chaines, styles);
    x.writeEndElement();
    x.writeEndDocument();
    return octets;
}
