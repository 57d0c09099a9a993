#include "ScenariosMoteur.h"

#include "render/moteur/ReductionColonnes.h"

#include <gtest/gtest.h>
#include <random>

using namespace scenarios;

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

    // Une marche aléatoire de 100 000 points sur 500 colonnes garde les extrêmes de chaque colonne.
    std::mt19937 alea(7);
    std::normal_distribution<double> pas(0.0, 1.0);
    QPolygonF entree;
    double y = 0;
    for (int i = 0; i < 100000; ++i) {
        y += pas(alea);
        entree.append({i * 500.0 / 100000, y});
    }
    QPolygonF reduite;
    ReductionColonnes r2(reduite);
    for (const QPointF& p : entree)
        r2.ajouter(p.x(), p.y());
    r2.terminer();
    EXPECT_LE(reduite.size(), 4 * 500);
    std::vector<double> minE(500, 1e300), maxE(500, -1e300), minS(500, 1e300), maxS(500, -1e300);
    for (const QPointF& p : entree) {
        const auto c = std::size_t(p.x());
        minE[c] = std::min(minE[c], p.y());
        maxE[c] = std::max(maxE[c], p.y());
    }
    for (const QPointF& p : reduite) {
        const auto c = std::size_t(p.x());
        minS[c] = std::min(minS[c], p.y());
        maxS[c] = std::max(maxS[c], p.y());
    }
    EXPECT_EQ(minE, minS);
    EXPECT_EQ(maxE, maxS);
    // Les points gardés restent dans l'ordre de l'entrée.
    for (qsizetype i = 1; i < reduite.size(); ++i)
        ASSERT_LE(reduite[i - 1].x(), reduite[i].x());
}

} // namespace
