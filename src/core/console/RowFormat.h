#pragma once

#include "app/Amount.h"
#include "db/RowReader.h"

#include <QHash>
#include <QString>
#include <QVariant>

namespace corv {

// The columns of the fixed-width lists and reports: each value padded or cut
// to its width and followed by "|"; a Null prints as blanks.
QString textColumn(const QVariant& value, int width);
// Plain text padded or cut to the width, then "|".
QString paddedColumn(QStringView text, int width);
// A date field as dd/mm/yyyy, whether the engine gives a date or date text.
QString dateColumn(const QVariant& value, int width);
// A number right-aligned in its width with the given decimals (Italian
// layout, exact: amounts are never rounded through a double).
QString numberColumn(const QVariant& value, int width, int decimals);
// The shared amount column: two decimals in 12 characters.
inline QString amountColumn(const QVariant& value) { return numberColumn(value, 12, 2); }

// The columns of the current row of a reader, found by name once per name.
class RowColumns {
public:
    explicit RowColumns(const RowReader& reader) : reader_(reader) {}
    QString text(const char* name, int width) const { return paddedColumn(reader_.text(at(name)), width); }
    QString date(const char* name, int width) const;
    QString number(const char* name, int width, int decimals) const;
    QString amount(const char* name) const { return number(name, 12, 2); }

private:
    int at(const char* name) const
    {
        const auto found = positions_.constFind(name);
        if (found != positions_.cend())
            return *found;
        const int position = reader_.indexOf(QLatin1String(name));
        positions_.insert(name, position);
        return position;
    }
    const RowReader& reader_;
    mutable QHash<const char*, int> positions_;
};

} // namespace corv
