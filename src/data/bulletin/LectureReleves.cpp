#include "data/bulletin/LectureReleves.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "data/BaseDonnees.h"
#include "data/Litteraux.h"
#include "data/NomVerifie.h"
#include "data/bulletin/GenreBulletin.h"

#include <QDate>

namespace LectureReleves {

namespace {

constexpr int moisHydroParDefaut = 10;
// Les mesures marquées "I" n'entrent pas au bulletin, comme elles n'entrent pas aux graphiques.
const OrdreSql mesuresRetenues = " WHERE (ModeObtention<>'I' OR ModeObtention IS NULL) AND ";

// Année, mois, valeur et nombre de mesures ; pour une moyenne, une mesure ou non
// dans chaque décade (un total les compte, ce qui coûte deux fois moins).
OrdreSql ordreMensuel(const GenreBulletin& g, const NomVerifie& table, const NomVerifie& colonne)
{
    const OrdreSql jour = "Day(DateCreation)";
    const OrdreSql decades = g.total ? OrdreSql()
                                     : ", Max(IIf(" + jour + "<=10, 1, 0)), Max(IIf(" + jour + ">10 AND " + jour
            + "<=20, 1, 0)), Max(IIf(" + jour + ">20, 1, 0))";
    return "SELECT Year(DateCreation), Month(DateCreation), " + OrdreSql(g.total ? "Sum(" : "Avg(") + colonne + "), Count("
        + colonne + ")" + decades + " FROM " + table + mesuresRetenues + colonne
        + " IS NOT NULL GROUP BY Year(DateCreation), Month(DateCreation)";
}

bool complet(const GenreBulletin& g, int annee, int mois, int mesures, bool d1, bool d2, bool d3)
{
    if (g.total)
        return mesures >= QDate(annee, mois, 1).daysInMonth();
    return d1 && d2 && d3;
}

// La table et la colonne des mesures d'une station, vérifiées avant d'entrer dans un ordre.
std::optional<std::pair<NomVerifie, NomVerifie>> tableEtColonne(const GenreBulletin& g, const QString& code)
{
    const GenreStation& genre = GenresStation::de(g.genre);
    const auto table = NomVerifie::table(genre.prefixe(), code);
    const auto colonne = NomVerifie::depuis(QString::fromLatin1(genre.colonneMesure));
    if (!table || !colonne)
        return std::nullopt;
    return std::pair{*table, *colonne};
}

} // namespace

std::optional<ReleveMensuel> lire(BaseDonnees& base, const GenreBulletin& g, const QString& code, QString& erreur)
{
    const auto noms = tableEtColonne(g, code);
    if (!noms) {
        erreur = QStringLiteral("code de station refusé : « %1 ».").arg(code);
        return std::nullopt;
    }
    ReleveMensuel releve;
    // Une station inscrite sans table de mesures n'a pas encore de données.
    if (base.ColonnesTable(noms->first.texte()).isEmpty())
        return releve;
    TableauValeurs l;
    qint32 n = 0;
    if (!base.ExtraireRecords(ordreMensuel(g, noms->first, noms->second), l, n)) {
        erreur = QStringLiteral("lecture des mesures de %1 impossible : %2").arg(code, base.DerniereErreur());
        return std::nullopt;
    }
    const auto entier = [&l](int colonne, int r) { return int(LireNombre(l.valeur(colonne, r)).value_or(0)); };
    for (int r = 0; r < n; ++r) {
        const int annee = entier(0, r), mois = entier(1, r);
        const auto valeur = LireNombre(l.valeur(2, r));
        if (!valeur || mois < 1 || mois > 12 || annee < 1)
            continue;
        releve.ajouter(annee, mois, {*valeur, complet(g, annee, mois, entier(3, r), entier(4, r), entier(5, r), entier(6, r))});
    }
    return releve;
}

std::optional<QDate> dernierMois(BaseDonnees& base, const GenreBulletin& g, const QString& code, QDate avant)
{
    const auto noms = tableEtColonne(g, code);
    if (!noms || base.ColonnesTable(noms->first.texte()).isEmpty())
        return std::nullopt;
    TableauValeurs l;
    qint32 n = 0;
    if (!base.ExtraireRecords("SELECT Max(DateCreation) FROM " + noms->first + mesuresRetenues + noms->second
                                  + " IS NOT NULL AND DateCreation<" + LitteralDate(avant, base.typeBase()),
                              l, n)
        || n < 1)
        return std::nullopt;
    const auto dernier = DateDepuisCellule(l.valeur(0, 0));
    if (!dernier)
        return std::nullopt;
    return QDate(dernier->date().year(), dernier->date().month(), 1);
}

int moisHydrologique(BaseDonnees& base)
{
    TableauValeurs l;
    qint32 n = 0;
    if (!base.ExtraireRecords("SELECT jour FROM PERIODES WHERE Hydro='01/02/'", l, n))
        return moisHydroParDefaut;
    int premier = 13;
    for (int r = 0; r < n; ++r) {
        const QString jour = TexteCellule(l.valeur(0, r));
        const int mois = jour.mid(3, 2).toInt();
        if (mois >= 1 && mois < premier)
            premier = mois;
    }
    return premier <= 12 ? premier : moisHydroParDefaut;
}

} // namespace LectureReleves
