// L'application de bureau pilotée à la souris, dans ce que la journée complète
// ne fait pas : courbes masquées, mauvaises demandes, jauges et messages.
#include "PiloteBureau.h"

#include "commun_tests/SaisieEnFile.h"

#include "ChampMois.h"
#include "DialogueBulletin.h"
#include "FormulaireGraphique.h"
#include "GrilleCourbes.h"

#include "commun_tests/Fichiers.h"
#include "commun_tests/ImagesGardees.h"
#include "commun_tests/JourFixe.h"
#include "commun_tests/Souris.h"
#include "control/CtlGraphique.h"
#include "control/VueGraphique.h"
#include "output/ArchiveZipTests.h"
#include "render/moteur/ProprietesMoteur.h"
#include "settings/Aide.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QProgressDialog>
#include <QScrollArea>
#include <QTimer>
#include <QWindow>
#include <functional>

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
        fenetre = ouvrir();
    }

    template <typename T>
    T* enfant(const char* nom)
    {
        return ::enfant<T>(*fenetre, nom);
    }
    void choisirStation(const QString& code) { PiloteBureau::choisirStation(*fenetre, code); }
    void choisirGenre(const char* code) { choisir(*fenetre, "GenreGraphique", QString::fromLatin1(code)); }
    using PiloteBureau::tracer;
    void tracer() { QTest::mouseClick(enfant<QPushButton>("BoutonTracer"), Qt::LeftButton); }
    void dates(const QDate& debut, const QDate& fin)
    {
        taper(*fenetre, "DateDebut", TexteDate(debut));
        taper(*fenetre, "DateFin", TexteDate(fin));
    }
    CtlGraphique& ctl() { return fenetre->formulaire().controle(); }
    int pointsTraces()
    {
        MoteurGraphique& g = ctl().Graphique();
        return g.lire(Prop::NbJeux).toInt() > 0 ? g.lire(Prop::NbPoints).toInt() : 0;
    }

    std::unique_ptr<FenetreHote> fenetre;
};

