#pragma once

#include "model/Classe_Graphiques.h"

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

// Ce que partagent les blocs de texte que les exports collent dans le tableur.
namespace TexteExport {

// Les courbes affichées de la collection, dans son ordre.
std::vector<CourbePtr> CourbesAffichees(const Classe_Graphiques& courbes);
// Le plus grand nombre de points parmi elles.
int NombreLignes(const std::vector<CourbePtr>& courbes);

// Jour de série du tableur : les minutes depuis le 30/12/1899 à 0 h, divisées par 60 et par 24.
double JourSerie(const QDateTime& instant);
// Un nombre écrit avec le point décimal, ou comme l'écrit le poste de l'utilisateur.
QString Nombre(double valeur, bool pointDecimal);

struct Point
{
    QDateTime instant;
    double valeur = 0;
};
// Le point `i` (depuis 0) d'une courbe, sa valeur multipliée par `coefficient`.
// Rien hors de la courbe, pour une valeur ou une date vide, et, avec
// `coupures`, pour un point marqué comme une coupure (continuité ni "0" ni vide).
std::optional<Point> PointExportable(const Classe_Graphique& courbe, int i, double coefficient, bool coupures);

// Les trois cellules d'un point, X, Y et un blanc, chacune suivie d'une tabulation.
QString CellulesPoint(const std::optional<Point>& point, bool pointDecimal);

} // namespace TexteExport
