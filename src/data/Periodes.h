#pragma once

#include "commun/TypeGraph.h"

#include <QDate>
#include <QString>
#include <optional>

// The aggregation period of a load and the normalisation of its dates.
namespace Periodes {

struct Choix
{
    QString codePeriode;      // "MOIS", "DECADE", "TRIMESTRE", "ANNEE", "HYDRO", "SANS"
    QString colonne;          // period column of PERIODES: "Mois", "Decade", …, "Jour"
    QString uniteAxeX;        // empty with `uniteGardee`
    bool uniteGardee = false; // the unit stays as it was
};

// The first of the letters M, D, T, A, H, S found in `chaine` decides, in that order.
Choix choisir(const QString& chaine, TypeGraph type, bool calculAuto);

// Load range and time-axis step of a load.
struct Plage
{
    QString debut, fin;       // "DD/MM/YYYY"
    std::optional<QString> uniteAxeX;  // nothing: left as it was
    std::optional<int> pasAxeX;
    bool message = false;     // the hydrological adjustment is to be told to the user
    bool champsModifies = false;  // the date fields take debut and fin
};

// `moisHydro` is the first month of the hydrological year as the host gives it ("10").
std::optional<Plage> normaliser(const QString& codePeriode, TypeGraph type, const QString& dateDebut,
                                const QString& dateFin, const QString& annee, const QString& moisHydro);

// Range of the two-chart graphs, widened from the date fields.
std::optional<Plage> plageDeuxGraphiques(const QString& dateDebut, const QString& dateFin);

// "Pour calculer le graphique, les dates vont être ajustées automatiquement …"
QString messageAnneeHydro(const QString& moisHydro);

// The first month of the hydrological year as a number 1..12 (10 when unreadable).
int moisHydro(const QString& texte);

} // namespace Periodes
