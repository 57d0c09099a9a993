// Les choix des statistiques dans l'application de bureau, saisis au clavier et à la souris :
// actifs pour les graphiques qui s'en servent, sourds à la molette qui passe, retenus d'un
// lancement à l'autre et pris par le tracé ; et un pluviomètre d'une seule année, dont les
// statistiques vides sont cachées dans la liste des courbes et la barre d'état dit pourquoi.
#include "PiloteBureau.h"

#include "GrilleCourbes.h"
#include "PanneauDemande.h"
#include "commun_tests/Fichiers.h"
#include "commun_tests/ImagesGardees.h"
#include "commun_tests/Souris.h"

namespace {

class ChoixStatistiques : public PiloteBureau
{
protected:
    static void cliquer(QCheckBox* c) { QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(6, c->height() / 2)); }

    // Un clic dans le champ, tout sélectionné, l'année tapée par-dessus, puis Tab.
    static void taperAnnee(QSpinBox* champ, const QString& annee)
    {
        QTest::mouseClick(champ, Qt::LeftButton, {}, QPoint(10, champ->height() / 2));
        QTest::keyClick(champ, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(champ, annee);
        QTest::keyClick(champ, Qt::Key_Tab);
    }
};

TEST_F(ChoixStatistiques, SaisisRetenusAuRedemarrageEtPrisParLeTrace)
{
    {
        auto f = ouvrir();
        auto* choisies = enfant<QCheckBox>(*f, "AnneesStatistiquesChoisies");
        auto* premiere = enfant<QSpinBox>(*f, "PremiereAnneeStatistique");
        auto* derniere = enfant<QSpinBox>(*f, "DerniereAnneeStatistique");
        auto* mois = enfant<QComboBox>(*f, "MoisAnneeHydro");
        auto* normales = enfant<QCheckBox>(*f, "NormalesOfficielles");
        for (QWidget* w : std::initializer_list<QWidget*>{choisies, premiere, derniere, mois, normales})
            EXPECT_FALSE(w->toolTip().isEmpty()) << w->objectName().toStdString();
        // Le graphique d'édition par mois ne s'en sert pas.
        choisir(enfant<QComboBox>(*f, "GenreGraphique"), QStringLiteral("edition"));
        for (QWidget* w : std::initializer_list<QWidget*>{choisies, premiere, mois, normales})
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();

        choisir(enfant<QComboBox>(*f, "GenreGraphique"), QStringLiteral("Annee"));
        EXPECT_FALSE(premiere->isEnabled());  // les années d'après les mesures, tant que la case n'est pas cochée
        cliquer(choisies);
        ASSERT_TRUE(premiere->isEnabled());
        // La molette qui passe sur un champ sans l'avoir choisi ne le change pas.
        const int avant = premiere->value();
        molette(premiere, premiere->rect().center(), 1);
        EXPECT_EQ(premiere->value(), avant);
        taperAnnee(premiere, "1991");
        taperAnnee(derniere, "2020");
        choisir(enfant<QComboBox>(*f, "Periode"), QStringLiteral("H"));
        QTest::keyClicks(mois, "sep");

        choisir(enfant<QComboBox>(*f, "GenreGraphique"), QStringLiteral("comparaisonNormale"));
        cliquer(normales);
        // Les normales officielles ne dépendent d'aucune année.
        EXPECT_FALSE(choisies->isEnabled());
        f->close();
    }
    // Le lendemain : les choix repris, et servis au tracé.
    auto f = ouvrir();
    EXPECT_TRUE(enfant<QCheckBox>(*f, "AnneesStatistiquesChoisies")->isChecked());
    EXPECT_EQ(enfant<QSpinBox>(*f, "PremiereAnneeStatistique")->value(), 1991);
    EXPECT_EQ(enfant<QSpinBox>(*f, "DerniereAnneeStatistique")->value(), 2020);
    EXPECT_EQ(enfant<QComboBox>(*f, "MoisAnneeHydro")->currentText(), "septembre");
    EXPECT_TRUE(enfant<QCheckBox>(*f, "NormalesOfficielles")->isChecked());
    HoteGraphique::Demande d = demandeDe(TypeGraph::Annee, "76402001", "H", {}, {});
    tracer(*f, d);
    EXPECT_TRUE(messages.messages().isEmpty()) << messages.textes().join('|').toStdString();
    EXPECT_TRUE(etat(*f).contains("Période : du 01/09/2022 au 31/08/2023")) << etat(*f).toStdString();
    d.type = TypeGraph::comparaisonNormale;
    d.periodes = QStringLiteral("M");
    d.affichage = QStringLiteral("HISTO");
    tracer(*f, d);
    EXPECT_TRUE(f->formulaire().controle().isStatistiquesMeteoFrance());
    garderImage(f->panneau().grab().toImage(), "choix-statistiques");
    // Le cumul annuel compare les années choisies : l'année demandée hors d'elles, la barre d'état le dit.
    d.type = TypeGraph::Annee;
    d.variante = QStringLiteral("CUMUL_ANNUEL");
    for (const auto& [annee, dite] : {std::pair{2023, true}, {2000, false}}) {
        d.annee = annee;
        tracer(*f, d);
        EXPECT_EQ(etat(*f).contains(QStringLiteral("L'année %1 n'est pas parmi les années comparées (1991 à 2020).").arg(annee)), dite)
            << etat(*f).toStdString();
    }

    // Des années à l'envers : Tracer le dit et ne trace rien.
    choisir(enfant<QComboBox>(*f, "GenreGraphique"), QStringLiteral("Annee"));
    taperAnnee(enfant<QSpinBox>(*f, "PremiereAnneeStatistique"), "2021");
    messages.vider();
    QTest::mouseClick(enfant<QPushButton>(*f, "BoutonTracer"), Qt::LeftButton);
    EXPECT_EQ(messages.textes(), QStringList{"La première année de statistiques (2021) est après la dernière (2020)."});
}

// Le graphique annuel se trace par mois ou par année hydrologique : ses autres périodes sont grisées,
// disent pourquoi en bulle, et une période choisie avant de passer au graphique annuel laisse place à Mois.
TEST_F(ChoixStatistiques, LeGraphiqueAnnuelNeSeTraceQueParMoisOuAnneeHydrologique)
{
    auto f = ouvrir();
    auto* periode = enfant<QComboBox>(*f, "Periode");
    choisir(enfant<QComboBox>(*f, "GenreGraphique"), QStringLiteral("edition"));
    choisir(periode, QStringLiteral("S"));
    choisirStation(*f, QStringLiteral("76402001"));
    choisir(enfant<QComboBox>(*f, "GenreGraphique"), QStringLiteral("Annee"));
    EXPECT_TRUE(periode->toolTip().contains("par mois ou par année hydrologique")) << periode->toolTip().toStdString();
    // La période choisie, grisée pour lui, laisse place à la première qui convient.
    EXPECT_EQ(periode->currentData().toString(), "M");

    // Au clavier, la liste passe les périodes grisées : du début, Bas s'arrête à l'année hydrologique.
    periode->setFocus();
    QTest::keyClick(periode, Qt::Key_Home);
    QStringList vues{periode->currentData().toString()};
    for (int k = 0; k < 5; ++k) {
        QTest::keyClick(periode, Qt::Key_Down);
        vues << periode->currentData().toString();
    }
    EXPECT_EQ(vues, (QStringList{"M", "H", "H", "H", "H", "H"}));
    messages.vider();
    taperAnnee(enfant<QSpinBox>(*f, "Annee"), "2023");
    QTest::mouseClick(enfant<QPushButton>(*f, "BoutonTracer"), Qt::LeftButton);
    EXPECT_TRUE(messages.messages().isEmpty()) << messages.textes().join('|').toStdString();
    EXPECT_TRUE(etat(*f).contains("Période : du 01/10/2022 au 30/09/2023")) << etat(*f).toStdString();

    // Les cumuls, rangés par année, prennent toutes les périodes.
    choisir(enfant<QComboBox>(*f, "Variante"), QStringLiteral("CUMUL_MENSUEL"));
    choisir(periode, QStringLiteral("A"));
    EXPECT_TRUE(periode->toolTip().isEmpty());
}

TEST_F(ChoixStatistiques, UnPluviometreDUneAnneeSansStatistiquesLaBarreDEtatDitPourquoi)
{
    auto f = ouvrir();
    importer(*f, ecrireFichier(dossier.filePath("une-annee.csv"), "01/01/2023;5\n15/03/2023;12,5\n20/11/2023;3\n"),
             QStringLiteral("76999001"));
    messages.vider();
    tracer(*f, demandeDe(TypeGraph::Annee, "76999001", "M", {}, {}));
    EXPECT_TRUE(messages.messages().isEmpty()) << messages.textes().join('|').toStdString();
    const QString avis = "Statistiques et normales non tracées : il faut au moins une année de mesures avant 2023 ; "
                         "ce pluviomètre n'a pas de normales.";
    EXPECT_TRUE(etat(*f).endsWith(avis)) << etat(*f).toStdString();
    // La liste a l'année montrée et ses neuf statistiques cachées ; le graphique et sa légende n'ont que l'année.
    GrilleCourbes& grille = f->courbes();
    ASSERT_EQ(grille.rowCount(), 11);
    for (int r = 1; r < grille.rowCount(); ++r)
        EXPECT_EQ(grille.item(r, 0)->text(), r == 1 ? "X" : " ") << grille.item(r, 1)->text().toStdString();
    const ModeleGraphique& modele = f->formulaire().controle().Graphique().modele();
    EXPECT_EQ(modele.nbJeux(), 1);
    EXPECT_TRUE(modele.legendes.value(2).isEmpty());
    garderImage(ecran(*f), "une-annee-sans-statistiques");

    // La médiane montrée à la main malgré tout : tracée, ses douze mois vides à 0, et nommée.
    ASSERT_EQ(grille.item(9, 1)->text(), "Médiane");
    cliquerCase(grille, grille.model()->index(9, 0));
    EXPECT_EQ(grille.item(9, 0)->text(), "X");
    ASSERT_EQ(modele.nbJeux(), 2);
    const JeuDonnees& mediane = modele.jeux[1];
    ASSERT_EQ(mediane.taille(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_TRUE(mediane.valeurs[std::size_t(i)] == 0 && !mediane.manquant[std::size_t(i)]) << i;
    EXPECT_EQ(modele.legendes.value(2), "Médiane");
    garderImage(ecran(*f), "une-annee-mediane-montree");
    // Toutes cachées puis toutes montrées par la première ligne : la barre d'état ne dit plus rien de non tracé.
    cliquerCase(grille, grille.model()->index(0, 0));
    cliquerCase(grille, grille.model()->index(0, 0));
    EXPECT_EQ(modele.nbJeux(), 10);
    EXPECT_FALSE(etat(*f).contains("non tracée")) << etat(*f).toStdString();
}

} // namespace
