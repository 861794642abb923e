#pragma once

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace corv::demosql {

// Runs a prepared statement with its values in order; false with the
// statement and the engine's message in `error`.
inline bool exec(QSqlQuery& q, const QVariantList& values, QString* error)
{
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (q.exec())
        return true;
    if (error)
        *error = q.lastError().text() + QStringLiteral("\n") + q.lastQuery();
    return false;
}

// One statement without values.
inline bool run(QSqlDatabase& db, const QString& sql, QString* error)
{
    QSqlQuery q(db);
    q.prepare(sql);
    return exec(q, {}, error);
}

// Dates as the demo schemas keep them.
inline QString isoDate(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00"); }
inline QVariant nullText() { return QVariant(QMetaType::fromType<QString>()); }

} // namespace corv::demosql
