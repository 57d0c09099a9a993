#pragma once

#include <QString>
#include <optional>

// Les genres de station de la liste des stations (colonne Genre de STATIONS),
// en un seul endroit : leur préfixe de table, leur libellé, la colonne des
// mesures qu'un import remplit par défaut.
struct GenreStation
{
    const char* nom;          // "pluvio", "piezo", "hydro", "reference"
    const char* prefixeTable; // "PLUVIO_", …
    const char* libelle;      // "Pluviomètre", …
    const char* colonneMesure;

    QString prefixe() const { return QString::fromLatin1(prefixeTable); }
};

namespace GenresStation {

// Le genre de ce nom ; rien pour un nom inconnu.
std::optional<GenreStation> depuisNom(const QString& nom);
// Les noms, "pluvio, piezo, hydro" pour les genres qu'un import peut remplir.
QString nomsImportables();

} // namespace GenresStation
