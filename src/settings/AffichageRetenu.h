#pragma once

#include "commun/TypeGraph.h"
#include "settings/ChoixOptions.h"

#include <optional>

class Classe_Graphiques;

// L'aspect qu'un utilisateur a enregistré pour un genre de graphique : fond,
// grille, divisions, échelles fixées. Gardé dans ses paramètres d'une
// exécution à l'autre, et repris par chaque graphique de ce genre.
class AffichageRetenu
{
public:
    struct Aspect
    {
        qint16 couleurFond = 15;
        bool grilleX = false;
        bool grilleY = false;
        qint16 nbSeparations = 5;
        ChoixOptions::Echelle echelleY;
        ChoixOptions::Echelle echellePluie;
        bool operator==(const Aspect&) const = default;
    };

    static Aspect depuis(const ChoixOptions& choix);
    static bool retenir(TypeGraph type, const Aspect& aspect);
    // Rien quand l'utilisateur n'a jamais enregistré d'options pour ce genre.
    static std::optional<Aspect> relire(TypeGraph type);
    // Pose l'aspect sur les courbes (et sur celles des pluies d'un graphique double).
    static void appliquer(const Aspect& aspect, Classe_Graphiques& courbes, Classe_Graphiques* pluie);
};
