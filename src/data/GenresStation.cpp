#include "data/GenresStation.h"

#include <QStringList>

namespace GenresStation {

namespace {

using G = GenreStation::Genre;

constexpr GenreStation genres[] = {
    {G::Pluvio, "pluvio", "PLUVIO_", "Pluviomètre", "Pluie"},
    {G::Piezo, "piezo", "PZ_", "Piézomètre", "Valeur"},
    {G::Hydro, "hydro", "HYDRO_", "Station hydrométrique", "Debit"},
    {G::Reference, "reference", "COURBE_REF_PLUVIO_", "Courbe de référence", ""},
};

} // namespace

std::optional<GenreStation> depuisNom(const QString& nom)
{
    for (const GenreStation& g : genres)
        if (nom == QLatin1String(g.nom))
            return g;
    return std::nullopt;
}

std::optional<GenreStation> depuisTable(const QString& table)
{
    // Le préfixe le plus long d'abord : COURBE_REF_PLUVIO_ n'est pas PLUVIO_.
    std::optional<GenreStation> trouve;
    for (const GenreStation& g : genres)
        if (table.startsWith(QLatin1String(g.prefixeTable))
            && (!trouve || qstrlen(g.prefixeTable) > qstrlen(trouve->prefixeTable)))
            trouve = g;
    return trouve;
}

const GenreStation& de(GenreStation::Genre genre)
{
    return genres[int(genre)];
}

QString nom(GenreStation::Genre genre)
{
    return de(genre).texte();
}

bool est(const QString& texte, GenreStation::Genre genre)
{
    return texte == QLatin1String(de(genre).nom);
}

QString nomsImportables()
{
    QStringList noms;
    for (const GenreStation& g : genres)
        if (*g.colonneMesure)
            noms << QString::fromLatin1(g.nom);
    return noms.join(QStringLiteral(", "));
}

} // namespace GenresStation
