// La boîte d'options ouverte par l'outil 7 sur le contrôle chargé depuis la base
// d'exemple, remplie au clavier ; ce qu'elle change se voit sur le graphique tracé.
#include "SurBaseExemple.h"

#include "commun_tests/ImagesGardees.h"
#include "commun_tests/SaisieBoite.h"
#include "commun_tests/Souris.h"

#include "commun/Nombres.h"
#include "commun/Palette.h"
#include "control/HoteGraphique.h"
#include "control/VueGraphique.h"
#include "data/bases/BaseSqlite.h"
#include "render/moteur/ProprietesMoteur.h"
#include "render/moteur/SortiesImage.h"
#include "commun/Dates.h"
#include "control/ChampDate.h"
#include "settings/FrmOption.h"
#include "settings/PastilleFond.h"
#include "commun/messages/MessagesEnregistres.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <cmath>
#include <gtest/gtest.h>

namespace {

class Options : public HoteMontre
{
protected:
    FrmOption* boite() { return ctl().findChild<FrmOption*>(); }
    FrmOption& ouvrir()
    {
        ctl().declencheOutil(7);
        FrmOption* b = boite();
        EXPECT_TRUE(b && b->isVisible());
        return *b;
    }
    void bouton(qint16 index)
    {
        auto* barre = enfant<QToolBar>(boite(), "CtlToolBar1");
        QAction* action = barre->findChild<QAction*>(QStringLiteral("Bouton%1").arg(index));
        ASSERT_TRUE(action);
        QTest::mouseClick(barre->widgetForAction(action), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void fermerEtOublier()
    {
        QTest::keyClick(boite(), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QImage peint() { return SortiesImage::image(g(), QSize(1000, 600)); }
    // Pixels de la couleur de palette `couleur` sur le graphique principal peint.
    int pixels(int couleur)
    {
        const QImage image = peint();
        const QRgb cherche = 0xFF000000 | Palette::rgb(couleur);
        return compterPixels(image, image.rect(), [cherche](QRgb p) { return p == cherche; });
    }
    double premiereValeur(int courbe) { return LireNombre(ctl().CollCourbes().GetCourbe(courbe)->cellule(2, 0)).value_or(-1e9); }
};

TEST_F(Options, LesCasesDeLaGrilleSuiventLeGraphiqueEtAppliquerChangeLesNappes)
{
    // Les cases de la grille disent ce que le graphique dessine, pour chaque genre.
    const std::pair<TypeGraph, QStringList> genres[] = {
        {TypeGraph::edition, {}}, {TypeGraph::Annee, {}}, {TypeGraph::annuaire, {}}, {TypeGraph::comparaisonNormale, {}},
        {TypeGraph::Superposition, {"76401001"}}, {TypeGraph::PluvioPiezo, {"00754X0012"}}, {TypeGraph::PluvioStation, {"H8043310"}},
    };
    for (const auto& [type, autres] : genres) {
        tracer(type, "76402001", autres);
        const int grille = g().lire(Prop::Grille).toInt();
        ouvrir();
        page(*boite(), 4);
        // 1 : horizontale (les lignes des valeurs, case Y), 2 : verticale (case X), 3 : les deux.
        EXPECT_EQ(enfant<QCheckBox>(boite(), "ChkYGrid")->isChecked(), (grille & 1) != 0) << NomTypeGraph(type).toStdString() << " " << grille;
        EXPECT_EQ(enfant<QCheckBox>(boite(), "ChkXGrid")->isChecked(), (grille & 2) != 0) << NomTypeGraph(type).toStdString() << " " << grille;
        fermerEtOublier();
    }

    tracer(TypeGraph::PluvioPiezo, "76402001", {"00754X0012", "00755X0031"});
    MoteurGraphique& pluie = ctl().GraphiqueSuperposePluvio();
    ASSERT_EQ(ctl().CollCourbes().Compter(), 2);
    ASSERT_GT(pixels(2), 100);  // la seconde nappe est tracée de sa couleur
    ASSERT_EQ(pluie.lire(Prop::Grille).toInt(), 0);
    // Une échelle fixe un peu plus large que les données, pour que les deux nappes restent dedans.
    const double bas = std::floor(lire(Prop::YMin)) - 5, haut = std::ceil(lire(Prop::YMax)) + 5;

    ouvrir();
    QComboBox* motif = qobject_cast<QComboBox*>(enfant<QTableWidget>(boite(), "SprCourbes")->cellWidget(1, 2));
    motif->setFocus();
    QTest::keyClick(motif, Qt::Key_End);
    page(*boite(), 3);
    taper(*boite(), "TxtMin", TexteNombre(bas));
    taper(*boite(), "TxtMax", TexteNombre(haut));
    page(*boite(), 4);
    cocher(*boite(), "ChkXGrid");
    cocher(*boite(), "ChkYGrid");
    QTest::mouseClick(enfant<PastilleFond>(boite(), "PictureFond14"), Qt::LeftButton);
    bouton(7);
    EXPECT_TRUE(messages.textes().isEmpty()) << messages.textes().join(" | ").toStdString();
    ASSERT_TRUE(boite() && boite()->isVisible());  // 7 laisse la boîte ouverte
    EXPECT_FALSE(hote.isEnabled());

    EXPECT_EQ(pluie.lire(Prop::Grille).toInt(), 3);
    EXPECT_EQ(pluie.lire(Prop::CouleurFond).toInt(), 14);
    EXPECT_GT(pixels(1), 100);
    EXPECT_EQ(pixels(2), 0);  // la courbe "Invisible" n'est plus tracée
    fermerEtOublier();
    EXPECT_TRUE(hote.isEnabled());

    // Un redimensionnement redessine avec les mêmes options.
    hote.resize(1000, 700);
    EXPECT_EQ(lire(Prop::YMax), haut);
    EXPECT_EQ(pixels(2), 0);
}

// Une échelle fixe tapée dans les options, gardée pour le genre, coupe les crues de la station
// suivante : le graphique le dit d'une ligne et marque d'un triangle rouge, au bord, chaque
// valeur coupée ; un zoom n'est pas une échelle fixe ; l'échelle automatique n'a rien à dire.
TEST_F(Options, UneEchelleFixeQuiCoupeDesValeursLeDit)
{
    int vues = 0;
    const auto triangles = [&] {
        const QImage image = peint();
        garderImage(image, QStringLiteral("echelle-fixe-%1").arg(++vues));
        const QRect zone = g().zoneTrace(QRectF(image.rect())).toAlignedRect();
        return compterPixels(image, QRect(zone.left(), zone.top(), zone.width() - 1, 12), [](QRgb p) { return p == qRgb(200, 20, 20); });
    };
    const auto echelle = [&](const char* minimum, const char* maximum) {
        ouvrir();
        page(*boite(), 3);
        taper(*boite(), "TxtMin", QString::fromLatin1(minimum));
        taper(*boite(), "TxtMax", QString::fromLatin1(maximum));
        bouton(4);
    };
    tracer(TypeGraph::PluvioStation, "76402001", {"H8043310"});
    ASSERT_GT(ctl().CollCourbes().MaxDonnees(), 6);
    EXPECT_TRUE(g().lire(Prop::Avertissement).toString().isEmpty());
    EXPECT_EQ(triangles(), 0);
    echelle("0", "5");
    EXPECT_EQ(g().lire(Prop::Avertissement).toString(), "Échelle fixe : des valeurs dépassent 5 m³/s");
    EXPECT_GT(triangles(), 20);

    // Le graphique suivant de ce genre reprend l'échelle, et le dit encore.
    tracer(TypeGraph::PluvioStation, "76402001", {"H8043310"});
    EXPECT_EQ(g().lire(Prop::Avertissement).toString(), "Échelle fixe : des valeurs dépassent 5 m³/s");
    // Un zoom montre ce qu'on a choisi de voir ; revenu à toute la période, l'échelle fixe reparle.
    ctl().declencheOutil(3);
    glisser(ctl().vueGraphique(), dansLeTrace(ctl(), 0.2, 0.2), dansLeTrace(ctl(), 0.5, 0.8));
    EXPECT_TRUE(g().lire(Prop::Avertissement).toString().isEmpty());
    EXPECT_EQ(triangles(), 0);
    ctl().ZoomerToutePeriode();
    EXPECT_FALSE(g().lire(Prop::Avertissement).toString().isEmpty());
    // Une échelle fixe qui contient tout n'a rien à dire.
    echelle("0", "10");
    EXPECT_TRUE(g().lire(Prop::Avertissement).toString().isEmpty());
    EXPECT_EQ(triangles(), 0);
}

TEST_F(Options, ProfondeurEtCoteRechargentLesNappes)
{
    tracer(TypeGraph::PluvioPiezo, "76402001", {"00754X0012"});
    const double profondeur = premiereValeur(1);
    const double minProfondeur = ctl().CollCourbes().MinDonnees();
    ASSERT_NE(profondeur, -1e9);

    ouvrir();
    QComboBox* symbole = qobject_cast<QComboBox*>(enfant<QTableWidget>(boite(), "SprCourbes")->cellWidget(0, 3));
    symbole->setFocus();
    QTest::keyClick(symbole, Qt::Key_Home);
    page(*boite(), 3);
    QComboBox* affichage = enfant<QComboBox>(boite(), "CboAffichage");
    ASSERT_EQ(affichage->currentText(), "Profondeur");
    affichage->setFocus();
    QTest::keyClick(affichage, Qt::Key_Down);
    QTest::keyClick(affichage, Qt::Key_Return);  // Entrée : enregistrer et fermer
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(boite(), nullptr);

    // Rechargée en cote NGF : l'altitude du forage (112 m) s'ajoute aux valeurs et aux bornes.
    EXPECT_EQ(ctl().typeAffichageEchelle(), 1);
    EXPECT_EQ(hote.fenetrePrincipale()->property("typeAffichageEchelle").toInt(), 1);
    ASSERT_EQ(ctl().CollCourbes().Compter(), 1);
    EXPECT_NEAR(premiereValeur(1), profondeur + 112, 1e-6);
    EXPECT_NEAR(ctl().CollCourbes().MinDonnees(), minProfondeur + 112, 1.0);
    EXPECT_EQ(ctl().CollCourbes().GetCourbe(1)->Symbol(), 0);  // le tracé choisi survit au rechargement
    EXPECT_EQ(g().lire(Prop::TitreYGauche).toString(), "Cote en NGF");
    EXPECT_GT(pixels(1), 100);

    ouvrir();
    page(*boite(), 3);
    affichage = enfant<QComboBox>(boite(), "CboAffichage");
    EXPECT_EQ(affichage->currentText(), "Cote NGF");
    affichage->setFocus();
    QTest::keyClick(affichage, Qt::Key_Up);
    bouton(4);
    EXPECT_EQ(ctl().typeAffichageEchelle(), 0);
    EXPECT_NEAR(premiereValeur(1), profondeur, 1e-6);
    EXPECT_EQ(g().lire(Prop::TitreYGauche).toString(), "Profondeur en m");
}

} // namespace

TEST_F(Options, Outil7SurDesDonneesChargeesEtUnePeriodeTapeeResteAuRechargement)
{
    const auto recharger = [&](const QDate& debut, const QDate& fin) {
        ctl().TxtDateDebut()->setTexte(TexteDate(debut));
        ctl().TxtDateFin()->setTexte(TexteDate(fin));
        ctl().declencheChargement();
    };
    ctl().declencheOutil(3);
    ctl().declencheOutil(7);
    EXPECT_EQ(boite(), nullptr);
    EXPECT_EQ(ctl().outilCourant(), 3);

    tracer(TypeGraph::edition, "76402001");
    ctl().declencheOutil(5);
    FrmOption& b = ouvrir();
    EXPECT_EQ(ctl().outilCourant(), 5);
    EXPECT_TRUE(b.isModal());
    ctl().declencheOutil(7);         // déjà ouverte : pas de seconde boîte
    EXPECT_EQ(ctl().findChildren<FrmOption*>().size(), 1);
    fermerEtOublier();
    EXPECT_EQ(ctl().outilCourant(), 5);

    // Appliquer les options sans toucher aux dates : le rechargement suivant montre ses propres dates.
    ouvrir();
    QTest::mouseClick(enfant<PastilleFond>(boite(), "PictureFond11"), Qt::LeftButton);
    bouton(4);
    recharger({2019, 1, 1}, {2020, 12, 31});
    EXPECT_EQ(ctl().periodeTracee(), std::pair(QDate(2019, 1, 1), QDate(2020, 12, 31)));

    // Une période tapée dans la boîte est gardée, quelles que soient les dates rechargées.
    ouvrir();
    page(*boite(), 3);
    taper(*boite(), "TxtDateDebut", "01062019");
    taper(*boite(), "TxtDateFin", "30062020");
    bouton(4);
    EXPECT_TRUE(messages.textes().isEmpty()) << messages.textes().join(" | ").toStdString();
    recharger({2015, 1, 1}, {2023, 12, 31});
    EXPECT_EQ(ctl().periodeTracee(), std::pair(QDate(2019, 6, 1), QDate(2020, 6, 30)));
}
