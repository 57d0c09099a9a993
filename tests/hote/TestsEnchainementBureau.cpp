// L'application de bureau le temps d'une journée : chaque genre de graphique
// demandé dans le panneau, l'un après l'autre dans la même fenêtre, puis dans
// l'ordre inverse, donne la fenêtre (graphique, liste des courbes, barre
// d'état) que la même demande donne dans une fenêtre neuve.
#include "PiloteBureau.h"
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
#include "commun/messages/MessagesEnregistres.h"

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

using JourneeBureau = PiloteBureau;

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
