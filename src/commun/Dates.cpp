#include "commun/Dates.h"

#include "commun/Cellule.h"

#include "commun/Nombres.h"

#include <QHash>
#include <QLocale>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {

bool chiffres(const QString& t, int debut, int n, int& valeur)
{
    valeur = 0;
    for (int i = debut; i < debut + n; ++i) {
        const QChar c = t.at(i);
        if (c < u'0' || c > u'9')
            return false;
        valeur = valeur * 10 + (c.unicode() - u'0');
    }
    return true;
}

qint64 divisionPlancher(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

const std::array<QString, 12> moisAxe = {
    QStringLiteral("Jan"), QStringLiteral("Fev"), QStringLiteral("Mar"), QStringLiteral("Avr"),
    QStringLiteral("Mai"), QStringLiteral("Jui"), QStringLiteral("Jui"), QStringLiteral("Aou"),
    QStringLiteral("Sep"), QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};

const std::array<QString, 12> moisNoms = {
    QStringLiteral("Janvier"), QStringLiteral("Février"), QStringLiteral("Mars"),
    QStringLiteral("Avril"), QStringLiteral("Mai"), QStringLiteral("Juin"),
    QStringLiteral("Juillet"), QStringLiteral("Aout"), QStringLiteral("Septembre"),
    QStringLiteral("Octobre"), QStringLiteral("Novembre"), QStringLiteral("Décembre")};

// Les mois abrégés des motifs "mmm", en français comme tout ce que lit l'utilisateur.
const std::array<QString, 12> moisCourts = {
    QStringLiteral("janv"), QStringLiteral("févr"), QStringLiteral("mars"), QStringLiteral("avr"),
    QStringLiteral("mai"), QStringLiteral("juin"), QStringLiteral("juil"), QStringLiteral("août"),
    QStringLiteral("sept"), QStringLiteral("oct"), QStringLiteral("nov"), QStringLiteral("déc")};

const std::array<QString, 12> moisLongs = {
    QStringLiteral("janvier"), QStringLiteral("février"), QStringLiteral("mars"),
    QStringLiteral("avril"), QStringLiteral("mai"), QStringLiteral("juin"),
    QStringLiteral("juillet"), QStringLiteral("août"), QStringLiteral("septembre"),
    QStringLiteral("octobre"), QStringLiteral("novembre"), QStringLiteral("décembre")};

const std::array<QString, 7> joursCourts = {
    QStringLiteral("lun"), QStringLiteral("mar"), QStringLiteral("mer"), QStringLiteral("jeu"),
    QStringLiteral("ven"), QStringLiteral("sam"), QStringLiteral("dim")};

const std::array<QString, 7> joursLongs = {
    QStringLiteral("lundi"), QStringLiteral("mardi"), QStringLiteral("mercredi"),
    QStringLiteral("jeudi"), QStringLiteral("vendredi"), QStringLiteral("samedi"),
    QStringLiteral("dimanche")};

QString deuxChiffres(int n)
{
    n = ((n % 100) + 100) % 100;
    const QChar c[2] = {QChar(u'0' + n / 10), QChar(u'0' + n % 10)};
    return QString(c, 2);
}

QString quatreChiffres(int n)
{
    n = ((n % 10000) + 10000) % 10000;
    const QChar c[4] = {QChar(u'0' + n / 1000), QChar(u'0' + n / 100 % 10), QChar(u'0' + n / 10 % 10),
                        QChar(u'0' + n % 10)};
    return QString(c, 4);
}

struct Jeton
{
    QChar lettre;  // lettre en minuscule, ou nulle pour un texte tel quel
    int longueur;
    QString texte;
};

QList<Jeton> analyserMotif(const QString& motif)
{
    QList<Jeton> jetons;
    for (int i = 0; i < motif.size();) {
        const QChar c = motif.at(i);
        if (c == u'"') {
            const int fin = motif.indexOf(u'"', i + 1);
            const int stop = fin < 0 ? motif.size() : fin;
            jetons.append({QChar(), 0, motif.mid(i + 1, stop - i - 1)});
            i = stop + 1;
            continue;
        }
        if (c == u'\\' && i + 1 < motif.size()) {
            jetons.append({QChar(), 0, QString(motif.at(i + 1))});
            i += 2;
            continue;
        }
        const QChar l = c.toLower();
        if (l == u'd' || l == u'm' || l == u'y' || l == u'q' || l == u'h' || l == u'n' || l == u's') {
            int n = 1;
            while (i + n < motif.size() && motif.at(i + n).toLower() == l)
                ++n;
            jetons.append({l, n, QString()});
            i += n;
            continue;
        }
        jetons.append({QChar(), 0, QString(c)});
        ++i;
    }
    return jetons;
}

// Les motifs sont peu nombreux et servent à chaque point : chacun est analysé une fois.
const QList<Jeton>& jetonsDuMotif(const QString& motif)
{
    thread_local QHash<QString, QList<Jeton>> analyses;
    auto it = analyses.find(motif);
    if (it == analyses.end()) {
        if (analyses.size() > 256)
            analyses.clear();
        it = analyses.insert(motif, analyserMotif(motif));
    }
    return *it;
}

} // namespace

