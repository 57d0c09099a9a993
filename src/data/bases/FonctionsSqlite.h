#pragma once

struct sqlite3;

// Les fonctions de la formulation Access (CStr, Format, DateValue…) pour une connexion SQLite.
namespace FonctionsSqlite {

void installer(sqlite3* base);

} // namespace FonctionsSqlite
