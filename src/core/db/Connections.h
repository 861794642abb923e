#pragma once

#include "db/ConnectionString.h"
#include "db/Dialect.h"

#include <QSqlDatabase>
#include <QString>
#include <array>

namespace corv {

// Opens a Qt database connection from one of our connection strings. SQL Server
// goes through QODBC (FreeTDS elsewhere than Windows, or the driver named by
// CORVUTIL_ODBC_DRIVER); the embedded engine opens an existing SQLite file and
// never creates one. On failure the connection is removed and error says why.
bool openDatabase(const QString& qtName, const QString& connectionString, QString* error);
// The connection string a connection was opened with; the Qt driver's own
// name for it when it was opened otherwise.
QString connectionStringOf(const QSqlDatabase& db);

// Closes a Qt connection and forgets its name; nothing when there is none.
void closeDatabase(const QString& qtName);
Engine engineOf(const QSqlDatabase& db);
inline const Dialect& dialectOf(const QSqlDatabase& db) { return Dialect::of(engineOf(db)); }

// The process-wide connections, each under a name of its own so that several
// contexts (tests) can live side by side in one process.
class Connections {
public:
    enum Name { ESys, EConn, ESess, Corvina, Company, Common, Count };

    Connections();
    ~Connections();
    Connections(const Connections&) = delete;
    Connections& operator=(const Connections&) = delete;

    static QString label(Name name); // "Cn_eSYS", ...

    bool open(Name name, const QString& connectionString, QString* error = nullptr);
    bool isOpen(Name name) const;
    QSqlDatabase db(Name name) const;
    const Dialect& dialect(Name name) const { return dialectOf(db(name)); }
    // Closes and forgets the connection; ignores every error.
    void close(Name name);
    void closeAll();

private:
    QString qtName(Name name) const;
    QString prefix_;
};

} // namespace corv
