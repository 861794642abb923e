#include "db/Dialect.h"

#include <QRegularExpression>
#include <QStringList>

namespace corv {

namespace {

// The typed text with each of `special` preceded by "\".
QString escapedText(const QString& typed, const QString& special)
{
    QString pattern;
    for (QChar c : typed) {
        if (special.contains(c))
            pattern += QLatin1Char('\\');
        pattern += c;
    }
    return pattern;
}

QString containingPattern(const QString& typed, const QString& special) { return QLatin1Char('%') + escapedText(typed, special) + QLatin1Char('%'); }

class SqlServerDialect final : public Dialect {
public:
    QString selectTop(int n, const QString& body) const override
    {
        return QStringLiteral("SELECT TOP %1 ").arg(n) + body;
    }
    // 'YYYYMMDD' is read the same way whatever the session's language.
    QString dateLiteral(const QDate& date) const override
    {
        return quote(date.toString(QStringLiteral("yyyyMMdd")));
    }
    QString concat(const QStringList& parts) const override { return parts.join(QStringLiteral(" + ")); }
    QString isNull(const QString& value, const QString& replacement) const override
    {
        return QStringLiteral("ISNULL(%1, %2)").arg(value, replacement);
    }
    QString objectExistsQuery(const QString& name) const override
    {
        return QStringLiteral("SELECT * FROM sysobjects WHERE ID = Object_id(") + quote(name) + QLatin1Char(')');
    }
    QString text(const QString& value) const override { return QLatin1Char('N') + quote(value); }
    // "[" opens a character class on SQL Server: it is escaped too.
    QString likeContaining(const QString& column, const QString& typed) const override
    {
        return column + QStringLiteral(" LIKE ") + text(containingPattern(typed, QStringLiteral("\\%_["))) + QStringLiteral(" ESCAPE '\\'");
    }
    QString likeEscaped(const QString& typed) const override { return escapedText(typed, QStringLiteral("\\%_[")); }
    QString viewExistsQuery(const QString& name) const override
    {
        return objectExistsQuery(name) + QStringLiteral(" and type = 'V'");
    }
    QString createViewStatement(const QString& name, const QString& selectText) const override
    {
        return QStringLiteral("CREATE VIEW ") + name + QStringLiteral(" AS ( ") + selectText + QStringLiteral(" )");
    }
    QVariant dateParameter(const QDate& date) const override
    {
        return date.isValid() ? QVariant(QDateTime(date, QTime(0, 0))) : QVariant(QMetaType::fromType<QDateTime>());
    }
    QVariant timestampParameter(const QDateTime& when) const override { return when; }
    bool untypedColumnsAreText() const override { return false; }
    int keysetBatchSize() const override { return 2000; }
    bool writesWhileReading() const override { return false; }
};

class SqliteDialect final : public Dialect {
public:
    QString selectTop(int n, const QString& body) const override
    {
        return QStringLiteral("SELECT ") + body + QStringLiteral(" LIMIT %1").arg(n);
    }
    // Our SQLite schemas keep dates as 'YYYY-MM-DD hh:mm:ss' text.
    QString dateLiteral(const QDate& date) const override
    {
        return quote(date.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00"));
    }
    QString concat(const QStringList& parts) const override { return parts.join(QStringLiteral(" || ")); }
    QString isNull(const QString& value, const QString& replacement) const override
    {
        return QStringLiteral("COALESCE(%1, %2)").arg(value, replacement);
    }
    QString objectExistsQuery(const QString& name) const override
    {
        return QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table','view') AND name = ")
               + quote(name) + QStringLiteral(" COLLATE NOCASE");
    }
    QString text(const QString& value) const override { return quote(value); }
    QString likeContaining(const QString& column, const QString& typed) const override
    {
        return column + QStringLiteral(" LIKE ") + text(containingPattern(typed, QStringLiteral("\\%_"))) + QStringLiteral(" ESCAPE '\\'");
    }
    QString likeEscaped(const QString& typed) const override { return escapedText(typed, QStringLiteral("\\%_")); }
    QString viewExistsQuery(const QString& name) const override
    {
        return QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'view' AND name = ") + quote(name)
               + QStringLiteral(" COLLATE NOCASE");
    }
    // SQLite takes no parentheses around a view's body and knows no TOP.
    QString createViewStatement(const QString& name, const QString& selectText) const override
    {
        static const QRegularExpression top(QStringLiteral("\\bTOP\\s*\\(?\\s*100\\s*\\)?\\s*PERCENT\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
        QString body = selectText;
        if (body.contains(top)) {
            body.remove(top);
            // SQL Server does not keep the order of a view: "TOP 100 PERCENT
            // ... ORDER BY" only lets the text be written. SQLite would keep it
            // and sort the whole view under every statement that reads it, so
            // the order goes with the TOP, and both engines read alike.
            const qsizetype order = body.lastIndexOf(QStringLiteral("ORDER BY"), -1, Qt::CaseInsensitive);
            if (order >= 0 && body.mid(order).count(QLatin1Char('(')) == 0 && body.mid(order).count(QLatin1Char(')')) == 0)
                body.truncate(order);
        }
        return QStringLiteral("CREATE VIEW ") + name + QStringLiteral(" AS ") + body.trimmed();
    }
    // Our SQLite schemas keep dates as 'YYYY-MM-DD hh:mm:ss' text.
    QVariant dateParameter(const QDate& date) const override
    {
        if (!date.isValid())
            return QVariant(QMetaType::fromType<QString>());
        return date.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00");
    }
    QVariant timestampParameter(const QDateTime& when) const override
    {
        return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    bool untypedColumnsAreText() const override { return true; }
    int keysetBatchSize() const override { return 1000; }
    bool writesWhileReading() const override { return true; }
};

} // namespace

const Dialect& Dialect::of(Engine engine)
{
    static const SqlServerDialect sqlServer;
    static const SqliteDialect sqlite;
    return engine == Engine::SqlServer ? static_cast<const Dialect&>(sqlServer) : sqlite;
}

QString Dialect::quote(const QString& value)
{
    QString escaped = value;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

QString Dialect::quoteIdentifier(const QString& name)
{
    QString escaped = name;
    escaped.replace(QLatin1Char(']'), QLatin1String("]]"));
    return QLatin1Char('[') + escaped + QLatin1Char(']');
}

} // namespace corv
