#include "data/BaseDonnees.h"
#include "data/BaseDonneesPrive.h"

#include "data/JeuEnregistrements.h"
#include "data/JournalSql.h"
#include "data/NomVerifie.h"

#include <algorithm>

BaseDonnees::BaseDonnees()
    : d(std::make_unique<BaseDonneesPrive>(this))
{
}

BaseDonnees::~BaseDonnees() = default;

bool BaseDonnees::erreur(const QString& texte)
{
    d->erreur = texte;
    if (d->enTransaction && !d->echecEnTransaction) {
        d->echecEnTransaction = true;
        d->premierEchecTransaction = texte;
    }
    qCDebug(journalSql).noquote() << "échec :" << texte;
    return false;
}

void BaseDonnees::observer(const QString& sql)
{
    qCDebug(journalSql).noquote() << "ordre :" << sql;
    if (d->observateur)
        d->observateur(sql);
}

bool BaseDonnees::garde(const char* operation, const std::function<bool()>& corps) noexcept
{
    try {
        effacerErreur();
        return corps();
    } catch (const std::exception& e) {
        return erreur(QStringLiteral("%1 : erreur interne (%2)").arg(QLatin1String(operation), QString::fromLocal8Bit(e.what())));
    } catch (...) {
        return erreur(QStringLiteral("%1 : erreur interne").arg(QLatin1String(operation)));
    }
}

bool BaseDonnees::ordre(const char* operation, const QString& sql, const std::function<bool()>& corps) noexcept
{
    const bool ok = garde(operation, [&] {
        observer(sql);
        return corps();
    });
    if (!ok && !d->premierEchec)
        d->premierEchec = Echec{sql, d->erreur};
    // PostgreSQL refuse tout ordre après un échec dans une transaction : la
    // lecture reprend sur un nouvel instant plutôt que de tout perdre.
    if (!ok && d->enLecture) {
        const QString motif = d->erreur;
        transaction(Transaction::Annuler);
        d->enLecture = transaction(Transaction::Lecture);
        d->erreur = motif;
    }
    return ok;
}

namespace {

// Le résultat ne remplace `lignes` qu'une fois l'ordre réussi ; en échec, rien et 0.
template <typename Lignes, typename Extraction>
std::function<bool()> extraction(Lignes& lignes, qint32& nombre, Extraction extraire)
{
    lignes = Lignes();
    nombre = 0;
    return [&lignes, &nombre, extraire] {
        Lignes resultat;
        qint32 n = 0;
        if (!extraire(resultat, n))
            return false;
        lignes = std::move(resultat);
        nombre = n;
        return true;
    };
}

} // namespace

bool BaseDonnees::ExtraireRecords(const OrdreSql& ordreSql, TableauValeurs& lignes, qint32& nombre) noexcept
{
    const QString& sql = ordreSql.texte();
    return ordre("ExtraireRecords", sql,
                 extraction(lignes, nombre, [this, &sql](TableauValeurs& r, qint32& n) { return extraire(sql, r, n); }));
}

bool BaseDonnees::ExtraireColonnes(const OrdreSql& ordreSql, ColonnesTypees& lignes, qint32& nombre) noexcept
{
    const QString& sql = ordreSql.texte();
    return ordre("ExtraireRecords", sql,
                 extraction(lignes, nombre, [this, &sql](ColonnesTypees& r, qint32& n) { return extraireColonnes(sql, r, n); }));
}

bool BaseDonnees::extraireColonnes(const QString& sql, ColonnesTypees& lignes, qint32& nombre)
{
    TableauValeurs cellules;
    if (!extraire(sql, cellules, nombre))
        return false;
    lignes = ColonnesTypees::depuis(cellules);
    return true;
}

bool BaseDonnees::Execute(const OrdreSql& ordreSql) noexcept
{
    const QString& sql = ordreSql.texte();
    return ordre("Execute", sql, [&] { return executer(sql); });
}

bool BaseDonnees::AccesBase(const OrdreSql& ordreSql, std::unique_ptr<JeuEnregistrements>& jeu, qint32& nombre) noexcept
{
    const QString& sql = ordreSql.texte();
    jeu.reset();
    nombre = 0;
    return ordre("AccesBase", sql, [&] {
        qint32 n = 0;
        auto ouvert = ouvrirJeu(sql, n);
        if (!ouvert)
            return false;
        jeu = std::move(ouvert);
        nombre = n;
        return true;
    });
}

