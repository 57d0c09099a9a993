// L'application de bureau pilotée à la souris, dans ce que les essais des menus, des dates et des
// corrections ne font pas : courbes masquées, mauvaises demandes, jauges et messages, bases et
// options retenues d'un lancement à l'autre, le bulletin du mois.
#include "PiloteBureau.h"

#include "commun_tests/SaisieEnFile.h"

#include "ChampMois.h"
#include "DialoguePostgres.h"
#include "GrilleCourbes.h"

#include "commun_tests/Fichiers.h"
#include "commun_tests/ImagesGardees.h"
#include "commun_tests/JourFixe.h"
#include "commun_tests/Souris.h"
#include "commun_tests/OrdresNatifs.h"
#include "output/ArchiveZipTests.h"
#include "render/moteur/ProprietesMoteur.h"
#include "settings/FrmOption.h"
#include "data/bases/OuvertureBase.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QProcess>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScrollArea>
#include <QToolBar>

namespace {

class HoteBureau : public PiloteBureau
{
protected:
    static void SetUpTestSuite()
    {
        PiloteBureau::SetUpTestSuite();
        QApplication::setOrganizationName(QStringLiteral("graphique-essais"));
    }
    void SetUp() override
    {
        PiloteBureau::SetUp();
        f = ouvrir();
    }

    void choisirGenre(const char* code) { choisir(*f, "GenreGraphique", QString::fromLatin1(code)); }
    using PiloteBureau::tracer;
    void tracer() { QTest::mouseClick(enfant<QPushButton>(*f, "BoutonTracer"), Qt::LeftButton); }
    void dates(const QDate& debut, const QDate& fin)
    {
        taper(*f, "DateDebut", TexteDate(debut));
        taper(*f, "DateFin", TexteDate(fin));
    }
    int pointsTraces()
    {
        MoteurGraphique& g = c().Graphique();
        return g.lire(Prop::NbJeux).toInt() > 0 ? g.lire(Prop::NbPoints).toInt() : 0;
    }
};

TEST_F(HoteBureau, CourbeMasqueeOuRenommeeCasesDesStatistiquesEtDateDeValidationLuesParLeControle)
{
    choisirStation(*f, "76402001");
    choisirGenre("Annee");
    tracer();
    Classe_Graphiques& courbes = c().CollCourbes();
    garderImage(f->grab().toImage(), "hote-annee");
    GrilleCourbes& liste = f->courbes();
    // Renommer la courbe de l'année d'un double clic : la légende à l'écran la nomme ainsi.
    taperDansLaGrille(*f, liste, 1, 1, "Port-Aubin 2023");
    // La liste reçoit le nom au tour suivant de la boucle des évènements.
    EXPECT_TRUE(QTest::qWaitFor([&] { return courbes.GetCourbe(1)->Titre() == "Port-Aubin 2023"; }, 2000));
    EXPECT_EQ(c().Graphique().lireIndexe(Prop::Legende, 1).toString(), "Port-Aubin 2023");

    ASSERT_GT(courbes.noCourbe(QStringLiteral("Médiane")), 0);
    EXPECT_TRUE(courbes.GetCourbe(courbes.noCourbe(QStringLiteral("Médiane")))->Afficher());
    auto* mediane = enfant<QCheckBox>(*f, "ChkMediane");
    ASSERT_TRUE(mediane->isChecked());
    QTest::mouseClick(mediane, Qt::LeftButton, {}, QPoint(6, mediane->height() / 2));
    ASSERT_FALSE(mediane->isChecked());
    tracer();
    // La médiane est calculée mais ne se montre plus.
    EXPECT_FALSE(courbes.GetCourbe(courbes.noCourbe(QStringLiteral("Médiane")))->Afficher());
    EXPECT_TRUE(courbes.GetCourbe(courbes.noCourbe(QStringLiteral("Moyenne")))->Afficher());

    // La date de dernière validation tapée dans sa boîte : une date impossible la laisse ouverte ;
    // l'année sur deux chiffres est prise au chargement, et un point avant elle est refusé.
    EXPECT_TRUE(taperDateDeValidation(*f, "31/13/2024"));
    EXPECT_EQ(messages.textes().last(),
              "Date de dernière validation : « 31/13/2024 » n'est pas une date (JJ/MM/AAAA, par exemple 15/06/2020).");
    EXPECT_FALSE(taperDateDeValidation(*f, "31/12/24"));
    corrigerMars(*f);
    messages.vider();
    palette(4);
    QTest::mouseClick(c().vueGraphique(), Qt::LeftButton, {}, dansLeTrace(c(), 0.5, 0.5));
    EXPECT_EQ(messages.textes(), QStringList{"Vous ne pouvez pas ajouter de point avant la date de dernière validation (31/12/2024)"});
}

TEST_F(HoteBureau, MauvaisesDemandesUnMessageEtLaFenetreResteUtilisable)
{
    // Dates à l'envers.
    choisirStation(*f, "76402001");
    choisirGenre("edition");
    dates(QDate(2023, 1, 1), QDate(2022, 1, 1));
    tracer();
    EXPECT_EQ(messages.textes(), QStringList{"La date de début (01/01/2023) est après la date de fin (01/01/2022)."});
    EXPECT_EQ(c().CollCourbes().Compter(), 0);

    // Pluie et nappe sans nappe cochée.
    messages.vider();
    choisirGenre("PluvioPiezo");
    dates(QDate(2022, 1, 1), QDate(2022, 12, 31));
    tracer();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.textes().first().contains("au moins une station"));

