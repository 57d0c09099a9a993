#include "commun/LocaleUtilisateur.h"
#include "model/Classe_Graphique.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

TEST(Courbe, AjouterValeursCompteLesPointsDUnTableauSeulementEtGetMinValeur)
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

    // La plus petite valeur d'une courbe : en nombre ou en texte (l'un ou l'autre séparateur décimal),
    // cellules vides et non numériques ignorées ; 9999 quand aucune n'est plus petite.
    LocaleUtilisateur::definir(QLocale(QLocale::French, QLocale::France));
    Classe_Graphique plusPetite;
    EXPECT_EQ(plusPetite.GetMinValeur(), 9999.0);
    const std::pair<QVariantList, double> cas[] = {
        {{12.5, QString(), 3.2}, 3.2}, {{"7,5", "2.25", "n/a"}, 2.25}, {{12000.0, 10000.0}, 9999.0}, {{-4.0, 0.0}, -4.0}};
    for (const auto& [valeurs, minimum] : cas) {
        TableauValeurs lignes(6, int(valeurs.size()));
        for (int i = 0; i < valeurs.size(); ++i)
            lignes(2, i) = valeurs[i];
        plusPetite.AjouterValeurs(lignes);
        EXPECT_EQ(plusPetite.GetMinValeur(), minimum) << minimum;
    }
    LocaleUtilisateur::definir(QLocale::system());
}

} // namespace
