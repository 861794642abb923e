#include "db/ScopedConnection.h"

#include "db/SqliteFunctions.h"

#include "db/Connections.h"

#include <QSqlError>
#include <atomic>

namespace corv {

ScopedConnection::ScopedConnection(const QString& purpose)
{
    static std::atomic<int> counter{0};
    name_ = QStringLiteral("corv-%1-%2").arg(purpose).arg(++counter);
}

ScopedConnection::~ScopedConnection() { closeDatabase(name_); }

bool ScopedConnection::open(const QString& connectionString, QString* error)
{
    return openDatabase(name_, connectionString, error);
}

bool ScopedConnection::openSqliteFile(const QString& file, QString* error)
{
    closeDatabase(name_);
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(file);
        // The SQL Server functions, as on every connection of the program.
        if (db.open() && registerSqlServerFunctions(db))
            return true;
        failure = db.lastError().text();
    }
    closeDatabase(name_);
    if (error)
        *error = failure;
    return false;
}

QSqlDatabase ScopedConnection::db() const { return QSqlDatabase::database(name_, false); }

} // namespace corv
