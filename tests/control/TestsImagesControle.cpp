// Trois graphiques dessinés par le contrôle comme un hôte les demanderait ; les
// images sont gardées dans GRAPHIQUE_IMAGES_TESTS quand il nomme un dossier.
#include "HoteTest.h"

#include "commun_tests/JourFixe.h"
#include "render/moteur/ProprietesMoteur.h"
#include "render/moteur/SortiesImage.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

const QSize taille(1200, 700);

QImage garder(CtlGraphique& ctl, const QString& nom)
{
    const QImage image = SortiesImage::image(ctl.Graphique(), taille);
    const QString dossier = qEnvironmentVariable("GRAPHIQUE_IMAGES_TESTS");
    if (!dossier.isEmpty()) {
        QDir().mkpath(dossier);
        image.save(QDir(dossier).filePath(nom + ".png"));
    }
    return image;
}

class ImagesControle : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ctl = new CtlGraphique(&formulaire);
        formulaire.resize(taille);
        ctl->resize(taille);
        formulaire.show();
    }
    void init(TypeGraph type)
    {
        ctl->InitGraphique(type, nullptr, "KOR", 0, "", "", "", false, "10", "", nullptr, &fenetre, 0);
    }
    QRect zone() { return ctl->Graphique().zoneTrace(QRectF(QPointF(0, 0), QSizeF(taille))).toAlignedRect(); }

    MagasinTemporaire magasin;
    JourFixe jour{QDate(2024, 3, 15)};
    FenetreHote fenetre;
    FormulaireHote formulaire;
    CtlGraphique* ctl = nullptr;
};

TEST_F(ImagesControle, GraphiqueAnnuelAvecSesStatistiques)
{
    init(TypeGraph::Annee);
    Classe_Graphiques& c = ctl->CollCourbes();
    c.setCodePeriode("MOIS");
    c.setUniteAxeX("M");
    const QDate janvier(2023, 1, 1);
    const auto mensuel = [&](double facteur, int graine) {
        return serieMensuelle(janvier, 12, [=](int, QDate d) { return std::round(pluieMensuelle(d, graine) * facteur * 10) / 10; });
    };
    c.AjouterCourbe(courbe("Saint-Martin", 1, mensuel(1.0, 0)));
    c.AjouterCourbe(courbe("Min", 12, serieMensuelle(janvier, 12, [](int, QDate d) { return 0.35 * (70 + 35 * std::cos((d.month() - 1) * 0.5236)); })));
    c.AjouterCourbe(courbe("Moyenne", 10, serieMensuelle(janvier, 12, [](int, QDate d) { return 1.0 * (70 + 35 * std::cos((d.month() - 1) * 0.5236)); })));
    c.AjouterCourbe(courbe("Max", 9, serieMensuelle(janvier, 12, [](int, QDate d) { return 1.6 * (70 + 35 * std::cos((d.month() - 1) * 0.5236)); })));
    c.AjouterCourbe(courbe("Médiane", 5, serieMensuelle(janvier, 12, [](int, QDate d) { return 0.95 * (70 + 35 * std::cos((d.month() - 1) * 0.5236)); })));
    c.AjouterCourbe(courbe("Normales MétéoFrance", 3, serieMensuelle(janvier, 12, [](int, QDate d) { return 1.05 * (68 + 30 * std::cos((d.month() - 1) * 0.5236)); })));
    c.setMinDonnees(0);
    c.setMaxDonnees(200);
    ctl->Graphique().ecrire(Prop::TypeGraphe, 6);
    ctl->AffichageGraphique(false, false, "MOIS");
    const QImage image = garder(*ctl, "annee-statistiques");
    for (int couleur : {1, 12, 10, 9, 5, 3})
        EXPECT_GT(pixelsDeCouleur(image, couleur, zone()), 150) << couleur;
    EXPECT_EQ(pixelsDeCouleur(image, 9, QRect(0, 0, zone().left() - 2, taille.height())), 0);
}

