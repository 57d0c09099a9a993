// L'application de bureau le temps d'une journée : chaque genre de graphique
// demandé dans le panneau, l'un après l'autre dans la même fenêtre, puis dans
// l'ordre inverse, donne la fenêtre (graphique, liste des courbes, barre
// d'état) que la même demande donne dans une fenêtre neuve.
#include "FenetreHote.h"
#include "PanneauDemande.h"

#include "commun/Dates.h"
#include "commun_tests/Enchainement.h"
#include "control/CtlGraphique.h"
#include "FormulaireGraphique.h"
#include "GrilleCourbes.h"
#include "render/moteur/ProprietesMoteur.h"
#include "data/bases/BaseExemple.h"
#include "render/moteur/MoteurGraphique.h"
#include "settings/messages/MessagesEnregistres.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class JourneeBureau : public ::testing::Test
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

    std::unique_ptr<FenetreHote> ouvrir()
    {
        auto f = std::make_unique<FenetreHote>();
        f->resize(1500, 950);
        f->show();
        EXPECT_TRUE(f->ouvrirBase(dossier.filePath("exemple.db")));
        return f;
    }

    template <typename T>
    static T* enfant(FenetreHote& f, const char* nom)
    {
        T* w = f.findChild<T*>(QString::fromLatin1(nom));
        EXPECT_TRUE(w) << nom;
        return w;
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
        QTest::mouseClick(enfant<QPushButton>(f, "BoutonTracer"), Qt::LeftButton);
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

TEST_F(JourneeBureau, ChaqueGraphiqueDansLaMemeFenetreEstCeluiDUneFenetreNeuve)
{
    const QList<Requete> liste = requetesAEnchainer();
    QList<QImage> neuves;
    QStringList etats;
    for (const Requete& q : liste) {
        auto f = ouvrir();
        tracer(*f, q.demande);
        neuves << ecran(*f);
        etats << etat(*f);
    }
    auto fenetre = ouvrir();
    QList<int> ordre;
    for (int i = 0; i < liste.size(); ++i)
        ordre << i;
    for (int i = int(liste.size()) - 2; i >= 0; --i)
        ordre << i;
    for (int k = 0; k < ordre.size(); ++k) {
        const int b = ordre[k];
        tracer(*fenetre, liste[b].demande);
        const QImage apres = ecran(*fenetre);
        const Difference d = comparer(apres, neuves[b]);
        if (d.pixels && qEnvironmentVariableIsSet("GRAPHIQUE_IMAGES_TESTS")) {
            const QString f = qEnvironmentVariable("GRAPHIQUE_IMAGES_TESTS") + QStringLiteral("/bureau-%1-").arg(k);
            apres.save(f + QStringLiteral("apres.png"));
            neuves[b].save(f + QStringLiteral("neuve.png"));
        }
        EXPECT_EQ(d.pixels, 0) << liste[b].nom.toStdString() << " après " << (k ? liste[ordre[k - 1]].nom.toStdString() : "l'ouverture")
                               << " : différent dans " << d.zone.width() << "×" << d.zone.height() << " en (" << d.zone.x()
                               << ", " << d.zone.y() << ")";
        EXPECT_EQ(etat(*fenetre), etats[b]) << liste[b].nom.toStdString();
    }
    // La barre d'état dit la période que l'axe montre : les années des statistiques d'un cumul, celles de la référence.
    const QList<std::pair<QString, QString>> periodes = {{"reference", "du 01/01/1981 au 31/12/2024"},
                                                         {"Annee CUMUL_ANNUEL", "du 01/01/1981 au 31/12/2023"},
                                                         {"edition M", "du 01/10/2021 au 30/09/2023"}};
    for (const auto& [nom, periode] : periodes)
        for (int i = 0; i < liste.size(); ++i) {
            if (liste[i].nom == nom) {
                EXPECT_TRUE(etats[i].endsWith(QStringLiteral("Période : ") + periode)) << etats[i].toStdString();
            }
        }
}

TEST_F(JourneeBureau, AnnulerUnChargementLaisseUnGraphiqueVideEtUneListeDeCourbesVide)
{
    auto f = ouvrir();
    const QList<Requete> liste = requetesAEnchainer();
    tracer(*f, liste.front().demande);
    ASSERT_GT(f->courbes().rowCount(), 1);
    // Le bouton Annuler de la jauge, pressé pendant le chargement des trois pluviomètres.
    CtlGraphique& c = f->formulaire().controle();
    int etapes = 0;
    QObject::connect(&c, &CtlGraphique::progression, f.get(), [&] {
        if (++etapes == 3)
            if (auto* jauge = f->findChild<QProgressDialog*>(QStringLiteral("JaugeChargement")))
                QTest::mouseClick(jauge->findChild<QPushButton*>(), Qt::LeftButton);
    });
    messages.vider();
    const auto superposition = std::find_if(liste.begin(), liste.end(), [](const Requete& q) { return q.nom == "Superposition"; });
    tracer(*f, superposition->demande);
    EXPECT_EQ(messages.textes(), QStringList{QStringLiteral("Chargement annulé.")});
    EXPECT_EQ(f->courbes().rowCount(), 1);  // la seule ligne « Toutes les courbes »
    EXPECT_EQ(c.Graphique().lire(Prop::TitreGraphique).toString(), QStringLiteral("Chargement annulé."));
    EXPECT_FALSE(etat(*f).contains(QStringLiteral("Période")));
}

} // namespace
