#include "data/bases/MessagesMoteur.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

TEST(MessagesMoteur, CeQueLUtilisateurPeutCorrigerEnFrancaisDAbord)
{
    const struct
    {
        QString message;
        const char* debut;
    } cas[] = {
        {MessagesMoteur::sqlite(SQLITE_CANTOPEN, "unable to open database file"), "impossible d'ouvrir le fichier de la base"},
        {MessagesMoteur::sqlite(SQLITE_FULL, "database or disk is full"), "le disque est plein"},
        {MessagesMoteur::sqlite(SQLITE_BUSY_SNAPSHOT, "database is locked"), "la base est occupée"},
        {MessagesMoteur::sqlite(SQLITE_CORRUPT, "database disk image is malformed"), "la base est endommagée"},
        {MessagesMoteur::sqlite(SQLITE_ERROR, "no such table: PLUVIO_X"), "table introuvable : PLUVIO_X"},
        {MessagesMoteur::sqlite(SQLITE_ERROR, "near \"x\": syntax error"), "erreur de la base SQLite : near"},
        {MessagesMoteur::postgres("55P03", "canceling statement due to lock timeout"), "la table est verrouillée par une autre session"},
        {MessagesMoteur::postgres("57014", "canceling statement due to statement timeout"), "ordre interrompu"},
        {MessagesMoteur::postgres("08006", "server closed the connection unexpectedly"), "connexion au serveur PostgreSQL perdue"},
        {MessagesMoteur::connexionPostgres("connection to server at \"127.0.0.1\", port 1 failed: Connection refused\n\tIs the server running"),
         "le serveur PostgreSQL ne répond pas (connexion refusée)"},
        {MessagesMoteur::connexionPostgres("connection to server at \"10.0.0.1\" failed: timeout expired"), "le serveur PostgreSQL n'a pas répondu"},
        {MessagesMoteur::connexionPostgres("connection to server at \"h\" failed: FATAL:  database \"x\" does not exist"),
         "la base ou l'utilisateur n'existe pas sur le serveur : x"},
        {MessagesMoteur::connexionPostgres("quelque chose d'autre"), "connexion au serveur PostgreSQL impossible"},
    };
    // Le texte du moteur qui ne fait que répéter son code ne s'ajoute pas, en anglais, au français ;
    // celui qui nomme quelque chose (une contrainte) reste.
    EXPECT_EQ(MessagesMoteur::sqlite(SQLITE_NOTADB, "file is not a database"), "le fichier n'est pas une base SQLite");
    EXPECT_EQ(MessagesMoteur::sqlite(SQLITE_READONLY_DIRECTORY, "attempt to write a readonly database"),
              "la base est en lecture seule (droits du fichier ou de son dossier)");
    EXPECT_TRUE(MessagesMoteur::sqlite(SQLITE_CONSTRAINT_UNIQUE, "UNIQUE constraint failed: T.c").endsWith("UNIQUE constraint failed: T.c"));
    // PostgreSQL : le français seul, et le nom que le serveur cite entre guillemets.
    EXPECT_EQ(MessagesMoteur::postgres("40P01", "deadlock detected"), "conflit avec une autre session (interblocage) : rien n'est enregistré");
    EXPECT_EQ(MessagesMoteur::postgres("42P01", "relation \"pluvio_x\" does not exist"), "table introuvable : pluvio_x");
    EXPECT_EQ(MessagesMoteur::postgres("XX000", "internal error"), "erreur du serveur PostgreSQL (code XX000)");
    for (const auto& c : cas) {
        EXPECT_TRUE(c.message.startsWith(QString::fromUtf8(c.debut))) << c.message.toStdString();
        // Une ligne, sans la tabulation ni le retour à la ligne de libpq.
        EXPECT_FALSE(c.message.contains(u'\n') || c.message.contains(u'\t')) << c.message.toStdString();
    }
}

} // namespace
