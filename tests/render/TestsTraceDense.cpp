#include "ScenariosMoteur.h"

#include <QPointF>
#include <gtest/gtest.h>
#include <cmath>
#include <random>

using namespace scenarios;

namespace {

const QSize taille(900, 500);
const QRectF cadre(QPointF(0, 0), QSizeF(taille));

// Une marche aléatoire chargée d'un coup, puis des trous, des couleurs et des plafonds écrits point par point.
struct Cas
{
    bool triee;
    double xMin, xMax;
    double ecartType;
};

void serie(MoteurGraphique& m, int n, const Cas& cas)
{
    const bool triee = cas.triee;
    std::mt19937 alea(31);
    std::normal_distribution<double> pas(0.0, cas.ecartType);
    std::vector<double> x(static_cast<std::size_t>(n));
    std::vector<float> v(static_cast<std::size_t>(n));
    double y = 0;
    for (int i = 0; i < n; ++i) {
        y = std::clamp(y + pas(alea), -400.0, 400.0);
        x[std::size_t(i)] = triee ? i * 1000.0 / n : double(alea() % 1000);
        v[std::size_t(i)] = float(y);
    }
    ASSERT_TRUE(m.chargerSerie(1, x, v, 1));
    axeGauche(m, -500, 500, 5, " ");
    ecrire(m, {{Prop::XMin, cas.xMin}, {Prop::XMax, cas.xMax}});
    for (int p = 1; p <= n; p += 997) {
        ecrire(m, {{Prop::Point, p}, {Prop::Manquant, 1}});
        m.ecrireIndexe(Prop::CouleurPoint, p + 300, 1 + p % 13);
        m.ecrireIndexe(Prop::Plafond, p + 500, v[std::size_t(p + 400)] - 1.0);
    }
    m.ecrire(Prop::Dessin, 2);
}

// Les points tracés en pixels, lus dans le modèle : l'échelle va des bornes
// des axes aux bords de la zone de tracé.
std::vector<QPointF> pointsTraces(const MoteurGraphique& m)
{
    const JeuDonnees& j = m.modele().jeux[0];
    const QRectF zone = m.zoneTrace(cadre);
    const double xMin = m.lire(Prop::XMin).toDouble(), xMax = m.lire(Prop::XMax).toDouble();
    std::vector<QPointF> points;
    for (int i = 0; i < j.taille(); ++i)
        if (j.visible(i))
            points.emplace_back(zone.left() + (j.x[std::size_t(i)] - xMin) * zone.width() / (xMax - xMin),
                                zone.bottom() - (double(j.valeurs[std::size_t(i)]) + 500.0) * zone.height() / 1000.0);
    return points;
}

bool encre(const QImage& image, int x, int y)
{
    return image.pixel(x, y) != 0xFFFFFFFFu;
}

// Chaque point tracé dans la zone a de l'encre à un pixel près : aucune crue perdue.
int pointsSansEncre(const QImage& image, const std::vector<QPointF>& points, const QRect& interieur)
{
    int perdus = 0;
    for (const QPointF& pt : points) {
        const int x = int(std::floor(pt.x())), y = int(std::floor(pt.y()));
        if (!interieur.adjusted(2, 2, -2, -2).contains(x, y))
            continue;
        bool vu = false;
        for (int dy = -2; dy <= 2 && !vu; ++dy)
            for (int dx = -1; dx <= 1 && !vu; ++dx)
                vu = encre(image, x + dx, y + dy);
        perdus += vu ? 0 : 1;
    }
    return perdus;
}

// L'encre d'une colonne de pixels reste entre le plus bas et le plus haut des
// points des colonnes voisines (d'où partent les liaisons) : aucun trait inventé.
int encreHorsDesPoints(const QImage& image, const std::vector<QPointF>& points, const QRect& interieur)
{
    std::vector<double> haut(std::size_t(image.width()), 1e300), bas(std::size_t(image.width()), -1e300);
    for (const QPointF& pt : points) {
        const int x = int(std::floor(pt.x()));
        if (x < 0 || x >= image.width())
            continue;
        haut[std::size_t(x)] = std::min(haut[std::size_t(x)], pt.y());
        bas[std::size_t(x)] = std::max(bas[std::size_t(x)], pt.y());
    }
    int hors = 0;
    for (int x = interieur.left(); x <= interieur.right(); ++x) {
        double h = 1e300, b = -1e300;
        for (int v = std::max(x - 2, 0); v <= std::min(x + 2, image.width() - 1); ++v) {
            h = std::min(h, haut[std::size_t(v)]);
            b = std::max(b, bas[std::size_t(v)]);
        }
        for (int y = interieur.top(); y <= interieur.bottom(); ++y)
            hors += encre(image, x, y) && (y < h - 2 || y > b + 2) ? 1 : 0;
    }
    return hors;
}

TEST(TraceDense, ChaquePointEstEncreEtRienNeSortDeSesColonnes)
{
    // Colonnes pleines, puis une vue rapprochée où un ou deux points par
    // colonne font des liaisons longues, puis des X dans le désordre.
    const std::vector<Cas> cas{{true, 100, 700, 2.0}, {true, 400, 405, 60.0}, {false, 100, 700, 2.0}};
    for (const Cas& c : cas) {
        const QString nom = QStringLiteral("dense-%1-%2").arg(c.triee ? "triee" : "desordre").arg(c.xMax - c.xMin);
        SCOPED_TRACE(nom.toStdString());
        MoteurGraphique m;
        serie(m, 200000, c);
        const QImage image = SortiesImage::image(m, taille).convertToFormat(QImage::Format_RGB32);
        garderImage(image, nom);
        const QRect interieur = m.zoneTrace(cadre).toAlignedRect().adjusted(2, 2, -2, -2);
        const std::vector<QPointF> points = pointsTraces(m);
        ASSERT_GT(points.size(), 190000u);
        EXPECT_EQ(pointsSansEncre(image, points, interieur), 0);
        // Dans le désordre, les liaisons traversent tout le graphique.
        if (c.triee) {
            EXPECT_EQ(encreHorsDesPoints(image, points, interieur), 0);
        }
    }
}

TEST(TraceDense, ChargerSerieRemplitLeJeuEtUneEcritureRefaitSesResumes)
{
    MoteurGraphique m;
    m.ecrire(Prop::NbJeux, 2);
    EXPECT_FALSE(m.chargerSerie(1, {1, 2, 3}, {1, 2}, 4));
    EXPECT_FALSE(m.chargerSerie(0, {1}, {1}, 4));
    EXPECT_EQ(m.lire(Prop::NbPoints).toInt(), 0);
    ASSERT_TRUE(m.chargerSerie(3, {1, 2, 3, 4}, {5, -2, 8, 1}, 6));
    EXPECT_EQ(lus(m, {Prop::NbJeux, Prop::NbPoints}), (QStringList{"3", "4"}));
    EXPECT_TRUE(m.modele().estXY());
    ecrire(m, {{Prop::Jeu, 3}, {Prop::Point, 3}});
    EXPECT_EQ(std::pair(m.lireIndexe(Prop::ValeurPoint, 3).toDouble(), m.lireIndexe(Prop::CouleurPoint, 4).toInt()), std::pair(8.0, 6));
    EXPECT_EQ(lus(m, {Prop::PositionX, Prop::Manquant}), (QStringList{"3", "0"}));
    const JeuDonnees& j = m.modele().jeux[2];
    const auto resume = [&j] { return std::pair(j.resumes().visibles(), j.resumes().haut()); };
    EXPECT_EQ(resume(), std::pair(4, 8.0));
    // Chaque écriture d'un point refait les résumés : valeur, manque, plafond, position.
    m.ecrireIndexe(Prop::ValeurPoint, 2, 20.0);
    EXPECT_EQ(j.resumes().haut(), 20.0);
    ecrire(m, {{Prop::Point, 2}, {Prop::Manquant, 1}});
    EXPECT_EQ(resume(), std::pair(3, 8.0));
    m.ecrireIndexe(Prop::Plafond, 3, 7.0);
    EXPECT_EQ(j.resumes().haut(), 5.0);
    EXPECT_TRUE(j.resumes().trie());
    ecrire(m, {{Prop::Point, 4}, {Prop::PositionX, 0.5}});
    EXPECT_FALSE(j.resumes().trie());
    // Les autres jeux suivent le nombre de points, comme par la propriété.
    EXPECT_EQ(m.modele().jeux[0].taille(), 4);
}

} // namespace