TEST_F(HoteBureau, CourbeMasqueeOuRenommeeCasesDesStatistiquesEtDateDeValidationLuesParLeControle)
{
    choisirStation("76402001");
    choisirGenre("Annee");
    tracer();
    Classe_Graphiques& c = ctl().CollCourbes();
    garderImage(fenetre->grab().toImage(), "hote-annee");
    // Masquer une courbe depuis la liste : la marque tombe, la courbe n'est plus montrée.
    GrilleCourbes& grille = fenetre->courbes();
    ASSERT_EQ(grille.rowCount(), c.Compter() + 1);
    const int jeuxAvant = ctl().Graphique().lire(Prop::NbJeux).toInt();
    QTest::mouseClick(grille.viewport(), Qt::LeftButton, {}, grille.visualItemRect(grille.item(2, 0)).center());
    EXPECT_EQ(grille.item(2, 0)->text(), " ");
    EXPECT_FALSE(c.GetCourbe(2)->Afficher());
    EXPECT_EQ(ctl().Graphique().lire(Prop::NbJeux).toInt(), jeuxAvant - 1);
    // Renommer la courbe de l'année d'un double clic : la légende à l'écran la nomme ainsi.
    fenetre->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenetre.get()));
    const QPoint titre = grille.visualItemRect(grille.item(1, 1)).center();
    QTest::mouseClick(grille.viewport(), Qt::LeftButton, {}, titre);
    QTest::mouseDClick(grille.viewport(), Qt::LeftButton, {}, titre);
    QWidget* editeur = QApplication::focusWidget();
    ASSERT_TRUE(editeur && editeur != grille.viewport() && grille.isAncestorOf(editeur));
    QTest::keyClick(editeur, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editeur, "Port-Aubin 2023");
    QTest::keyClick(editeur, Qt::Key_Return);
    // La liste reçoit le nom au tour suivant de la boucle des évènements.
    EXPECT_TRUE(QTest::qWaitFor([&] { return c.GetCourbe(1)->Titre() == "Port-Aubin 2023"; }, 2000));
    EXPECT_EQ(ctl().Graphique().lireIndexe(Prop::Legende, 1).toString(), "Port-Aubin 2023");

    ASSERT_GT(c.noCourbe(QStringLiteral("Médiane")), 0);
    EXPECT_TRUE(c.GetCourbe(c.noCourbe(QStringLiteral("Médiane")))->Afficher());
    auto* mediane = enfant<QCheckBox>("ChkMediane");
    ASSERT_TRUE(mediane->isChecked());
    QTest::mouseClick(mediane, Qt::LeftButton, {}, QPoint(6, mediane->height() / 2));
    ASSERT_FALSE(mediane->isChecked());
    tracer();
    // La médiane est calculée mais ne se montre plus.
    EXPECT_FALSE(c.GetCourbe(c.noCourbe(QStringLiteral("Médiane")))->Afficher());
    EXPECT_TRUE(c.GetCourbe(c.noCourbe(QStringLiteral("Moyenne")))->Afficher());

    // La date de dernière validation tapée dans sa boîte : une date impossible la laisse ouverte ;
    // l'année sur deux chiffres est prise au chargement, et un point avant elle est refusé.
    EXPECT_TRUE(taperDateDeValidation(*fenetre, "31/13/2024"));
    EXPECT_EQ(messages.textes().last(),
              "Date de dernière validation : « 31/13/2024 » n'est pas une date (JJ/MM/AAAA, par exemple 15/06/2020).");
    EXPECT_FALSE(taperDateDeValidation(*fenetre, "31/12/24"));
    choisirGenre("edition");
    dates(QDate(2023, 3, 1), QDate(2023, 3, 31));
    tracer();
    messages.vider();
    ctl().declencheOutil(4);
    QTest::mouseClick(ctl().vueGraphique(), Qt::LeftButton, {}, dansLeTrace(ctl(), 0.5, 0.5));
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.textes().first(), "Vous ne pouvez pas ajouter de point avant la date de dernière validation (31/12/2024)");
}

TEST_F(HoteBureau, MauvaisesDemandesUnMessageEtLaFenetreResteUtilisable)
{
    // Dates à l'envers.
    choisirStation("76402001");
    choisirGenre("edition");
    dates(QDate(2023, 1, 1), QDate(2022, 1, 1));
    tracer();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.textes().first(), "La date de début (01/01/2023) est après la date de fin (01/01/2022).");
    EXPECT_EQ(ctl().CollCourbes().Compter(), 0);

    // Pluie et nappe sans nappe cochée.
    messages.vider();
    choisirGenre("PluvioPiezo");
    dates(QDate(2022, 1, 1), QDate(2022, 12, 31));
    tracer();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.textes().first().contains("au moins une station"));

    // Une base qui ne s'ouvre pas : un message, et la base en service le reste (un fichier qui
    // n'est pas une base est essayé dans la journée complète).
    messages.vider();
    EXPECT_FALSE(fenetre->ouvrirBase(dossier.filePath("absent/rien.db")));
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.textes().first().startsWith("Impossible d'ouvrir la base"));
    EXPECT_EQ(fenetre->texteBase(), dossier.filePath("exemple.db"));
}

