#pragma once

#include <QString>

class BaseDonnees;
class Classe_Graphiques;
class FenetreProgression;

// Rainfall series of a rain gauge, summed per period, into a curve collection.
namespace ChargeurPluie {

struct Demande
{
    QString debut, fin;          // "DD/MM/YYYY"
    QString code, nomStation, titre;
    int couleur = 0;
    int mode = 0;                // 0, 1, 4, 5 or 7: the chart the series is for
    QString colonne;             // measure column: Pluie, PluieEfficace, Etp, Valeur1…
    bool viderAvant = false;
    QString codePeriode;         // "MOIS", "DECADE", …
    bool cumul = false;
    QString colonnePeriode;      // Mois, Decade, …, Jour
    int moisHydro = 10;
    QString prefixeTable = QStringLiteral("PLUVIO_");  // "COURBE_REF_PLUVIO_" for a reference curve
};

// One point per period of the range; returns the new curve's position, 0 when
// the mode is unknown or a name is refused.
int agreger(Classe_Graphiques& collection, const Demande& demande, BaseDonnees* base, FenetreProgression* fenetre);

// "CUMUL_ANNUEL": for each statistics year, the total from the start of the
// (hydrological) year to today's day and month; sorted by total.
void comparerCumulsAnnuels(Classe_Graphiques& collection, int premiereAnnee, int derniereAnnee, const QString& code,
                           const QString& colonne, bool hydro, int moisHydro, BaseDonnees* base);

// "CUMUL_MENSUEL": one curve a month, one point a statistics year.
void totauxMensuels(Classe_Graphiques& collection, int premiereAnnee, int derniereAnnee, const QString& code,
                    const QString& colonne, bool hydro, int moisHydro, BaseDonnees* base);

} // namespace ChargeurPluie
