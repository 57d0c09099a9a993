// Des corrections saisies et pas encore enregistrées ne se perdent jamais sans
// question : chaque chemin qui quitterait la grille la pose, Annuler y ramène,
// Non les abandonne, Oui les enregistre avant de continuer. Tout se fait au
// clavier et à la souris, dans une seule fenêtre.
#include "PiloteBureau.h"

#include "commun_tests/Souris.h"
#include "control/EnteteStations.h"
#include "data/bases/OuvertureBase.h"

#include <QRegularExpression>

namespace {

class CorrectionsEnAttente : public PiloteBureau
{
protected:
    void SetUp() override
    {
        PiloteBureau::SetUp();
        f = ouvrir();
        corrigerMars(*f);
    }
    // Les lignes du SELECT sur la base que la fenêtre a ouverte.
    QStringList enBase(const QString& sql)
    {
        QString erreur;
        return lignesDe(*ouvrirBase(texteBase(), false, erreur), sql);
    }
    QString valeurEnBase(const QString& jour)
    {
        return enBase("SELECT Pluie FROM PLUVIO_76402001 WHERE DateCreation = '" + jour + "'").join(u';');
    }
    QStringList questions() const
    {
        QStringList q;
        for (const auto& m : messages.messages())
            if (m.type == QStringLiteral("choix"))
                q << m.texte;
        return q;
    }
    void bouton(const char* nom) { QTest::mouseClick(c().findChild<QPushButton*>(QString::fromLatin1(nom)), Qt::LeftButton); }
    // « Enregistrer les données », la question acceptée.
    void enregistrer()
    {
        messages.repondre(true);
        bouton("CmdEnregistrer");
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
        {"une autre station dans l'en-tête", [&] {
             auto* liste = c().RecupSprEntete()->findChild<QComboBox*>();
             liste->setFocus();
             QTest::keyClick(liste, Qt::Key_Down);
         }},
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
    // La valeur du point posé s'écrit comme celles de la grille, à la française.
    EXPECT_TRUE(QRegularExpression("^\\d+,\\d\\d$").match(grille().texte(0, GrillePoints::Valeur)).hasMatch())
        << grille().texte(0, GrillePoints::Valeur).toStdString();
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

// Une date impossible tapée reste dans sa cellule, invalide, et l'enregistrement nomme sa ligne
// sans rien écrire ; une valeur effacée s'écrit 0, et la question le dit.
TEST_F(CorrectionsEnAttente, DateImpossibleGardeeEtValeurEffaceeDite)
{
    const QString dix = valeurEnBase("2023-03-10");
    taperDansLaGrille(*f, grille(), ligneDu(10), GrillePoints::Date, "31/02/2023");
    messages.vider();
    bouton("CmdEnregistrer");
    const int ligne = grille().lignes() - 1;
    EXPECT_EQ(grille().texte(ligne, GrillePoints::Date), "31/02/2023");
    EXPECT_EQ(grille().style(ligne, GrillePoints::Date), GrillePoints::Style::Invalide);
    EXPECT_EQ(messages.textes(), QStringList{QStringLiteral("La ligne %1 de la grille n'a pas de date, d'heure ou de valeur lisible "
                                                            "dans les dates à corriger : corrigez-la ou supprimez-la. Rien n'a été "
                                                            "enregistré.").arg(ligne + 1)});
    EXPECT_EQ(valeurEnBase("2023-03-10"), dix);

    // L'heure du 13 effacée : la ligne ne se lit plus et l'enregistrement la marque ; l'heure rendue, elle se lit.
    taperDansLaGrille(*f, grille(), ligneDu(13), GrillePoints::Heure, "");
    EXPECT_EQ(grille().style(ligneDu(13), GrillePoints::Heure), GrillePoints::Style::Invalide);
    messages.vider();
    bouton("CmdEnregistrer");
    ASSERT_EQ(messages.textes().size(), 1);
    EXPECT_TRUE(messages.textes().first().startsWith(QStringLiteral("Les lignes %1 et %2 de la grille").arg(ligneDu(13) + 1).arg(ligne + 1)))
        << messages.textes().first().toStdString();
    EXPECT_EQ(grille().style(ligneDu(13), GrillePoints::Date), GrillePoints::Style::Invalide);
    taperDansLaGrille(*f, grille(), ligneDu(13), GrillePoints::Heure, "12:00:00");

    // La date reprise, la valeur du 16 effacée : elle part à 0, dit la question avant l'écriture.
    taperDansLaGrille(*f, grille(), ligne, GrillePoints::Date, "10/03/2023");
    ASSERT_EQ(ligneDu(10), 9);
    ASSERT_EQ(grille().texte(ligneDu(16), GrillePoints::Valeur), "1,8");
    taperValeur(16, "", true);
    messages.vider();
    enregistrer();
    EXPECT_EQ(messages.textes().value(0), "Enregistrer la grille des points ?\n1 mesure modifiée, 0 ajoutée, 0 supprimée, sur la "
                                          "station 76402001 Port-Aubin du 01/03/2023 au 31/03/2023.\n16/03/2023 12:00:00 : 1,8 → 0 "
                                          "(valeur vide)");
    EXPECT_EQ(valeurEnBase("2023-03-16"), "0");
    EXPECT_EQ(valeurEnBase("2023-03-10"), dix);
}

// Dans la grille du graphique de travail, « Insérer un point » ouvre une ligne vide avant la ligne
// courante ; remplie sur l'instant d'une mesure, elle est refusée, sur un autre elle s'ajoute.
TEST_F(CorrectionsEnAttente, InsererUnPointDansLaGrille)
{
    const int lignes = grille().lignes(), dix = ligneDu(10);
    QTest::mouseClick(grille().viewport(), Qt::LeftButton, {},
                      grille().visualRect(grille().model()->index(dix, GrillePoints::Date)).center());
    bouton("CmdInsertion");
    ASSERT_EQ(grille().lignes(), lignes + 1);
    EXPECT_EQ(grille().ligneActive(), dix);
    EXPECT_FALSE(grille().ligneRemplie(dix));
    EXPECT_EQ(ligneDu(10), dix + 1);

    taperDansLaGrille(*f, grille(), dix, GrillePoints::Date, "09/03/2023");
    const int nouvelle = grille().ligneActive();
    taperDansLaGrille(*f, grille(), nouvelle, GrillePoints::Heure, "12:00:00");
    const int placee = grille().ligneActive();
    taperDansLaGrille(*f, grille(), placee, GrillePoints::Valeur, "3,5");
    messages.vider();
    bouton("CmdEnregistrer");
    ASSERT_EQ(messages.textes().size(), 1);
    EXPECT_TRUE(messages.textes().first().endsWith("tombent toutes deux le 09/03/2023 à 12:00:00 : une seule mesure par instant. "
                                                   "Rien n'a été enregistré."))
        << messages.textes().first().toStdString();
    const QString neuf = valeurEnBase("2023-03-09");

    taperDansLaGrille(*f, grille(), placee, GrillePoints::Heure, "18:00:00");
    messages.vider();
    enregistrer();
    EXPECT_TRUE(messages.textes().value(0).contains("\n0 mesure modifiée, 1 ajoutée, 0 supprimée"))
        << messages.textes().value(0).toStdString();
    EXPECT_EQ(grille().lignes(), lignes + 1);
    EXPECT_EQ(enBase("SELECT Heure, Pluie FROM PLUVIO_76402001 WHERE DateCreation = '2023-03-09' ORDER BY Heure"),
              (QStringList{"12:00:00|" + neuf, "18:00:00|3.5"}));
}

// « Annuler la dernière correction » vise le pluviomètre corrigé, même quand la liste en montre un
// autre, et ne défait pas une correction qui touche une mesure validée.
TEST_F(CorrectionsEnAttente, AnnulerViseLePluviometreCorrigeEtRespecteLaValidation)
{
    taperValeur(3, "5", true);
    enregistrer();
    ASSERT_EQ(valeurEnBase("2023-03-03"), "5");
    ASSERT_FALSE(taperDateDeValidation(*f, "15/03/2023"));
    QTest::keyClick(f.get(), Qt::Key_E, Qt::ControlModifier);
    // Avant la validation, grisé et verrouillé ; une date tapée doit la suivre ; une plage qui la précède est refusée.
    ASSERT_TRUE(grille().verrouille(ligneDu(3), GrillePoints::Valeur));
    EXPECT_EQ(grille().style(ligneDu(3), GrillePoints::Valeur), GrillePoints::Style::Grise);
    EXPECT_FALSE(grille().verrouille(ligneDu(20), GrillePoints::Valeur));
    EXPECT_EQ(std::pair(grille().dateMinimum(), grille().dateMaximum()), std::pair(QDate(2023, 3, 16), QDate(2023, 3, 30)));
    palette(5);
    messages.vider();
    glisser(c().vueGraphique(), dansLeTrace(c(), 0.05, 0.5), dansLeTrace(c(), 0.6, 0.6), Qt::RightButton);
    EXPECT_EQ(messages.textes(), QStringList{"Vous ne pouvez pas supprimer les points avant la date de dernière validation (15/03/2023)"});
    palette(6);
    taperValeur(20, "2", true);
    enregistrer();
    ASSERT_EQ(valeurEnBase("2023-03-20"), "2");
    choisirStation(*f, "76401001");

    // La correction du 20 se défait ; celle du 3, protégée, est refusée sans question et sans rien changer.
    messages.vider();
    messages.repondre(true);
    clicMenu(*f, "&Graphique", "&Annuler la dernière correction…");
    EXPECT_TRUE(messages.textes().value(0).startsWith("Annuler la dernière correction du pluviomètre 76402001 (grille des points"))
        << messages.textes().join('\n').toStdString();
    EXPECT_EQ(valeurEnBase("2023-03-20"), "0");
    messages.vider();
    messages.repondre(true);
    clicMenu(*f, "&Graphique", "&Annuler la dernière correction…");
    EXPECT_EQ(messages.textes(), QStringList{"La dernière correction du pluviomètre 76402001 change la mesure du 03/03/2023, "
                                             "protégée par la date de dernière validation (15/03/2023) : rien n'a été annulé."});
    EXPECT_EQ(valeurEnBase("2023-03-03"), "5");
}

} // namespace
