#include "util/MaskedDate.h"

namespace corv {

std::optional<QDate> maskedDate(const QString& text)
{
    if (text == kEmptyDate || text.trimmed().isEmpty())
        return std::nullopt;
    return QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
}

QDate boundDate(const QString& text) { return maskedDate(text).value_or(QDate()); }

bool dateRangeCoherent(const QString& from, const QString& to)
{
    const auto first = maskedDate(from);
    const auto last = maskedDate(to);
    if (!first || !last)
        return true;
    return first->isValid() && last->isValid() && *last >= *first;
}

} // namespace corv
