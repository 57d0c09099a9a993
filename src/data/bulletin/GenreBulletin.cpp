#include "data/bulletin/GenreBulletin.h"

namespace GenresBulletin {

namespace {

using G = GenreStation::Genre;

const GenreBulletin genres[] = {
    {G::Pluvio, true, "Pluie", "mm", 1, true, false, true, false, {"très sec", "sec", "normal", "humide", "très humide"}},
    {G::Piezo, false, "Niveau", "m", 2, false, false, false, true, {"très bas", "bas", "autour de la normale", "haut", "très haut"}},
    {G::Hydro, false, "Débit", "m³/s", 3, false, true, false, true, {"très bas", "bas", "autour de la normale", "haut", "très haut"}},
};

} // namespace

const GenreBulletin* de(GenreStation::Genre genre)
{
    for (const GenreBulletin& g : genres)
        if (g.genre == genre)
            return &g;
    return nullptr;
}

} // namespace GenresBulletin
