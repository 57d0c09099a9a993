// L'axe du temps calculé sans moteur : de l'étendue, de l'unité et du pas aux libellés.
#include "render/AxeDates.h"

#include <gtest/gtest.h>

namespace {

using AxeDates::Demande;

Demande demande(const char* debut, const char* fin, const char* unite, int pas = -1, bool hydro = false)
{
    Demande d;
    d.debut = QDate::fromString(QString::fromLatin1(debut), "dd/MM/yyyy");
    d.fin = QDate::fromString(QString::fromLatin1(fin), "dd/MM/yyyy");
    d.unite = UniteAxeDepuisTexte(QString::fromLatin1(unite));
    d.pas = pas;
    d.hydro = hydro;
    return d;
}

TEST(AxeDates, NombreDePasSelonLaDuree)
{
    using AxeDates::NombrePas;
    bool annees = false;
    EXPECT_EQ(NombrePas(0, 1, 0, -1, false, &annees), 1);
    EXPECT_EQ(NombrePas(0, 10, 0, -1, false, &annees), 10);
    EXPECT_EQ(NombrePas(0, 11, 0, -1, false, &annees), 5);
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

TEST(AxeDates, UnJourDixJoursUnMoisDatesReparties)
{
    auto axe = AxeDates::parPeriodes(demande("05/03/2004", "06/03/2004", "VIDE"));
    EXPECT_EQ(std::tuple(axe.pas, axe.nombreLibelles, axe.debut), std::tuple(std::optional(1), 2, QDate(2004, 3, 5)));
    EXPECT_FALSE(axe.unite);
    EXPECT_EQ(axe.libelles, (QStringList{"05/03/2004", "06/03/2004"}));

    axe = AxeDates::parPeriodes(demande("01/03/2004", "11/03/2004", "VIDE"));
    EXPECT_EQ(std::pair(axe.pas, axe.nombreLibelles), std::pair(std::optional(10), 11));
    axe = AxeDates::parPeriodes(demande("01/03/2004", "31/03/2004", "VIDE"));
    EXPECT_EQ(axe.libelles, (QStringList{"01/03/2004", "07/03/2004", "13/03/2004", "19/03/2004", "25/03/2004", "31/03/2004"}));
    // Une unité libre autre que "VIDE" : instants, jours ou dates selon l'étendue.
    axe = AxeDates::parPeriodes(demande("01/03/2004", "03/03/2004", "FIXE", 2));
    EXPECT_EQ(axe.libelles.first(), "01/03 00:00");
    EXPECT_EQ(axe.libelles.size(), 4);
}

TEST(AxeDates, OnzeFrontieresDAnneePassentEnAnnees)
{
    auto axe = AxeDates::parPeriodes(demande("01/01/1990", "31/12/2001", "VIDE"));
    EXPECT_EQ(std::pair(axe.unite, axe.pas), std::pair(std::optional(UniteAxe::Annee), std::optional(11)));
    EXPECT_EQ(axe.libelles, (QStringList{"90", "91", "92", "93", "94", "95", "96", "97", "98", "99", "00", "01"}));
    // Une unité libre autre que "VIDE" change l'unité de la collection mais garde son tracé.
    axe = AxeDates::parPeriodes(demande("01/01/1990", "31/12/2001", "FIXE"));
    EXPECT_EQ(std::pair(axe.unite, axe.libelles.first()), std::pair(std::optional(UniteAxe::Annee), QStringLiteral("01/01/90")));

    // Les années hydrologiques s'écrivent "04-05", sauf si le graphique cumule l'année ;
    // leurs points reprennent les libellés de l'axe.
    Demande d = demande("01/10/2003", "30/09/2006", "A", -1, true);
    axe = AxeDates::parPeriodes(d);
    EXPECT_EQ(std::pair(axe.nombreLibelles, axe.libellesDesPoints), std::pair(3, true));
    EXPECT_EQ(axe.libelles, (QStringList{"03-04", "04-05", "05-06", "06-07"}));
    d.cumulAnnuel = true;
    axe = AxeDates::parPeriodes(d);
    EXPECT_EQ(axe.libelles, (QStringList{"03", "04", "05", "06"}));
    EXPECT_FALSE(axe.libellesDesPoints);
}

TEST(AxeDates, AnneeSeuleEtMoisNombreux)
{
    auto axe = AxeDates::parPeriodes(demande("01/01/2004", "31/12/2004", "A"));
    EXPECT_EQ(axe.libelles, (QStringList{"Jan", "Fev", "Mar", "Avr", "Mai", "Jui", "Jui", "Aou", "Sep", "Oct", "Nov", "Dec"}));

    // Noms de mois jusqu'à 48 mois, "MM/YY" au-delà, la liste commençant un mois
    // avant le premier point ; à partir de 21 libellés, le nombre vaut 1.
    axe = AxeDates::parPeriodes(demande("01/01/2000", "31/12/2003", "M"));
    EXPECT_EQ(std::tuple(axe.nombreLibelles, axe.libelles.size(), axe.fin), std::tuple(1, qsizetype(47), QDate(2003, 12, 1)));
    EXPECT_EQ(axe.libelles.mid(0, 2), (QStringList{"", "Jan"}));
    axe = AxeDates::parPeriodes(demande("01/01/2000", "31/12/2004", "M"));
    EXPECT_EQ(axe.libelles.mid(0, 2), (QStringList{"12/99", "01/00"}));
    axe = AxeDates::parPeriodes(demande("01/01/2004", "30/06/2005", "M"));
    EXPECT_EQ(axe.nombreLibelles, 17);
    // Sous un graphique de nappe, deux mois de plus et un libellé en supplément.
    Demande d = demande("01/01/2004", "30/06/2005", "M");
    d.superposition = true;
    axe = AxeDates::parPeriodes(d);
    EXPECT_EQ(std::tuple(axe.libelles.size(), axe.supplement, axe.libellesDesPoints), std::tuple(qsizetype(19), 1, true));
    // Trimestres : numérotés sur moins de cinq, "t/AAAA" au-delà.
    axe = AxeDates::parPeriodes(demande("01/01/2004", "31/12/2005", "T"));
    EXPECT_EQ(axe.libelles.mid(0, 5), (QStringList{"1/2004", "2/2004", "3/2004", "4/2004", "1/2005"}));
}

TEST(AxeDates, PointsDatesJusquA41Libelles)
{
    // Jusqu'à 40 libellés, leur nombre (trois ans : 36, essayé avec le moteur) ; au-delà, 1.
    auto axe = AxeDates::pointsDates(demande("01/01/2000", "31/12/2003", "M"));
    EXPECT_EQ(axe.nombreLibelles, 1);
    // Années hydrologiques complétées de blancs pour être centrées sur l'année.
    axe = AxeDates::pointsDates(demande("01/10/2000", "30/09/2003", "A", -1, true));
    EXPECT_EQ(axe.libelles.first(), QString(16, ' ') + "00-01");
    // Unité libre : des années sur plus de six ans, des mois au-delà d'un mois.
    axe = AxeDates::pointsDates(demande("01/01/1990", "31/12/1997", ""));
    EXPECT_EQ(axe.libelles.first(), "1990");
    axe = AxeDates::pointsDates(demande("01/01/2004", "30/06/2004", ""));
    EXPECT_EQ(axe.pas, 6);
    EXPECT_EQ(axe.libelles.first(), "01/2004");
}

} // namespace
