#pragma once

#include <QList>
#include <array>
#include <optional>
#include <utility>

// The arithmetic of the year graph's statistics, done in the process.
namespace CalculsStatistiques {

// Inclusive percentile (the spreadsheet's PERCENTILE): with the n values sorted,
// the value at rank (n − 1)·p + 1, interpolated between its two neighbours.
// Nothing for an empty sample.
std::optional<double> centile(QList<double> echantillon, double p);

// The boundaries at 20, 40, 60 and 80 %.
std::array<std::optional<double>, 4> quintiles(const QList<double>& echantillon);

std::optional<double> moyenne(const QList<double>& echantillon);

// Median of totals sorted increasingly: the middle one, or the mean of the two middle ones.
std::optional<double> mediane(const QList<double>& totauxTries);

// Symmetric bounds of a chart of departures from the normals: each bound on
// the hundred beyond the widest departure of its side, the wider of the two kept.
std::pair<double, double> bornesEcarts(const QList<double>& ecarts);

} // namespace CalculsStatistiques
