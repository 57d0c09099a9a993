#include "ScenariosMoteur.h"

#include "commun/Palette.h"
#include "render/moteur/ReductionColonnes.h"

#include <QPainter>
#include <gtest/gtest.h>
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
    m.ecrire(Prop::XMin, cas.xMin);
    m.ecrire(Prop::XMax, cas.xMax);
    for (int p = 1; p <= n; p += 997) {
        m.ecrire(Prop::Point, p);
        m.ecrire(Prop::Manquant, 1);
        m.ecrireIndexe(Prop::CouleurPoint, p + 300, 1 + p % 13);
        m.ecrireIndexe(Prop::Plafond, p + 500, v[std::size_t(p + 400)] - 1.0);
    }
    m.ecrire(Prop::Dessin, 2);
}

// L'ancien tracé, gardé comme référence : chaque point lu, réduit en zigzag
// premier, bas, haut, dernier par colonne, en polylignes d'un pixel.
QImage ancienTrace(const MoteurGraphique& m, QImage image)
{
    const JeuDonnees& j = m.modele().jeux[0];
    const QRectF zone = m.zoneTrace(cadre);
    const double xMin = m.lire(Prop::XMin).toDouble(), xMax = m.lire(Prop::XMax).toDouble();
    const double ax = zone.width() / (xMax - xMin), bx = zone.left() - xMin * ax;
    const double ay = -zone.height() / 1000.0, by = zone.bottom() + 500.0 * ay;
    QPainter p(&image);
    p.fillRect(zone, Qt::white);
    p.setClipRect(zone);
    QPen stylo(Qt::black, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    stylo.setCosmetic(true);
    QPolygonF trace;
    ReductionColonnes reduction(trace);
    int couleur = -1;
    bool precedentValide = false;
    QPointF precedent;
    const auto vider = [&] {
        reduction.terminer();
        if (trace.size() >= 2) {
            stylo.setColor(QColor::fromRgb(Palette::rgb(couleur)));
            p.setPen(stylo);
            p.drawPolyline(trace);
        } else if (trace.size() == 1) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor::fromRgb(Palette::rgb(couleur)));
            p.drawEllipse(trace.first(), 1.5, 1.5);
        }
        trace.clear();
    };
    for (int i = 0; i < j.taille(); ++i) {
        if (!j.visible(i)) {
            vider();
            precedentValide = false;
            continue;
        }
        const QPointF pt(bx + ax * j.x[std::size_t(i)], by + ay * double(j.valeurs[std::size_t(i)]));
        if (j.couleur(i) != couleur) {
            vider();
            couleur = j.couleur(i);
            if (precedentValide)
                reduction.ajouter(precedent.x(), precedent.y());
        }
        reduction.ajouter(pt.x(), pt.y());
        precedent = pt;
        precedentValide = true;
    }
    vider();
    return image;
}

// Les pixels de l'intérieur de la zone de tracé qui diffèrent, et ceux qui sont encrés dans la référence.
std::pair<int, int> ecarts(const QImage& a, const QImage& reference, const QRect& zone)
{
    int differents = 0, encres = 0;
    for (int y = zone.top() + 2; y < zone.bottom() - 1; ++y)
        for (int x = zone.left() + 2; x < zone.right() - 1; ++x) {
            differents += a.pixel(x, y) != reference.pixel(x, y) ? 1 : 0;
            encres += reference.pixel(x, y) != 0xFFFFFFFFu ? 1 : 0;
        }
    return {differents, encres};
}

// Chaque pixel encré dans une seule des images a, dans l'autre, un pixel encré
// à une colonne et deux lignes au plus : un bout de colonne arrondi autrement,
// jamais un trait ajouté ou perdu.
bool ecartsVoisins(const QImage& a, const QImage& reference, const QRect& zone)
{
    const auto voisinEncre = [&](const QImage& autre, int x, int y) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (autre.pixel(x + dx, y + dy) != 0xFFFFFFFFu)
                    return true;
        return false;
    };
    for (int y = zone.top() + 2; y < zone.bottom() - 1; ++y)
        for (int x = zone.left() + 2; x < zone.right() - 1; ++x) {
            if (a.pixel(x, y) == reference.pixel(x, y))
                continue;
            const QImage& sansEncre = a.pixel(x, y) == 0xFFFFFFFFu ? a : reference;
            if (!voisinEncre(sansEncre, x, y))
                return false;
        }
    return true;
}

