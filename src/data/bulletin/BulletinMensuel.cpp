#include "data/bulletin/BulletinMensuel.h"

#include "commun/EchelleNappe.h"
#include "commun/Horloge.h"
#include "data/BaseDonnees.h"
#include "data/ChargeurStatistiques.h"
#include "data/StationsBase.h"
#include "data/bulletin/CalculBulletin.h"
#include "data/bulletin/LectureReleves.h"

#include <QLocale>
#include <algorithm>

namespace {

struct StationChoisie
{
    StationBase station;
    const GenreBulletin* genre;
};

const GenreBulletin* genreDe(const StationBase& s)
{
    const auto g = GenresStation::depuisNom(s.genre);
    return g ? GenresBulletin::de(g->genre) : nullptr;
}

// Les genres qui entrent au bulletin (une courbe de référence n'y entre pas).
QList<GenreStation::Genre> genresDuBulletin()
{
    QList<GenreStation::Genre> genres;
    for (const auto g : {GenreStation::Genre::Pluvio, GenreStation::Genre::Piezo, GenreStation::Genre::Hydro, GenreStation::Genre::Reference})
        if (GenresBulletin::de(g))
            genres << g;
    return genres;
}

// Une station par genre et par code : un piézomètre du code d'un pluviomètre a sa ligne.
void ajouter(QList<StationChoisie>& choix, const StationBase& s)
{
    const GenreBulletin* g = genreDe(s);
    if (g && std::none_of(choix.cbegin(), choix.cend(), [&](const StationChoisie& c) { return c.station.code == s.code && c.genre == g; }))
        choix.append({s, g});
}

// Les stations demandées, retrouvées dans la liste, dans l'ordre de la demande ;
// sans demande, toutes celles du bulletin. Pluviomètres d'abord.
std::optional<QList<StationChoisie>> choisir(const QList<StationBase>& liste, const BulletinMensuel::Demande& d, QString& erreur)
{
    QList<StationChoisie> choix;
    if (d.stations.isEmpty())
        for (const StationBase& s : liste)
            ajouter(choix, s);
    for (const CleStation& cle : d.stations) {
        const auto s = StationsBase::trouver(liste, cle, genresDuBulletin(), erreur);
        if (!s)
            return std::nullopt;
        ajouter(choix, *s);
    }
    std::stable_sort(choix.begin(), choix.end(), [](const StationChoisie& a, const StationChoisie& b) {
        return int(a.genre->genre) < int(b.genre->genre);
    });
    return choix;
}

CalculBulletin::Normales normalesDe(BaseDonnees& base, const StationChoisie& s)
{
    if (!s.genre->normalesOfficielles)
        return {};
    return ChargeurStatistiques::valeursMensuelles(0, 0, s.station.code, &base, false, false, 10, QStringLiteral("Pluie"), true, true);
}

bool verifierMois(QDate mois, QString& erreur)
{
    const QDate aujourdhui = Horloge::aujourdhui();
    if (mois.isValid() && QDate(mois.year(), mois.month(), 1) <= QDate(aujourdhui.year(), aujourdhui.month(), 1))
        return true;
    erreur = QStringLiteral("le mois %1 n'est pas encore passé : le bulletin se fait sur un mois passé ou en cours.")
                 .arg(mois.toString(QStringLiteral("MM/yyyy")));
    return false;
}

std::optional<QList<StationChoisie>> stationsDemandees(BaseDonnees& base, const BulletinMensuel::Demande& d, QString& erreur)
{
    const auto liste = StationsBase::lire(&base);
    if (!liste) {
        erreur = QStringLiteral("impossible de lire la liste des stations : %1").arg(base.DerniereErreur());
        return std::nullopt;
    }
    return choisir(*liste, d, erreur);
}

// Une ligne par station ; sans demande, seules celles qui ont une mesure ce mois-là.
bool remplir(BulletinMensuel& b, BaseDonnees& base, const QList<StationChoisie>& stations, bool demandees,
             const BulletinMensuel::Progression& progression, QString& erreur)
{
    for (qsizetype i = 0; i < stations.size(); ++i) {
        const StationChoisie& s = stations[i];
        if (progression && !progression(QStringLiteral("Bulletin : %1 (%2/%3)").arg(s.station.code).arg(i + 1).arg(stations.size()),
                                        int(100 * i / stations.size()))) {
            erreur.clear();
            return false;
        }
        const auto releve = LectureReleves::lire(base, *s.genre, s.station.code, erreur);
        if (!releve)
            return false;
        LigneBulletin l = CalculBulletin(*releve, *s.genre, b.mois, b.moisHydro, normalesDe(base, s)).ligne(s.station.code, s.station.nom);
        if (s.genre->genre == GenreStation::Genre::Piezo)
            l.echelle = EchelleNappe::deStation(s.station.altitude);
        if (l.valeur || demandees)
            b.lignes.append(std::move(l));
    }
    return true;
}

std::optional<BulletinMensuel> lireBulletin(BaseDonnees& base, const BulletinMensuel::Demande& d,
                                            const BulletinMensuel::Progression& progression, QString& erreur)
{
    const auto stations = stationsDemandees(base, d, erreur);
    if (!stations)
        return std::nullopt;
    BulletinMensuel b;
    b.mois = QDate(d.mois.year(), d.mois.month(), 1);
    b.moisHydro = d.moisHydro ? d.moisHydro : LectureReleves::moisHydrologique(base);
    if (!remplir(b, base, *stations, !d.stations.isEmpty(), progression, erreur))
        return std::nullopt;
    if (std::none_of(b.lignes.cbegin(), b.lignes.cend(), [](const LigneBulletin& l) { return l.valeur.has_value(); })) {
        erreur = QStringLiteral("aucune station n'a de mesure en %1.").arg(BulletinMensuel::texteMois(b.mois));
        return std::nullopt;
    }
    return b;
}

} // namespace

std::optional<BulletinMensuel> BulletinMensuel::calculer(BaseDonnees& base, const Demande& d, const Progression& progression,
                                                         QString& erreur)
{
    if (!verifierMois(d.mois, erreur))
        return std::nullopt;
    // Toutes les stations lues au même instant : un import validé pendant le
    // bulletin n'en change pas une partie seulement.
    std::optional<BulletinMensuel> resultat;
    if (!base.LectureCoherente([&] { resultat = lireBulletin(base, d, progression, erreur); }))
        erreur = QStringLiteral("lecture de la base impossible : %1").arg(base.DerniereErreur());
    return resultat;
}

std::optional<QDate> BulletinMensuel::dernierMoisMesure(BaseDonnees& base, const QList<CleStation>& stations)
{
    QString erreur;
    Demande d;
    d.stations = stations;
    const auto choisies = stationsDemandees(base, d, erreur);
    if (!choisies)
        return std::nullopt;
    const QDate aujourdhui = Horloge::aujourdhui();
    const QDate moisCourant(aujourdhui.year(), aujourdhui.month(), 1);
    std::optional<QDate> dernier;
    for (const StationChoisie& s : *choisies)
        if (const auto m = LectureReleves::dernierMois(base, *s.genre, s.station.code, moisCourant); m && (!dernier || *m > *dernier))
            dernier = m;
    return dernier;
}

QString BulletinMensuel::texteMois(QDate mois)
{
    return QLocale(QLocale::French).toString(mois, QStringLiteral("MMMM yyyy"));
}

QString BulletinMensuel::titre() const
{
    return QStringLiteral("Situation hydrologique — ") + texteMois(mois);
}
