// The program's SQL Server functions (year, month, day, len) as an extension
// of the sqlite3 shell: a benchmark's replay loads it (".load") so that the
// program's statements run on the shell with the same functions.
#include "db/SqliteFunctions.h"

#include <sqlite3.h>

extern "C" int sqlite3_extension_init(sqlite3* db, char**, const void*)
{
    return corv::registerSqlServerFunctions(db) ? SQLITE_OK : SQLITE_ERROR;
}
