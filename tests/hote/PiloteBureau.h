#pragma once

// L'application de bureau pilotée comme une personne le fait, sur la base
// d'exemple : ouvrir une fenêtre, saisir une demande dans le panneau, tracer,
// regarder l'écran et la barre d'état.
#include "DialogueBulletin.h"
#include "FenetreHote.h"

#include "commun/Dates.h"
#include "commun_tests/SaisieBoite.h"
#include "control/HoteGraphique.h"
#include "data/bases/BaseExemple.h"
#include "render/moteur/MoteurGraphique.h"
#include "commun/messages/MessagesEnregistres.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

class PiloteBureau : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { QStandardPaths::setTestModeEnabled(true); }
    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dossier.path());
        MoteurGraphique::definirDossierImages(dossier.path());
        QString erreur;
        ASSERT_TRUE(BaseExemple::creerFichier(dossier.filePath("exemple.db"), 5, {}, erreur)) << erreur.toStdString();
    }
    void TearDown() override { MoteurGraphique::definirDossierImages(QString()); }

    // La base que la fenêtre ouvre : le fichier d'exemple, sauf si l'essai en donne une autre.
    virtual QString texteBase() const { return dossier.filePath("exemple.db"); }

    std::unique_ptr<FenetreHote> ouvrir()
    {
        auto f = std::make_unique<FenetreHote>();
        f->resize(1500, 950);
        f->show();
        EXPECT_TRUE(f->ouvrirBase(texteBase()));
        return f;
    }

    template <typename T>
    static void choisir(QComboBox* liste, const T& donnee)
    {
        const int i = liste->findData(donnee);
        ASSERT_GE(i, 0) << liste->objectName().toStdString();
        liste->setCurrentIndex(i);
    }

    // La demande saisie comme une personne le fait : la station (son genre départage les codes
    // partagés), le genre, les compagnes, les dates (toute la chronique de la station sans dates
    // demandées), puis Tracer.
    static void tracer(FenetreHote& f, const HoteGraphique::Demande& d)
    {
        saisir(f, d);
        QTest::mouseClick(enfant<QPushButton>(f, "BoutonTracer"), Qt::LeftButton);
    }
    static void saisir(FenetreHote& f, const HoteGraphique::Demande& d)
    {
        choisir(enfant<QComboBox>(f, "GenreGraphique"), NomTypeGraph(d.type));
        auto* liste = enfant<QTreeWidget>(f, "ListeStations");
        // La station choisie de nouveau, même si c'était déjà elle : le panneau reprend ses dates.
        liste->setCurrentItem(nullptr);
        const QString genre = d.type == TypeGraph::reference ? QStringLiteral("reference") : QStringLiteral("pluvio");
        for (QTreeWidgetItem* item : liste->findItems(d.station, Qt::MatchExactly, 0))
            if (item->data(0, Qt::UserRole).toString() == genre)
                liste->setCurrentItem(item);
        ASSERT_EQ(liste->currentItem()->text(0), d.station);
        auto* autres = enfant<QListWidget>(f, "StationsCompagnes");
        for (int i = 0; i < autres->count(); ++i)
            autres->item(i)->setCheckState(d.stations.contains(autres->item(i)->data(Qt::UserRole).toString()) ? Qt::Checked
                                                                                                                : Qt::Unchecked);
        if (d.debut.isValid()) {
            enfant<QDateEdit>(f, "DateDebut")->setDate(d.debut);
            enfant<QDateEdit>(f, "DateFin")->setDate(d.fin);
        }
        enfant<QSpinBox>(f, "Annee")->setValue(d.annee);
        choisir(enfant<QComboBox>(f, "Mesure"), d.mesures);
        choisir(enfant<QComboBox>(f, "Periode"), d.periodes);
        choisir(enfant<QComboBox>(f, "Affichage"), d.affichage);
        choisir(enfant<QComboBox>(f, "Variante"), d.variante);
    }

    // Le dialogue d'import rempli comme une personne le fait (le fichier, la station), ouvert par son menu.
    static void importer(FenetreHote& f, const QString& csv, const QString& code)
    {
        QTimer::singleShot(0, &f, [csv, code] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(d);
            d->findChildren<QLineEdit*>().first()->setText(csv);
            for (QComboBox* c : d->findChildren<QComboBox*>())
                if (c->isEditable())
                    c->setCurrentText(code);
            d->accept();
        });
        for (QAction* a : f.findChildren<QAction*>())
            if (a->text().startsWith(QStringLiteral("&Importer un fichier CSV")))
                a->trigger();
    }

    // Le dialogue du bulletin ouvert par le menu Fichier, donné à `remplir`, puis fermé s'il
    // reste ouvert ; vrai s'il l'était (un refus le laisse ouvert).
    static bool ouvrirDialogueBulletin(FenetreHote& f, const std::function<void(DialogueBulletin&)>& remplir)
    {
        bool resteOuvert = false;
        // Une minuterie locale : sans dialogue, elle meurt avec la fonction au lieu de sonner plus tard.
        QTimer minuterie;
        minuterie.setSingleShot(true);
        QObject::connect(&minuterie, &QTimer::timeout, &f, [&resteOuvert, &remplir] {
            auto* d = qobject_cast<DialogueBulletin*>(QApplication::activeModalWidget());
            ASSERT_TRUE(d);
            remplir(*d);
            resteOuvert = d->isVisible();
            if (resteOuvert)
                d->reject();
        });
        minuterie.start(0);
        auto* action = f.findChild<QAction*>(QStringLiteral("ActionBulletin"));
        EXPECT_TRUE(action);
        if (action)
            action->trigger();
        return resteOuvert;
    }

    // Le bulletin demandé comme une personne le fait : les stations cochées seules, le mois,
    // le PDF et le classeur, puis OK ; vrai si le dialogue est resté ouvert.
    static bool demanderBulletin(FenetreHote& f, const QDate& mois, const QStringList& stations, const QString& pdf,
                                 const QString& classeur)
    {
        return ouvrirDialogueBulletin(f, [&](DialogueBulletin& d) {
            auto* liste = d.findChild<QTreeWidget*>(QStringLiteral("StationsBulletin"));
            for (QPushButton* b : d.findChildren<QPushButton*>())
                if (b->text() == QStringLiteral("Tout &décocher"))
                    b->click();
            for (int i = 0; i < liste->topLevelItemCount(); ++i)
                if (stations.contains(liste->topLevelItem(i)->text(0)))
                    liste->topLevelItem(i)->setCheckState(0, Qt::Checked);
            d.findChild<QDateEdit*>(QStringLiteral("MoisBulletin"))->setDate(mois);
            d.findChild<QLineEdit*>(QStringLiteral("FichierPdf"))->setText(pdf);
            d.findChild<QLineEdit*>(QStringLiteral("FichierClasseur"))->setText(classeur);
            d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
    }

    static QImage ecran(FenetreHote& f)
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
        return f.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    static QString etat(FenetreHote& f)
    {
        const QList<QLabel*> etiquettes = f.statusBar()->findChildren<QLabel*>();
        return etiquettes.isEmpty() ? QString() : etiquettes.first()->text();
    }

    QTemporaryDir dossier;
    MessagesEnregistres messages;
};
