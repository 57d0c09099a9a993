#include "commun/TableauValeurs.h"

#ifdef __linux__
#include <sys/mman.h>
#endif

TableauValeurs::TableauValeurs(int lignes, int points)
    : m_lignes(std::max(lignes, 0))
    , m_points(std::max(points, 0))
{
    m_cellules = reserverCellules(qsizetype(m_lignes) * m_points);
    m_cellules.resize(qsizetype(m_lignes) * m_points);
}

QList<QVariant> TableauValeurs::reserverCellules(qsizetype n)
{
    QList<QVariant> cellules;
    cellules.reserve(n);
#ifdef __linux__
    // Une longue série pèse des dizaines de mégaoctets de cellules : en pages de
    // 2 Mio plutôt que de 4 Kio, elle se projette en quelques dizaines de défauts
    // de page au lieu de milliers.
    constexpr quintptr page = quintptr(1) << 21;
    const quintptr debut = (reinterpret_cast<quintptr>(cellules.data()) + page - 1) & ~(page - 1);
    const quintptr fin = reinterpret_cast<quintptr>(cellules.data() + cellules.capacity()) & ~(page - 1);
    if (fin > debut)
        madvise(reinterpret_cast<void*>(debut), fin - debut, MADV_HUGEPAGE);
#endif
    return cellules;
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
