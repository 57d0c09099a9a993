#include "data/bases/AnnulationLot.h"

#include "commun/Cellule.h"
#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "data/bases/BaseAcces.h"
#include "data/bases/ValeurColonne.h"

namespace {

qint64 nombre(const QVariant& v)
{
    return qint64(LireNombre(v).value_or(0.0));
}

QDate jour(const QVariant& v)
{
    return ValeurColonne::lireCellule(v).value_or(QDateTime()).date();
}

} // namespace

AnnulationLot::AnnulationLot(BaseAcces& base, const NomVerifie& table)
    : m_base(base)
    , m_table(table)
    , m_nouveau(base, table)
{
}

bool AnnulationLot::refus(const QString& texte)
{
    m_erreur = texte;
    return false;
}

// Les lignes du lot dans la table compagne, d'un sens ou des deux.
QString AnnulationLot::duLot(qint64 lot, const QString& sens, const QString& alias) const
{
    return QStringLiteral("%1.%2 = %3").arg(alias, m_nouveau.id(QStringLiteral("Lot"))).arg(lot)
        + (sens.isEmpty() ? QString() : QStringLiteral(" AND %1.%2 = %3").arg(alias, m_nouveau.id(QStringLiteral("Sens")), LotHistorique::texte(sens)));
}

// Plusieurs comptes en un seul ordre : chaque sélection rend une ligne d'un ou plusieurs comptes,
// mis bout à bout dans l'ordre.
bool AnnulationLot::compter(const QStringList& selections, QList<qint64>& nombres)
{
    QStringList sous;
    for (qsizetype k = 0; k < selections.size(); ++k)
        sous << QStringLiteral("(%1) q%2").arg(selections[k]).arg(k);
    TableauValeurs t;
    if (!m_base.ExecuterNatif(QStringLiteral("SELECT * FROM ") + sous.join(QStringLiteral(" CROSS JOIN ")), &t) || t.points() < 1)
        return refus(QStringLiteral("L'historique des corrections ne se lit pas : %1").arg(m_base.DerniereErreur()));
    nombres.clear();
    for (int k = 0; k < t.lignes(); ++k)
        nombres << nombre(t.valeur(k, 0));
    return true;
}

std::optional<HistoriqueMesures::Lot> AnnulationLot::dernier(BaseAcces& base, const NomVerifie& table, QString& erreur)
{
    erreur.clear();
    if (base.ColonnesTable(LotHistorique::nomHistorique).isEmpty())
        return std::nullopt;
    auto id = [&](const char* n) { return base.Identifiant(QString::fromLatin1(n)); };
    const QString h = base.Identifiant(LotHistorique::nomHistorique), cette = id("TableMesures") + " = " + LotHistorique::texte(table.texte());
    const QString sql =
        QStringLiteral("SELECT %1, Max(%2), Max(%3), Max(%4), count(*), Min(%5), count(%6) + count(%7) FROM %8 WHERE %9 AND %1 = "
                       "(SELECT Max(%1) FROM %8 WHERE %9 AND (%10 IS NULL OR %10 = 0) AND %1 NOT IN "
                       "(SELECT %10 FROM %8 WHERE %9 AND %10 IS NOT NULL)) GROUP BY %1")
            .arg(id("Lot"), id("Origine"), id("Qui"), id("Quand"), id("DateMesure"), id("LigneAvant"), id("LigneApres"), h, cette)
            .arg(id("LotAnnule"));
    TableauValeurs t;
    if (!base.ExecuterNatif(sql, &t)) {
        erreur = QStringLiteral("L'historique des corrections ne se lit pas : %1").arg(base.DerniereErreur());
        return std::nullopt;
    }
    if (t.points() < 1)
        return std::nullopt;
    return HistoriqueMesures::Lot{nombre(t.valeur(0, 0)),
                                  table.texte(),
                                  TexteCellule(t.valeur(1, 0)),
                                  TexteCellule(t.valeur(2, 0)),
                                  ValeurColonne::lireCellule(t.valeur(3, 0)).value_or(QDateTime()),
                                  nombre(t.valeur(4, 0)),
                                  jour(t.valeur(5, 0)),
                                  0,
                                  nombre(t.valeur(6, 0)) > 0};
}

