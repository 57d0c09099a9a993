#include "render/moteur/EntierBorne.h"
#include "render/moteur/JeuDonnees.h"
#include "render/moteur/ParcoursColonnes.h"

#include <QPointF>
#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <tuple>

namespace {

// Couleur, colonne, premier et dernier point, extrêmes, nombre, et le point d'où vient le trait.
using Vue = std::tuple<int, qint64, double, double, double, double, double, double, int, double, double>;
const double aucun = -1e300;

struct Trait
{
    int couleur;
    std::vector<QPointF> points;
};

// Les traits tels qu'on les voit : coupés à chaque point non tracé, et à
// chaque changement de couleur, le nouveau trait partant du point d'avant.
std::vector<Trait> traitsAttendus(const JeuDonnees& j, const EchellePixels& e)
{
    const auto pixel = [&](int i) {
        const double x = j.avecX ? j.x[std::size_t(i)] : i + 0.5;
        return QPointF(e.bx + e.ax * x, e.by + e.ay * double(j.valeurs[std::size_t(i)]));
    };
    std::vector<Trait> traits;
    for (int i = 0; i < j.taille(); ++i) {
        if (!j.visible(i))
            continue;
        const bool suite = i > 0 && j.visible(i - 1);
        if (!suite || j.couleur(i - 1) != j.couleur(i)) {
            traits.push_back({j.couleur(i), {}});
            if (suite)
                traits.back().points.push_back(pixel(i - 1));
        }
        traits.back().points.push_back(pixel(i));
    }
    return traits;
}

// La référence, sans rien du parcours : chaque point de chaque trait rangé dans
// sa colonne std::floor(x), puis chaque colonne lue en entier.
std::vector<Vue> vuesAttendues(const JeuDonnees& j, const EchellePixels& e, qint64 cMin, qint64 cMax)
{
    std::vector<Vue> v;
    for (const Trait& t : traitsAttendus(j, e)) {
        std::map<qint64, std::vector<QPointF>> colonnes;
        for (const QPointF& p : t.points)
            colonnes[qint64(std::floor(p.x()))].push_back(p);
        const QPointF* avant = nullptr;
        for (const auto& [c, points] : colonnes) {
            if (c >= cMin && c <= cMax) {
                double haut = points[0].y(), bas = points[0].y();
                for (const QPointF& p : points) {
                    haut = std::min(haut, p.y());
                    bas = std::max(bas, p.y());
                }
                v.emplace_back(t.couleur, c, points.front().x(), points.front().y(), points.back().x(),
                               points.back().y(), haut, bas, int(points.size()), avant ? avant->x() : aucun,
                               avant ? avant->y() : aucun);
            }
            avant = &points.back();
        }
    }
    return v;
}

std::vector<Vue> vues(const std::vector<ColonneTrait>& colonnes, const std::vector<TraitColonnes>& traits, qint64 cMin,
                      qint64 cMax)
{
    std::vector<Vue> v;
    for (const TraitColonnes& t : traits)
        for (int k = t.debut; k < t.fin; ++k) {
            const ColonneTrait& c = colonnes[std::size_t(k)];
            if (c.colonne < cMin || c.colonne > cMax)
                continue;
            const bool suite = k > t.debut;
            v.emplace_back(t.couleur, c.colonne, c.x0, c.y0, c.x1, c.y1, c.yHaut, c.yBas, c.nombre,
                           suite ? colonnes[std::size_t(k - 1)].x1 : aucun, suite ? colonnes[std::size_t(k - 1)].y1 : aucun);
        }
    return v;
}

// Une marche aléatoire aux X croissants, avec des X égaux, des trous, des
// changements de couleur, et des plafonds qui cachent des points.
JeuDonnees serieAleatoire(int n, unsigned graine)
{
    JeuDonnees j;
    j.redimensionner(n);
    j.avecX = true;
    std::mt19937 alea(graine);
    std::normal_distribution<double> pas(0.0, 1.0);
    std::uniform_int_distribution<int> de(0, 99999);
    double x = 0, y = 0;
    int trou = 0;
    qint8 couleur = 3;
    for (int i = 0; i < n; ++i) {
        x += de(alea) % 7 == 0 ? 0.0 : 0.5 + de(alea) / 100000.0;
        y += pas(alea);
        j.x[std::size_t(i)] = x;
        j.valeurs[std::size_t(i)] = float(y);
        if (de(alea) < 20)
            trou = 1 + de(alea) % 40;
        j.manquant[std::size_t(i)] = trou > 0 ? 1 : 0;
        trou = std::max(trou - 1, 0);
        if (de(alea) < 15)
            couleur = qint8(de(alea) % 15);
        j.couleurs[std::size_t(i)] = couleur;
        if (de(alea) < 30)
            j.definirPlafond(i, float(y) - (de(alea) % 2 == 0 ? 1.0f : -1.0f));
    }
    return j;
}

EchellePixels echelle(double xMin, double xMax, double gauche, double largeur)
{
    const double ax = largeur / (xMax - xMin);
    return {ax, gauche - xMin * ax, -500.0 / 400.0, 520.0 + 200.0 * 500.0 / 400.0};
}

// Les colonnes vues (et ce qui y entre) sont celles de la référence.
void comparer(const JeuDonnees& j, const EchellePixels& e, double gauche, double droite)
{
    ASSERT_TRUE(ParcoursColonnes::possible(j, e));
    ParcoursColonnes parcours(j, e);
    parcours.parcourir(ColonnePixel(gauche) - 4, ColonnePixel(droite) + 4);
    const qint64 cMin = ColonnePixel(gauche) - 1, cMax = ColonnePixel(droite) + 1;
    const auto attendues = vuesAttendues(j, e, cMin, cMax);
    EXPECT_EQ(vues(parcours.colonnes(), parcours.traits(), cMin, cMax), attendues);
    // Hors de la vue, au plus quelques colonnes de marge de chaque côté de chaque trait.
    EXPECT_LE(parcours.colonnes().size(), attendues.size() + 10 * parcours.traits().size() + 2);
}

TEST(ParcoursColonnes, LesResumesDonnentLesColonnesDeLaLecturePointParPoint)
{
    const JeuDonnees j = serieAleatoire(300000, 17);
    const double fin = j.x.back();
    // Tout, 1 %, un bord, au-delà des données des deux côtés, et presque rien.
    const std::vector<std::pair<double, double>> fenetres{
        {0, fin}, {fin * 0.40, fin * 0.41}, {-fin * 0.2, fin * 0.3}, {fin * 0.9, fin * 1.3}, {fin * 0.5, fin * 0.5001}};
    for (const auto& [a, b] : fenetres) {
        SCOPED_TRACE(testing::Message() << "fenêtre " << a << " à " << b);
        comparer(j, echelle(a, b, 50.25, 800.5), 50.25, 850.75);
    }
    // Sans X : les points à i + 0,5.
    JeuDonnees sansX = serieAleatoire(100000, 5);
    sansX.avecX = false;
    sansX.modifie();
    comparer(sansX, echelle(0, 100000, 40, 700), 40, 740);
    comparer(sansX, echelle(20000, 21000, 40, 700), 40, 740);
}

TEST(ParcoursColonnes, LesBornesAuxBordsDesDonnees)
{
    JeuDonnees j = serieAleatoire(50000, 3);
    j.manquant.front() = j.manquant.back() = 0;
    j.plafonds.clear();
    const EchellePixels e = echelle(0, j.x.back(), 0, 1000);
    ParcoursColonnes p(j, e);
    // Une vue à gauche ou à droite de toutes les données ne garde que le point du bord.
    p.parcourir(-5000, -3000);
    ASSERT_EQ(p.colonnes().size(), 1u);
    EXPECT_EQ(p.colonnes()[0].x0, e.bx + e.ax * j.x.front());
    p.parcourir(3000, 5000);
    ASSERT_EQ(p.colonnes().size(), 1u);
    EXPECT_EQ(p.colonnes()[0].x0, e.bx + e.ax * j.x.back());
    // Les colonnes 500 à 600 vues : le trait part du dernier point avant elles et va au premier après.
    p.parcourir(500, 600);
    ASSERT_FALSE(p.colonnes().empty());
    EXPECT_LT(p.colonnes().front().colonne, 500);
    EXPECT_GT(p.colonnes().back().colonne, 600);
    EXPECT_LE(p.colonnes().size(), 120u);

    // Un seul point : gardé, qu'il soit dans la vue ou non.
    JeuDonnees un;
    un.redimensionner(1);
    un.avecX = true;
    un.x[0] = 10;
    un.valeurs[0] = 3;
    for (double gauche : {0.0, 500.0, -500.0}) {
        ParcoursColonnes q(un, echelle(gauche, gauche + 100, 0, 100));
        q.parcourir(-4, 104);
        ASSERT_EQ(q.colonnes().size(), 1u);
        EXPECT_EQ(std::pair(q.colonnes()[0].nombre, q.traits().size()), std::pair(1, std::size_t(1)));
    }

    // Tous les X égaux : une colonne, ses extrêmes exacts.
    JeuDonnees egaux;
    egaux.redimensionner(5000);
    egaux.avecX = true;
    for (int i = 0; i < 5000; ++i) {
        egaux.x[std::size_t(i)] = 7.0;
        egaux.valeurs[std::size_t(i)] = float((i * 37) % 1001) - 500.0f;
    }
    const EchellePixels f = echelle(0, 10, 0, 1000);
    ParcoursColonnes q(egaux, f);
    q.parcourir(-4, 1004);
    ASSERT_EQ(q.colonnes().size(), 1u);
    EXPECT_EQ(q.colonnes()[0].nombre, 5000);
    const ColonneTrait& seule = q.colonnes()[0];
    EXPECT_EQ(std::tuple(seule.yHaut, seule.yBas, seule.y1),
              std::tuple(f.by + f.ay * 500.0, f.by + f.ay * -500.0, f.by + f.ay * double(egaux.valeurs.back())));
}

TEST(ParcoursColonnes, DesXNonTriesOuUneEchelleRenverseeNeSontPasParcourus)
{
    JeuDonnees j = serieAleatoire(1000, 9);
    const EchellePixels e = echelle(0, j.x.back(), 0, 500);
    ASSERT_TRUE(ParcoursColonnes::possible(j, e));
    EXPECT_FALSE(ParcoursColonnes::possible(j, {-e.ax, e.bx, e.ay, e.by}));
    EXPECT_FALSE(ParcoursColonnes::possible(j, {e.ax, std::numeric_limits<double>::quiet_NaN(), e.ay, e.by}));
    // Une position écrite hors d'ordre, « pas un nombre » ou infinie : les résumés le voient après modifie().
    for (double mauvais : {-1.0, std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity()}) {
        JeuDonnees k = j;
        k.x[500] = mauvais;
        EXPECT_TRUE(ParcoursColonnes::possible(k, e)) << "résumés pas encore refaits";
        k.modifie();
        EXPECT_FALSE(ParcoursColonnes::possible(k, e)) << mauvais;
    }
}

TEST(ParcoursColonnes, LesResumesComptentEtBornentLesPointsTraces)
{
    const JeuDonnees j = serieAleatoire(20000, 23);
    int visibles = 0;
    double bas = 1e300, haut = -1e300;
    for (int i = 0; i < j.taille(); ++i)
        if (j.visible(i)) {
            ++visibles;
            bas = std::min(bas, double(j.valeurs[std::size_t(i)]));
            haut = std::max(haut, double(j.valeurs[std::size_t(i)]));
        }
    EXPECT_EQ(std::tuple(j.resumes().visibles(), j.resumes().bas(), j.resumes().haut()), std::tuple(visibles, bas, haut));
}

} // namespace
