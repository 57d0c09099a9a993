#pragma once

#include <QList>
#include <utility>

// Les graduations d'un axe de valeurs sur des nombres ronds : 1, 2, 2,5 ou 5
// fois une puissance de dix.
namespace GraduationsRondes {

// Le pas rond le plus proche de `brut` (positif).
double pas(double brut);
// Les multiples du pas rond le plus proche de l'étendue / `divisions`, compris entre les deux bornes.
QList<double> valeurs(double minimum, double maximum, int divisions);
// Des bornes rondes qui contiennent [bas, haut] en `divisions` pas ronds.
std::pair<double, double> bornes(double bas, double haut, int divisions);

} // namespace GraduationsRondes
