#include "data/bases/BaseSqlite.h"

#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "data/JournalSql.h"
#include "data/bases/FonctionsSqlite.h"
#include "data/bases/MessagesMoteur.h"
#include "data/bases/ValeurColonne.h"

#include <QFileInfo>
#include <sys/stat.h>
#include <charconv>
#include <cmath>
#include <sqlite3.h>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

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
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        return sqlite3_bind_blob(s, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    }
    default: {
        const QByteArray u = v.toString().toUtf8();
        return sqlite3_bind_text(s, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
    }
    }
}

// Une colonne du résultat telle que SQLite la garde.
QVariant valeurBrute(sqlite3_stmt* s, int c)
{
    switch (sqlite3_column_type(s, c)) {
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_INTEGER:
        return qint64(sqlite3_column_int64(s, c));
    case SQLITE_FLOAT:
        return sqlite3_column_double(s, c);
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(s, c)), sqlite3_column_bytes(s, c));
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)), sqlite3_column_bytes(s, c));
    }
}

// Une colonne du résultat rangée sans cellule : les dates ISO des colonnes de
// genre Date deviennent des jours ou des heures, comme valeurDepuisIso en fait
// des QDate ou des QTime.
void ajouterValeur(sqlite3_stmt* s, int c, bool date, ColonneTypee& colonne)
{
    switch (sqlite3_column_type(s, c)) {
    case SQLITE_NULL:
        return colonne.ajouterNul();
    case SQLITE_INTEGER:
        return colonne.ajouterEntier(sqlite3_column_int64(s, c));
    case SQLITE_FLOAT:
        return colonne.ajouterReel(sqlite3_column_double(s, c));
    case SQLITE_TEXT: {
        const char* brut = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
        const int n = sqlite3_column_bytes(s, c);
        if (!date)
            return colonne.ajouterTexteUtf8(brut, n);
        if (const auto jour = ValeurColonne::jourDepuisIso(brut, n))
            return colonne.ajouterJour(*jour);
        if (const auto heure = ValeurColonne::heureDepuisIso(brut, n))
            return colonne.ajouterHeure(*heure);
        return colonne.ajouter(ValeurColonne::valeurDepuisIso(brut, n));
    }
    default:
        return colonne.ajouter(valeurBrute(s, c));
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
    return ouvrirAvec(fichier, erreur, creer, SQLITE_OPEN_READWRITE | (creer ? SQLITE_OPEN_CREATE : 0));
}

std::unique_ptr<BaseSqlite> BaseSqlite::ouvrirEnLecture(const QString& fichier, QString& erreur)
{
    return ouvrirAvec(fichier, erreur, false, SQLITE_OPEN_READONLY);
}

std::unique_ptr<BaseSqlite> BaseSqlite::ouvrirAvec(const QString& fichier, QString& erreur, bool creer, int drapeaux)
{
    if (const QString defaut = defautFichier(fichier, creer); !defaut.isEmpty()) {
        erreur = defaut;
        return nullptr;
    }
    sqlite3* base = nullptr;
    // Une connexion sert un seul fil : pas de verrou à chaque appel de colonne.
    const int code = sqlite3_open_v2(QFile::encodeName(fichier).constData(), &base, drapeaux | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK) {
        erreur = MessagesMoteur::sqlite(code, base ? QString::fromUtf8(sqlite3_errmsg(base)) : QString::fromUtf8(sqlite3_errstr(code)));
        sqlite3_close(base);
        return nullptr;
    }
    sqlite3_extended_result_codes(base, 1);
    sqlite3_busy_timeout(base, BaseSqlite::attenteVerrouMs);
    // Les regroupements et les tris des cumuls tiennent en mémoire. Le cache
    // des pages reste celui de SQLite par défaut (2 Mo) : une longue série se
    // lit d'un passage, et un grand cache la garderait en double.
    sqlite3_exec(base, "PRAGMA temp_store = MEMORY; PRAGMA cache_size = -2000", nullptr, nullptr, nullptr);
    // Un nom mal écrit entre guillemets doit échouer, pas devenir un texte.
    sqlite3_db_config(base, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(base, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    FonctionsSqlite::installer(base);
    // Le fichier doit vraiment être une base : la lecture de son schéma le dit.
    if (sqlite3_exec(base, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr) != SQLITE_OK) {
        erreur = MessagesMoteur::sqlite(sqlite3_extended_errcode(base), QString::fromUtf8(sqlite3_errmsg(base)));
        sqlite3_close(base);
        return nullptr;
    }
    return std::unique_ptr<BaseSqlite>(new BaseSqlite(base, fichier));
}

// Le fichier et son journal tels que le système les voit : un enregistrement d'un
// autre programme change leur date ou leur taille, une base remplacée son inode.
QString BaseSqlite::identiteFichier(const QString& fichier)
{
    QString marque;
    for (const QString& suffixe : {QString(), QStringLiteral("-wal")}) {
        struct stat etat {};
        if (::stat(QFile::encodeName(fichier + suffixe).constData(), &etat) != 0)
            continue;
        marque += QStringLiteral("%1.%2.%3.%4;").arg(etat.st_ino).arg(etat.st_size).arg(etat.st_mtim.tv_sec).arg(etat.st_mtim.tv_nsec);
    }
    return marque;
}

QString BaseSqlite::versionDonnees()
{
    return identiteFichier(m_fichier);
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
    ColonnesTypees colonnes;
    if (!lancerColonnes(sql, types, colonnes))
        return false;
    if (lignes)
        *lignes = colonnes.tableau();
    return true;
}

bool BaseSqlite::lancerColonnes(const QString& sql, const QList<TypeValeur>& types, ColonnesTypees& lignes)
{
    QString reste;
    Instruction s(m_base, sql, reste);
    if (s.code() != SQLITE_OK || !s.get())
        return erreurSqlite(QString());
    if (!reste.isEmpty())
        return erreur(QStringLiteral("Un seul ordre par texte : la suite est refusée"));
    const int n = sqlite3_column_count(s.get());
    ColonnesTypees resultat(n);
    std::vector<bool> dates(static_cast<std::size_t>(n));
    for (int c = 0; c < n && c < types.size(); ++c)
        dates[std::size_t(c)] = types[c] == TypeValeur::Date;
    int code;
    while ((code = sqlite3_step(s.get())) == SQLITE_ROW)
        for (int c = 0; c < n; ++c)
            ajouterValeur(s.get(), c, dates[std::size_t(c)], resultat.colonne(c));
    if (code != SQLITE_DONE)
        return erreurSqlite(QString());
    lignes = std::move(resultat);
    return true;
}

bool BaseSqlite::transaction(Transaction quoi)
{
    // Le verrou d'écriture se prend au début : deux écrivains qui commencent
    // ensemble s'attendent (délai d'attente de la connexion) au lieu que le
    // second échoue au milieu de son travail.
    static const char* const ordres[] = {"BEGIN IMMEDIATE", "COMMIT", "ROLLBACK", "BEGIN"};
    const char* sql = ordres[int(quoi)];
    if (sqlite3_exec(m_base, sql, nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    erreurSqlite(QString::fromLatin1(sql));
    if (quoi == Transaction::Valider)
        sqlite3_exec(m_base, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
}

QString BaseSqlite::ordreInsertion(const QString& table, const QList<ColonneTable>& colonnes) const
{
    QStringList noms, places;
    for (const ColonneTable& c : colonnes) {
        noms << m_traducteur->identifiant(c.nom);
        places << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO ") + m_traducteur->identifiant(table) + QStringLiteral(" (") + noms.join(QStringLiteral(", "))
        + QStringLiteral(") VALUES (") + places.join(QStringLiteral(", ")) + u')';
}

bool BaseSqlite::parcourir(const QString& sql, int taille, const Lot& lot)
{
    QString reste;
    Instruction s(m_base, sql, reste);
    if (s.code() != SQLITE_OK || !s.get())
        return erreurSqlite(QString());
    const int colonnes = sqlite3_column_count(s.get());
    QList<QVariant> cellules;
    int rangs = 0;
    auto livrer = [&] {
        const TableauValeurs t(colonnes, rangs, std::move(cellules));
        cellules = QList<QVariant>();
        rangs = 0;
        return lot(t);
    };
    int code;
    while ((code = sqlite3_step(s.get())) == SQLITE_ROW) {
        for (int c = 0; c < colonnes; ++c)
            cellules.append(valeurBrute(s.get(), c));
        if (++rangs == taille && !livrer())
            return false;
    }
    if (code != SQLITE_DONE)
        return erreurSqlite(QString());
    return rangs == 0 || livrer();
}

bool BaseSqlite::ecrireLot(const QString& table, const QList<ColonneTable>& colonnes, const TableauValeurs& lignes)
{
    QString reste;
    Instruction s(m_base, ordreInsertion(table, colonnes), reste);
    if (s.code() != SQLITE_OK)
        return erreurSqlite(table);
    for (int r = 0; r < lignes.points(); ++r) {
        for (int c = 0; c < colonnes.size(); ++c)
            if (lier(s.get(), c + 1, lignes(c, r)) != SQLITE_OK)
                return erreurSqlite(table);
        if (sqlite3_step(s.get()) != SQLITE_DONE)
            return erreurSqlite(table);
        sqlite3_reset(s.get());
    }
    return true;
}

bool BaseSqlite::insererLignes(const QString& table, const QList<ColonneTable>& colonnes, const QList<QVariantList>& lignes)
{
    const QString sql = ordreInsertion(table, colonnes);
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
            if (lier(s.get(), c + 1, *v) != SQLITE_OK) {
                erreurSqlite(table);
                return abandon();
            }
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
    // Les dates sont des textes ISO : l'affinité TEXT évite la conversion numérique
    // qu'une simple colonne DATE applique à chaque littéral comparé.
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
    // Les tables à clé sont rangées dans l'ordre de la clé (date et heure pour les
    // séries) : une période se lit d'un seul passage, sans recherche par ligne.
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
    const QByteArray nom = table.toUtf8();
    if (s.code() != SQLITE_OK || sqlite3_bind_text(s.get(), 1, nom.constData(), int(nom.size()), SQLITE_TRANSIENT) != SQLITE_OK) {
        erreurSqlite(table);
        return colonnes;
    }
    int code;
    while ((code = sqlite3_step(s.get())) == SQLITE_ROW) {
        ColonneTable c;
        c.nom = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0)));
        c.type = typeDeclare(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 1))));
        colonnes << c;
    }
    // Une table absente ne rend aucune ligne sans erreur ; une lecture interrompue en est une.
    if (code != SQLITE_DONE) {
        erreurSqlite(table);
        return {};
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
        if (lier(s.get(), i + 1, valeurs[i]) != SQLITE_OK)
            return erreurSqlite(QString());
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
