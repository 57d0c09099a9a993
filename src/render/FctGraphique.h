#pragma once

#include <QString>
#include <QStringList>

class Classe_Graphiques;
class MoteurGraphique;

// Axes of a chart from the settings of its curve collection: the date labels
// of the time axis, the point labels, the value scales and the axis titles,
// written to the chart engine. None of them draws the curves.
namespace FctGraphique {

// Time axis of a chart by periods. `debut` and `fin` receive the axis span
// ("DD/MM/YYYY"), both empty when the collection has no dates.
void InitAxeDates(Classe_Graphiques& collection, MoteurGraphique& graphique, QString& debut, QString& fin,
                  bool superposition, bool cumulAnnuel);
// Time axis of a chart of dated points (X–Y).
void InitAxeDatesPiezo(Classe_Graphiques& collection, MoteurGraphique& graphique, QString& debut, QString& fin);
// The same for the rainfall chart laid under a groundwater chart.
void InitAxeDatesSuperpose(Classe_Graphiques& collection, MoteurGraphique& graphique, QString& debut, QString& fin);

// Rainfall scale on the left axis; 0 and 0 take the collection's data bounds.
void InitEchellePluvio(Classe_Graphiques& collection, MoteurGraphique& graphique, double minimum, double maximum);
// Depth (or elevation) on the left axis, rainfall on the right one.
void InitEchellesPiezo(Classe_Graphiques& piezo, Classe_Graphiques& pluie, MoteurGraphique& graphique, bool cote,
                       double minimum, double maximum);
void InitEchellesSuperpose(Classe_Graphiques& a, Classe_Graphiques& b, MoteurGraphique& graphique, double minimum,
                           double maximum);

// Sends the labels joined by TAB; -1 when the count is not the number of labels.
int EnvoyerLibellesAxe(MoteurGraphique& graphique, int nombre, const QStringList& libelles);

// Step count of the time axis for a span (years and days between, months between).
int NombrePas(int annees, qint64 jours, qint64 mois, int pasActuel, bool piezo, bool* passeEnAnnees);

} // namespace FctGraphique
