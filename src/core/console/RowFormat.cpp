#include "console/RowFormat.h"

#include "app/Amount.h"
#include "app/TextUtil.h"
#include "db/DbValues.h"

namespace corv {

QString textColumn(const QVariant& value, int width)
{
    QString text;
    if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
        text = dateText(value);
    else
        text = textOf(value);
    return utl::PadRight(text, width) + QLatin1Char('|');
}

QString numberColumn(const QVariant& value, int width, int decimals)
{
    if (value.isNull())
        return QString(width, QLatin1Char(' ')) + QLatin1Char('|');
    return utl::amountText(Amount::fromVariant(value), decimals, width) + QLatin1Char('|');
}

} // namespace corv
