#include "data/bases/BasePostgres.h"

#include "commun/LocaleUtilisateur.h"
#include "data/JournalSql.h"
#include "data/bases/AttenteServeur.h"
#include "data/bases/CellulesPostgres.h"
#include "data/bases/Libpq.h"
#include "data/bases/MessagesMoteur.h"
#include "commun/MotDePasse.h"
#include "data/bases/TablesSysteme.h"
#include "data/bases/ValeurColonne.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// Les fonctions des ordres, pour cette connexion seulement.
const char* const fonctions = R"SQL(
SET datestyle = 'ISO, MDY';
SELECT set_config('lock_timeout', '%1s', false) WHERE current_setting('lock_timeout') = '0';
SELECT set_config('statement_timeout', '%2s', false) WHERE current_setting('statement_timeout') = '0';
SELECT set_config('idle_in_transaction_session_timeout', '%2s', false)
  WHERE current_setting('idle_in_transaction_session_timeout') = '0';
SET standard_conforming_strings = on;
SET client_min_messages = warning;
CREATE FUNCTION pg_temp.date_valide(a integer, m integer, j integer) RETURNS boolean
LANGUAGE sql IMMUTABLE AS $f$
  SELECT a >= 100 AND m BETWEEN 1 AND 12 AND j >= 1
     AND j <= CAST(date_part('day', make_date(a, m, 1) + INTERVAL '1 month' - INTERVAL '1 day') AS integer)
$f$;
-- CVDate d'un texte : jour d'abord, mois d'abord si la lecture jour d'abord
-- est impossible, heure facultative ; une heure seule tombe le 30/12/1899.
CREATE FUNCTION pg_temp.cvdate(t text) RETURNS timestamp
LANGUAGE plpgsql IMMUTABLE AS $f$
DECLARE
  m text[];
  a integer; mo integer; j integer;
BEGIN
  IF t IS NULL THEN
    RETURN NULL;
  END IF;
  m := regexp_match(btrim(t), '^(\d{1,2})/(\d{1,2})/(\d{4})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?$');
  IF m IS NOT NULL THEN
    a := m[3]::integer; mo := m[2]::integer; j := m[1]::integer;
    IF NOT pg_temp.date_valide(a, mo, j) THEN
      IF pg_temp.date_valide(a, j, mo) THEN
        mo := m[1]::integer; j := m[2]::integer;
      ELSE
        RAISE EXCEPTION 'Conversion en date impossible : « % »', t;
      END IF;
    END IF;
    RETURN make_timestamp(a, mo, j, coalesce(m[4], '0')::integer, coalesce(m[5], '0')::integer,
                          coalesce(m[6], '0')::float8);
  END IF;
  m := regexp_match(btrim(t), '^(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?$');
  IF m IS NOT NULL THEN
    RETURN make_timestamp(1899, 12, 30, m[1]::integer, m[2]::integer, coalesce(m[3], '0')::float8);
  END IF;
  m := regexp_match(btrim(t), '^(\d{4})-(\d{1,2})-(\d{1,2})(?:[ T](\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?$');
  IF m IS NOT NULL AND pg_temp.date_valide(m[1]::integer, m[2]::integer, m[3]::integer) THEN
    RETURN make_timestamp(m[1]::integer, m[2]::integer, m[3]::integer, coalesce(m[4], '0')::integer,
                          coalesce(m[5], '0')::integer, coalesce(m[6], '0')::float8);
  END IF;
  RAISE EXCEPTION 'Conversion en date impossible : « % »', t;
END
$f$;
-- Texte d'une date : l'heure seule le 30/12/1899, la date seule à minuit.
CREATE FUNCTION pg_temp.texte_date(d timestamp) RETURNS text
LANGUAGE sql IMMUTABLE AS $f$
  SELECT CASE WHEN d IS NULL THEN NULL
              WHEN CAST(d AS date) = DATE '1899-12-30' THEN to_char(d, 'HH24:MI:SS')
              WHEN d = date_trunc('day', d) THEN to_char(d, 'DD/MM/YYYY')
              ELSE to_char(d, 'DD/MM/YYYY HH24:MI:SS') END
