#include "commun/TableauValeurs.h"
#include "commun_tests/HoteEchelle.h"
#include "commun_tests/MagasinTemporaire.h"
#include "model/Classe_Graphiques.h"
#include "render/FctGraphique.h"
#include "ScenariosMoteur.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

using scenarios::lus;
using scenarios::lusIndexes;

class Axes : public ::testing::Test
{
protected:
    // Une collection sur une période, avec une première courbe de n points datés depuis son début.
    void periode(const QString& debut, const QString& fin, const QString& unite, const QString& code = "MOIS")
    {
        c.setDateDebutChargement(debut);
        c.setDateFinChargement(fin);
        c.setDateDebutAffichage(debut);
        c.setDateFinAffichage(fin);
        c.setUniteAxeX(unite);
        c.setCodePeriode(code);
    }
    QStringList libelles(int depuis = 1)
    {
        QStringList l;
        const int n = g.lire(Prop::NbLibellesX).toInt();
        for (int i = depuis; i <= n; ++i)
            l << g.lireIndexe(Prop::LibelleX, i).toString();
        return l;
    }

    MagasinTemporaire magasin;
    Classe_Graphiques c;
    MoteurGraphique g;
    QDate debut, fin;
};

TEST_F(Axes, LibellesDesPointsParPeriode)
{
    auto courbe = std::make_shared<Classe_Graphique>();
    TableauValeurs t(7, 4);
    const char* dates[] = {"01/01/2004", "01/04/2004", "01/07/2004", "01/10/2004"};
    for (int i = 0; i < 4; ++i)
        t(0, i) = QString::fromLatin1(dates[i]);
    courbe->AjouterValeurs(t);
    c.AjouterCourbe(courbe);
    const std::pair<const char*, QStringList> cas[] = {
        {"TRIMESTRE", {"1-04", "2-04", "3-04", "4-04"}},
        {"MOIS", {"01/04", "04/04", "07/04", "10/04"}},
        {"DECADE", {"01/01/04", "01/04/04", "01/07/04", "01/10/04"}},
        {"ANNEE", {"04", "04", "04", "04"}},
    };
    for (const auto& [code, attendus] : cas) {
        periode("01/01/2004", "31/12/2004", "T", code);
        FctGraphique::InitAxeDates(c, g, debut, fin, false, false);
        EXPECT_EQ(g.lire(Prop::NbPoints).toInt(), 4);
        EXPECT_EQ(lusIndexes(g, Prop::LibelleX, {1, 2, 3, 4}), attendus) << code;
    }
}

// Sur 49 mois ou plus, la liste de l'axe commence un mois avant le premier point :
// chaque point garde le libellé de son propre mois, pas celui de la liste.
TEST_F(Axes, UneLongueSerieMensuelleGardeLeMoisDeChaquePoint)
{
    auto courbe = std::make_shared<Classe_Graphique>();
    TableauValeurs t(7, 60);
    for (int i = 0; i < 60; ++i)
        t(0, i) = QDate(2000, 1, 1).addMonths(i).toString(QStringLiteral("dd/MM/yyyy"));
    courbe->AjouterValeurs(t);
    c.AjouterCourbe(courbe);
    periode("01/01/2000", "31/12/2004", "M");
    FctGraphique::InitAxeDates(c, g, debut, fin, false, false);
    ASSERT_EQ(g.lire(Prop::NbPoints).toInt(), 60);
    EXPECT_EQ(lusIndexes(g, Prop::LibelleX, {1, 2, 60}), (QStringList{"01/00", "02/00", "12/04"}));
}

TEST_F(Axes, LAxeDesPointsDatesEcritAuMoteurEtRenduALaCollection)
{
    periode("01/01/2000", "31/12/2002", "M");
    FctGraphique::InitAxeDatesPiezo(c, g, debut, fin);
    EXPECT_EQ(g.lire(Prop::NbLibellesX).toInt(), 36);
    EXPECT_EQ(libelles().first(), "Jan");
    EXPECT_EQ(g.modele().libellesTabulation.size(), 37);
    EXPECT_EQ(std::pair(debut, fin), std::pair(QDate(2000, 1, 1), QDate(2002, 12, 1)));
    // L'unité et le pas choisis d'après l'étendue reviennent à la collection.
    periode("01/01/1990", "31/12/2001", "VIDE");
    FctGraphique::InitAxeDates(c, g, debut, fin, false, false);
    EXPECT_EQ(std::pair(c.UniteAxeX(), int(c.PasAxeX())), std::pair(QStringLiteral("A"), 11));

    // Le graphique de pluie posé dessous rend sa zone de tracé blanche.
    FctGraphique::InitAxeDatesSuperpose(c, g, debut, fin);
    EXPECT_EQ(g.lire(Prop::Element).toInt(), 4);
}

