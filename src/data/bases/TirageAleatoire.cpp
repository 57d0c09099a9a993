#include "data/bases/TirageAleatoire.h"

#include <cmath>
#include <numbers>

TirageAleatoire::TirageAleatoire(quint32 graine)
    : m_generateur(graine)
{
}

double TirageAleatoire::uniforme()
{
    // 53 bits tirés de deux sorties de 32 bits.
    const quint64 a = m_generateur() >> 5, b = m_generateur() >> 6;
    return (double(a) * 67108864.0 + double(b)) / 9007199254740992.0;
}

double TirageAleatoire::uniforme(double bas, double haut)
{
    return bas + (haut - bas) * uniforme();
}

int TirageAleatoire::entier(int bas, int haut)
{
    return bas + int(std::floor(uniforme() * double(haut - bas + 1)));
}

bool TirageAleatoire::evenement(double probabilite)
{
    return uniforme() < probabilite;
}

double TirageAleatoire::normale(double moyenne, double ecartType)
{
    if (m_normaleEnReserve) {
        m_normaleEnReserve = false;
        return moyenne + ecartType * m_reserve;
    }
    // Box et Muller : deux valeurs par tirage, la seconde attend le suivant.
    double u = uniforme();
    while (u <= 0.0)
        u = uniforme();
    const double v = uniforme();
    const double r = std::sqrt(-2.0 * std::log(u));
    m_reserve = r * std::sin(2.0 * std::numbers::pi * v);
    m_normaleEnReserve = true;
    return moyenne + ecartType * r * std::cos(2.0 * std::numbers::pi * v);
}

double TirageAleatoire::gamma(double forme, double echelle)
{
    // Marsaglia et Tsang ; une forme sous 1 passe par forme + 1.
    if (forme < 1.0) {
        double u = uniforme();
        while (u <= 0.0)
            u = uniforme();
        return gamma(forme + 1.0, echelle) * std::pow(u, 1.0 / forme);
    }
    const double d = forme - 1.0 / 3.0, c = 1.0 / std::sqrt(9.0 * d);
    for (;;) {
        double x, v;
        do {
            x = normale();
            v = 1.0 + c * x;
        } while (v <= 0.0);
        v = v * v * v;
        const double u = uniforme();
        if (u < 1.0 - 0.0331 * x * x * x * x)
            return d * v * echelle;
        if (u > 0.0 && std::log(u) < 0.5 * x * x + d * (1.0 - v + std::log(v)))
            return d * v * echelle;
    }
}
