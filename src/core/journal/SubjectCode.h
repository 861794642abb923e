#pragma once

#include "util/Amount.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>

namespace corv {

// A customer/supplier code as every source keys and prints it: a code of
// digits only by its value, zero-filled to 6 digits ("7", "000007" and
// "0000007" are one code; a longer one is written whole, never cut); any
// other code trimmed.
QString subjectCode(QStringView code);
QByteArray subjectCode(QByteArrayView code);
bool isDigitsOnly(QStringView code);

// The order of such codes: numeric ones by value, before the others.
bool subjectCodeLess(QStringView a, QStringView b);

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
} // namespace corv
