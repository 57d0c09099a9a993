#include "output/classeur/PartiesClasseur.h"

#include <QXmlStreamWriter>

namespace PartiesClasseur {

QByteArray Classeur(const QStringList& nomsFeuilles, const QStringList& idsRelations, int ongletActif)
{
    QByteArray octets;
    QXmlStreamWriter x(&octets);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    x.writeStartElement(QStringLiteral("workbook"));
    x.writeDefaultNamespace(QLatin1String(kEspaceTableur));
    x.writeNamespace(QLatin1String(kEspaceRelations), QStringLiteral("r"));
    x.writeStartElement(QStringLiteral("bookViews"));
    x.writeEmptyElement(QStringLiteral("workbookView"));
    if (ongletActif > 0)
        x.writeAttribute(QStringLiteral("activeTab"), QString::number(ongletActif));
    x.writeEndElement();
    x.writeStartElement(QStringLiteral("sheets"));
    for (qsizetype i = 0; i < nomsFeuilles.size(); ++i) {
        x.writeEmptyElement(QStringLiteral("sheet"));
        x.writeAttribute(QStringLiteral("name"), nomsFeuilles.at(i));
        x.writeAttribute(QStringLiteral("sheetId"), QString::number(i + 1));
        x.writeAttribute(QLatin1String(kEspaceRelations), QStringLiteral("id"), idsRelations.at(i));
    }
    x.writeEndDocument();
    return octets;
}

QByteArray ProprietesApplication()
{
    QByteArray octets;
    QXmlStreamWriter x(&octets);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    x.writeStartElement(QStringLiteral("Properties"));
    x.writeDefaultNamespace(
        QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/extended-properties"));
    x.writeTextElement(QStringLiteral("Application"), QStringLiteral("graphique"));
    x.writeTextElement(QStringLiteral("DocSecurity"), QStringLiteral("0"));
    x.writeTextElement(QStringLiteral("ScaleCrop"), QStringLiteral("false"));
    x.writeEndDocument();
    return octets;
}

QByteArray ProprietesBase(const QDateTime& instant)
{
    const QString dc = QStringLiteral("http://purl.org/dc/elements/1.1/");
    const QString dcterms = QStringLiteral("http://purl.org/dc/terms/");
    const QString xsi = QStringLiteral("http://www.w3.org/2001/XMLSchema-instance");
    const QString date = instant.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ"));
    QByteArray octets;
    QXmlStreamWriter x(&octets);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    const QString cp = QStringLiteral("http://schemas.openxmlformats.org/package/2006/metadata/core-properties");
    x.writeNamespace(cp, QStringLiteral("cp"));
    x.writeStartElement(cp, QStringLiteral("coreProperties"));
    x.writeNamespace(dc, QStringLiteral("dc"));
    x.writeNamespace(dcterms, QStringLiteral("dcterms"));
    x.writeNamespace(xsi, QStringLiteral("xsi"));
    x.writeTextElement(dc, QStringLiteral("creator"), QStringLiteral("graphique"));
    for (const QString& nom : {QStringLiteral("created"), QStringLiteral("modified")}) {
        x.writeStartElement(dcterms, nom);
        x.writeAttribute(xsi, QStringLiteral("type"), QStringLiteral("dcterms:W3CDTF"));
        x.writeCharacters(date);
        x.writeEndElement();
    }
    x.writeEndDocument();
    return octets;
}

} // namespace PartiesClasseur