$f$;
-- Val : blancs ignorés, puis le plus long nombre du début, point décimal ; 0 sinon.
CREATE FUNCTION pg_temp.val(t text) RETURNS float8
LANGUAGE sql IMMUTABLE AS $f$
  SELECT coalesce(CAST(translate(substring(regexp_replace(coalesce(t, ''), '[ \t\r\n]', '', 'g')
                                           FROM '^[+-]?(?:\d+\.?\d*|\.\d+)(?:[eEdD][+-]?\d+)?'), 'dD', 'ee')
                       AS float8), 0)
$f$;
-- Un texte en nombre, avec la virgule ou le point ; vide donne NULL.
CREATE FUNCTION pg_temp.nombre(t text) RETURNS float8
LANGUAGE sql IMMUTABLE AS $f$
  SELECT CAST(NULLIF(replace(btrim(t), ',', '.'), '') AS float8)
$f$;
CREATE FUNCTION pg_temp.instr(debut integer, t text, c text) RETURNS integer
LANGUAGE sql IMMUTABLE AS $f$
  SELECT CASE WHEN debut IS NULL OR t IS NULL OR c IS NULL THEN NULL
              WHEN debut > length(t) THEN 0
              WHEN c = '' THEN debut
              WHEN strpos(substr(t, debut), c) = 0 THEN 0
              ELSE strpos(substr(t, debut), c) + debut - 1 END
$f$;
-- Le délai des ordres que la session a vraiment, en millisecondes : le client en tire sa propre limite.
SELECT CAST(setting AS bigint) FROM pg_settings WHERE name = 'statement_timeout';
)SQL";

// La connexion, bornée par connect_timeout ; les sondes TCP voient un serveur
// disparu pendant une attente, tcp_user_timeout des envois jamais acquittés.
pg_conn* connecter(const QString& connexion, QString& erreur)
{
    // Les délais viennent en premier : le texte de l'utilisateur peut les remplacer.
    const QByteArray delai = QByteArray::number(BasePostgres::delaiConnexionS), texte = connexion.toUtf8();
    const char* const cles[] = {"connect_timeout", "keepalives_idle", "keepalives_interval", "keepalives_count",
                                "tcp_user_timeout", "dbname", "client_encoding", nullptr};
    const char* const valeurs[] = {delai.constData(), "30", "10", "3", "60000", texte.constData(), "UTF8", nullptr};
    pg_conn* c = pq().PQconnectdbParams(cles, valeurs, 1);
    if (c && pq().PQstatus(c) == CONNECTION_OK && pq().PQsetnonblocking(c, 1) == 0)
        return c;
    // libpq cite le texte mal écrit, mot de passe compris.
    erreur = c ? MessagesMoteur::connexionPostgres(MotDePasse::masquer(QString::fromUtf8(pq().PQerrorMessage(c)).trimmed(), connexion))
               : QStringLiteral("mémoire insuffisante");
    pq().PQfinish(c);
    return nullptr;
}

// Le délai de connexion qui s'applique : celui du texte, ou le nôtre ; sans
// délai (0), la préparation de la session a celui des ordres.
std::chrono::milliseconds delaiConnexion(pg_conn* c)
{
    int secondes = BasePostgres::dureeOrdreS;
    PQconninfoOption* options = pq().PQconninfo(c);
    for (PQconninfoOption* o = options; o && o->keyword; ++o)
        if (std::strcmp(o->keyword, "connect_timeout") == 0 && o->val && std::atoi(o->val) > 0)
            secondes = std::max(2, std::atoi(o->val));
    pq().PQconninfoFree(options);
    return std::chrono::seconds(secondes);
}

// Un verrou d'écriture du système pour la durée de la transaction : deux
// écrivains (deux imports qui créent la même station) passent l'un après
// l'autre au lieu de se heurter.
constexpr const char* verrouEcriture = "SELECT pg_advisory_xact_lock(7163047220311650)";

