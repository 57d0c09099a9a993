#pragma once

#include <QPointF>
#include <QRectF>

// Des unités du graphique aux pixels d'une zone de tracé, et retour : X selon
// les bornes de X, Y selon celles d'un axe de valeurs, croissant vers le haut.
class CarteEchelles
{
public:
    CarteEchelles() = default;
    CarteEchelles(const QRectF& zone, double xMin, double xMax, double yMin, double yMax)
        : m_zone(zone), m_xMin(xMin), m_xMax(xMax), m_yMin(yMin), m_yMax(yMax)
    {
    }

    const QRectF& zone() const { return m_zone; }
    double xMin() const { return m_xMin; }
    double xMax() const { return m_xMax; }
    double yMin() const { return m_yMin; }
    double yMax() const { return m_yMax; }

    double px(double x) const
    {
        const double e = m_xMax - m_xMin;
        return e == 0 ? m_zone.left() : m_zone.left() + (x - m_xMin) / e * m_zone.width();
    }
    double py(double y) const
    {
        const double e = m_yMax - m_yMin;
        return e == 0 ? m_zone.bottom() : m_zone.bottom() - (y - m_yMin) / e * m_zone.height();
    }
    QPointF pixel(double x, double y) const { return {px(x), py(y)}; }
    QPointF unites(const QPointF& p) const
    {
        const double x = m_zone.width() == 0 ? m_xMin : m_xMin + (p.x() - m_zone.left()) / m_zone.width() * (m_xMax - m_xMin);
        const double y = m_zone.height() == 0 ? m_yMin : m_yMin + (m_zone.bottom() - p.y()) / m_zone.height() * (m_yMax - m_yMin);
        return {x, y};
    }
    // Pixels par unité de X.
    double echelleX() const { return m_xMax == m_xMin ? 0.0 : m_zone.width() / (m_xMax - m_xMin); }

private:
    QRectF m_zone;
    double m_xMin = 0, m_xMax = 1, m_yMin = 0, m_yMax = 1;
};