// Avant le premier graphique : un cadre qui dit quoi faire, sans graduations qui feraient croire à des données.
TEST_F(HoteBureau, AvantLePremierGraphiqueUnCadreQuiDitQuoiFaire)
{
    MoteurGraphique& g = ctl().Graphique();
    EXPECT_EQ(g.lire(Prop::TitreGraphique).toString(), "Choisir une station, un genre de graphique et une période, puis Tracer.");
    EXPECT_EQ(g.lire(Prop::Grille).toInt(), 0);
    EXPECT_EQ(g.lire(Prop::NbJeux).toInt() > 0 ? g.lire(Prop::NbPoints).toInt() : 0, 0);
    g.ecrire(Prop::AxeY, 0);
    EXPECT_EQ(g.lire(Prop::DivisionsY).toInt(), 1);
    garderImage(fenetre->grab().toImage(), "avant-le-premier-graphique");
    // Sur un écran de 1600 × 1000, Tracer se voit sans faire défiler la demande.
    fenetre->resize(1600, 1000 - 60);
    QApplication::processEvents();
    auto* bouton = enfant<QPushButton>("BoutonTracer");
    auto* defilement = qobject_cast<QScrollArea*>(enfant<QWidget>("PanneauDemande")->parentWidget()->parentWidget());
    ASSERT_TRUE(defilement);
    const QRect place(bouton->mapTo(defilement->viewport(), QPoint(0, 0)), bouton->size());
    EXPECT_GE(place.top(), 0);
    EXPECT_LE(place.bottom(), defilement->viewport()->height()) << place.y() << " / " << defilement->viewport()->height();
    // Le code, le nom et le genre de chaque station se lisent sans défilement de côté ; le filtre ignore les accents.
    auto* liste = enfant<QTreeWidget>("ListeStations");
    EXPECT_LE(liste->header()->length(), liste->viewport()->width() + 1);
    QTest::keyClicks(enfant<QLineEdit>("FiltreStations"), "piezo");
    int visibles = 0;
    for (int i = 0; i < liste->topLevelItemCount(); ++i)
        visibles += liste->topLevelItem(i)->isHidden() ? 0 : 1;
    EXPECT_EQ(visibles, 2);
    enfant<QLineEdit>("FiltreStations")->clear();
    choisirStation("76402001");
    choisirGenre("edition");
    tracer();
    EXPECT_NE(g.lire(Prop::Grille).toInt(), 0);
    EXPECT_GT(pointsTraces(), 0);
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
        for (QWidget* w : QApplication::topLevelWidgets())
            jauge = jauge || (qobject_cast<QProgressDialog*>(w) && w->isVisible());
        textes << message;
        jaugesMontrees << jauge;
        return BoutonMessage::OK;
    }
    QStringList textes;
    QList<bool> jaugesMontrees;

private:
    ServiceMessages* m_precedent;
};

TEST_F(HoteBureau, JaugesJamaisSurLesMessagesImportAnnulableQuitterPendantUnChargement)
{
    MessagesLus lus;
    // L'import, puis la jauge annulée dès qu'elle est là.
    const auto importer = [&](const QByteArray& contenu, const QString& code, bool annuler) {
        QTimer annulation;
        QObject::connect(&annulation, &QTimer::timeout, fenetre.get(), [&] {
            if (auto* jauge = fenetre->findChild<QProgressDialog*>(QStringLiteral("JaugeImport")); jauge && annuler)
                jauge->cancel();
        });
        annulation.start(5);
        return PiloteBureau::importer(*fenetre, ecrireFichier(dossier.filePath("import.csv"), contenu), code);
    };
    // Un fichier faux : le message, aucune jauge remontrée par-dessus pendant qu'on le lit, et le
    // dialogue rouvert avec le fichier tapé, à corriger plutôt qu'à tout ressaisir.
    EXPECT_EQ(importer("01/01/2023;1\npas une date;2\n", QStringLiteral("IMPORT1"), false), dossier.filePath("import.csv"));
    ASSERT_EQ(lus.textes.size(), 1);
    EXPECT_TRUE(lus.textes.at(0).contains("ligne(s) incorrecte(s)")) << lus.textes.at(0).toStdString();
    EXPECT_FALSE(lus.jaugesMontrees.at(0));
    // Un long import annulé : rien n'est écrit, et la station n'apparaît pas.
    QByteArray long_;
    for (int j = 0; j < 200000; ++j)
        long_ += QDate(1900, 1, 1).addDays(j).toString(QStringLiteral("dd/MM/yyyy")).toLatin1() + ";1\n";
    importer(long_, QStringLiteral("IMPORT2"), true);
    ASSERT_EQ(lus.textes.size(), 2);
    EXPECT_EQ(lus.textes.at(1), "Import annulé : rien n'a été écrit.");
    EXPECT_FALSE(lus.jaugesMontrees.at(1));
    EXPECT_TRUE(enfant<QTreeWidget>("ListeStations")->findItems("IMPORT2", Qt::MatchExactly, 0).isEmpty());

    // Ctrl+Q pendant un chargement, tapé comme au clavier (dans la file du système de fenêtres) :
    // le chargement s'arrête à son étape suivante et la fenêtre se ferme, sans autre message.
    choisirStation("76402001");
    choisirGenre("Annee");
    ASSERT_TRUE(activer(fenetre.get()));
    int etapes = 0, apresQuitter = -1;
    QObject::connect(&ctl(), &CtlGraphique::progression, fenetre.get(), [&] {
        if (++etapes == 2)
            frapperEnFile(*fenetre, Qt::Key_Q, Qt::ControlModifier);
        else if (etapes > 2)
            ++apresQuitter;
    });
    tracer();
    QTest::qWait(100);
    EXPECT_LE(apresQuitter, 2);
    EXPECT_EQ(ctl().Graphique().lire(Prop::TitreGraphique).toString(), QStringLiteral("Chargement annulé."));
    EXPECT_FALSE(fenetre->isVisible());
    EXPECT_EQ(lus.textes.size(), 2) << lus.textes.join('|').toStdString();
}

