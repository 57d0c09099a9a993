#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <optional>
#include <utility>

class BaseDonnees;
class Classe_Graphiques;
class FenetreProgression;

// The climate of a rain gauge month by month over the statistics years: the
// envelope (lowest, mean, highest monthly totals), the quintile boundaries, the
// median, the official normals, and a series' departure from the normals.
namespace ChargeurStatistiques {

using ValeursMois = std::array<std::optional<double>, 12>;

// First and last statistics years: the two texts when both are years, else the
// years of the gauge's data, the last one left out; written back to the host
// form's fields "txtDateDebStatistique" and "txtDateFinStatistique".
std::pair<int, int> choisirAnnees(const QString& anneeDebut, const QString& anneeFin, const QString& code,
                                  QObject* formulaire, BaseDonnees* base);

// Envelope, quintiles, median and normals, in that order, after the year series.
void statistiquesMensuelles(Classe_Graphiques& collection, const QString& anneeDebut, const QString& anneeFin,
                            const QString& code, QObject* formulaire, BaseDonnees* base, FenetreProgression* fenetre,
                            bool cumul, bool hydro, int moisHydro, const QString& colonne, bool normalesMeteoFrance);

// The twelve monthly medians of the measured totals, or the normals of PLUVIOMETRE_NORMALES
// (by month, or the yearly normal in every month).
ValeursMois valeursMensuelles(int premiere, int derniere, const QString& code, BaseDonnees* base, bool cumul,
                              bool hydro, int moisHydro, const QString& colonne, bool parMois, bool normales);

// One curve of twelve points, dated the 15th of each month of this year.
void ajouterCourbeMensuelle(Classe_Graphiques& collection, const ValeursMois& valeurs, const QString& titre,
                            int couleur, bool hydro, int moisHydro);

// The first curve of the collection becomes its departure from the normals (or
// the medians), with symmetric bounds.
void comparerAuxNormales(Classe_Graphiques& collection, const QString& anneeDebut, const QString& anneeFin,
                         const QString& code, QObject* formulaire, BaseDonnees* base, const QString& colonne,
                         bool parMois, bool normalesMeteoFrance);

} // namespace ChargeurStatistiques
