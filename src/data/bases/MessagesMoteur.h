#pragma once

#include <QString>

// Les échecs des moteurs dits en français : ce que l'utilisateur peut
// comprendre et corriger d'abord, puis après un deux-points le texte de
// SQLite, ou seulement le nom que cite PostgreSQL.
namespace MessagesMoteur {

// `code` : le code d'erreur étendu de SQLite.
QString sqlite(int code, const QString& texte);
// `etat` : le SQLSTATE de PostgreSQL, vide quand le serveur n'en a pas donné.
QString postgres(const QString& etat, const QString& texte);
// Une connexion au serveur qui n'a pas abouti.
QString connexionPostgres(const QString& texte);

} // namespace MessagesMoteur
