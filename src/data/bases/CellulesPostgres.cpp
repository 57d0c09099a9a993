#include "data/bases/CellulesPostgres.h"

#include "data/bases/Libpq.h"
#include "data/bases/ValeurColonne.h"

#include <QtEndian>
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Types de PostgreSQL (catalogue pg_type) dont la valeur change de forme.
constexpr Oid oidBool = 16, oidNom = 19, oidInt8 = 20, oidInt2 = 21, oidInt4 = 23, oidTexte = 25, oidFloat4 = 700,
              oidFloat8 = 701, oidInconnu = 705, oidCaracteres = 1042, oidVarchar = 1043, oidDate = 1082,
              oidHeure = 1083, oidTimestamp = 1114, oidTimestamptz = 1184, oidNumeric = 1700;

// Le binaire compte les jours et les microsecondes depuis le 01/01/2000.
constexpr qint64 jourJulien2000 = 2451545;
constexpr qint64 microsecondesParJour = 86400LL * 1000000;

// ------------------------------------------------------------------- texte

// Un nombre écrit par le serveur ; ce que from_chars ne lit pas entièrement passe par Qt.
qint64 entierTexte(const char* brut, int longueur)
{
    qint64 n = 0;
    const auto [fin, code] = std::from_chars(brut, brut + longueur, n);
    return code == std::errc() && fin == brut + longueur ? n : QByteArray::fromRawData(brut, longueur).toLongLong();
}

double reelTexte(const char* brut, int longueur)
{
    double x = 0;
    const auto [fin, code] = std::from_chars(brut, brut + longueur, x);
    return code == std::errc() && fin == brut + longueur ? x : QByteArray::fromRawData(brut, longueur).toDouble();
}

QVariant celluleTexte(const char* brut, int longueur, Oid type, TypeValeur attendu)
{
    switch (type) {
    case oidInt2:
    case oidInt4:
    case oidInt8:
        return entierTexte(brut, longueur);
    case oidFloat4:
    case oidFloat8:
    case oidNumeric:
        return reelTexte(brut, longueur);
    case oidBool:
        return brut[0] == 't';
    case oidDate:
    case oidTimestamp:
    case oidTimestamptz:
        return ValeurColonne::valeurDepuisIso(brut, longueur);
    default:
        break;
    }
    return attendu == TypeValeur::Date ? ValeurColonne::valeurDepuisIso(brut, longueur) : QVariant(QString::fromUtf8(brut, longueur));
}

// ----------------------------------------------------------------- binaire

template <typename T>
T lu(const char* brut)
{
    return qFromBigEndian<T>(brut);
}

// Le réel d'un float4, par son écriture la plus courte, comme le texte du serveur.
double reelFloat4(const char* brut)
{
    const float f = std::bit_cast<float>(lu<quint32>(brut));
    char tampon[32];
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, f).ptr;
    return reelTexte(tampon, int(fin - tampon));
}

// Un numeric : signe, poids et chiffres en base 10 000, récrit en décimal pour
// que le réel soit celui du texte.
double reelNumeric(const char* brut, int longueur)
{
    const int chiffres = lu<qint16>(brut), poids = lu<qint16>(brut + 2);
    const quint16 signe = lu<quint16>(brut + 4);
    if (signe == 0xC000)
        return std::numeric_limits<double>::quiet_NaN();
    if (signe == 0xD000 || signe == 0xF000)
        return signe == 0xD000 ? HUGE_VAL : -HUGE_VAL;
    if (chiffres <= 0 || longueur < 8 + 2 * chiffres)
        return 0.0;
    std::string texte = signe == 0x4000 ? "-0." : "0.";
    for (int k = 0; k < chiffres; ++k) {
        const int groupe = std::clamp(int(lu<qint16>(brut + 8 + 2 * k)), 0, 9999);
        for (int diviseur = 1000; diviseur > 0; diviseur /= 10)
            texte += char('0' + groupe / diviseur % 10);
    }
    // La virgule après les poids+1 premiers groupes : la puissance de dix du 0,xxx.
    texte += 'e' + std::to_string(4 * (poids + 1));
    return reelTexte(texte.data(), int(texte.size()));
}

QDate jourDepuis2000(qint64 jours)
{
    return QDate::fromJulianDay(jourJulien2000 + jours);
}