bool BaseDonnees::Commencer() noexcept
{
    return garde("Commencer", [&] {
        // Un mauvais usage n'est pas l'échec d'un ordre : la transaction reste bonne.
        if (d->enTransaction) {
            d->erreur = QStringLiteral("Une transaction est déjà commencée.");
            return false;
        }
        qCDebug(journalSql) << "début de transaction";
        if (!transaction(Transaction::Commencer))
            return false;
        d->enTransaction = true;
        d->echecEnTransaction = false;
        d->premierEchecTransaction.clear();
        return true;
    });
}

bool BaseDonnees::Valider() noexcept
{
    return garde("Valider", [&] {
        if (!d->enTransaction)
            return erreur(QStringLiteral("Aucune transaction à valider."));
        // Tout ou rien : après un ordre en échec, rien de la transaction n'est
        // gardé, comme PostgreSQL le fait de lui-même.
        if (d->echecEnTransaction) {
            qCDebug(journalSql) << "transaction annulée : un ordre a échoué";
            d->enTransaction = false;
            transaction(Transaction::Annuler);
            return erreur(QStringLiteral("Un ordre a échoué pendant la transaction, rien n'est enregistré : %1")
                              .arg(d->premierEchecTransaction));
        }
        qCDebug(journalSql) << "validation de la transaction";
        const bool ok = transaction(Transaction::Valider);
        // Une validation refusée ne laisse rien d'ouvert : le moteur a tout annulé.
        d->enTransaction = false;
        return ok;
    });
}

bool BaseDonnees::Annuler() noexcept
{
    // L'échec qui a motivé l'annulation reste la dernière erreur.
    const QString motif = d->erreur;
    return garde("Annuler", [&] {
        if (!d->enTransaction)
            return erreur(QStringLiteral("Aucune transaction à annuler."));
        qCDebug(journalSql) << "annulation de la transaction";
        d->enTransaction = false;
        if (!transaction(Transaction::Annuler))
            return false;
        d->erreur = motif;
        return true;
    });
}

bool BaseDonnees::ToutOuRien(const std::function<bool()>& travail) noexcept
{
    const bool propre = !d->enTransaction;
    if (propre && !Commencer())
        return false;
    bool fait = false;
    try {
        fait = travail();
    } catch (...) {
        erreur(QStringLiteral("erreur interne"));
    }
    if (!fait) {
        if (propre)
            Annuler();
        return false;
    }
    return !propre || Valider();
}

bool BaseDonnees::LectureCoherente(const std::function<void()>& lecture)
{
    if (d->enTransaction || d->enLecture) {
        lecture();
        return true;
    }
    // Sans instant fixé (connexion perdue, tables tenues par une copie au-delà
    // de l'attente permise), rien n'est lu : des ordres lus chacun à son
    // instant mêleraient deux états de la base.
    d->enLecture = garde("LectureCoherente", [&] { return transaction(Transaction::Lecture); });
    if (!d->enLecture) {
        if (!d->premierEchec)
            d->premierEchec = Echec{QStringLiteral("LectureCoherente"), d->erreur};
        return false;
    }
    struct Fin
    {
        BaseDonnees& base;
        ~Fin()
        {
            if (base.d->enLecture) {
                base.d->enLecture = false;
                base.garde("LectureCoherente", [&] { return base.transaction(Transaction::Annuler); });
            }
        }
    } fin{*this};
    lecture();
    return true;
}

namespace {

bool nomsVerifies(const QString& table, const QStringList& colonnes, QString& refuse)
{
    if (!EstNomVerifie(table)) {
        refuse = table;
        return false;
    }
    for (const QString& c : colonnes)
        if (!EstNomVerifie(c)) {
            refuse = c;
            return false;
        }
    return true;
}

QStringList noms(const QList<ColonneTable>& colonnes)
{
    QStringList l;
    for (const ColonneTable& c : colonnes)
        l << c.nom;
    return l;
}

} // namespace

bool BaseDonnees::CreerTable(const QString& table, const QList<ColonneTable>& colonnes,
                             const QStringList& clePrimaire) noexcept
{
    return garde("CreerTable", [&] {
        QString refuse;
        if (!nomsVerifies(table, noms(colonnes) + clePrimaire, refuse))
            return erreur(MessageNomRefuse(refuse));
        if (colonnes.isEmpty())
            return erreur(QStringLiteral("Table %1 sans colonne.").arg(table));
        return creerTable(table, colonnes, clePrimaire);
    });
}

bool BaseDonnees::SupprimerTable(const QString& table) noexcept
{
    return garde("SupprimerTable", [&] {
        if (!EstNomVerifie(table))
            return erreur(MessageNomRefuse(table));
        return supprimerTable(table);
    });
}

