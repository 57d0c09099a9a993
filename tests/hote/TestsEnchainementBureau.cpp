// Les graphiques enchaînés dans la fenêtre de bureau : la barre d'état et
// l'annulation d'un chargement.
#include "PiloteBureau.h"

#include "commun_tests/SaisieEnFile.h"

#include "FormulaireGraphique.h"
#include "GrilleCourbes.h"
#include "commun_tests/Enchainement.h"
#include "commun_tests/JourFixe.h"
#include "control/CtlGraphique.h"
#include "render/moteur/ProprietesMoteur.h"

#include <QProgressDialog>

namespace {

using JourneeBureau = PiloteBureau;

// Les mêmes graphiques dans la même fenêtre sont ceux d'un contrôle neuf (essayé
// dans tests/control) ; ici, ce que la fenêtre ajoute : la barre d'état dit la
// période que l'axe montre, les années des statistiques d'un cumul (jusqu'au jour comparé), celles de la référence.
TEST_F(JourneeBureau, LaBarreDEtatDitLaPeriodeQueLAxeMontre)
{
    JourFixe jour{QDate(2024, 12, 7)};
    // Trois demandes prises par leur nom : toutes, même sous les sanitiseurs.
    const QList<Requete> liste = requetes();
    const QList<std::pair<QString, QString>> periodes = {{"reference", "du 01/01/1981 au 31/12/2024"},
                                                         {"Annee CUMUL_ANNUEL", "du 01/01/1981 au 07/12/2023"},
                                                         {"edition M", "du 01/10/2021 au 30/09/2023"}};
    auto f = ouvrir();
    for (const auto& cas : periodes) {
        const auto q = std::find_if(liste.begin(), liste.end(), [&](const Requete& r) { return r.nom == cas.first; });
        ASSERT_NE(q, liste.end()) << cas.first.toStdString();
        tracer(*f, q->demande);
        EXPECT_TRUE(etat(*f).endsWith(QStringLiteral("Période : ") + cas.second)) << etat(*f).toStdString();
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
        auto* jauge = f->findChild<QProgressDialog*>(QStringLiteral("JaugeChargement"));
        // La jauge paraît après un moment ; le clic passe par la file du système de fenêtres, comme un vrai.
        if (++etapes == 3 && jauge && QTest::qWaitFor([jauge] { return jauge->isVisible(); }, 2000)) {
            QPushButton* annuler = jauge->findChild<QPushButton*>();
            cliquerEnFile(*annuler, annuler->rect().center());
        }
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
