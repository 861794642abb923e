#pragma once

#include "db/Dialect.h"

#include <QDate>
#include <QString>
#include <QVariant>

namespace corv {

// A field as text, a database Null read as empty text.
QString textOf(const QVariant& value);
// A flag field ("0"/"1") as text, whether the engine gives text, a number or a bit.
QString flagOf(const QVariant& value);
// A date field: a QDate/QDateTime from SQL Server, 'YYYY-MM-DD[ hh:mm:ss]' text from SQLite.
QDate dateOf(const QVariant& value);
// A date as a bound parameter the engine stores like its own dates.
QVariant dateParameter(Engine engine, const QDate& date);
// A date as the reports show it: dd/mm/yyyy; empty for a Null.
QString dateText(const QVariant& value);

} // namespace corv
