#include "data/AgregationPluie.h"
#include "data/CalculsStatistiques.h"

#include <gtest/gtest.h>

using namespace AgregationPluie;

namespace {

// Sommes telles que la base les renvoie : date de période, somme, clé de tri.
ColonnesTypees donnees(const QList<std::tuple<QString, QVariant, QString>>& lignes)
{
    TableauValeurs t(lignesPoint, int(lignes.size()));
    for (int i = 0; i < lignes.size(); ++i) {
        t(0, i) = std::get<0>(lignes[i]);
        t(1, i) = QStringLiteral("12:00:00");
        t(2, i) = std::get<1>(lignes[i]);
        t(3, i) = t(4, i) = t(5, i) = QString();
        t(6, i) = std::get<2>(lignes[i]);
    }
    return ColonnesTypees::depuis(t);
}

ColonnesTypees squelette(const QStringList& mois, int annee)
{
    TableauValeurs t(2, int(mois.size()));
    for (int i = 0; i < mois.size(); ++i) {
        t(0, i) = QStringLiteral("01/%1/%2").arg(mois[i]).arg(annee);
        t(1, i) = QStringLiteral("%1%2").arg(annee).arg(mois[i]);
    }
    return ColonnesTypees::depuis(t);
}

// Les sommes d'une période absente du squelette n'ont pas de place ; sans squelette, aucun point.
// Le reste de la fusion (zéros, cumuls, heures et clés des points) se vérifie sur une base (Chargeurs).
TEST(Agregation, LeSqueletteDecideDesPoints)
{
    const ColonnesTypees avant = donnees({{"01/12/2003", 3.0, "200312"}, {"01/01/2004", 4.0, "200401"}});
    double maximum = 0;
    EXPECT_EQ(fusionner(avant, 2, squelette({"01", "02", "03", "04"}, 2004), 4, false, maximum).tableau().valeur(2, 0).toDouble(), 4.0);
    EXPECT_EQ(fusionner(avant, 2, ColonnesTypees(2), 0, false, maximum).points(), 0);
}

TEST(Agregation, BornesDeLAxeDesValeurs)
{
    // 37,2 donne 40 pendant la fusion, puis la centaine suivante.
    double m = 0;
    monterMaximum(37.2, m);
    EXPECT_EQ(m, 40.0);
    EXPECT_EQ(maximumFinal(m), 100.0);
    // Déjà au-dessus : inchangé ; une centaine reste telle quelle.
    m = 300;
    monterMaximum(137, m);
    EXPECT_EQ(maximumFinal(m), 300.0);
    // Les grands cumuls vont de 500 en 500.
    m = 0;
    monterMaximum(1234.5, m);
    EXPECT_EQ(m, 1500.0);
    EXPECT_EQ(maximumFinal(m), 1500.0);
    // Les valeurs plus petites qui suivent ne le bougent pas.
    for (double v : {1200.0, 900.0, 1499.0})
        monterMaximum(v, m);
    EXPECT_EQ(m, 1500.0);
    // Une valeur juste au-dessus de la dizaine arrondie monte de 10 de plus.
    m = 0;
    monterMaximum(44.9, m);
    EXPECT_EQ(m, 50.0);
}

TEST(Agregation, DecalageEnTete)
{
    EXPECT_EQ(decalageTete(Periode::Mois, 1), 1);
    EXPECT_EQ(decalageTete(Periode::Mois, 12), 14);
    EXPECT_EQ(decalageTete(Periode::Trimestre, 5), 2);
    EXPECT_EQ(decalageTete(Periode::Annee, 1), 0);
    EXPECT_EQ(decalageTete(Periode::Annee, 30), 3);
    EXPECT_EQ(decalageTete(Periode::Hydro, 30), 4);
    EXPECT_EQ(decalageTete(Periode::Decade, 30), 0);
    const TableauValeurs d = avecDecalage(donnees({{"01/01/2004", 1.0, "1"}}), 2).tableau();
    EXPECT_EQ(d.points(), 3);
    EXPECT_FALSE(d(0, 1).isValid());
    EXPECT_EQ(d(0, 2).toString(), "01/01/2004");
}

TEST(Statistiques, QuintilesEtMediane)
{
    using namespace CalculsStatistiques;
    EXPECT_FALSE(quintiles({})[0]);
    EXPECT_DOUBLE_EQ(*centile({0, 100}, 0.2), 20);   // une année au total nul compte
    EXPECT_DOUBLE_EQ(*mediane({10, 20, 30, 40}), 25);
    EXPECT_FALSE(mediane({}));

    EXPECT_EQ(bornesEcarts({-30, 5, 12}), std::make_pair(-100.0, 100.0));
    EXPECT_EQ(bornesEcarts({-160, 0, 40}), std::make_pair(-300.0, 300.0));
    EXPECT_EQ(bornesEcarts({250}), std::make_pair(-400.0, 400.0));  // CInt(3.5) vaut 4, moitiés au pair
    EXPECT_EQ(bornesEcarts({}), std::make_pair(0.0, 0.0));
}

} // namespace
