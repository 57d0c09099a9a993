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
