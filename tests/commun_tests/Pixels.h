#pragma once

// Ce qu'un essai voit d'un dessin : les pixels d'une zone qui répondent à une garde.
#include <QImage>
#include <QRect>
#include <cstdlib>

// Deux couleurs égales à l'anticrénelage près.
inline bool procheCouleur(QRgb a, QRgb b, int tolerance = 40)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

template <class Garde>
int compterPixels(const QImage& image, const QRect& zone, Garde garde)
{
    int n = 0;
    const QRect c = zone.intersected(image.rect());
    for (int y = c.top(); y <= c.bottom(); ++y)
        for (int x = c.left(); x <= c.right(); ++x)
            n += garde(image.pixel(x, y)) ? 1 : 0;
    return n;
}
