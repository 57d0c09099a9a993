#pragma once

#include <QtGlobal>
#include <random>

// Tirages reproductibles d'une graine à l'autre machine : le générateur
// mt19937 est fixé par la norme, mais pas les lois de la bibliothèque
// standard ; celles-ci sont donc écrites ici.
class TirageAleatoire
{
public:
    explicit TirageAleatoire(quint32 graine);

    double uniforme();                          // [0, 1[
    double uniforme(double bas, double haut);   // [bas, haut[
    int entier(int bas, int haut);              // [bas, haut]
    bool evenement(double probabilite);
    double normale(double moyenne = 0.0, double ecartType = 1.0);
    double gamma(double forme, double echelle);  // moyenne forme × échelle

private:
    std::mt19937 m_generateur;
    bool m_normaleEnReserve = false;
    double m_reserve = 0.0;
};
