#pragma once

#include <QString>
#include <QVariant>

namespace corv {

// The columns of the fixed-width lists and reports: each value padded or cut
// to its width and followed by "|"; a Null prints as blanks.
QString textColumn(const QVariant& value, int width);
// A date field as dd/mm/yyyy, whether the engine gives a date or date text.
QString dateColumn(const QVariant& value, int width);
// A number right-aligned in its width with the given decimals (Italian
// layout, exact: amounts are never rounded through a double).
QString numberColumn(const QVariant& value, int width, int decimals);
// The shared amount column: two decimals in 12 characters.
inline QString amountColumn(const QVariant& value) { return numberColumn(value, 12, 2); }

} // namespace corv
