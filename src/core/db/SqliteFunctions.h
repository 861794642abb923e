#pragma once

class QSqlDatabase;
struct sqlite3;

namespace corv {

// The engine's own handle of an open SQLite connection; null for any other.
sqlite3* sqliteHandleOf(const QSqlDatabase& db);

// Registers on an open SQLite connection the SQL Server functions our
// statements use (year, month, day, len), so that their text can stay the
// same on both engines. ISNULL is a keyword of SQLite: the dialect writes
// COALESCE instead. False when the handle could not be reached.
bool registerSqlServerFunctions(const QSqlDatabase& db);
bool registerSqlServerFunctions(sqlite3* handle);

} // namespace corv
