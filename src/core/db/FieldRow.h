#pragma once

#include <QHash>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

namespace corv {

// Field positions of a result, found once by name (QSqlRecord looks names up
// one by one, case-insensitively, at every call: too slow for a row loop).
class FieldIndex {
public:
    void build(const QSqlRecord& record)
    {
        positions_.clear();
        for (int i = record.count() - 1; i >= 0; --i) // the first of equal names wins
            positions_.insert(record.fieldName(i).toLower(), i);
    }
    bool isEmpty() const { return positions_.isEmpty(); }
    int of(const QString& name) const { return positions_.value(name.toLower(), -1); }

private:
    QHash<QString, int> positions_;
};

// One row of such a result.
class FieldRow {
public:
    FieldRow() = default;
    FieldRow(QSqlRecord record, const FieldIndex* index) : record_(std::move(record)), index_(index) {}
    QVariant value(const QString& name) const { return record_.value(index_->of(name)); }
    bool has(const QString& name) const { return index_->of(name) >= 0; }

private:
    QSqlRecord record_;
    const FieldIndex* index_ = nullptr;
};

} // namespace corv
