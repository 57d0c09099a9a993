#include "commun/TableauValeurs.h"
#include "commun/ValeursProcessus.h"
#include "commun_tests/HoteEchelle.h"
#include "commun_tests/MagasinTemporaire.h"
#include "model/Classe_Graphiques.h"
#include "render/FctGraphique.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

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
    QString debut, fin;
};

TEST_F(Axes, NombreDePasSelonLaDuree)
{
    using FctGraphique::NombrePas;
    bool annees = false;
    EXPECT_EQ(NombrePas(0, 1, 0, -1, false, &annees), 1);
    EXPECT_EQ(NombrePas(0, 10, 0, -1, false, &annees), 10);
    EXPECT_EQ(NombrePas(0, 11, 0, -1, false, &annees), 5);
    EXPECT_EQ(NombrePas(0, 30, 1, -1, false, &annees), 5);
    EXPECT_EQ(NombrePas(0, 31, 1, -1, false, &annees), 2);      // mois + 1
    EXPECT_EQ(NombrePas(1, 400, 13, -1, false, &annees), 14);
    EXPECT_EQ(NombrePas(3, 1100, 36, 7, false, &annees), 7);    // laissé tel quel
    EXPECT_EQ(NombrePas(3, 1100, 36, 7, true, &annees), 37);    // mois + 1 sur les graphiques X–Y
    EXPECT_EQ(NombrePas(7, 2600, 84, -1, false, &annees), 7);
    EXPECT_FALSE(annees);
    EXPECT_EQ(NombrePas(11, 4100, 132, -1, false, &annees), 11);
    EXPECT_TRUE(annees);
    EXPECT_EQ(NombrePas(0, 0, 0, -1, false, &annees), 1);       // jamais moins de un
}

TEST_F(Axes, UnJourDixJoursUnMois)
{
    periode("05/03/2004", "06/03/2004", "VIDE", "SANS");
    FctGraphique::InitAxeDates(c, g, debut, fin, false, false);
    EXPECT_EQ(c.PasAxeX(), 1);
    EXPECT_EQ(libelles(), (QStringList{"05/03/2004", "06/03/2004"}));
    EXPECT_EQ(debut, "05/03/2004");
    EXPECT_EQ(fin, "06/03/2004");

    periode("01/03/2004", "11/03/2004", "VIDE", "SANS");
    FctGraphique::InitAxeDates(c, g, debut, fin, false, false);
    EXPECT_EQ(c.PasAxeX(), 10);
    EXPECT_EQ(g.lire(Prop::NbLibellesX).toInt(), 11);
    periode("01/03/2004", "31/03/2004", "VIDE", "SANS");
    FctGraphique::InitAxeDates(c, g, debut, fin, false, false);
    EXPECT_EQ(c.PasAxeX(), 5);
    EXPECT_EQ(libelles(), (QStringList{"01/03/2004", "07/03/2004", "13/03/2004", "19/03/2004", "25/03/2004", "31/03/2004"}));
}

TEST_F(Axes, OnzeFrontieresDAnneePassentEnAnnees)
{
    periode("01/01/1990", "31/12/2001", "VIDE", "SANS");
    FctGraphique::InitAxeDates(c, g, debut, fin, false, false);
    EXPECT_EQ(c.UniteAxeX(), "A");
    EXPECT_EQ(c.PasAxeX(), 11);
    EXPECT_EQ(libelles(), (QStringList{"90", "91", "92", "93", "94", "95", "96", "97", "98", "99", "00", "01"}));

    // Les années hydrologiques s'écrivent "04-05", sauf si le graphique cumule l'année.
    periode("01/10/2003", "30/09/2006", "A", "HYDRO");
    FctGraphique::InitAxeDates(c, g, debut, fin, false, false);
    EXPECT_EQ(g.lire(Prop::NbLibellesX).toInt(), 3);
    EXPECT_EQ(libelles(), (QStringList{"03-04", "04-05", "05-06"}));
    FctGraphique::InitAxeDates(c, g, debut, fin, false, true);
    EXPECT_EQ(libelles(), (QStringList{"03", "04", "05"}));
}

TEST_F(Axes, AnneeSeuleEtMoisNombreux)
{
    periode("01/01/2004", "31/12/2004", "A");
    FctGraphique::InitAxeDates(c, g, debut, fin, false, false);
    EXPECT_EQ(libelles(), (QStringList{"Jan", "Fev", "Mar", "Avr", "Mai", "Jui", "Jui", "Aou", "Sep", "Oct", "Nov", "Dec"}));

    // Noms de mois jusqu'à 48 mois, "MM/YY" au-delà ; à partir de 21 libellés, le nombre vaut 1.
    periode("01/01/2000", "31/12/2003", "M");
    FctGraphique::InitAxeDates(c, g, debut, fin, false, false);
    EXPECT_EQ(g.lire(Prop::NbLibellesX).toInt(), 1);
    EXPECT_EQ(g.modele().libellesTabulation.size(), 47);
    EXPECT_EQ(g.modele().libellesTabulation.at(1), "Jan");
    EXPECT_EQ(debut, "01/01/2000");
    EXPECT_EQ(fin, "01/12/2003");
    periode("01/01/2000", "31/12/2004", "M");
    FctGraphique::InitAxeDates(c, g, debut, fin, false, false);
    EXPECT_EQ(g.modele().libellesTabulation.at(1), "01/00");
    EXPECT_EQ(g.modele().libellesTabulation.at(0), "12/99");

    // Moins de 21 libellés : tous envoyés, soit ub + 1.
    periode("01/01/2004", "30/06/2005", "M");
    FctGraphique::InitAxeDates(c, g, debut, fin, false, false);
    EXPECT_EQ(g.lire(Prop::NbLibellesX).toInt(), 17);
}

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
        QStringList vus;
        for (int j = 1; j <= 4; ++j)
            vus << g.lireIndexe(Prop::LibelleX, j).toString();
        EXPECT_EQ(vus, attendus) << code;
    }
}

