#include "console/RowFormat.h"

#include "app/Amount.h"
#include "app/TextUtil.h"
#include "db/DbValues.h"

namespace corv {

namespace {
// The text padded or cut to the width, then "|": one allocation.
QString column(QStringView text, int width)
{
    QString result;
    result.reserve(width + 1);
    result.append(text.left(width));
    if (result.size() < width)
        result.append(QString(width - result.size(), QLatin1Char(' ')));
    result.append(QLatin1Char('|'));
    return result;
}
} // namespace

QString textColumn(const QVariant& value, int width)
{
    if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
        return column(dateText(value), width);
    return column(textOf(value), width);
}

QString paddedColumn(QStringView text, int width) { return column(text, width); }

QString RowColumns::date(const char* name, int width) const
{
    const int position = at(name);
    return dateColumn(reader_.isNull(position) ? QVariant() : reader_.value(position), width);
}

QString RowColumns::number(const char* name, int width, int decimals) const
{
    const int position = at(name);
    if (reader_.isNull(position))
        return QString(width, QLatin1Char(' ')) + QLatin1Char('|');
    return utl::amountText(reader_.amount(position), decimals, width) + QLatin1Char('|');
}

QString dateColumn(const QVariant& value, int width)
{
    return column(value.isNull() ? QString() : dateText(value), width);
}

QString numberColumn(const QVariant& value, int width, int decimals)
{
    if (value.isNull())
        return QString(width, QLatin1Char(' ')) + QLatin1Char('|');
    return utl::amountText(Amount::fromVariant(value), decimals, width) + QLatin1Char('|');
}

} // namespace corv
