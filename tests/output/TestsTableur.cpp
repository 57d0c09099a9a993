#include "output/classeur/ChainesPartagees.h"
#include "output/classeur/GraphiqueXlsx.h"
#include "output/classeur/StylesXlsx.h"
#include "output/tableur/ApplicationTableur.h"
#include "output/tableur/AxeTableur.h"
#include "output/tableur/CouleursTableur.h"
#include "output/tableur/LegendeTableur.h"
#include "output/tableur/ReferencesTableur.h"
#include "output/tableur/SerieTableur.h"

#include <gtest/gtest.h>

using namespace ReferencesTableur;

TEST(ReferencesTableur, FormulesEtAdressesLuesCommeLeTableurLesEcrit)
{
    const auto p = LirePlageR1C1(QStringLiteral("=Feuil1!R2C1:R367C1"));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->feuille, "Feuil1");
    EXPECT_EQ(std::tuple(p->ligne1, p->colonne1, p->ligne2, p->colonne2), std::tuple(2, 1, 367, 1));
    // Assez de points ou de courbes pour passer la dernière ligne ou la dernière colonne.
    for (const char* faux : {"=Feuil1!R1048577C1", "=Feuil1!R1C16385"})
        EXPECT_FALSE(LirePlageR1C1(QString::fromLatin1(faux))) << faux;

    const auto af = LireAdresseA1(QStringLiteral("AF1"));
    ASSERT_TRUE(af);
    EXPECT_EQ(af->colonne1, 32);

    EXPECT_EQ(LireNomLitteral(QStringLiteral("=\"Pluie \"\"brute\"\"\"")), "Pluie \"brute\"");
}

TEST(CouleursTableur, ColorEstEnBleuVertRougeEtColorIndexSuitLaPaletteDuTableur)
{
    // RGB(255, 128, 0) du tableur = 0x0080FF.
    EXPECT_EQ(CouleursTableur::DepuisColor(0x0080FF), 0xFF8000u);
    EXPECT_EQ(CouleursTableur::VersColor(0xFF8000), 0x0080FF);
    EXPECT_EQ(CouleursTableur::DepuisColorIndex(2), 0xFFFFFFu);
    EXPECT_EQ(CouleursTableur::DepuisColorIndex(15), 0xC0C0C0u);
    EXPECT_FALSE(CouleursTableur::DepuisColorIndex(0));
    EXPECT_FALSE(CouleursTableur::DepuisColorIndex(-4142));
}

TEST(ApplicationTableur, CollerPuisCreerUnGraphiqueCommeLeTableur)
{
    ApplicationTableur tableur;
    ClasseurTableur& classeur = tableur.workbooksAdd();
    tableur.mettreDansPressePapiers(QStringLiteral("\tPluie\t\r01/01/2024\t1,5\t\r02/01/2024\t\t\r"));
    ASSERT_TRUE(tableur.GoTo(QStringLiteral("R1C1")));
    EXPECT_EQ(tableur.activesheetPaste(), 9);  // les champs vides comptent : ils vident leur cellule
    const FeuilleXlsx* feuille = classeur.xlsx().feuille(0);
    ASSERT_TRUE(feuille);
    EXPECT_EQ(std::pair(feuille->cellule(2, 2)->nombre, feuille->cellule(1, 2)->texte), std::pair(1.5, QStringLiteral("Pluie")));
    tableur.range(QStringLiteral("A1:B1")).setColumnWidth(19);
    tableur.range(QStringLiteral("C1")).setColumnWidth(300);  // au-delà de 255 : refusée
    ChainesPartagees chaines;
    StylesXlsx styles;
    QByteArray xml;
    ASSERT_TRUE(feuille->ecrire([&xml](QByteArray& morceau) { return xml += morceau, morceau.clear(), true; }, chaines, styles));
    EXPECT_TRUE(xml.contains("<cols><col min=\"1\" max=\"1\" width=\"19\" customWidth=\"1\"/>"
                             "<col min=\"2\" max=\"2\" width=\"19\" customWidth=\"1\"/></cols><sheetData>"));

    ASSERT_TRUE(tableur.GoTo(QStringLiteral("R1C1:R3C2")));
    const GraphiqueTableur g = tableur.chartsAdd();
    ASSERT_TRUE(g.valide());
    // La feuille graphique devient active (sa place devant les données : relue par openpyxl dans tests/apps).
    EXPECT_TRUE(tableur.ActiveChart().valide());
    // Une série tirée de la sélection (ses plages, les exports les récrivent).
    ASSERT_EQ(g.nombreSeries(), 1);
    // Une série hors de la collection ne fait rien.
    g.SeriesCollection(5).Delete();
    EXPECT_EQ(g.nombreSeries(), 1);
    // Sur une feuille graphique, on ne colle pas.
    EXPECT_EQ(tableur.activesheetPaste(), 0);
    EXPECT_TRUE(tableur.sheetsSelect(QStringLiteral("feuil1")));
    EXPECT_FALSE(tableur.ActiveChart().valide());
}

