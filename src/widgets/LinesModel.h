#pragma once

#include "console/CompactLines.h"

#include <QAbstractListModel>

namespace corv {

// A read-only list model over compactly held lines: a view asks only for the
// rows it shows, so a million-line result costs its text and no more.
class LinesModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setLines(const CompactLines& lines);
    const CompactLines& lines() const { return lines_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    CompactLines lines_;
};

} // namespace corv
