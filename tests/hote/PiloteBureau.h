#pragma once

// L'application de bureau pilotée comme une personne le fait, sur la base
// d'exemple : ouvrir une fenêtre, saisir une demande dans le panneau, tracer,
// regarder l'écran et la barre d'état.
#include "DialogueBulletin.h"
#include "DialogueImport.h"
#include "FenetreHote.h"

#include "FormulaireGraphique.h"
#include "Menus.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun_tests/Enchainement.h"
#include "commun_tests/SaisieBoite.h"
#include "control/CtlGraphique.h"
#include "control/CtlToolBar.h"
#include "control/HoteGraphique.h"
#include "data/BaseDonnees.h"
#include "data/bases/BaseExemple.h"
#include "entry/GrillePoints.h"
#include "render/moteur/MoteurGraphique.h"
#include "settings/Aide.h"
#include "commun/messages/MessagesEnregistres.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QSpontaneKeyEvent>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWheelEvent>
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
        // Les documents que l'application ferait ouvrir sont notés, aucun navigateur n'est lancé.
        m_ouvreur = DefinirOuvreurDocument([this](const QUrl& u) {
            ouverts << u.toLocalFile();
            for (QWidget* w : QApplication::topLevelWidgets())
                jaugesAOuverture += qobject_cast<QProgressDialog*>(w) && w->isVisible();
            return ouvertureReussie;
        });
        QString erreur;
        ASSERT_TRUE(BaseExemple::creerFichier(dossier.filePath("exemple.db"), 5, {}, erreur)) << erreur.toStdString();
    }
    void TearDown() override
    {
        DefinirOuvreurDocument(m_ouvreur);
        MoteurGraphique::definirDossierImages(QString());
    }

    // La base que la fenêtre ouvre : le fichier d'exemple, sauf si l'essai en donne une autre.
    virtual QString texteBase() const { return dossier.filePath("exemple.db"); }

    std::unique_ptr<FenetreHote> ouvrir()
    {
        auto fenetre = std::make_unique<FenetreHote>();
        fenetre->resize(1500, 950);
        fenetre->show();
        EXPECT_TRUE(activer(fenetre.get()));
        EXPECT_TRUE(fenetre->ouvrirBase(texteBase()));
        return fenetre;
    }

    // La fenêtre active, comme celle où l'on tape : quitter un champ le termine. La plateforme des
    // essais n'active ni une boîte qui s'ouvre, ni la fenêtre qu'une boîte fermée laisse.
    static bool activer(QWidget* fenetre)
    {
        fenetre->activateWindow();
        return QTest::qWaitFor([fenetre] { return QApplication::activeWindow() == fenetre; }, 2000);
    }

    // Une liste déroulante au clavier : le premier choix, puis Bas jusqu'au bon. Une liste
    // grisée ne compte pas dans la demande, ni un choix vide qu'elle n'a pas : elle reste telle quelle.
    static void choisir(QComboBox* liste, const QString& donnee)
    {
        const int i = liste->findData(donnee);
        if (!liste->isEnabled() || (i < 0 && donnee.isEmpty()))
            return;
        ASSERT_GE(i, 0) << liste->objectName().toStdString() << " : " << donnee.toStdString();
        liste->setFocus();
        QTest::keyClick(liste, Qt::Key_Home);
        for (int k = 0; k < i; ++k)
            QTest::keyClick(liste, Qt::Key_Down);
        ASSERT_EQ(liste->currentIndex(), i) << liste->objectName().toStdString();
    }
    static void choisir(FenetreHote& f, const char* liste, const QString& donnee)
    {
        choisir(enfant<QComboBox>(f, liste), donnee);
    }

    // Un clic sur la ligne, amenée à la vue.
    static void cliquerLigne(QAbstractItemView& vue, const QModelIndex& ligne, int decalage = -1)
    {
        vue.scrollTo(ligne);
        const QRect r = vue.visualRect(ligne);
        QTest::mouseClick(vue.viewport(), Qt::LeftButton, {}, decalage < 0 ? r.center() : QPoint(r.left() + decalage, r.center().y()));
    }
    // Un clic sur la case à cocher, au début de la ligne.
    static void cliquerCase(QAbstractItemView& vue, const QModelIndex& ligne) { cliquerLigne(vue, ligne, 10); }

    // Un clic sur la station ; son genre départage les codes partagés. Avec `reprendre`, elle est
    // choisie de nouveau même si c'était déjà elle (un clic sur une autre d'abord) : le panneau
    // reprend alors toute sa chronique.
    static void choisirStation(FenetreHote& f, const QString& code, const QString& genre = QStringLiteral("pluvio"),
                               bool reprendre = false)
    {
        auto* liste = enfant<QTreeWidget>(f, "ListeStations");
        QTreeWidgetItem* cible = nullptr;
        for (QTreeWidgetItem* item : liste->findItems(code, Qt::MatchExactly, 0))
            if (item->data(0, Qt::UserRole).toString() == genre)
                cible = item;
        ASSERT_TRUE(cible) << code.toStdString();
        const auto indice = [liste](QTreeWidgetItem* item) { return liste->indexFromItem(item); };
        if (reprendre && liste->currentItem() == cible)
            cliquerLigne(*liste, indice(liste->itemBelow(cible) ? liste->itemBelow(cible) : liste->itemAbove(cible)));
        cliquerLigne(*liste, indice(cible));
        ASSERT_EQ(liste->currentItem(), cible);
    }

    // Les compagnes cochées d'un clic chacune, les autres décochées.
    static void cocherCompagnes(FenetreHote& f, const QStringList& codes)
    {
        auto* autres = enfant<QListWidget>(f, "StationsCompagnes");
        for (int i = 0; i < autres->count(); ++i) {
            QListWidgetItem* item = autres->item(i);
            const Qt::CheckState voulu = codes.contains(item->data(Qt::UserRole).toString()) ? Qt::Checked : Qt::Unchecked;
            if (item->checkState() != voulu)
                cliquerCase(*autres, autres->indexFromItem(item));
            ASSERT_EQ(item->checkState(), voulu) << item->text().toStdString();
        }
    }

    // La demande saisie comme une personne le fait : le genre, la station, les compagnes, les dates
    // tapées (toute la chronique de la station sans dates demandées), l'année et les listes, puis Tracer.
    static void tracer(FenetreHote& f, const HoteGraphique::Demande& d)
    {
        saisir(f, d);
        QTest::mouseClick(enfant<QPushButton>(f, "BoutonTracer"), Qt::LeftButton);
    }
    static void saisir(FenetreHote& f, const HoteGraphique::Demande& d)
    {
        choisir(f, "GenreGraphique", NomTypeGraph(d.type));
        choisirStation(f, d.station, d.type == TypeGraph::reference ? QStringLiteral("reference") : QStringLiteral("pluvio"),
                       !d.debut.isValid());
        cocherCompagnes(f, d.stations);
        if (d.debut.isValid()) {
            taper(f, "DateDebut", TexteDate(d.debut));
            taper(f, "DateFin", TexteDate(d.fin));
        }
        if (auto* annee = enfant<QSpinBox>(f, "Annee"); annee->isEnabled() && d.annee > 0)
            taper(annee, QString::number(d.annee));
        choisir(f, "Mesure", d.mesures);
        choisir(f, "Periode", d.periodes);
        choisir(f, "Affichage", d.affichage);
        choisir(f, "Variante", d.variante);
    }

    // Un cran de molette au point `p` de la fenêtre, remis au widget sous le pointeur ; ignoré,
    // il remonte à ses parents comme une vraie molette.
    static void moletteAuPointeur(QWidget& fenetre, const QPoint& p, int crans)
    {
        QWidget* sous = fenetre.childAt(p);
        ASSERT_TRUE(sous);
        QWheelEvent e(QPointF(sous->mapFrom(&fenetre, p)), QPointF(fenetre.mapToGlobal(p)), QPoint(), QPoint(0, crans * 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&e);
        QApplication::instance()->notify(sous, &e);
    }

    // Le bouton d'une boîte, cliqué.
    static void cliquerBouton(QDialog& d, QDialogButtonBox::StandardButton bouton)
    {
        QTest::mouseClick(d.findChild<QDialogButtonBox*>()->button(bouton), Qt::LeftButton);
    }

    // Le dialogue d'import rempli comme une personne le fait (le fichier, la station), ouvert par son
    // menu à la souris. Un import refusé rouvre le dialogue tel qu'il était rempli : le fichier qu'il montre
    // alors est rendu, puis il est fermé (vide s'il ne s'est pas rouvert).
    static QString importer(FenetreHote& f, const QString& csv, const QString& code)
    {
        QString rouvert;
        QTimer guet;
        QObject::connect(&guet, &QTimer::timeout, [&] {
            auto* d = qobject_cast<DialogueImport*>(QApplication::activeModalWidget());
            if (!d || !activer(d))
                return;
            if (d->property("rempli").toBool()) {
                rouvert = d->findChildren<QLineEdit*>().first()->text();
                cliquerBouton(*d, QDialogButtonBox::Cancel);
                return;
            }
            d->setProperty("rempli", true);
            taper(d->findChildren<QLineEdit*>().first(), csv);
            for (QComboBox* c : d->findChildren<QComboBox*>())
                if (c->isEditable())
                    taper(c->lineEdit(), code);
            cliquerBouton(*d, QDialogButtonBox::Ok);
        });
        guet.start(10);
        QWidget* fenetre = QApplication::activeWindow();
        clicMenu(f, "&Fichier", "&Importer un fichier CSV…");
        if (fenetre)
            activer(fenetre);
        return rouvert;
    }

    // Le geste fait (un menu, un raccourci, un bouton) ; la boîte qu'il ouvre est donnée à `remplir`,
    // puis fermée si elle reste ouverte : vrai si elle l'était (un refus la laisse ouverte).
    static bool dansLaBoite(const std::function<void()>& geste, const std::function<void(QDialog&)>& remplir)
    {
        bool resteOuverte = false;
        // Une minuterie locale : sans boîte, elle meurt avec la fonction au lieu de sonner plus tard.
        QTimer minuterie;
        minuterie.setSingleShot(true);
        QObject::connect(&minuterie, &QTimer::timeout, [&resteOuverte, &remplir] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(d && activer(d));
            remplir(*d);
            resteOuverte = d->isVisible();
            if (resteOuverte)
                d->reject();
        });
        minuterie.start(0);
        QWidget* fenetre = QApplication::activeWindow();
        geste();
        if (fenetre)
            activer(fenetre);
        return resteOuverte;
    }

    // Le dialogue du bulletin ouvert par le menu Fichier, donné à `remplir` ; vrai s'il est resté ouvert.
    static bool ouvrirDialogueBulletin(FenetreHote& f, const std::function<void(DialogueBulletin&)>& remplir)
    {
        return dansLaBoite([&f] { clicMenu(f, "&Fichier", "&Bulletin du mois…"); }, [&remplir](QDialog& d) {
            auto* bulletin = qobject_cast<DialogueBulletin*>(&d);
            ASSERT_TRUE(bulletin);
            remplir(*bulletin);
        });
    }

    // La date de dernière validation tapée dans sa boîte du menu Graphique, puis OK ; vrai si la
    // boîte est restée ouverte.
    static bool taperDateDeValidation(FenetreHote& f, const QString& texte)
    {
        return dansLaBoite([&f] { clicMenu(f, "&Graphique", "Date de dernière &validation…"); }, [&texte](QDialog& d) {
            taper(d, "DateValidation", texte);
            cliquerBouton(d, QDialogButtonBox::Ok);
        });
    }

    // Les pluies de mars 2023 de Port-Aubin demandées, puis Corriger : leur grille, à l'outil 6.
    static void corrigerMars(FenetreHote& f)
    {
        saisir(f, demandeDe(TypeGraph::edition, "76402001", "M", {2023, 3, 1}, {2023, 3, 31}));
        QTest::mouseClick(enfant<QPushButton>(f, "BoutonCorriger"), Qt::LeftButton);
        ASSERT_EQ(f.formulaire().controle().outilCourant(), 6);
    }

    // Les bulles du menu des bases récentes : le chemin entier de chacune.
    static QStringList basesRecentes(QMainWindow& f)
    {
        QStringList bulles;
        for (QMenu* m : f.findChildren<QMenu*>())
            if (m->title() == QStringLiteral("Bases &récentes"))
                for (QAction* a : m->actions())
                    bulles << a->toolTip();
        return bulles;
    }

    // Les lignes qu'un SELECT rend, leurs champs séparés par « | » ; vide s'il échoue.
    static QStringList lignesDe(BaseDonnees& base, const QString& sql)
    {
        TableauValeurs t;
        qint32 n = 0;
        QStringList lignes;
        EXPECT_TRUE(base.ExtraireRecords(OrdreSql::sansVerification(sql), t, n)) << sql.toStdString();
        for (int r = 0; r < n; ++r) {
            QStringList champs;
            for (int c = 0; c < t.lignes(); ++c)
                champs << TexteCellule(t.valeur(c, r));
            lignes << champs.join(u'|');
        }
        return lignes;
    }

    CtlGraphique& c() { return f->formulaire().controle(); }
    GrillePoints& grille() { return *c().SprPoints(); }
    void palette(int bouton) { QTest::mouseClick(c().PaletteOutils()->bouton(bouton), Qt::LeftButton); }

    // La ligne de la grille des points qui montre ce jour, -1 sans elle.
    static int ligneDu(const GrillePoints& g, const QDate& jour)
    {
        for (int r = 0; r < g.lignes(); ++r)
            if (g.texte(r, GrillePoints::Date) == TexteDate(jour))
                return r;
        return -1;
    }
    // La ligne d'un jour de mars 2023, le mois que les essais corrigent.
    int ligneDu(int jour) { return ligneDu(grille(), QDate(2023, 3, jour)); }
    // Une cellule de la ligne du jour cliquée : la ligne devient la courante.
    void cliquerCellule(int jour, int colonne) { cliquerLigne(grille(), grille().model()->index(ligneDu(jour), colonne)); }

    // Un double clic sur la cellule d'une grille, le texte tapé par-dessus (vide : effacé) ; Entrée
    // seulement si `valider`. La fenêtre reprend d'abord la main, qu'une jauge ou une autre a prise.
    static void taperDansLaGrille(FenetreHote& f, QAbstractItemView& g, int ligne, int colonne, const QString& texte,
                                  bool valider = true)
    {
        f.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
        const QModelIndex i = g.model()->index(ligne, colonne);
        ASSERT_TRUE(i.isValid()) << ligne << "," << colonne;
        g.scrollTo(i);
        const QPoint centre = g.visualRect(i).center();
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, centre);
        QWidget* editeur = QApplication::focusWidget();
        ASSERT_TRUE(editeur && editeur != &g && g.isAncestorOf(editeur));
        QTest::keyClick(editeur, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editeur, Qt::Key_Delete);
        QTest::keyClicks(editeur, texte);
        if (valider)
            QTest::keyClick(editeur, Qt::Key_Return);
        // La vue valide l'éditeur par un appel mis en file.
        QApplication::processEvents();
    }
    // La valeur du jour retapée ; Entrée seulement si `valider`.
    void taperValeur(int jour, const QString& valeur, bool valider = true)
    {
        taperDansLaGrille(*f, grille(), ligneDu(jour), GrillePoints::Valeur, valeur, valider);
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
    std::unique_ptr<FenetreHote> f;
    QStringList ouverts;
    int jaugesAOuverture = 0;   // jauges encore montrées quand un document s'ouvre
    bool ouvertureReussie = true;

private:
    OuvreurDocument m_ouvreur;
};