TEST_F(ImagesControle, HistogrammeMensuelSurCinqAns)
{
    init(TypeGraph::edition);
    Classe_Graphiques& c = ctl->CollCourbes();
    c.setDateDebutChargement("01/01/2019");
    c.setDateFinChargement("31/12/2023");
    c.setCodePeriode("MOIS");
    c.setUniteAxeX("M");
    c.AjouterCourbe(courbe("Pluie", 11, serieMensuelle(QDate(2019, 1, 1), 60, [](int, QDate d) { return pluieMensuelle(d); })));
    c.setMinDonnees(0);
    c.setMaxDonnees(200);
    ctl->Graphique().ecrire(Prop::TypeGraphe, 3);
    ctl->AffichageGraphique(false, false, "MOIS");
    const QImage image = garder(*ctl, "histogramme-mensuel");
    EXPECT_GT(pixelsDeCouleur(image, 11, zone()), 20000);
    // Soixante barres : une ligne traversant le tracé rencontre soixante plages de couleur.
    const int y = zone().bottom() - 5;
    int barres = 0;
    bool dans = false;
    for (int x = zone().left(); x <= zone().right(); ++x) {
        const bool c11 = pixelsDeCouleur(image, 11, QRect(x, y, 1, 1)) == 1;
        barres += (c11 && !dans) ? 1 : 0;
        dans = c11;
    }
    EXPECT_EQ(barres, 60);
}

TEST_F(ImagesControle, PluieSuperposeeALaNappe)
{
    init(TypeGraph::PluvioPiezo);
    Classe_Graphiques& c = ctl->CollCourbes();
    Classe_Graphiques& pluie = ctl->CollCourbes2();
    for (Classe_Graphiques* coll : {&c, &pluie}) {
        coll->setDateDebutChargement("01/01/2019");
        coll->setDateFinChargement("31/12/2023");
        coll->setEchelleXAuto(true);
        coll->setUniteAxeX("A");
        coll->setCodePeriode("MOIS");
    }
    // Des niveaux qui montent après les mois humides et baissent l'été.
    const QDate debut(2019, 1, 1);
    double niveau = 8.0;
    TableauValeurs piezo = serie(debut, 1826, 1, [&](int, QDate d) {
        niveau += 0.012 * (pluieMensuelle(d) - 70) / 30.0 - 0.002 * (niveau - 8.0);
        return std::round(niveau * 100) / 100;
    });
    c.AjouterCourbe(courbe("1", 4, piezo));
    c.setMinDonnees(5);
    c.setMaxDonnees(12);
    const int padding = 6;
    TableauValeurs mois(7, 60 + padding);
    for (int i = padding; i < 60 + padding; ++i) {
        const QDate d = debut.addMonths(i - padding);
        mois(0, i) = d.toString("dd/MM/yyyy");
        mois(1, i) = QStringLiteral("12:00:00");
        mois(2, i) = pluieMensuelle(d);
    }
    pluie.AjouterCourbe(courbe("Pluie", 9, mois));
    pluie.setMinDonnees(0);
    pluie.setMaxDonnees(400);
    ctl->AffichageGraphiqueSuperposepluvioPiezo(false, false, nullptr);
    const QImage image = garder(*ctl, "pluie-nappe");
    EXPECT_GT(pixelsDeCouleur(image, 4, zone()), 800);     // la courbe de nappe
    // Les barres de pluie, bleu translucide, dessous et dans la zone de tracé seulement.
    int bleus = 0;
    const QRect z = zone();
    for (int y = z.top(); y <= z.bottom(); ++y)
        for (int x = z.left(); x <= z.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            bleus += qBlue(p) > 200 && qRed(p) < 160 && qGreen(p) < 160;
        }
    EXPECT_GT(bleus, 3000);
    EXPECT_EQ(ctl->Graphique().lire(Prop::TitreYDroite).toString(), "Précipitations en mm");
}

} // namespace
