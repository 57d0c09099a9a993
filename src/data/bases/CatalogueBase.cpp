#include "data/bases/CatalogueBase.h"

#include "data/bases/BaseAcces.h"

// Les ordres du catalogue de chaque moteur ; %1 est le nom de la table en littéral.
struct CatalogueBase::Dialecte
{
    const char* typeBase;
    const char* tables;
    const char* cle;
    const char* index;  // nom de l'index, colonne ; dans l'ordre des colonnes
    const char* statistiques;
    bool minuscules;
};

namespace {

using Dialecte = CatalogueBase::Dialecte;

const Dialecte sqlite = {
    "ACCESS",
    "SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name",
    "SELECT name FROM pragma_table_info(%1) WHERE pk > 0 ORDER BY pk",
    // Les index écrits par CREATE INDEX, pas ceux des clés ; ni expression ni condition.
    "SELECT l.name, i.name FROM pragma_index_list(%1) l, pragma_index_info(l.name) i "
    "WHERE l.origin = 'c' AND NOT l.partial ORDER BY l.name, i.seqno",
    nullptr,
    false,
};

const Dialecte postgres = {
    "POSTGRESQL",
    "SELECT c.relname FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
    "WHERE c.relkind IN ('r', 'p') AND c.relpersistence <> 't' AND pg_table_is_visible(c.oid) "
    "AND n.nspname NOT IN ('pg_catalog', 'information_schema') ORDER BY c.relname",
    "SELECT a.attname FROM pg_index i JOIN pg_attribute a ON a.attrelid = i.indrelid AND a.attnum = ANY(i.indkey) "
    "WHERE i.indrelid = to_regclass(%1) AND i.indisprimary ORDER BY array_position(i.indkey::int2[], a.attnum)",
    "SELECT x.relname, a.attname FROM pg_index i JOIN pg_class x ON x.oid = i.indexrelid "
    "JOIN pg_attribute a ON a.attrelid = i.indrelid AND a.attnum = ANY(i.indkey) "
    "WHERE i.indrelid = to_regclass(%1) AND NOT i.indisprimary AND i.indexprs IS NULL AND i.indpred IS NULL "
    "ORDER BY x.relname, array_position(i.indkey::int2[], a.attnum)",
    "ANALYZE %1",
    true,
};

const Dialecte& dialecte(const QString& typeBase)
{
    return typeBase == QLatin1String(postgres.typeBase) ? postgres : sqlite;
}

} // namespace

CatalogueBase::CatalogueBase(BaseAcces& base)
    : m_base(base)
    , m_dialecte(dialecte(base.typeBase()))
{
}

std::optional<QStringList> CatalogueBase::colonne(const QString& sql)
{
    TableauValeurs t;
    if (!m_base.ExecuterNatif(sql, &t))
        return std::nullopt;
    QStringList valeurs;
    for (int i = 0; i < t.points(); ++i)
        valeurs << t(0, i).toString();
    return valeurs;
}

QString CatalogueBase::litteral(const QString& table) const
{
    // to_regclass attend le nom écrit comme dans un ordre ; pragma_table_info, le nom seul.
    QString nom = m_dialecte.minuscules ? m_base.Identifiant(table) : table;
    return u'\'' + nom.replace(u'\'', QStringLiteral("''")) + u'\'';
}

std::optional<QStringList> CatalogueBase::tables()
{
    return colonne(QString::fromLatin1(m_dialecte.tables));
}

std::optional<qint64> CatalogueBase::compter(const QString& table)
{
    TableauValeurs t;
    if (!m_base.ExecuterNatif(QStringLiteral("SELECT count(*) FROM ") + m_base.Identifiant(table), &t) || t.points() != 1)
        return std::nullopt;
    return t(0, 0).toLongLong();
}

std::optional<QList<QStringList>> CatalogueBase::index(const QString& table)
{
    TableauValeurs t;
    if (!m_base.ExecuterNatif(QString::fromLatin1(m_dialecte.index).arg(litteral(table)), &t))
        return std::nullopt;
    QList<QStringList> index;
    QString courant;
    for (int i = 0; i < t.points(); ++i) {
        if (i == 0 || t(0, i).toString() != courant)
            index.append(QStringList());
        courant = t(0, i).toString();
        index.last() << t(1, i).toString();
    }
    return index;
}

std::optional<CatalogueBase::Table> CatalogueBase::structure(const QString& table)
{
    Table t;
    t.nom = table;
    t.colonnes = m_base.ColonnesTable(table);
    if (t.colonnes.isEmpty())
        return std::nullopt;
    const auto cle = colonne(QString::fromLatin1(m_dialecte.cle).arg(litteral(table)));
    const auto ix = index(table);
    if (!cle || !ix)
        return std::nullopt;
    t.cle = *cle;
    t.index = *ix;
    return t;
}

std::optional<CatalogueBase::Table> CatalogueBase::decrire(const QString& table)
{
    auto t = structure(table);
    const auto n = t ? compter(table) : std::nullopt;
    if (!n)
        return std::nullopt;
    t->lignes = *n;
    return t;
}

bool CatalogueBase::statistiques(const QString& table)
{
    return !m_dialecte.statistiques || m_base.ExecuterNatif(QString::fromLatin1(m_dialecte.statistiques).arg(m_base.Identifiant(table)));
}

bool CatalogueBase::minuscules() const
{
    return m_dialecte.minuscules;
}
