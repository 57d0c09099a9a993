#include "data/CalculsStatistiques.h"

#include "commun/Nombres.h"

#include <algorithm>
#include <cmath>

namespace CalculsStatistiques {

std::optional<double> centile(QList<double> e, double p)
{
    if (e.isEmpty())
        return std::nullopt;
    std::sort(e.begin(), e.end());
    const double h = (e.size() - 1) * p;  // rank from 0
    const auto bas = qsizetype(std::floor(h));
    const auto haut = std::min<qsizetype>(bas + 1, e.size() - 1);
    return e[bas] + (h - double(bas)) * (e[haut] - e[bas]);
}

std::array<std::optional<double>, 4> quintiles(const QList<double>& echantillon)
{
    return {centile(echantillon, 0.2), centile(echantillon, 0.4), centile(echantillon, 0.6), centile(echantillon, 0.8)};
}

std::optional<double> moyenne(const QList<double>& e)
{
    if (e.isEmpty())
        return std::nullopt;
    double s = 0;
    for (double v : e)
        s += v;
    return s / double(e.size());
}

std::optional<double> mediane(const QList<double>& t)
{
    if (t.isEmpty())
        return std::nullopt;
    const qsizetype a = 0, b = t.size() - 1;
    if ((a + b) % 2 == 0)
        return t[(a + b) / 2];
    return (t[(a + b - 1) / 2] + t[(a + b + 1) / 2]) / 2.0;
}

std::pair<double, double> bornesEcarts(const QList<double>& ecarts)
{
    double haut = 0, bas = 0;
    for (double d : ecarts) {
        if (d > haut)
            haut = double(CInt(d / 100 + 1).value_or(0)) * 100;
        if (d < bas)
            bas = double(CInt(d / 100 - 1).value_or(0)) * 100;
    }
    if (-bas < haut)
        bas = -haut;
    else
        haut = -bas;
    return {bas, haut};
}

} // namespace CalculsStatistiques
