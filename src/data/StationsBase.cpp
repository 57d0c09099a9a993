#include "data/StationsBase.h"

#include "commun/Cellule.h"
#include "commun/Nombres.h"
#include "data/BaseDonnees.h"

namespace StationsBase {

std::optional<QList<StationBase>> lire(BaseDonnees* base)
{
    QList<StationBase> l;
    TableauValeurs lignes;
    qint32 n = 0;
    if (!base || !base->ExtraireRecords("SELECT Code, Nom, Genre, Altitude FROM STATIONS", lignes, n))
        return std::nullopt;
    for (int r = 0; r < n; ++r)
        l.append({TexteCellule(lignes.valeur(0, r)).trimmed(), TexteCellule(lignes.valeur(1, r)).trimmed(),
                  TexteCellule(lignes.valeur(2, r)).trimmed(), LireNombre(lignes.valeur(3, r))});
    return l;
}

} // namespace StationsBase
