#include "output/classeur/RelationsOoxml.h"

#include <QXmlStreamWriter>

QString RelationsOoxml::ajouter(const QString& type, const QString& cible)
{
    const QString id = QStringLiteral("rId%1").arg(m_relations.size() + 1);
    m_relations.append({id, type, cible});
    return id;
}

QByteArray RelationsOoxml::xml() const
{
    QByteArray octets;
    QXmlStreamWriter x(&octets);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    x.writeStartElement(QStringLiteral("Relationships"));
    x.writeDefaultNamespace(QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships"));
    for (const Relation& r : m_relations) {
        x.writeEmptyElement(QStringLiteral("Relationship"));
        x.writeAttribute(QStringLiteral("Id"), r.id);
        x.writeAttribute(QStringLiteral("Type"), r.type);
        x.writeAttribute(QStringLiteral("Target"), r.cible);
    }
    x.writeEndDocument();
    return octets;
}