    // Une base qui ne s'ouvre pas : un message, et la base en service le reste (ce qu'il dit de
    // chaque fichier qui n'est pas une base est essayé sur la ligne de commande).
    messages.vider();
    EXPECT_FALSE(f->ouvrirBase(dossier.filePath("absent/rien.db")));
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.textes().first().startsWith("Impossible d'ouvrir la base"));
    EXPECT_EQ(f->texteBase(), dossier.filePath("exemple.db"));
}

// Avant le premier graphique : un cadre qui dit quoi faire, sans graduations qui feraient croire à des données.
TEST_F(HoteBureau, AvantLePremierGraphiqueUnCadreQuiDitQuoiFaire)
{
    MoteurGraphique& g = c().Graphique();
    EXPECT_EQ(g.lire(Prop::TitreGraphique).toString(), "Choisir une station, un genre de graphique et une période, puis Tracer.");
    EXPECT_EQ(g.lire(Prop::Grille).toInt(), 0);
    EXPECT_EQ(pointsTraces(), 0);
    g.ecrire(Prop::AxeY, 0);
    EXPECT_EQ(g.lire(Prop::DivisionsY).toInt(), 1);
    garderImage(f->grab().toImage(), "avant-le-premier-graphique");
    // Sur un écran de 1600 × 1000, Tracer se voit sans faire défiler la demande.
    f->resize(1600, 1000 - 60);
    QApplication::processEvents();
    auto* bouton = enfant<QPushButton>(*f, "BoutonTracer");
    auto* defilement = qobject_cast<QScrollArea*>(enfant<QWidget>(*f, "PanneauDemande")->parentWidget()->parentWidget());
    ASSERT_TRUE(defilement);
    const QRect place(bouton->mapTo(defilement->viewport(), QPoint(0, 0)), bouton->size());
    EXPECT_GE(place.top(), 0);
    EXPECT_LE(place.bottom(), defilement->viewport()->height()) << place.y() << " / " << defilement->viewport()->height();
    // Le code, le nom et le genre de chaque station se lisent sans défilement de côté ; le filtre ignore les accents.
    auto* liste = enfant<QTreeWidget>(*f, "ListeStations");
    EXPECT_LE(liste->header()->length(), liste->viewport()->width() + 1);
    QTest::keyClicks(enfant<QLineEdit>(*f, "FiltreStations"), "piezo");
    int visibles = 0;
    for (int i = 0; i < liste->topLevelItemCount(); ++i)
        visibles += liste->topLevelItem(i)->isHidden() ? 0 : 1;
    EXPECT_EQ(visibles, 2);
}

// Une personne qui lit chaque message le temps qu'il faut (0,6 s) : ce qu'elle
// voit alors, une jauge encore montrée par-dessus ou non.
class MessagesLus : public ServiceMessages
{
public:
    MessagesLus() { m_precedent = ServiceMessages::installer(this); }
    ~MessagesLus() override { ServiceMessages::installer(m_precedent); }
    qint16 afficher(const QString&, const StyleMessage&, const QString& message) override
    {
        QElapsedTimer lecture;
        lecture.start();
        while (lecture.elapsed() < 600)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        bool jauge = false;
        QString station;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            jauge = jauge || (qobject_cast<QProgressDialog*>(w) && w->isVisible());
            if (auto* liste = w->findChild<QTreeWidget*>(QStringLiteral("ListeStations")); liste && liste->currentItem())
                station = liste->currentItem()->text(0);
        }
        textes << message;
        stations << station;
        jaugesMontrees << jauge;
        return BoutonMessage::OK;
    }
    QStringList textes, stations;   // la station choisie dans la liste quand le message paraît
    QList<bool> jaugesMontrees;

