#include "data/bases/BaseAcces.h"

#include "data/JeuEnregistrements.h"
#include "data/JournalSql.h"
#include "data/NomVerifie.h"
#include "data/bases/AnalyseurSyntaxique.h"

#include <algorithm>

std::optional<Traducteur::Traduction> BaseAcces::traduire(const QString& sql, bool pourJeu, bool* selection)
{
    QString message;
    const auto instruction = AnalyseurSyntaxique::analyser(sql, message);
    if (!instruction) {
        erreur(QStringLiteral("Ordre refusé : %1").arg(message));
        return std::nullopt;
    }
    if (selection)
        *selection = instruction->genre == InstructionSql::Genre::Selection;
    auto t = pourJeu ? traducteur().traduirePourJeu(*instruction, message) : traducteur().traduire(*instruction, message);
    if (!t) {
        erreur(QStringLiteral("Ordre refusé : %1").arg(message));
        return std::nullopt;
    }
    qCDebug(journalSql).noquote() << "traduit :" << t->sql;
    return t;
}

// Un ordre d'action envoyé pour lire est exécuté et ne rend aucune ligne.
template <typename Lignes, typename Lancement>
bool BaseAcces::lireSelection(const QString& sql, Lignes& lignes, qint32& nombre, Lancement lancerSelection)
{
    bool selection = false;
    const auto t = traduire(sql, false, &selection);
    if (!t)
        return false;
    if (!selection)
        return lancer(t->sql, {}, nullptr);
    if (!lancerSelection(*t, lignes))
        return false;
    nombre = qint32(lignes.points());
    return true;
}

bool BaseAcces::extraire(const QString& sql, TableauValeurs& lignes, qint32& nombre)
{
    return lireSelection(sql, lignes, nombre, [this](const auto& t, TableauValeurs& l) { return lancer(t.sql, t.typesSortie, &l); });
}

bool BaseAcces::extraireColonnes(const QString& sql, ColonnesTypees& lignes, qint32& nombre)
{
    return lireSelection(sql, lignes, nombre, [this](const auto& t, ColonnesTypees& l) { return lancerColonnes(t.sql, t.typesSortie, l); });
}

bool BaseAcces::lancerColonnes(const QString& sql, const QList<TypeValeur>& types, ColonnesTypees& lignes)
{
    TableauValeurs cellules;
    if (!lancer(sql, types, &cellules))
        return false;
    lignes = ColonnesTypees::depuis(cellules);
    return true;
}

bool BaseAcces::executer(const QString& sql)
{
    bool selection = false;
    const auto t = traduire(sql, false, &selection);
    if (!t)
        return false;
    if (selection)
        return erreur(QStringLiteral("Execute attend INSERT, UPDATE ou DELETE ; un SELECT passe par ExtraireRecords."));
    return lancer(t->sql, {}, nullptr);
}

std::unique_ptr<JeuEnregistrements> BaseAcces::ouvrirJeu(const QString& sql, qint32& nombre)
{
    const auto t = traduire(sql, true);
    if (!t)
        return nullptr;
    TableauValeurs lignes;
    if (!lancer(t->sql, t->typesSortie, &lignes))
        return nullptr;
    QList<JeuEnregistrements::Enregistrement> lus;
    for (int r = 0; r < lignes.points(); ++r) {
        JeuEnregistrements::Enregistrement e;
        e.identifiant = lignes(0, r);
        for (int c = 1; c < lignes.lignes(); ++c)
            e.valeurs << lignes(c, r);
        lus << e;
    }
    nombre = qint32(lus.size());
    return std::make_unique<JeuEnregistrements>(this, t->table, t->colonnesTable, std::move(lus));
}

bool BaseAcces::ExecuterNatif(const QString& sql, TableauValeurs* lignes) noexcept
{
    try {
        effacerErreur();
        qCDebug(journalSql).noquote() << "natif :" << sql;
        return lancer(sql, {}, lignes);
    } catch (...) {
        return erreur(QStringLiteral("ExecuterNatif : erreur interne"));
    }
}