// La base donnée par un chemin relatif se retrouve d'un autre dossier de lancement, une seule fois
// dans les récentes ; disparue, la base d'exemple l'attend sans prendre sa place de dernière base.
TEST_F(HoteBureau, LaDerniereBaseSeRetrouveDUnAutreDossierEtResteRetenue)
{
    const QString avant = QDir::currentPath();
    QDir::setCurrent(dossier.path());
    EXPECT_TRUE(fenetre->ouvrirBase(QStringLiteral("exemple.db")));
    EXPECT_TRUE(fenetre->ouvrirBase(QStringLiteral("./exemple.db")));
    EXPECT_EQ(fenetre->texteBase(), dossier.filePath("exemple.db"));
    fenetre->close();
    const auto relancer = [] {
        auto f = std::make_unique<FenetreHote>();
        f->ouvrirAuDemarrage(QString());
        return f;
    };
    QDir::setCurrent(QDir::rootPath());
    auto f = relancer();
    EXPECT_EQ(f->texteBase(), dossier.filePath("exemple.db"));
    QStringList recentes;
    for (QMenu* m : f->findChildren<QMenu*>())
        if (m->title() == QStringLiteral("Bases &récentes"))
            for (QAction* a : m->actions())
                recentes << a->toolTip();
    EXPECT_EQ(recentes, QStringList{dossier.filePath("exemple.db")});
    f.reset();
    ASSERT_TRUE(QFile::rename(dossier.filePath("exemple.db"), dossier.filePath("ailleurs.db")));
    messages.vider();
    f = relancer();
    EXPECT_EQ(f->texteBase(), FenetreHote::cheminBaseExemple());
    EXPECT_EQ(messages.textes().size(), 1);
    f.reset();
    ASSERT_TRUE(QFile::rename(dossier.filePath("ailleurs.db"), dossier.filePath("exemple.db")));
    EXPECT_EQ(relancer()->texteBase(), dossier.filePath("exemple.db"));
    QDir::setCurrent(avant);
}

// Le bulletin du mois depuis le menu Fichier, sur la base d'exemple, un jour d'avril 2015.
class BulletinBureau : public HoteBureau
{
protected:
    void SetUp() override
    {
        HoteBureau::SetUp();
        ASSERT_TRUE(QDir().mkpath(sortie.path()));
        m_avant = DefinirOuvreurDocument([this](const QUrl& u) {
            ouverts << u;
            return true;
        });
    }
    void TearDown() override
    {
        DefinirOuvreurDocument(m_avant);
        HoteBureau::TearDown();
    }