// Le lot se tient : des lignes gardées, de sens connus, un instant une fois par sens, et un résumé
// qui compte autant de mesures modifiées, supprimées et ajoutées que les lignes gardées en disent.
bool AnnulationLot::verifierLot(const HistoriqueMesures::Lot& lot)
{
    const QString c = m_nouveau.compagne(), n = QString::number(lot.numero), sens = m_nouveau.id(QStringLiteral("Sens"));
    const QString resume = QStringLiteral("SELECT %3 FROM %1 WHERE %2 = %4 AND %5 = ")
                               .arg(m_nouveau.historique(), m_nouveau.id(QStringLiteral("Lot")), QStringLiteral("%1"), n,
                                    m_nouveau.id(QStringLiteral("TableMesures")))
        + LotHistorique::texte(m_table.texte());
    auto selon = [&](const char* changement) {
        return QStringLiteral("sum(CASE WHEN %1 = '%2' THEN 1 ELSE 0 END)").arg(m_nouveau.id(QStringLiteral("Changement")), QString::fromUtf8(changement));
    };
    QList<qint64> k;
    if (!compter({QStringLiteral("SELECT count(*) FROM %1 a WHERE %2").arg(c, duLot(lot.numero, LotHistorique::avant)),
                  QStringLiteral("SELECT count(*) FROM %1 a WHERE %2").arg(c, duLot(lot.numero, LotHistorique::apres)),
                  QStringLiteral("SELECT count(*) FROM %1 a JOIN %1 p ON %2 AND %3 WHERE %4")
                      .arg(c, duLot(lot.numero, LotHistorique::apres, QStringLiteral("p")), m_nouveau.memeInstant(QStringLiteral("p"), QStringLiteral("a")),
                           duLot(lot.numero, LotHistorique::avant)),
                  QStringLiteral("SELECT count(*) FROM %1 a WHERE %2 AND (a.%3 IS NULL OR a.%3 NOT IN (%4, %5))")
                      .arg(c, duLot(lot.numero), sens, LotHistorique::texte(LotHistorique::avant), LotHistorique::texte(LotHistorique::apres)),
                  QStringLiteral("SELECT count(*) FROM (SELECT 1 AS x FROM %1 a WHERE %2 GROUP BY a.%3, a.%4, a.%5 HAVING count(*) > 1) d")
                      .arg(c, duLot(lot.numero), sens, m_nouveau.id(QStringLiteral("DateCreation")), m_nouveau.id(QStringLiteral("Heure"))),
                  resume.arg(QStringList{QStringLiteral("count(*)"), selon("modifiée"), selon("supprimée"), selon("ajoutée")}.join(u','))},
                 k))
        return false;
    m_avant = k[0];
    m_apres = k[1];
    m_paires = k[2];
    const QString raison = k[0] + k[1] == 0 ? QStringLiteral("aucune ligne entière gardée")
                         : k[3] > 0       ? QStringLiteral("un sens ni « avant » ni « après »")
                         : k[4] > 0       ? QStringLiteral("un instant répété")
                         : k[5] != k[6] + k[7] + k[8] || k[6] != m_paires || k[7] != m_avant - m_paires || k[8] != m_apres - m_paires
                             ? QStringLiteral("le résumé et les lignes gardées ne s'accordent pas")
                             : QString();
    return raison.isEmpty()
        || refus(QStringLiteral("Le lot %1 de l'historique de %2 est abîmé (%3) : rien n'a été annulé.").arg(n, m_table.texte(), raison));
}

// Chaque ligne que le lot a laissée est encore là, la même valeur par valeur, et seule à son instant ;
// aucune n'est revenue là où il en a supprimé une.
bool AnnulationLot::verifierEnPlace(qint64 lot)
{
    const QString c = m_nouveau.compagne(), t = m_nouveau.table();
    QList<qint64> n;
    const QString apres = QStringLiteral("a.%1 = %2").arg(m_nouveau.id(QStringLiteral("Sens")), LotHistorique::texte(LotHistorique::apres));
    const QStringList comptes = {
        QStringLiteral("SELECT sum(CASE WHEN %1 THEN 1 ELSE 0 END), sum(CASE WHEN %1 AND %2 THEN 1 ELSE 0 END), count(*) FROM %3 a JOIN %4 t "
                       "ON %5 WHERE %6")
            .arg(apres, m_nouveau.memes(QStringLiteral("a"), QStringLiteral("t")), c, t,
                 m_nouveau.memeInstant(QStringLiteral("a"), QStringLiteral("t")), duLot(lot))};
    if (!compter(comptes, n))
        return false;
    // Chaque ligne d'après retrouvée une fois, à l'identique, et aucune là où le lot en a supprimé une.
    if (n[0] == m_apres && n[1] == m_apres && n[2] == m_apres + m_paires)
        return true;
    const QString premiere = premiereChangee(lot);
    return refus(premiere.isEmpty()
                     ? QStringLiteral("Des mesures du lot %1 ont changé depuis : rien n'a été annulé.").arg(lot)
                     : QStringLiteral("La mesure du %1 a changé depuis le lot %2 : rien n'a été annulé.").arg(premiere).arg(lot));
}

