#include "output/classeur/ChainesPartagees.h"

#include "output/classeur/TexteXlsx.h"

#include <QXmlStreamWriter>

int ChainesPartagees::indice(const QString& texte)
{
    ++m_references;
    const auto it = m_rangs.constFind(texte);
    if (it != m_rangs.constEnd())
        return it.value();
    const int rang = int(m_textes.size());
    m_textes.append(texte);
    m_rangs.insert(texte, rang);
    return rang;
}

QByteArray ChainesPartagees::xml() const
{
    QByteArray octets;
    QXmlStreamWriter x(&octets);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    x.writeStartElement(QStringLiteral("sst"));
    x.writeDefaultNamespace(QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main"));
    x.writeAttribute(QStringLiteral("count"), QString::number(m_references));
    x.writeAttribute(QStringLiteral("uniqueCount"), QString::number(m_textes.size()));
    for (const QString& t : m_textes) {
        x.writeStartElement(QStringLiteral("si"));
        x.writeStartElement(QStringLiteral("t"));
        // Sans cela les blancs de début et de fin seraient perdus à la lecture.
        if (t != t.trimmed())
            x.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        EcrireTexteXml(x, t);
        x.writeEndElement();
        x.writeEndElement();
    }
    x.writeEndDocument();
    return octets;
}
