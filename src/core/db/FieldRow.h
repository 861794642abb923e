#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace corv {

// Field positions of a result, found once by name (QSqlRecord looks names up
// one by one, case-insensitively, at every call: too slow for a row loop).
class FieldIndex {
public:
    void build(const QStringList& names)
    {
        positions_.clear();
        for (qsizetype i = names.size() - 1; i >= 0; --i) // the first of equal names wins
            positions_.insert(names[i].toLower(), static_cast<int>(i));
    }
    bool isEmpty() const { return positions_.isEmpty(); }
    int of(const QString& name) const
    {
        // Names are asked in lower case: found without making a copy.
        const auto found = positions_.constFind(name);
        return found != positions_.cend() ? *found : positions_.value(name.toLower(), -1);
    }

private:
    QHash<QString, int> positions_;
};

// One row of such a result: its values, named through the index.
class FieldRow {
public:
    FieldRow() = default;
    FieldRow(QList<QVariant> values, const FieldIndex* index) : values_(std::move(values)), index_(index) {}
    QVariant value(const QString& name) const { return values_.value(position(name)); }
    bool has(const QString& name) const { return position(name) >= 0; }
    // A column's place, found once for a loop over rows of the same result;
    // -1 when the result has no such column.
    int position(const QString& name) const { return index_ ? index_->of(name) : -1; }
    QVariant at(int position) const { return values_.value(position); }

private:
    QList<QVariant> values_;
    const FieldIndex* index_ = nullptr;
};

} // namespace corv
