#include "commun/ColonnesTypees.h"

ColonnesTypees::ColonnesTypees(int colonnes, qsizetype reserve)
    : m_colonnes(std::size_t(std::max(colonnes, 0)))
{
    for (ColonneTypee& c : m_colonnes)
        c.reserver(reserve);
}

ColonnesTypees ColonnesTypees::depuis(const TableauValeurs& cellules)
{
    ColonnesTypees c(cellules.lignes(), cellules.points());
    for (int p = 0; p < cellules.points(); ++p)
        for (int l = 0; l < cellules.lignes(); ++l)
            c.colonne(l).ajouter(cellules(l, p));
    return c;
}

QVariant ColonnesTypees::valeur(int ligne, int point) const
{
    if (ligne < 0 || ligne >= lignes() || point < 0 || point >= points())
        return QVariant();
    return colonne(ligne).cellule(point);
}

TableauValeurs ColonnesTypees::tableau() const
{
    const int n = points(), champs = lignes();
    QList<QVariant> cellules = TableauValeurs::reserverCellules(qsizetype(n) * champs);
    for (int p = 0; p < n; ++p)
        for (int l = 0; l < champs; ++l)
            cellules.append(colonne(l).cellule(p));
    return TableauValeurs(champs, n, std::move(cellules));
}

std::size_t ColonnesTypees::octets() const
{
    std::size_t n = 0;
    for (const ColonneTypee& c : m_colonnes)
        n += c.octets();
    return n;
}
