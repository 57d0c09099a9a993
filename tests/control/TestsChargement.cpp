// L'enchaînement du chargement par le contrôle, tel qu'un hôte le demande, sur un fichier SQLite.
#include "HoteTest.h"

#include "commun_tests/JourFixe.h"
#include "control/ChampDate.h"
#include "control/EnteteStations.h"
#include "control/HoteGraphique.h"
#include "data/bases/BaseSqlite.h"
#include "data/bases/TablesCalendrier.h"
#include "render/moteur/ProprietesMoteur.h"
#include "commun/messages/MessagesEnregistres.h"

#include <gtest/gtest.h>

namespace {

class Chargement : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString erreur;
        base = BaseSqlite::ouvrir(jour.chemin("hote.db"), erreur);
        ASSERT_TRUE(base) << erreur.toStdString();
        ASSERT_TRUE(TablesCalendrier::creer(*base, 10, erreur, 1995, 2030));
        const QList<ColonneTable> pluvio = {{"DateCreation", TypeColonne::Date}, {"Heure", TypeColonne::Heure},
                                            {"Pluie", TypeColonne::Reel},       {"Continuite", TypeColonne::Entier},
                                            {"ModeObtention", TypeColonne::Texte}};
        ASSERT_TRUE(base->CreerTable("PLUVIO_76001", pluvio));
        QList<QVariantList> lignes;
        for (QDate d(2000, 1, 1); d <= QDate(2005, 12, 31); d = d.addDays(1))
            lignes.append({d, QStringLiteral("00:00:00"), double(d.day() % 5), 0, QVariant()});
        ASSERT_TRUE(base->InsererLignes("PLUVIO_76001", lignes));
        ASSERT_TRUE(base->CreerTable("STATIONS", {{"Code", TypeColonne::Texte}, {"Nom", TypeColonne::Texte},
                                                  {"Genre", TypeColonne::Texte}, {"Altitude", TypeColonne::Reel}}));
        ASSERT_TRUE(base->InsererLignes("STATIONS", {{"76001", "Le Vallon", "pluvio", QVariant()},
                                                     {"PZ1", "Puits sans table", "piezo", 50.0}}));
    }

    // La demande de l'hôte, tracée : le graphique du pluviomètre, ou des nappes données sous lui.
    HoteGraphique::Demande tracer(HoteGraphique& hote, QDate debut, QDate fin, const QString& periodes = "M",
                                  const QStringList& nappes = {})
    {
        HoteGraphique::Demande d;
        d.type = nappes.isEmpty() ? TypeGraph::edition : TypeGraph::PluvioPiezo;
        d.station = "76001";
        d.stations = nappes;
        d.periodes = periodes;
        d.debut = debut;
        d.fin = fin;
        QString erreur;
        EXPECT_TRUE(hote.tracer(d, base.get(), erreur)) << erreur.toStdString();
        return d;
    }

    MagasinTemporaire magasin;
    JourFixe jour{QDate(2024, 3, 15)};
    std::unique_ptr<BaseSqlite> base;
    MessagesEnregistres messages;
};

TEST_F(Chargement, AnneesHydrologiquesAnnonceesOutilDeChargementParLHoteEtDemandeIncomplete)
{
    HoteGraphique hote;
    CtlGraphique& c = hote.controle();
    tracer(hote, QDate(2000, 11, 15), QDate(2003, 12, 31), "H");
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.textes().first(), "Pour calculer le graphique, les dates vont être ajustées automatiquement en années "
                                          "hydrogéologiques du 01/10 et/ou au 30 (ou 31)/9 de l'année suivante.");
    EXPECT_EQ(messages.messages().first().style.icone, IconeMessage::Aucune);
    EXPECT_EQ(c.TxtDateDebut()->texte(), "01/10/2000");
    EXPECT_EQ(c.TxtDateFin()->texte(), "30/09/2003");
    const CourbePtr pluie = c.CollCourbes().GetCourbe(1);
    ASSERT_TRUE(pluie);
    EXPECT_EQ(pluie->Titre(), "Pluie");
    EXPECT_EQ(pluie->NbValeurs(), 3);  // trois années hydrologiques
    EXPECT_EQ(pluie->cellule(0, 0).toString(), "01/01/2001");
    EXPECT_TRUE(hote.aDesDonnees());

    tracer(hote, QDate(2002, 1, 1), QDate(2002, 12, 31));
    // L'outil de chargement passe par l'hôte, dont le TraitementParametres recharge.
    c.setMaChainePeriodes("T");
    c.declencheChargement();
    EXPECT_EQ(c.CollCourbes().CodePeriode(), "TRIMESTRE");
    EXPECT_EQ(c.CollCourbes().GetCourbe(1)->NbValeurs(), 4);
    EXPECT_EQ(c.outilCourant(), 10);
    const int courbes = c.getCollCourbesSize();
    messages.vider();

    // Fin avant le début : le message d'information, et le chargement s'arrête.
    c.TxtDateDebut()->setTexte("01/01/2004");
    c.TxtDateFin()->setTexte("31/12/2003");
    Journal journal;
    journal.suivre(c.Graphique());
    c.ChargementDonnees();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.textes().first(), "Sélectionner un site et renseigner les dates de chargement. La date de début doit être "
                                          "inférieure à la date de fin.");
    EXPECT_EQ(messages.messages().first().style.icone, IconeMessage::Information);
    EXPECT_EQ(c.CollCourbes().DateDebutChargement(), "01/01/2002");
    EXPECT_EQ(journal.compter("Graphique 20"), 0);  // rien de redessiné
    EXPECT_EQ(courbes, 1);
    // Une date mal formée fait de même.
    c.TxtDateFin()->setTexte("31/02/2004");
    c.ChargementDonnees();
    EXPECT_EQ(messages.messages().size(), 2);
}

TEST_F(Chargement, UneRequeteQuiEchoueLaisseUneCourbeVideEtLaSuiteContinue)
{
    HoteGraphique hote;
    tracer(hote, QDate(2001, 1, 1), QDate(2004, 12, 31), "M", {"PZ1"});
    CtlGraphique& c = hote.controle();
    // La table du piézomètre manque : sa courbe est là, sans points.
    ASSERT_EQ(c.CollCourbes().Compter(), 1);
    EXPECT_EQ(c.CollCourbes().GetCourbe(1)->NbValeurs(), 0);
    EXPECT_EQ(c.CollCourbes().GetCourbe(1)->Titre(), "Puits sans table");
    // La pluie chargée avant elle est là, et les graphiques sont dessinés.
    ASSERT_EQ(c.CollCourbes2().Compter(), 1);
    EXPECT_GT(c.CollCourbes2().GetCourbe(1)->NbValeurs(), 40);
    EXPECT_EQ(c.Graphique().lire(Prop::ImageFond).toString(), "tmp.WMF");
    EXPECT_EQ(c.CollCourbes().DateDebutChargement(), "01/01/2001");
    EXPECT_EQ(c.CollCourbes().UniteAxeX(), "A");
}

} // namespace
