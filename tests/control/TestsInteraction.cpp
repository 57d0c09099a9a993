// La souris sur le graphique du contrôle, pilotée comme une personne le ferait
// (événements QTest sur le vrai widget), sur la base d'exemple.
#include "SurBaseExemple.h"

#include "commun_tests/Souris.h"

#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "control/CelluleNombre.h"
#include "control/CtlToolBar.h"
#include "control/HoteGraphique.h"
#include "control/VueGraphique.h"
#include "entry/GrillePoints.h"
#include "render/moteur/ProprietesMoteur.h"
#include "commun/messages/MessagesEnregistres.h"

#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class Interaction : public HoteMontre
{
protected:
    VueGraphique* vue() { return ctl().vueGraphique(); }
    QPoint point(double fx, double fy) { return dansLeTrace(ctl(), fx, fy); }
    QPointF unites(const QPoint& p) { return vue()->versUnites(QPointF(p)); }
    std::array<double, 4> bornes() { return {lire(Prop::XMin), lire(Prop::XMax), lire(Prop::YMin), lire(Prop::YMax)}; }
    void glisser(const QPoint& de, const QPoint& a, Qt::MouseButton bouton = Qt::LeftButton) { ::glisser(vue(), de, a, bouton); }
    void molette(const QPoint& p, int crans) { ::molette(vue(), p, crans); }
    QString lecture(int ligne)
    {
        const QTableWidgetItem* cellule = ctl().SprAide()->item(ligne, 0);
        return cellule ? cellule->text() : QStringLiteral("(sans cellule)");
    }
};