bool BaseDonnees::CreerIndex(const QString& table, const QStringList& colonnes) noexcept
{
    return garde("CreerIndex", [&] {
        QString refuse;
        if (!nomsVerifies(table, colonnes, refuse))
            return erreur(MessageNomRefuse(refuse));
        return creerIndex(table, colonnes);
    });
}

// Chaque ligne donne une valeur par colonne, ou rien n'est écrit.
bool BaseDonnees::insererCompletes(const QString& table, const QList<ColonneTable>& colonnes, const QList<QVariantList>& lignes)
{
    for (const QVariantList& ligne : lignes)
        if (ligne.size() != colonnes.size())
            return erreur(QStringLiteral("Table %1 : %2 valeurs pour %3 colonnes.").arg(table).arg(ligne.size()).arg(colonnes.size()));
    return insererLignes(table, colonnes, lignes);
}

// Les colonnes d'une table où écrire ; rien, l'erreur dite, pour un nom refusé ou une table inconnue.
std::optional<QList<ColonneTable>> BaseDonnees::colonnesPourInsertion(const QString& table)
{
    if (!EstNomVerifie(table)) {
        erreur(MessageNomRefuse(table));
        return std::nullopt;
    }
    QList<ColonneTable> colonnes = colonnesTable(table);
    // Une lecture des colonnes qui a échoué garde sa propre erreur.
    if (colonnes.isEmpty()) {
        if (DerniereErreur().isEmpty())
            erreur(QStringLiteral("Table inconnue : %1").arg(table));
        return std::nullopt;
    }
    return colonnes;
}

bool BaseDonnees::InsererLignes(const QString& table, const QList<QVariantList>& lignes) noexcept
{
    return garde("InsererLignes", [&] {
        const auto colonnes = colonnesPourInsertion(table);
        return colonnes && insererCompletes(table, *colonnes, lignes);
    });
}

bool BaseDonnees::InsererLignes(const QString& table, const QStringList& noms, const QList<QVariantList>& lignes) noexcept
{
    return garde("InsererLignes", [&] {
        const auto toutes = colonnesPourInsertion(table);
        if (!toutes)
            return false;
        QList<ColonneTable> colonnes;
        for (const QString& nom : noms) {
            const auto c = std::find_if(toutes->cbegin(), toutes->cend(),
                                        [&](const ColonneTable& t) { return t.nom.compare(nom, Qt::CaseInsensitive) == 0; });
            if (c == toutes->cend())
                return erreur(QStringLiteral("Table %1 : pas de colonne %2.").arg(table, nom));
            colonnes << *c;
        }
        return insererCompletes(table, colonnes, lignes);
    });
}

QList<ColonneTable> BaseDonnees::ColonnesTable(const QString& table) noexcept
{
    QList<ColonneTable> colonnes;
    garde("ColonnesTable", [&] {
        if (!EstNomVerifie(table))
            return erreur(MessageNomRefuse(table));
        colonnes = colonnesTable(table);
        return true;
    });
    return colonnes;
}

namespace {

// Sans base, aucune ligne ; sinon celles que `lire` tire de l'ordre.
template <typename Lignes, typename Lire>
qint32 lignesDe(BaseDonnees* base, Lignes& lignes, Lire lire)
{
    qint32 n = 0;
    if (!base) {
        lignes = Lignes();
        return 0;
    }
    lire(*base, n);
    return n;
}

} // namespace

qint32 ExtraireLignes(BaseDonnees* base, const OrdreSql& sql, ColonnesTypees& lignes)
{
    return lignesDe(base, lignes, [&](BaseDonnees& b, qint32& n) { b.ExtraireColonnes(sql, lignes, n); });
}

qint32 ExtraireLignes(BaseDonnees* base, const OrdreSql& sql, TableauValeurs& lignes)
{
    return lignesDe(base, lignes, [&](BaseDonnees& b, qint32& n) { b.ExtraireRecords(sql, lignes, n); });
}

bool BaseDonnees::EnTransaction() const noexcept
{
    return d->enTransaction;
}

QString BaseDonnees::DerniereErreur() const
{
    return d->erreur;
}

const std::optional<BaseDonnees::Echec>& BaseDonnees::PremierEchec() const
{
    return d->premierEchec;
}

void BaseDonnees::OublierEchecs()
{
    d->premierEchec.reset();
}

void BaseDonnees::setObservateur(Observateur observateur)
{
    d->observateur = std::move(observateur);
}

void BaseDonnees::effacerErreur()
{
    d->erreur.clear();
}

std::weak_ptr<BaseDonnees*> BaseDonnees::vie() const
{
    return d->vie;
}
