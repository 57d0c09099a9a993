#include "commun/Dates.h"
#include "data/Periodes.h"

#include <gtest/gtest.h>

namespace {

// Les champs tels que l'hôte les écrit.
std::optional<Periodes::Plage> normaliser(const char* code, TypeGraph type, const char* debut, const char* fin, const char* annee,
                                          const char* mois)
{
    return Periodes::normaliser(PeriodeDepuisTexte(code), type, LireDate(debut).value_or(QDate()), LireDate(fin).value_or(QDate()),
                                annee, mois);
}

TEST(Periodes, LesLettresSontLuesDansLOrdreFixe)
{
    using Periodes::choisir;
    EXPECT_EQ(TexteCode(choisir("MH", TypeGraph::edition, false).codePeriode), "MOIS");
    EXPECT_EQ(TexteCode(choisir("HM", TypeGraph::edition, false).codePeriode), "MOIS");
    EXPECT_EQ(TexteCode(choisir("SD", TypeGraph::edition, false).codePeriode), "DECADE");
    EXPECT_EQ(TexteCode(choisir("T", TypeGraph::edition, false).uniteAxeX), "T");
    const auto hydro = choisir("H", TypeGraph::edition, false);
    EXPECT_EQ(hydro.colonne, "Hydro");
    EXPECT_EQ(TexteCode(hydro.uniteAxeX), "A");
    EXPECT_EQ(TexteCode(choisir("S", TypeGraph::edition, false).codePeriode), "SANS");
    EXPECT_EQ(TexteCode(choisir("S", TypeGraph::Annee, false).codePeriode), "ANNEE");
    EXPECT_EQ(choisir("S", TypeGraph::Annee, false).colonne, "Jour");
    const auto autoMois = choisir("", TypeGraph::edition, true);
    EXPECT_EQ(TexteCode(autoMois.codePeriode), "MOIS");
    EXPECT_EQ(TexteCode(autoMois.uniteAxeX), "A");
    const auto sans = choisir("x", TypeGraph::edition, false);
    EXPECT_EQ(TexteCode(sans.codePeriode), "SANS");
    EXPECT_TRUE(sans.uniteGardee);
}

TEST(Periodes, AnneesHydrologiques)
{
    // Un début après octobre, ajusté et annoncé, se vérifie par le contrôle (Chargement).
    // À partir du 15/09/2004 : l'année hydrologique a commencé en octobre 2003.
    auto p = normaliser("HYDRO", TypeGraph::edition, "15/09/2004", "30/09/2005", "", "10");
    ASSERT_TRUE(p);
    EXPECT_EQ(TexteDate(p->debut), "01/10/2003");
    EXPECT_TRUE(p->message);
    // Graphique annuel : douze pas (ses dates, au bureau : ChoixStatistiques).
    p = normaliser("HYDRO", TypeGraph::Annee, "", "", "2005", "10");
    EXPECT_EQ(p->pasAxeX, 12);
    // Une année hydrologique commençant en mars finit le dernier jour de février, bissextile ou non.
    p = normaliser("HYDRO", TypeGraph::Annee, "", "", "2004", "3");
    EXPECT_EQ(TexteDate(p->fin), "29/02/2004");
    // Le mois tel que l'hôte le donne ; janvier se termine en décembre, non au mois 0.
    EXPECT_TRUE(Periodes::messageAnneeHydro("4").contains("du 01/4 et/ou au 30 (ou 31)/3 de"));
    EXPECT_TRUE(Periodes::messageAnneeHydro("04").contains("du 01/04 et/ou au 30 (ou 31)/3 de"));
    EXPECT_TRUE(Periodes::messageAnneeHydro("1").contains("du 01/1 et/ou au 30 (ou 31)/12 de"));
    EXPECT_TRUE(Periodes::messageAnneeHydro("x").contains("du 01/10 et/ou au 30 (ou 31)/9 de"));
    EXPECT_FALSE(normaliser("HYDRO", TypeGraph::edition, "1/1/24", "31/12/2005", "", "10"));
}

TEST(Periodes, PlagesParPeriode)
{
    auto p = normaliser("ANNEE", TypeGraph::edition, "15/03/2001", "20/06/2004", "", "10");
    EXPECT_EQ(TexteDate(p->debut), "01/01/2001");
    EXPECT_EQ(TexteDate(p->fin), "31/12/2004");
    EXPECT_FALSE(p->uniteAxeX);
    p = normaliser("MOIS", TypeGraph::edition, "15/03/2001", "20/06/2004", "", "10");
    EXPECT_EQ(TexteDate(p->debut), "15/03/2001");
    p = normaliser("SANS", TypeGraph::edition, "03/03/2001", "20/03/2001", "", "10");
    EXPECT_EQ(p->uniteAxeX, UniteAxe::Fixe);
    EXPECT_EQ(p->pasAxeX, 17);
    p = normaliser("DECADE", TypeGraph::edition, "03/03/2001", "20/08/2001", "", "10");
    EXPECT_EQ(p->pasAxeX, 11);
    p = normaliser("SANS", TypeGraph::edition, "03/03/2001", "20/08/2004", "", "10");
    EXPECT_EQ(p->pasAxeX, 3);
}

// Demande, plage arrondie, unité et pas de l'axe.
TEST(Periodes, PlageDesGraphiquesAPluieEtNappe)
{
    const struct
    {
        const char *debut, *fin, *plageDebut, *plageFin, *unite;
        int pas;
    } cas[] = {
        {"05/03/2004", "28/03/2004", "01/03/2004", "01/04/2004", "VIDE", 5},
        {"05/03/2004", "28/11/2004", "01/01/2004", "31/12/2004", "DEF", 8},
        {"05/03/2004", "10/02/2006", "01/03/2004", "28/02/2006", "", 23},
        {"05/03/2004", "10/07/2007", "01/01/2004", "31/12/2007", "A", 3},
    };
    for (const auto& c : cas) {
        const auto p = Periodes::plageDeuxGraphiques(*LireDate(c.debut), *LireDate(c.fin));
        ASSERT_TRUE(p) << c.fin;
        EXPECT_EQ(TexteDate(p->debut), c.plageDebut) << c.fin;
        EXPECT_EQ(TexteDate(p->fin), c.plageFin) << c.fin;
        EXPECT_EQ(p->uniteAxeX, UniteAxeDepuisTexte(c.unite)) << c.fin;
        EXPECT_EQ(p->pasAxeX, c.pas) << c.fin;
    }
}

} // namespace
