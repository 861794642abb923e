#include "db/SideDatabase.h"

#include "db/ConnectionString.h"
#include "db/Connections.h"
#include "db/Dialect.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace corv {

QString sideDatabaseFile(const QString& name)
{
    const QFileInfo info(name);
    const QString suffix = info.suffix();
    if (suffix.compare(QLatin1String("sqlite"), Qt::CaseInsensitive) == 0)
        return name;
    if (suffix.compare(QLatin1String("mdb"), Qt::CaseInsensitive) == 0)
        return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".sqlite");
    return name + QStringLiteral(".sqlite");
}

bool createSideDatabase(const QString& name, QString* error)
{
    const QString file = sideDatabaseFile(name);
    if (QFileInfo::exists(file))
        return true;
    const QString qtName = QStringLiteral("corv-create:") + file;
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), qtName);
        db.setDatabaseName(file);
        ok = db.open();
        if (ok) {
            // An empty SQLite file is written lazily: make it real now.
            QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 1"));
        } else if (error) {
            *error = db.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(qtName);
    return ok && QFileInfo::exists(file);
}

bool openSideDatabase(const QString& qtName, const QString& name, QString* error)
{
    return openDatabase(qtName, sideConnectionString(QStringLiteral("Admin"), QString(), sideDatabaseFile(name)), error);
}

bool sideTableExists(const QSqlDatabase& db, const QString& table)
{
    QSqlQuery query(db);
    return query.exec(dialectOf(db).selectTop(1, QStringLiteral("* FROM ") + Dialect::quoteIdentifier(table)));
}

bool sideFieldExists(const QSqlDatabase& db, const QString& table, const QString& field)
{
    QSqlQuery query(db);
    return query.exec(dialectOf(db).selectTop(
        1, Dialect::quoteIdentifier(field) + QStringLiteral(" FROM ") + Dialect::quoteIdentifier(table)));
}

QString sideDataSource(const QSqlDatabase& db) { return db.databaseName(); }

} // namespace corv
