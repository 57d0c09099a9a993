#pragma once

#include "commun/TableauValeurs.h"
#include "data/ColonneTable.h"

#include <QList>
#include <QString>

// Une cellule lue dans un moteur mise sous la forme de sa colonne, la même
// quel que soit le moteur : QDateTime pour les dates et les heures (celles-ci
// le 30/12/1899), qint64 pour les entiers et les booléens, double pour les
// réels, texte tel quel, invalide pour NULL. Une valeur qui ne va pas à sa
// colonne (un texte dans une colonne d'entiers) est gardée : la cible en juge.
class CelluleCopie
{
public:
    // Met chaque cellule d'un lot (champ, enregistrement) sous sa forme ; faux
    // et `erreur` quand une date ne se lit pas.
    static bool normaliser(TableauValeurs& lot, const QList<ColonneTable>& colonnes, QString& erreur);
    static bool normaliser(QVariant& cellule, TypeColonne type);
};
