#pragma once

#include "data/ChangementMesure.h"

#include <QDate>
#include <QTime>
#include <optional>

// Ce qu'une ligne de la grille montrait quand elle a été remplie : l'instant de
// sa mesure, et cette mesure telle que la base la tenait alors (aucune pour un
// jour sans mesure qu'un graphique par jours montre). L'enregistrement refuse
// de changer une mesure que la base ne tient plus ainsi.
struct OrigineLigne
{
    QDate date;
    QTime heure;
    std::optional<LigneMesure> mesure;

    bool operator==(const OrigineLigne&) const = default;
};
