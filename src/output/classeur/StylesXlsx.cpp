#include "output/classeur/StylesXlsx.h"

#include <QXmlStreamWriter>

int StylesXlsx::style(const QString& formatNombre)
{
    if (formatNombre.isEmpty() || formatNombre.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
        return 0;
    const auto it = m_styles.constFind(formatNombre);
    if (it != m_styles.constEnd())
        return it.value();
    m_formats.append(formatNombre);
    const int s = int(m_formats.size());
    m_styles.insert(formatNombre, s);
    return s;
}

void StylesXlsx::ecrireFormats(QXmlStreamWriter& x) const
{
    if (m_formats.isEmpty())
        return;
    x.writeStartElement(QStringLiteral("numFmts"));
    x.writeAttribute(QStringLiteral("count"), QString::number(m_formats.size()));
    for (int i = 0; i < m_formats.size(); ++i) {
        x.writeEmptyElement(QStringLiteral("numFmt"));
        x.writeAttribute(QStringLiteral("numFmtId"), QString::number(kPremierFormatPropre + i));
        x.writeAttribute(QStringLiteral("formatCode"), m_formats.at(i));
    }
    x.writeEndElement();
}

void StylesXlsx::ecrireStylesCellules(QXmlStreamWriter& x) const
{
    x.writeStartElement(QStringLiteral("cellXfs"));
    x.writeAttribute(QStringLiteral("count"), QString::number(m_formats.size() + 1));
    for (int i = -1; i < m_formats.size(); ++i) {
        x.writeEmptyElement(QStringLiteral("xf"));
        x.writeAttribute(QStringLiteral("numFmtId"), QString::number(i < 0 ? 0 : kPremierFormatPropre + i));
        x.writeAttribute(QStringLiteral("fontId"), QStringLiteral("0"));
        x.writeAttribute(QStringLiteral("fillId"), QStringLiteral("0"));
        x.writeAttribute(QStringLiteral("borderId"), QStringLiteral("0"));
        x.writeAttribute(QStringLiteral("xfId"), QStringLiteral("0"));
        if (i >= 0)
            x.writeAttribute(QStringLiteral("applyNumberFormat"), QStringLiteral("1"));
    }
    x.writeEndElement();
}

void StylesXlsx::ecrireFixes(QXmlStreamWriter& x)
{
    // Police, remplissages, bordure et style de base par défaut : le tableur les exige.
    x.writeStartElement(QStringLiteral("fonts"));
    x.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
    x.writeStartElement(QStringLiteral("font"));
    x.writeEmptyElement(QStringLiteral("sz"));
    x.writeAttribute(QStringLiteral("val"), QStringLiteral("11"));
    x.writeEmptyElement(QStringLiteral("name"));
    x.writeAttribute(QStringLiteral("val"), QStringLiteral("Calibri"));
    x.writeEndElement();
    x.writeEndElement();
    x.writeStartElement(QStringLiteral("fills"));
    x.writeAttribute(QStringLiteral("count"), QStringLiteral("2"));
    for (const char* motif : {"none", "gray125"}) {
        x.writeStartElement(QStringLiteral("fill"));
        x.writeEmptyElement(QStringLiteral("patternFill"));
        x.writeAttribute(QStringLiteral("patternType"), QString::fromLatin1(motif));
        x.writeEndElement();
    }
    x.writeEndElement();
    x.writeStartElement(QStringLiteral("borders"));
    x.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
    x.writeStartElement(QStringLiteral("border"));
    for (const char* cote : {"left", "right", "top", "bottom", "diagonal"})
        x.writeEmptyElement(QString::fromLatin1(cote));
    x.writeEndElement();
    x.writeEndElement();
    x.writeStartElement(QStringLiteral("cellStyleXfs"));
    x.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
    x.writeEmptyElement(QStringLiteral("xf"));
    for (const char* attribut : {"numFmtId", "fontId", "fillId", "borderId"})
        x.writeAttribute(QString::fromLatin1(attribut), QStringLiteral("0"));
    x.writeEndElement();
}

QByteArray StylesXlsx::xml() const
{
    QByteArray octets;
    QXmlStreamWriter x(&octets);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    x.writeStartElement(QStringLiteral("styleSheet"));
    x.writeDefaultNamespace(QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main"));
    ecrireFormats(x);
    ecrireFixes(x);
    ecrireStylesCellules(x);
    x.writeStartElement(QStringLiteral("cellStyles"));
    x.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
    x.writeEmptyElement(QStringLiteral("cellStyle"));
    x.writeAttribute(QStringLiteral("name"), QStringLiteral("Normal"));
    x.writeAttribute(QStringLiteral("xfId"), QStringLiteral("0"));
    x.writeAttribute(QStringLiteral("builtinId"), QStringLiteral("0"));
    x.writeEndElement();
    x.writeEndDocument();
    return octets;
}
