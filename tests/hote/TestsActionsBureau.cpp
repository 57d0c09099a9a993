// Chaque article de menu, chaque raccourci et chaque bouton de la palette,
// déclenché comme une personne le fait (souris dans les menus, touches,
// clic sur le bouton), fait ce que dit son libellé. Tout s'enchaîne dans une
// seule fenêtre ; une table dit le geste et ce qu'il doit produire.
#include "PiloteBureau.h"

#include "commun_tests/Souris.h"
#include "settings/FrmOption.h"

#include <QClipboard>
#include <QDockWidget>
#include <QInputDialog>
#include <QTableWidget>
#include <QToolBar>

namespace {

class ActionsBureau : public PiloteBureau
{
protected:
    void SetUp() override
    {
        PiloteBureau::SetUp();
        ASSERT_TRUE(QDir().mkpath(editions()));
        f = ouvrir();
        f->formulaire().definirCheminEdition(editions());
        tracer(*f, demandeDe(TypeGraph::edition, "76402001", "M", {2021, 10, 1}, {2023, 9, 30}));
        ASSERT_TRUE(messages.messages().isEmpty()) << messages.textes().join('\n').toStdString();
    }

    QString editions() const { return dossier.filePath("éditions"); }
    std::function<void()> menu(const char* titre, const char* article)
    {
        return [this, titre, article] { clicMenu(*f, QString::fromUtf8(titre), QString::fromUtf8(article)); };
    }
    std::function<void()> touches(const char* sequence)
    {
        // Les touches vont à la fenêtre active, celle où la personne tape.
        return [this, sequence] {
            ASSERT_TRUE(activer(f.get()));
            QTest::keySequence(f.get(), QKeySequence(QString::fromLatin1(sequence)));
        };
    }
    std::function<void()> bouton(int index)
    {
        return [this, index] { palette(index); };
    }
    // Le titre de la boîte modale que le geste ouvre, refermée par Échap ; vide sans boîte.
    QString boiteOuvertePar(const std::function<void()>& geste, const std::function<void(QDialog&)>& dedans = {})
    {
        QString titre;
        dansLaBoite(geste, [&](QDialog& d) {
            titre = d.windowTitle();
            if (dedans)
                dedans(d);
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        return titre;
    }
    std::optional<std::pair<QDate, QDate>> periode() { return c().periodeTracee(); }

    // Les outils de la souris : le mode choisi, le cadre d'édition montré pour la pose et la plage.
    struct Outil
    {
        std::function<void()> geste;
        qint16 outil;
        bool cadre;
    };
    void essayerOutils(std::initializer_list<Outil> outils)
    {
        for (const Outil& o : outils) {
            o.geste();
            EXPECT_EQ(c().outilCourant(), o.outil);
            EXPECT_EQ(!c().findChild<QWidget*>(QStringLiteral("FrmOutils"))->isHidden(), o.cadre) << o.outil;
        }
    }

    // Les étapes, enchaînées dans la même fenêtre.
    void boites();
    void aideDesBoites();
    void outilsEtZooms();
    void tracerEtMenus();
    void aide();
    void classeurs();
    void corrigerEtBases();
    void fermer();
};

void ActionsBureau::boites()
{
    // Les gestes qui ouvrent une boîte : le titre de la boîte ouverte.
    const std::pair<std::function<void()>, const char*> boites[] = {
        {menu("&Fichier", "&Ouvrir une base SQLite…"), "Ouvrir une base SQLite"},
        {touches("Ctrl+O"), "Ouvrir une base SQLite"},
        {menu("&Fichier", "Se &connecter à PostgreSQL…"), "Connexion à PostgreSQL"},
        {menu("&Fichier", "&Importer un fichier CSV…"), "Importer des mesures"},
        {touches("Ctrl+I"), "Importer des mesures"},
        {menu("&Fichier", "&Enregistrer le graphique…"), "Enregistrer le graphique"},
        {touches("Ctrl+S"), "Enregistrer le graphique"},
        {menu("&Fichier", "Exporter vers le &classeur…"), "Exporter vers le classeur"},
        {menu("&Fichier", "&Bulletin du mois…"), "Bulletin du mois"},
        {menu("&Graphique", "Date de dernière &validation…"), "Date de dernière validation"},
    };
    for (const auto& [geste, titre] : boites)
        EXPECT_EQ(boiteOuvertePar(geste), QString::fromUtf8(titre));
    // L'impression : la boîte du système, par le menu, son raccourci et le bouton 1 de la palette.
    const QString impression = boiteOuvertePar(menu("&Fichier", "Im&primer…"));
    EXPECT_FALSE(impression.isEmpty());
    EXPECT_EQ(boiteOuvertePar(touches("Ctrl+P")), impression);
    EXPECT_EQ(boiteOuvertePar(bouton(1)), impression);
    palette(3);
}

void ActionsBureau::aideDesBoites()
{
    // F1 et le bouton Aide des deux boîtes ouvrent leur page ; rien n'est perdu de ce qui y est saisi.
    for (const auto& [geste, page] : {std::pair{menu("&Fichier", "&Importer un fichier CSV…"), "import.htm"},
                                      std::pair{menu("&Fichier", "&Bulletin du mois…"), "bulletin.htm"}}) {
        ouverts.clear();
        boiteOuvertePar(geste, [](QDialog& d) {
            QTest::keyClick(&d, Qt::Key_F1);
            cliquerBouton(d, QDialogButtonBox::Help);
            EXPECT_TRUE(d.isVisible());
        });
        ASSERT_EQ(ouverts.size(), 2) << page;
        EXPECT_TRUE(ouverts.at(0).endsWith(QStringLiteral("/docs_kor/") + page) && QFileInfo::exists(ouverts.at(0))) << ouverts.at(0).toStdString();
        EXPECT_EQ(ouverts.at(1), ouverts.at(0));
    }
}

void ActionsBureau::outilsEtZooms()
{
    essayerOutils({{bouton(2), 2, false}, {bouton(3), 3, false},
                   {menu("&Graphique", "Zoom arrière par &pas (clic : élargir la vue)"), 2, false},
                   {menu("&Graphique", "Zoom avant au &rectangle (glisser sur le graphique)"), 3, false}});
    // Le zoom au rectangle rapproche ; le zoom par pas élargit ; Ctrl+0 et le menu rendent toute la période.
    const auto toute = periode();
    ASSERT_TRUE(toute);
    for (const auto& retour : {touches("Ctrl+0"), menu("&Graphique", "Toute la &période")}) {
        palette(3);
        glisser(c().vueGraphique(), dansLeTrace(c(), 0.3, 0.1), dansLeTrace(c(), 0.6, 0.9));
        const auto zoom = periode();
        ASSERT_TRUE(zoom && zoom->first > toute->first && zoom->second < toute->second);
        palette(2);
        QTest::mouseClick(c().vueGraphique(), Qt::LeftButton, {}, dansLeTrace(c(), 0.5, 0.5));
        EXPECT_TRUE(periode()->first < zoom->first && periode()->second > zoom->second);
        retour();
        EXPECT_EQ(periode(), toute);
    }
}

void ActionsBureau::tracerEtMenus()
{
    // Tracer par F5 et par le menu : le graphique du panneau, la période dans la barre d'état.
    for (const auto& geste : {touches("F5"), menu("&Graphique", "&Tracer")}) {
        messages.vider();
        geste();
        EXPECT_TRUE(messages.messages().isEmpty());
        EXPECT_TRUE(etat(*f).endsWith("Station : 76402001 Port-Aubin   —   Période : du 01/10/2021 au 30/09/2023"))
            << etat(*f).toStdString();
    }
    // Hors du graphique de travail, la grille n'insère pas : le bouton grisé dit pourquoi.
    palette(6);
    auto* inserer = c().findChild<QPushButton*>(QStringLiteral("CmdInsertion"));
    EXPECT_FALSE(inserer->isEnabled());
    EXPECT_TRUE(inserer->toolTip().startsWith("L'insertion ne se fait que dans le graphique de travail")) << inserer->toolTip().toStdString();
    palette(3);

    // Le volet des données, montré puis caché ; l'annulation sans correction ; l'à-propos.
    auto* volet = f->findChild<QDockWidget*>(QStringLiteral("VoletDonnees"));
    menu("&Graphique", "&Données du graphique")();
    EXPECT_TRUE(volet->isVisible());
    EXPECT_EQ(volet->findChild<QTableWidget*>()->rowCount(), 24);
    menu("&Graphique", "&Données du graphique")();
    EXPECT_FALSE(volet->isVisible());
    messages.vider();
    menu("&Graphique", "&Annuler la dernière correction…")();
    menu("&Aide", "À &propos")();
    ASSERT_EQ(messages.textes().size(), 2);
    EXPECT_EQ(messages.textes().at(0), "Aucune correction à annuler pour le pluviomètre 76402001.");
    EXPECT_TRUE(messages.textes().at(1).startsWith("Graphique ")) << messages.textes().at(1).toStdString();
}

void ActionsBureau::aide()
{
    // L'aide : F1, le menu, le bouton 9 ; puis le bouton Aide de la boîte des options (bouton 7).
    ouverts.clear();
    for (const auto& geste : {touches("F1"), menu("&Aide", "&Aide"), bouton(9)})
        geste();
    EXPECT_EQ(ouverts, QStringList(3, QDir(QStringLiteral(GRAPHIQUE_MANUEL)).filePath("KOR_help.htm")));
    EXPECT_EQ(c().outilCourant(), 3);  // l'aide est un outil d'un instant
    palette(7);
    auto* options = c().findChild<FrmOption*>();
    ASSERT_TRUE(options && options->isVisible());
    auto* barre = options->findChild<QToolBar*>();
    QTest::mouseClick(barre->widgetForAction(options->findChild<QAction*>(QStringLiteral("Bouton12"))), Qt::LeftButton);
    EXPECT_TRUE(ouverts.last().endsWith(QStringLiteral("docs_kor/KOR_help_%1.htm").arg(FrmOption::sujetAide)));
    options->close();
    // Sans navigateur pour ouvrir le manuel, un message le dit, au menu comme dans une boîte.
    ouvertureReussie = false;
    messages.vider();
    touches("F1")();
    boiteOuvertePar(menu("&Fichier", "&Importer un fichier CSV…"), [](QDialog& d) { QTest::keyClick(&d, Qt::Key_F1); });
    ASSERT_EQ(messages.textes().size(), 2);
    for (const QString& m : messages.textes())
        EXPECT_TRUE(m.startsWith("Impossible d'ouvrir le fichier d'aide: ")) << m.toStdString();
    ouvertureReussie = true;
    messages.vider();
}

void ActionsBureau::classeurs()
{
    // Le classeur : par la palette (bouton 8) dans le dossier d'édition, par le menu là où on le dit ;
    // chaque fois ouvert, sa jauge déjà partie, et le menu dit où il est.
    ouverts.clear();
    palette(8);
    EXPECT_EQ(c().outilCourant(), 3);  // l'export aussi
    const QString parPalette = QDir(editions()).filePath("76402001 Port-Aubin.xlsx");
    EXPECT_TRUE(QFileInfo::exists(parPalette));
    const QString parMenu = dossier.filePath("choisi/pluies.xlsx");
    ASSERT_TRUE(QDir().mkpath(dossier.filePath("choisi")));
    repondreAuDialogueFichier(*f, dossier.filePath("choisi/pluies"));
    menu("&Fichier", "Exporter vers le &classeur…")();
    EXPECT_TRUE(QFileInfo::exists(parMenu));
    EXPECT_EQ(ouverts, (QStringList{parPalette, parMenu}));
    EXPECT_EQ(jaugesAOuverture, 0);
    EXPECT_EQ(f->statusBar()->currentMessage(), "Classeur écrit dans " + QDir::toNativeSeparators(parMenu));
    // La page d'annuaire, depuis le graphique d'annuaire : la page choisie, puis l'endroit ; son
    // bloc de valeurs reste dans le presse-papiers, comme après une copie.
    tracer(*f, demandeDe(TypeGraph::annuaire, "76402001", "A", {}, {}));
    QApplication::clipboard()->clear();
    guetterBoite<QInputDialog>(*f, [](QInputDialog& d) { QTest::keyClick(&d, Qt::Key_Return); });
    repondreAuDialogueFichier(*f, dossier.filePath("choisi/annuaire.xlsx"));
    menu("&Fichier", "&Annuaire en classeur…")();
    EXPECT_TRUE(QFileInfo::exists(dossier.filePath("choisi/annuaire.xlsx")));
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(c().CollCourbes().GetCourbe(1)->Titre() + u'\t'))
        << QApplication::clipboard()->text().left(80).toStdString();
}

void ActionsBureau::corrigerEtBases()
{
    // Corriger par Ctrl+E : les outils d'édition du graphique de travail ; la base d'exemple et les récentes.
    saisir(*f, demandeDe(TypeGraph::edition, "76402001", "M", {2023, 3, 1}, {2023, 3, 31}));
    touches("Ctrl+E")();
    essayerOutils({{bouton(4), 4, true}, {bouton(5), 5, true}, {bouton(6), 6, true}, {bouton(3), 3, false}});
    menu("&Fichier", "Base d'&exemple")();
    EXPECT_EQ(f->texteBase(), FenetreHote::cheminBaseExemple());
    EXPECT_EQ(basesRecentes(*f), (QStringList{FenetreHote::cheminBaseExemple(), texteBase()}));
}

void ActionsBureau::fermer()
{
    // Fermer : le bouton 0 de la palette, le menu Quitter, Ctrl+Q.
    for (const auto& geste : {bouton(0), menu("&Fichier", "&Quitter"), touches("Ctrl+Q")}) {
        ASSERT_TRUE(activer(f.get()));
        geste();
        EXPECT_FALSE(f->isVisible());
        f->show();
    }
    EXPECT_TRUE(messages.messages().isEmpty()) << messages.textes().join('\n').toStdString();
}

TEST_F(ActionsBureau, ChaqueMenuRaccourciEtBoutonFaitCeQuIlDit)
{
    boites();
    aideDesBoites();
    outilsEtZooms();
    tracerEtMenus();
    aide();
    classeurs();
    corrigerEtBases();
    fermer();
}

} // namespace
