#include "ScenariosMoteur.h"

#include "render/moteur/ReductionColonnes.h"

#include <gtest/gtest.h>

namespace {

TEST(Reduction, ChaqueColonneGardeSesExtremesDansLOrdre)
{
    QPolygonF sortie;
    ReductionColonnes r(sortie);
    // Colonne 10 : d'abord 5, puis le plus haut (y 1), puis le plus bas (y 9), et 6 en dernier.
    for (double y : {5.0, 1.0, 4.0, 9.0, 6.0})
        r.ajouter(10.2, y);
    r.ajouter(11.5, 3.0);   // colonne 11 : un seul point, gardé tel quel
    r.ajouter(12.1, 7.0);   // colonne 12 : deux points
    r.ajouter(12.9, 2.0);
    r.terminer();
    EXPECT_EQ(sortie, (QPolygonF{{10.2, 5}, {10.2, 1}, {10.2, 9}, {10.2, 6}, {11.5, 3}, {12.1, 7}, {12.9, 2}}));
}

} // namespace
