#pragma once

#include <QString>
#include <libpq-fe.h>

// Les fonctions de libpq, chargée à la première connexion et non au
// démarrage : un graphique sur un fichier SQLite ne paie ni libpq ni ce
// qu'elle amène (TLS, Kerberos, LDAP), en mémoire comme en temps.
class Libpq
{
public:
#define GRAPHIQUE_FONCTIONS_LIBPQ(X)                                                                               \
    X(PQcancel) X(PQclear) X(PQcmdStatus) X(PQconnectdbParams) X(PQconninfo) X(PQconninfoFree) X(PQconninfoParse)  \
    X(PQconsumeInput) X(PQerrorMessage) X(PQfformat) X(PQfinish) X(PQflush) X(PQfreeCancel) X(PQfreemem)          \
    X(PQftype) X(PQgetCancel) X(PQgetResult) X(PQgetisnull) X(PQgetlength) X(PQgetvalue) X(PQisBusy)               \
    X(PQnfields) X(PQntuples) X(PQputCopyData) X(PQputCopyEnd) X(PQresultErrorField) X(PQresultStatus)             \
    X(PQsendQuery) X(PQsendQueryParams) X(PQsetSingleRowMode) X(PQsetnonblocking) X(PQsocket) X(PQstatus)
#define GRAPHIQUE_MEMBRE_LIBPQ(f) decltype(&::f) f = nullptr;
    GRAPHIQUE_FONCTIONS_LIBPQ(GRAPHIQUE_MEMBRE_LIBPQ)
#undef GRAPHIQUE_MEMBRE_LIBPQ

    // Les fonctions, chargées au premier appel ; rien et la raison quand la
    // bibliothèque manque ou n'a pas tout.
    static const Libpq* charger(QString& erreur);
    // Une fois une connexion ouverte, la bibliothèque est là.
    static const Libpq& fonctions();
};

// Raccourci des appels : pq().PQexec(…).
inline const Libpq& pq()
{
    return Libpq::fonctions();
}