// Les années 1 à 9999, celles qu'une date ISO de quatre chiffres écrit ; par
// le numéro du jour, sans décomposer chaque date en année, mois et jour.
bool anneeAQuatreChiffres(const QDate& jour)
{
    static const qint64 premier = QDate(1, 1, 1).toJulianDay(), dernier = QDate(9999, 12, 31).toJulianDay();
    return jour.toJulianDay() >= premier && jour.toJulianDay() <= dernier;
}

// Une date ou un instant hors du cas courant, écrit comme le serveur l'écrit en ISO.
QVariant texteInstant(const QDate& jour, const char* heure, const char* infini)
{
    if (infini)
        return QString::fromLatin1(infini);
    const int annee = jour.year();
    QString t = annee > 0 ? QString::asprintf("%04d-%02d-%02d%s", annee, jour.month(), jour.day(), heure)
                          : QString::asprintf("%04d-%02d-%02d%s BC", -annee, jour.month(), jour.day(), heure);
    const QByteArray ascii = t.toLatin1();
    return ValeurColonne::valeurDepuisIso(ascii.constData(), ascii.size());
}

QVariant dateBinaire(const char* brut)
{
    const qint32 jours = lu<qint32>(brut);
    const char* infini = jours == std::numeric_limits<qint32>::max()   ? "infinity"
                         : jours == std::numeric_limits<qint32>::min() ? "-infinity"
                                                                        : nullptr;
    const QDate jour = infini ? QDate() : jourDepuis2000(jours);
    if (!infini && anneeAQuatreChiffres(jour))
        return ValeurColonne::valeurDepuisDate(jour, std::nullopt);
    return texteInstant(jour, "", infini);
}

// "hh:mm:ss", suivi des fractions de seconde sans leurs zéros de fin, comme le serveur.
QByteArray texteHeure(qint64 microsecondes)
{
    const int s = int(microsecondes / 1000000), fraction = int(microsecondes % 1000000);
    QByteArray h = QByteArray::number(s / 3600).rightJustified(2, '0') + ':' + QByteArray::number(s / 60 % 60).rightJustified(2, '0')
        + ':' + QByteArray::number(s % 60).rightJustified(2, '0');
    if (fraction != 0) {
        QByteArray f = QByteArray::number(fraction).rightJustified(6, '0');
        while (f.endsWith('0'))
            f.chop(1);
        h += '.' + f;
    }
    return h;
}

QVariant instantBinaire(const char* brut)
{
    const qint64 us = lu<qint64>(brut);
    const char* infini = us == std::numeric_limits<qint64>::max()   ? "infinity"
                         : us == std::numeric_limits<qint64>::min() ? "-infinity"
                                                                     : nullptr;
    if (infini)
        return texteInstant(QDate(), "", infini);
    const qint64 jours = us >= 0 ? us / microsecondesParJour : -((-us + microsecondesParJour - 1) / microsecondesParJour);
    const qint64 reste = us - jours * microsecondesParJour;
    const QDate jour = jourDepuis2000(jours);
    if (reste % 1000000 == 0 && anneeAQuatreChiffres(jour)) {
        const int s = int(reste / 1000000);
        return ValeurColonne::valeurDepuisDate(jour, QTime(s / 3600, s / 60 % 60, s % 60));
    }
    return texteInstant(jour, (' ' + texteHeure(reste)).constData(), nullptr);
}

// Une heure du jour (type time) : le serveur l'écrit en texte, qui reste un texte.
QVariant heureBinaire(const char* brut, TypeValeur attendu)
{
    const QByteArray h = texteHeure(lu<qint64>(brut));
    return celluleTexte(h.constData(), int(h.size()), oidHeure, attendu);
}

QVariant celluleBinaire(const char* brut, int longueur, Oid type, TypeValeur attendu)
{
    switch (type) {
    case oidInt2:
        return qint64(lu<qint16>(brut));
    case oidInt4:
        return qint64(lu<qint32>(brut));
    case oidInt8:
        return qint64(lu<qint64>(brut));
    case oidFloat4:
        return reelFloat4(brut);
    case oidFloat8:
        return std::bit_cast<double>(lu<quint64>(brut));
    case oidNumeric:
        return reelNumeric(brut, longueur);
    case oidBool:
        return brut[0] != 0;
    case oidDate:
        return dateBinaire(brut);
    case oidTimestamp:
        return instantBinaire(brut);
    case oidHeure:
        return heureBinaire(brut, attendu);
    default:
        // Les textes ont la même forme en binaire.
        return celluleTexte(brut, longueur, type, attendu);
    }
}

