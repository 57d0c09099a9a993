#include "data/bases/MessagesMoteur.h"

#include "commun/TexteAffichable.h"
#include "data/JournalSql.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace MessagesMoteur {

namespace {

struct Traduction
{
    const char* cle;
    const char* texte;
};

QString joindre(const char* francais, const QString& texte)
{
    const QString t = TexteAffichable(texte.simplified(), 200);
    return t.isEmpty() ? QString::fromUtf8(francais) : QString::fromUtf8(francais) + QStringLiteral(" : ") + t;
}

// Les erreurs génériques de SQLite les plus courantes, dont le nom en cause est gardé.
QString erreurGenerique(const QString& texte)
{
    static const std::pair<QRegularExpression, const char*> formes[] = {
        {QRegularExpression(QStringLiteral("^no such table: (.+)$")), "table introuvable : %1"},
        {QRegularExpression(QStringLiteral("^no such column: (.+)$")), "colonne introuvable : %1"},
        {QRegularExpression(QStringLiteral("^table (\\S+) already exists$")), "la table %1 existe déjà"},
        {QRegularExpression(QStringLiteral("^no such function: (.+)$")), "fonction inconnue : %1"},
    };
    for (const auto& [forme, francais] : formes)
        if (const auto m = forme.match(texte); m.hasMatch())
            return QString::fromUtf8(francais).arg(TexteAffichable(m.captured(1), 60));
    return QString();
}

// Le français seul : le texte anglais du serveur ne va qu'au journal des
// ordres ; seul un nom qu'il cite entre guillemets (table, colonne,
// contrainte, valeur) reste, pour dire de quoi il s'agit : le premier pour
// un ordre, le dernier pour une connexion (le serveur vient avant la base ou
// l'utilisateur).
QString nommer(const char* francais, const QString& texte, bool dernier = false)
{
    qCDebug(journalSql) << "PostgreSQL :" << texte;
    static const QRegularExpression cite(QStringLiteral("\"([^\"]*)\""));
    QRegularExpressionMatch m;
    for (auto it = cite.globalMatch(texte); it.hasNext() && (dernier || !m.hasMatch());)
        m = it.next();
    const QString nom = m.hasMatch() ? TexteAffichable(m.captured(1), 60) : QString();
    return nom.isEmpty() ? QString::fromUtf8(francais) : QString::fromUtf8(francais) + QStringLiteral(" : ") + nom;
}

} // namespace

QString sqlite(int code, const QString& texte)
{
    static const std::pair<int, const char*> primaires[] = {
        {SQLITE_NOTADB, "le fichier n'est pas une base SQLite"},
        {SQLITE_CORRUPT, "la base est endommagée"},
        {SQLITE_READONLY, "la base est en lecture seule (droits du fichier ou de son dossier)"},
        {SQLITE_CANTOPEN, "impossible d'ouvrir le fichier de la base (chemin, droits)"},
        {SQLITE_FULL, "le disque est plein"},
        {SQLITE_BUSY, "la base est occupée par un autre programme (attente dépassée)"},
        {SQLITE_LOCKED, "la base est occupée par un autre programme"},
        {SQLITE_IOERR, "erreur de lecture ou d'écriture du fichier de la base"},
        {SQLITE_PERM, "accès à la base refusé"},
        {SQLITE_NOMEM, "mémoire insuffisante"},
        {SQLITE_CONSTRAINT, "une contrainte de la table est violée (valeur en double ?)"},
        {SQLITE_TOOBIG, "valeur trop grande pour la base"},
        {SQLITE_INTERRUPT, "ordre interrompu"},
        {SQLITE_AUTH, "accès à la base refusé"},
    };
    const int primaire = code & 0xff;
    // Le texte anglais du moteur n'est gardé que s'il en dit plus que son code (le nom d'une contrainte…).
    const bool generique = texte.trimmed() == QString::fromUtf8(sqlite3_errstr(code)) || texte.trimmed() == QString::fromUtf8(sqlite3_errstr(primaire));
    for (const auto& [c, francais] : primaires)
        if (c == primaire)
            return generique ? QString::fromUtf8(francais) : joindre(francais, texte);
    if (const QString g = erreurGenerique(texte); !g.isEmpty())
        return g;
    return joindre("erreur de la base SQLite", texte);
}

QString postgres(const QString& etat, const QString& texte)
{
    // Du plus précis (l'état entier) au plus large (sa classe, deux caractères).
    static const Traduction etats[] = {
        {"55P03", "la table est verrouillée par une autre session (attente dépassée)"},
        {"57014", "ordre interrompu : il a dépassé le temps permis"},
        {"42P01", "table introuvable"},
        {"42703", "colonne introuvable"},
        {"42883", "fonction inconnue"},
        {"3D000", "la base n'existe pas sur le serveur"},
        {"23505", "valeur en double dans une colonne qui n'en admet pas"},
        {"40P01", "conflit avec une autre session (interblocage) : rien n'est enregistré"},
        {"40001", "conflit avec une autre session : rien n'est enregistré"},
        {"25P02", "transaction abandonnée après une erreur"},
        {"25006", "la session est en lecture seule"},
        {"53100", "le disque du serveur est plein"},
        {"53200", "mémoire du serveur insuffisante"},
        {"57P01", "le serveur s'arrête"},
        {"42501", "droits insuffisants sur le serveur"},
        {"08", "connexion au serveur PostgreSQL perdue"},
        {"28", "authentification refusée par le serveur"},
        {"22", "valeur impossible"},
        {"23", "une contrainte de la table est violée"},
        {"42", "ordre refusé par le serveur"},
        {"53", "ressources du serveur insuffisantes"},
        {"57", "ordre interrompu par le serveur"},
    };
    // Une exception levée par les fonctions du système : son texte est déjà en français.
    if (etat == QLatin1String("P0001"))
        return TexteAffichable(texte.simplified(), 200);
    for (const Traduction& t : etats)
        if (etat.startsWith(QLatin1String(t.cle)))
            return nommer(t.texte, texte);
    if (etat.isEmpty())
        return connexionPostgres(texte);
    qCDebug(journalSql) << "PostgreSQL :" << texte;
    return QStringLiteral("erreur du serveur PostgreSQL (code %1)").arg(TexteAffichable(etat, 10));
}

QString connexionPostgres(const QString& texte)
{
    static const Traduction formes[] = {
        {"Connection refused", "le serveur PostgreSQL ne répond pas (connexion refusée)"},
        {"timeout expired", "le serveur PostgreSQL n'a pas répondu à temps"},
        {"could not translate host name", "nom de serveur inconnu"},
        {"password authentication failed", "mot de passe refusé par le serveur"},
        {"no password supplied", "le serveur demande un mot de passe"},
        {"does not exist", "la base ou l'utilisateur n'existe pas sur le serveur"},
        {"No such file or directory", "aucun serveur PostgreSQL à cette adresse"},
        {"server closed the connection", "le serveur a fermé la connexion"},
        {"no connection to the server", "pas de connexion au serveur"},
        {"Network is unreachable", "réseau injoignable"},
        {"No route to host", "serveur injoignable"},
        {"invalid connection option", "texte de connexion incorrect"},
        {"missing \"=\"", "texte de connexion incorrect"},
        {"invalid URI", "texte de connexion incorrect"},
        {"invalid integer value", "texte de connexion incorrect"},
    };
    for (const Traduction& t : formes)
        if (texte.contains(QLatin1String(t.cle)))
            return nommer(t.texte, texte, true);
    return nommer("connexion au serveur PostgreSQL impossible", texte, true);
}

} // namespace MessagesMoteur
