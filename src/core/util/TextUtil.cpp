#include "util/TextUtil.h"

#include <algorithm>

#include <QDateTime>

namespace corv::utl {

QString field(const QString& text, const QString& separator, int n)
{
    if (n < 1 || separator.isEmpty())
        return {};
    const QStringList parts = text.split(separator);
    return n <= parts.size() ? parts[n - 1].trimmed() : QString();
}

QString PadLeft(const QString& value, int width, QChar fill)
{
    if (width <= 0)
        return {};
    return value.size() >= width ? value.left(width) : value.rightJustified(width, fill);
}

QString PadRight(const QString& value, int width, QChar fill)
{
    if (width <= 0)
        return {};
    return value.size() >= width ? value.left(width) : value.leftJustified(width, fill);
}

QString RepeatChar(int count, QChar c) { return count > 0 ? QString(count, c) : QString(); }

QString StripChars(const QString& text, const QString& set)
{
    const auto strip = [&set](QChar c) { return set.contains(c); };
    if (std::none_of(text.cbegin(), text.cend(), strip))
        return text; // nothing to strip: shared, not copied
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (!set.contains(c))
            result.append(c);
    }
    return result;
}

QString translateChars(const QString& text, const QString& from, const QString& to)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        const int at = from.indexOf(c);
        if (at < 0)
            result.append(c);
        else if (at < to.size())
            result.append(to[at]);
    }
    return result;
}

QString dateStamp(const QDateTime& when) { return when.toString(QStringLiteral("yyyyMMdd_HHmmss")); }

} // namespace corv::utl
