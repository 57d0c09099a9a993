#pragma once

#include "commun/ColonneTypee.h"
#include "commun/TableauValeurs.h"

#include <vector>

// Les lignes d'un SELECT rangées colonne par colonne : une longue série tient
// en quelques octets par ligne et se lit sans cellule. La vue en cellules
// (champ, enregistrement), la même que celle de ExtraireRecords, se fait à la
// demande.
class ColonnesTypees
{
public:
    ColonnesTypees() = default;
    explicit ColonnesTypees(int colonnes, qsizetype reserve = 0);
    // Les mêmes cellules, rangées en colonnes.
    static ColonnesTypees depuis(const TableauValeurs& cellules);

    int lignes() const { return int(m_colonnes.size()); }
    int points() const { return m_colonnes.empty() ? 0 : int(m_colonnes.front().taille()); }
    const ColonneTypee& colonne(int ligne) const { return m_colonnes[std::size_t(ligne)]; }
    ColonneTypee& colonne(int ligne) { return m_colonnes[std::size_t(ligne)]; }

    // Hors du tableau : une cellule vide.
    QVariant valeur(int ligne, int point) const;
    TableauValeurs tableau() const;
    std::size_t octets() const;

private:
    std::vector<ColonneTypee> m_colonnes;
};
