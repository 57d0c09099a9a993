#include "output/classeur/FeuilleGraphiqueXlsx.h"

#include "output/classeur/DessinXlsx.h"
#include "output/classeur/PartiesClasseur.h"

#include <QXmlStreamWriter>
#include <cmath>

using namespace DessinXlsx;

QByteArray FeuilleGraphiqueXlsx::xml(const QString& idDessin, bool active) const
{
    QByteArray octets;
    QXmlStreamWriter x(&octets);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    x.writeStartElement(QStringLiteral("chartsheet"));
    x.writeDefaultNamespace(QLatin1String(PartiesClasseur::kEspaceTableur));
    x.writeNamespace(QLatin1String(PartiesClasseur::kEspaceRelations), QStringLiteral("r"));
    x.writeEmptyElement(QStringLiteral("sheetPr"));
    x.writeStartElement(QStringLiteral("sheetViews"));
    x.writeEmptyElement(QStringLiteral("sheetView"));
    if (active)
        x.writeAttribute(QStringLiteral("tabSelected"), QStringLiteral("1"));
    x.writeAttribute(QStringLiteral("zoomScale"), QStringLiteral("100"));
    x.writeAttribute(QStringLiteral("workbookViewId"), QStringLiteral("0"));
    // Le graphique suit la taille de la fenêtre, comme une feuille graphique neuve.
    x.writeAttribute(QStringLiteral("zoomToFit"), QStringLiteral("1"));
    x.writeEndElement();
    x.writeEmptyElement(QStringLiteral("pageMargins"));
    for (const auto& [cote, valeur] : {std::pair{"left", "0.7"}, {"right", "0.7"}, {"top", "0.75"},
                                       {"bottom", "0.75"}, {"header", "0.3"}, {"footer", "0.3"}})
        x.writeAttribute(QString::fromLatin1(cote), QString::fromLatin1(valeur));
    // Une feuille graphique s'imprime en paysage, comme le tableur la crée.
    x.writeEmptyElement(QStringLiteral("pageSetup"));
    x.writeAttribute(QStringLiteral("orientation"), QStringLiteral("landscape"));
    x.writeEmptyElement(QStringLiteral("drawing"));
    x.writeAttribute(QLatin1String(PartiesClasseur::kEspaceRelations), QStringLiteral("id"), idDessin);
    x.writeEndDocument();
    return octets;
}

void FeuilleGraphiqueXlsx::ecrireCadre(QXmlStreamWriter& x, const QString& idGraphique)
{
    x.writeStartElement(QStringLiteral("xdr:graphicFrame"));
    x.writeAttribute(QStringLiteral("macro"), QString());
    x.writeStartElement(QStringLiteral("xdr:nvGraphicFramePr"));
    x.writeEmptyElement(QStringLiteral("xdr:cNvPr"));
    x.writeAttribute(QStringLiteral("id"), QStringLiteral("2"));
    x.writeAttribute(QStringLiteral("name"), QStringLiteral("Graphique 1"));
    x.writeStartElement(QStringLiteral("xdr:cNvGraphicFramePr"));
    x.writeEmptyElement(QStringLiteral("a:graphicFrameLocks"));
    x.writeAttribute(QStringLiteral("noGrp"), QStringLiteral("1"));
    x.writeEndElement();
    x.writeEndElement();
    x.writeStartElement(QStringLiteral("xdr:xfrm"));
    for (const auto& [element, a, b] : {std::tuple{"a:off", "x", "y"}, {"a:ext", "cx", "cy"}}) {
        x.writeEmptyElement(QString::fromLatin1(element));
        x.writeAttribute(QString::fromLatin1(a), QStringLiteral("0"));
        x.writeAttribute(QString::fromLatin1(b), QStringLiteral("0"));
    }
    x.writeEndElement();
    x.writeStartElement(QStringLiteral("a:graphic"));
    x.writeStartElement(QStringLiteral("a:graphicData"));
    x.writeAttribute(QStringLiteral("uri"), QLatin1String(kEspaceGraphique));
    x.writeEmptyElement(QStringLiteral("c:chart"));
    x.writeAttribute(QStringLiteral("xmlns:c"), QLatin1String(kEspaceGraphique));
    x.writeAttribute(QStringLiteral("xmlns:r"), QLatin1String(PartiesClasseur::kEspaceRelations));
    x.writeAttribute(QStringLiteral("r:id"), idGraphique);
    x.writeEndElement();
    x.writeEndElement();
    x.writeEndElement();
}

QByteArray FeuilleGraphiqueXlsx::dessin(const QString& idGraphique)
{
    QByteArray octets;
    QXmlStreamWriter x(&octets);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    x.writeStartElement(QStringLiteral("xdr:wsDr"));
    x.writeAttribute(QStringLiteral("xmlns:xdr"), QLatin1String(kEspaceDessinFeuille));
    x.writeAttribute(QStringLiteral("xmlns:a"), QLatin1String(kEspaceDessin));
    x.writeStartElement(QStringLiteral("xdr:absoluteAnchor"));
    x.writeEmptyElement(QStringLiteral("xdr:pos"));
    x.writeAttribute(QStringLiteral("x"), QStringLiteral("0"));
    x.writeAttribute(QStringLiteral("y"), QStringLiteral("0"));
    x.writeEmptyElement(QStringLiteral("xdr:ext"));
    x.writeAttribute(QStringLiteral("cx"), QString::number(std::llround(GraphiqueXlsx::kLargeur * kEmuParPoint)));
    x.writeAttribute(QStringLiteral("cy"), QString::number(std::llround(GraphiqueXlsx::kHauteur * kEmuParPoint)));
    ecrireCadre(x, idGraphique);
    x.writeEmptyElement(QStringLiteral("xdr:clientData"));
    x.writeEndDocument();
    return octets;
}
