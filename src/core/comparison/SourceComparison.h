#pragma once

#include "command/CommandResult.h"
#include "util/Amount.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace corv {

class AppContext;
class Dialect;
struct ConsoleState;

// One source's VAT totals per customer/supplier key: "C" or "F" and the code
// as every source spells it (numeric codes by value, see subjectCode); rows
// without customer/supplier (receipts) under the blank key.
struct KeyTotals {
    QString name;
    Amount taxable;
    Amount vat;
};
// Keys in the report's order: the blank key, then by type letter and code
// (numeric codes by value).
struct ComparisonKeyOrder {
    bool operator()(const QString& a, const QString& b) const;
};
struct SourceTotals {
    QString source; // "Ardea", "Corvina"
    std::map<QString, KeyTotals, ComparisonKeyOrder> keys;
    // Lines of the source that could not be summed (an amount that is no
    // number), as the report lists them.
    QStringList unreadable;
};

// A key as the comparison spells it: the type ("C", "F", or Corvina's "1",
// "2") and the code.
QString comparisonKey(const QString& type, const QString& code);
// Whether two totals differ: by half a cent or more, so that a difference
// never prints as "0,01" unmarked.
bool totalsDiffer(Amount a, Amount b);

QString ardeaComparisonSql(const Dialect& dialect, const QDate& from, const QDate& to);
QString corvinaComparisonSql(const Dialect& dialect, const QString& company, int year);

// What the comparison found.
struct Comparison {
    int compared = 0;  // keys in any source
    int differing = 0; // keys whose totals differ by more than 0.005, or missing in a source
    QStringList lines; // the report's lines
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
};
// The request of the console: the selected Corvina company and year, the
// date range when it holds a date.
ComparisonRequest comparisonRequestOf(const ConsoleState& state);

// "Confronto fonti": the report "Confronto_<company>_<year>.LOG" handed to the
// viewer; `findings` is the number of keys that differ.
CommandResult compareSources(AppContext& ctx, const ComparisonRequest& request);

} // namespace corv
