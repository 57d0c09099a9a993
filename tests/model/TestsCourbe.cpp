#include "commun/LocaleUtilisateur.h"
#include "model/Classe_Graphique.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

TEST(Courbe, AjouterValeursCompteLesPointsDUnTableauSeulement)
{
    Classe_Graphique c;
    TableauValeurs t(6, 10);
    t(2, 9) = 4.0;
    EXPECT_TRUE(QMetaObject::invokeMethod(&c, "AjouterValeurs", Q_ARG(QVariant, QVariant::fromValue(t))));
    EXPECT_EQ(c.NbValeurs(), 10);
    // Une copie est gardée : modifier ensuite le tableau de l'appelant ne change rien.
    t(2, 9) = 99.0;
    EXPECT_EQ(c.cellule(2, 9).toDouble(), 4.0);

    // Une valeur qui n'est pas un tableau à deux dimensions est gardée telle quelle ; le compte ne bouge pas.
    c.AjouterValeurs(QVariant(QStringLiteral("pas un tableau")));
    EXPECT_EQ(c.Valeurs().toString(), "pas un tableau");
    EXPECT_EQ(c.NbValeurs(), 10);
    EXPECT_EQ(c.tableau(), nullptr);
    Classe_Graphique neuve;
    neuve.AjouterValeurs(QVariant(QStringList{"a", "b"}));
    EXPECT_EQ(neuve.NbValeurs(), 0);

    // Un tableau sans points en compte zéro.
    c.AjouterValeurs(TableauValeurs(6, 0));
    EXPECT_EQ(c.NbValeurs(), 0);
}

TEST(Courbe, GetMinValeur)
{
    LocaleUtilisateur::definir(QLocale(QLocale::French, QLocale::France));
    Classe_Graphique c;
    EXPECT_EQ(c.GetMinValeur(), 9999.0);
    TableauValeurs t(6, 3);
    t(2, 0) = 12.5;
    t(2, 1) = QString();
    t(2, 2) = 3.2;
    c.AjouterValeurs(t);
    EXPECT_EQ(c.GetMinValeur(), 3.2);

    // Valeurs en texte, avec l'un ou l'autre séparateur décimal ; cellules vides et non numériques ignorées.
    TableauValeurs texte(6, 4);
    texte(2, 0) = QStringLiteral("7,5");
    texte(2, 1) = QStringLiteral("2.25");
    texte(2, 2) = QStringLiteral("n/a");
    c.AjouterValeurs(texte);
    EXPECT_EQ(c.GetMinValeur(), 2.25);

    TableauValeurs grands(6, 2);
    grands(2, 0) = 12000.0;
    grands(2, 1) = 10000.0;
    c.AjouterValeurs(grands);
    EXPECT_EQ(c.GetMinValeur(), 9999.0);

    TableauValeurs negatifs(6, 2);
    negatifs(2, 0) = -4.0;
    negatifs(2, 1) = 0.0;
    c.AjouterValeurs(negatifs);
    EXPECT_EQ(c.GetMinValeur(), -4.0);
    LocaleUtilisateur::definir(QLocale::system());
}

} // namespace