    void ouvrirDialogue(const std::function<void(DialogueBulletin&)>& remplir)
    {
        resteOuvert = ouvrirDialogueBulletin(*fenetre, remplir);
    }

    // Le dialogue rempli puis OK ; la jauge annulée dès qu'elle atteint `seuil`.
    void bulletin(const QDate& mois, const QStringList& stations, const QString& nom, int seuil = 101)
    {
        QTimer guet;
        QObject::connect(&guet, &QTimer::timeout, fenetre.get(), [&guet, seuil, this] {
            if (auto* jauge = fenetre->findChild<QProgressDialog*>(QStringLiteral("JaugeBulletin"))) {
                guet.stop();
                annulerAuSeuil(*jauge, seuil);
            }
        });
        if (seuil <= 100)
            guet.start(0);
        resteOuvert = demanderBulletin(*fenetre, mois, stations, sortie.filePath(nom + ".pdf"), sortie.filePath(nom + ".xlsx"));
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

    JourFixe jour{QDate(2015, 4, 10)};
    QDir sortie{dossier.filePath("bulletins")};
    QList<QUrl> ouverts;
    bool resteOuvert = false;
    const QStringList deux{"76402001", "00754X0012"};

private:
    OuvreurDocument m_avant;
};

// Le dernier mois achevé qui a des mesures proposé, aucun mois à venir, la flèche qui passe l'année, toutes
// les stations cochées ; deux gardées, le PDF (la synthèse, puis une page par station) et le classeur écrits et ouverts.
TEST_F(BulletinBureau, LeMoisPasseProposeEtLePdfEtLeClasseurEcritsPuisOuverts)
{
    // En mars 2025, la base d'exemple n'a plus de mesure depuis décembre 2024.
    Horloge::fixer(QDate(2025, 3, 10));
    ouvrirDialogue([](DialogueBulletin& d) { EXPECT_EQ(d.findChild<ChampMois*>("MoisBulletin")->date(), QDate(2024, 12, 1)); });
    Horloge::fixer(QDate(2015, 4, 10));
    ouvrirDialogue([](DialogueBulletin& d) {
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
    EXPECT_EQ(ouverts,
              (QList<QUrl>{QUrl::fromLocalFile(sortie.filePath("mars.pdf")), QUrl::fromLocalFile(sortie.filePath("mars.xlsx"))}));
    EXPECT_TRUE(fenetre->statusBar()->currentMessage().startsWith("Bulletin de mars 2015"));
    const QByteArray octets = lireFichier(sortie.filePath("mars.pdf"));
    EXPECT_TRUE(octets.startsWith("%PDF"));
    EXPECT_EQ(octets.count("/Type /Page\n"), 3);
    ArchiveZipTests classeur(sortie.filePath("mars.xlsx"));
    ASSERT_TRUE(classeur.ouverte());
    EXPECT_EQ(classeur.lire(QStringLiteral("xl/worksheets/sheet1.xml")).value_or(QByteArray()).count("<row "), 3);
    const QByteArray textes = classeur.lire(QStringLiteral("xl/sharedStrings.xml")).value_or(QByteArray());
    EXPECT_TRUE(textes.contains("76402001") && textes.contains("00754X0012"));
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
    for (const Cas& c : cas) {
        messages.vider();
        bulletin(c.mois, c.stations, "rien", c.seuil);
        EXPECT_EQ(messages.textes(), QStringList{c.message});
        EXPECT_TRUE(resteOuvert) << c.message.toStdString();
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
    p.start(QStringLiteral(GRAPHIQUE_HOTE), {QStringLiteral("--inconnu")});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 2);
    const QStringList lignes = QString::fromUtf8(p.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lignes.size(), 1);
    EXPECT_TRUE(lignes.first().contains("argument inconnu « --inconnu »"));
}

} // namespace
