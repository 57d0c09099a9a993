#include "data/GenresStation.h"

#include <QStringList>

namespace GenresStation {

namespace {

constexpr GenreStation genres[] = {
    {"pluvio", "PLUVIO_", "Pluviomètre", "Pluie"},
    {"piezo", "PZ_", "Piézomètre", "Valeur"},
    {"hydro", "HYDRO_", "Station hydrométrique", "Debit"},
    {"reference", "COURBE_REF_PLUVIO_", "Courbe de référence", ""},
};

} // namespace

std::optional<GenreStation> depuisNom(const QString& nom)
{
    for (const GenreStation& g : genres)
        if (nom == QLatin1String(g.nom))
            return g;
    return std::nullopt;
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
