#pragma once

#include <QString>
#include <QVariant>

// Une cellule d'une série ou d'une ligne de la base. Elle est vide quand elle
// ne contient rien, une valeur nulle ou un texte vide : son texte joint à ""
// donne "".
bool EstVide(const QVariant& cellule);

// Le texte d'une cellule, celui que lit l'hôte et que joint `&` : dates "DD/MM/YYYY" (suivies de
// " hh:nn:ss" quand l'heure n'est pas minuit), heures "hh:nn:ss", nombres avec
// le séparateur décimal de l'utilisateur, booléens "Vrai" / "Faux".
QString TexteCellule(const QVariant& cellule);

// Le même texte, un nombre écrit avec la virgule quel que soit le réglage de l'utilisateur, sans
// arrondi : ce qu'une grille ou un tableau montre à côté des valeurs saisies.
QString TexteCelluleFrancaise(const QVariant& cellule);
