// Une journée entière dans l'application, sans la relancer qu'une fois : les
// genres l'un après l'autre, des options changées et enregistrées, un export,
// un import, le bulletin du mois, une base refusée, la fenêtre fermée puis
// rouverte. À chaque pas, ce qu'une personne regarde : le graphique, le
// message, le fichier, la liste.
#include "Menus.h"
#include "PiloteBureau.h"

#include "FormulaireGraphique.h"
#include "commun_tests/Fichiers.h"
#include "control/CtlGraphique.h"
#include "output/ArchiveZipTests.h"
#include "render/moteur/ProprietesMoteur.h"
#include "settings/Aide.h"
#include "settings/FrmOption.h"

#include <QAction>
#include <QDir>
#include <QProcess>
#include <QToolBar>
#include <QUrl>

namespace {

class JourneeComplete : public PiloteBureau
{
protected:
    static int points(FenetreHote& f)
    {
        MoteurGraphique& g = f.formulaire().controle().Graphique();
        return g.lire(Prop::NbJeux).toInt() > 0 ? g.lire(Prop::NbPoints).toInt() : 0;
    }
    // Les options du graphique : fond 11, échelle de 0 à 450, grille horizontale seule, puis OK.
    static void changerOptions(FenetreHote& f)
    {
        CtlGraphique& c = f.formulaire().controle();
        c.declencheOutil(7);
        auto* boite = c.findChild<FrmOption*>();
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
    }
    // Le même bulletin fait seul par un processus neuf de la ligne de commande : même
    // classeur, partie par partie, et même nombre de pages.
    void bulletinCommeSeul(const QString& pdf, const QString& classeur)
    {
        const QString seul = dossier.filePath("seul");
        QProcess p;
        p.start(QStringLiteral(GRAPHIQUE_PROGRAMME),
                {"bulletin", "--base", texteBase(), "--mois", "03/2015", "--stations", "76402001,00754X0012", "--sortie",
                 seul + ".pdf", "--classeur", seul + ".xlsx"});
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        ArchiveZipTests journee(classeur), isole(seul + ".xlsx");
        ASSERT_TRUE(journee.ouverte() && isole.ouverte());
        EXPECT_EQ(journee.noms(), isole.noms());
        for (const QString& partie : isole.noms()) {
            if (partie == QStringLiteral("docProps/core.xml"))  // l'heure d'écriture
                continue;
            EXPECT_EQ(journee.lire(partie), isole.lire(partie)) << partie.toStdString();
        }
        EXPECT_EQ(lireFichier(pdf).count("/Type /Page\n"), 3);
        EXPECT_EQ(lireFichier(seul + ".pdf").count("/Type /Page\n"), 3);
    }
    // Le fond et la grille valent pour le genre ; l'échelle de 0 à 450, pour le graphique où elle a été fixée.
    static void aspectRetenu(FenetreHote& f, bool echelleFixee = true)
    {
        MoteurGraphique& g = f.formulaire().controle().Graphique();
        g.ecrire(Prop::AxeY, 0);
        if (echelleFixee) {
            EXPECT_EQ(g.lireNombre(Prop::YMin), 0);
            EXPECT_EQ(g.lireNombre(Prop::YMax), 450);
        } else {
            EXPECT_NE(g.lireNombre(Prop::YMax), 450);
        }
        EXPECT_EQ(g.lire(Prop::CouleurFond).toInt(), 11);
        EXPECT_EQ(g.lire(Prop::Grille).toInt(), 1);
    }
};

TEST_F(JourneeComplete, UneJourneeDansLApplicationPuisUnRedemarrage)
{
    QList<QUrl> ouverts;
    const OuvreurDocument avant = DefinirOuvreurDocument([&ouverts](const QUrl& u) {
        ouverts << u;
        return true;
    });
    const QString editions = dossier.filePath("éditions");
    ASSERT_TRUE(QDir().mkpath(editions));
    {
        auto f = ouvrir();
        f->formulaire().definirCheminEdition(editions);
        // Les genres l'un après l'autre : chacun se dessine, la barre d'état dit la station.
        HoteGraphique::Demande d;
        d.station = QStringLiteral("76402001");
        d.debut = QDate(2021, 10, 1);
        d.fin = QDate(2023, 9, 30);
        d.annee = 2023;
        d.mesures = QStringLiteral("1");
        d.periodes = QStringLiteral("M");
        for (const auto& [type, autres] : {std::pair{TypeGraph::Annee, QStringList{}}, std::pair{TypeGraph::PluvioPiezo, QStringList{"00754X0012"}},
                                           std::pair{TypeGraph::annuaire, QStringList{}}, std::pair{TypeGraph::edition, QStringList{}}}) {
            d.type = type;
            d.stations = autres;
            tracer(*f, d);
            EXPECT_TRUE(messages.messages().isEmpty()) << NomTypeGraph(type).toStdString() << " : " << messages.textes().join('|').toStdString();
            EXPECT_GT(points(*f), 0) << NomTypeGraph(type).toStdString();
            EXPECT_TRUE(etat(*f).contains("Station : 76402001 Port-Aubin")) << etat(*f).toStdString();
        }
        // Des options changées et enregistrées sur le graphique d'édition.
        changerOptions(*f);
        EXPECT_TRUE(messages.messages().isEmpty()) << messages.textes().join('|').toStdString();
        aspectRetenu(*f);

        // Un export par le menu : le classeur écrit là où la personne l'a voulu, dit puis ouvert.
        const QString classeurEdition = QDir(editions).filePath("Port-Aubin édition.xlsx");
        repondreAuDialogueFichier(*f, classeurEdition);
        clicMenu(*f, "&Fichier", "Exporter vers le &classeur…");
        EXPECT_TRUE(QFileInfo::exists(classeurEdition));
        EXPECT_TRUE(messages.messages().isEmpty()) << messages.textes().join('|').toStdString();
        EXPECT_EQ(ouverts, QList<QUrl>{QUrl::fromLocalFile(classeurEdition)});
        EXPECT_TRUE(f->statusBar()->currentMessage().contains(QDir::toNativeSeparators(classeurEdition)));

        // Un import : le bilan, et la station nouvelle dans la liste.
        const QString csv = ecrireFichier(dossier.filePath("nouvelle.csv"), "Date;Pluie\n01/02/2024;4,5\n02/02/2024;0\n03/02/2024;12\n");
        importer(*f, csv, QStringLiteral("76999001"));
        ASSERT_EQ(messages.messages().size(), 1);
        EXPECT_EQ(messages.textes().first(), "3 mesure(s) importée(s) dans PLUVIO_76999001 : 3 ajoutée(s), 0 remplacée(s) dans la base.");
        EXPECT_EQ(enfant<QTreeWidget>(*f, "ListeStations")->findItems("76999001", Qt::MatchExactly, 0).size(), 1);
        messages.vider();

        // Le bulletin de mars 2015 par le menu, au milieu de la journée : le même que la ligne de commande fait seule.
        const QString pdf = QDir(editions).filePath("mars.pdf"), classeur = QDir(editions).filePath("mars.xlsx");
        EXPECT_FALSE(demanderBulletin(*f, QDate(2015, 3, 1), {"76402001", "00754X0012"}, pdf, classeur));
        EXPECT_TRUE(messages.messages().isEmpty()) << messages.textes().join('|').toStdString();
        EXPECT_EQ(ouverts.mid(1), (QList<QUrl>{QUrl::fromLocalFile(pdf), QUrl::fromLocalFile(classeur)}));
        bulletinCommeSeul(pdf, classeur);

        // Une base refusée : un message en français, la base en service le reste et trace encore.
        EXPECT_FALSE(f->ouvrirBase(ecrireFichier(dossier.filePath("faux.db"), QByteArray("pas une base\n").repeated(100))));
        ASSERT_EQ(messages.messages().size(), 1);
        EXPECT_TRUE(messages.textes().first().contains("n'est pas une base SQLite")) << messages.textes().first().toStdString();
        EXPECT_EQ(f->texteBase(), dossier.filePath("exemple.db"));
        messages.vider();
        // Un autre genre trace encore, sans l'aspect enregistré pour l'édition.
        d.type = TypeGraph::Annee;
        tracer(*f, d);
        EXPECT_GT(points(*f), 0);
        EXPECT_TRUE(messages.messages().isEmpty());
        EXPECT_NE(f->formulaire().controle().Graphique().lire(Prop::CouleurFond).toInt(), 11);
        f->close();
    }
    // Le lendemain : la dernière base rouverte, le fond et la grille repris par chaque graphique d'édition,
    // l'échelle fixée seulement par les totaux mensuels de Port-Aubin, sur d'autres dates aussi.
    FenetreHote f;
    f.resize(1500, 950);
    f.show();
    f.ouvrirAuDemarrage(QString());
    EXPECT_EQ(f.texteBase(), dossier.filePath("exemple.db"));
    HoteGraphique::Demande d;
    d.type = TypeGraph::edition;
    d.debut = QDate(2022, 1, 1);
    d.fin = QDate(2023, 12, 31);
    d.mesures = QStringLiteral("1");
    for (const auto& [station, periodes, fixee] : {std::tuple{"76401001", "M", false}, {"76402001", "A", false}, {"76402001", "M", true}}) {
        SCOPED_TRACE(std::string(station) + " " + periodes);
        d.station = QString::fromLatin1(station);
        d.periodes = QString::fromLatin1(periodes);
        tracer(f, d);
        EXPECT_TRUE(messages.messages().isEmpty()) << messages.textes().join('|').toStdString();
        aspectRetenu(f, fixee);
    }
    DefinirOuvreurDocument(avant);
}

} // namespace
