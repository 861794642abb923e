#include "util/Amount.h"

#include <QRegularExpression>
#include <cmath>
#include <cstdlib>

namespace corv {

namespace {
constexpr std::int64_t kScale = 10000;
// The largest whole part held: its ten-thousandths still fit in 64 bits.
constexpr std::int64_t kMaxWhole = 900'000'000'000'000;

std::int64_t pow10(int n)
{
    std::int64_t p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}
} // namespace

std::optional<Amount> Amount::parse(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) // only ASCII digits make a number
            return std::nullopt;
        bytes.append(static_cast<char>(c.unicode()));
    }
    return parse(QByteArrayView(bytes));
}

std::optional<Amount> Amount::parse(QByteArrayView text)
{
    // [blanks][+|-][digits][(.|,)digits][blanks], at least one digit.
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; };
    qsizetype i = 0, n = text.size();
    while (i < n && blank(text[i]))
        ++i;
    while (n > i && blank(text[n - 1]))
        --n;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::int64_t whole = 0;
    int wholeDigits = 0;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
        if (++wholeDigits > 14)
            return std::nullopt;
        whole = whole * 10 + (text[i++] - '0');
    }
    std::int64_t fraction = 0;
    int fractionDigits = 0;
    bool roundUp = false;
    if (i < n && (text[i] == '.' || text[i] == ',')) {
        ++i;
        while (i < n && text[i] >= '0' && text[i] <= '9') {
            // Digits beyond the fourth round it, half away from zero.
            if (fractionDigits < 4)
                fraction = fraction * 10 + (text[i] - '0');
            else if (fractionDigits == 4)
                roundUp = text[i] >= '5';
            ++fractionDigits;
            ++i;
        }
    }
    if (i != n || (wholeDigits == 0 && fractionDigits == 0))
        return std::nullopt;
    for (int d = std::min(fractionDigits, 4); d < 4; ++d)
        fraction *= 10;
    const std::int64_t units = whole * kScale + fraction + (roundUp ? 1 : 0);
    return Amount(negative ? -units : units);
}

std::optional<Amount> Amount::fromInteger(std::int64_t whole)
{
    if (whole > kMaxWhole || whole < -kMaxWhole)
        return std::nullopt;
    return Amount(whole * kScale);
}

std::optional<Amount> Amount::fromDouble(double value)
{
    if (!std::isfinite(value) || std::abs(value) > static_cast<double>(kMaxWhole))
        return std::nullopt;
    return Amount(static_cast<std::int64_t>(std::llround(value * kScale)));
}

std::optional<Amount> Amount::fromVariant(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
        return fromInteger(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return value.toULongLong() > static_cast<qulonglong>(kMaxWhole) ? std::nullopt : fromInteger(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return fromDouble(value.toDouble());
    default:
        break;
    }
    if (value.isNull())
        return Amount();
    if (const auto parsed = parse(value.toString()))
        return *parsed;
    bool ok = false;
    const double number = value.toString().trimmed().toDouble(&ok);
    return ok ? fromDouble(number) : std::nullopt;
}

char* Amount::write(char* end, int decimals, bool thousands) const
{
    decimals = std::clamp(decimals, 0, 4);
    const std::int64_t step = pow10(4 - decimals);
    std::int64_t magnitude = std::llabs(units_);
    magnitude = (magnitude + step / 2) / step; // half away from zero
    const bool negative = units_ < 0 && magnitude != 0;
    // Written right to left.
    char* p = end;
    std::int64_t value = magnitude;
    for (int i = 0; i < decimals; ++i) {
        *--p = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    if (decimals > 0)
        *--p = ',';
    int digits = 0;
    do {
        if (thousands && digits > 0 && digits % 3 == 0)
            *--p = '.';
        *--p = static_cast<char>('0' + value % 10);
        value /= 10;
        ++digits;
    } while (value > 0);
    if (negative)
        *--p = '-';
    return p;
}

QString Amount::toText(int decimals, bool thousands) const
{
    char buffer[48];
    char* end = buffer + sizeof buffer;
    const char* start = write(end, decimals, thousands);
    return QString::fromLatin1(start, static_cast<qsizetype>(end - start));
}

void utl::appendAmount(QString& line, Amount amount, int decimals, int width)
{
    char buffer[48];
    char* end = buffer + sizeof buffer;
    const char* start = amount.write(end, decimals, true);
    if (end - start > width)
        start = amount.write(end, decimals, false);
    const qsizetype size = end - start;
    if (size < width)
        line.resize(line.size() + (width - size), QLatin1Char(' '));
    line.append(QLatin1StringView(start, size));
}

} // namespace corv
