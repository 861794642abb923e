#pragma once

#include <QSqlDatabase>
#include <QString>

namespace corv {

class ScopedConnection;

// The small side databases (town database, legacy export database, the login
// code map) are SQLite files that keep the stem of their Jet name with the
// extension .sqlite: "LOCALITA.MDB" is "LOCALITA.sqlite".
QString sideDatabaseFile(const QString& name);

// Creates an empty side database when the file does not exist; the extension
// is added when the name lacks it. False when it cannot be created.
bool createSideDatabase(const QString& name, QString* error = nullptr);

// Opens an existing side database on a connection of its own.
bool openSideDatabase(ScopedConnection& connection, const QString& name, QString* error = nullptr);

bool sideTableExists(const QSqlDatabase& db, const QString& table);

} // namespace corv
