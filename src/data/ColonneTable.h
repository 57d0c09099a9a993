#pragma once

#include <QList>
#include <QString>

// Genres de colonne des tables que le système crée (calendrier, base
// d'exemple) ou trouve dans la base de l'hôte.
enum class TypeColonne { Date, Heure, DateHeure, Entier, Reel, Texte, Booleen, Autre };

// Une colonne d'une table : son nom et son genre.
struct ColonneTable
{
    QString nom;
    TypeColonne type = TypeColonne::Autre;
    bool jamaisNulle = false;  // NOT NULL déclaré (clé comprise)

    bool operator==(const ColonneTable& autre) const = default;
};