// La première mesure du lot qui n'est plus celle qu'il a laissée, « JJ/MM/AAAA à hh:mm:ss » ; vide sans elle.
QString AnnulationLot::premiereChangee(qint64 lot)
{
    const QString c = m_nouveau.compagne(), t = m_nouveau.table();
    const QString instant = m_nouveau.memeInstant(QStringLiteral("t"), QStringLiteral("a"));
    const QString sql =
        QStringLiteral("SELECT a.%1, a.%2 FROM %3 a WHERE (%4 AND NOT EXISTS (SELECT 1 FROM %5 t WHERE %6 AND %7)) OR (%8 AND "
                       "EXISTS (SELECT 1 FROM %5 t WHERE %6) AND NOT EXISTS (SELECT 1 FROM %3 p WHERE %9 AND %10)) ORDER BY 1, 2")
            .arg(m_nouveau.id(QStringLiteral("DateCreation")), m_nouveau.id(QStringLiteral("Heure")), c, duLot(lot, LotHistorique::apres), t,
                 instant, m_nouveau.memes(QStringLiteral("t"), QStringLiteral("a")), duLot(lot, LotHistorique::avant),
                 duLot(lot, LotHistorique::apres, QStringLiteral("p")))
            .arg(m_nouveau.memeInstant(QStringLiteral("p"), QStringLiteral("a")));
    TableauValeurs r;
    if (!m_base.ExecuterNatif(sql + QStringLiteral(" LIMIT 1"), &r) || r.points() < 1)
        return QString();
    return QStringLiteral("%1 à %2").arg(TexteDate(jour(r.valeur(0, 0))), TexteHeure(HeureDepuisCellule(r.valeur(1, 0))));
}

// Le lot défait, gardé en sens inverse comme un nouveau lot, puis ses lignes d'avant remises à leur place.
bool AnnulationLot::rendre(qint64 lot)
{
    const QString c = m_nouveau.compagne(), t = m_nouveau.table();
    const QStringList ordres = {
        QStringLiteral("DELETE FROM %1 WHERE EXISTS (SELECT 1 FROM %2 a WHERE %3 AND a.%4 IN (%5, %6) AND %7)")
            .arg(t, c, duLot(lot), m_nouveau.id(QStringLiteral("Sens")), LotHistorique::texte(LotHistorique::avant),
                 LotHistorique::texte(LotHistorique::apres), m_nouveau.memeInstant(QStringLiteral("a"), t)),
        QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %4 a WHERE %5")
            .arg(t, m_nouveau.colonnes(), m_nouveau.colonnes(QStringLiteral("a")), c, duLot(lot, LotHistorique::avant))};
    for (const QString& o : ordres)
        if (!m_base.ExecuterNatif(o))
            return refus(QStringLiteral("Rien n'a été annulé : %1").arg(m_base.DerniereErreur()));
    return m_nouveau.conclureAnnulation(lot) || refus(m_nouveau.erreur());
}

bool AnnulationLot::annuler(qint64 attendu, HistoriqueMesures::Lot& annule)
{
    if (!m_nouveau.ouvrir() || !m_nouveau.analyser())
        return refus(m_nouveau.erreur().isEmpty() ? QStringLiteral("Rien n'a été annulé : %1").arg(m_base.DerniereErreur()) : m_nouveau.erreur());
    QString erreur;
    const auto lot = dernier(m_base, m_table, erreur);
    if (!lot)
        return refus(erreur.isEmpty() ? QStringLiteral("Aucune correction à annuler pour %1.").arg(m_table.texte()) : erreur);
    if (attendu > 0 && lot->numero != attendu)
        return refus(QStringLiteral("La dernière correction de %1 a changé entre-temps : rien n'a été annulé.").arg(m_table.texte()));
    if (lot->ancien)
        return refus(QStringLiteral("Le lot %1 de %2 a été écrit par une version précédente du programme : il se liste mais ne "
                                    "s'annule pas. Rien n'a été annulé.")
                         .arg(lot->numero)
                         .arg(m_table.texte()));
    annule = *lot;
    return verifierLot(*lot) && verifierEnPlace(lot->numero) && rendre(lot->numero);
}