std::optional<QDate> LireDate(const QString& texte)
{
    if (texte.size() != 10 || texte.at(2) != u'/' || texte.at(5) != u'/')
        return std::nullopt;
    int j, m, a;
    if (!chiffres(texte, 0, 2, j) || !chiffres(texte, 3, 2, m) || !chiffres(texte, 6, 4, a))
        return std::nullopt;
    const QDate d(a, m, j);
    if (!d.isValid() || a < 100)
        return std::nullopt;
    return d;
}

std::optional<QTime> LireHeure(const QString& texte)
{
    if (texte.size() != 8 || texte.at(2) != u':' || texte.at(5) != u':')
        return std::nullopt;
    int h, n, s;
    if (!chiffres(texte, 0, 2, h) || !chiffres(texte, 3, 2, n) || !chiffres(texte, 6, 2, s))
        return std::nullopt;
    const QTime t(h, n, s);
    if (!t.isValid())
        return std::nullopt;
    return t;
}

std::optional<QDateTime> LireDateHeure(const QString& texte)
{
    if (texte.size() == 10) {
        const auto d = LireDate(texte);
        if (!d)
            return std::nullopt;
        return DateHeure(*d);
    }
    if (texte.size() != 19 || texte.at(10) != u' ')
        return std::nullopt;
    const auto d = LireDate(texte.left(10));
    const auto t = LireHeure(texte.mid(11));
    if (!d || !t)
        return std::nullopt;
    return DateHeure(*d, *t);
}

std::optional<QDateTime> DateDepuisCellule(const QVariant& cellule)
{
    switch (cellule.metaType().id()) {
    case QMetaType::QDate: {
        const QDate d = cellule.toDate();
        if (!d.isValid())
            return std::nullopt;
        return DateHeure(d);
    }
    case QMetaType::QDateTime: {
        const QDateTime dt = cellule.toDateTime();
        if (!dt.isValid())
            return std::nullopt;
        return DateHeure(dt.date(), dt.time());
    }
    case QMetaType::QTime: {
        // Une heure seule est rangée au jour zéro : ajoutée à une date, elle en donne l'instant.
        const QTime t = cellule.toTime();
        if (!t.isValid())
            return std::nullopt;
        return DateHeure(JourZero(), t);
    }
    case QMetaType::QString:
        return LireDateHeure(cellule.toString().trimmed());
    default:
        return std::nullopt;
    }
}

