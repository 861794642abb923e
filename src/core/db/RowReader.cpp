#include "db/RowReader.h"

#include "db/Connections.h"
#include "db/DbValues.h"
#include "db/RunningStatements.h"
#include "db/SqliteFunctions.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <cmath>
#include <sqlite3.h>

namespace corv {

RowReader::RowReader(const QSqlDatabase& db) : db_(db) {}

RowReader::~RowReader() { finish(); }

void RowReader::finish()
{
    if (statement_) {
        sqlite3_finalize(statement_);
        statement_ = nullptr;
    }
    if (cancellable_) {
        runningstatements::leave(db_.connectionName());
        cancellable_ = false;
    }
    if (query_)
        query_->finish();
}

bool RowReader::exec(const QString& sql, const QVariantList& values)
{
    finish();
    positions_.clear();
    if (sqlite3* connection = sqliteHandleOf(db_)) {
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(connection, text.constData(), static_cast<int>(text.size()), &statement_, nullptr) != SQLITE_OK) {
            error_ = QString::fromUtf8(sqlite3_errmsg(connection));
            statement_ = nullptr;
            return false;
        }
        for (int i = 0; i < values.size(); ++i) {
            const QVariant& v = values[i];
            if (v.isNull()) {
                sqlite3_bind_null(statement_, i + 1);
            } else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong) {
                sqlite3_bind_int64(statement_, i + 1, v.toLongLong());
            } else if (v.typeId() == QMetaType::Double) {
                sqlite3_bind_double(statement_, i + 1, v.toDouble());
            } else {
                const QByteArray bytes = v.toString().toUtf8();
                sqlite3_bind_text(statement_, i + 1, bytes.constData(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
            }
        }
        for (int c = sqlite3_column_count(statement_) - 1; c >= 0; --c)
            positions_.insert(QString::fromUtf8(sqlite3_column_name(statement_, c)).toLower(), c);
        return true;
    }
    query_ = std::make_unique<QSqlQuery>(db_);
    query_->setForwardOnly(true);
    query_->prepare(sql);
    for (const QVariant& v : values)
        query_->addBindValue(v);
    cancellable_ = runningstatements::enter(db_, *query_);
    if (!query_->exec()) {
        error_ = query_->lastError().text();
        return false;
    }
    const QSqlRecord record = query_->record();
    for (int c = record.count() - 1; c >= 0; --c)
        positions_.insert(record.fieldName(c).toLower(), c);
    return true;
}

bool RowReader::next()
{
    if (statement_) {
        const int step = sqlite3_step(statement_);
        if (step == SQLITE_ROW)
            return true;
        if (step != SQLITE_DONE)
            error_ = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(statement_)));
        return false;
    }
    if (!query_)
        return false;
    if (query_->next())
        return true;
    if (query_->lastError().isValid())
        error_ = query_->lastError().text();
    return false;
}

bool RowReader::rewind() { return statement_ && sqlite3_reset(statement_) == SQLITE_OK; }

int RowReader::columnCount() const
{
    if (statement_)
        return sqlite3_column_count(statement_);
    return query_ ? query_->record().count() : 0;
}

QString RowReader::columnName(int column) const
{
    if (statement_)
        return QString::fromUtf8(sqlite3_column_name(statement_, column));
    return query_ ? query_->record().fieldName(column) : QString();
}

QString RowReader::declaredType(int column) const
{
    if (!statement_)
        return {};
    const char* declared = sqlite3_column_decltype(statement_, column);
    return declared ? QString::fromUtf8(declared) : QString();
}

QSqlField RowReader::field(int column) const
{
    if (statement_)
        return QSqlField(columnName(column));
    return query_ ? query_->record().field(column) : QSqlField();
}

int RowReader::indexOf(const QString& name) const { return positions_.value(name.toLower(), -1); }

bool RowReader::isNull(int column) const
{
    if (column < 0)
        return true;
    if (statement_)
        return sqlite3_column_type(statement_, column) == SQLITE_NULL;
    return query_->isNull(column);
}

QString RowReader::text(int column) const
{
    if (column < 0)
        return {};
    if (statement_) {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
        return bytes ? QString::fromUtf8(bytes, sqlite3_column_bytes(statement_, column)) : QString();
    }
    return textOf(query_->value(column));
}

std::optional<std::string_view> RowReader::bytes(int column) const
{
    if (!statement_ || column < 0 || sqlite3_column_type(statement_, column) == SQLITE_NULL)
        return std::nullopt;
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return std::string_view(text ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
}

std::optional<Amount> RowReader::amount(int column) const
{
    if (column < 0)
        return Amount();
    if (!statement_)
        return Amount::fromVariant(query_->value(column));
    switch (sqlite3_column_type(statement_, column)) {
    case SQLITE_INTEGER:
        return Amount::fromInteger(sqlite3_column_int64(statement_, column));
    case SQLITE_FLOAT:
        return Amount::fromDouble(sqlite3_column_double(statement_, column));
    case SQLITE_NULL:
        return Amount();
    default:
        return Amount::fromVariant(text(column));
    }
}

std::optional<RowReader::Storage> RowReader::storage(int column) const
{
    if (!statement_ || column < 0)
        return std::nullopt;
    switch (sqlite3_column_type(statement_, column)) {
    case SQLITE_INTEGER: return Storage::Integer;
    case SQLITE_FLOAT: return Storage::Real;
    case SQLITE_TEXT: return Storage::Text;
    case SQLITE_BLOB: return Storage::Blob;
    default: return Storage::Null;
    }
}

std::int64_t RowReader::integerAt(int column) const { return sqlite3_column_int64(statement_, column); }

std::string_view RowReader::textAt(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return std::string_view(text ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
}

double RowReader::realAt(int column) const { return sqlite3_column_double(statement_, column); }

QVariant RowReader::value(int column) const
{
    if (column < 0)
        return {};
    if (!statement_)
        return query_->value(column);
    switch (sqlite3_column_type(statement_, column)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(statement_, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement_, column));
    default:
        return QVariant(text(column));
    }
}

} // namespace corv