TEST_F(Interaction, RectangleSurPluieEtNappeRefusOuLesDeuxGraphiquesSuivent)
{
    tracer(TypeGraph::PluvioPiezo, "76402001", {"00754X0012"});
    Classe_Graphiques& c = ctl().CollCourbes();
    const QDate debut = *LireDate(c.DateDebutAffichage()), fin = *LireDate(c.DateFinAffichage());
    const double xMin = lire(Prop::XMin), xMax = lire(Prop::XMax);
    MoteurGraphique& s = ctl().GraphiqueSuperposePluvio();
    const double sMin = s.lireNombre(Prop::XMin), sMax = s.lireNombre(Prop::XMax);
    ASSERT_LT(xMin, xMax);
    ASSERT_LT(sMin, sMax);

    ctl().declencheOutil(3);
    // Refusés : un clic (largeur nulle), un rectangle plat, un coin hors de la zone, parti hors de la zone (aucun cadre).
    const auto avant = bornes();
    const double yMin = avant[2], yMax = avant[3];
    const QString affiche = c.DateDebutAffichage();
    for (auto [de, a] : {std::pair{point(0.3, 0.5), point(0.3, 0.5)}, {point(0.3, 0.5), point(0.6, 0.5)},
                         {point(0.3, 0.5), QPoint(vue()->width() - 2, 2)}, {QPoint(2, 2), point(0.6, 0.6)}}) {
        glisser(de, a);
        EXPECT_EQ(bornes(), avant);
        EXPECT_EQ(c.DateDebutAffichage(), affiche);
        EXPECT_TRUE(g().calque().boites().isEmpty());
    }
    // Un point sur les bornes est dedans, un peu au-delà non.
    for (auto [x, y, attendu] : {std::tuple{xMin, yMin, true}, {xMax, yMax, true}, {xMax + (xMax - xMin) * 1e-3, yMax, false}}) {
        bool dedans = !attendu;
        ctl().PointDansGraphique(x, y, dedans);
        EXPECT_EQ(dedans, attendu) << x << " " << y;
    }

    const QPoint a = point(0.25, 0.2), b = point(0.6, 0.8);
    const QPointF ua = unites(a), ub = unites(b + QPoint(5, 5));
    QTest::mousePress(vue(), Qt::LeftButton, {}, a);
    QTest::mouseMove(vue(), b);
    // Pendant le glissement, un seul cadre sur le calque, aux coins de la souris.
    ASSERT_EQ(g().calque().boites().size(), 1);
    EXPECT_NEAR(g().calque().boites()[0].x, unites(a).x(), 1e-9);
    QTest::mouseMove(vue(), b + QPoint(5, 5));
    ASSERT_EQ(g().calque().boites().size(), 1);
    QTest::mouseRelease(vue(), Qt::LeftButton, {}, b + QPoint(5, 5));
    EXPECT_TRUE(g().calque().boites().isEmpty());

    // Le moteur montre le rectangle ; la collection garde les mêmes bornes en dates et en Y.
    EXPECT_NEAR(lire(Prop::XMin), ua.x(), 1e-6);
    EXPECT_NEAR(lire(Prop::XMax), ub.x(), 1e-6);
    // La collection garde ses bornes au centième ; le moteur prend les siennes.
    EXPECT_FALSE(c.EchelleYAuto());
    EXPECT_NEAR(c.MinY(), std::min(ua.y(), ub.y()), 0.0051);
    EXPECT_NEAR(c.MaxY(), std::max(ua.y(), ub.y()), 0.0051);
    EXPECT_DOUBLE_EQ(lire(Prop::YMin), c.MinY());
    EXPECT_DOUBLE_EQ(lire(Prop::YMax), c.MaxY());
    EXPECT_FALSE(c.EchelleXAuto());
    EXPECT_EQ(c.UniteAxeX(), "VIDE");
    const double jours = double(debut.daysTo(fin));
    EXPECT_EQ(c.DateDebutAffichage(), TexteDate(debut.addDays(std::llround(jours * (ua.x() - xMin) / (xMax - xMin)))));
    EXPECT_EQ(c.DateFinAffichage(), TexteDate(debut.addDays(std::llround(jours * (ub.x() - xMin) / (xMax - xMin)))));
    // Les pluies dessous montrent la même part de la période.
    EXPECT_NEAR((s.lireNombre(Prop::XMin) - sMin) / (sMax - sMin), (ua.x() - xMin) / (xMax - xMin), 1e-9);
    EXPECT_NEAR((s.lireNombre(Prop::XMax) - sMin) / (sMax - sMin), (ub.x() - xMin) / (xMax - xMin), 1e-9);

    // Lecture au pointeur : la date et la valeur sous lui, rien hors de la zone.
    const QPoint p = point(0.5, 0.5);
    QTest::mouseMove(vue(), p);
    const QPointF up = unites(p);
    const QDate d1 = *LireDate(c.DateDebutAffichage()), d2 = *LireDate(c.DateFinAffichage());
    const double minutes = double(QDateTime(d1, QTime()).secsTo(QDateTime(d2, QTime()))) / 60;
    const double x0 = lire(Prop::XMin), x1 = lire(Prop::XMax);
    const QDateTime attendue =
        QDateTime(d1, QTime()).addSecs(qint64(std::llround(minutes * (up.x() - x0) / (x1 - x0) * 60)) + 9000);
    EXPECT_EQ(lecture(0), TexteDate(attendue.date()));
    // La valeur, dans sa cellule de nombre : deux décimales et la virgule.
    EXPECT_TRUE(QRegularExpression("^-?[0-9]+,[0-9]{2}$").match(lecture(1)).hasMatch()) << lecture(1).toStdString();
    EXPECT_NEAR(LireNombre(lecture(1)).value_or(-1e9), up.y(), 0.0051);
    QTest::mouseMove(vue(), QPoint(2, 2));
    EXPECT_EQ(lecture(0), "");
    EXPECT_EQ(lecture(1), "");
}

