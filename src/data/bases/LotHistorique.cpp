#include "data/bases/LotHistorique.h"

#include "commun/Cellule.h"
#include "commun/Nombres.h"
#include "data/GenresStation.h"
#include "data/bases/BaseAcces.h"
#include "data/bases/HistoriqueMesures.h"
#include "data/bases/ValeurColonne.h"

#include <QDateTime>
#include <QStringList>

namespace {

const QList<ColonneTable>& colonnesHistorique()
{
    using T = TypeColonne;
    static const QList<ColonneTable> c = {
        {"Lot", T::Entier},           {"TableMesures", T::Texte}, {"DateMesure", T::Date},   {"HeureMesure", T::Heure},
        {"Changement", T::Texte},     {"AncienneValeur", T::Reel}, {"AncienMode", T::Texte}, {"NouvelleValeur", T::Reel},
        {"NouveauMode", T::Texte},    {"LigneAvant", T::Texte},   {"LigneApres", T::Texte},  {"Quand", T::DateHeure},
        {"Qui", T::Texte},            {"Origine", T::Texte},      {"LotAnnule", T::Entier}};
    return c;
}

} // namespace

LotHistorique::LotHistorique(BaseAcces& base, const NomVerifie& table)
    : m_base(base)
    , m_table(table)
{
}

bool LotHistorique::postgres() const
{
    return m_base.typeBase() == QStringLiteral("POSTGRESQL");
}

bool LotHistorique::echec(const QString& quoi)
{
    m_erreur = quoi.arg(m_base.DerniereErreur());
    return false;
}

QString LotHistorique::id(const QString& nom) const
{
    return m_base.Identifiant(nom);
}

QString LotHistorique::table() const
{
    return id(m_table.texte());
}

QString LotHistorique::compagne() const
{
    return id(nomCompagne(m_table.texte()));
}

QString LotHistorique::historique() const
{
    return id(nomHistorique);
}

