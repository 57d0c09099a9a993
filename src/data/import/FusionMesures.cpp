#include "data/import/FusionMesures.h"

#include "commun/Dates.h"
#include "commun/Nombres.h"
#include "data/bases/BaseAcces.h"
#include "data/bases/LotHistorique.h"
#include "data/bases/ValeurColonne.h"

FusionMesures::FusionMesures(BaseAcces& base, const QString& table, const QString& passage)
    : m_base(base)
    , m_tableNom(table)
    , m_passageNom(passage)
    , m_table(base.Identifiant(table))
    , m_passage(base.Identifiant(passage))
{
}

bool FusionMesures::echec(const QString& quoi)
{
    m_erreur = quoi.arg(m_base.DerniereErreur());
    return false;
}

qint64 FusionMesures::compter(const QString& sql)
{
    TableauValeurs t;
    if (!m_base.ExecuterNatif(sql, &t) || t.points() < 1)
        return -1;
    return qint64(LireNombre(t.valeur(0, 0)).value_or(-1));
}

bool FusionMesures::tableVide()
{
    TableauValeurs une;
    return m_base.ExecuterNatif(QStringLiteral("SELECT 1 FROM ") + m_table + QStringLiteral(" LIMIT 1"), &une) && une.points() == 0;
}

bool FusionMesures::ecarterDoublons()
{
    const QString p = m_passage;
    if (!m_base.ExecuterNatif(QStringLiteral("CREATE INDEX ") + m_base.Identifiant(m_passageNom + QStringLiteral("_CLE"))
                              + QStringLiteral(" ON ") + p + QStringLiteral(" (DateCreation, Heure, Ligne)"))
        || !m_base.ExecuterNatif(QStringLiteral("DELETE FROM ") + p + QStringLiteral(" WHERE EXISTS (SELECT 1 FROM ") + p
                                 + QStringLiteral(" j WHERE j.DateCreation = ") + p + QStringLiteral(".DateCreation AND j.Heure = ") + p
                                 + QStringLiteral(".Heure AND j.Ligne > ") + p + QStringLiteral(".Ligne)")))
        return echec(QStringLiteral("impossible d'écarter les doublons : %1"));
    return true;
}

// Les valeurs du jour prennent l'heure de la mesure qu'elles remplacent : la clé (date, heure) la retrouve ensuite.
bool FusionMesures::placerAuJour()
{
    const QString jours = QStringLiteral("SELECT min(CASE WHEN n > 1 THEN d END), sum(CASE WHEN n = 1 AND h <> hi THEN 1 ELSE 0 END) "
                                         "FROM (SELECT i.DateCreation AS d, i.Heure AS hi, count(*) AS n, max(t.Heure) AS h FROM %1 i "
                                         "JOIN %2 t ON t.DateCreation = i.DateCreation WHERE %3 GROUP BY i.DateCreation, i.Heure) x")
                              .arg(m_passage, m_table, journee(QStringLiteral("i"), true));
    TableauValeurs t;
    if (!m_base.ExecuterNatif(jours, &t) || t.points() < 1)
        return echec(QStringLiteral("impossible de lire la table : %1"));
    if (const auto jour = ValeurColonne::lireCellule(t.valeur(0, 0))) {
        m_erreur = QStringLiteral("%1 a plusieurs mesures le %2 : une valeur du jour ne dit pas laquelle remplacer, rien n'a été importé.")
                       .arg(m_tableNom, TexteDate(jour->date()));
        return false;
    }
    if (LireNombre(t.valeur(1, 0)).value_or(0) == 0)
        return true;
    if (!m_colonneJour.isEmpty() && jourDonneDeuxFois())
        return false;
    return m_base.ExecuterNatif(QStringLiteral("UPDATE %1 AS i SET Heure = (SELECT t.Heure FROM %2 t WHERE t.DateCreation = i.DateCreation) "
                                               "WHERE %3 AND EXISTS (SELECT 1 FROM %2 t WHERE t.DateCreation = i.DateCreation AND t.Heure <> i.Heure)")
                                    .arg(m_passage, m_table, journee(QStringLiteral("i"), true)))
        || echec(QStringLiteral("impossible de placer les valeurs du jour : %1"));
}

QString FusionMesures::journee(const QString& ligne, bool oui) const
{
    if (m_colonneJour.isEmpty())
        return QStringLiteral("1 = 1");
    return ligne + u'.' + m_base.Identifiant(m_colonneJour) + (oui ? QStringLiteral(" = 1") : QStringLiteral(" = 0"));
}

// Une ligne sans heure et une ligne avec l'heure de la mesure du jour désigneraient la même mesure.
bool FusionMesures::jourDonneDeuxFois()
{
    TableauValeurs r;
    const QString sql = QStringLiteral("SELECT min(i.DateCreation) FROM %1 i JOIN %2 t ON t.DateCreation = i.DateCreation JOIN %1 j ON "
                                       "j.DateCreation = i.DateCreation AND j.Heure = t.Heure WHERE %3 AND %4")
                            .arg(m_passage, m_table, journee(QStringLiteral("i"), true), journee(QStringLiteral("j"), false));
    if (!m_base.ExecuterNatif(sql, &r) || r.points() < 1)
        return !echec(QStringLiteral("impossible de lire la table : %1"));
    const auto jour = ValeurColonne::lireCellule(r.valeur(0, 0));
    if (jour)
        m_erreur = QStringLiteral("le fichier donne le %1 avec et sans heure, pour la même mesure de %2 : rien n'a été importé.")
                       .arg(TexteDate(jour->date()), m_tableNom);
    return jour.has_value();
}

