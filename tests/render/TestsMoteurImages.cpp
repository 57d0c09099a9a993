#include "ScenariosMoteur.h"

#include "commun/Palette.h"
#include "commun_tests/Fichiers.h"
#include "commun_tests/Pixels.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace scenarios;

namespace {

const QSize taille(900, 560);
const QRectF cadre(QPointF(0, 0), QSizeF(taille));

QRgb palette(int n)
{
    return 0xFF000000u | Palette::rgb(n);
}

// Pixels d'une couleur dans un rectangle de l'image.
int compter(const QImage& image, const QRect& r, QRgb couleur)
{
    return compterPixels(image, r, [&](QRgb p) { return procheCouleur(p, couleur); });
}

// Rectangle englobant ce qui n'est pas de la couleur du fond, dans un rectangle.
QRect encre(const QImage& image, const QRect& r, QRgb fond)
{
    QRect b;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (!procheCouleur(image.pixel(x, y), fond, 8))
                b = b.united(QRect(x, y, 1, 1));
    return b;
}

TEST(MoteurImages, GraphiqueEnLignesSurDeuxAxes)
{
    MoteurGraphique m;
    ecrire(m, {{Prop::Reinitialisation, 9}, {Prop::CouleurFond, 15}, {Prop::TypeGraphe, 6}, {Prop::Grille, 3}});
    libellesX(m, mois());
    // L'axe de droite et ses libellés donnés, puis celui de gauche, aux libellés donnés eux aussi.
    ecrire(m, {{Prop::AxeY, 1}, {Prop::ModeEchelleY, 2}, {Prop::DivisionsY, 4}, {Prop::YMax, 200}, {Prop::YMin, 0}});
    for (int i = 1; i <= 5; ++i)
        ecrire(m, {{Prop::Point, i}, {Prop::LibelleDroit, QString::number((i - 1) * 50) + " mm"}});
    m.ecrire(Prop::TitreYDroite, "Cumul en mm");
    axeGauche(m, 0, 100, 5, "Précipitations en mm");
    for (int i = 1; i <= 6; ++i)
        m.ecrireIndexe(Prop::LibelleGauche, i, QString::number((i - 1) * 20) + " mm");
    jeu(m, 1, 12, {80, 65, 50, 40, 30, 10, 5, 15, 35, 60, 75, 90});
    m.ecrire(Prop::Dessin, 2);
    const QImage image = SortiesImage::image(m, taille);
    garderImage(image, "lignes");

    const QRect zone = m.zoneTrace(cadre).toAlignedRect();
    ASSERT_TRUE(QRect(QPoint(0, 0), taille).contains(zone));
    // Le trait rouge est dans la zone de tracé, et seulement là.
    EXPECT_GT(compter(image, zone, palette(12)), 300);
    EXPECT_EQ(compter(image, QRect(0, 0, taille.width(), zone.top() - 2), palette(12)), 0);
    EXPECT_EQ(compter(image, QRect(0, zone.bottom() + 2, taille.width(), 200), palette(12)), 0);
    // Le premier point (80 mm, premier créneau) et le septième (5 mm) sont là où l'échelle les place.
    const QPointF p1 = m.versPixels({0.5, 80}, cadre);
    const QPointF p7 = m.versPixels({6.5, 5}, cadre);
    EXPECT_GT(compter(image, QRect(p1.toPoint() - QPoint(3, 3), QSize(7, 7)), palette(12)), 5);
    EXPECT_GT(compter(image, QRect(p7.toPoint() - QPoint(3, 3), QSize(7, 7)), palette(12)), 5);
    EXPECT_GT(p7.y(), p1.y() + zone.height() * 0.6);
    // Libellés sous le tracé et de chaque côté, tous dans l'image.
    EXPECT_TRUE(encre(image, QRect(zone.left() - 20, zone.bottom() + 3, zone.width() + 40, taille.height() - zone.bottom() - 3),
                      0xFFFFFFFF).isValid());
    const QRect gauche = encre(image, QRect(0, zone.top() - 8, zone.left() - 2, zone.height() + 16), 0xFFFFFFFF);
    const QRect droite = encre(image, QRect(zone.right() + 3, zone.top() - 8, taille.width() - zone.right() - 3, zone.height() + 16),
                               0xFFFFFFFF);
    ASSERT_TRUE(gauche.isValid());
    ASSERT_TRUE(droite.isValid());
    EXPECT_GT(gauche.left(), 0);
    EXPECT_LT(droite.right(), taille.width() - 1);
}

TEST(MoteurImages, HistogrammeSurLAxe)
{
    MoteurGraphique m;
    m.ecrire(Prop::TypeGraphe, 3);
    libellesX(m, mois());
    axeGauche(m, -20, 100, 6, "Ecart en mm");
    const std::vector<double> v = {80, 65, 50, 40, 30, -10, -15, 15, 35, 60, 75, 90};
    jeu(m, 1, 9, v);
    for (int p = 1; p <= 12; ++p)
        m.ecrireIndexe(Prop::CouleurPoint, p, v[std::size_t(p - 1)] > 0 ? 9 : 12);
    m.ecrire(Prop::Dessin, 2);
    const QImage image = SortiesImage::image(m, taille);
    garderImage(image, "barres");

    // Chaque barre part de la ligne du zéro : bleue au-dessus, rouge en dessous, aucune ne la traverse.
    const double zero = m.versPixels({0, 0}, cadre).y();
    for (int p = 1; p <= 12; ++p) {
        const QPointF centre = m.versPixels({p - 0.5, v[std::size_t(p - 1)] / 2}, cadre);
        const QRgb attendu = palette(v[std::size_t(p - 1)] > 0 ? 9 : 12);
        EXPECT_TRUE(procheCouleur(image.pixel(centre.toPoint()), attendu)) << p;
        const QPointF dessus = m.versPixels({p - 0.5, v[std::size_t(p - 1)]}, cadre);
        if (v[std::size_t(p - 1)] > 0) {
            EXPECT_FALSE(procheCouleur(image.pixel(QPoint(int(centre.x()), int(zero) + 4)), attendu)) << p;
            EXPECT_FALSE(procheCouleur(image.pixel(QPoint(int(centre.x()), int(dessus.y()) - 4)), attendu)) << p;
        }
    }
    // Des barres larges gardent un filet entre elles.
    const QPointF bord = m.versPixels({1.0, 20}, cadre);
    EXPECT_FALSE(procheCouleur(image.pixel(bord.toPoint() - QPoint(1, 0)), palette(9)));
}

TEST(MoteurImages, BarresSurUnAxeQuiNePartPasDeZero)
{
    // Un zoom sur des barres : l'axe va de 20 à 160, chaque barre s'arrête à sa valeur.
    MoteurGraphique m;
    m.ecrire(Prop::TypeGraphe, 3);
    axeGauche(m, 20, 160, 7, "Précipitations en mm");
    const std::vector<double> v = {27, 90, 150, 12};
    jeu(m, 1, 9, v);
    m.ecrire(Prop::Dessin, 2);
    const QImage image = SortiesImage::image(m, taille);
    const QRect zone = m.zoneTrace(cadre).toAlignedRect();
    for (int p = 1; p <= int(v.size()); ++p) {
        const QPointF dessus = m.versPixels({p - 0.5, v[std::size_t(p - 1)]}, cadre);
        const int x = int(dessus.x());
        if (v[std::size_t(p - 1)] < 20) {
            // Sous le bas de l'axe : rien de la barre dans la zone de tracé.
            EXPECT_EQ(compter(image, QRect(x, zone.top(), 1, zone.height() - 2), palette(9)), 0) << p;
            continue;
        }
        EXPECT_TRUE(procheCouleur(image.pixel(x, int(dessus.y()) + 4), palette(9))) << p;
        EXPECT_FALSE(procheCouleur(image.pixel(x, int(dessus.y()) - 4), palette(9))) << p;
        EXPECT_TRUE(procheCouleur(image.pixel(x, zone.bottom() - 2), palette(9))) << p;
    }
}

TEST(MoteurImages, BarresEmpileesOuCoteACote)
{
    for (int empile : {0, 2}) {
        MoteurGraphique m;
        m.ecrire(Prop::TypeGraphe, 3);
        axeGauche(m, 0, 100, 5, " ");
        jeu(m, 1, 9, {30, 30, 30});
        jeu(m, 2, 12, {40, 40, 40});
        ecrire(m, {{Prop::EmpilementBarres, empile}, {Prop::Dessin, 2}});
        const QImage image = SortiesImage::image(m, taille);
        garderImage(image, empile ? "barres-empilees" : "barres-cote-a-cote");
        const QPoint basMilieu = m.versPixels({1.5, 15}, cadre).toPoint();
        const QPoint hautMilieu = m.versPixels({1.5, 55}, cadre).toPoint();
        if (empile) {
            // Une barre par point : le premier jeu en bas, le second par-dessus jusqu'à 70.
            EXPECT_TRUE(procheCouleur(image.pixel(basMilieu), palette(9)));
            EXPECT_TRUE(procheCouleur(image.pixel(hautMilieu), palette(12)));
            EXPECT_FALSE(procheCouleur(image.pixel(m.versPixels({1.5, 75}, cadre).toPoint()), palette(12)));
        } else {
            // Deux barres dans le créneau, la première sur la moitié gauche, la seconde à droite.
            EXPECT_TRUE(procheCouleur(image.pixel(m.versPixels({1.3, 15}, cadre).toPoint()), palette(9)));
            EXPECT_TRUE(procheCouleur(image.pixel(m.versPixels({1.7, 15}, cadre).toPoint()), palette(12)));
            EXPECT_FALSE(procheCouleur(image.pixel(hautMilieu), palette(12)));
        }
    }
}

TEST(MoteurImages, CourbeXYAvecUnPointManquant)
{
    MoteurGraphique m;
    ecrire(m, {{Prop::Reinitialisation, 9}, {Prop::TypeGraphe, 6}, {Prop::NbJeux, 0}, {Prop::NbJeux, 1}, {Prop::XMin, 0},
               {Prop::XMax, 1000}});
    libellesX(m, {"2001", "2002", "2003", "2004", "2005"});
    axeGauche(m, 0, 20, 4, "Profondeur en m");
    ecrire(m, {{Prop::Jeu, 1}, {Prop::NbPoints, 101}});
    for (int p = 1; p <= 101; ++p) {
        m.ecrire(Prop::Point, p);
        m.ecrireIndexe(Prop::Plafond, p, 9999.0);
        ecrire(m, {{Prop::PositionX, (p - 1) * 10.0 + 0.1},
                   {Prop::ValeurTexte, QString::number(10 + 5 * std::sin(p / 8.0)).replace('.', ',')},
                   {Prop::Manquant, p == 51 ? 1 : 0}});
    }
    for (int p = 1; p <= 101; ++p)
        m.ecrireIndexe(Prop::CouleurPoint, p, 4);
    m.ecrire(Prop::Dessin, 2);
    const QImage image = SortiesImage::image(m, taille);
    garderImage(image, "xy-manquant");

    EXPECT_EQ(m.lire(Prop::XMax).toDouble(), 1000.0);
    // Le trait atteint les deux bords du trou, mais pas son milieu.
    auto colonneCouleur = [&](double x) {
        const int px = int(m.versPixels({x, 0}, cadre).x());
        return compter(image, QRect(px, 0, 1, taille.height()), palette(4));
    };
    for (const double x : {480.0, 520.0, 10.0, 990.0})
        EXPECT_GT(colonneCouleur(x), 0) << x;
    for (const double x : {500.0, 495.0})
        EXPECT_EQ(colonneCouleur(x), 0) << x;
}

TEST(MoteurImages, ImageDeFondEcriteParUnAutreGraphique)
{
    QTemporaryDir dossier;
    MoteurGraphique::definirDossierImages(dossier.path());
    // Le graphique de pluie écrit sa zone de tracé dans le fichier image…
    MoteurGraphique pluie(QStringLiteral("GraphiqueSuperposePluvio"));
    pluie.setTaille(taille);
    pluie.ecrire(Prop::TypeGraphe, 3);
    axeGauche(pluie, 0, 50, 5, " ");
    jeu(pluie, 1, 9, {10, 40, 20, 5, 0, 30, 45, 15, 25, 35});
    ecrire(pluie, {{Prop::FichierImage, "tmp.WMF"}, {Prop::Dessin, 6}});
    ASSERT_TRUE(QFile::exists(dossier.filePath("tmp.WMF")));

    // …que le graphique principal pose sous sa propre courbe, dans sa zone de tracé.
    MoteurGraphique principal;
    ecrire(principal, {{Prop::PlacementImageFond, 4}, {Prop::ImageFond, "tmp.WMF"}, {Prop::TypeGraphe, 6}});
    axeGauche(principal, 0, 20, 4, "Profondeur en m");
    jeu(principal, 1, 12, {5, 6, 7, 8, 9, 10, 11, 12, 13, 14});
    principal.ecrire(Prop::Dessin, 2);
    const QImage image = SortiesImage::image(principal, taille);
    garderImage(image, "image-fond");
    const QRect zone = principal.zoneTrace(cadre).toAlignedRect();
    EXPECT_GT(compter(image, zone, palette(9)), 2000);                       // les barres de pluie
    EXPECT_EQ(compter(image, QRect(0, 0, zone.left() - 1, taille.height()), palette(9)), 0);
    EXPECT_GT(compter(image, zone, palette(12)), 200);                       // la courbe par-dessus
    // La septième barre (45 mm sur 50) monte près du haut du tracé.
    const int x7 = int(zone.left() + zone.width() * 6.5 / 10);
    EXPECT_TRUE(procheCouleur(image.pixel(x7, zone.top() + zone.height() / 8), palette(9)));
    MoteurGraphique::definirDossierImages(QString());
}

TEST(MoteurImages, LesSortiesFichiers)
{
    QTemporaryDir dossier;
    MoteurGraphique m;
    libellesX(m, mois());
    jeu(m, 1, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    ecrire(m, {{Prop::TitreGraphique, "Pluviomètre de Saint-Martin"}, {Prop::Dessin, 2}});
    for (const char* nom : {"g.png", "g.svg", "g.pdf"}) {
        const QString chemin = dossier.filePath(nom);
        EXPECT_TRUE(SortiesImage::ecrire(m, chemin, taille)) << nom;
        EXPECT_GT(QFileInfo(chemin).size(), 1000) << nom;
    }
    EXPECT_TRUE(QString::fromUtf8(lireFichier(dossier.filePath("g.svg"))).contains("Pluviomètre de Saint-Martin"));
    EXPECT_FALSE(SortiesImage::ecrire(m, dossier.filePath("g.bmp2"), taille));
    EXPECT_FALSE(SortiesImage::ecrire(m, dossier.filePath("absent/g.png"), taille));
    EXPECT_FALSE(QFile::exists(dossier.filePath("absent/g.png")));
}

} // namespace
