#pragma once

#include <QString>
#include <optional>

// Les genres de station de la liste des stations (colonne Genre de STATIONS),
// en un seul endroit : leur préfixe de table, leur libellé, la colonne des
// mesures qu'un import remplit par défaut.
struct GenreStation
{
    enum class Genre { Pluvio, Piezo, Hydro, Reference };

    Genre genre;
    const char* nom;          // "pluvio", "piezo", "hydro", "reference"
    const char* prefixeTable; // "PLUVIO_", …
    const char* libelle;      // "Pluviomètre", …
    const char* colonneMesure;

    QString prefixe() const { return QString::fromLatin1(prefixeTable); }
    QString texte() const { return QString::fromLatin1(nom); }
};

namespace GenresStation {

// Le genre de ce nom ; rien pour un nom inconnu.
std::optional<GenreStation> depuisNom(const QString& nom);
const GenreStation& de(GenreStation::Genre genre);
// Le genre d'une table de mesures, d'après son préfixe ("PLUVIO_76402001" : pluvio).
std::optional<GenreStation> depuisTable(const QString& table);
// Le nom de la colonne Genre de STATIONS pour ce genre.
QString nom(GenreStation::Genre genre);
// Le texte est le nom de ce genre.
bool est(const QString& nom, GenreStation::Genre genre);
// Les noms, "pluvio, piezo, hydro" pour les genres qu'un import peut remplir.
QString nomsImportables();

} // namespace GenresStation
