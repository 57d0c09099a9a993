// Les fonctions acces_* des ordres traduits, en extension que l'outil sqlite3
// charge (« .load ») : il passe alors les mêmes ordres que le programme.
#include "data/bases/FonctionsSqlite.h"

#include <sqlite3.h>

extern "C" int sqlite3_extension_init(sqlite3* base, char**, const void*)
{
    FonctionsSqlite::installer(base);
    return SQLITE_OK;
}
