#pragma once

#include "data/bulletin/LigneBulletin.h"

class MoteurGraphique;

// Les graphiques d'une page de station, remplis dans le moteur des graphiques
// du contrôle : mêmes polices, même dessin.
namespace GraphiqueMoisStation {

// Les douze mois de contexte en courbes : la valeur de chaque mois en trait
// épais, les limites de ses quintiles sur le relevé, les normales quand la station en a.
void remplirSituation(MoteurGraphique& moteur, const LigneBulletin& ligne);

// L'écart de chaque mois à sa normale, en barres (pluviomètres).
void remplirEcarts(MoteurGraphique& moteur, const LigneBulletin& ligne);

} // namespace GraphiqueMoisStation
