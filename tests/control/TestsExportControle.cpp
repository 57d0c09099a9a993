// L'outil 8 et la page d'annuaire sur le contrôle chargé depuis la base d'exemple.
#include "SurBaseExemple.h"

#include "control/JaugeProgression.h"
#include "output/Excel.h"
#include "output/tableur/ApplicationTableur.h"
#include "commun/messages/MessagesEnregistres.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <gtest/gtest.h>

namespace {

class ExportControle : public HoteMontre
{
protected:
    void SetUp() override
    {
        HoteMontre::SetUp();
        hote.controle().setOuvrirApresExport(false);
        ASSERT_TRUE(QDir(dossier.path()).mkdir("editions"));
        hote.fenetrePrincipale()->setProperty("CheminEdition", dossier.filePath("editions"));
    }
    void tracer(TypeGraph type, const QString& station, const QDate& debut, const QDate& fin)
    {
        HoteGraphique::Demande d = demande(type, station);
        d.debut = debut;
        d.fin = fin;
        SurBaseExemple::tracer(hote, d);
    }
    QStringList editions() const { return QDir(dossier.filePath("editions")).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(ExportControle, Outil8EcritLeClasseurDansLeDossierDEditionPuisRendLOutil)
{
    tracer(TypeGraph::edition, "76402001", QDate(2022, 1, 1), QDate(2023, 12, 31));
    CtlGraphique& ctl = hote.controle();
    ctl.declencheOutil(3);
    ctl.declencheOutil(8);
    EXPECT_EQ(ctl.outilCourant(), 3);
    // Format de nommage 1 de l'hôte : le code puis le nom de la station.
    EXPECT_EQ(editions(), QStringList{"76402001 Port-Aubin.xlsx"}) << messages.textes().join('|').toStdString();
    EXPECT_TRUE(messages.textes().isEmpty()) << messages.textes().join('|').toStdString();

    // Un dossier d'édition disparu : le message, et rien d'écrit.
    hote.fenetrePrincipale()->setProperty("CheminEdition", dossier.filePath("disparu"));
    ctl.declencheOutil(8);
    ASSERT_EQ(messages.textes().size(), 1);
    EXPECT_TRUE(messages.textes().at(0).startsWith("Impossible de trouver le répertoire de destination."));
    EXPECT_FALSE(QFileInfo::exists(dossier.filePath("disparu")));
}

TEST_F(ExportControle, CreationAnnuaireLaisseLeClasseurOuvertDansLeTableur)
{
    tracer(TypeGraph::annuaire, "76402001", QDate(2023, 1, 1), QDate(2023, 12, 31));
    std::unique_ptr<QObject> tableur(ObtenirExcel());
    JaugeProgression jauge;
    QStringList suivi;
    jauge.setSuivi([&suivi](const QString& legende, double) { suivi << legende; });
    hote.controle().CreationAnnuaire(&jauge, tableur.get(), true, false);
    auto* appli = qobject_cast<ApplicationTableur*>(tableur.get());
    ASSERT_TRUE(appli && appli->ActiveWorkbook());
    EXPECT_TRUE(appli->ActiveChart().valide());
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(appli->pressePapiers().left(20)));
    EXPECT_FALSE(appli->pressePapiers().isEmpty());
    EXPECT_TRUE(messages.textes().isEmpty());
    QString erreur;
    EXPECT_TRUE(appli->ActiveWorkbook()->SaveAs(dossier.filePath("annuaire.xlsx"), erreur)) << erreur.toStdString();

    // Un objet qui n'est pas le tableur : rien ne se passe.
    QObject autre;
    hote.controle().CreationAnnuaire(&jauge, &autre, true, false);
    hote.controle().CreationAnnuaire(nullptr, nullptr, false, true);
    EXPECT_TRUE(messages.textes().isEmpty());
}

} // namespace
