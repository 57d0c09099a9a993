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

// Première et dernière années de statistiques : les deux textes quand ce sont
// des années, sinon les années des données du pluviomètre, la dernière exclue ;
// réécrites dans les champs "txtDateDebStatistique" et "txtDateFinStatistique"
// du formulaire de l'hôte.
std::pair<int, int> choisirAnnees(const QString& anneeDebut, const QString& anneeFin, const QString& code,
                                  QObject* formulaire, BaseDonnees* base);

// Enveloppe, quintiles, médiane et normales, dans cet ordre, après la série de l'année ;
// chacune a ses douze points, vides là où elle n'a pas de valeur.
void statistiquesMensuelles(Classe_Graphiques& collection, const QString& anneeDebut, const QString& anneeFin,
                            const QString& code, QObject* formulaire, BaseDonnees* base, FenetreProgression* fenetre,
                            bool cumul, bool hydro, int moisHydro, const QString& colonne, bool normalesMeteoFrance);

// Les douze médianes mensuelles des totaux mesurés, ou les normales de PLUVIOMETRE_NORMALES
// (par mois, ou la normale annuelle pour chaque mois).
ValeursMois valeursMensuelles(int premiere, int derniere, const QString& code, BaseDonnees* base, bool cumul,
                              bool hydro, int moisHydro, const QString& colonne, bool parMois, bool normales);

// Une courbe de douze points, datés du 15 de chaque mois de l'année en cours.
void ajouterCourbeMensuelle(Classe_Graphiques& collection, const ValeursMois& valeurs, const QString& titre,
                            int couleur, bool hydro, int moisHydro);

// La première courbe de la collection devient son écart aux normales (ou aux
// médianes), avec des bornes symétriques. Une normale vide compte pour 0.
void comparerAuxNormales(Classe_Graphiques& collection, const QString& anneeDebut, const QString& anneeFin,
                         const QString& code, QObject* formulaire, BaseDonnees* base, const QString& colonne,
                         bool parMois, bool normalesMeteoFrance);

} // namespace ChargeurStatistiques
