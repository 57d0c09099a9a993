#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <optional>
#include <utility>

class BaseDonnees;
class Classe_Graphiques;
class FenetreProgression;

// Le climat d'un pluviomètre mois par mois sur les années de statistiques :
// l'enveloppe (totaux mensuels le plus bas, moyen, le plus haut), les limites
// des quintiles, la médiane, les normales officielles, et l'écart d'une série
// aux normales.
namespace ChargeurStatistiques {

using ValeursMois = std::array<std::optional<double>, 12>;

// Ce que les statistiques d'un chargement ont trouvé : leurs années, et si celles des mesures
// (enveloppe, quintiles, médiane) et les normales ont au moins une valeur. Une statistique sans
// aucune valeur n'entre pas dans la collection : rien ne la dessine, ni la légende, ni le classeur.
struct Bilan
{
    int premiere = 0, derniere = 0;
    bool mesurees = false;
    bool normales = false;
};

// Première et dernière années de statistiques : les deux textes quand ce sont
// des années, sinon les années des données du pluviomètre, la dernière exclue ;
// réécrites dans les champs "txtDateDebStatistique" et "txtDateFinStatistique"
// du formulaire de l'hôte.
std::pair<int, int> choisirAnnees(const QString& anneeDebut, const QString& anneeFin, const QString& code,
                                  QObject* formulaire, BaseDonnees* base);

// Enveloppe, quintiles, médiane et normales, dans cet ordre, après la série de l'année.
Bilan statistiquesMensuelles(Classe_Graphiques& collection, const QString& anneeDebut, const QString& anneeFin,
                            const QString& code, QObject* formulaire, BaseDonnees* base, FenetreProgression* fenetre,
                            bool cumul, bool hydro, int moisHydro, const QString& colonne, bool normalesMeteoFrance);

// Les douze médianes mensuelles des totaux mesurés, ou les normales de PLUVIOMETRE_NORMALES
// (par mois, ou la normale annuelle pour chaque mois).
ValeursMois valeursMensuelles(int premiere, int derniere, const QString& code, BaseDonnees* base, bool cumul,
                              bool hydro, int moisHydro, const QString& colonne, bool parMois, bool normales);

// Une courbe de douze points, datés du 15 de chaque mois de l'année en cours ; faux, sans
// courbe ajoutée, quand aucun mois n'a de valeur.
bool ajouterCourbeMensuelle(Classe_Graphiques& collection, const ValeursMois& valeurs, const QString& titre,
                            int couleur, bool hydro, int moisHydro);

// La première courbe de la collection devient son écart aux normales (ou aux
// médianes), avec des bornes symétriques. Un point sans normale n'a pas d'écart ;
// sans aucune normale, la collection reste vide.
Bilan comparerAuxNormales(Classe_Graphiques& collection, const QString& anneeDebut, const QString& anneeFin,
                         const QString& code, QObject* formulaire, BaseDonnees* base, const QString& colonne,
                         bool parMois, bool normalesMeteoFrance);

// Ce qui manque au graphique annuel et pourquoi, en une ligne française ; vide quand les
// statistiques demandées ont toutes des valeurs.
QString avisStatistiques(const Bilan& bilan, bool mesuresDemandees, bool normalesDemandees);
// De même pour la comparaison à la normale, faite aux normales officielles ou aux médianes.
QString avisComparaison(const Bilan& bilan, bool normalesOfficielles);

} // namespace ChargeurStatistiques
