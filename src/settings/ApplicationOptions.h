#pragma once

#include "commun/TypeGraph.h"

class Classe_Graphiques;
struct ChoixOptions;

// Porte les options vérifiées sur les collections de courbes : grille, fond,
// divisions, options d'export, tracé des courbes, échelles et période affichée.
class ApplicationOptions
{
public:
    // `pluie` : la collection des pluies des genres à deux graphiques, sinon nulle.
    // Vrai quand l'affichage des nappes change d'unité : leurs courbes sont
    // alors à recharger, les bornes des données remises à 9999 et -9999.
    static bool appliquer(const ChoixOptions& choix, Classe_Graphiques& courbes, Classe_Graphiques* pluie, TypeGraph type,
                          bool coteNgfActuelle);
};