bool BaseAcces::ParcourirNatif(const QString& sql, int taille, const Lot& lot) noexcept
{
    try {
        effacerErreur();
        qCDebug(journalSql).noquote() << "natif :" << sql;
        return parcourir(sql, std::max(1, taille), lot);
    } catch (...) {
        return erreur(QStringLiteral("ParcourirNatif : erreur interne"));
    }
}

bool BaseAcces::EcrireLot(const QString& table, const QList<ColonneTable>& colonnes, const TableauValeurs& lignes) noexcept
{
    try {
        effacerErreur();
        if (lignes.lignes() != colonnes.size() && !lignes.estVide())
            return erreur(QStringLiteral("%1 : %2 colonnes attendues, %3 reçues").arg(table).arg(colonnes.size()).arg(lignes.lignes()));
        return lignes.estVide() || ecrireLot(table, colonnes, lignes);
    } catch (...) {
        return erreur(QStringLiteral("EcrireLot : erreur interne"));
    }
}

QString BaseAcces::identifiants(const QStringList& noms)
{
    QStringList ecrits;
    for (const QString& n : noms)
        ecrits << traducteur().identifiant(n);
    return ecrits.join(QStringLiteral(", "));
}

QString BaseAcces::definitions(const QList<ColonneTable>& colonnes)
{
    QStringList d;
    for (const ColonneTable& c : colonnes)
        d << (traducteur().identifiant(c.nom) + u' ' + typeSql(c.type)).trimmed();
    return d.join(QStringLiteral(", "));
}

bool BaseAcces::creerTable(const QString& table, const QList<ColonneTable>& colonnes, const QStringList& clePrimaire)
{
    m_catalogue.remove(table.toLower());
    const QString cle = clePrimaire.isEmpty() ? QString() : QStringLiteral(", PRIMARY KEY (") + identifiants(clePrimaire) + u')';
    return lancer(QStringLiteral("CREATE TABLE ") + traducteur().identifiant(table) + QStringLiteral(" (") + definitions(colonnes)
                      + cle + u')' + (clePrimaire.isEmpty() ? QString() : suffixeTableACle()),
                  {}, nullptr);
}

bool BaseAcces::CreerTableTemporaire(const QString& table, const QList<ColonneTable>& colonnes) noexcept
{
    try {
        effacerErreur();
        if (!EstNomVerifie(table))
            return erreur(MessageNomRefuse(table));
        m_catalogue.remove(table.toLower());
        if (!preparerTemporaires())
            return false;
        return lancer(QStringLiteral("CREATE TEMP TABLE ") + traducteur().identifiant(table) + QStringLiteral(" (")
                          + definitions(colonnes) + u')',
                      {}, nullptr);
    } catch (...) {
        return erreur(QStringLiteral("CreerTableTemporaire : erreur interne"));
    }
}

bool BaseAcces::supprimerTable(const QString& table)
{
    m_catalogue.remove(table.toLower());
    return lancer(QStringLiteral("DROP TABLE IF EXISTS ") + traducteur().identifiant(table), {}, nullptr);
}

bool BaseAcces::creerIndex(const QString& table, const QStringList& colonnes)
{
    const QString nom = QStringLiteral("ix_") + table + u'_' + colonnes.join(u'_');
    // Dans l'ordre des tris (NULL en tête), pour que le moteur lise l'index au lieu de trier.
    QStringList termes;
    for (const QString& c : colonnes)
        termes << traducteur().identifiant(c) + traducteur().nulsEnTete(false);
    return lancer(QStringLiteral("CREATE INDEX IF NOT EXISTS ") + traducteur().identifiant(nom) + QStringLiteral(" ON ")
                      + traducteur().identifiant(table) + QStringLiteral(" (") + termes.join(QStringLiteral(", ")) + u')',
                  {}, nullptr);
}

QList<ColonneTable> BaseAcces::colonnesTable(const QString& table)
{
    if (schemaChange())
        m_catalogue.clear();
    const QString cle = table.toLower();
    const auto connu = m_catalogue.constFind(cle);
    if (connu != m_catalogue.constEnd())
        return *connu;
    QList<ColonneTable> colonnes = lireColonnes(table);
    if (!colonnes.isEmpty())
        m_catalogue.insert(cle, colonnes);
    return colonnes;
}