private:
    ServiceMessages* m_precedent;
};

TEST_F(HoteBureau, JaugesJamaisSurLesMessagesDUnImportFauxAnnuleOuReussi)
{
    MessagesLus lus;
    // L'import, puis la jauge annulée dès qu'elle est là.
    const auto importer = [&](const QByteArray& contenu, const QString& code, bool annuler) {
        QTimer annulation;
        QObject::connect(&annulation, &QTimer::timeout, f.get(), [&] {
            if (auto* jauge = f->findChild<QProgressDialog*>(QStringLiteral("JaugeImport")); jauge && annuler)
                jauge->cancel();
        });
        annulation.start(5);
        return PiloteBureau::importer(*f, ecrireFichier(dossier.filePath("import.csv"), contenu), code);
    };
    // Un fichier faux : le message, aucune jauge remontrée par-dessus pendant qu'on le lit, et le
    // dialogue rouvert avec le fichier tapé, à corriger plutôt qu'à tout ressaisir.
    EXPECT_EQ(importer("01/01/2023;1\npas une date;2\n", QStringLiteral("IMPORT1"), false), dossier.filePath("import.csv"));
    ASSERT_EQ(lus.textes.size(), 1);
    EXPECT_TRUE(lus.textes.at(0).contains("ligne(s) incorrecte(s)")) << lus.textes.at(0).toStdString();
    // Un long import annulé : rien n'est écrit, et la station n'apparaît pas.
    QByteArray long_;
    for (int j = 0; j < 200000; ++j)
        long_ += QDate(1900, 1, 1).addDays(j).toString(QStringLiteral("dd/MM/yyyy")).toLatin1() + ";1\n";
    importer(long_, QStringLiteral("IMPORT2"), true);
    auto* stations = enfant<QTreeWidget>(*f, "ListeStations");
    EXPECT_TRUE(stations->findItems("IMPORT2", Qt::MatchExactly, 0).isEmpty());
    // Un import réussi : le bilan, la station nouvelle déjà dans la liste et choisie quand il paraît.
    importer("Date;Pluie\n01/02/2024;4,5\n02/02/2024;0\n03/02/2024;12\n", QStringLiteral("76999001"), false);
    EXPECT_EQ(lus.textes.mid(1),
              (QStringList{"Import annulé : rien n'a été écrit.",
                           "3 mesure(s) importée(s) dans PLUVIO_76999001 : 3 ajoutée(s), 0 remplacée(s) dans la base."}));
    EXPECT_EQ(lus.stations.value(2), "76999001");
    EXPECT_EQ(lus.jaugesMontrees, QList<bool>(3, false));
}

// Le bouton Annuler de la jauge, cliqué pendant le chargement des trois pluviomètres (le clic passe
// par la file du système de fenêtres, comme un vrai) : un graphique vide qui le dit, et aucune courbe à
// montrer. Ctrl+Q pendant un autre chargement : il s'arrête, la fenêtre se ferme sans autre message.
TEST_F(HoteBureau, ChargementAnnuleParLaJaugeOuParQuitter)
{
    MessagesLus lus;
    tracer(*f, demandeDe(TypeGraph::edition, "76402001", "M", {2021, 10, 1}, {2023, 9, 30}));
    ASSERT_GT(f->courbes().rowCount(), 1);
    int etapes = 0;
    auto lien = QObject::connect(&c(), &CtlGraphique::progression, f.get(), [&] {
        auto* jauge = f->findChild<QProgressDialog*>(QStringLiteral("JaugeChargement"));
        if (++etapes == 3 && jauge && QTest::qWaitFor([jauge] { return jauge->isVisible(); }, 2000)) {
            QPushButton* annuler = jauge->findChild<QPushButton*>();
            cliquerEnFile(*annuler, annuler->rect().center());
        }
    });
    tracer(*f, demandeDe(TypeGraph::Superposition, "76401001", "A", {2000, 1, 1}, {2024, 12, 31}, {"76402001", "27403001"}));
    QObject::disconnect(lien);
    ASSERT_EQ(lus.textes, QStringList{"Chargement annulé."});
    EXPECT_EQ(f->courbes().rowCount(), 1);  // la seule ligne « Toutes les courbes »
    EXPECT_EQ(c().Graphique().lire(Prop::TitreGraphique).toString(), QStringLiteral("Chargement annulé."));
    EXPECT_FALSE(etat(*f).contains(QStringLiteral("Période")));
    EXPECT_EQ(lus.jaugesMontrees, QList<bool>{false});

    // Ctrl+Q tapé comme au clavier (dans la file du système de fenêtres) : le chargement s'arrête à son étape suivante.
    choisirStation(*f, "76402001");
    choisirGenre("Annee");
    ASSERT_TRUE(activer(f.get()));
    int apresQuitter = -1;
    etapes = 0;
    QObject::connect(&c(), &CtlGraphique::progression, f.get(), [&] {
        if (++etapes == 2)
            frapperEnFile(*f, Qt::Key_Q, Qt::ControlModifier);
        else if (etapes > 2)
            ++apresQuitter;
    });
    tracer();
    QTest::qWait(100);
    EXPECT_LE(apresQuitter, 2);
    EXPECT_EQ(c().Graphique().lire(Prop::TitreGraphique).toString(), QStringLiteral("Chargement annulé."));
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(lus.textes.size(), 1) << lus.textes.join('|').toStdString();
}

