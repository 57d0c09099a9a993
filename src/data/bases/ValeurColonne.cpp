#include "data/bases/ValeurColonne.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Nombres.h"

#include <cmath>

namespace {

bool chiffres(const QString& t, int debut, int n, int& valeur)
{
    valeur = 0;
    for (int i = debut; i < debut + n; ++i) {
        const char16_t c = t.at(i).unicode();
        if (c < u'0' || c > u'9')
            return false;
        valeur = valeur * 10 + (c - u'0');
    }
    return true;
}

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

std::optional<QDateTime> ValeurColonne::lireIso(const QString& t)
{
    if (t.size() < 10 || t.at(4) != u'-' || t.at(7) != u'-')
        return std::nullopt;
    int a, m, j;
    if (!chiffres(t, 0, 4, a) || !chiffres(t, 5, 2, m) || !chiffres(t, 8, 2, j))
        return std::nullopt;
    const QDate date(a, m, j);
    if (!date.isValid())
        return std::nullopt;
    if (t.size() == 10)
        return DateHeure(date);
    int h, n, s;
    if (t.size() < 19 || (t.at(10) != u' ' && t.at(10) != u'T') || t.at(13) != u':' || t.at(16) != u':'
        || !chiffres(t, 11, 2, h) || !chiffres(t, 14, 2, n) || !chiffres(t, 17, 2, s))
        return std::nullopt;
    const QTime heure(h, n, s);
    if (!heure.isValid())
        return std::nullopt;
    return DateHeure(date, heure);
}

QString ValeurColonne::texteDepuisIso(const QString& texte)
{
    // Un simple jour, de loin le plus fréquent : ses caractères déplacés, sans
    // fabriquer de date (seul le jour zéro vaut minuit : laissé à la règle générale).
    if (texte.size() == 10 && texte.at(4) == u'-' && texte.at(7) == u'-' && texte != QLatin1String("1899-12-30")) {
        int a, m, j;
        if (chiffres(texte, 0, 4, a) && chiffres(texte, 5, 2, m) && chiffres(texte, 8, 2, j) && QDate::isValid(a, m, j)) {
            const QChar c[10] = {texte.at(8), texte.at(9), u'/', texte.at(5), texte.at(6), u'/',
                                 texte.at(0), texte.at(1), texte.at(2), texte.at(3)};
            return QString(c, 10);
        }
    }
    // Une heure du jour, rangée au 30/12/1899 : l'heure seule.
    if (texte.size() == 19 && texte.startsWith(QStringLiteral("1899-12-30")) && (texte.at(10) == u' ' || texte.at(10) == u'T')) {
        int h, n, s;
        if (chiffres(texte, 11, 2, h) && chiffres(texte, 14, 2, n) && chiffres(texte, 17, 2, s) && QTime::isValid(h, n, s))
            return texte.mid(11);
    }
    const auto d = lireIso(texte);
    return d ? TexteDateHeure(*d) : texte;
}
