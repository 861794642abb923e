#include "db/RunningStatements.h"

#include <QHash>
#include <QMutex>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlResult>
#ifdef Q_OS_WIN
#include <windows.h> // before the ODBC headers, which use its types
#endif
#include <sql.h>

namespace corv::runningstatements {

namespace {

QMutex& lock()
{
    static QMutex mutex;
    return mutex;
}

QHash<QString, SQLHSTMT>& statements()
{
    static QHash<QString, SQLHSTMT> running;
    return running;
}

} // namespace

bool enter(const QSqlDatabase& db, const QSqlQuery& query)
{
    // The ODBC driver hands its statement as a plain handle (void*).
    if (db.driverName() != QLatin1String("QODBC"))
        return false;
    const QVariant handle = query.result() ? query.result()->handle() : QVariant();
    if (!handle.isValid() || handle.metaType() != QMetaType::fromType<void*>())
        return false;
    const SQLHSTMT statement = *static_cast<const SQLHSTMT*>(handle.constData());
    if (!statement)
        return false;
    QMutexLocker locker(&lock());
    statements().insert(db.connectionName(), statement);
    return true;
}

void leave(const QString& connectionName)
{
    QMutexLocker locker(&lock());
    statements().remove(connectionName);
}

int cancel(const std::function<bool(const QString&)>& chosen)
{
    // Held while cancelling: a reader cannot free its statement meanwhile.
    QMutexLocker locker(&lock());
    int cancelled = 0;
    for (auto it = statements().cbegin(); it != statements().cend(); ++it) {
        if (chosen(it.key()) && SQL_SUCCEEDED(SQLCancel(it.value())))
            ++cancelled;
    }
    return cancelled;
}

} // namespace corv::runningstatements
