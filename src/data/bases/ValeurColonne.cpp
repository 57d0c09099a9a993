#include "data/bases/ValeurColonne.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Nombres.h"

#include <cmath>
#include <cstring>

namespace {

std::optional<QDateTime> dateDeCellule(const QVariant& v)
{
    switch (v.metaType().id()) {
    case QMetaType::QDate:
        if (v.toDate().isValid())
            return DateHeure(v.toDate());
        return std::nullopt;
    case QMetaType::QDateTime:
        if (v.toDateTime().isValid())
            return DateHeure(v.toDateTime().date(), v.toDateTime().time());
        return std::nullopt;
    case QMetaType::QTime:
        if (v.toTime().isValid())
            return DateHeure(JourZero(), v.toTime());
        return std::nullopt;
    case QMetaType::QString:
        return ConvertirEnDate(v.toString());
    default:
        break;
    }
    // Un nombre de jours depuis le jour 0, la fraction étant l'heure du jour.
    const auto n = LireNombre(v);
    if (!n || std::fabs(*n) > 3e6)
        return std::nullopt;
    const double jours = std::floor(*n);
    const qint64 secondes = qint64(std::llround((*n - jours) * 86400.0));
    return DateHeure(JourZero()).addDays(qint64(jours)).addSecs(secondes);
}

} // namespace

std::optional<QVariant> ValeurColonne::convertir(const QVariant& cellule, TypeColonne type, QString& erreur)
{
    if (EstVide(cellule))
        return QVariant();
    switch (type) {
    case TypeColonne::Date:
    case TypeColonne::Heure:
    case TypeColonne::DateHeure: {
        const auto d = dateDeCellule(cellule);
        if (!d) {
            erreur = QStringLiteral("Date impossible : « %1 »").arg(TexteCellule(cellule));
            return std::nullopt;
        }
        return QVariant(*d);
    }
    case TypeColonne::Entier:
    case TypeColonne::Reel:
    case TypeColonne::Booleen: {
        const auto n = LireNombre(cellule);
        if (!n) {
            erreur = QStringLiteral("Nombre impossible : « %1 »").arg(TexteCellule(cellule));
            return std::nullopt;
        }
        if (type == TypeColonne::Reel)
            return QVariant(*n);
        if (*n != std::floor(*n) && type == TypeColonne::Entier) {
            const auto arrondi = CLng(*n);
            if (!arrondi) {
                erreur = QStringLiteral("Nombre entier impossible : « %1 »").arg(TexteCellule(cellule));
                return std::nullopt;
            }
            return QVariant(qint64(*arrondi));
        }
        return QVariant(qint64(*n));
    }
    case TypeColonne::Texte:
        return QVariant(TexteCellule(cellule));
    case TypeColonne::Autre:
        break;
    }
    if (cellule.metaType().id() == QMetaType::QString || cellule.metaType().id() == QMetaType::Double
        || cellule.metaType().id() == QMetaType::LongLong || cellule.metaType().id() == QMetaType::Int)
        return cellule;
    return QVariant(TexteCellule(cellule));
}

int ValeurColonne::isoAscii(const QDateTime& d, bool heureToujours, char (&t)[20])
{
    // Écrit chiffre à chiffre : chaque date écrite dans une base passe par ici.
    const QDate jour = d.date();
    const QTime heure = d.time();
    const int annee = jour.year();
    if (annee < 0 || annee > 9999)
        return 0;
    const auto deux = [&t](int position, int valeur) {
        t[position] = char('0' + valeur / 10);
        t[position + 1] = char('0' + valeur % 10);
    };
    deux(0, annee / 100);
    deux(2, annee % 100);
    t[4] = t[7] = '-';
    deux(5, jour.month());
    deux(8, jour.day());
    if (!heureToujours && heure == QTime(0, 0)) {
        t[10] = 0;
        return 10;
    }
    t[10] = ' ';
    t[13] = t[16] = ':';
    deux(11, heure.hour());
    deux(14, heure.minute());
    deux(17, heure.second());
    t[19] = 0;
    return 19;
}

QString ValeurColonne::iso(const QDateTime& d, bool heureToujours)
{
    char t[20];
    if (const int n = isoAscii(d, heureToujours, t))
        return QString::fromLatin1(t, n);
    const bool avecHeure = heureToujours || d.time() != QTime(0, 0);
    return FormatDate(d, QStringLiteral("yyyy-mm-dd")) + (avecHeure ? u' ' + TexteHeure(d.time()) : QString());
}

