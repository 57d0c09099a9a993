#include "data/bases/BaseSqlite.h"

#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "data/JournalSql.h"
#include "data/bases/MessagesMoteur.h"
#include "data/bases/ValeurColonne.h"

#include <QFileInfo>
#include <charconv>
#include <cmath>
#include <sqlite3.h>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ------------------------------------------- fonctions de la formulation

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

// Un argument date : texte ISO rangé, texte du runtime, ou jours depuis le jour 0.
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

// Les textes du runtime de toutes les valeurs, joints ; NULL compte pour ''.
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

// ---------------------------------------------------------------- colonnes

TypeColonne typeDeclare(const QString& declare)
{
    const QString t = declare.toUpper();
    if (t.contains(QStringLiteral("DATETIME")) || t.contains(QStringLiteral("TIMESTAMP")))
        return TypeColonne::DateHeure;
    if (t.contains(QStringLiteral("DATE")))
        return TypeColonne::Date;
    if (t.contains(QStringLiteral("TIME")))
        return TypeColonne::Heure;
    if (t.contains(QStringLiteral("INT")))
        return TypeColonne::Entier;
    if (t.contains(QStringLiteral("CHAR")) || t.contains(QStringLiteral("CLOB")) || t.contains(QStringLiteral("TEXT")))
        return TypeColonne::Texte;
    if (t.contains(QStringLiteral("BOOL")))
        return TypeColonne::Booleen;
    if (t.contains(QStringLiteral("REAL")) || t.contains(QStringLiteral("FLOA")) || t.contains(QStringLiteral("DOUB"))
        || t.contains(QStringLiteral("NUM")) || t.contains(QStringLiteral("DEC")))
        return TypeColonne::Reel;
    return TypeColonne::Autre;
}

// Une valeur préparée par ValeurColonne, liée à la place `i` (depuis 1).
int lier(sqlite3_stmt* s, int i, const QVariant& v)
{
    switch (v.metaType().id()) {
    case QMetaType::UnknownType:
        return sqlite3_bind_null(s, i);
    case QMetaType::QDateTime:
    {
        char texte[20];
        const QDateTime d = v.toDateTime();
        if (const int n = ValeurColonne::isoAscii(d, false, texte))
            return sqlite3_bind_text(s, i, texte, n, SQLITE_TRANSIENT);
        return sqlite3_bind_text(s, i, ValeurColonne::iso(d).toUtf8().constData(), -1, SQLITE_TRANSIENT);
    }
    case QMetaType::Double:
        return sqlite3_bind_double(s, i, v.toDouble());
    case QMetaType::LongLong:
    case QMetaType::Int:
        return sqlite3_bind_int64(s, i, v.toLongLong());
    default: {
        const QByteArray u = v.toString().toUtf8();
        return sqlite3_bind_text(s, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
    }
    }
}

class Instruction
{
public:
    Instruction(sqlite3* base, const QString& sql, QString& reste)
    {
        const QByteArray u = sql.toUtf8();
        const char* fin = nullptr;
        m_code = sqlite3_prepare_v2(base, u.constData(), int(u.size()), &m_s, &fin);
        if (fin)
            reste = QString::fromUtf8(fin).trimmed();
    }
    ~Instruction() { sqlite3_finalize(m_s); }
    Instruction(const Instruction&) = delete;
    Instruction& operator=(const Instruction&) = delete;
    sqlite3_stmt* get() const { return m_s; }
    int code() const { return m_code; }

private:
    sqlite3_stmt* m_s = nullptr;
    int m_code = SQLITE_OK;
};

// Dates and times come back row after row with the same text (24 hours of
// one day, the same hours every day): each text is converted once and then
// shared by every cell that holds it.
class TextesDates
{
public:
    explicit TextesDates(int colonnes) : m_colonnes(std::size_t(colonnes)) {}

    QString texte(int colonne, const char* brut, int n)
    {
        std::uint32_t h = 2166136261u;
        for (int i = 0; i < n; ++i)
            h = (h ^ std::uint8_t(brut[i])) * 16777619u;
        auto& cases = m_colonnes[std::size_t(colonne)];
        if (cases.empty())
            cases.resize(64);
        Connu& e = cases[h & 63];
        if (e.brut.size() != std::size_t(n) || std::memcmp(e.brut.data(), brut, std::size_t(n)) != 0) {
            e.brut.assign(brut, std::size_t(n));
            e.texte = ValeurColonne::texteDepuisIso(QString::fromUtf8(brut, n));
        }
        return e.texte;
    }

private:
    struct Connu
    {
        std::string brut;
        QString texte;
    };
    std::vector<std::vector<Connu>> m_colonnes;
};

} // namespace

