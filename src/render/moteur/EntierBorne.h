#pragma once

#include <QtGlobal>
#include <algorithm>
#include <cmath>

// Un réel ramené dans [min, max] puis en entier : une valeur démesurée ou
// « pas un nombre » (écrite par l'hôte, ou née d'une échelle extrême) ne
// passe jamais par une conversion hors de portée.
inline qint64 EntierBorne(double v, qint64 min, qint64 max, qint64 siInvalide)
{
    if (!std::isfinite(v))
        return siInvalide;
    return qint64(std::clamp(v, double(min), double(max)));
}

// La colonne de pixels d'une abscisse ; loin hors de l'image pour une abscisse démesurée.
inline qint64 ColonnePixel(double px)
{
    constexpr qint64 loin = 1'000'000'000'000'000;
    // Appelée pour chaque point : une troncature corrigée pour les négatifs
    // évite l'appel de std::floor ; même résultat dans cette plage.
    if (px > -1e18 && px < 1e18) {
        const qint64 t = qint64(px);
        return double(t) > px ? t - 1 : t;
    }
    return EntierBorne(std::floor(px), -loin, loin, loin);
}
