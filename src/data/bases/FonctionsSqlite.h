#pragma once

struct sqlite3;

// La bibliothèque de fonctions du runtime pour une connexion SQLite.
namespace FonctionsSqlite {

void installer(sqlite3* base);

} // namespace FonctionsSqlite