// Les tables que voient les ordres de la connexion, chacune écrite pour un ordre.
constexpr const char* tablesVisibles =
    "SELECT c.relname, quote_ident(n.nspname) || '.' || quote_ident(c.relname) FROM pg_class c "
    "JOIN pg_namespace n ON n.oid = c.relnamespace WHERE c.relkind IN ('r', 'p') AND c.relpersistence <> 't' "
    "AND pg_table_is_visible(c.oid) AND n.nspname NOT IN ('pg_catalog', 'information_schema') ORDER BY 2";

TypeColonne typeCatalogue(const QString& t)
{
    if (t == QStringLiteral("date"))
        return TypeColonne::Date;
    // Les heures du jour sont à la seconde, les dates et heures à la microseconde :
    // la précision les distingue quand une base est copiée d'un moteur à l'autre.
    if (t.startsWith(QStringLiteral("timestamp(0)")))
        return TypeColonne::Heure;
    if (t.startsWith(QStringLiteral("timestamp")))
        return TypeColonne::DateHeure;
    if (t.startsWith(QStringLiteral("time")))
        return TypeColonne::Heure;
    if (t == QStringLiteral("integer") || t == QStringLiteral("smallint") || t == QStringLiteral("bigint"))
        return TypeColonne::Entier;
    if (t == QStringLiteral("double precision") || t == QStringLiteral("real") || t.startsWith(QStringLiteral("numeric")))
        return TypeColonne::Reel;
    if (t == QStringLiteral("text") || t.startsWith(QStringLiteral("character")))
        return TypeColonne::Texte;
    if (t == QStringLiteral("boolean"))
        return TypeColonne::Booleen;
    return TypeColonne::Autre;
}

// Une valeur préparée par ValeurColonne, en texte pour le serveur.
QByteArray texteServeur(const QVariant& v, TypeColonne type)
{
    switch (v.metaType().id()) {
    case QMetaType::QDateTime:
        return ValeurColonne::iso(v.toDateTime(), type != TypeColonne::Date).toUtf8();
    case QMetaType::Double:
        return QByteArray::number(v.toDouble(), 'g', 17);
    case QMetaType::LongLong:
    case QMetaType::Int:
        if (type == TypeColonne::Booleen)
            return v.toLongLong() != 0 ? QByteArray("t") : QByteArray("f");
        return QByteArray::number(v.toLongLong());
    default:
        return v.toString().toUtf8();
    }
}

// Un texte mal formé qui commence comme une connexion (« host=… », « user = … », toute casse) en est une
// à refuser, pas le nom d'un fichier à créer.
bool commenceParUneCle(const QString& texte)
{
    static const QStringList cles = {"host", "hostaddr", "port", "dbname", "user", "password", "passfile", "service", "sslmode"};
    return cles.contains(texte.section(u'=', 0, 0).trimmed(), Qt::CaseInsensitive);
}

} // namespace

bool BasePostgres::estConnexion(const QString& texte)
{
    const QString t = texte.trimmed();
    // « postgresql: » sans « // » est une adresse mal écrite, jamais un fichier à créer.
    if (t.startsWith(QStringLiteral("postgresql:"), Qt::CaseInsensitive) || t.startsWith(QStringLiteral("postgres:"), Qt::CaseInsensitive))
        return true;
    // "cle=valeur" séparés par des blancs, et une clé au moins qui désigne un serveur.
    // Sans signe égal, c'est un chemin : libpq n'est pas chargée pour si peu.
    if (!t.contains(u'='))
        return false;
    // Sans la bibliothèque, l'ouverture dira ce qui manque.
    QString absente;
    if (!Libpq::charger(absente))
        return true;
    char* message = nullptr;
    PQconninfoOption* options = pq().PQconninfoParse(t.toUtf8().constData(), &message);
    pq().PQfreemem(message);
    if (!options)
        return commenceParUneCle(t);
    bool serveur = false;
    for (PQconninfoOption* o = options; o->keyword; ++o)
        serveur = serveur || (o->val && *o->val && std::strcmp(o->keyword, "options") != 0);
    pq().PQconninfoFree(options);
    return serveur;
}

void BasePostgres::LibererResultat::operator()(pg_result* r) const
{
    pq().PQclear(r);
}

