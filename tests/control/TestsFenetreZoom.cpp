// Les fenêtres de zoom, sans écran : bornes gardées dans l'étendue entière, dates sous le pointeur.
#include "control/FenetreZoom.h"

#include <gtest/gtest.h>
#include <limits>

using B = FenetreZoom::Bornes;

TEST(FenetreZoom, MoletteEtDecalageRestentDansLEtendueDatesDeLaFenetreEtSousLePointeur)
{
    // Le facteur d'un cran et le point gardé sous le pointeur se voient au zoom à la molette sur le graphique.
    const B entiere{0, 1000};
    // Élargir près d'un bord glisse la vue plutôt que de sortir de l'étendue.
    const B bord = FenetreZoom::molette({900, 1000}, entiere, 990, -1);
    EXPECT_DOUBLE_EQ(bord.max, 1000);
    EXPECT_DOUBLE_EQ(bord.largeur(), 125);
    EXPECT_EQ(FenetreZoom::molette({100, 200}, entiere, 150, -100), entiere);
    // Resserrer sans fin s'arrête à un millionième de l'étendue.
    B fine = entiere;
    for (int i = 0; i < 20; ++i)
        fine = FenetreZoom::molette(fine, entiere, 500, 1000);
    EXPECT_NEAR(fine.largeur(), 1000 * 1e-6, 1e-12);
    EXPECT_TRUE(fine.min <= 500 && 500 <= fine.max);
    // Un pointeur hors de la vue zoome autour du bord le plus proche.
    EXPECT_DOUBLE_EQ(FenetreZoom::molette({100, 200}, entiere, -50, 1).min, 100);
    // Étendues nulles ou crans nuls : rien ne change.
    EXPECT_EQ(FenetreZoom::molette({5, 5}, entiere, 5, 1), (B{5, 5}));
    EXPECT_EQ(FenetreZoom::molette({100, 200}, {3, 3}, 150, 1), (B{100, 200}));

    EXPECT_EQ(FenetreZoom::decaler({100, 200}, entiere, 50), (B{150, 250}));
    EXPECT_EQ(FenetreZoom::decaler({100, 200}, entiere, -500), (B{0, 100}));
    EXPECT_EQ(FenetreZoom::decaler({100, 200}, entiere, 5000), (B{900, 1000}));
    EXPECT_EQ(FenetreZoom::decaler({100, 200}, entiere, std::numeric_limits<double>::quiet_NaN()), (B{100, 200}));

    // Les dates de la fenêtre et sous le pointeur.
    const QDate debut(2020, 1, 1), fin(2020, 12, 31);   // 365 jours
    const auto [d1, d2] = FenetreZoom::dates(debut, fin, {0, 730}, 73, 365);
    EXPECT_EQ(d1, QDate(2020, 2, 7));     // 36,5 jours, arrondis à 37
    EXPECT_EQ(d2, QDate(2020, 7, 2));     // 182,5 jours, arrondis à 183
    // Une vue décalée compte depuis son propre bord gauche.
    EXPECT_EQ(FenetreZoom::dates(debut, fin, {100, 465}, 100, 465).second, fin);

    const QDateTime t1(debut, QTime(0, 0)), t2(QDate(2020, 1, 11), QTime(0, 0));
    EXPECT_EQ(FenetreZoom::dateSous(t1, t2, {0, 10}, 5), QDateTime(QDate(2020, 1, 6), QTime(2, 30)));
    EXPECT_EQ(FenetreZoom::dateSous(t1, t2, {0, 10}, 0), QDateTime(debut, QTime(2, 30)));
    EXPECT_FALSE(FenetreZoom::dateSous(t1, t2, {4, 4}, 4));
    EXPECT_FALSE(FenetreZoom::dateSous(t1, t2, {0, 10}, std::numeric_limits<double>::infinity()));
    // Bornes lues en simple : la borne elle-même est dedans, au-delà non.
    EXPECT_TRUE(FenetreZoom::dedans(0.1, 0.0f, 0.1f));   // 0,1f vaut un peu plus que 0,1
    EXPECT_TRUE(FenetreZoom::dedans(double(0.1f), 0.0f, 0.1f));
    EXPECT_FALSE(FenetreZoom::dedans(0.2, 0.0f, 0.1f));
}
