#include "db/DbValues.h"

#include <QDateTime>
#include <QSqlQuery>

namespace corv {

QString textOf(const QVariant& value) { return value.isNull() ? QString() : value.toString(); }

QString flagOf(const QVariant& value)
{
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    return value.toString().trimmed();
}

QDate dateOf(const QVariant& value)
{
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().date();
    const QString text = value.toString().trimmed();
    // 'YYYY-MM-DD...' read by position: cheaper than a parser in row loops.
    if (text.size() >= 10 && text[4] == QLatin1Char('-') && text[7] == QLatin1Char('-')) {
        bool y = false, m = false, d = false;
        const QDate date(text.left(4).toInt(&y), text.mid(5, 2).toInt(&m), text.mid(8, 2).toInt(&d));
        if (y && m && d && date.isValid())
            return date;
    }
    QDate date = QDate::fromString(text.left(10), Qt::ISODate);
    if (!date.isValid())
        date = QDate::fromString(text.left(10), QStringLiteral("dd/MM/yyyy"));
    return date;
}

QSqlRecord firstRecord(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(sql);
    for (const QVariant& v : values)
        query.addBindValue(v);
    if (!query.exec() || !query.next())
        return {};
    return query.record();
}

QString dateText(const QVariant& value)
{
    const QDate date = dateOf(value);
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : textOf(value);
}

} // namespace corv