std::optional<QDateTime> ValeurColonne::lireCellule(const QVariant& cellule)
{
    if (cellule.typeId() == QMetaType::QString)
        if (const auto iso = lireIso(cellule.toString()))
            return iso;
    return DateDepuisCellule(cellule);
}

std::optional<QDateTime> ValeurColonne::lireIso(const QString& t)
{
    return LireDateHeureIso(t);
}

namespace {

bool chiffresAscii(const char* t, int debut, int n, int& valeur)
{
    valeur = 0;
    for (int i = debut; i < debut + n; ++i) {
        if (t[i] < '0' || t[i] > '9')
            return false;
        valeur = valeur * 10 + (t[i] - '0');
    }
    return true;
}

} // namespace

QVariant ValeurColonne::valeurDepuisIso(const char* t, qsizetype n)
{
    int a, m, j, h = 0, mi = 0, s = 0;
    const bool jour = (n == 10 || n == 19) && t[4] == '-' && t[7] == '-' && chiffresAscii(t, 0, 4, a) && chiffresAscii(t, 5, 2, m)
        && chiffresAscii(t, 8, 2, j) && QDate::isValid(a, m, j);
    const bool heure = n == 19 && (t[10] == ' ' || t[10] == 'T') && t[13] == ':' && t[16] == ':' && chiffresAscii(t, 11, 2, h)
        && chiffresAscii(t, 14, 2, mi) && chiffresAscii(t, 17, 2, s) && QTime::isValid(h, mi, s);
    if (!jour || (n == 19 && !heure))
        return QString::fromUtf8(t, n);
    return valeurDepuisDate(QDate(a, m, j), n == 19 ? std::optional<QTime>(QTime(h, mi, s)) : std::nullopt);
}

namespace {

// Le numéro julien d'un jour du calendrier grégorien valide (l'an 0 n'existe
// pas), calculé sans QDate : chaque date d'une longue série passe par ici.
std::optional<qint64> jourJulien(int a, int m, int j)
{
    static constexpr int jours[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool bissextile = a % 4 == 0 && (a % 100 != 0 || a % 400 == 0);
    if (a == 0 || m < 1 || m > 12 || j < 1 || j > jours[m - 1] + (m == 2 && bissextile ? 1 : 0))
        return std::nullopt;
    const qint64 decalage = (14 - m) / 12, y = qint64(a) + 4800 - decalage, mm = m + 12 * decalage - 3;
    return j + (153 * mm + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

// " hh:mm:ss" (ou "Thh:mm:ss") en millisecondes du jour.
std::optional<int> heureIso(const char* t)
{
    int h = 0, mi = 0, s = 0;
    if ((t[0] != ' ' && t[0] != 'T') || t[3] != ':' || t[6] != ':' || !chiffresAscii(t, 1, 2, h) || !chiffresAscii(t, 4, 2, mi)
        || !chiffresAscii(t, 7, 2, s) || h > 23 || mi > 59 || s > 59)
        return std::nullopt;
    return ((h * 60 + mi) * 60 + s) * 1000;
}

} // namespace

std::optional<qint64> ValeurColonne::jourDepuisIso(const char* t, qsizetype n)
{
    int a, m, j;
    if (n != 10 || t[4] != '-' || t[7] != '-' || !chiffresAscii(t, 0, 4, a) || !chiffresAscii(t, 5, 2, m)
        || !chiffresAscii(t, 8, 2, j))
        return std::nullopt;
    const auto jour = jourJulien(a, m, j);
    static const qint64 zero = JourZero().toJulianDay();
    return jour == zero ? std::nullopt : jour;
}

std::optional<int> ValeurColonne::heureDepuisIso(const char* t, qsizetype n)
{
    // Une heure seule est rangée au 30/12/1899.
    if ((n != 10 && n != 19) || std::memcmp(t, "1899-12-30", 10) != 0)
        return std::nullopt;
    return n == 10 ? std::optional<int>(0) : heureIso(t + 10);
}

QVariant ValeurColonne::valeurDepuisDate(const QDate& date, const std::optional<QTime>& heure)
{
    // Une heure du jour est rangée au 30/12/1899 : elle revient en heure seule.
    if (date == JourZero())
        return heure.value_or(QTime(0, 0));
    if (!heure)
        return date;
    return DateHeure(date, *heure);
}

