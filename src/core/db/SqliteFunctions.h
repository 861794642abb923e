#pragma once

class QSqlDatabase;

namespace corv {

// Registers on an open SQLite connection the SQL Server functions our
// statements use (year, month, day, len), so that their text can stay the
// same on both engines. ISNULL is a keyword of SQLite: the dialect writes
// COALESCE instead. False when the handle could not be reached.
bool registerSqlServerFunctions(const QSqlDatabase& db);

} // namespace corv