struct Colonne
{
    Oid type;
    TypeValeur attendu;
    QVariant (*lire)(const char*, int, Oid, TypeValeur);
};

Colonne colonne(const pg_result* r, int c, TypeValeur attendu)
{
    return {pq().PQftype(r, c), attendu, pq().PQfformat(r, c) == 1 ? celluleBinaire : celluleTexte};
}

// Au-delà, un second fil coûte moins qu'il ne rapporte.
constexpr qsizetype celluleParFil = 100000;

// Les lignes [debut, fin) dans leurs cases, point après point.
void remplir(const pg_result* r, const std::vector<Colonne>& colonnes, int debut, int fin, QVariant* sortie)
{
    const int champs = int(colonnes.size());
    for (int i = debut; i < fin; ++i)
        for (int c = 0; c < champs; ++c)
            if (!pq().PQgetisnull(r, i, c)) {
                const Colonne& col = colonnes[std::size_t(c)];
                sortie[qsizetype(i) * champs + c] = col.lire(pq().PQgetvalue(r, i, c), pq().PQgetlength(r, i, c), col.type, col.attendu);
            }
}

bool lisibleEnBinaire(Oid type)
{
    static constexpr Oid lisibles[] = {oidBool, oidNom,      oidInt8,       oidInt2,    oidInt4, oidTexte,     oidFloat4, oidFloat8,
                                       oidInconnu, oidCaracteres, oidVarchar, oidDate, oidHeure, oidTimestamp, oidNumeric};
    return std::find(std::begin(lisibles), std::end(lisibles), type) != std::end(lisibles);
}

} // namespace

namespace CellulesPostgres {

bool lisiblesEnBinaire(const pg_result* r)
{
    for (int c = 0; c < pq().PQnfields(r); ++c)
        if (!lisibleEnBinaire(pq().PQftype(r, c)))
            return false;
    return true;
}

QVariant cellule(const pg_result* r, int ligne, int colonne, TypeValeur attendu)
{
    if (pq().PQgetisnull(r, ligne, colonne))
        return QVariant();
    const Colonne col = ::colonne(r, colonne, attendu);
    return col.lire(pq().PQgetvalue(r, ligne, colonne), pq().PQgetlength(r, ligne, colonne), col.type, col.attendu);
}

TableauValeurs tableau(const pg_result* r, const QList<TypeValeur>& types)
{
    const int n = pq().PQntuples(r), champs = pq().PQnfields(r);
    std::vector<Colonne> colonnes;
    for (int c = 0; c < champs; ++c)
        colonnes.push_back(colonne(r, c, types.value(c, TypeValeur::Inconnu)));
    QList<QVariant> cellules(qsizetype(n) * champs);
    QVariant* sortie = cellules.data();
    // Un grand résultat (des années de mesures horaires) se lit à deux : la
    // seconde moitié des lignes sur un autre fil, le résultat n'étant que lu.
    int milieu = qsizetype(n) * champs >= celluleParFil * 2 && std::thread::hardware_concurrency() > 1 ? n / 2 : n;
    std::thread fil;
    if (milieu < n) {
        try {
            fil = std::thread(remplir, r, std::cref(colonnes), milieu, n, sortie);
        } catch (const std::system_error&) {
            milieu = n;  // pas de second fil (limite du système) : tout sur celui-ci
        }
    }
    remplir(r, colonnes, 0, milieu, sortie);
    if (fil.joinable())
        fil.join();
    return TableauValeurs(champs, n, std::move(cellules));
}

ColonnesTypees colonnes(const pg_result* r, const QList<TypeValeur>& types)
{
    const int n = pq().PQntuples(r), champs = pq().PQnfields(r);
    ColonnesTypees resultat(champs, n);
    for (int c = 0; c < champs; ++c) {
        const Colonne col = colonne(r, c, types.value(c, TypeValeur::Inconnu));
        ColonneTypee& sortie = resultat.colonne(c);
        for (int i = 0; i < n; ++i) {
            if (pq().PQgetisnull(r, i, c))
                sortie.ajouterNul();
            else
                sortie.ajouter(col.lire(pq().PQgetvalue(r, i, c), pq().PQgetlength(r, i, c), col.type, col.attendu));
        }
    }
    return resultat;
}

} // namespace CellulesPostgres