TEST(GraphiqueTableur, LesSeriesVidesNeSontPasDesCourbes)
{
    ApplicationTableur tableur;
    tableur.workbooksAdd();
    tableur.mettreDansPressePapiers(QStringLiteral("\tA\t\r1\t2\t\r"));
    tableur.GoTo(QStringLiteral("R1C1:R2C2"));
    tableur.activesheetPaste();
    const GraphiqueTableur g = tableur.chartsAdd();
    g.setChartType(ConstantesTableur::kColonnesGroupees);
    g.NewSeries();                        // axe principal : disparaît
    g.NewSeries().setAxisGroup(2);        // seule sur l'axe secondaire : gardée, invisible
    g.Legend().supprimerEntree(3);
    g.preparerEcriture();
    const GraphiqueXlsx* m = g.modele();
    ASSERT_EQ(m->series.size(), 2u);
    const SerieXlsx& axe = m->series[1];
    // Sur l'axe secondaire, sans légende ni trait, en ligne : des colonnes se verraient.
    EXPECT_EQ(std::tuple(axe.groupeAxes, axe.entreeLegendeSupprimee, axe.styleTrait, axe.typeGraphique),
              std::tuple(2, true, ConstantesTableur::kAucun, ConstantesTableur::kLigne));
    EXPECT_EQ(axe.valeurs.colonne1, m->series[0].valeurs.colonne1);

    // Avec une vraie série sur l'axe secondaire, la série vide n'a plus d'objet
    // (la feuille active est graphique : aucune série n'est tirée de la sélection).
    const GraphiqueTableur g2 = tableur.chartsAdd();
    g2.NewSeries().setAxisGroup(2);
    const SerieTableur nappe = g2.NewSeries();
    nappe.setValues(QStringLiteral("=Feuil1!R2C2:R2C2"));
    nappe.setAxisGroup(2);
    g2.preparerEcriture();
    ASSERT_EQ(g2.nombreSeries(), 1);
    EXPECT_EQ(std::pair(g2.modele()->series[0].valeurs.colonne1, g2.modele()->series[0].entreeLegendeSupprimee), std::pair(2, false));
}

TEST(AxeTableur, LesValeursRefuseesParLeTableurLaissentLAxeTelQuel)
{
    AxeXlsx modele;
    const AxeTableur axe(&modele);
    axe.setMajorUnit(10);
    axe.setMajorUnit(0);
    axe.setMajorUnit(-5);
    EXPECT_EQ(modele.uniteMajeure, 10);
    axe.setMajorUnitIsAuto(true);
    EXPECT_FALSE(modele.uniteMajeure);
    axe.setBaseUnit(ConstantesTableur::kMois);
    EXPECT_EQ(modele.uniteBase, ConstantesTableur::kMois);
    axe.setTickLabelsFontSize(0);
    axe.setTickLabelsFontSize(500);
    EXPECT_EQ(modele.policeEtiquettes.taille, 0);
    axe.setCrossesAt(-12.5);
    EXPECT_EQ(std::pair(modele.croisement, modele.croiseA), std::pair(ConstantesTableur::kCroiseALaValeur, -12.5));
    AxeTableur().setMinimumScale(1);  // un axe absent ne fait rien
}
