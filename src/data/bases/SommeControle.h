#pragma once

#include "commun/TableauValeurs.h"

#include <QString>

// Le nombre de lignes et une somme de contrôle d'une table, indépendante de
// l'ordre des lignes : la somme des empreintes (64 bits) de chaque ligne,
// faites sur les cellules mises sous leur forme de colonne (CelluleCopie).
// Deux moteurs qui tiennent les mêmes valeurs donnent la même somme.
class SommeControle
{
public:
    void ajouter(const TableauValeurs& lot);

    qint64 lignes() const { return m_lignes; }
    QString texte() const;
    bool operator==(const SommeControle& autre) const = default;

private:
    quint64 m_somme = 0;
    qint64 m_lignes = 0;
};
