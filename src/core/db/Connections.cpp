#include "db/Connections.h"

#include "db/SqliteFunctions.h"

#include <QFileInfo>
#include <QHash>
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
QHash<QString, QString>& openedStrings()
{
    static QHash<QString, QString> strings;
    return strings;
}
} // namespace

QString connectionStringOf(const QSqlDatabase& db)
{
    return openedStrings().value(db.connectionName(), db.databaseName());
}

void closeDatabase(const QString& qtName)
{
    openedStrings().remove(qtName);
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
                openedStrings().insert(qtName, connectionString);
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
                    openedStrings().insert(qtName, connectionString);
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

Connections::Connections()
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

QSqlDatabase Connections::db(Name name) const { return QSqlDatabase::database(qtName(name), false); }

void Connections::close(Name name) { closeDatabase(qtName(name)); }

void Connections::closeAll()
{
    for (int n = 0; n < Count; ++n)
        close(static_cast<Name>(n));
}

} // namespace corv
