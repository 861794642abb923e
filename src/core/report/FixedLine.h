#pragma once

#include "util/Amount.h"

#include <QString>
#include <QVariant>
#include <optional>
#include <string_view>

namespace corv {

// One fixed-width line of a report or a list: each column is brought to its
// width and followed by "|". Text is left-aligned, padded with blanks or cut;
// numbers are right-aligned and never cut (a number wider than its column is
// written whole); a database Null prints as blanks; dates as dd/mm/yyyy.
class FixedLine {
public:
    explicit FixedLine(qsizetype reserve = 256) { line_.reserve(reserve); }

    FixedLine& text(QStringView value, int width);
    FixedLine& text(const QString& value, int width) { return text(QStringView(value), width); }
    // A database value: Null as blanks, a date as dd/mm/yyyy, anything else as text.
    FixedLine& text(const QVariant& value, int width);
    // Text right-aligned in the width, never cut (a code or a counter).
    FixedLine& right(QStringView value, int width);
    // Raw UTF-8 text of the engine; plain ASCII goes in without a conversion.
    FixedLine& utf8(std::string_view value, int width);
    FixedLine& date(const QVariant& value, int width);
    // Raw 'YYYY-MM-DD...' text of the engine as a date column; false (and
    // nothing written) when the text has another form.
    bool isoDate(std::string_view value, int width);
    FixedLine& number(Amount value, int width, int decimals);
    // A database value; one that is no number an amount holds is written as
    // it is, right-aligned, never as wrong digits.
    FixedLine& number(const QVariant& value, int width, int decimals);
    FixedLine& number(const std::optional<Amount>& value, const QString& asText, int width, int decimals);
    // The shared amount column: two decimals in 12 characters.
    FixedLine& amount(const QVariant& value) { return number(value, 12, 2); }
    FixedLine& blank(int width);
    // Text as it is, with no width and no separator.
    FixedLine& literal(QStringView value);

    const QString& str() const { return line_; }
    QString take() { return std::move(line_); }
    // The line as a string of its own exact size; this one starts again,
    // keeping its room for the next line of a loop.
    QString takeExact()
    {
        QString line(line_.constData(), line_.size());
        line_.truncate(0);
        return line;
    }

    // The pieces, for callers that build a line of their own layout.
    static void appendPadded(QString& line, QStringView value, int width);
    // Right-aligned in the width, never cut.
    static void appendRightAligned(QString& line, QStringView value, int width);
    static void appendPaddedUtf8(QString& line, std::string_view value, int width);
    // 'YYYY-MM-DD[ hh:mm:ss]' as dd/mm/yyyy (with the time when the width
    // holds it); false when the text has another form.
    static bool appendIsoDate(QString& line, std::string_view value, int width);

private:
    FixedLine& end()
    {
        line_.append(QLatin1Char('|'));
        return *this;
    }
    QString line_;
};

} // namespace corv