TEST_F(Axes, DatesVidesNeTouchentPasAuGraphique)
{
    g.ecrire(Prop::NbLibellesX, 7);
    debut = fin = QDate(2000, 1, 1);
    FctGraphique::InitAxeDates(c, g, debut, fin, false, false);
    EXPECT_FALSE(debut.isValid() || fin.isValid());
    FctGraphique::InitAxeDatesPiezo(c, g, debut, fin);
    EXPECT_EQ(g.lire(Prop::NbLibellesX).toInt(), 7);
    // L'indicateur de période complète trace les dates de chargement et les recopie dans les dates d'affichage.
    c.setEchelleXAuto(true);
    c.setDateDebutChargement("01/01/2004");
    c.setDateFinChargement("31/12/2004");
    c.setUniteAxeX("A");
    FctGraphique::InitAxeDates(c, g, debut, fin, false, false);
    EXPECT_EQ(std::pair(c.DateDebutAffichage(), int(c.PasAxeX())), std::pair(QStringLiteral("01/01/2004"), 12));
}

TEST_F(Axes, EchellesDesNappesEtDeLaPluie)
{
    HoteEchelle hote;
    Classe_Graphiques pluie;
    c.setMinDonnees(12);
    c.setMaxDonnees(12);
    pluie.setMinDonnees(0);
    pluie.setMaxDonnees(40);
    pluie.setNbSeparations(4);
    FctGraphique::InitEchellesPiezo(c, pluie, g, false, 0, 0);
    // Des bornes égales ouvrent une plage de 10 au-dessus du minimum.
    g.ecrire(Prop::AxeY, 0);
    EXPECT_EQ(lus(g, {Prop::YMin, Prop::YMax}), (QStringList{"12", "22"}));
    // Libellés de profondeur multipliés par le coefficient de l'hôte (-1), le type d'échelle valant 0.
    EXPECT_EQ(lusIndexes(g, Prop::LibelleGauche, {1, 6}), (QStringList{"-12", "-22"}));
    g.ecrire(Prop::AxeY, 1);
    g.ecrire(Prop::Point, 5);
    EXPECT_EQ(lus(g, {Prop::YMax, Prop::LibelleDroit, Prop::TitreYGauche, Prop::TitreYDroite}),
              (QStringList{"40", "40", "Profondeur en m", "Précipitations en mm"}));

    // Autre type d'échelle : profondeurs telles qu'enregistrées. Les cotes ne prennent jamais le coefficient.
    hote.setType(1);
    FctGraphique::InitEchellesPiezo(c, pluie, g, false, 0, 0);
    EXPECT_EQ(g.lireIndexe(Prop::LibelleGauche, 1).toString(), "12");
    hote.setType(0);
    FctGraphique::InitEchellesPiezo(c, pluie, g, true, 0, 0);
    EXPECT_EQ(std::pair(g.lireIndexe(Prop::LibelleGauche, 1).toString(), g.lire(Prop::TitreYGauche).toString()),
              std::pair(QStringLiteral("12"), QStringLiteral("Cote en NGF")));
}

TEST_F(Axes, EchelleDePluie)
{
    FctGraphique::InitEchellePluvio(c, g, 0, 0);
    EXPECT_EQ(g.lire(Prop::YMax).toDouble(), 10.0);
    c.setMaxDonnees(200);
    FctGraphique::InitEchellePluvio(c, g, 0, 0);
    EXPECT_EQ(g.lire(Prop::YMax).toDouble(), 200.0);
    FctGraphique::InitEchellePluvio(c, g, 20, 80);
    EXPECT_EQ(lus(g, {Prop::YMin, Prop::DivisionsY, Prop::TitreYGauche}), (QStringList{"20", "5", "Précipitations en mm"}));
}

} // namespace
