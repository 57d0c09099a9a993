#pragma once

#include "data/ChangementMesure.h"
#include "data/NomVerifie.h"

#include <QList>
#include <optional>

class BaseDonnees;

// Une table de mesures lue par lignes entières : corriger une valeur garde
// toutes les autres colonnes de sa ligne (évapotranspiration, validité,
// commentaire…), chacune telle que le moteur la tient.
class TableMesures
{
public:
    // Les lignes du `debut` au `fin` (jours compris), dans l'ordre des instants ; rien si la lecture échoue.
    static std::optional<QList<LigneMesure>> lire(BaseDonnees& base, const NomVerifie& table, const QDate& debut,
                                                  const QDate& fin);
};
