#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <utility>

namespace corv {

// The columns and values that pick one row; a Null value matches a Null
// column (tables without a primary key may hold Nulls in the columns that
// tell their rows apart).
using RowKey = QList<std::pair<QString, QVariant>>;

// Edits one row of a base table as an updatable recordset would, with
// optimistic locking: it remembers the values read, collects assignments, and
// saves them with one UPDATE on the row's key that also requires the changed
// columns to still hold the values read. A row someone else changed in the
// meantime is not overwritten. It also adds a new row and deletes the row it
// edits. What was saved stays saved; cancel drops only the pending
// assignments.
class RowEditor {
public:
    enum class SaveResult { Saved, NothingToSave, ChangedElsewhere, NoRow, Failed };

    // No row: every assignment is ignored (a record a join did not find).
    RowEditor() = default;
    // An existing row, its key and the values read.
    RowEditor(QSqlDatabase db, QString table, RowKey key, QVariantMap original);
    RowEditor(QSqlDatabase db, QString table, const QString& keyColumn, const QVariant& key, QVariantMap original);
    // A row to add: the assignments are inserted on save; `keyColumns` name
    // the key the editor keeps for the row afterwards.
    static RowEditor newRow(QSqlDatabase db, QString table, QStringList keyColumns);

    bool hasRow() const { return exists_ || adding_; }
    bool isNew() const { return adding_; }
    QVariant value(const QString& column) const;
    // A null QVariant stores a database Null.
    void set(const QString& column, const QVariant& value);
    bool pending() const { return !changes_.isEmpty(); }

    SaveResult save(QString* error = nullptr);
    void cancel() { changes_.clear(); }
    // Deletes the row when it still holds the values read; ChangedElsewhere
    // when someone changed or deleted it first.
    SaveResult remove(QString* error = nullptr);

private:
    SaveResult update(QString* error);
    SaveResult insert(QString* error);
    // "WHERE key AND the columns read still hold their values", with its values.
    QString condition(const QStringList& checked, QVariantList& values) const;

    QSqlDatabase db_;
    QString table_;
    RowKey key_;
    QStringList keyColumns_;
    QVariantMap original_;
    QVariantMap changes_;
    bool exists_ = false;
    bool adding_ = false;
};

} // namespace corv
