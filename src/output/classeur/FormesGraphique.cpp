#include "output/classeur/FormesGraphique.h"

#include "output/classeur/DessinXlsx.h"
#include "output/classeur/TexteXlsx.h"

#include <QXmlStreamWriter>

using namespace DessinXlsx;

namespace {

void EcrirePoint(QXmlStreamWriter& x, const QString& nom, double gauche, double haut)
{
    x.writeStartElement(nom);
    x.writeTextElement(QStringLiteral("cdr:x"), TexteNombreXml(qBound(0.0, gauche / GraphiqueXlsx::kLargeur, 1.0)));
    x.writeTextElement(QStringLiteral("cdr:y"), TexteNombreXml(qBound(0.0, haut / GraphiqueXlsx::kHauteur, 1.0)));
    x.writeEndElement();
}

} // namespace

void FormesGraphique::ecrireAncre(QXmlStreamWriter& x, const CadreXlsx& cadre)
{
    const double gauche = cadre.gauche.value_or(0);
    const double haut = cadre.haut.value_or(0);
    EcrirePoint(x, QStringLiteral("cdr:from"), gauche, haut);
    EcrirePoint(x, QStringLiteral("cdr:to"), gauche + qMax(0.0, cadre.largeur.value_or(kLargeurParDefaut)),
                haut + qMax(0.0, cadre.hauteur.value_or(kHauteurParDefaut)));
}

void FormesGraphique::ecrireZone(QXmlStreamWriter& x, const ZoneTexteXlsx& zone, int numero)
{
    x.writeStartElement(QStringLiteral("cdr:relSizeAnchor"));
    ecrireAncre(x, zone.cadre);
    x.writeStartElement(QStringLiteral("cdr:sp"));
    x.writeAttribute(QStringLiteral("macro"), QString());
    x.writeAttribute(QStringLiteral("textlink"), QString());
    x.writeStartElement(QStringLiteral("cdr:nvSpPr"));
    x.writeEmptyElement(QStringLiteral("cdr:cNvPr"));
    x.writeAttribute(QStringLiteral("id"), QString::number(numero + 1));
    x.writeAttribute(QStringLiteral("name"), QStringLiteral("ZoneTexte %1").arg(numero));
    x.writeEmptyElement(QStringLiteral("cdr:cNvSpPr"));
    x.writeAttribute(QStringLiteral("txBox"), QStringLiteral("1"));
    x.writeEndElement();
    x.writeStartElement(QStringLiteral("cdr:spPr"));
    x.writeStartElement(QStringLiteral("a:prstGeom"));
    x.writeAttribute(QStringLiteral("prst"), QStringLiteral("rect"));
    x.writeEmptyElement(QStringLiteral("a:avLst"));
    x.writeEndElement();
    x.writeEmptyElement(QStringLiteral("a:noFill"));
    x.writeEndElement();
    x.writeStartElement(QStringLiteral("cdr:txBody"));
    x.writeEmptyElement(QStringLiteral("a:bodyPr"));
    x.writeAttribute(QStringLiteral("wrap"), QStringLiteral("square"));
    x.writeAttribute(QStringLiteral("rtlCol"), QStringLiteral("0"));
    x.writeEmptyElement(QStringLiteral("a:lstStyle"));
    EcrireParagraphes(x, TexteLimite(zone.texte, kLongueurTexteMax), zone.police);
    x.writeEndElement();
    x.writeEndElement();
    x.writeEndElement();
}

QByteArray FormesGraphique::xml(const std::vector<ZoneTexteXlsx>& zones)
{
    QByteArray octets;
    QXmlStreamWriter x(&octets);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    x.writeStartElement(QStringLiteral("c:userShapes"));
    x.writeAttribute(QStringLiteral("xmlns:c"), QLatin1String(kEspaceGraphique));
    x.writeAttribute(QStringLiteral("xmlns:cdr"), QLatin1String(kEspaceFormesGraphique));
    x.writeAttribute(QStringLiteral("xmlns:a"), QLatin1String(kEspaceDessin));
    for (size_t i = 0; i < zones.size(); ++i)
        ecrireZone(x, zones[i], int(i) + 1);
    x.writeEndDocument();
    return octets;
}
