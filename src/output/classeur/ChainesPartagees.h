#pragma once

#include <QByteArray>
#include <QHash>
#include <QStringList>

// La table des textes partagés d'un classeur : chaque texte distinct n'y
// figure qu'une fois, les cellules citent son rang.
class ChainesPartagees
{
public:
    int indice(const QString& texte);
    int nombreDistincts() const { return int(m_textes.size()); }
    int nombreReferences() const { return m_references; }
    QByteArray xml() const;

private:
    QStringList m_textes;
    QHash<QString, int> m_rangs;
    int m_references = 0;
};