TEST_F(Axes, GraphiqueXYLimiteA41Libelles)
{
    periode("01/01/2000", "31/12/2002", "M");
    FctGraphique::InitAxeDatesPiezo(c, g, debut, fin);
    EXPECT_EQ(g.lire(Prop::NbLibellesX).toInt(), 36);  // 35 mois entre les premiers jours, ub = 36
    EXPECT_EQ(libelles().first(), "Jan");
    periode("01/01/2000", "31/12/2003", "M");
    FctGraphique::InitAxeDatesPiezo(c, g, debut, fin);
    EXPECT_EQ(g.lire(Prop::NbLibellesX).toInt(), 1);

    // Années hydrologiques complétées de blancs pour être centrées sur l'année.
    periode("01/10/2000", "30/09/2003", "A", "HYDRO");
    FctGraphique::InitAxeDatesPiezo(c, g, debut, fin);
    EXPECT_EQ(libelles().first(), QString(16, ' ') + "00-01");

    // Le graphique de pluie posé dessous rend sa zone de tracé blanche.
    FctGraphique::InitAxeDatesSuperpose(c, g, debut, fin);
    EXPECT_EQ(g.lire(Prop::Element).toInt(), 4);
}

TEST_F(Axes, DatesVidesNeTouchentPasAuGraphique)
{
    g.ecrire(Prop::NbLibellesX, 7);
    debut = "x";
    fin = "y";
    FctGraphique::InitAxeDates(c, g, debut, fin, false, false);
    EXPECT_EQ(debut, "");
    EXPECT_EQ(fin, "");
    FctGraphique::InitAxeDatesPiezo(c, g, debut, fin);
    EXPECT_EQ(g.lire(Prop::NbLibellesX).toInt(), 7);
    // L'indicateur de période complète trace les dates de chargement et les recopie dans les dates d'affichage.
    c.setEchelleXAuto(true);
    c.setDateDebutChargement("01/01/2004");
    c.setDateFinChargement("31/12/2004");
    c.setUniteAxeX("A");
    FctGraphique::InitAxeDates(c, g, debut, fin, false, false);
    EXPECT_EQ(c.DateDebutAffichage(), "01/01/2004");
    EXPECT_EQ(c.PasAxeX(), 12);
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
    EXPECT_EQ(g.lire(Prop::YMin).toDouble(), 12.0);
    EXPECT_EQ(g.lire(Prop::YMax).toDouble(), 22.0);
    // Libellés de profondeur multipliés par le coefficient de l'hôte (-1), le type d'échelle valant 0.
    EXPECT_EQ(g.lireIndexe(Prop::LibelleGauche, 1).toString(), "-12");
    EXPECT_EQ(g.lireIndexe(Prop::LibelleGauche, 6).toString(), "-22");
    g.ecrire(Prop::AxeY, 1);
    EXPECT_EQ(g.lire(Prop::YMax).toDouble(), 40.0);
    g.ecrire(Prop::Point, 5);
    EXPECT_EQ(g.lire(Prop::LibelleDroit).toString(), "40");
    EXPECT_EQ(g.lire(Prop::TitreYGauche).toString(), "Profondeur en m");
    EXPECT_EQ(g.lire(Prop::TitreYDroite).toString(), "Précipitations en mm");

    // Autre type d'échelle : profondeurs telles qu'enregistrées. Les cotes ne prennent jamais le coefficient.
    hote.setType(1);
    FctGraphique::InitEchellesPiezo(c, pluie, g, false, 0, 0);
    EXPECT_EQ(g.lireIndexe(Prop::LibelleGauche, 1).toString(), "12");
    hote.setType(0);
    FctGraphique::InitEchellesPiezo(c, pluie, g, true, 0, 0);
    EXPECT_EQ(g.lireIndexe(Prop::LibelleGauche, 1).toString(), "12");
    EXPECT_EQ(g.lire(Prop::TitreYGauche).toString(), "Cote en NGF");
}

TEST_F(Axes, EchelleDePluie)
{
    FctGraphique::InitEchellePluvio(c, g, 0, 0);
    EXPECT_EQ(g.lire(Prop::YMax).toDouble(), 10.0);
    c.setMaxDonnees(200);
    FctGraphique::InitEchellePluvio(c, g, 0, 0);
    EXPECT_EQ(g.lire(Prop::YMax).toDouble(), 200.0);
    FctGraphique::InitEchellePluvio(c, g, 20, 80);
    EXPECT_EQ(g.lire(Prop::YMin).toDouble(), 20.0);
    EXPECT_EQ(g.lire(Prop::DivisionsY).toInt(), 5);
    EXPECT_EQ(g.lire(Prop::TitreYGauche).toString(), "Précipitations en mm");
    EXPECT_EQ(FctGraphique::EnvoyerLibellesAxe(g, 3, {"a", "b"}), -1);
    EXPECT_EQ(FctGraphique::EnvoyerLibellesAxe(g, 2, {"a", "b"}), 0);
}

} // namespace
