#pragma once

#include <QString>
#include <QtGlobal>

// Facteur appliqué aux profondeurs : `coefficientProfondeur` de la fenêtre
// principale de l'hôte quand le type d'affichage de l'échelle vaut 0, sinon 1.
// Le type 999 désigne le `typeAffichageEchelle` de l'hôte, qui le remplace.
qint16 CoefficientEchelle(qint16& typeAffichage);

// Extremum courant face à un nombre écrit en texte (l'un ou l'autre séparateur
// décimal) : un texte vide ou non numérique laisse la valeur telle quelle.
double ValeurMin(double valeur, const QString& texte);
double ValeurMax(double valeur, const QString& texte);