std::unique_ptr<BasePostgres> BasePostgres::ouvrir(const QString& connexion, QString& erreur)
{
    if (!Libpq::charger(erreur))
        return nullptr;
    pg_conn* c = connecter(connexion, erreur);
    if (!c)
        return nullptr;
    std::unique_ptr<BasePostgres> base(new BasePostgres(c));
    if (!base->preparer(erreur))
        return nullptr;
    return base;
}

std::unique_ptr<BasePostgres> BasePostgres::ouvrirEnLecture(const QString& connexion, QString& erreur, bool& pouvoirEnTrop)
{
    auto base = ouvrir(connexion, erreur);
    if (!base)
        return nullptr;
    // Les tables que la session lit (son chemin de recherche), par leur numéro : une table effacée
    // entre-temps par une autre session ne fait pas échouer la question.
    const auto trop = base->valeurUnique(
        "SELECT (SELECT rolsuper FROM pg_roles WHERE rolname = current_user) OR EXISTS (SELECT 1 FROM pg_class c "
        "JOIN pg_namespace n ON n.oid = c.relnamespace WHERE c.relkind IN ('r', 'p') "
        "AND n.nspname = ANY (current_schemas(false)) AND has_table_privilege(c.oid, 'INSERT, UPDATE, DELETE, TRUNCATE'))");
    pouvoirEnTrop = !trop || *trop != "f";
    // Une lecture ne dure pas : un ordre arrêté au bout de 30 s libère la session pour les suivantes.
    if (!base->valeurUnique("SELECT set_config('default_transaction_read_only', 'on', false), "
                            "set_config('statement_timeout', '30s', false)")) {
        erreur = QStringLiteral("la session PostgreSQL ne peut être mise en lecture seule.");
        return nullptr;
    }
    return base;
}

std::optional<QByteArray> BasePostgres::valeurUnique(const QByteArray& sql)
{
    const Resultat r = envoyerOrdre(sql);
    if (pq().PQresultStatus(r.get()) != PGRES_TUPLES_OK || pq().PQntuples(r.get()) != 1)
        return std::nullopt;
    return QByteArray(pq().PQgetvalue(r.get(), 0, 0));
}

QString BasePostgres::versionDonnees()
{
    // Les transactions qui écrivent, en cours et à venir : une écriture validée ou commencée la change,
    // une lecture non ; le journal (WAL), lui, avance aussi sans écriture de personne.
    const auto instant = valeurUnique("SELECT pg_current_snapshot()::text");
    return instant ? QString::fromLatin1(*instant) : QString();
}

bool BasePostgres::preparer(QString& erreur)
{
    // La session se prépare dans le délai de la connexion : c'en est la fin.
    m_attente->limiter(delaiConnexion(m_connexion), QStringLiteral("connect_timeout"));
    const Resultat r = envoyerOrdre(QString::fromUtf8(fonctions).arg(attenteVerrouS).arg(dureeOrdreS).toUtf8());
    if (pq().PQresultStatus(r.get()) != PGRES_TUPLES_OK || pq().PQntuples(r.get()) != 1) {
        erreur = QStringLiteral("préparation de la connexion PostgreSQL impossible : %1").arg(echecServeur(r.get()));
        return false;
    }
    m_attente->limiter(std::chrono::milliseconds(std::atoll(pq().PQgetvalue(r.get(), 0, 0))), QStringLiteral("statement_timeout"));
    return true;
}

BasePostgres::BasePostgres(pg_conn* connexion)
    : m_connexion(connexion)
    , m_attente(std::make_unique<AttenteServeur>(connexion))
    , m_traducteur(std::make_unique<TraducteurPostgres>([this](const QString& table) { return colonnesTable(table); },
                                                        LocaleUtilisateur::separateurDecimal()))
{
}

BasePostgres::~BasePostgres()
{
    pq().PQfinish(m_connexion);
}

