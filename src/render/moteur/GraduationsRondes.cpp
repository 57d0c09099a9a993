#include "render/moteur/GraduationsRondes.h"

#include <algorithm>
#include <cmath>

namespace GraduationsRondes {

namespace {

constexpr double facteurs[] = {1.0, 2.0, 2.5, 5.0, 10.0};

double puissance(double brut)
{
    return std::pow(10.0, std::floor(std::log10(brut)));
}

} // namespace

double pas(double brut)
{
    if (!(brut > 0) || !std::isfinite(brut))
        return 1.0;
    const double p = puissance(brut);
    double meilleur = p;
    for (double f : facteurs)
        if (std::fabs(f * p - brut) < std::fabs(meilleur - brut))
            meilleur = f * p;
    return meilleur;
}

QList<double> valeurs(double minimum, double maximum, int divisions)
{
    const double lo = std::min(minimum, maximum), hi = std::max(minimum, maximum);
    const double p = pas((hi - lo) / std::max(divisions, 1));
    const double tolerance = 1e-9 * std::max({std::fabs(lo), std::fabs(hi), p});
    QList<double> liste;
    // Compté plutôt qu'additionné : loin de zéro, v + pas peut rester v.
    const double premier = std::ceil((lo - tolerance) / p);
    for (int k = 0; k <= 1000; ++k) {
        const double v = (premier + k) * p;
        if (v > hi + tolerance)
            break;
        liste.append(std::fabs(v) < tolerance ? 0.0 : v);
    }
    return liste;
}

std::pair<double, double> bornes(double bas, double haut, int divisions)
{
    if (!(haut > bas)) {
        const double m = std::fabs(bas);
        const double marge = m > 0 ? m * 0.1 : 1.0;
        bas -= marge;
        haut += marge;
    }
    divisions = std::max(divisions, 1);
    const double p = puissance((haut - bas) / divisions);
    double pasRond = p;
    for (double f : facteurs) {
        pasRond = f * p;
        const double debut = std::floor(bas / pasRond) * pasRond;
        if (debut + pasRond * divisions >= haut - 1e-9 * std::fabs(haut))
            return {debut, debut + pasRond * divisions};
    }
    const double debut = std::floor(bas / pasRond) * pasRond;
    return {debut, debut + pasRond * divisions};
}

} // namespace GraduationsRondes
