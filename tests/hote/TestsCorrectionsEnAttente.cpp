// Des corrections saisies et pas encore enregistrées ne se perdent jamais sans
// question : chaque chemin qui quitterait la grille la pose, Annuler y ramène,
// Non les abandonne, Oui les enregistre avant de continuer. Tout se fait au
// clavier et à la souris, dans une seule fenêtre.
#include "Menus.h"
#include "PiloteBureau.h"

#include "commun/Cellule.h"
#include "commun_tests/Enchainement.h"
#include "commun_tests/Souris.h"
#include "control/EnteteStations.h"
#include "data/BaseDonnees.h"
#include "data/bases/OuvertureBase.h"

namespace {

class CorrectionsEnAttente : public PiloteBureau
{
protected:
    void SetUp() override
    {
        PiloteBureau::SetUp();
        f = ouvrir();
        corriger();
    }
    void corriger()
    {
        saisir(*f, demandeDe(TypeGraph::edition, "76402001", "M", {2023, 3, 1}, {2023, 3, 31}));
        QTest::mouseClick(enfant<QPushButton>(*f, "BoutonCorriger"), Qt::LeftButton);
        ASSERT_EQ(c().outilCourant(), 6);
    }
    QString valeurEnBase(const QString& jour)
    {
        QString erreur;
        auto base = ouvrirBase(texteBase(), false, erreur);
        TableauValeurs t;
        qint32 n = 0;
        base->ExtraireRecords(OrdreSql::sansVerification("SELECT Pluie FROM PLUVIO_76402001 WHERE DateCreation = '" + jour + "'"), t, n);
        return n == 1 ? TexteCellule(t.valeur(0, 0)) : QString();
    }
    QStringList questions() const
    {
        QStringList q;
        for (const auto& m : messages.messages())
            if (m.type == QStringLiteral("choix"))
                q << m.texte;
        return q;
    }
    void choisirDansLEnteteLaStationSuivante()
    {
        auto* liste = c().RecupSprEntete()->findChild<QComboBox*>();
        liste->setFocus();
        QTest::keyClick(liste, Qt::Key_Down);
    }
};

TEST_F(CorrectionsEnAttente, ChaqueCheminQuiQuitteraitLaGrilleDemandeAvant)
{
    const QString avant = valeurEnBase("2023-03-10");
    // Saisie validée, puis une autre laissée ouverte dans sa cellule : les raccourcis la prennent aussi.
    taperValeur(10, "17,30", true);
    taperValeur(11, "4", false);
    const std::pair<const char*, std::function<void()>> chemins[] = {
        {"outil 3 de la palette", [&] { palette(3); }},
        {"outil 4 de la palette", [&] { palette(4); }},
        {"outil 6 de nouveau", [&] { palette(6); }},
        {"impression par la palette", [&] { palette(1); }},
        {"F5", [&] { QTest::keyClick(f.get(), Qt::Key_F5); }},
        {"Tracer un autre genre", [&] { tracer(*f, demandeDe(TypeGraph::Annee, "76402001", "M", {}, {})); }},
        {"Corriger une autre station", [&] {
             saisir(*f, demandeDe(TypeGraph::edition, "76401001", "M", {2023, 3, 1}, {2023, 3, 31}));
             QTest::keyClick(f.get(), Qt::Key_E, Qt::ControlModifier);
         }},
        {"une autre station dans l'en-tête", [&] { choisirDansLEnteteLaStationSuivante(); }},
        {"Annuler la dernière correction", [&] { clicMenu(*f, "&Graphique", "&Annuler la dernière correction…"); }},
        {"Fichier, Base d'exemple", [&] { clicMenu(*f, "&Fichier", "Base d'&exemple"); }},
        {"bouton Fermer de la palette", [&] { palette(0); }},
        {"Ctrl+Q", [&] { QTest::keyClick(f.get(), Qt::Key_Q, Qt::ControlModifier); }},
        {"fermeture de la fenêtre", [&] { f->close(); }},
    };
    for (const auto& [nom, quitter] : chemins) {
        SCOPED_TRACE(nom);
        messages.vider();
        quitter();
        ASSERT_EQ(questions().size(), 1) << messages.textes().join('\n').toStdString();
        EXPECT_TRUE(questions().first().startsWith("Les corrections de la grille ne sont pas enregistrées : 2 mesures modifiées"))
            << questions().first().toStdString();
        // Annuler : rien n'a bougé, la saisie est là, la base aussi.
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(c().outilCourant(), 6);
        EXPECT_EQ(c().RecupSprEntete()->CodeStation(), "76402001");
        EXPECT_EQ(grille().texte(ligneDu(10), GrillePoints::Valeur), "17,30");
        EXPECT_EQ(grille().texte(ligneDu(11), GrillePoints::Valeur), "4,00");
        EXPECT_FALSE(grille().isHidden());
    }
    EXPECT_EQ(valeurEnBase("2023-03-10"), avant);

    // Non : abandonnées, le graphique reprend la base ; Oui : enregistrées, puis la fenêtre se ferme.
    messages.repondreBouton(BoutonMessage::Non);
    palette(3);
    EXPECT_EQ(c().outilCourant(), 3);
    EXPECT_EQ(valeurEnBase("2023-03-10"), avant);
    palette(6);
    EXPECT_EQ(grille().texte(ligneDu(10), GrillePoints::Valeur), QString(avant).replace(u'.', u','));
    taperValeur(10, "17,30", false);
    messages.vider();
    messages.repondreBouton(BoutonMessage::Oui);
    QTest::keyClick(f.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(questions().size(), 1);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(valeurEnBase("2023-03-10"), "17.3");
}

// Les points posés : un seul ne s'enregistre pas et le bouton dit pourquoi ; deux, quittés pour
// le zoom, font poser la question.
TEST_F(CorrectionsEnAttente, PointsPosesUnSeulRefuseDeuxGardesAvantDeQuitter)
{
    palette(4);
    ASSERT_EQ(c().outilCourant(), 4);
    QTest::mouseClick(c().vueGraphique(), Qt::LeftButton, {}, dansLeTrace(c(), 0.2, 0.6));
    ASSERT_EQ(grille().lignes(), 1);
    messages.vider();
    QTest::mouseClick(c().findChild<QPushButton*>(QStringLiteral("CmdEnregistrer")), Qt::LeftButton);
    ASSERT_EQ(messages.textes().size(), 1);
    EXPECT_TRUE(messages.textes().first().startsWith("Un seul point posé")) << messages.textes().first().toStdString();
    QTest::mouseClick(c().vueGraphique(), Qt::LeftButton, {}, dansLeTrace(c(), 0.4, 0.3));
    messages.vider();
    palette(3);
    ASSERT_EQ(questions().size(), 1);
    EXPECT_TRUE(questions().first().startsWith("Les points posés ne sont pas enregistrés")) << questions().first().toStdString();
    EXPECT_EQ(c().outilCourant(), 4);
    EXPECT_EQ(grille().lignes(), 2);
}

} // namespace
