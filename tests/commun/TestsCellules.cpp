#include "commun/Cellule.h"
#include "commun/LocaleUtilisateur.h"
#include "commun/TableauValeurs.h"

#include <QDateTime>
#include <gtest/gtest.h>

TEST(Cellules, VideEtTexte)
{
    LocaleUtilisateur::definir(QLocale(QLocale::French, QLocale::France));
    EXPECT_TRUE(EstVide(QVariant()));
    EXPECT_TRUE(EstVide(QString()));
    EXPECT_TRUE(EstVide(QStringLiteral("")));
    EXPECT_TRUE(EstVide(QVariant::fromValue(nullptr)));
    EXPECT_FALSE(EstVide(QStringLiteral(" ")));
    EXPECT_FALSE(EstVide(0));
    EXPECT_FALSE(EstVide(0.0));

    EXPECT_EQ(TexteCellule(QVariant()), "");
    EXPECT_EQ(TexteCellule(12.5), "12,5");
    EXPECT_EQ(TexteCellule(3), "3");
    EXPECT_EQ(TexteCellule(QDate(2004, 3, 5)), "05/03/2004");
    EXPECT_EQ(TexteCellule(QDateTime(QDate(2004, 3, 5), QTime(0, 0))), "05/03/2004");
    EXPECT_EQ(TexteCellule(QDateTime(QDate(2004, 3, 5), QTime(8, 30))), "05/03/2004 08:30:00");
    EXPECT_EQ(TexteCellule(QTime(8, 30)), "08:30:00");
    EXPECT_EQ(TexteCellule(true), "Vrai");
    LocaleUtilisateur::definir(QLocale::system());
}

TEST(Cellules, TableauIndexeParLigneEtPoint)
{
    TableauValeurs t(6, 3);
    EXPECT_EQ(t.borneSup(1), 5);
    EXPECT_EQ(t.borneSup(2), 2);
    EXPECT_TRUE(t.definir(0, 2, QStringLiteral("05/03/2004")));
    EXPECT_TRUE(t.definir(2, 2, 12.5));
    EXPECT_FALSE(t.definir(6, 0, 1));   // hors bornes : rien d'écrit
    EXPECT_FALSE(t.definir(0, 3, 1));
    EXPECT_FALSE(t.definir(-1, 0, 1));
    EXPECT_FALSE(t.valeur(0, 3).isValid());
    EXPECT_EQ(t.valeur(2, 2).toDouble(), 12.5);

    // Les copies deviennent indépendantes dès qu'on y écrit.
    TableauValeurs copie = t;
    copie(2, 2) = 1.0;
    EXPECT_EQ(t(2, 2).toDouble(), 12.5);
    EXPECT_FALSE(copie == t);

    // Agrandir ou réduire garde les cellules des points qui restent.
    t.redimensionnerPoints(5);
    EXPECT_EQ(t.points(), 5);
    EXPECT_EQ(t(0, 2).toString(), "05/03/2004");
    EXPECT_FALSE(t(0, 4).isValid());
    t.redimensionnerPoints(1);
    EXPECT_EQ(t.borneSup(2), 0);
    EXPECT_TRUE(TableauValeurs().estVide());
    EXPECT_EQ(TableauValeurs().borneSup(2), -1);

    // Porté par un QVariant, et retrouvé seulement dans un variant qui en porte un.
    const QVariant v = QVariant::fromValue(copie);
    ASSERT_NE(TableauDans(v), nullptr);
    EXPECT_EQ(TableauDans(v)->valeur(2, 2).toDouble(), 1.0);
    EXPECT_EQ(TableauDans(QStringLiteral("abc")), nullptr);
    EXPECT_EQ(TableauDans(QVariant()), nullptr);
}
