#pragma once

#include "util/Amount.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlField>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <string_view>

struct sqlite3_stmt;

namespace corv {

// A forward-only read of a statement's rows. On SQLite it steps the engine's
// own statement and hands out text and numbers without a QVariant per cell
// (long lists spend most of their time there); elsewhere it wraps QSqlQuery.
// Columns are found by name once, without regard to case, first match wins.
class RowReader {
public:
    explicit RowReader(const QSqlDatabase& db);
    ~RowReader();
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    // Runs the statement with its "?" placeholders bound in order.
    bool exec(const QString& sql, const QVariantList& values = {});
    // The next row; false at the end and when reading failed (an error, or
    // the statement interrupted by a stop): failed() tells them apart.
    bool next();
    bool failed() const { return !error_.isEmpty(); }
    // Back before the first row, to read the rows again (SQLite only).
    bool rewind();
    bool isNative() const { return statement_ != nullptr; }
    void finish();
    const QString& error() const { return error_; }

    int columnCount() const;
    QString columnName(int column) const;
    int indexOf(const QString& name) const;
    // SQLite's declared type of a column ("varchar(25)"); empty elsewhere.
    QString declaredType(int column) const;
    // What the Qt driver says of a column (type, size, precision); the name
    // only on SQLite.
    QSqlField field(int column) const;

    bool isNull(int column) const;
    QString text(int column) const;
    // The raw UTF-8 text of a column, on SQLite only (nullopt elsewhere or for a Null).
    std::optional<std::string_view> bytes(int column) const;
    // The column as an exact amount; nullopt when it holds a number no amount
    // holds (or no number at all): text() then gives it as it is.
    std::optional<Amount> amount(int column) const;
    // Text, integer or floating value; dates are text on SQLite.
    QVariant value(int column) const;

    // On SQLite, how the engine holds this row's value, and the value itself
    // without a conversion; nullopt elsewhere.
    enum class Storage { Null, Integer, Real, Text, Blob };
    std::optional<Storage> storage(int column) const;
    std::int64_t integerAt(int column) const;
    std::string_view textAt(int column) const;
    double realAt(int column) const;

private:
    QSqlDatabase db_;
    sqlite3_stmt* statement_ = nullptr;
    std::unique_ptr<QSqlQuery> query_;
    bool cancellable_ = false; // the query's statement can be cancelled from another thread
    QHash<QString, int> positions_;
    QString error_;
};

} // namespace corv
