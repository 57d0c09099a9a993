#pragma once

#include <QString>

class BaseDonnees;

// Les tables du calendrier que les cumuls par période joignent aux mesures :
//
// PERIODES, une ligne par jour de l'année (366, "29/02/" compris), triées par
// `jour` ("DD/MM/"). Chaque colonne de période tient le "DD/MM/" du premier
// jour de la période qui contient ce jour, et sa colonne "_inverse" le texte
// "/MM/DD" de ce même jour, qui, précédé de l'année, trie les périodes dans
// l'ordre du calendrier :
//   jour       le jour lui-même (c'est aussi la colonne de la période Jour)
//   Decade     "01/MM/", "11/MM/" ou "21/MM/"
//   Mois       "01/MM/"
//   Trimestre  "01/01/", "01/04/", "01/07/" ou "01/10/"
//   Annee      "01/01/"
//   Hydro      "01/02/" du mois de début de l'année hydrologique à décembre,
//              "01/01/" avant ; "_inverse" "/02/01" et "/01/01"
// `jour` et `Jour` ne font qu'une colonne : les noms ignorent la casse.
//
// ANNEES, une ligne par année de `premiereAnnee` à `derniereAnnee`, colonne
// `Num_Annee` (entier).
class TablesCalendrier
{
public:
    // (Re)crée les deux tables, tout ou rien. `moisHydro` : 1 à 12. En cas
    // d'échec, `erreur` dit pourquoi.
    static bool creer(BaseDonnees& base, int moisHydro, QString& erreur, int premiereAnnee = 1900,
                      int derniereAnnee = 2100) noexcept;
};
