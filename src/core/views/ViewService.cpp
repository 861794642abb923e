#include "views/ViewService.h"

#include "db/Connections.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>

namespace corv::views {

namespace {

bool run(const QSqlDatabase& db, const QString& sql, QString* error)
{
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    if (error)
        *error = query.lastError().text();
    return false;
}

bool hasRow(const QSqlDatabase& db, const QString& sql)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    return query.exec(sql) && query.next();
}

} // namespace

bool viewExists(const QSqlDatabase& db, const QString& name)
{
    return hasRow(db, dialectOf(db).viewExistsQuery(name));
}

bool objectExists(const QSqlDatabase& db, const QString& name)
{
    return hasRow(db, dialectOf(db).objectExistsQuery(name));
}

bool dropView(const QSqlDatabase& db, const QString& name, QString* error)
{
    if (!viewExists(db, name))
        return true;
    return run(db, QStringLiteral("DROP VIEW ") + Dialect::quoteIdentifier(name), error);
}

bool ensureReleaseTable(const QSqlDatabase& db, QString* error)
{
    if (objectExists(db, kReleaseTable))
        return true;
    return run(db,
               QStringLiteral("CREATE TABLE ") + kReleaseTable + QStringLiteral(" (")
                   + QStringLiteral("  des_nomeview       varchar(25) NOT NULL")
                   + QStringLiteral(", des_relview        varchar(12) NOT NULL")
                   + QStringLiteral(", dat_upd            datetime    NOT NULL DEFAULT 0")
                   + QStringLiteral(", CONSTRAINT          PK") + kReleaseTable
                   + QStringLiteral(" PRIMARY KEY (des_nomeview)") + QStringLiteral(" )"),
               error);
}

QString viewRelease(const QSqlDatabase& db, const QString& name)
{
    if (!ensureReleaseTable(db))
        return kNoRelease;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT * FROM ") + kReleaseTable + QStringLiteral(" WHERE des_nomeview=?"));
    query.addBindValue(name);
    if (!query.exec() || !query.next())
        return kNoRelease;
    return query.value(QStringLiteral("des_relview")).toString();
}

bool setViewRelease(const QSqlDatabase& db, const QString& name, const QString& release, QString* error)
{
    if (!ensureReleaseTable(db, error))
        return false;
    const QVariant now = dialectOf(db).timestampParameter(QDateTime::currentDateTime());
    QSqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE ") + kReleaseTable + QStringLiteral(" SET des_relview=?, dat_upd=? WHERE des_nomeview=?"));
    query.addBindValue(release);
    query.addBindValue(now);
    query.addBindValue(name);
    if (query.exec() && query.numRowsAffected() > 0)
        return true;
    query.prepare(QStringLiteral("INSERT INTO ") + kReleaseTable + QStringLiteral(" (des_nomeview, des_relview, dat_upd) VALUES (?, ?, ?)"));
    query.addBindValue(name);
    query.addBindValue(release);
    query.addBindValue(now);
    if (query.exec())
        return true;
    if (error)
        *error = query.lastError().text();
    return false;
}

bool createView(const QSqlDatabase& db, const QString& name, const QString& selectText, const QString& release,
                QString* error)
{
    const QString trimmedName = name.trimmed();
    const QString text = selectText.trimmed();
    if (!ensureReleaseTable(db, error) || !dropView(db, trimmedName, error))
        return false;
    if (!run(db, dialectOf(db).createViewStatement(trimmedName, text), error))
        return false;
    return setViewRelease(db, trimmedName, release, error);
}

bool ensureView(const QSqlDatabase& db, const QString& name, const QString& selectText, const QString& required,
                bool force, QString* error)
{
    if (force && !setViewRelease(db, name, kNoRelease, error))
        return false;
    if (viewRelease(db, name) < required)
        return createView(db, name, selectText, required, error);
    return true;
}

} // namespace corv::views