TEST(TraceDense, LeTraceParColonnesEstLAncienALOeilEtLeRepliEstIdentique)
{
    // Colonnes pleines, puis une vue rapprochée où deux ou trois points par
    // colonne font des liaisons longues, puis des X dans le désordre.
    const std::vector<Cas> cas{{true, 100, 700, 2.0}, {true, 400, 405, 60.0}, {false, 100, 700, 2.0}};
    for (const Cas& c : cas) {
        const QString nom = QStringLiteral("dense-%1-%2").arg(c.triee ? "triee" : "desordre").arg(c.xMax - c.xMin);
        SCOPED_TRACE(nom.toStdString());
        MoteurGraphique m;
        serie(m, 200000, c);
        const QImage image = SortiesImage::image(m, taille).convertToFormat(QImage::Format_RGB32);
        const QImage reference = ancienTrace(m, image);
        garder(image, nom);
        garder(reference, nom + "-reference");
        const QRect zone = m.zoneTrace(cadre).toAlignedRect();
        const auto [differents, encres] = ecarts(image, reference, zone);
        ASSERT_GT(encres, 5000);
        if (!c.triee) {
            // Le repli est l'ancien tracé même.
            EXPECT_EQ(differents, 0);
            continue;
        }
        // Mêmes extrêmes et mêmes liaisons : seuls des bouts de colonnes, où le
        // zigzag allumait ou non un pixel selon ses arrondis, diffèrent.
        EXPECT_LE(differents, encres / 20) << differents << " sur " << encres;
        EXPECT_TRUE(ecartsVoisins(image, reference, zone));
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
    EXPECT_EQ(m.lire(Prop::NbJeux).toInt(), 3);
    EXPECT_EQ(m.lire(Prop::NbPoints).toInt(), 4);
    EXPECT_TRUE(m.modele().estXY());
    m.ecrire(Prop::Jeu, 3);
    m.ecrire(Prop::Point, 3);
    EXPECT_EQ(m.lireIndexe(Prop::ValeurPoint, 3).toDouble(), 8.0);
    EXPECT_EQ(m.lire(Prop::PositionX).toDouble(), 3.0);
    EXPECT_EQ(m.lireIndexe(Prop::CouleurPoint, 4).toInt(), 6);
    EXPECT_EQ(m.lire(Prop::Manquant).toInt(), 0);
    const JeuDonnees& j = m.modele().jeux[2];
    EXPECT_EQ(j.resumes().visibles(), 4);
    EXPECT_EQ(j.resumes().haut(), 8.0);
    // Chaque écriture d'un point refait les résumés : valeur, manque, plafond, position.
    m.ecrireIndexe(Prop::ValeurPoint, 2, 20.0);
    EXPECT_EQ(j.resumes().haut(), 20.0);
    m.ecrire(Prop::Point, 2);
    m.ecrire(Prop::Manquant, 1);
    EXPECT_EQ(j.resumes().visibles(), 3);
    EXPECT_EQ(j.resumes().haut(), 8.0);
    m.ecrireIndexe(Prop::Plafond, 3, 7.0);
    EXPECT_EQ(j.resumes().haut(), 5.0);
    EXPECT_TRUE(j.resumes().trie());
    m.ecrire(Prop::Point, 4);
    m.ecrire(Prop::PositionX, 0.5);
    EXPECT_FALSE(j.resumes().trie());
    // Les autres jeux suivent le nombre de points, comme par la propriété.
    EXPECT_EQ(m.modele().jeux[0].taille(), 4);
}

} // namespace