// La base donnée par un chemin relatif se retrouve d'un autre dossier de lancement, une seule fois
// dans les récentes ; disparue, la base d'exemple l'attend sans prendre sa place de dernière base.
TEST_F(HoteBureau, LaDerniereBaseSeRetrouveDUnAutreDossierEtResteRetenue)
{
    const QString avant = QDir::currentPath();
    QDir::setCurrent(dossier.path());
    EXPECT_TRUE(f->ouvrirBase(QStringLiteral("exemple.db")));
    EXPECT_TRUE(f->ouvrirBase(QStringLiteral("./exemple.db")));
    EXPECT_EQ(f->texteBase(), dossier.filePath("exemple.db"));
    f->close();
    const auto relancer = [] {
        auto fenetre = std::make_unique<FenetreHote>();
        fenetre->ouvrirAuDemarrage(QString());
        return fenetre;
    };
    QDir::setCurrent(QDir::rootPath());
    auto relancee = relancer();
    EXPECT_EQ(relancee->texteBase(), dossier.filePath("exemple.db"));
    EXPECT_EQ(basesRecentes(*relancee), QStringList{dossier.filePath("exemple.db")});
    relancee.reset();
    ASSERT_TRUE(QFile::rename(dossier.filePath("exemple.db"), dossier.filePath("ailleurs.db")));
    messages.vider();
    relancee = relancer();
    EXPECT_EQ(relancee->texteBase(), FenetreHote::cheminBaseExemple());
    EXPECT_EQ(messages.textes().size(), 1);
    relancee.reset();
    ASSERT_TRUE(QFile::rename(dossier.filePath("ailleurs.db"), dossier.filePath("exemple.db")));
    EXPECT_EQ(relancer()->texteBase(), dossier.filePath("exemple.db"));
    QDir::setCurrent(avant);
}

