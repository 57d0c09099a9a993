// Chargement du contrôle graphique : les dates d'un pluviomètre, et la
// séquence qui va de la demande de l'hôte au graphique tracé.
#include "commun/Cellule.h"
#include "commun/Garde.h"
#include "control/ChampDate.h"
#include "control/CtlGraphique.h"
#include "control/CtlGraphiquePrive.h"
#include "control/EditionPoints.h"
#include "control/EnteteStations.h"
#include "control/SequenceChargement.h"
#include "control/SourisEtZoom.h"
#include "control/VueGraphique.h"
#include "data/BaseDonnees.h"
#include "data/NomVerifie.h"
#include "render/moteur/MoteurGraphique.h"
#include "render/moteur/ProprietesMoteur.h"

#include <QApplication>

void CtlGraphique::remplirDatesDepuisPluviometre()
{
    d->edition->setDerniereValidation(std::nullopt);
    // Le code vient de la liste des stations de la base : il est vérifié comme un autre.
    const auto table = NomVerifie::table(QStringLiteral("PLUVIO_"), RecupSprEntete()->CodeStation());
    if (!table || !baseDonnees())
        return;
    TableauValeurs lignes;
    qint32 n = 0;
    if (!baseDonnees()->ExtraireRecords("SELECT Min(DateCreation), Max(DateCreation) FROM " + *table, lignes, n))
        return;
    if (n >= 1 && !EstVide(lignes.valeur(0, 0))) {
        TxtDateDebut()->setTexte(TexteCellule(lignes.valeur(0, 0)).left(10));
        TxtDateFin()->setTexte(TexteCellule(lignes.valeur(1, 0)).left(10));
    }
}

void CtlGraphique::montrerCadreVide(const QString& titre) noexcept
{
    sousGarde([&] { viderCadre(titre); });
}

void CtlGraphique::viderCadre(const QString& titre)
{
    for (Classe_Graphiques* c : {&CollCourbes(), &CollCourbes2()}) {
        c->ViderCollection();
        c->setChargement(std::nullopt, std::nullopt);
        c->setAffichage(std::nullopt, std::nullopt);
    }
    d->souris->abandonnerZoom();
    vueGraphiqueSuperposePluvio()->hide();
    vueGraphique()->show();
    GraphiqueSuperposePluvio().remettreANeuf();
    MoteurGraphique& g = Graphique();
    g.remettreANeuf();
    reglagesDeDepart();
    // Un cadre vide sans graduations ni grille : aucun nombre qui ferait croire à des données.
    g.ecrire(Prop::PlacementLibellesX, 0);
    g.ecrire(Prop::Grille, 0);
    g.ecrire(Prop::DivisionsY, 1);
    for (int i = 1; i <= 2; ++i)
        g.ecrireIndexe(Prop::LibelleGauche, i, QStringLiteral(" "));
    g.ecrire(Prop::TitreGraphique, titre);
    g.ecrire(Prop::Dessin, DemandeDessin::Vierge);
    d->souris->annoncerPeriode();
}

void CtlGraphique::declencheChargement() noexcept
{
    declencheOutil(10);
}

void CtlGraphique::ChargementDonnees() noexcept
{
    std::optional<SequenceChargement> sequence;
    sousGarde([&] {
        sequence.emplace(*this);
        sequence->executer();
    });
    // Un échec en cours a laissé le chargement inachevé : le pointeur revient quand même.
    if (sequence && sequence->enCours())
        QApplication::restoreOverrideCursor();
}
