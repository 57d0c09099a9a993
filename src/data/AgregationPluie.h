#pragma once

#include "commun/CodesGraphique.h"

#include "commun/ColonnesTypees.h"
#include "commun/TableauValeurs.h"
#include "data/OrdreSql.h"

#include <QString>
#include <functional>

// Pluies sommées par période : le texte des ordres, et la fusion des sommes
// avec la liste de toutes les périodes de l'étendue, pour qu'une période sans
// aucune mesure ait quand même son point.
namespace AgregationPluie {

// Un point a sept lignes : date, "12:00:00", valeur, validité, continuité,
// mode d'obtention, clé de tri.
constexpr int lignesPoint = 7;

// Sommes par période d'une table de pluviomètre ("PLUVIO_" + code), bornées par
// années (graphique annuel, comparaison aux normales).
OrdreSql requeteBornesAnnees(const NomVerifie& colonnePeriode, const NomVerifie& colonne, const NomVerifie& table,
                             const QDate& debut, const QDate& fin);
// Sommes par période des autres graphiques ; la rédaction suit le genre de base.
OrdreSql requeteParPeriode(const NomVerifie& colonnePeriode, const NomVerifie& colonne, const NomVerifie& table,
                           const QDate& debut, const QDate& fin);
// Sommes par partie d'année hydrologique.
OrdreSql requeteHydro(const NomVerifie& colonnePeriode, const NomVerifie& colonne, const NomVerifie& table,
                      const QDate& debut, const QDate& fin);
// Toutes les périodes de l'étendue, dans l'ordre du calendrier (29 février des seules années bissextiles).
OrdreSql requeteSquelette(const NomVerifie& colonnePeriode, const QDate& debut, const QDate& fin, bool hydro,
                          int moisHydro);

// Maximum de l'axe des valeurs, entier, relevé point par point.
void monterMaximum(double valeur, double& maximum);
// Le maximum finit sur une centaine.
double maximumFinal(double maximum);

using Progression = std::function<void(const QString& message)>;

// Un point par période du squelette (champ 0 date, champ 1 clé de tri) : la
// somme de la période quand les données (les sept champs d'un point) l'ont,
// sinon 0 ou le cumul courant.
ColonnesTypees fusionner(const ColonnesTypees& donnees, int nombreDonnees, const ColonnesTypees& squelette,
                         int nombreSquelette, bool cumul, double& maximum, const Progression& progression = {});

// Années hydrologiques : la partie étiquetée "01/02/Y" (dès le premier mois)
// rejoint la partie "01/01/" de l'année suivante, en un point étiqueté
// "01/01/" + (Y + 1).
TableauValeurs reetiqueterHydro(const TableauValeurs& points, double& maximum);

// Points vides devant la série du graphique des pluies posé sous un graphique
// de nappe, selon le code de période et le nombre d'années.
int decalageTete(Periode codePeriode, int nombreAnnees);
ColonnesTypees avecDecalage(ColonnesTypees points, int decalage);

} // namespace AgregationPluie