QString BasePostgres::echecServeur(const pg_result* r) const
{
    if (m_attente->abandonnee())
        return m_attente->message();
    const char* m = r ? pq().PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    const char* etat = r ? pq().PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr;
    if (m && *m)
        return MessagesMoteur::postgres(QString::fromLatin1(etat ? etat : ""), QString::fromUtf8(m));
    // Sans réponse du serveur : la connexion elle-même a lâché.
    return MessagesMoteur::postgres(QStringLiteral("08000"), QString::fromUtf8(pq().PQerrorMessage(m_connexion)).trimmed());
}

BasePostgres::Resultat BasePostgres::recueillir()
{
    Resultat garde;
    while (pg_result* brut = m_attente->resultat()) {
        Resultat r(brut);
        const ExecStatusType etat = pq().PQresultStatus(brut);
        if (!garde || pq().PQresultStatus(garde.get()) != PGRES_FATAL_ERROR)
            garde = std::move(r);
        // Un COPY attend ses lignes : la suite vient après elles.
        if (etat == PGRES_COPY_IN || etat == PGRES_COPY_OUT || etat == PGRES_COPY_BOTH)
            break;
    }
    // Un abandon en cours de route ne rend pas un résultat à moitié lu.
    return m_attente->abandonnee() ? Resultat() : std::move(garde);
}

BasePostgres::Resultat BasePostgres::envoyerOrdre(const QByteArray& sql)
{
    if (m_attente->abandonnee() || pq().PQsendQuery(m_connexion, sql.constData()) != 1 || !m_attente->envoyer())
        return Resultat();
    return recueillir();
}

BasePostgres::Resultat BasePostgres::envoyerOrdre(const QByteArray& sql, const std::vector<const char*>& valeurs, int format)
{
    if (m_attente->abandonnee()
        || pq().PQsendQueryParams(m_connexion, sql.constData(), int(valeurs.size()), nullptr, valeurs.empty() ? nullptr : valeurs.data(),
                             nullptr, nullptr, format)
            != 1
        || !m_attente->envoyer())
        return Resultat();
    return recueillir();
}

BasePostgres::Resultat BasePostgres::executerAvecValeurs(const QString& sql, const QList<QByteArray>& valeurs,
                                                         const QList<bool>& nulles, const QList<TypeValeur>& types, bool lecture)
{
    std::vector<const char*> pointeurs;
    for (int i = 0; i < valeurs.size(); ++i)
        pointeurs.push_back(nulles.value(i) ? nullptr : valeurs[i].constData());
    // Le protocole étendu n'accepte qu'un ordre par texte.
    const QByteArray texte = sql.toUtf8();
    // Une lecture dont chaque colonne a un genre connu revient en binaire : le
    // serveur n'écrit pas chaque nombre et chaque date, et le client ne les relit pas.
    const bool binaire = lecture && !types.isEmpty() && !types.contains(TypeValeur::Inconnu);
    Resultat r = envoyerOrdre(texte, pointeurs, binaire ? 1 : 0);
    // Un genre que seul le texte sait lire (un instant avec fuseau…) : la même lecture en texte.
    if (binaire && pq().PQresultStatus(r.get()) == PGRES_TUPLES_OK && !CellulesPostgres::lisiblesEnBinaire(r.get()))
        r = envoyerOrdre(texte, pointeurs, 0);
    const ExecStatusType etat = pq().PQresultStatus(r.get());
    if (etat != PGRES_TUPLES_OK && etat != PGRES_COMMAND_OK) {
        erreur(echecServeur(r.get()));
        return Resultat();
    }
    return r;
}

bool BasePostgres::lancerAvecValeurs(const QString& sql, const QList<QByteArray>& valeurs, const QList<bool>& nulles,
                                     const QList<TypeValeur>& types, TableauValeurs* lignes)
{
    const Resultat r = executerAvecValeurs(sql, valeurs, nulles, types, lignes != nullptr);
    if (!r)
        return false;
    if (lignes)
        *lignes = CellulesPostgres::tableau(r.get(), types);
    return true;
}

bool BasePostgres::lancer(const QString& sql, const QList<TypeValeur>& types, TableauValeurs* lignes)
{
    return lancerAvecValeurs(sql, {}, {}, types, lignes);
}

