#pragma once

#include "db/Dialect.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

namespace corv {

// A field as text, a database Null read as empty text.
QString textOf(const QVariant& value);
// A flag field ("0"/"1") as text, whether the engine gives text, a number or a bit.
QString flagOf(const QVariant& value);
// A date field: a QDate/QDateTime from SQL Server, 'YYYY-MM-DD[ hh:mm:ss]' text from SQLite.
QDate dateOf(const QVariant& value);
// The first record of a statement with its "?" placeholders bound in order;
// an empty record when there is none or the statement fails.
QSqlRecord firstRecord(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {});

// A date as the reports show it: dd/mm/yyyy; empty for a Null.
QString dateText(const QVariant& value);

} // namespace corv