TEST_F(Interaction, ZoomParPasMoletteDeplacementEtRetourAToutePeriode)
{
    tracer(TypeGraph::PluvioPiezo, "76402001", {"00754X0012"});
    Classe_Graphiques& c = ctl().CollCourbes();
    const auto avant = bornes();
    const auto [xMin, xMax, yMin, yMax] = avant;
    const QString debut = c.DateDebutAffichage();

    // Un pas depuis toute la période : X ne bouge pas, Y va à mi-chemin des données, les dates rentrent d'un jour.
    ctl().declencheOutil(2);
    QTest::mouseClick(vue(), Qt::LeftButton, {}, point(0.5, 0.5));
    EXPECT_DOUBLE_EQ(lire(Prop::XMin), std::trunc(xMin / 2));
    EXPECT_DOUBLE_EQ(lire(Prop::XMax), c.MaxAxeX() - (c.MaxAxeX() - xMax) / 2);
    EXPECT_NEAR(c.MinY(), yMin + (c.MinDonnees() - yMin) / 2, 1e-9);
    EXPECT_NEAR(c.MaxY(), yMax + (c.MaxDonnees() - yMax) / 2, 1e-9);
    const QDate chargement = *LireDate(c.DateDebutChargement());
    EXPECT_EQ(c.DateDebutAffichage(), TexteDate(chargement.addDays(1)));
    // Ce que dit la bulle du bouton : un zoom arrière ; le rectangle, lui, rapproche.
    EXPECT_TRUE(ctl().PaletteOutils()->bouton(2)->toolTip().startsWith("Zoom arrière")) << ctl().PaletteOutils()->bouton(2)->toolTip().toStdString();
    EXPECT_TRUE(ctl().PaletteOutils()->bouton(3)->toolTip().startsWith("Zoom avant"));
    // Le bouton droit ne fait rien.
    const double yApres = lire(Prop::YMin);
    QTest::mouseClick(vue(), Qt::RightButton, {}, point(0.5, 0.5));
    EXPECT_EQ(lire(Prop::YMin), yApres);

    // Molette : resserre autour du pointeur, qui garde sa place.
    ctl().declencheOutil(3);
    const QPoint p = point(0.25, 0.5);
    const double sous = unites(p).x();
    molette(p, 2);
    const double largeur = lire(Prop::XMax) - lire(Prop::XMin);
    EXPECT_NEAR(largeur, (xMax - xMin) * 0.64, (xMax - xMin) * 1e-9);
    EXPECT_NEAR(unites(p).x(), sous, largeur * 1e-6);

    // Bouton du milieu : la vue glisse de la même largeur, le point saisi reste sous le pointeur.
    const double saisi = unites(point(0.5, 0.5)).x();
    glisser(point(0.5, 0.5), point(0.6, 0.5), Qt::MiddleButton);
    EXPECT_NEAR(lire(Prop::XMax) - lire(Prop::XMin), largeur, largeur * 1e-9);
    EXPECT_NEAR(unites(point(0.6, 0.5)).x(), saisi, largeur * 1e-3);
    // On ne glisse pas au-delà du début de la période.
    for (int i = 0; i < 20; ++i)
        glisser(point(0.1, 0.5), point(0.9, 0.5), Qt::MiddleButton);
    EXPECT_DOUBLE_EQ(lire(Prop::XMin), xMin);
    // Reculer la molette au-delà de tout revient à l'étendue entière, pas plus.
    molette(p, -40);
    EXPECT_DOUBLE_EQ(lire(Prop::XMin), xMin);
    EXPECT_DOUBLE_EQ(lire(Prop::XMax), xMax);

    // Touche Début : la vue telle que chargée.
    glisser(point(0.2, 0.2), point(0.7, 0.7));
    ASSERT_NE(lire(Prop::XMin), xMin);
    vue()->setFocus();
    QTest::keyClick(vue(), Qt::Key_Home);
    EXPECT_DOUBLE_EQ(lire(Prop::XMin), xMin);
    EXPECT_EQ(c.DateDebutAffichage(), debut);
}