// Les options enregistrées sur un graphique d'édition reviennent au lancement suivant : le fond et la
// grille sur chaque graphique d'édition, l'échelle fixée seulement sur le même graphique (même station
// et même période de regroupement, d'autres dates) ; aucun autre genre ne les prend.
TEST_F(HoteBureau, LesOptionsEnregistreesPourUnGenreReviennentAuLancementSuivant)
{
    const auto aspectRetenu = [this](bool echelleFixee) {
        MoteurGraphique& g = c().Graphique();
        g.ecrire(Prop::AxeY, 0);
        if (echelleFixee)
            EXPECT_EQ(std::pair(g.lireNombre(Prop::YMin), g.lireNombre(Prop::YMax)), std::pair(0.0, 450.0));
        else
            EXPECT_NE(g.lireNombre(Prop::YMax), 450);
        EXPECT_EQ(g.lire(Prop::CouleurFond).toInt(), 11);
        EXPECT_EQ(g.lire(Prop::Grille).toInt(), 1);
    };
    tracer(*f, demandeDe(TypeGraph::edition, "76402001", "M", {2021, 10, 1}, {2023, 9, 30}));
    // Un zoom d'abord : le nouveau tracé l'oublie, et « Toute la période » ne rend pas l'échelle d'avant.
    palette(3);
    glisser(c().vueGraphique(), dansLeTrace(c(), 0.3, 0.1), dansLeTrace(c(), 0.6, 0.9));
    // Fond 11, échelle de 0 à 450, grille horizontale seule, puis OK.
    palette(7);
    auto* boite = c().findChild<FrmOption*>();
    ASSERT_TRUE(boite);
    page(*boite, 3);
    taper(*boite, "TxtMin", "0");
    taper(*boite, "TxtMax", "450");
    page(*boite, 4);
    cocher(*boite, "ChkXGrid");
    QTest::mouseClick(enfant<QWidget>(boite, "PictureFond11"), Qt::LeftButton);
    auto* barre = enfant<QToolBar>(boite, "CtlToolBar1");
    QTest::mouseClick(barre->widgetForAction(barre->findChild<QAction*>(QStringLiteral("Bouton4"))), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    aspectRetenu(true);
    clicMenu(*f, QStringLiteral("&Graphique"), QStringLiteral("Toute la &période"));
    aspectRetenu(true);
    tracer(*f, demandeDe(TypeGraph::Annee, "76402001", "M", {}, {}));
    EXPECT_NE(c().Graphique().lire(Prop::CouleurFond).toInt(), 11);
    f->close();
    f = ouvrir();
    for (const auto& [station, periodes, fixee] : {std::tuple{"76401001", "M", false}, {"76402001", "A", false}, {"76402001", "M", true}}) {
        SCOPED_TRACE(std::string(station) + " " + periodes);
        tracer(*f, demandeDe(TypeGraph::edition, QString::fromLatin1(station), QString::fromLatin1(periodes), {2022, 1, 1}, {2023, 12, 31}));
        EXPECT_TRUE(messages.messages().isEmpty()) << messages.textes().join('|').toStdString();
        aspectRetenu(fixee);
    }
}

// Le bulletin du mois depuis le menu Fichier, sur la base d'exemple, un jour d'avril 2015.
class BulletinBureau : public HoteBureau
{
protected:
    void SetUp() override
    {
        HoteBureau::SetUp();
        ASSERT_TRUE(QDir().mkpath(sortie.path()));
    }

    // Le dialogue rempli (stations cochées seules, mois tapé, PDF, classeur) puis OK ; la jauge annulée dès qu'elle atteint `seuil`.
    void bulletin(const QDate& mois, const QStringList& stations, const QString& nom, int seuil = 101)
    {
        QTimer guet;
        QObject::connect(&guet, &QTimer::timeout, f.get(), [&guet, seuil, this] {
            if (auto* jauge = f->findChild<QProgressDialog*>(QStringLiteral("JaugeBulletin"))) {
                guet.stop();
                annulerAuSeuil(*jauge, seuil);
            }
        });
        if (seuil <= 100)
            guet.start(0);
        resteOuvert = ouvrirDialogueBulletin(*f, [&](DialogueBulletin& d) {
            auto* liste = d.findChild<QTreeWidget*>(QStringLiteral("StationsBulletin"));
            for (QPushButton* b : d.findChildren<QPushButton*>())
                if (b->text() == QStringLiteral("Tout &décocher"))
                    QTest::mouseClick(b, Qt::LeftButton);
            for (int i = 0; i < liste->topLevelItemCount(); ++i)
                if (stations.contains(liste->topLevelItem(i)->text(0)))
                    cliquerCase(*liste, liste->indexFromItem(liste->topLevelItem(i)));
            taper(d, "MoisBulletin", mois.toString(QStringLiteral("MM/yyyy")));
            taper(d, "FichierPdf", sortie.filePath(nom + ".pdf"));
            taper(d, "FichierClasseur", sortie.filePath(nom + ".xlsx"));
            cliquerBouton(d, QDialogButtonBox::Ok);
        });
    }

    static void annulerAuSeuil(QProgressDialog& jauge, int seuil)
    {
        QObject::connect(jauge.findChild<QProgressBar*>(), &QProgressBar::valueChanged, &jauge, [&jauge, seuil](int v) {
            if (v >= seuil)
                QTimer::singleShot(0, &jauge, &QProgressDialog::cancel);
        });
        if (jauge.value() >= seuil)
            jauge.cancel();
    }

    // Le même bulletin fait seul par un processus neuf de la ligne de commande : même classeur,
    // partie par partie, et un PDF de la synthèse et d'une page par station.
    void commeLaLigneDeCommande(const QString& nom)
    {
        const QString seul = sortie.filePath("seul");
        QProcess p;
        p.start(QStringLiteral(GRAPHIQUE_PROGRAMME), {"bulletin", "--base", texteBase(), "--mois", "03/2015", "--stations",
                                                      deux.join(u','), "--sortie", seul + ".pdf", "--classeur", seul + ".xlsx"});
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        ArchiveZipTests bureau(sortie.filePath(nom + ".xlsx")), isole(seul + ".xlsx");
        ASSERT_TRUE(bureau.ouverte() && isole.ouverte());
        EXPECT_EQ(bureau.noms(), isole.noms());
        for (const QString& partie : isole.noms())
            if (partie != QStringLiteral("docProps/core.xml")) {  // l'heure d'écriture
                EXPECT_EQ(bureau.lire(partie), isole.lire(partie)) << partie.toStdString();
            }
        EXPECT_EQ(lireFichier(seul + ".pdf").count("/Type /Page\n"), 3);
    }

    JourFixe jour{QDate(2015, 4, 10)};
    QDir sortie{dossier.filePath("bulletins")};
    bool resteOuvert = false;
    const QStringList deux{"76402001", "00754X0012"};
};

// Le dernier mois achevé qui a des mesures proposé, aucun mois à venir, la flèche qui passe l'année, toutes
// les stations cochées ; deux gardées, le PDF (la synthèse, puis une page par station) et le classeur écrits et
// ouverts, les mêmes que ceux de la ligne de commande.
TEST_F(BulletinBureau, LeMoisPasseProposeEtLePdfEtLeClasseurEcritsPuisOuverts)
{
    // En mars 2025, la base d'exemple n'a plus de mesure depuis décembre 2024.
    Horloge::fixer(QDate(2025, 3, 10));
    ouvrirDialogueBulletin(*f, [](DialogueBulletin& d) { EXPECT_EQ(enfant<ChampMois>(d, "MoisBulletin")->date(), QDate(2024, 12, 1)); });
    Horloge::fixer(QDate(2015, 4, 10));
    ouvrirDialogueBulletin(*f, [](DialogueBulletin& d) {
        auto* mois = d.findChild<ChampMois*>(QStringLiteral("MoisBulletin"));
        EXPECT_EQ(mois->date(), QDate(2015, 3, 1));
        // Bas sur le mois (le curseur au début) passe à l'année d'avant ; Haut ne va pas au mois à venir.
        for (const auto& [tape, touche, attendu] : {std::tuple{"01/2015", Qt::Key_Down, QDate(2014, 12, 1)},
                                                    std::tuple{"04/2015", Qt::Key_Up, QDate(2015, 4, 1)}}) {
            taper(mois, QString::fromLatin1(tape));
            QTest::keyClick(mois, Qt::Key_Home);
            QTest::keyClick(mois, touche);
            EXPECT_EQ(mois->date(), attendu) << tape;
        }
        EXPECT_TRUE(d.findChild<QLineEdit*>(QStringLiteral("FichierPdf"))->text().endsWith("Bulletin 2015-04.pdf"));
        auto* liste = d.findChild<QTreeWidget*>(QStringLiteral("StationsBulletin"));
        ASSERT_GE(liste->topLevelItemCount(), 3);
        for (int i = 0; i < liste->topLevelItemCount(); ++i)
            EXPECT_EQ(liste->topLevelItem(i)->checkState(0), Qt::Checked);
        garderImage(d.grab().toImage(), "dialogue-bulletin");
    });
    EXPECT_TRUE(ouverts.isEmpty());

    bulletin(QDate(2015, 3, 1), deux, "mars");
    ASSERT_TRUE(messages.textes().isEmpty()) << messages.textes().join('\n').toStdString();
    EXPECT_FALSE(resteOuvert);
    EXPECT_EQ(ouverts, (QStringList{sortie.filePath("mars.pdf"), sortie.filePath("mars.xlsx")}));
    EXPECT_EQ(f->statusBar()->currentMessage(), QStringLiteral("Bulletin de mars 2015 écrit dans %1 et %2")
                                                    .arg(QDir::toNativeSeparators(sortie.filePath("mars.pdf")),
                                                         QDir::toNativeSeparators(sortie.filePath("mars.xlsx"))));
    // Le classeur, vérifié cellule par cellule pour la ligne de commande, est le sien.
    commeLaLigneDeCommande("mars");
}

// Un piézomètre du code d'un pluviomètre : deux lignes dans la liste, deux au bulletin.
TEST_F(BulletinBureau, UnPiezometreDuCodeDUnPluviometreASaLigne)
{
    natif(texteBase(), {"CREATE TABLE PZ_76402001 AS SELECT * FROM PZ_00754X0012",
                         "INSERT INTO STATIONS (Code, Nom, Genre) VALUES ('76402001', 'Puits du pluviomètre', 'piezo')"});
    f->close();
    f = ouvrir();
    bulletin(QDate(2015, 3, 1), {"76402001"}, "deux");
    ASSERT_TRUE(messages.textes().isEmpty()) << messages.textes().join('\n').toStdString();
    ArchiveZipTests classeur(sortie.filePath("deux.xlsx"));
    ASSERT_TRUE(classeur.ouverte());
    const QByteArray synthese = classeur.lire(QStringLiteral("xl/worksheets/sheet1.xml")).value_or(QByteArray());
    EXPECT_EQ(synthese.count("<row "), 3);
    EXPECT_TRUE(classeur.lire(QStringLiteral("xl/sharedStrings.xml")).value_or(QByteArray()).contains("Puits du pluviomètre"));
}

// Aucune station cochée, un mois sans mesure, la jauge annulée pendant le calcul ou pendant le PDF :
// une ligne de message, le dialogue reste ouvert, rien n'est ouvert ni écrit (pas même un provisoire).
TEST_F(BulletinBureau, SansStationSansMesureOuAnnuleRienNEstEcrit)
{
    struct Cas
    {
        QDate mois;
        QStringList stations;
        int seuil;
        QString message;
    };
    const QString annule = QStringLiteral("Bulletin annulé : rien n'a été écrit.");
    const Cas cas[] = {{QDate(2015, 3, 1), {}, 101, QStringLiteral("Cocher au moins une station.")},
                       {QDate(1950, 1, 1), deux, 101, QStringLiteral("Aucune station n'a de mesure en janvier 1950.")},
                       {QDate(2015, 3, 1), deux, 0, annule},
                       {QDate(2015, 3, 1), deux, 50, annule}};
    for (const Cas& k : cas) {
        messages.vider();
        bulletin(k.mois, k.stations, "rien", k.seuil);
        EXPECT_EQ(messages.textes(), QStringList{k.message});
        EXPECT_TRUE(resteOuvert) << k.message.toStdString();
        EXPECT_TRUE(ouverts.isEmpty());
        const QStringList ecrits = sortie.entryList(QDir::Files | QDir::Hidden);
        EXPECT_TRUE(ecrits.isEmpty()) << ecrits.join(' ').toStdString();
    }
}

// Le programme lui-même : son aide, et un argument inconnu refusé d'une ligne en français.
TEST(ProgrammeHote, AideEtArgumentInconnu)
{
    QProcess p;
    p.start(QStringLiteral(GRAPHIQUE_HOTE), {QStringLiteral("--aide")});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardOutput()).startsWith("Usage : graphique-hote [--base BASE]"));
    // Une connexion donnée sans --base est citée sans son mot de passe.
    for (const auto& [argument, cite] : {std::pair{"--inconnu", "« --inconnu »"}, std::pair{"postgresql://u:Zq9@h/b", "« postgresql://u@h/b »"}}) {
        p.start(QStringLiteral(GRAPHIQUE_HOTE), {QString::fromUtf8(argument)});
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 2);
        const QStringList lignes = QString::fromUtf8(p.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lignes.size(), 1);
        EXPECT_TRUE(lignes.first().contains(QStringLiteral("argument inconnu ") + QString::fromUtf8(cite))) << lignes.first().toStdString();
    }
}

