#include "db/Connections.h"

#include "db/RunningStatements.h"
#include "db/SqliteFunctions.h"

#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QThread>
#include <QVariant>

#include <sqlite3.h>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

namespace corv {

namespace {

QString odbcDriver()
{
    const QString configured = qEnvironmentVariable("CORVUTIL_ODBC_DRIVER");
    if (!configured.isEmpty())
        return configured;
#ifdef Q_OS_WIN
    return QStringLiteral("ODBC Driver 18 for SQL Server");
#else
    return QStringLiteral("FreeTDS");
#endif
}

} // namespace

namespace {

// What every connection was opened with, and the SQLite handles of the
// connections of commands' threads; several threads reach them.
QMutex& registryLock()
{
    static QMutex lock;
    return lock;
}
QHash<QString, QString>& openedStrings()
{
    static QHash<QString, QString> strings;
    return strings;
}
QHash<QString, sqlite3*>& threadHandles()
{
    static QHash<QString, sqlite3*> handles;
    return handles;
}

void rememberString(const QString& qtName, const QString& connectionString)
{
    QMutexLocker locker(&registryLock());
    openedStrings().insert(qtName, connectionString);
}

QString openedString(const QString& qtName)
{
    QMutexLocker locker(&registryLock());
    return openedStrings().value(qtName);
}

} // namespace

QString connectionStringOf(const QSqlDatabase& db)
{
    const QString opened = openedString(db.connectionName());
    return opened.isEmpty() ? db.databaseName() : opened;
}

void closeDatabase(const QString& qtName)
{
    {
        QMutexLocker locker(&registryLock());
        openedStrings().remove(qtName);
        threadHandles().remove(qtName);
    }
    if (!QSqlDatabase::contains(qtName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(qtName, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(qtName);
}

bool openDatabase(const QString& qtName, const QString& connectionString, QString* error)
{
    QString why;
    const auto spec = parseConnectionString(connectionString, &why);
    const auto fail = [&](const QString& message) {
        if (error)
            *error = message;
        closeDatabase(qtName);
        return false;
    };
    if (!spec)
        return fail(why);
    closeDatabase(qtName);

    QString failure;
    {
        QSqlDatabase db;
        if (spec->engine == Engine::Sqlite) {
            if (!QFileInfo(spec->file).isFile())
                return fail(QStringLiteral("Database inesistente : ") + spec->file);
            db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), qtName);
            db.setDatabaseName(spec->file);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
            if (db.open()) {
                rememberString(qtName, connectionString);
                registerSqlServerFunctions(db);
                // With the write-ahead log a commit needs no sync of its own: row-by-row
                // corrections stay fast and a crash still leaves the file consistent.
                QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
                return true;
            }
        } else {
            db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), qtName);
            if (!db.isValid()) {
                failure = QStringLiteral("Driver ODBC di Qt non disponibile");
            } else {
                QString odbc = spec->odbcConnectString(odbcDriver());
#ifdef Q_OS_WIN
                if (qEnvironmentVariableIntValue("CORVUTIL_TRUST_SERVER_CERTIFICATE") == 1)
                    odbc += QStringLiteral(";TrustServerCertificate=yes");
#endif
                db.setDatabaseName(odbc);
                db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=15"));
                if (db.open()) {
                    rememberString(qtName, connectionString);
                    return true;
                }
            }
        }
        if (failure.isEmpty())
            failure = db.lastError().text();
    }
    return fail(failure);
}

Engine engineOf(const QSqlDatabase& db)
{
    return db.driverName() == QLatin1String("QSQLITE") ? Engine::Sqlite : Engine::SqlServer;
}

Connections::Connections() : owner_(QThread::currentThread())
{
    static std::atomic<int> counter{0};
    prefix_ = QStringLiteral("corv%1:").arg(++counter);
}

Connections::~Connections() { closeAll(); }

QString Connections::label(Name name)
{
    static const std::array<const char*, Count> labels = {"Cn_eSYS", "Cn_eCONN", "Cn_eSESS",
                                                          "Cn_Corvina", "Db_Azi", "Db_Com"};
    return QLatin1String(labels[name]);
}

QString Connections::qtName(Name name) const { return prefix_ + label(name); }

bool Connections::open(Name name, const QString& connectionString, QString* error)
{
    return openDatabase(qtName(name), connectionString, error);
}

bool Connections::isOpen(Name name) const
{
    return QSqlDatabase::contains(qtName(name)) && QSqlDatabase::database(qtName(name), false).isOpen();
}

QSqlDatabase Connections::db(Name name) const
{
    if (QThread::currentThread() == owner_)
        return QSqlDatabase::database(qtName(name), false);
    return threadDb(name);
}

namespace {
QString threadSuffix() { return QStringLiteral("@%1").arg(reinterpret_cast<quintptr>(QThread::currentThread())); }
} // namespace

QSqlDatabase Connections::threadDb(Name name) const
{
    const QString own = qtName(name) + threadSuffix();
    if (QSqlDatabase::contains(own))
        return QSqlDatabase::database(own, false);
    const QString connectionString = openedString(qtName(name));
    if (connectionString.isEmpty() || !openDatabase(own, connectionString, nullptr))
        return {};
    QSqlDatabase db = QSqlDatabase::database(own, false);
    if (db.driverName() == QLatin1String("QSQLITE")) {
        const QVariant handle = db.driver()->handle();
        if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
            QMutexLocker locker(&registryLock());
            threadHandles().insert(own, *static_cast<sqlite3* const*>(handle.data()));
        }
    }
    return db;
}

void Connections::releaseThread()
{
    if (QThread::currentThread() == owner_)
        return;
    for (int n = 0; n < Count; ++n)
        closeDatabase(qtName(static_cast<Name>(n)) + threadSuffix());
}

void Connections::interruptOtherThreads()
{
    QMutexLocker locker(&registryLock());
    for (auto it = threadHandles().cbegin(); it != threadHandles().cend(); ++it) {
        if (it.key().startsWith(prefix_))
            sqlite3_interrupt(it.value()); // safe from any thread
    }
    // The worker threads' connections carry the thread in their name.
    runningstatements::cancel([this](const QString& name) { return name.startsWith(prefix_) && name.contains(QLatin1Char('@')); });
}

void Connections::close(Name name) { closeDatabase(qtName(name)); }

void Connections::closeAll()
{
    for (int n = 0; n < Count; ++n)
        close(static_cast<Name>(n));
}

} // namespace corv
