#pragma once

#include "command/CommandResult.h"
#include "journal/SubjectCode.h"
#include "util/Amount.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

namespace corv {

class AppContext;
class Dialect;

// Whether two totals differ: by half a cent or more, so that a difference
// never prints as "0,01" unmarked.
bool totalsDiffer(Amount a, Amount b);
// A cell of the comparisons' reports: the text right-aligned in `width`
// (whole when longer), then a blank and "|".
void appendComparisonCell(QString& line, const QString& text, int width);

QString ardeaComparisonSql(const Dialect& dialect, const QDate& from, const QDate& to);
QString corvinaComparisonSql(const Dialect& dialect, const QString& company, int year);

// One customer/supplier of the comparison: its totals in each source (none
// where it is missing) and what the report's line ends with ("<<<",
// "<<< solo in Ardea", ...; empty when the sources agree).
struct ComparisonRow {
    QString key;
    QString name;
    std::vector<std::optional<KeyTotals>> totals; // in the order of the sources
    QString mark;
};

// What the comparison found.
struct Comparison {
    int compared = 0;  // keys in any source
    int differing = 0; // keys whose totals differ by more than 0.005, or missing in a source
    QStringList lines; // the report's lines
    QStringList sources;               // their names, the reference first
    std::vector<ComparisonRow> rows;   // the report's lines as data
};
// Sets the sources side by side, the first one the reference the others are
// measured against. `title` is the report's second line.
Comparison compareTotals(const std::vector<SourceTotals>& sources, const QString& title);

// What to compare: the open Ardea company over a period, the Corvina company
// of a year.
struct ComparisonRequest {
    QString corvinaCompany;
    int year = 0;
    QDate from; // the Ardea period: the year when the console gives no dates
    QDate to;
    // The legacy archive, when a folder and a company are given: its journal
    // over the same period becomes a third column when it has rows in it.
    QString nemboFolder;
    QString nemboCompany;
    // Beside the report, the same rows for a program: "csv" or "json"; empty: none.
    QString exportFormat = {};

    // The Corvina company of a year over the given dates; a date not given
    // is the year's first or last day.
    static ComparisonRequest ofYear(const QString& corvinaCompany, int year, const QDate& from, const QDate& to)
    {
        return {corvinaCompany, year, from.isValid() ? from : QDate(year, 1, 1), to.isValid() ? to : QDate(year, 12, 31), {}, {}, {}};
    }
};
// "Confronto fonti": the report "Confronto_<company>_<year>.LOG" handed to the
// viewer; `findings` is the number of keys that differ.
CommandResult compareSources(AppContext& ctx, const ComparisonRequest& request);

} // namespace corv