bool FusionMesures::remplacer(const QList<Affectation>& affectations, const QString& memeCle)
{
    QStringList ensembles;
    for (const Affectation& a : affectations)
        ensembles << m_base.Identifiant(a.colonne) + QStringLiteral(" = ") + a.expression;
    return m_base.ExecuterNatif(QStringLiteral("UPDATE ") + m_table + QStringLiteral(" SET ") + ensembles.join(QStringLiteral(", "))
                                + QStringLiteral(" FROM ") + m_passage + QStringLiteral(" i") + memeCle)
        || echec(QStringLiteral("impossible de remplacer les mesures : %1"));
}

bool FusionMesures::ajouter(const QList<Affectation>& affectations, const QList<ColonneTable>& colonnesTable,
                            const QString& memeCle, bool vide)
{
    QStringList colonnes = {QStringLiteral("DateCreation"), QStringLiteral("Heure")};
    QStringList valeurs = {QStringLiteral("i.DateCreation"), QStringLiteral("i.Heure")};
    auto affectee = [&](const QString& nom) {
        for (const Affectation& a : affectations)
            if (a.colonne.compare(nom, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    for (const Affectation& a : affectations) {
        colonnes << m_base.Identifiant(a.colonne);
        valeurs << a.expression;
    }
    // Les nouvelles lignes : validité et continuité à 0, les autres colonnes vides.
    for (const ColonneTable& x : colonnesTable)
        if ((x.nom.compare(QStringLiteral("Continuite"), Qt::CaseInsensitive) == 0
             || x.nom.compare(QStringLiteral("Validite"), Qt::CaseInsensitive) == 0)
            && !affectee(x.nom)) {
            colonnes << m_base.Identifiant(x.nom);
            valeurs << QStringLiteral("0");
        }
    return m_base.ExecuterNatif(QStringLiteral("INSERT INTO ") + m_table + QStringLiteral(" (") + colonnes.join(QStringLiteral(", "))
                                + QStringLiteral(") SELECT ") + valeurs.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + m_passage
                                + QStringLiteral(" i")
                                + (vide ? QString() : QStringLiteral(" WHERE NOT EXISTS (SELECT 1 FROM ") + m_table + memeCle + u')'))
        || echec(QStringLiteral("impossible d'ajouter les mesures : %1"));
}

// Les mesures dont une valeur change, gardées telles qu'avant et telles qu'après dans un lot de
// l'historique ; celles que le fichier redit à l'identique ne sont pas réécrites.
bool FusionMesures::remplacerEnGardant(const QList<Affectation>& affectations, const QString& memeCle, const QString& origine)
{
    const auto nom = NomVerifie::depuis(m_tableNom);
    if (!nom) {
        m_erreur = MessageNomRefuse(m_tableNom);
        return false;
    }
    LotHistorique lot(m_base, *nom);
    auto changees = [&](const QString& ligne) {
        QStringList c;
        for (const Affectation& a : affectations)
            c << lot.differe(ligne + u'.' + m_base.Identifiant(a.colonne), a.expression);
        return u'(' + c.join(QStringLiteral(" OR ")) + u')';
    };
    if (lot.ouvrir()
        && lot.garder(LotHistorique::avant, changees(QStringLiteral("t")),
                      QStringLiteral("JOIN ") + m_passage + QStringLiteral(" i ON ") + lot.memeInstant(QStringLiteral("i"), QStringLiteral("t")))
        && remplacer(affectations, memeCle + QStringLiteral(" AND ") + changees(m_table))
        && lot.garder(LotHistorique::apres, lot.parmi(QStringLiteral("t"), lot.compagne() + QStringLiteral(" WHERE ") + lot.duLot(LotHistorique::avant)))
        && lot.conclureModifiees(origine))
        return true;
    if (m_erreur.isEmpty())
        m_erreur = lot.erreur();
    return false;
}

bool FusionMesures::fusionner(const QList<Affectation>& affectations, const QList<ColonneTable>& colonnesTable, qint64 lignes,
                              const QString& origine, Resultat& resultat)
{
    const QString memeCle = QStringLiteral(" WHERE ") + m_table + QStringLiteral(".DateCreation = i.DateCreation AND ") + m_table
        + QStringLiteral(".Heure = i.Heure");
    // Une table vide (une station nouvelle) n'a rien à remplacer.
    const bool vide = tableVide();
    if (!vide && m_jours && !placerAuJour())
        return false;
    resultat.remplacees = vide ? 0
                               : compter(QStringLiteral("SELECT count(*) FROM ") + m_passage + QStringLiteral(" i WHERE EXISTS (SELECT 1 FROM ")
                                         + m_table + memeCle + u')');
    if (resultat.remplacees < 0)
        return echec(QStringLiteral("impossible de lire la table : %1"));
    if (resultat.remplacees > 0 && !remplacerEnGardant(affectations, memeCle, origine))
        return false;
    if (!ajouter(affectations, colonnesTable, memeCle, vide))
        return false;
    resultat.ajoutees = lignes - resultat.remplacees;
    return m_base.SupprimerTable(m_passageNom) || echec(QStringLiteral("impossible de terminer l'import : %1"));
}
