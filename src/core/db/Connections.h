#pragma once

#include "db/ConnectionString.h"
#include "db/Dialect.h"

#include <QSqlDatabase>
#include <QString>
#include <array>

class QThread;

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
// contexts (tests) can live side by side in one process. A Qt connection
// belongs to the thread that opened it: a command running on a thread of its
// own is given connections of its own, opened from the same strings on first
// use and closed by releaseThread() before the thread ends.
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
    // The connection for the calling thread: the process-wide one on the
    // thread that opened it, a thread's own elsewhere (invalid when the
    // process-wide one is not open or the thread's cannot be opened).
    QSqlDatabase db(Name name) const;
    const Dialect& dialect(Name name) const { return dialectOf(db(name)); }
    // Closes and forgets the connection; ignores every error.
    void close(Name name);
    void closeAll();
    // Closes the calling thread's own connections (the end of a command's thread).
    void releaseThread();
    // Interrupts the statements running on other threads' connections, where
    // the engine can (SQLite); they end with an error the command takes as a stop.
    void interruptOtherThreads();

private:
    QString qtName(Name name) const;
    QSqlDatabase threadDb(Name name) const;
    QString prefix_;
    QThread* owner_;
};

} // namespace corv
