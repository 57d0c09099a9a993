#include "data/StationsBase.h"

#include "commun/Cellule.h"
#include "commun/Nombres.h"
#include "commun/TexteAffichable.h"
#include "data/BaseDonnees.h"

#include <QStringList>

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

std::optional<StationBase> trouver(const QList<StationBase>& liste, const CleStation& cle,
                                   const QList<GenreStation::Genre>& acceptes, QString& erreur)
{
    const QString& code = cle.code;
    const auto& genre = cle.genre;
    QList<StationBase> trouvees;
    QStringList genres;
    for (const StationBase& s : liste) {
        const auto g = GenresStation::depuisNom(s.genre);
        if (!g || s.code.compare(code.trimmed(), Qt::CaseInsensitive) != 0 || !acceptes.contains(g->genre)
            || (genre && *genre != g->genre) || genres.contains(s.genre))
            continue;
        trouvees << s;
        genres << s.genre;
    }
    const QString cite = TexteAffichable(code.trimmed(), 60);
    if (trouvees.size() == 1)
        return trouvees.constFirst();
    if (trouvees.isEmpty())
        erreur = genre ? QStringLiteral("aucune station « %1 » du genre %2.").arg(cite, GenresStation::nom(*genre))
                       : QStringLiteral("station inconnue : « %1 ».").arg(cite);
    else
        erreur = QStringLiteral("le code « %1 » désigne plusieurs stations (%2) : préciser --genre.").arg(cite, genres.join(QStringLiteral(", ")));
    return std::nullopt;
}

std::optional<GenreStation::Genre> lireGenre(const QString& texte, QString& erreur)
{
    if (const auto g = GenresStation::depuisNom(texte.trimmed().toLower()))
        return g->genre;
    erreur = QStringLiteral("genre de station inconnu : « %1 » (pluvio, piezo, hydro ou reference).").arg(TexteAffichable(texte, 40));
    return std::nullopt;
}

} // namespace StationsBase