namespace {

// Ce qui, sans création, ne peut pas être une base ; vide quand le fichier convient.
QString defautFichier(const QString& fichier, bool creer)
{
    const QFileInfo f(fichier);
    if (!f.exists())
        return creer ? QString() : QStringLiteral("le fichier n'existe pas");
    if (f.isDir())
        return QStringLiteral("c'est un dossier, pas une base SQLite");
    if (!f.isFile())
        return QStringLiteral("ce n'est pas un fichier ordinaire (périphérique, tube…)");
    if (f.size() == 0 && !creer)
        return QStringLiteral("le fichier est vide : ce n'est pas une base SQLite");
    return QString();
}

} // namespace

std::unique_ptr<BaseSqlite> BaseSqlite::ouvrir(const QString& fichier, QString& erreur, bool creer)
{
    if (const QString defaut = defautFichier(fichier, creer); !defaut.isEmpty()) {
        erreur = defaut;
        return nullptr;
    }
    sqlite3* base = nullptr;
    // Une connexion sert un seul fil : pas de verrou à chaque appel de colonne.
    const int code = sqlite3_open_v2(QFile::encodeName(fichier).constData(), &base,
                                     SQLITE_OPEN_READWRITE | (creer ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK) {
        erreur = MessagesMoteur::sqlite(code, base ? QString::fromUtf8(sqlite3_errmsg(base)) : QString::fromUtf8(sqlite3_errstr(code)));
        sqlite3_close(base);
        return nullptr;
    }
    sqlite3_extended_result_codes(base, 1);
    sqlite3_busy_timeout(base, BaseSqlite::attenteVerrouMs);
    // Les regroupements et les tris des cumuls tiennent en mémoire.
    sqlite3_exec(base, "PRAGMA temp_store = MEMORY; PRAGMA cache_size = -32000", nullptr, nullptr, nullptr);
    // Un nom mal écrit entre guillemets doit échouer, pas devenir un texte.
    sqlite3_db_config(base, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(base, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    for (const Fonction& f : fonctions)
        sqlite3_create_function_v2(base, f.nom, f.arguments, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                   nullptr, f.corps, nullptr, nullptr, nullptr);
    // Le fichier doit vraiment être une base : la lecture de son schéma le dit.
    if (sqlite3_exec(base, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr) != SQLITE_OK) {
        erreur = MessagesMoteur::sqlite(sqlite3_extended_errcode(base), QString::fromUtf8(sqlite3_errmsg(base)));
        sqlite3_close(base);
        return nullptr;
    }
    return std::unique_ptr<BaseSqlite>(new BaseSqlite(base, fichier));
}

BaseSqlite::BaseSqlite(sqlite3* base, QString fichier)
    : m_base(base)
    , m_fichier(std::move(fichier))
    , m_traducteur(std::make_unique<TraducteurSqlite>([this](const QString& table) { return colonnesTable(table); }))
{
}

BaseSqlite::~BaseSqlite()
{
    if (EnTransaction())
        sqlite3_exec(m_base, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(m_base);
}

bool BaseSqlite::erreurSqlite(const QString& contexte)
{
    const QString message = MessagesMoteur::sqlite(sqlite3_extended_errcode(m_base), QString::fromUtf8(sqlite3_errmsg(m_base)));
    return erreur(contexte.isEmpty() ? message : contexte + QStringLiteral(" : ") + message);
}

bool BaseSqlite::lancer(const QString& sql, const QList<TypeValeur>& types, TableauValeurs* lignes)
{
    QString reste;
    Instruction s(m_base, sql, reste);
    if (s.code() != SQLITE_OK || !s.get())
        return erreurSqlite(QString());
    if (!reste.isEmpty())
        return erreur(QStringLiteral("Un seul ordre par texte : la suite est refusée"));
    const int colonnes = sqlite3_column_count(s.get());
    // Records one after the other: the very layout of the array handed back.
    // The row count is known only at the end: cells go into fixed blocks, then
    // once into the array, instead of a growing array copied again and again.
    constexpr std::size_t tailleBloc = 1 << 16;
    std::vector<std::vector<QVariant>> blocs;
    auto cellule = [&]() -> std::vector<QVariant>& {
        if (blocs.empty() || blocs.back().size() == tailleBloc) {
            blocs.emplace_back();
            blocs.back().reserve(tailleBloc);
        }
        return blocs.back();
    };
    TextesDates connus(colonnes);
    int rangs = 0;
    int code;
    while ((code = sqlite3_step(s.get())) == SQLITE_ROW) {
        if (!lignes)
            continue;
        ++rangs;
        for (int c = 0; c < colonnes; ++c) {
            switch (sqlite3_column_type(s.get(), c)) {
            case SQLITE_NULL:
                cellule().emplace_back();
                break;
            case SQLITE_INTEGER:
                cellule().emplace_back(qint64(sqlite3_column_int64(s.get(), c)));
                break;
            case SQLITE_FLOAT:
                cellule().emplace_back(sqlite3_column_double(s.get(), c));
                break;
            case SQLITE_BLOB:
                cellule().emplace_back(QByteArray(static_cast<const char*>(sqlite3_column_blob(s.get(), c)),
                                                  sqlite3_column_bytes(s.get(), c)));
                break;
            default: {
                const char* brut = reinterpret_cast<const char*>(sqlite3_column_text(s.get(), c));
                const int n = sqlite3_column_bytes(s.get(), c);
                if (c < types.size() && types[c] == TypeValeur::Date) {
                    cellule().emplace_back(connus.texte(c, brut, n));
                    break;
                }
                cellule().emplace_back(QString::fromUtf8(brut, n));
            }
            }
        }
    }
    if (code != SQLITE_DONE)
        return erreurSqlite(QString());
    if (lignes) {
        QList<QVariant> cellules = TableauValeurs::reserverCellules(qsizetype(rangs) * colonnes);
        for (std::vector<QVariant>& b : blocs) {
            for (QVariant& v : b)
                cellules.emplaceBack(std::move(v));
            std::vector<QVariant>().swap(b);
        }
        *lignes = TableauValeurs(colonnes, rangs, std::move(cellules));
    }
    return true;
}

bool BaseSqlite::transaction(Transaction quoi)
{
    // Le verrou d'écriture se prend au début : deux écrivains qui commencent
    // ensemble s'attendent (délai d'attente de la connexion) au lieu que le
    // second échoue au milieu de son travail.
    const char* sql = quoi == Transaction::Commencer ? "BEGIN IMMEDIATE" : quoi == Transaction::Valider ? "COMMIT" : "ROLLBACK";
    if (sqlite3_exec(m_base, sql, nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    erreurSqlite(QString::fromLatin1(sql));
    if (quoi == Transaction::Valider)
        sqlite3_exec(m_base, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
}

bool BaseSqlite::insererLignes(const QString& table, const QList<ColonneTable>& colonnes, const QList<QVariantList>& lignes)
{
    QStringList noms, places;
    for (const ColonneTable& c : colonnes) {
        noms << m_traducteur->identifiant(c.nom);
        places << QStringLiteral("?");
    }
    const QString sql = QStringLiteral("INSERT INTO ") + m_traducteur->identifiant(table) + QStringLiteral(" (")
        + noms.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") + places.join(QStringLiteral(", ")) + u')';
    // Toutes les lignes ou aucune.
    if (sqlite3_exec(m_base, "SAVEPOINT insertion", nullptr, nullptr, nullptr) != SQLITE_OK)
        return erreurSqlite(QStringLiteral("SAVEPOINT"));
    auto abandon = [&] {
        sqlite3_exec(m_base, "ROLLBACK TO insertion", nullptr, nullptr, nullptr);
        sqlite3_exec(m_base, "RELEASE insertion", nullptr, nullptr, nullptr);
        return false;
    };
    QString reste;
    Instruction s(m_base, sql, reste);
    if (s.code() != SQLITE_OK) {
        erreurSqlite(table);
        return abandon();
    }
    for (const QVariantList& ligne : lignes) {
        for (int c = 0; c < colonnes.size(); ++c) {
            QString message;
            const auto v = ValeurColonne::convertir(ligne[c], colonnes[c].type, message);
            if (!v) {
                erreur(QStringLiteral("%1.%2 : %3").arg(table, colonnes[c].nom, message));
                return abandon();
            }
            lier(s.get(), c + 1, *v);
        }
        if (sqlite3_step(s.get()) != SQLITE_DONE) {
            erreurSqlite(table);
            return abandon();
        }
        sqlite3_reset(s.get());
        sqlite3_clear_bindings(s.get());
    }
    if (sqlite3_exec(m_base, "RELEASE insertion", nullptr, nullptr, nullptr) != SQLITE_OK) {
        erreurSqlite(QStringLiteral("RELEASE"));
        return abandon();
    }
    return true;
}

QString BaseSqlite::typeSql(TypeColonne type) const
{
    // Dates are ISO texts: a TEXT affinity spares the numeric conversion that
    // a plain DATE column applies to each literal it is compared with.
    switch (type) {
    case TypeColonne::Date: return QStringLiteral("DATE TEXT");
    case TypeColonne::Heure: return QStringLiteral("TIME TEXT");
    case TypeColonne::DateHeure: return QStringLiteral("DATETIME TEXT");
    case TypeColonne::Entier: return QStringLiteral("INTEGER");
    case TypeColonne::Reel: return QStringLiteral("REAL");
    case TypeColonne::Texte: return QStringLiteral("TEXT");
    case TypeColonne::Booleen: return QStringLiteral("BOOLEAN");
    case TypeColonne::Autre: break;
    }
    return QString();
}

QString BaseSqlite::suffixeTableACle() const
{
    // Keyed tables are stored in key order (by date and time for the series):
    // a period is read in one pass over the table, with no lookup per row.
    return QStringLiteral(" WITHOUT ROWID");
}

bool BaseSqlite::schemaChange()
{
    int version = -1;
    QString reste;
    Instruction s(m_base, QStringLiteral("PRAGMA schema_version"), reste);
    if (s.code() == SQLITE_OK && sqlite3_step(s.get()) == SQLITE_ROW)
        version = sqlite3_column_int(s.get(), 0);
    const bool change = version != m_versionSchema;
    m_versionSchema = version;
    return change;
}

bool BaseSqlite::preparerTemporaires()
{
    // Une table de passage peut tenir des millions de lignes : sur disque,
    // avec un petit cache, plutôt qu'en mémoire comme les tris des chargements.
    if (sqlite3_exec(m_base, "PRAGMA temp_store = FILE", nullptr, nullptr, nullptr) != SQLITE_OK)
        return erreurSqlite(QStringLiteral("PRAGMA temp_store"));
    return true;
}

QList<ColonneTable> BaseSqlite::lireColonnes(const QString& table)
{
    QList<ColonneTable> colonnes;
    QString reste;
    Instruction s(m_base, QStringLiteral("SELECT name, type FROM pragma_table_info(?1) ORDER BY cid"), reste);
    if (s.code() != SQLITE_OK)
        return colonnes;
    const QByteArray nom = table.toUtf8();
    sqlite3_bind_text(s.get(), 1, nom.constData(), int(nom.size()), SQLITE_TRANSIENT);
    while (sqlite3_step(s.get()) == SQLITE_ROW) {
        ColonneTable c;
        c.nom = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0)));
        c.type = typeDeclare(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 1))));
        colonnes << c;
    }
    return colonnes;
}

bool BaseSqlite::lancerAvecValeurs(const QString& sql, const QVariantList& valeurs)
{
    QString reste;
    Instruction s(m_base, sql, reste);
    if (s.code() != SQLITE_OK)
        return erreurSqlite(QString());
    for (int i = 0; i < valeurs.size(); ++i)
        lier(s.get(), i + 1, valeurs[i]);
    if (sqlite3_step(s.get()) != SQLITE_DONE)
        return erreurSqlite(QString());
    return true;
}

bool BaseSqlite::ecrireEnregistrement(const QString& table, const QList<ColonneTable>& colonnes, const QVariantList& valeurs,
                                      QVariant& identifiant)
{
    QVariantList prets;
    for (int c = 0; c < colonnes.size(); ++c) {
        QString message;
        const auto v = ValeurColonne::convertir(valeurs.value(c), colonnes[c].type, message);
        if (!v)
            return erreur(QStringLiteral("%1.%2 : %3").arg(table, colonnes[c].nom, message));
        prets << *v;
    }
    QStringList noms, places, affectations;
    for (const ColonneTable& c : colonnes) {
        noms << m_traducteur->identifiant(c.nom);
        places << QStringLiteral("?");
        affectations << m_traducteur->identifiant(c.nom) + QStringLiteral(" = ?");
    }
    if (!identifiant.isValid()) {
        if (!lancerAvecValeurs(QStringLiteral("INSERT INTO ") + m_traducteur->identifiant(table) + QStringLiteral(" (")
                                   + noms.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (")
                                   + places.join(QStringLiteral(", ")) + u')',
                               prets))
            return false;
        identifiant = qint64(sqlite3_last_insert_rowid(m_base));
        return true;
    }
    prets << identifiant.toLongLong();
    if (!lancerAvecValeurs(QStringLiteral("UPDATE ") + m_traducteur->identifiant(table) + QStringLiteral(" SET ")
                               + affectations.join(QStringLiteral(", ")) + QStringLiteral(" WHERE rowid = ?"),
                           prets))
        return false;
    if (sqlite3_changes(m_base) != 1)
        return erreur(QStringLiteral("%1 : l'enregistrement lu n'existe plus.").arg(table));
    return true;
}