// Tout ce que la fenêtre montre en texte : étiquettes, barre d'état, menus et leurs bulles, titre.
QString texteAffiche(QMainWindow& f)
{
    QStringList t{f.windowTitle(), f.statusBar()->currentMessage()};
    for (QLabel* l : f.findChildren<QLabel*>())
        t << l->text() << l->toolTip();
    for (QMenu* m : f.findChildren<QMenu*>())
        for (QAction* a : m->actions())
            t << a->text() << a->toolTip();
    return t.join(u'\n');
}

// Le dialogue de connexion, ouvert par le menu et rempli au clavier : serveur, base, utilisateur, mot de passe, puis le port.
void connecterAuDialogue(FenetreHote& f, const QStringList& textes, const QString& port)
{
    guetterBoite<DialoguePostgres>(f, [textes, port](DialoguePostgres& d) {
        const auto champs = d.findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly);
        EXPECT_EQ(champs.size(), textes.size());
        if (champs.size() != textes.size())
            return d.reject();
        for (qsizetype i = 0; i < champs.size(); ++i)
            taper(champs[i], textes[i]);
        taper(d.findChild<QSpinBox*>(), port);
        QTest::keyClick(&d, Qt::Key_Return);
    });
    clicMenu(f, "&Fichier", "Se &connecter à PostgreSQL…");
}

