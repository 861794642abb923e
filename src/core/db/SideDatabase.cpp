#include "db/SideDatabase.h"

#include "db/ConnectionString.h"
#include "db/Connections.h"
#include "db/Dialect.h"
#include "db/ScopedConnection.h"

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
    ScopedConnection connection(QStringLiteral("create"));
    if (!connection.openSqliteFile(file, error))
        return false;
    // An empty SQLite file is written lazily: make it real now.
    QSqlQuery make(connection.db());
    if (!make.exec(QStringLiteral("PRAGMA user_version = 1"))) {
        if (error)
            *error = make.lastError().text();
        return false;
    }
    return QFileInfo::exists(file);
}

bool openSideDatabase(ScopedConnection& connection, const QString& name, QString* error)
{
    return connection.open(sideConnectionString(QStringLiteral("Admin"), QString(), sideDatabaseFile(name)), error);
}

bool sideTableExists(const QSqlDatabase& db, const QString& table)
{
    QSqlQuery query(db);
    return query.exec(dialectOf(db).selectTop(1, QStringLiteral("* FROM ") + Dialect::quoteIdentifier(table)));
}


} // namespace corv
