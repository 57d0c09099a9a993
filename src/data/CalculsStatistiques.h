#pragma once

#include <QList>
#include <array>
#include <optional>
#include <utility>

// Le calcul des statistiques du graphique annuel, fait dans le programme.
namespace CalculsStatistiques {

// Centile inclusif (le CENTILE, ou PERCENTILE, du tableur) : les n valeurs triées, la valeur au
// rang (n − 1)·p + 1, interpolée entre ses deux voisines. Rien pour un
// échantillon vide.
std::optional<double> centile(QList<double> echantillon, double p);

// Les limites à 20, 40, 60 et 80 %.
std::array<std::optional<double>, 4> quintiles(const QList<double>& echantillon);

std::optional<double> moyenne(const QList<double>& echantillon);

// Médiane de totaux triés par ordre croissant : celui du milieu, ou la moyenne des deux du milieu.
std::optional<double> mediane(const QList<double>& totauxTries);

// Bornes symétriques d'un graphique d'écarts aux normales : chaque borne sur la
// centaine au-delà du plus grand écart de son côté, la plus large des deux gardée.
std::pair<double, double> bornesEcarts(const QList<double>& ecarts);

} // namespace CalculsStatistiques
