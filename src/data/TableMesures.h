#pragma once

#include "data/ChangementMesure.h"
#include "data/NomVerifie.h"

#include <QList>
#include <optional>

class BaseDonnees;

// Une table de mesures lue et écrite par lignes entières : corriger une valeur
// garde toutes les autres colonnes de sa ligne (évapotranspiration, validité,
// commentaire…), et une ligne supprimée peut revenir telle qu'elle était.
class TableMesures
{
public:
    // Les lignes du `debut` au `fin` (jours compris), dans l'ordre des instants ; rien si la lecture échoue.
    static std::optional<QList<LigneMesure>> lire(BaseDonnees& base, const NomVerifie& table, const QDate& debut,
                                                  const QDate& fin);
    // Chaque changement appliqué : la ligne de son instant remplacée par celle d'après, ou supprimée.
    static bool appliquer(BaseDonnees& base, const NomVerifie& table, const QList<ChangementMesure>& changements);
};
