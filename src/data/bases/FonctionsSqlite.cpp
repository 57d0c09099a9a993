// Les fonctions de la formulation Access que les ordres traduits appellent sous SQLite
// (acces_cvdate, acces_joindre, …), calculées par les règles de commun/.
#include "data/bases/FonctionsSqlite.h"

#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "data/bases/ValeurColonne.h"

#include <QDateTime>
#include <QString>
#include <charconv>
#include <cmath>
#include <cstring>
#include <sqlite3.h>

namespace {


QString texteArgument(sqlite3_value* v)
{
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return t ? QString::fromUtf8(t, sqlite3_value_bytes(v)) : QString();
}

void resultatTexte(sqlite3_context* ctx, const QString& texte)
{
    const QByteArray u = texte.toUtf8();
    sqlite3_result_text(ctx, u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

void resultatErreur(sqlite3_context* ctx, const QString& texte)
{
    const QByteArray u = texte.toUtf8();
    sqlite3_result_error(ctx, u.constData(), int(u.size()));
}

bool estNul(sqlite3_value* v)
{
    return sqlite3_value_type(v) == SQLITE_NULL;
}

bool estNombre(sqlite3_value* v)
{
    const int t = sqlite3_value_type(v);
    return t == SQLITE_INTEGER || t == SQLITE_FLOAT;
}

// Un argument date : texte ISO rangé, texte de cellule, ou jours depuis le jour 0.
std::optional<QDateTime> dateArgument(sqlite3_value* v)
{
    if (estNombre(v)) {
        QString e;
        const auto d = ValeurColonne::convertir(sqlite3_value_double(v), TypeColonne::DateHeure, e);
        if (d && d->isValid())
            return d->toDateTime();
        return std::nullopt;
    }
    const QString t = texteArgument(v);
    if (const auto iso = ValeurColonne::lireIso(t))
        return iso;
    return ConvertirEnDate(t);
}

std::optional<double> nombreArgument(sqlite3_value* v)
{
    if (estNombre(v))
        return sqlite3_value_double(v);
    return LireNombre(texteArgument(v));
}

// "DD/MM/YYYY" lu octet par octet : le texte que les cumuls construisent.
bool cvdateRapide(sqlite3_context* ctx, sqlite3_value* v)
{
    if (sqlite3_value_type(v) != SQLITE_TEXT || sqlite3_value_bytes(v) != 10)
        return false;
    const auto* t = reinterpret_cast<const unsigned char*>(sqlite3_value_text(v));
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (t[i] < '0' || t[i] > '9')
            return false;
    if (t[2] != '/' || t[5] != '/')
        return false;
    const int j = (t[0] - '0') * 10 + (t[1] - '0'), m = (t[3] - '0') * 10 + (t[4] - '0');
    const int an = (t[6] - '0') * 1000 + (t[7] - '0') * 100 + (t[8] - '0') * 10 + (t[9] - '0');
    if (an < 100 || !QDate::isValid(an, m, j))
        return false;
    const char iso[10] = {char(t[6]), char(t[7]), char(t[8]), char(t[9]), '-', char(t[3]), char(t[4]), '-',
                          char(t[0]), char(t[1])};
    sqlite3_result_text(ctx, iso, 10, SQLITE_TRANSIENT);
    return true;
}

void cvdate(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (estNul(a[0]))
        return sqlite3_result_null(ctx);
    if (cvdateRapide(ctx, a[0]))
        return;
    const auto d = dateArgument(a[0]);
    if (!d)
        return resultatErreur(ctx, QStringLiteral("Conversion en date impossible : « %1 »").arg(texteArgument(a[0])));
    resultatTexte(ctx, ValeurColonne::iso(*d));
}

void texteDate(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (estNul(a[0]))
        return sqlite3_result_null(ctx);
    const auto d = dateArgument(a[0]);
    resultatTexte(ctx, d ? TexteDateHeure(*d) : texteArgument(a[0]));
}

void texteNombre(sqlite3_context* ctx, int, sqlite3_value** a)
{
    switch (sqlite3_value_type(a[0])) {
    case SQLITE_NULL:
        return sqlite3_result_null(ctx);
    case SQLITE_INTEGER:
        return resultatTexte(ctx, QString::number(sqlite3_value_int64(a[0])));
    case SQLITE_FLOAT:
        return resultatTexte(ctx, TexteNombre(sqlite3_value_double(a[0])));
    default:
        return resultatTexte(ctx, texteArgument(a[0]));
    }
}

void nombre(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (estNul(a[0]))
        return sqlite3_result_null(ctx);
    if (estNombre(a[0]))
        return sqlite3_result_value(ctx, a[0]);
    const QString t = texteArgument(a[0]);
    if (t.trimmed().isEmpty())
        return sqlite3_result_null(ctx);
    const auto x = LireNombre(t);
    if (!x)
        return resultatErreur(ctx, QStringLiteral("Conversion en nombre impossible : « %1 »").arg(t));
    sqlite3_result_double(ctx, *x);
}

void cint(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (estNul(a[0]))
        return sqlite3_result_null(ctx);
    const auto x = nombreArgument(a[0]);
    if (!x || std::fabs(*x) > 9e15)
        return resultatErreur(ctx, QStringLiteral("Conversion en entier impossible : « %1 »").arg(texteArgument(a[0])));
    sqlite3_result_int64(ctx, sqlite3_int64(Round(*x, 0)));
}

void val(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (estNul(a[0]))
        return sqlite3_result_double(ctx, 0.0);
    if (estNombre(a[0]))
        return sqlite3_result_double(ctx, sqlite3_value_double(a[0]));
    sqlite3_result_double(ctx, Val(texteArgument(a[0])));
}

void entierInferieur(sqlite3_context* ctx, int, sqlite3_value** a)
{
    const auto x = estNul(a[0]) ? std::nullopt : nombreArgument(a[0]);
    if (!x)
        return sqlite3_result_null(ctx);
    sqlite3_result_double(ctx, Int(*x));
}

void partieEntiere(sqlite3_context* ctx, int, sqlite3_value** a)
{
    const auto x = estNul(a[0]) ? std::nullopt : nombreArgument(a[0]);
    if (!x)
        return sqlite3_result_null(ctx);
    sqlite3_result_double(ctx, Fix(*x));
}

void puissance(sqlite3_context* ctx, int, sqlite3_value** a)
{
    const auto x = estNul(a[0]) ? std::nullopt : nombreArgument(a[0]);
    const auto y = estNul(a[1]) ? std::nullopt : nombreArgument(a[1]);
    if (!x || !y)
        return sqlite3_result_null(ctx);
    sqlite3_result_double(ctx, std::pow(*x, *y));
}

void instr(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (estNul(a[0]) || estNul(a[1]) || estNul(a[2]))
        return sqlite3_result_null(ctx);
    const qint64 debut = sqlite3_value_int64(a[0]);
    if (debut < 1)
        return resultatErreur(ctx, QStringLiteral("Instr : position de départ avant 1"));
    const QString texte = texteArgument(a[1]);
    const QString cherche = texteArgument(a[2]);
    if (debut > texte.size())
        return sqlite3_result_int(ctx, 0);
    if (cherche.isEmpty())
        return sqlite3_result_int64(ctx, debut);
    sqlite3_result_int64(ctx, texte.indexOf(cherche, debut - 1) + 1);
}

void ajouterJours(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (estNul(a[0]) || estNul(a[1]))
        return sqlite3_result_null(ctx);
    const auto d = dateArgument(a[0]);
    const auto n = nombreArgument(a[1]);
    if (!d || !n)
        return resultatErreur(ctx, QStringLiteral("Date ou nombre de jours impossible"));
    resultatTexte(ctx, ValeurColonne::iso(d->addSecs(qint64(std::llround(*n * 86400.0)))));
}

void format(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (estNul(a[0]))
        return sqlite3_result_null(ctx);
    const auto x = nombreArgument(a[0]);
    if (!x)
        return resultatErreur(ctx, QStringLiteral("Format : nombre impossible"));
    resultatTexte(ctx, FormatNombre(*x, texteArgument(a[1])));
}

void formatDate(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (estNul(a[0]))
        return sqlite3_result_null(ctx);
    const auto d = dateArgument(a[0]);
    if (!d)
        return resultatErreur(ctx, QStringLiteral("Format : date impossible"));
    resultatTexte(ctx, FormatDate(*d, texteArgument(a[1])));
}

// Les textes de cellule de toutes les valeurs, joints ; NULL compte pour ''.
void joindre(sqlite3_context* ctx, int n, sqlite3_value** a)
{
    QByteArray t;
    for (int i = 0; i < n; ++i) {
        switch (sqlite3_value_type(a[i])) {
        case SQLITE_NULL:
            break;
        case SQLITE_INTEGER: {
            char chiffres[24];
            const auto r = std::to_chars(chiffres, chiffres + sizeof chiffres, sqlite3_value_int64(a[i]));
            t.append(chiffres, int(r.ptr - chiffres));
            break;
        }
        case SQLITE_FLOAT:
            t.append(TexteNombre(sqlite3_value_double(a[i])).toUtf8());
            break;
        default:
            t.append(reinterpret_cast<const char*>(sqlite3_value_text(a[i])), sqlite3_value_bytes(a[i]));
        }
    }
    sqlite3_result_text(ctx, t.constData(), int(t.size()), SQLITE_TRANSIENT);
}

// "DD/MM/" d'une date, lu directement dans le texte ISO rangé.
void jourMois(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (estNul(a[0]))
        return sqlite3_result_null(ctx);
    if (sqlite3_value_type(a[0]) == SQLITE_TEXT && sqlite3_value_bytes(a[0]) >= 10) {
        const auto* d = reinterpret_cast<const char*>(sqlite3_value_text(a[0]));
        if (d[4] == '-' && d[7] == '-') {
            const char j[6] = {d[8], d[9], '/', d[5], d[6], '/'};
            return sqlite3_result_text(ctx, j, 6, SQLITE_TRANSIENT);
        }
    }
    const auto d = dateArgument(a[0]);
    if (!d)
        return sqlite3_result_null(ctx);
    resultatTexte(ctx, FormatDate(*d, QStringLiteral("dd/mm/")));
}

struct Fonction
{
    const char* nom;
    int arguments;
    void (*corps)(sqlite3_context*, int, sqlite3_value**);
};

const Fonction fonctions[] = {
    {"acces_cvdate", 1, cvdate},          {"acces_texte_date", 1, texteDate},
    {"acces_texte_nombre", 1, texteNombre}, {"acces_nombre", 1, nombre},
    {"acces_cint", 1, cint},              {"acces_val", 1, val},
    {"acces_int", 1, entierInferieur},    {"acces_fix", 1, partieEntiere},
    {"acces_puissance", 2, puissance},    {"acces_instr", 3, instr},
    {"acces_ajouter_jours", 2, ajouterJours}, {"acces_format", 2, format},
    {"acces_format_date", 2, formatDate},   {"acces_joindre", -1, joindre},
    {"acces_jour_mois", 1, jourMois},
};

} // namespace

void FonctionsSqlite::installer(sqlite3* base)
{
    for (const Fonction& f : fonctions)
        sqlite3_create_function_v2(base, f.nom, f.arguments, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr, f.corps,
                                   nullptr, nullptr, nullptr);
}