bool BasePostgres::lancerColonnes(const QString& sql, const QList<TypeValeur>& types, ColonnesTypees& lignes)
{
    const Resultat r = executerAvecValeurs(sql, {}, {}, types, true);
    if (!r)
        return false;
    lignes = CellulesPostgres::colonnes(r.get(), types);
    return true;
}

// Une lecture répétable ne protège pas d'un DROP TABLE ou d'un TRUNCATE validé
// pendant qu'elle dure (la table lui paraît vide ou disparue) : les tables du
// système sont verrouillées en partage avant le premier ordre, qui fixe
// l'instant lu. Une copie qui les remplace attend la fin de la lecture, ou la
// lecture la fin de la copie.
bool BasePostgres::commencerLecture()
{
    for (int essai = 1;; ++essai) {
        const Resultat liste = envoyerOrdre(tablesVisibles);
        if (pq().PQresultStatus(liste.get()) != PGRES_TUPLES_OK)
            return erreur(echecServeur(liste.get()));
        QStringList noms;
        for (int i = 0; i < pq().PQntuples(liste.get()); ++i)
            if (TablesSysteme::estDuSysteme(QString::fromUtf8(pq().PQgetvalue(liste.get(), i, 0))))
                noms << QString::fromUtf8(pq().PQgetvalue(liste.get(), i, 1));
        const Resultat debut = envoyerOrdre("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
        if (pq().PQresultStatus(debut.get()) != PGRES_COMMAND_OK)
            return erreur(echecServeur(debut.get()));
        if (noms.isEmpty())
            return true;
        const Resultat verrou = envoyerOrdre((QStringLiteral("LOCK TABLE ") + noms.join(QStringLiteral(", "))
                                              + QStringLiteral(" IN ACCESS SHARE MODE")).toUtf8());
        if (pq().PQresultStatus(verrou.get()) == PGRES_COMMAND_OK)
            return true;
        const QString message = echecServeur(verrou.get());
        const char* etat = verrou ? pq().PQresultErrorField(verrou.get(), PG_DIAG_SQLSTATE) : nullptr;
        envoyerOrdre("ROLLBACK");
        // Une table supprimée entre la liste et le verrou : la liste est relue.
        if (essai == 3 || !etat || qstrcmp(etat, "42P01") != 0)
            return erreur(message);
    }
}

bool BasePostgres::transaction(Transaction quoi)
{
    if (quoi == Transaction::Lecture)
        return commencerLecture();
    static const char* const ordres[] = {"BEGIN", "COMMIT", "ROLLBACK"};
    const char* sql = ordres[int(quoi)];
    const Resultat r = envoyerOrdre(sql);
    if (pq().PQresultStatus(r.get()) != PGRES_COMMAND_OK)
        return erreur(echecServeur(r.get()));
    if (quoi == Transaction::Commencer) {
        const Resultat verrou = envoyerOrdre(verrouEcriture);
        if (pq().PQresultStatus(verrou.get()) != PGRES_TUPLES_OK) {
            const QString message = echecServeur(verrou.get());
            envoyerOrdre("ROLLBACK");
            return erreur(message);
        }
    }
    // Un COMMIT après une erreur répond ROLLBACK : rien n'est gardé.
    if (quoi == Transaction::Valider && qstrcmp(pq().PQcmdStatus(r.get()), "ROLLBACK") == 0)
        return erreur(QStringLiteral("Transaction annulée par le serveur après une erreur : rien n'est enregistré."));
    return true;
}

namespace {

// Une valeur dans le format texte de COPY ; \N pour NULL.
void ajouterCopie(QByteArray& donnees, const QVariant& v, TypeColonne type)
{
    if (!v.isValid()) {
        donnees += "\\N";
        return;
    }
    QByteArray t = texteServeur(v, type);
    t.replace('\\', "\\\\").replace('\t', "\\t").replace('\n', "\\n").replace('\r', "\\r");
    donnees += t;
}

} // namespace

bool BasePostgres::insererLignes(const QString& table, const QList<ColonneTable>& colonnes, const QList<QVariantList>& lignes)
{
    // Toutes les lignes sont converties avant d'envoyer quoi que ce soit.
    QByteArray donnees;
    for (const QVariantList& ligne : lignes) {
        for (int c = 0; c < colonnes.size(); ++c) {
            QString message;
            const auto v = ValeurColonne::convertir(ligne[c], colonnes[c].type, message);
            if (!v)
                return erreur(QStringLiteral("%1.%2 : %3").arg(table, colonnes[c].nom, message));
            if (c > 0)
                donnees += '\t';
            ajouterCopie(donnees, *v, colonnes[c].type);
        }
        donnees += '\n';
    }
    if (!envoyerCopie(table, colonnes, donnees))
        return false;
    // Des statistiques à jour pour que le planificateur choisisse bien ses jointures.
    return lancer(QStringLiteral("ANALYZE ") + m_traducteur->identifiant(table), {}, nullptr);
}

bool BasePostgres::ecrireLot(const QString& table, const QList<ColonneTable>& colonnes, const TableauValeurs& lignes)
{
    QByteArray donnees;
    for (int r = 0; r < lignes.points(); ++r) {
        for (int c = 0; c < colonnes.size(); ++c) {
            if (c > 0)
                donnees += '\t';
            ajouterCopie(donnees, lignes(c, r), colonnes[c].type);
        }
        donnees += '\n';
    }
    return envoyerCopie(table, colonnes, donnees);
}

bool BasePostgres::envoyerCopie(const QString& table, const QList<ColonneTable>& colonnes, const QByteArray& donnees)
{
    QStringList noms;
    for (const ColonneTable& c : colonnes)
        noms << m_traducteur->identifiant(c.nom);
    const QString sql = QStringLiteral("COPY ") + m_traducteur->identifiant(table) + QStringLiteral(" (")
        + noms.join(QStringLiteral(", ")) + QStringLiteral(") FROM STDIN");
    const Resultat debut = envoyerOrdre(sql.toUtf8());
    if (pq().PQresultStatus(debut.get()) != PGRES_COPY_IN)
        return erreur(echecServeur(debut.get()));
    if (!m_attente->remettreCopie(donnees))
        return erreur(echecServeur(nullptr));
    const Resultat fin = recueillir();
    return pq().PQresultStatus(fin.get()) == PGRES_COMMAND_OK || erreur(echecServeur(fin.get()));
}

bool BasePostgres::parcourir(const QString& sql, int taille, const Lot& lot)
{
    // Une ligne à la fois depuis le serveur : la table n'est jamais entière en mémoire.
    if (m_attente->abandonnee() || pq().PQsendQuery(m_connexion, sql.toUtf8().constData()) != 1)
        return erreur(echecServeur(nullptr));
    pq().PQsetSingleRowMode(m_connexion);
    if (!m_attente->envoyer())
        return erreur(echecServeur(nullptr));
    QList<QVariant> cellules;
    int rangs = 0, champs = 0;
    auto livrer = [&] {
        const TableauValeurs t(champs, rangs, std::move(cellules));
        cellules = QList<QVariant>();
        rangs = 0;
        return lot(t);
    };
    QString message;
    while (pg_result* brut = m_attente->resultat()) {
        Resultat r(brut);
        const ExecStatusType etat = pq().PQresultStatus(r.get());
        if (etat == PGRES_SINGLE_TUPLE) {
            champs = pq().PQnfields(r.get());
            for (int c = 0; c < champs; ++c)
                cellules.append(CellulesPostgres::cellule(r.get(), 0, c, TypeValeur::Inconnu));
            if (++rangs == taille && !livrer()) {
                interrompre();
                return false;
            }
        } else if (etat != PGRES_TUPLES_OK && message.isEmpty()) {
            message = echecServeur(r.get());
        }
    }
    if (m_attente->abandonnee())
        return erreur(echecServeur(nullptr));
    if (!message.isEmpty())
        return erreur(message);
    return rangs == 0 || livrer();
}

void BasePostgres::interrompre()
{
    if (m_attente->abandonnee())
        return;
    if (PGcancel* annulation = pq().PQgetCancel(m_connexion)) {
        char tampon[256];
        pq().PQcancel(annulation, tampon, int(sizeof tampon));
        pq().PQfreeCancel(annulation);
    }
    while (pg_result* reste = m_attente->resultat())
        pq().PQclear(reste);
}

QString BasePostgres::typeSql(TypeColonne type) const
{
    switch (type) {
    case TypeColonne::Date: return QStringLiteral("date");
    case TypeColonne::Heure: return QStringLiteral("timestamp(0)");
    case TypeColonne::DateHeure: return QStringLiteral("timestamp");
    // Sur 64 bits comme l'INTEGER de SQLite : une base copiée garde ses grands entiers.
    case TypeColonne::Entier: return QStringLiteral("bigint");
    case TypeColonne::Reel: return QStringLiteral("double precision");
    case TypeColonne::Texte: return QStringLiteral("text");
    case TypeColonne::Booleen: return QStringLiteral("boolean");
    case TypeColonne::Autre: break;
    }
    return QStringLiteral("text");
}

QList<ColonneTable> BasePostgres::lireColonnes(const QString& table)
{
    TableauValeurs lignes;
    const QByteArray nom = m_traducteur->identifiant(table).toUtf8();
    QList<ColonneTable> colonnes;
    // Sans erreur gardée : une table absente est une réponse, pas une panne.
    const QString erreurAvant = DerniereErreur();
    if (!lancerAvecValeurs(QStringLiteral("SELECT a.attname, format_type(a.atttypid, a.atttypmod), a.attnotnull FROM pg_attribute a "
                                          "WHERE a.attrelid = to_regclass($1) AND a.attnum > 0 AND NOT a.attisdropped "
                                          "ORDER BY a.attnum"),
                           {nom}, {false}, {}, &lignes)) {
        erreur(erreurAvant.isEmpty() ? DerniereErreur() : erreurAvant);
        return colonnes;
    }
    for (int i = 0; i < lignes.points(); ++i)
        colonnes.append({lignes(0, i).toString(), typeCatalogue(lignes(1, i).toString()), lignes(2, i).toBool()});
    return colonnes;
}

bool BasePostgres::ecrireEnregistrement(const QString& table, const QList<ColonneTable>& colonnes, const QVariantList& valeurs,
                                        QVariant& identifiant)
{
    QList<QByteArray> textes;
    QList<bool> nulles;
    for (int c = 0; c < colonnes.size(); ++c) {
        QString message;
        const auto v = ValeurColonne::convertir(valeurs.value(c), colonnes[c].type, message);
        if (!v)
            return erreur(QStringLiteral("%1.%2 : %3").arg(table, colonnes[c].nom, message));
        textes << (v->isValid() ? texteServeur(*v, colonnes[c].type) : QByteArray());
        nulles << !v->isValid();
    }
    QStringList noms, places, affectations;
    for (int c = 0; c < colonnes.size(); ++c) {
        const QString nom = m_traducteur->identifiant(colonnes[c].nom);
        noms << nom;
        places << QStringLiteral("$%1").arg(c + 1);
        affectations << nom + QStringLiteral(" = $%1").arg(c + 1);
    }
    TableauValeurs retour;
    if (!identifiant.isValid()) {
        if (!lancerAvecValeurs(QStringLiteral("INSERT INTO ") + m_traducteur->identifiant(table) + QStringLiteral(" (")
                                   + noms.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (")
                                   + places.join(QStringLiteral(", ")) + QStringLiteral(") RETURNING ctid"),
                               textes, nulles, {}, &retour))
            return false;
    } else {
        textes << identifiant.toString().toUtf8();
        nulles << false;
        if (!lancerAvecValeurs(QStringLiteral("UPDATE ") + m_traducteur->identifiant(table) + QStringLiteral(" SET ")
                                   + affectations.join(QStringLiteral(", "))
                                   + QStringLiteral(" WHERE ctid = CAST($%1 AS tid) RETURNING ctid").arg(colonnes.size() + 1),
                               textes, nulles, {}, &retour))
            return false;
    }
    if (retour.points() != 1)
        return erreur(QStringLiteral("%1 : l'enregistrement lu n'existe plus.").arg(table));
    identifiant = retour(0, 0);
    return true;
}
