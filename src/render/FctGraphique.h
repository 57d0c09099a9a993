#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class Classe_Graphiques;
class MoteurGraphique;

// Axes d'un graphique d'après les réglages de sa collection de courbes : les
// libellés de dates de l'axe du temps, les libellés des points, les échelles de
// valeurs et les titres des axes, écrits au moteur de graphique. Aucune de ces
// fonctions ne trace les courbes.
namespace FctGraphique {

// Axe du temps d'un graphique par périodes. `debut` et `fin` reçoivent
// l'étendue de l'axe, toutes deux invalides quand la collection n'a pas de dates.
void InitAxeDates(Classe_Graphiques& collection, MoteurGraphique& graphique, QDate& debut, QDate& fin,
                  bool superposition, bool cumulAnnuel);
// Axe du temps d'un graphique de points datés (X–Y).
void InitAxeDatesPiezo(Classe_Graphiques& collection, MoteurGraphique& graphique, QDate& debut, QDate& fin);
// Le même pour le graphique de pluie placé sous un graphique de nappe.
void InitAxeDatesSuperpose(Classe_Graphiques& collection, MoteurGraphique& graphique, QDate& debut, QDate& fin);

// Échelle de pluie sur l'axe de gauche ; 0 et 0 prennent les bornes des données de la collection.
void InitEchellePluvio(Classe_Graphiques& collection, MoteurGraphique& graphique, double minimum, double maximum);
// Profondeur (ou cote) sur l'axe de gauche, pluie sur celui de droite.
void InitEchellesPiezo(Classe_Graphiques& piezo, Classe_Graphiques& pluie, MoteurGraphique& graphique, bool cote,
                       double minimum, double maximum);
void InitEchellesSuperpose(Classe_Graphiques& a, Classe_Graphiques& b, MoteurGraphique& graphique, double minimum,
                           double maximum);

// Envoie les libellés joints par TAB ; -1 quand `nombre` n'est pas le nombre de libellés.
int EnvoyerLibellesAxe(MoteurGraphique& graphique, int nombre, const QStringList& libelles);

// La police des textes de la classe `classe` (0 titre, 1 et 2 axes, 3 légende), en pour cent de la taille ordinaire.
void EcrirePolice(MoteurGraphique& graphique, int classe, int taille);

} // namespace FctGraphique
