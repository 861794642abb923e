#include "db/RowEditor.h"

#include "db/Dialect.h"

#include <QSqlError>
#include <QSqlQuery>

namespace corv {

namespace {

// Column names compare without regard to case, as the engines' names do.
QString keyOf(const QVariantMap& map, const QString& column)
{
    if (map.contains(column))
        return column; // spelled as stored: the common case, found by the map
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (it.key().compare(column, Qt::CaseInsensitive) == 0)
            return it.key();
    }
    return column;
}

// A Null is bound as a Null of text type: every engine takes it in any column.
QVariant bindable(const QVariant& value) { return value.isNull() ? QVariant(QMetaType::fromType<QString>()) : value; }

// "col = ?" for a value, "col IS NULL" for a Null: the comparison that finds a
// Null too.
QString matches(const QString& column, const QVariant& value, QVariantList& values)
{
    if (value.isNull())
        return Dialect::quoteIdentifier(column) + QStringLiteral(" IS NULL");
    values << value;
    return Dialect::quoteIdentifier(column) + QStringLiteral(" = ?");
}

bool run(QSqlDatabase db, const QString& sql, const QVariantList& values, QString* error, int* affected)
{
    QSqlQuery query(db);
    query.prepare(sql);
    for (const QVariant& v : values)
        query.addBindValue(bindable(v));
    if (!query.exec()) {
        if (error)
            *error = query.lastError().text();
        return false;
    }
    *affected = query.numRowsAffected();
    return true;
}

} // namespace

RowEditor::RowEditor(QSqlDatabase db, QString table, RowKey key, QVariantMap original)
    : db_(std::move(db)), table_(std::move(table)), key_(std::move(key)), original_(std::move(original)), exists_(true)
{
    for (const auto& [column, value] : key_)
        keyColumns_ << column;
}

RowEditor::RowEditor(QSqlDatabase db, QString table, const QString& keyColumn, const QVariant& key, QVariantMap original)
    : RowEditor(std::move(db), std::move(table), RowKey{{keyColumn, key}}, std::move(original))
{
}

RowEditor RowEditor::newRow(QSqlDatabase db, QString table, QStringList keyColumns)
{
    RowEditor editor;
    editor.db_ = std::move(db);
    editor.table_ = std::move(table);
    editor.keyColumns_ = std::move(keyColumns);
    editor.adding_ = true;
    return editor;
}

QVariant RowEditor::value(const QString& column) const
{
    if (!changes_.isEmpty()) {
        const auto change = changes_.constFind(keyOf(changes_, column));
        if (change != changes_.cend())
            return *change;
    }
    const auto stored = original_.constFind(column); // spelled as read: found at once
    return stored != original_.cend() ? *stored : original_.value(keyOf(original_, column));
}

void RowEditor::set(const QString& column, const QVariant& value)
{
    if (!hasRow())
        return;
    const QString key = keyOf(original_, column);
    // Assigning the value a column already holds changes nothing: no UPDATE.
    const QVariant stored = original_.value(key);
    if (original_.contains(key) && stored.isNull() == value.isNull()
        && (value.isNull() || stored.toString() == value.toString())) {
        changes_.remove(key);
        return;
    }
    changes_.insert(keyOf(changes_, key), value);
}

QString RowEditor::condition(const QStringList& checked, QVariantList& values) const
{
    QStringList terms;
    for (const auto& [column, value] : key_)
        terms << matches(column, value, values);
    for (const QString& column : checked)
        terms << matches(column, original_.value(column), values);
    return QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "));
}

RowEditor::SaveResult RowEditor::save(QString* error)
{
    if (!hasRow()) {
        changes_.clear();
        return SaveResult::NoRow;
    }
    if (changes_.isEmpty())
        return SaveResult::NothingToSave;
    return adding_ ? insert(error) : update(error);
}

RowEditor::SaveResult RowEditor::update(QString* error)
{
    QStringList assignments;
    QVariantList values;
    for (auto it = changes_.cbegin(); it != changes_.cend(); ++it) {
        assignments << Dialect::quoteIdentifier(it.key()) + QStringLiteral(" = ?");
        values << it.value();
    }
    const QString sql = QStringLiteral("UPDATE ") + Dialect::quoteIdentifier(table_) + QStringLiteral(" SET ")
                        + assignments.join(QStringLiteral(", ")) + condition(changes_.keys(), values);
    int affected = 0;
    if (!run(db_, sql, values, error, &affected))
        return SaveResult::Failed;
    if (affected == 0) {
        changes_.clear();
        return SaveResult::ChangedElsewhere;
    }
    for (auto it = changes_.cbegin(); it != changes_.cend(); ++it)
        original_.insert(it.key(), it.value());
    // A key column changed: the row is found by its new value from now on.
    for (auto& [column, value] : key_) {
        const QString changed = keyOf(changes_, column);
        if (changes_.contains(changed))
            value = changes_.value(changed);
    }
    changes_.clear();
    return SaveResult::Saved;
}

RowEditor::SaveResult RowEditor::insert(QString* error)
{
    QStringList columns;
    QStringList marks;
    QVariantList values;
    for (auto it = changes_.cbegin(); it != changes_.cend(); ++it) {
        columns << Dialect::quoteIdentifier(it.key());
        marks << QStringLiteral("?");
        values << it.value();
    }
    const QString sql = QStringLiteral("INSERT INTO ") + Dialect::quoteIdentifier(table_) + QStringLiteral(" (") + columns.join(QStringLiteral(", "))
                        + QStringLiteral(") VALUES (") + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
    int affected = 0;
    if (!run(db_, sql, values, error, &affected))
        return SaveResult::Failed;
    original_ = changes_;
    changes_.clear();
    key_.clear();
    for (const QString& column : keyColumns_)
        key_.append({column, original_.value(keyOf(original_, column))});
    adding_ = false;
    exists_ = true;
    return SaveResult::Saved;
}

RowEditor::SaveResult RowEditor::remove(QString* error)
{
    if (!exists_)
        return SaveResult::NoRow;
    QVariantList values;
    const QString sql = QStringLiteral("DELETE FROM ") + Dialect::quoteIdentifier(table_) + condition(original_.keys(), values);
    int affected = 0;
    if (!run(db_, sql, values, error, &affected))
        return SaveResult::Failed;
    changes_.clear();
    if (affected == 0)
        return SaveResult::ChangedElsewhere;
    exists_ = false;
    return SaveResult::Saved;
}

} // namespace corv
