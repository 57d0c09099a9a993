#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Les relations d'une partie (fichier _rels/….rels) : chaque cible reçoit un
// identifiant "rIdN" que la partie source cite.
class RelationsOoxml
{
public:
    // Type : l'URI complète du type de relation.
    QString ajouter(const QString& type, const QString& cible);
    bool estVide() const { return m_relations.isEmpty(); }
    QByteArray xml() const;

private:
    struct Relation
    {
        QString id;
        QString type;
        QString cible;
    };
    QList<Relation> m_relations;
};
