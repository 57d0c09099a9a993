#pragma once

#include "data/bulletin/LigneBulletin.h"

#include <QRectF>

class MoteurGraphique;
class QPainter;

// Les graphiques d'une page de station, remplis dans le moteur des graphiques
// du contrôle et peints dans la page, dans sa police. Un niveau s'y lit comme
// sur les graphiques du contrôle : en cote NGF, ou en profondeur croissant vers le bas.
namespace GraphiqueMoisStation {

// Les douze mois de contexte en courbes : la valeur de chaque mois en trait
// épais, les limites de ses quintiles sur le relevé, les normales quand la station en a.
void situation(QPainter& p, MoteurGraphique& moteur, const LigneBulletin& ligne, const QRectF& cadre);

// L'écart de chaque mois à sa normale, en barres de la couleur de sa classe,
// la légende des classes dessous (pluviomètres).
void ecarts(QPainter& p, MoteurGraphique& moteur, const LigneBulletin& ligne, const QRectF& cadre);

} // namespace GraphiqueMoisStation