TEST_F(Interaction, SansPeriodeChargeeLesOutilsNeFontRien)
{
    CtlGraphique& c = ctl();
    FenetreHote fenetre;
    c.InitGraphique(TypeGraph::PluvioPiezo, nullptr, "KOR", 0, "", "", "", false, "10", "", base.get(), &fenetre, 0);
    c.declencheOutil(3);
    const double xMin = lire(Prop::XMin), xMax = lire(Prop::XMax);
    glisser(point(0.2, 0.2), point(0.7, 0.7));
    molette(point(0.5, 0.5), 3);
    QTest::mouseMove(vue(), point(0.5, 0.5));
    c.declencheOutil(4);
    QTest::mouseClick(vue(), Qt::LeftButton, {}, point(0.5, 0.5));
    EXPECT_EQ(lire(Prop::XMin), xMin);
    EXPECT_EQ(lire(Prop::XMax), xMax);
    EXPECT_EQ(c.SprPoints()->lignes(), 0);
    EXPECT_EQ(lecture(0), "");
    EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(Interaction, PointsPosesAuClicDansLaGrille)
{
    // Deux jeux : les points posés vont dans le second, celui qu'on édite.
    tracer(TypeGraph::PluvioPiezo, "76402001", {"00754X0012", "00755X0031"});
    ASSERT_EQ(g().lire(Prop::NbJeux).toInt(), 2);
    ctl().declencheOutil(4);
    GrillePoints* grille = ctl().SprPoints();
    QTest::mouseClick(vue(), Qt::LeftButton, {}, point(0.6, 0.4));
    QTest::mouseClick(vue(), Qt::LeftButton, {}, point(0.3, 0.5));
    QTest::mouseClick(vue(), Qt::LeftButton, {}, point(0.3, 0.5));   // même X : pas de seconde ligne
    QTest::mouseClick(vue(), Qt::LeftButton, {}, QPoint(2, 2));       // hors de la zone
    ASSERT_EQ(grille->lignes(), 2);
    // Rangées par X ; chaque ligne porte la date, la valeur et la position du clic.
    const QPointF u = unites(point(0.3, 0.5));
    const Classe_Graphiques& c = ctl().CollCourbes();
    const QDate debut = *LireDate(c.DateDebutAffichage()), fin = *LireDate(c.DateFinAffichage());
    const double x0 = lire(Prop::XMin), x1 = lire(Prop::XMax);
    EXPECT_EQ(grille->texte(0, 0),
              TexteDate(debut.addDays(std::llround(double(debut.daysTo(fin)) * (u.x() - x0) / (x1 - x0)))));
    EXPECT_NEAR(*LireNombre(grille->texte(0, 2)), u.y(), 0.006);
    EXPECT_NEAR(*LireNombre(grille->texte(0, 5)), u.x(), 1e-4);
    EXPECT_LT(*LireNombre(grille->texte(0, 5)), *LireNombre(grille->texte(1, 5)));
    // Chaque point est marqué sur le graphique et placé dans le jeu édité.
    EXPECT_GE(g().calque().symboles().size(), 2);
    g().ecrire(Prop::Jeu, 2);
    g().ecrire(Prop::Point, 1);
    EXPECT_NEAR(g().lireNombre(Prop::PositionX), u.x(), 1e-4);
    EXPECT_TRUE(messages.messages().isEmpty());
    // L'hôte fait enregistrer les points (la question refusée, ils restent), puis les efface.
    messages.repondre(false);
    ctl().DeclencheEnregistrer();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(grille->lignes(), 2);
    ctl().DeclencheSupprimer();
    EXPECT_EQ(grille->lignes(), 0);
}

// Ce que le moteur écrit dans la cellule de la valeur (« #.## », point ou virgule) s'y lit en nombre.
TEST(CelluleDeLecture, NombreADeuxDecimalesAvecLaVirgule)
{
    const std::pair<const char*, const char*> cas[] = {{".51", "0,51"}, {",51", "0,51"}, {"3.", "3,00"}, {"3,", "3,00"},
                                                        {"-2.5", "-2,50"}, {"-.001", "0,00"}, {"4596.2", "4596,20"},
                                                        {"12345678", "12345678,00"}, {"", ""}, {"abc", ""}};
    CelluleNombre cellule(2);
    for (const auto& [ecrit, vu] : cas) {
        cellule.setText(QString::fromUtf8(ecrit));
        EXPECT_EQ(cellule.text(), QString::fromUtf8(vu)) << ecrit;
    }
}

} // namespace

