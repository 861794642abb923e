#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace corv {

// A list of the program's "|"-separated lines, with its heading of column
// names in the same layout, for a program rather than a person. CSV: UTF-8,
// ";" between fields, each field trimmed (amounts keep their decimal comma),
// the heading's names first. JSON: one object per line keyed by the column
// names, numbers in the Italian form ("1.234,56", "-7") as numbers.
QStringList tableCsv(const QString& heading, const QStringList& lines);
QByteArray tableJson(const QString& heading, const QStringList& lines);
// The same from rows already apart: a name per column, fields per row.
bool writeRowsExport(const QString& path, const QString& format, const QStringList& columns, const QList<QStringList>& rows, QString* failure);

// A CSV field as a spreadsheet reads it back: quoted when it holds ";", a
// quote or a line break.
QString csvField(const QString& text);
// A JSON document written whole, line by line as reports are.
bool writeJson(const QString& path, const QByteArray& json, QString* failure);

// Writes the format "csv" or "json" to the path, whole or not at all; false
// with the reason.
bool writeTableExport(const QString& path, const QString& format, const QString& heading, const QStringList& lines, QString* failure);

} // namespace corv
