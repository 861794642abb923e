#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace corv {

// Edits one row of a base table as an updatable recordset would, with
// optimistic locking: it remembers the values read, collects assignments, and
// saves them with one UPDATE on the row's key that also requires the changed
// columns to still hold the values read. A row someone else changed in the
// meantime is not overwritten. What was saved stays saved; cancel drops only
// the pending assignments.
class RowEditor {
public:
    enum class SaveResult { Saved, NothingToSave, ChangedElsewhere, NoRow, Failed };

    RowEditor() = default;
    RowEditor(QSqlDatabase db, QString table, QString keyColumn, QVariant key, QVariantMap original);

    // False when the row does not exist (a missing joined record).
    bool hasRow() const { return !key_.isNull(); }
    QVariant value(const QString& column) const;
    // A null QVariant stores a database Null.
    void set(const QString& column, const QVariant& value);
    bool pending() const { return !changes_.isEmpty(); }

    SaveResult save(QString* error = nullptr);
    void cancel() { changes_.clear(); }

private:
    QSqlDatabase db_;
    QString table_;
    QString keyColumn_;
    QVariant key_;
    QVariantMap original_;
    QVariantMap changes_;
};

} // namespace corv
