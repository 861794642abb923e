#pragma once

#include "util/CompactLines.h"

#include <QAbstractListModel>
#include <QSize>

class QListView;

namespace corv {

// A read-only list model over compactly held lines: a view asks only for the
// rows it shows, so a million-line result costs its text and no more. The
// view keeps uniform item sizes; every row reports the size of the longest
// line, so that no line is cut and the list scrolls sideways (a view with
// uniform sizes would otherwise measure its last row only).
class LinesModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit LinesModel(QListView* view);

    void setLines(const CompactLines& lines);
    const CompactLines& lines() const { return lines_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QListView* view_;
    CompactLines lines_;
    QSize rowSize_;
};

} // namespace corv
