#include "commun_tests/LignesTexte.h"
#include "data/BaseDeTest.h"
#include "data/bases/TablesCalendrier.h"

namespace {

using Calendrier = AvecBase;

// Le début de chaque période d'un jour se vérifie par la jointure du jour à sa
// période (Formulation) ; ici, les années, le mois de début de l'année
// hydrologique et les refus.
TEST_F(Calendrier, LAnneeHydrologiqueSuitSonMoisDeDebut)
{
    QString erreur;
    ASSERT_TRUE(TablesCalendrier::creer(base(), 10, erreur)) << erreur.toStdString();
    EXPECT_EQ(lignesTexte(lire(QStringLiteral("SELECT Min(Num_Annee), Max(Num_Annee), count(*) FROM ANNEES"))),
              QStringList{"1900|2100|201"});
    EXPECT_EQ(lire(QStringLiteral("SELECT jour FROM PERIODES")).points(), 366);
    for (int mois : {1, 10, 12}) {
        ASSERT_TRUE(TablesCalendrier::creer(base(), mois, erreur, 1990, 2010)) << erreur.toStdString();
        for (const QString jour : {"01/01/", "30/09/", "01/10/", "31/12/"}) {
            const bool seconde = jour.mid(3, 2).toInt() >= mois;
            EXPECT_EQ(lignesTexte(lire("SELECT Hydro, Hydro_inverse FROM PERIODES WHERE jour='" + jour + "'")),
                      QStringList{seconde ? "01/02/|/02/01" : "01/01/|/01/01"})
                << mois << " " << jour.toStdString();
        }
    }
    // Un mois impossible est refusé sans toucher aux tables.
    for (int mois : {0, 13}) {
        EXPECT_FALSE(TablesCalendrier::creer(base(), mois, erreur));
        EXPECT_TRUE(erreur.contains(QStringLiteral("impossible"))) << erreur.toStdString();
    }
    EXPECT_FALSE(TablesCalendrier::creer(base(), 10, erreur, 2010, 1990));
    EXPECT_EQ(lire(QStringLiteral("SELECT jour FROM PERIODES WHERE Hydro='01/02/'")).points(), 31);
    EXPECT_EQ(lire(QStringLiteral("SELECT Num_Annee FROM ANNEES")).points(), 21);
}

} // namespace
