#include "report/FixedLine.h"

#include "db/DbValues.h"

#include <algorithm>

namespace corv {

void FixedLine::appendPadded(QString& line, QStringView value, int width)
{
    if (width <= 0)
        return;
    line.append(value.left(width));
    if (value.size() < width)
        line.resize(line.size() + (width - value.size()), QLatin1Char(' '));
}

void FixedLine::appendPaddedUtf8(QString& line, std::string_view value, int width)
{
    if (width <= 0)
        return;
    bool ascii = true;
    for (char ch : value)
        ascii = ascii && static_cast<unsigned char>(ch) < 0x80;
    if (!ascii) {
        appendPadded(line, QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())), width);
        return;
    }
    const std::size_t taken = std::min<std::size_t>(value.size(), static_cast<std::size_t>(width));
    line.append(QLatin1StringView(value.data(), static_cast<qsizetype>(taken)));
    if (static_cast<int>(taken) < width)
        line.resize(line.size() + (width - static_cast<qsizetype>(taken)), QLatin1Char(' '));
}

bool FixedLine::appendIsoDate(QString& line, std::string_view text, int width)
{
    if (text.size() < 10 || text[4] != '-' || text[7] != '-')
        return false;
    char shown[20] = {text[8], text[9], '/', text[5], text[6], '/', text[0], text[1], text[2], text[3]};
    std::size_t size = 10;
    if (width >= 20 && text.size() >= 19) {
        shown[10] = ' ';
        std::copy(text.begin() + 11, text.begin() + 19, shown + 11);
        size = 19;
    }
    appendPaddedUtf8(line, std::string_view(shown, size), width);
    return true;
}

FixedLine& FixedLine::text(QStringView value, int width)
{
    appendPadded(line_, value, width);
    return end();
}

FixedLine& FixedLine::text(const QVariant& value, int width)
{
    if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
        return text(dateText(value), width);
    return text(textOf(value), width);
}

FixedLine& FixedLine::right(QStringView value, int width)
{
    appendRightAligned(line_, value, width);
    return end();
}

FixedLine& FixedLine::utf8(std::string_view value, int width)
{
    appendPaddedUtf8(line_, value, width);
    return end();
}

FixedLine& FixedLine::date(const QVariant& value, int width)
{
    return text(value.isNull() ? QString() : dateText(value), width);
}

bool FixedLine::isoDate(std::string_view value, int width)
{
    if (!appendIsoDate(line_, value, width))
        return false;
    end();
    return true;
}

FixedLine& FixedLine::number(Amount value, int width, int decimals)
{
    utl::appendAmount(line_, value, decimals, width);
    return end();
}

FixedLine& FixedLine::number(const QVariant& value, int width, int decimals)
{
    if (value.isNull())
        return blank(width);
    return number(Amount::fromVariant(value), textOf(value), width, decimals);
}

FixedLine& FixedLine::number(const std::optional<Amount>& value, const QString& asText, int width, int decimals)
{
    if (value)
        return number(*value, width, decimals);
    appendRightAligned(line_, QStringView(asText).trimmed(), width);
    return end();
}

void FixedLine::appendRightAligned(QString& line, QStringView value, int width)
{
    if (value.size() < width)
        line.resize(line.size() + (width - value.size()), QLatin1Char(' '));
    line.append(value);
}

FixedLine& FixedLine::blank(int width)
{
    appendPadded(line_, {}, width);
    return end();
}

FixedLine& FixedLine::literal(QStringView value)
{
    line_.append(value);
    return *this;
}

} // namespace corv