QString LotHistorique::texte(const QString& valeur)
{
    QString t = valeur;
    return u'\'' + t.replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString LotHistorique::colonnes(const QString& alias) const
{
    QStringList noms;
    for (const auto& [nom, type] : m_colonnes)
        noms << (alias.isEmpty() ? QString() : alias + u'.') + id(nom);
    return noms.join(QStringLiteral(", "));
}

QString LotHistorique::memes(const QString& a, const QString& b) const
{
    QStringList conditions;
    for (const auto& [nom, type] : m_colonnes) {
        const QString x = a + u'.' + id(nom), y = b + u'.' + id(nom);
        conditions << (postgres() ? x + QStringLiteral(" IS NOT DISTINCT FROM ") + y
                                  : QStringLiteral("(typeof(%1) = typeof(%2) AND %1 IS %2)").arg(x, y));
    }
    return conditions.join(QStringLiteral(" AND "));
}

QString LotHistorique::duLot(const QString& sens) const
{
    return QStringLiteral("%1 = %2 AND %3 = %4").arg(id(QStringLiteral("Lot")), QString::number(m_numero), id(QStringLiteral("Sens")), texte(sens));
}

QString LotHistorique::differe(const QString& a, const QString& b) const
{
    return postgres() ? QStringLiteral("%1 IS DISTINCT FROM %2").arg(a, b) : QStringLiteral("%1 IS NOT %2").arg(a, b);
}

QString LotHistorique::memeInstant(const QString& a, const QString& b) const
{
    return QStringLiteral("%1.%3 = %2.%3 AND %1.%4 = %2.%4").arg(a, b, id(QStringLiteral("DateCreation")), id(QStringLiteral("Heure")));
}

QString LotHistorique::parmi(const QString& alias, const QString& instants) const
{
    return QStringLiteral("(%1.%2, %1.%3) IN (SELECT %2, %3 FROM %4)")
        .arg(alias, id(QStringLiteral("DateCreation")), id(QStringLiteral("Heure")), instants);
}

// Les colonnes d'une table et leurs types tels que déclarés ; vide quand elle manque.
bool LotHistorique::declarees(const QString& nom, Colonnes& colonnes)
{
    const QString sql = postgres() ? QStringLiteral("SELECT a.attname, format_type(a.atttypid, a.atttypmod) FROM pg_attribute a "
                                                    "WHERE a.attrelid = to_regclass(%1) AND a.attnum > 0 AND NOT a.attisdropped "
                                                    "ORDER BY a.attnum")
                                         .arg(texte(id(nom)))
                                   : QStringLiteral("SELECT name, type FROM pragma_table_info(%1) ORDER BY cid").arg(texte(nom));
    TableauValeurs t;
    if (!m_base.ExecuterNatif(sql, &t))
        return echec(QStringLiteral("impossible de lire les colonnes de ") + nom + QStringLiteral(" : %1"));
    colonnes.clear();
    for (int r = 0; r < t.points(); ++r)
        colonnes.append({TexteCellule(t.valeur(0, r)), TexteCellule(t.valeur(1, r))});
    return true;
}

// Sur PostgreSQL, les autres écrivains attendent la fin de la transaction ; les lecteurs passent.
bool LotHistorique::verrouiller()
{
    if (!postgres())
        return true;
    for (const QString& t : {historique(), table()})
        if (!m_base.ExecuterNatif(QStringLiteral("LOCK TABLE ") + t + QStringLiteral(" IN EXCLUSIVE MODE")))
            return echec(QStringLiteral("impossible de verrouiller l'historique des mesures : %1"));
    return true;
}

bool LotHistorique::preparerCompagne()
{
    Colonnes presentes;
    if (!declarees(nomCompagne(m_table.texte()), presentes))
        return false;
    QStringList ordres;
    if (presentes.isEmpty()) {
        QStringList definitions = {id(QStringLiteral("Lot")) + (postgres() ? QStringLiteral(" bigint") : QStringLiteral(" INTEGER")),
                                   id(QStringLiteral("Sens")) + QStringLiteral(" TEXT")};
        for (const auto& [nom, type] : m_colonnes)
            definitions << id(nom) + u' ' + type;
        ordres << QStringLiteral("CREATE TABLE %1 (%2)").arg(compagne(), definitions.join(QStringLiteral(", ")))
               << QStringLiteral("CREATE INDEX %1 ON %2 (%3, %4, %5)")
                      .arg(id(nomCompagne(m_table.texte()) + QStringLiteral("_LOT")), compagne(),
                           id(QStringLiteral("Lot")) + QStringLiteral(", ") + id(QStringLiteral("Sens")), id(QStringLiteral("DateCreation")),
                           id(QStringLiteral("Heure")));
    }
    // Une colonne venue à la table depuis (les débits mensuels) vient aussi à sa compagne.
    for (const auto& colonne : m_colonnes) {
        const bool connue = std::any_of(presentes.begin(), presentes.end(),
                                        [&](const auto& p) { return p.first.compare(colonne.first, Qt::CaseInsensitive) == 0; });
        if (!presentes.isEmpty() && !connue)
            ordres << QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3").arg(compagne(), id(colonne.first), colonne.second);
    }
    for (const QString& o : ordres)
        if (!m_base.ExecuterNatif(o))
            return echec(QStringLiteral("impossible de préparer l'historique de ") + m_table.texte() + QStringLiteral(" : %1"));
    return true;
}

bool LotHistorique::ouvrir()
{
    if (m_base.ColonnesTable(nomHistorique).isEmpty()
        && !(m_base.CreerTable(nomHistorique, colonnesHistorique())
             && m_base.CreerIndex(nomHistorique, {QStringLiteral("TableMesures"), QStringLiteral("Lot")})))
        return echec(QStringLiteral("impossible de créer l'historique des mesures : %1"));
    if (!verrouiller() || !declarees(m_table.texte(), m_colonnes) || !preparerCompagne())
        return false;
    TableauValeurs t;
    if (!m_base.ExecuterNatif(QStringLiteral("SELECT Max(%1) FROM %2").arg(id(QStringLiteral("Lot")), historique()), &t)
        || t.points() < 1)
        return echec(QStringLiteral("impossible de lire l'historique des mesures : %1"));
    m_numero = qint64(LireNombre(t.valeur(0, 0)).value_or(0.0)) + 1;
    return true;
}

bool LotHistorique::garder(const QString& sens, const QString& condition, const QString& jointure)
{
    return (m_base.ExecuterNatif(QStringLiteral("INSERT INTO %1 (%2, %3, %4) SELECT %5, %6, %7 FROM %8 t %9 WHERE %10")
                                     .arg(compagne(), id(QStringLiteral("Lot")), id(QStringLiteral("Sens")), colonnes())
                                     .arg(m_numero)
                                     .arg(texte(sens), colonnes(QStringLiteral("t")), table(), jointure, condition))
            && analyser())
        || echec(QStringLiteral("impossible d'écrire l'historique des mesures : %1"));
}

// Sur PostgreSQL, des statistiques à jour sur les tables de l'historique qui viennent de grandir :
// sans elles, le planificateur croit la compagne vide et joint ses lignes une à une.
bool LotHistorique::analyser()
{
    return !postgres()
        || (m_base.ExecuterNatif(QStringLiteral("ANALYZE ") + compagne()) && m_base.ExecuterNatif(QStringLiteral("ANALYZE ") + historique()));
}

bool LotHistorique::retirerInchangees()
{
    const QString c = compagne(), lot = id(QStringLiteral("Lot")), sens = id(QStringLiteral("Sens"));
    return m_base.ExecuterNatif(QStringLiteral("DELETE FROM %1 WHERE %2 = %3 AND EXISTS (SELECT 1 FROM %1 b WHERE b.%2 = %3 "
                                               "AND b.%4 IN (%7, %8) AND b.%4 <> %1.%4 AND %5 AND %6)")
                                    .arg(c, lot)
                                    .arg(m_numero)
                                    .arg(sens, memeInstant(QStringLiteral("b"), c), memes(QStringLiteral("b"), c), texte(avant), texte(apres)))
        || echec(QStringLiteral("impossible d'écrire l'historique des mesures : %1"));
}

// Une colonne de la ligne `alias` si la table l'a, NULL sinon (le mode d'une table qui n'en a pas).
QString LotHistorique::colonneSi(const QString& nom, const QString& alias) const
{
    for (const auto& [n, type] : m_colonnes)
        if (n.compare(nom, Qt::CaseInsensitive) == 0)
            return alias + u'.' + id(n);
    return QStringLiteral("NULL");
}

QString LotHistorique::quand() const
{
    const QString t = texte(ValeurColonne::iso(QDateTime::currentDateTime(), true));
    return postgres() ? QStringLiteral("CAST(%1 AS timestamp)").arg(t) : t;
}

QString LotHistorique::ids(std::initializer_list<const char*> noms) const
{
    QStringList t;
    for (const char* n : noms)
        t << id(QString::fromLatin1(n));
    return t.join(QStringLiteral(", "));
}

// Ce que lisent les lignes de l'historique : chaque instant gardé (« k »), et ses lignes d'avant (« a »)
// et d'après (« p ») ; `paires` : chaque instant l'est avant et après, « k » est alors « a ».
QString LotHistorique::sourcesResume(bool paires) const
{
    const QString lot = id(QStringLiteral("Lot")), sens = id(QStringLiteral("Sens")), c = compagne(), n = QString::number(m_numero);
    const QString jointure = QStringLiteral(" %1 JOIN %2 %3 ON %3.%4 = %5 AND %3.%6 = %7 AND %8");
    if (paires)
        return QStringLiteral("%1 a").arg(c)
            + jointure.arg(QString(), c, QStringLiteral("p"), lot, n, sens, texte(apres), memeInstant(QStringLiteral("p"), QStringLiteral("a")))
            + QStringLiteral(" WHERE a.%1 = %2 AND a.%3 = %4").arg(lot, n, sens, texte(avant));
    return QStringLiteral("(SELECT DISTINCT %1 FROM %2 WHERE %3 = %4) k").arg(ids({"DateCreation", "Heure"}), c, lot, n)
        + jointure.arg(QStringLiteral("LEFT"), c, QStringLiteral("a"), lot, n, sens, texte(avant), memeInstant(QStringLiteral("a"), QStringLiteral("k")))
        + jointure.arg(QStringLiteral("LEFT"), c, QStringLiteral("p"), lot, n, sens, texte(apres), memeInstant(QStringLiteral("p"), QStringLiteral("k")));
}

// Une ligne de l'historique par instant gardé.
bool LotHistorique::resumer(const QString& origine, bool paires)
{
    const auto genre = GenresStation::depuisTable(m_table.texte());
    const QString mesure = genre ? QString::fromLatin1(genre->colonneMesure) : QString(), mode = QStringLiteral("ModeObtention");
    const QString k = paires ? QStringLiteral("a.") : QStringLiteral("k."), lot = id(QStringLiteral("Lot"));
    const QStringList valeurs = {QString::number(m_numero), texte(m_table.texte()), k + id(QStringLiteral("DateCreation")),
                                 k + id(QStringLiteral("Heure")),
                                 QStringLiteral("CASE WHEN a.%1 IS NULL THEN 'ajoutée' WHEN p.%1 IS NULL THEN 'supprimée' ELSE 'modifiée' END").arg(lot),
                                 colonneSi(mesure, QStringLiteral("a")), colonneSi(mode, QStringLiteral("a")),
                                 colonneSi(mesure, QStringLiteral("p")), colonneSi(mode, QStringLiteral("p")), quand(),
                                 texte(HistoriqueMesures::utilisateur()), texte(origine),
                                 postgres() ? QStringLiteral("CAST(NULL AS integer)") : QStringLiteral("NULL")};
    return (m_base.ExecuterNatif(QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %4")
                                     .arg(historique(), colonnesResume(), valeurs.join(QStringLiteral(", ")), sourcesResume(paires)))
            && analyser())
        || echec(QStringLiteral("impossible d'écrire l'historique des mesures : %1"));
}

QString LotHistorique::colonnesResume() const
{
    return ids({"Lot", "TableMesures", "DateMesure", "HeureMesure", "Changement", "AncienneValeur", "AncienMode", "NouvelleValeur",
                "NouveauMode", "Quand", "Qui", "Origine", "LotAnnule"});
}

bool LotHistorique::conclure(const QString& origine)
{
    return retirerInchangees() && resumer(origine, false);
}

bool LotHistorique::conclureModifiees(const QString& origine)
{
    return resumer(origine, true);
}

bool LotHistorique::conclureAnnulation(qint64 lotAnnule)
{
    // Une annulation ne s'annule pas : ses lignes entières sont celles du lot défait, sens échangés ;
    // seul son résumé s'écrit, ce qui épargne deux lignes entières par mesure rendue.
    const QString l = QString::number(lotAnnule), changement = id(QStringLiteral("Changement"));
    const QString resume =
        QStringLiteral("INSERT INTO %1 (%2) SELECT %3, %4, CASE %5 WHEN 'ajoutée' THEN 'supprimée' WHEN 'supprimée' THEN 'ajoutée' "
                       "ELSE %5 END, %6, %7, %8, %9, %10 FROM %1 WHERE %11 = %12 AND %13 = %10")
            .arg(historique(), colonnesResume(), QString::number(m_numero), ids({"TableMesures", "DateMesure", "HeureMesure"}), changement,
                 ids({"NouvelleValeur", "NouveauMode", "AncienneValeur", "AncienMode"}), quand(), texte(HistoriqueMesures::utilisateur()),
                 texte(QStringLiteral("annulation du lot %1").arg(lotAnnule)), l, id(QStringLiteral("TableMesures")), texte(m_table.texte()),
                 id(QStringLiteral("Lot")));
    return (m_base.ExecuterNatif(resume) && analyser()) || echec(QStringLiteral("impossible d'écrire l'historique des mesures : %1"));
}
