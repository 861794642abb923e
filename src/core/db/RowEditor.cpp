#include "db/RowEditor.h"

#include "db/Dialect.h"

#include <QSqlError>
#include <QSqlQuery>

namespace corv {

namespace {
// Keys are compared without regard to case, as the table's key is.
QString keyOf(const QVariantMap& map, const QString& column)
{
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (it.key().compare(column, Qt::CaseInsensitive) == 0)
            return it.key();
    }
    return column;
}
} // namespace

RowEditor::RowEditor(QSqlDatabase db, QString table, QString keyColumn, QVariant key, QVariantMap original)
    : db_(std::move(db)), table_(std::move(table)), keyColumn_(std::move(keyColumn)), key_(std::move(key)),
      original_(std::move(original))
{
}

QVariant RowEditor::value(const QString& column) const
{
    const auto change = changes_.constFind(keyOf(changes_, column));
    if (change != changes_.cend())
        return *change;
    return original_.value(keyOf(original_, column));
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
    changes_.insert(key, value);
}

RowEditor::SaveResult RowEditor::save(QString* error)
{
    if (!hasRow()) {
        changes_.clear();
        return SaveResult::NoRow;
    }
    if (changes_.isEmpty())
        return SaveResult::NothingToSave;

    QStringList assignments;
    QStringList checks;
    for (auto it = changes_.cbegin(); it != changes_.cend(); ++it) {
        const QString column = Dialect::quoteIdentifier(it.key());
        assignments << column + QStringLiteral(" = ?");
        checks << (original_.value(it.key()).isNull() ? column + QStringLiteral(" IS NULL")
                                                      : column + QStringLiteral(" = ?"));
    }
    QSqlQuery update(db_);
    update.prepare(QStringLiteral("UPDATE ") + Dialect::quoteIdentifier(table_) + QStringLiteral(" SET ")
                   + assignments.join(QStringLiteral(", ")) + QStringLiteral(" WHERE ")
                   + Dialect::quoteIdentifier(keyColumn_) + QStringLiteral(" = ? AND ")
                   + checks.join(QStringLiteral(" AND ")));
    for (auto it = changes_.cbegin(); it != changes_.cend(); ++it)
        update.addBindValue(it.value().isNull() ? QVariant(QMetaType::fromType<QString>()) : it.value());
    update.addBindValue(key_);
    for (auto it = changes_.cbegin(); it != changes_.cend(); ++it) {
        if (!original_.value(it.key()).isNull())
            update.addBindValue(original_.value(it.key()));
    }
    if (!update.exec()) {
        if (error)
            *error = update.lastError().text();
        return SaveResult::Failed;
    }
    if (update.numRowsAffected() == 0) {
        changes_.clear();
        return SaveResult::ChangedElsewhere;
    }
    for (auto it = changes_.cbegin(); it != changes_.cend(); ++it)
        original_.insert(it.key(), it.value());
    changes_.clear();
    return SaveResult::Saved;
}

} // namespace corv
