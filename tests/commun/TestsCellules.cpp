#include "commun/Cellule.h"
#include "commun/ColonnesTypees.h"
#include "commun/LocaleUtilisateur.h"
#include "commun/TableauValeurs.h"

#include <QDateTime>
#include <gtest/gtest.h>

TEST(Cellules, VideEtTexte)
{
    LocaleUtilisateur::definir(QLocale(QLocale::French, QLocale::France));
    for (const QVariant& vide : {QVariant(), QVariant(QString()), QVariant(QStringLiteral("")), QVariant::fromValue(nullptr)})
        EXPECT_TRUE(EstVide(vide)) << vide.typeName();
    for (const QVariant& plein : {QVariant(QStringLiteral(" ")), QVariant(0), QVariant(0.0)})
        EXPECT_FALSE(EstVide(plein)) << plein.typeName();

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

TEST(Cellules, ColonnesTypeesRendentLesMemesCellules)
{
    // Les cellules d'un résultat telles que la base les rend, rangées en colonnes puis relues.
    TableauValeurs t(5, 300);
    for (int i = 0; i < 300; ++i) {
        t(0, i) = i % 7 == 0 ? QVariant() : QVariant(QDate(2000, 1, 1).addDays(i));
        t(1, i) = QStringLiteral("%1:00:00").arg(i % 24, 2, 10, QLatin1Char('0'));   // 24 textes : un octet par ligne
        t(2, i) = i % 5 == 0 ? QVariant() : QVariant(i * 0.25);                       // 300 réels : huit octets
        t(3, i) = i == 150 ? QVariant(QStringLiteral("texte")) : QVariant(qint64(i % 3));  // un texte parmi des entiers
        t(4, i) = QTime(i % 24, 30);
    }
    const ColonnesTypees c = ColonnesTypees::depuis(t);
    ASSERT_EQ(c.points(), 300);
    for (int i = 0; i < 300; ++i)
        for (int l = 0; l < 5; ++l) {
            EXPECT_EQ(c.valeur(l, i).metaType(), t(l, i).metaType()) << l << ' ' << i;
            EXPECT_EQ(c.valeur(l, i), t(l, i)) << l << ' ' << i;
        }
    EXPECT_EQ(c.tableau(), t);
    EXPECT_FALSE(c.valeur(5, 0).isValid());
    EXPECT_LT(c.colonne(1).octets(), 1024u);

    // Lectures sans cellule : un même texte a le même mot, le vide est NULL ou texte vide.
    const ColonneTypee& heures = c.colonne(1);
    EXPECT_EQ(heures.texte(25), u"01:00:00");
    EXPECT_TRUE(c.colonne(0).estVide(0));
    EXPECT_EQ(c.colonne(2).nombre(3), 0.75);
    EXPECT_FALSE(c.colonne(2).nombre(5).has_value());
    QString tampon;
    EXPECT_EQ(c.colonne(2).texteCellule(2, tampon), TexteCellule(0.5));
    ColonneTypee textes;
    textes.ajouterTexteUtf8("é", 2);
    textes.ajouterTexte(u"");
    textes.ajouterNul();
    textes.ajouterDepuis(heures, 3);
    EXPECT_EQ(textes.cellule(0).toString(), QStringLiteral("é"));
    EXPECT_TRUE(textes.estVide(1) && !textes.estNul(1) && textes.estNul(2));
    EXPECT_EQ(textes.cellule(3).toString(), "03:00:00");
}
