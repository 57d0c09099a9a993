#pragma once

#include "commun/TableauValeurs.h"
#include "data/OrdreSql.h"

#include <QString>
#include <functional>

// Rainfall summed per period: the statement texts, and the merge of the sums
// with the list of every period of the range, so that a period without any
// measurement still has its point.
namespace AgregationPluie {

// Points have seven rows: date, "12:00:00", value, validity, continuity,
// mode of obtention, sort key.
constexpr int lignesPoint = 7;

// Sums per period of a rain-gauge table ("PLUVIO_" + code), with year bounds
// (year graph, comparison with the normals).
OrdreSql requeteBornesAnnees(const NomVerifie& colonnePeriode, const NomVerifie& colonne, const NomVerifie& table,
                             const QString& debut, const QString& fin);
// Sums per period for the other charts; the wording follows the database kind.
OrdreSql requeteParPeriode(const NomVerifie& colonnePeriode, const NomVerifie& colonne, const NomVerifie& table,
                           const QString& debut, const QString& fin);
// Sums per part of hydrological year.
OrdreSql requeteHydro(const NomVerifie& colonnePeriode, const NomVerifie& colonne, const NomVerifie& table,
                      const QString& debut, const QString& fin);
// Every period of the range, in calendar order (29 February in leap years only).
OrdreSql requeteSquelette(const NomVerifie& colonnePeriode, const QString& debut, const QString& fin, bool hydro,
                          int moisHydro);

// The value-axis maximum, a whole number raised point by point.
void monterMaximum(double valeur, double& maximum);
// The maximum ends on a hundred.
double maximumFinal(double maximum);

using Progression = std::function<void(const QString& message)>;

// One point per period of the skeleton (field 0 date, field 1 sort key): the
// period's sum when the data (the seven fields of a point) hold it, 0 or the
// running total otherwise.
TableauValeurs fusionner(const TableauValeurs& donnees, int nombreDonnees, const TableauValeurs& squelette,
                         int nombreSquelette, bool cumul, double& maximum, const Progression& progression = {});

// Hydrological years: the parts labelled "01/02/Y" (from the first month on)
// join the next year's "01/01/" part, the point labelled "01/01/" + (Y + 1).
TableauValeurs reetiqueterHydro(const TableauValeurs& points, double& maximum);

// Empty points before the series of the rainfall chart laid under a groundwater
// chart, by period code and number of years.
int decalageTete(const QString& codePeriode, int nombreAnnees);
TableauValeurs avecDecalage(const TableauValeurs& points, int decalage);

} // namespace AgregationPluie
