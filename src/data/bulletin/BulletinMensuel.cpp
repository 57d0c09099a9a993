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

QString cite(const QString& texte)
{
    return QStringLiteral("« %1 »").arg(texte.left(60));
}

const GenreBulletin* genreDe(const StationBase& s)
{
    const auto g = GenresStation::depuisNom(s.genre);
    return g ? GenresBulletin::de(g->genre) : nullptr;
}

// Les stations demandées, retrouvées dans la liste ; toutes celles du bulletin sans demande.
std::optional<QList<StationChoisie>> choisir(const QList<StationBase>& liste, const QStringList& demandees, QString& erreur)
{
    QList<StationChoisie> choix;
    for (const StationBase& s : liste)
        if (const GenreBulletin* g = genreDe(s); g && (demandees.isEmpty() || demandees.contains(s.code)))
            if (std::none_of(choix.cbegin(), choix.cend(), [&s](const StationChoisie& c) { return c.station.code == s.code; }))
                choix.append({s, g});
    for (const QString& code : demandees)
        if (std::none_of(choix.cbegin(), choix.cend(), [&code](const StationChoisie& c) { return c.station.code == code; })) {
            erreur = QStringLiteral("station inconnue : %1.").arg(cite(code));
            return std::nullopt;
        }
    if (!demandees.isEmpty())
        std::stable_sort(choix.begin(), choix.end(), [&demandees](const StationChoisie& a, const StationChoisie& b) {
            return demandees.indexOf(a.station.code) < demandees.indexOf(b.station.code);
        });
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

std::optional<QList<StationChoisie>> stationsDemandees(BaseDonnees& base, const QStringList& demandees, QString& erreur)
{
    const auto liste = StationsBase::lire(&base);
    if (!liste) {
        erreur = QStringLiteral("impossible de lire la liste des stations : %1").arg(base.DerniereErreur());
        return std::nullopt;
    }
    return choisir(*liste, demandees, erreur);
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

} // namespace

std::optional<BulletinMensuel> BulletinMensuel::calculer(BaseDonnees& base, const Demande& d, const Progression& progression,
                                                         QString& erreur)
{
    if (!verifierMois(d.mois, erreur))
        return std::nullopt;
    const auto stations = stationsDemandees(base, d.stations, erreur);
    if (!stations)
        return std::nullopt;
    BulletinMensuel b;
    b.mois = QDate(d.mois.year(), d.mois.month(), 1);
    b.moisHydro = d.moisHydro ? d.moisHydro : LectureReleves::moisHydrologique(base);
    if (!remplir(b, base, *stations, !d.stations.isEmpty(), progression, erreur))
        return std::nullopt;
    if (std::none_of(b.lignes.cbegin(), b.lignes.cend(), [](const LigneBulletin& l) { return l.valeur.has_value(); })) {
        erreur = QStringLiteral("aucune station n'a de mesure en %1.").arg(texteMois(b.mois));
        return std::nullopt;
    }
    return b;
}

std::optional<QDate> BulletinMensuel::dernierMoisMesure(BaseDonnees& base, const QStringList& stations)
{
    QString erreur;
    const auto choisies = stationsDemandees(base, stations, erreur);
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
