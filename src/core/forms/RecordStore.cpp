#include "forms/RecordStore.h"

#include "db/Connections.h"
#include "db/Dialect.h"
#include "db/RowEditor.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace corv {

RecordStore::RecordStore(QSqlDatabase db, RecordBinding binding) : db_(std::move(db)), binding_(std::move(binding)) {}

std::optional<QVariantMap> RecordStore::first(const QString& sql, const QVariantList& values, QString* error) const
{
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        if (error)
            *error = query.lastError().text();
        return std::nullopt;
    }
    if (!query.next())
        return std::nullopt;
    QVariantMap record;
    const QSqlRecord row = query.record();
    for (int i = 0; i < row.count(); ++i)
        record.insert(row.fieldName(i), row.value(i));
    return record;
}

std::optional<QVariantMap> RecordStore::read(const QString& code, QString* error) const
{
    return first(QStringLiteral("SELECT * FROM ") + binding_.table + QStringLiteral(" WHERE ") + binding_.keyColumn + QStringLiteral("=?"),
                 {code}, error);
}

std::optional<QVariantMap> RecordStore::neighbour(const QString& code, bool next, QString* error) const
{
    QString rest = QStringLiteral("* FROM ") + binding_.table;
    QVariantList values;
    if (!code.isEmpty()) {
        rest += QStringLiteral(" WHERE ") + binding_.keyColumn + (next ? QStringLiteral(">?") : QStringLiteral("<?"));
        values << code;
    }
    rest += QStringLiteral(" ORDER BY ") + binding_.keyColumn + (next ? QStringLiteral(" ASC") : QStringLiteral(" DESC"));
    return first(dialectOf(db_).selectTop(1, rest), values, error);
}

bool RecordStore::save(const QString& code, const QString& description, QString* error)
{
    const auto existing = read(code, error);
    if (!existing && error && !error->isEmpty())
        return false;
    RowEditor editor = existing ? RowEditor(db_, binding_.table, binding_.keyColumn, code, *existing)
                                : RowEditor::newRow(db_, binding_.table, {binding_.keyColumn});
    if (!existing)
        editor.set(binding_.keyColumn, code);
    editor.set(binding_.descriptionColumn, description);
    const RowEditor::SaveResult saved = editor.save(error);
    return saved == RowEditor::SaveResult::Saved || saved == RowEditor::SaveResult::NothingToSave;
}

bool RecordStore::remove(const QString& code, QString* error)
{
    const auto existing = read(code, error);
    if (!existing)
        return error == nullptr || error->isEmpty(); // gone already
    RowEditor editor(db_, binding_.table, binding_.keyColumn, code, *existing);
    return editor.remove(error) == RowEditor::SaveResult::Saved;
}

} // namespace corv
