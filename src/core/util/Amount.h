#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

namespace corv {

// An exact money amount: a count of ten-thousandths, as SQL Server's MONEY
// keeps it. Sums are exact; rounding (half away from zero) happens only when
// the amount is written with fewer decimals.
class Amount {
public:
    constexpr Amount() = default;
    // Decimal text with "." or "," as the decimal separator ("-1234.5", "0,10").
    static std::optional<Amount> parse(const QString& text);
    // The same from bytes (ASCII digits), without a conversion.
    static std::optional<Amount> parse(QByteArrayView text);
    static std::optional<Amount> parse(const char* text) { return parse(QByteArrayView(text)); }
    // A whole number or a double (rounded to the nearest ten-thousandth);
    // nullopt when the amount cannot hold it (beyond about 900 thousand
    // billions, not a finite number).
    static std::optional<Amount> fromInteger(std::int64_t whole);
    static std::optional<Amount> fromDouble(double value);
    // A database value: decimal text (read with high precision), an integer or
    // a double; a Null is zero; nullopt when it is no number an amount holds,
    // so that it is written as it is rather than as wrong digits.
    static std::optional<Amount> fromVariant(const QVariant& value);

    constexpr std::int64_t units() const { return units_; }
    Amount& operator+=(Amount other) { units_ += other.units_; return *this; }
    Amount& operator-=(Amount other) { units_ -= other.units_; return *this; }
    friend Amount operator+(Amount a, Amount b) { return a += b; }
    friend Amount operator-(Amount a, Amount b) { return a -= b; }
    friend Amount operator-(Amount a) { return Amount(-a.units_); }
    friend bool operator==(Amount a, Amount b) = default;

    // Italian layout: "." between thousands, "," before the decimals.
    QString toText(int decimals, bool thousands = true) const;
    // The same text written into `buffer` (at least 48 characters), ending
    // at its end; returns where it starts. No allocation: lists use it per cell.
    char* write(char* bufferEnd, int decimals, bool thousands) const;

private:
    constexpr explicit Amount(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

namespace utl {
// Appends the amount right-aligned in `width` with `decimals` decimals (0 to
// 4). When the thousands separators do not fit they are dropped; a number that
// still does not fit is written whole rather than cut.
void appendAmount(QString& line, Amount amount, int decimals, int width);
} // namespace utl

} // namespace corv
