#pragma once

#include "db/RowReader.h"
#include "report/FixedLine.h"

#include <QHash>
#include <utility>

namespace corv {

// The fixed-width line of the current row of a reader, its columns named:
// each name is found once, then by position for every row.
//   lines << columns.date("dat_doc", 10).text("des_num_doc", 12).amount("val_iva").take();
class RowColumns {
public:
    explicit RowColumns(const RowReader& reader) : reader_(reader) {}

    RowColumns& text(const char* name, int width);
    // Text right-aligned, never cut (counters, numbers shown as they are).
    RowColumns& right(const char* name, int width);
    RowColumns& date(const char* name, int width);
    RowColumns& number(const char* name, int width, int decimals);
    RowColumns& amount(const char* name) { return number(name, 12, 2); }
    // Text of a column by its position in the statement.
    RowColumns& textAt(int column, int width);
    // Anything else of the line's layout.
    FixedLine& line() { return line_; }
    // The line built so far, of its own size (lists of many rows keep no
    // spare room per row); the next row starts empty.
    QString take() { return line_.takeExact(); }

    int at(const char* name) const;

private:
    const RowReader& reader_;
    FixedLine line_;
    mutable QHash<const char*, int> positions_;
};

} // namespace corv
