#pragma once

#include <QPolygonF>
#include <functional>

// Reduces a run of points, in X order, to what one pixel column can show: its
// first, lowest, highest and last point, in the order they come. Where a
// column holds one point, the point is kept as it is. Nothing is averaged, so
// the crests stay where they were.
class ReductionColonnes
{
public:
    explicit ReductionColonnes(QPolygonF& sortie)
        : m_sortie(sortie)
    {
    }

    void ajouter(double px, double py);
    // Ends the current column; call before using the output.
    void terminer();

private:
    void vider();

    QPolygonF& m_sortie;
    bool m_ouverte = false;
    long long m_colonne = 0;
    int m_nombre = 0;
    QPointF m_premier, m_dernier, m_bas, m_haut;
    int m_ordreBas = 0, m_ordreHaut = 0;
};