// Un mot de passe tapé dans le dialogue, donné en --base sous chaque écriture de libpq, ou dans
// une connexion refusée : ni à l'écran, ni dans un message, ni dans les réglages (0600, même
// faits plus ouverts avant) ; la connexion retenue se rouvre sans lui (~/.pgpass, PGPASSWORD).
TEST_F(HoteBureau, UnMotDePasseNeParaitNiALEcranNiDansLesReglages)
{
    const QString serveur = qEnvironmentVariable("GRAPHIQUE_PG");
    if (serveur.isEmpty()) {
        if (qEnvironmentVariableIsSet("GRAPHIQUE_PG_EXIGE"))
            FAIL() << "GRAPHIQUE_PG absente";
        GTEST_SKIP() << "GRAPHIQUE_PG absente : scripts/tester.sh lance un serveur PostgreSQL pour ces essais.";
    }
    const auto cle = [&serveur](const char* nom) {
        return QRegularExpression(QStringLiteral("\\b%1=(\\S+)").arg(QLatin1String(nom))).match(serveur).captured(1);
    };
    const QString hote = cle("host"), port = cle("port"), utilisateur = cle("user"), base = cle("dbname");
    const QString fichier = QSettings(QStringLiteral("graphique"), QStringLiteral("graphique-hote")).fileName();
    QFile::setPermissions(fichier, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);

    connecterAuDialogue(*f, {hote, base, utilisateur, QStringLiteral("Zq9'se\\cret")}, port);
    EXPECT_EQ(f->texteBase().count("Zq9"), 1);
    const std::pair<QString, bool> demarrages[] = {
        {QStringLiteral("postgresql://%1:Zq9secret@%2:%3/%4").arg(utilisateur, hote, port, base), true},
        {QStringLiteral("postgresql://%1@%2:%3/%4?password=Zq9secret&connect_timeout=5").arg(utilisateur, hote, port, base), true},
        {serveur + QStringLiteral(" password = 'Zq9 \\'secret'"), true},
        {QStringLiteral("postgresql://%1@%2:%3/%4?PassWord=Zq9secret").arg(utilisateur, hote, port, base), false},
    };
    for (const auto& [texte, ouverte] : demarrages) {
        messages.vider();
        f->ouvrirAuDemarrage(texte);
        EXPECT_EQ(f->texteBase() == texte, ouverte) << texte.toStdString();
        // Une base vide du serveur dit qu'elle n'a pas de stations ; une connexion refusée dit pourquoi.
        EXPECT_FALSE(messages.textes().isEmpty()) << texte.toStdString();
        EXPECT_FALSE(messages.textes().join(u' ').contains("Zq9")) << messages.textes().join(u' ').toStdString();
        EXPECT_FALSE(texteAffiche(*f).contains("Zq9")) << texte.toStdString();
    }
    QFile reglages(fichier);
    ASSERT_TRUE(reglages.open(QIODevice::ReadOnly));
    const QByteArray contenu = reglages.readAll();
    EXPECT_FALSE(contenu.contains("Zq9")) << contenu.toStdString();
    EXPECT_TRUE(contenu.contains(port.toUtf8()));
    EXPECT_EQ(reglages.permissions() & ~(QFile::ReadUser | QFile::WriteUser), QFile::ReadOwner | QFile::WriteOwner);

    // La connexion retenue se rouvre sans mot de passe (le serveur d'essai n'en demande pas).
    f->close();
    auto relancee = std::make_unique<FenetreHote>();
    relancee->ouvrirAuDemarrage(QString());
    EXPECT_TRUE(estConnexionPostgres(relancee->texteBase())) << relancee->texteBase().toStdString();
    EXPECT_FALSE(relancee->texteBase().contains("Zq9"));
}

} // namespace
