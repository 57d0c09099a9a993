#include "commun/TableauValeurs.h"

TableauValeurs::TableauValeurs(int lignes, int points)
    : m_lignes(std::max(lignes, 0))
    , m_points(std::max(points, 0))
{
    m_cellules.resize(qsizetype(m_lignes) * m_points);
}

TableauValeurs::TableauValeurs(int lignes, int points, QList<QVariant>&& cellules)
    : m_lignes(std::max(lignes, 0))
    , m_points(std::max(points, 0))
    , m_cellules(std::move(cellules))
{
    m_cellules.resize(qsizetype(m_lignes) * m_points);
}

int TableauValeurs::borneSup(int dimension) const
{
    if (dimension == 1)
        return m_lignes - 1;
    if (dimension == 2)
        return m_points - 1;
    return -1;
}

QVariant TableauValeurs::valeur(int ligne, int point) const
{
    if (ligne < 0 || ligne >= m_lignes || point < 0 || point >= m_points)
        return QVariant();
    return (*this)(ligne, point);
}

bool TableauValeurs::definir(int ligne, int point, const QVariant& valeur)
{
    if (ligne < 0 || ligne >= m_lignes || point < 0 || point >= m_points)
        return false;
    (*this)(ligne, point) = valeur;
    return true;
}

void TableauValeurs::redimensionnerPoints(int points)
{
    m_points = std::max(points, 0);
    m_cellules.resize(qsizetype(m_lignes) * m_points);
}

const TableauValeurs* TableauDans(const QVariant& valeurs)
{
    if (valeurs.metaType() != QMetaType::fromType<TableauValeurs>())
        return nullptr;
    return static_cast<const TableauValeurs*>(valeurs.constData());
}
