#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace corv {

struct Comparison;

// The comparison's rows for a program rather than a person. CSV for Italian
// spreadsheets: UTF-8, ";" between fields, decimal comma, a heading line; the
// last column holds what the report's line ends with ("<<<", "<<< solo in
// Ardea", ...). JSON: the sources, the counts and one object per row, amounts
// as numbers (null where a source lacks the row).
QStringList comparisonCsv(const Comparison& comparison);
QByteArray comparisonJson(const Comparison& comparison);
// Writes the one the path's extension names (".csv" or ".json") whole, under a
// temporary name put in place when complete; false with the reason otherwise.
bool writeComparisonExport(const QString& path, const Comparison& comparison, QString* failure);

} // namespace corv
