#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariantMap>
#include <optional>

namespace corv {

// The table a record window shows: its table, the key column of its code and
// the column of its description. A window without one (it uses the template
// for its toolbar and status bar only) never reads, writes or deletes
// through the template.
struct RecordBinding {
    QString table;
    QString keyColumn;
    QString descriptionColumn;
    bool bound() const { return !table.isEmpty() && !keyColumn.isEmpty() && !descriptionColumn.isEmpty(); }
};

// The record operations of the template on a connection, every value bound.
class RecordStore {
public:
    RecordStore(QSqlDatabase db, RecordBinding binding);

    const RecordBinding& binding() const { return binding_; }
    // The record of a code; nullopt when there is none (or on an error, then `error` says why).
    std::optional<QVariantMap> read(const QString& code, QString* error = nullptr) const;
    // The record before (or after) a code in key order; from an empty code the last (or first).
    std::optional<QVariantMap> neighbour(const QString& code, bool next, QString* error = nullptr) const;
    // Adds the record when its code is new, else updates its description.
    bool save(const QString& code, const QString& description, QString* error = nullptr);
    bool remove(const QString& code, QString* error = nullptr);

private:
    std::optional<QVariantMap> first(const QString& sql, const QVariantList& values, QString* error) const;

    QSqlDatabase db_;
    RecordBinding binding_;
};

} // namespace corv
