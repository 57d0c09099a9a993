#include "ScenariosMoteur.h"

#include "commun/Palette.h"
#include "render/moteur/ReductionColonnes.h"

#include <QPainter>
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

TEST(Reduction, LeDessinReduitEstLeMemeALOeil)
{
    constexpr int n = 40000;
    const QSize taille(800, 450);
    MoteurGraphique m;
    m.ecrire(Prop::NbJeux, 1);
    m.ecrire(Prop::Jeu, 1);
    m.ecrire(Prop::NbPoints, n);
    m.ecrire(Prop::XMin, 0);
    m.ecrire(Prop::XMax, 1000);
    axeGauche(m, -600, 600, 6, " ");
    std::mt19937 alea(11);
    std::normal_distribution<double> pas(0.0, 3.0);
    double y = 0;
    std::vector<QPointF> points;
    for (int p = 1; p <= n; ++p) {
        y += pas(alea);
        m.ecrire(Prop::Point, p);
        m.ecrire(Prop::PositionX, p * 1000.0 / n);
        m.ecrireIndexe(Prop::ValeurPoint, p, y);
        m.ecrireIndexe(Prop::CouleurPoint, p, 1);
        points.push_back({p * 1000.0 / n, y});
    }
    m.ecrire(Prop::Dessin, 2);
    const QImage reduite = SortiesImage::image(m, taille);

    // Référence : tous les points tracés, avec les mêmes échelles et le même crayon.
    QImage reference = reduite;
    const QRectF cadre(QPointF(0, 0), QSizeF(taille));
    const QRect zone = m.zoneTrace(cadre).toAlignedRect();
    {
        QPainter p(&reference);
        p.fillRect(zone.adjusted(1, 1, 0, 0), Qt::white);
        p.setClipRect(zone);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor::fromRgb(Palette::rgb(1)), std::clamp(std::min(zone.width(), zone.height()) / 350.0, 1.0, 3.0),
                      Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPolygonF tout;
        for (const QPointF& u : points)
            tout.append(m.versPixels(u, cadre));
        p.drawPolyline(tout);
    }
    garder(reduite, "reduction-reduite");
    garder(reference, "reduction-reference");

    // Colonne par colonne, l'encre couvre les mêmes hauteurs, à une colonne près
    // sur le côté (un trait déborde sur sa voisine) et à deux pixels près en hauteur.
    auto etendue = [&](const QImage& img, int x0, int x1) {
        int haut = 1 << 20, bas = -1;
        for (int x = x0; x <= x1; ++x)
            for (int yy = zone.top() + 1; yy < zone.bottom(); ++yy)
                if (qGray(img.pixel(x, yy)) < 160) {
                    haut = std::min(haut, yy);
                    bas = std::max(bas, yy);
                }
        return std::pair(haut, bas);
    };
    int ecarts = 0, colonnes = 0;
    for (int x = zone.left() + 3; x < zone.right() - 2; ++x) {
        const auto r = etendue(reduite, x, x), rLarge = etendue(reduite, x - 1, x + 1);
        const auto f = etendue(reference, x, x), fLarge = etendue(reference, x - 1, x + 1);
        ++colonnes;
        const bool reduiteDansReference = r.first >= fLarge.first - 2 && r.second <= fLarge.second + 2;
        const bool referenceDansReduite = f.first >= rLarge.first - 2 && f.second <= rLarge.second + 2;
        if (!reduiteDansReference || !referenceDansReduite)
            ++ecarts;
    }
    EXPECT_LE(ecarts, colonnes / 100) << ecarts << " colonnes différentes sur " << colonnes;
}

} // namespace
