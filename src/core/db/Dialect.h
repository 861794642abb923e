#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace corv {

enum class Engine { SqlServer, Sqlite };

// What differs between SQL Server and the embedded engine in the statements we
// send. The SQL Server text is the one the accounting products expect; the
// SQLite text is its equivalent.
class Dialect {
public:
    virtual ~Dialect() = default;
    static const Dialect& of(Engine engine);

    // A literal of the statement's own: single quotes around, inner quotes
    // doubled (names of objects, fixed codes).
    static QString quote(const QString& value);
    // A literal of text that comes from the user or from data: on SQL Server
    // a Unicode literal (N'...'), so that no character is lost on the way.
    virtual QString text(const QString& value) const = 0;
    // "column LIKE <pattern>" matching the rows whose column holds `typed`
    // anywhere: the engine's wildcard characters in it are matched as they
    // are written ("50%", "A_B", "[X").
    virtual QString likeContaining(const QString& column, const QString& typed) const = 0;
    // The typed text with the engine's wildcard characters escaped by "\",
    // for a bound pattern of "LIKE ? ESCAPE '\'" (starts with, ends with...).
    virtual QString likeEscaped(const QString& typed) const = 0;
    // [name], with "]" doubled.
    static QString quoteIdentifier(const QString& name);

    // "SELECT TOP n " + body, or its equivalent; body is what follows SELECT
    // ("* FROM T ORDER BY c DESC").
    virtual QString selectTop(int n, const QString& body) const = 0;
    // A literal that compares correctly with the engine's date columns.
    virtual QString dateLiteral(const QDate& date) const = 0;
    // String concatenation of two or more expressions.
    virtual QString concat(const QStringList& parts) const = 0;
    // The first expression, or the second when it is NULL.
    virtual QString isNull(const QString& value, const QString& replacement) const = 0;
    // A query that returns one row when the table or view exists.
    virtual QString objectExistsQuery(const QString& name) const = 0;
    // A query that returns one row when the view exists.
    virtual QString viewExistsQuery(const QString& name) const = 0;
    // CREATE VIEW over a SELECT written for SQL Server.
    virtual QString createViewStatement(const QString& name, const QString& selectText) const = 0;
    // A date or a moment as a bound value the engine stores like its own
    // date columns; an invalid date binds a Null.
    virtual QVariant dateParameter(const QDate& date) const = 0;
    virtual QVariant timestampParameter(const QDateTime& when) const = 0;
    // How many keys a keyset walk asks for in one statement: SQL Server takes
    // at most 2,100 parameters in a statement.
    virtual int keysetBatchSize() const = 0;
    // A connection may write while one of its statements is still being read
    // (SQLite); SQL Server without MARS holds one open result per connection.
    virtual bool writesWhileReading() const = 0;
    // A column whose type the engine does not say is text on an engine that
    // keeps types per value.
    virtual bool untypedColumnsAreText() const = 0;
};

} // namespace corv
