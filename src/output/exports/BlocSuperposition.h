#pragma once

#include <QString>

class Classe_Graphiques;
class FenetreProgression;

// Le bloc de texte des courbes affichées que l'export vers le tableur colle
// dans une feuille : une ligne d'en-tête (chaque titre suivi de trois
// tabulations), puis par ligne et par courbe X, Y et un blanc.
struct BlocSuperposition
{
    int nombreCourbes = 0;
    // Le plus grand nombre de points parmi les courbes ; au-delà de 32 767
    // (90 ans de jours), un entier de 16 bits ne suffirait pas.
    int nombreLignes = 0;
    QString premiereDate;  // "DD/MM/YYYY", la plus ancienne des premières dates
    QString texte;         // vide quand rien n'est exportable

    // `coefficient` multiplie chaque valeur (profondeurs) ; `pointDecimal`
    // écrit les nombres avec un point. Une courbe seule est écrite jour par
    // jour sur la période chargée ; plusieurs, point par point. Sans courbe
    // affichée, le message "Pas de données à exporter vers Excel" est donné.
    static BlocSuperposition Preparer(const Classe_Graphiques& courbes, double coefficient, bool pointDecimal,
                                      FenetreProgression* progression);
};