namespace {

// "YYYY-MM-DD" en tête de `t`.
std::optional<QDate> jourIso(const QString& t)
{
    int a, m, j;
    if (t.size() < 10 || t.at(4) != u'-' || t.at(7) != u'-' || !chiffres(t, 0, 4, a) || !chiffres(t, 5, 2, m)
        || !chiffres(t, 8, 2, j))
        return std::nullopt;
    const QDate date(a, m, j);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

// " hh:mm:ss" ou "Thh:mm:ss" après la date.
std::optional<QTime> heureIso(const QString& t)
{
    int h, n, s;
    if (t.size() < 19 || (t.at(10) != u' ' && t.at(10) != u'T') || t.at(13) != u':' || t.at(16) != u':'
        || !chiffres(t, 11, 2, h) || !chiffres(t, 14, 2, n) || !chiffres(t, 17, 2, s))
        return std::nullopt;
    const QTime heure(h, n, s);
    return heure.isValid() ? std::optional<QTime>(heure) : std::nullopt;
}

} // namespace

std::optional<QDateTime> LireDateHeureIso(const QString& t)
{
    const auto date = jourIso(t);
    if (!date)
        return std::nullopt;
    if (t.size() == 10)
        return DateHeure(*date);
    const auto heure = heureIso(t);
    return heure ? std::optional<QDateTime>(DateHeure(*date, *heure)) : std::nullopt;
}

QTime HeureDepuisCellule(const QVariant& cellule)
{
    if (cellule.typeId() == QMetaType::QString)
        if (const auto iso = LireDateHeureIso(cellule.toString()))
            return iso->time();
    if (const auto d = DateDepuisCellule(cellule))
        return d->time();
    return LireHeure(TexteCellule(cellule)).value_or(QTime(0, 0));
}

bool EstDate(const QVariant& cellule)
{
    return DateDepuisCellule(cellule).has_value();
}

QDateTime DateHeure(const QDate& date, const QTime& heure)
{
    return QDateTime(date, heure, Qt::UTC);
}

std::optional<QDateTime> DateEtHeure(const QVariant& date, const QVariant& heure)
{
    const auto d = DateDepuisCellule(date);
    if (!d)
        return std::nullopt;
    QTime t(0, 0);
    if (heure.metaType().id() == QMetaType::QTime && heure.toTime().isValid())
        t = heure.toTime();
    else if (const auto lue = LireHeure(heure.toString().trimmed()))
        t = *lue;
    return DateHeure(d->date(), t);
}

qint64 DateDiff(Intervalle intervalle, const QDateTime& d1, const QDateTime& d2)
{
    if (!d1.isValid() || !d2.isValid())
        return 0;
    const QDate a = d1.date(), b = d2.date();
    switch (intervalle) {
    case Intervalle::Annee:
        return b.year() - a.year();
    case Intervalle::Trimestre:
        return qint64(b.year() - a.year()) * 4 + ((b.month() - 1) / 3 - (a.month() - 1) / 3);
    case Intervalle::Mois:
        return qint64(b.year() - a.year()) * 12 + (b.month() - a.month());
    case Intervalle::Jour:
        return a.daysTo(b);
    case Intervalle::Heure:
    case Intervalle::Minute:
    case Intervalle::Seconde: {
        const qint64 unite = intervalle == Intervalle::Heure ? 3600 : intervalle == Intervalle::Minute ? 60 : 1;
        return divisionPlancher(d2.toSecsSinceEpoch(), unite) - divisionPlancher(d1.toSecsSinceEpoch(), unite);
    }
    }
    return 0;
}

qint64 DateDiff(Intervalle intervalle, const QDate& d1, const QDate& d2)
{
    return DateDiff(intervalle, DateHeure(d1), DateHeure(d2));
}

QDateTime DateAdd(Intervalle intervalle, double nombre, const QDateTime& d)
{
    // Au-delà de ces écarts, aucune date ne reste entre les années 100 et 9999 ;
    // la borne évite aussi un nombre trop grand pour un entier.
    constexpr double ecartMax = 1e4 * 366 * 86400;
    if (!d.isValid() || !std::isfinite(nombre) || std::fabs(nombre) > ecartMax)
        return QDateTime();
    const qint64 n = static_cast<qint64>(Round(nombre, 0));
    if (intervalle != Intervalle::Seconde && intervalle != Intervalle::Minute && intervalle != Intervalle::Heure
        && std::llabs(n) > 4000000)
        return QDateTime();
    QDateTime r;
    switch (intervalle) {
    case Intervalle::Annee:
        r = d.addYears(int(n));
        break;
    case Intervalle::Trimestre:
        r = d.addMonths(int(n * 3));
        break;
    case Intervalle::Mois:
        r = d.addMonths(int(n));
        break;
    case Intervalle::Jour:
        r = d.addDays(n);
        break;
    case Intervalle::Heure:
        r = d.addSecs(n * 3600);
        break;
    case Intervalle::Minute:
        r = d.addSecs(n * 60);
        break;
    case Intervalle::Seconde:
        r = d.addSecs(n);
        break;
    }
    if (r.isValid() && (r.date().year() < 100 || r.date().year() > 9999))
        return QDateTime();
    return r;
}

QDate DateAdd(Intervalle intervalle, double nombre, const QDate& d)
{
    return DateAdd(intervalle, nombre, DateHeure(d)).date();
}

namespace {

QString enChiffres(int valeur, int longueur)
{
    return longueur == 1 ? QString::number(valeur) : deuxChiffres(valeur);
}

QString partieJour(const QDate& date, int longueur)
{
    switch (longueur) {
    case 1:
    case 2:
        return enChiffres(date.day(), longueur);
    case 3:
        return joursCourts[date.dayOfWeek() - 1];
    case 4:
        return joursLongs[date.dayOfWeek() - 1];
    default:
        return TexteDate(date);
    }
}

QString partieMois(const QDate& date, int longueur)
{
    if (longueur <= 2)
        return enChiffres(date.month(), longueur);
    return longueur == 3 ? moisCourts[date.month() - 1] : moisLongs[date.month() - 1];
}

QString partieAnnee(const QDate& date, int longueur)
{
    if (longueur == 1)
        return QString::number(date.dayOfYear());
    return longueur < 4 ? deuxChiffres(date.year() % 100) : quatreChiffres(date.year());
}

// « m » ou « mm » sont des minutes après une heure ou devant des secondes.
bool desMinutes(const QList<Jeton>& jetons, int k, QChar precedent)
{
    if (jetons.at(k).longueur > 2)
        return false;
    if (precedent == u'h')
        return true;
    for (int s = k + 1; s < jetons.size(); ++s)
        if (!jetons.at(s).lettre.isNull())
            return jetons.at(s).lettre == u's';
    return false;
}

QString partieDuJeton(const QDateTime& d, const QList<Jeton>& jetons, int k, QChar precedent)
{
    const Jeton& j = jetons.at(k);
    const QDate date = d.date();
    const QTime heure = d.time();
    switch (j.lettre.unicode()) {
    case u'd':
        return partieJour(date, j.longueur);
    case u'm':
        return desMinutes(jetons, k, precedent) ? enChiffres(heure.minute(), j.longueur) : partieMois(date, j.longueur);
    case u'y':
        return partieAnnee(date, j.longueur);
    case u'q':
        return QString::number((date.month() - 1) / 3 + 1);
    case u'h':
        return enChiffres(heure.hour(), j.longueur);
    case u'n':
        return enChiffres(heure.minute(), j.longueur);
    case u's':
        return enChiffres(heure.second(), j.longueur);
    default:
        return QString();
    }
}

} // namespace

QString FormatDate(const QDateTime& d, const QString& motif)
{
    if (!d.isValid())
        return QString();
    const QList<Jeton>& jetons = jetonsDuMotif(motif);
    QString sortie;
    sortie.reserve(motif.size() + 8);
    QChar precedent;  // dernière lettre de date ou d'heure rencontrée
    for (int k = 0; k < jetons.size(); ++k) {
        const Jeton& j = jetons.at(k);
        if (j.lettre.isNull()) {
            sortie += j.texte;
            continue;
        }
        sortie += partieDuJeton(d, jetons, k, precedent);
        precedent = j.lettre;
    }
    return sortie;
}

QString FormatDate(const QDate& d, const QString& motif)
{
    return FormatDate(DateHeure(d), motif);
}

namespace {

// Nombre entier de 1 à `max` chiffres depuis `i` ; avance `i`.
bool nombreLu(const QString& t, int& i, int max, int& valeur)
{
    const int debut = i;
    valeur = 0;
    while (i < t.size() && i - debut < max && t.at(i) >= u'0' && t.at(i) <= u'9')
        valeur = valeur * 10 + (t.at(i++).unicode() - u'0');
    return i > debut && (i == t.size() || t.at(i) < u'0' || t.at(i) > u'9');
}

bool separateur(const QString& t, int& i, QChar c)
{
    if (i < t.size() && t.at(i) == c) {
        ++i;
        return true;
    }
    return false;
}

// "h:nn" ou "h:nn:ss" de `i` à la fin.
std::optional<QTime> heureSouple(const QString& t, int i)
{
    int h, n, s = 0;
    if (!nombreLu(t, i, 2, h) || !separateur(t, i, u':') || !nombreLu(t, i, 2, n))
        return std::nullopt;
    if (separateur(t, i, u':') && !nombreLu(t, i, 2, s))
        return std::nullopt;
    if (i != t.size())
        return std::nullopt;
    const QTime heure(h, n, s);
    if (!heure.isValid())
        return std::nullopt;
    return heure;
}

} // namespace

std::optional<QDateTime> ConvertirEnDate(const QString& texte)
{
    const QString t = texte.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    int i = 0;
    int a, b, c;
    if (!nombreLu(t, i, 4, a))
        return std::nullopt;
    if (i < t.size() && t.at(i) == u':') {
        const auto h = heureSouple(t, 0);
        if (!h)
            return std::nullopt;
        return DateHeure(JourZero(), *h);
    }
    QDate date;
    if (i == 4 && separateur(t, i, u'-')) {
        if (!nombreLu(t, i, 2, b) || !separateur(t, i, u'-') || !nombreLu(t, i, 2, c))
            return std::nullopt;
        date = QDate(a, b, c);
    } else {
        if (i > 2 || !separateur(t, i, u'/') || !nombreLu(t, i, 2, b) || !separateur(t, i, u'/'))
            return std::nullopt;
        const int debutAnnee = i;
        if (!nombreLu(t, i, 4, c) || i - debutAnnee != 4 || c < 100)
            return std::nullopt;
        date = QDate(c, b, a);
        if (!date.isValid())
            date = QDate(c, a, b);
    }
    if (!date.isValid())
        return std::nullopt;
    if (i == t.size())
        return DateHeure(date);
    int blancs = i;
    while (blancs < t.size() && t.at(blancs) == u' ')
        ++blancs;
    if (blancs == i)
        return std::nullopt;
    const auto h = heureSouple(t, blancs);
    if (!h)
        return std::nullopt;
    return DateHeure(date, *h);
}

QDate JourZero()
{
    return QDate(1899, 12, 30);
}

QString TexteDateHeure(const QDateTime& d)
{
    if (!d.isValid())
        return QString();
    if (d.date() == JourZero())
        return TexteHeure(d.time());
    if (d.time() == QTime(0, 0))
        return TexteDate(d.date());
    return TexteDate(d.date()) + u' ' + TexteHeure(d.time());
}

QString TexteDate(const QDate& d)
{
    if (!d.isValid())
        return QString();
    return deuxChiffres(d.day()) + u'/' + deuxChiffres(d.month()) + u'/' + quatreChiffres(d.year());
}

QString TexteHeure(const QTime& t)
{
    if (!t.isValid())
        return QString();
    return deuxChiffres(t.hour()) + u':' + deuxChiffres(t.minute()) + u':' + deuxChiffres(t.second());
}

QString MoisAbrege(int mois)
{
    if (mois < 1 || mois > 12)
        return QString();
    return moisAxe[mois - 1];
}

QString NomMois(int mois)
{
    if (mois < 1 || mois > 12)
        return QString();
    return moisNoms[mois - 1];
}

QString JourEnLettres(const QDate& jour, bool avecAnnee)
{
    if (!jour.isValid())
        return QString();
    const QLocale francais(QLocale::French);
    const QString texte = (jour.day() == 1 ? QStringLiteral("1er") : QString::number(jour.day())) + u' ' + francais.monthName(jour.month());
    return avecAnnee ? texte + u' ' + QString::number(jour.year()) : texte;
}
