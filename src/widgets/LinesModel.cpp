#include "LinesModel.h"

#include <QFontMetrics>
#include <QListView>
#include <QStyle>
#include <limits>

namespace corv {

LinesModel::LinesModel(QListView* view) : QAbstractListModel(view), view_(view) {}

void LinesModel::setLines(const CompactLines& lines)
{
    if (lines == lines_)
        return;
    beginResetModel();
    lines_ = lines;
    const QFontMetrics metrics(view_->font());
    const qsizetype longest = lines_.longestIndex();
    // The item's text margins on either side, as the style draws them.
    const int margins = 2 * (view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view_) + 1);
    rowSize_ = longest < 0 ? QSize() : QSize(metrics.horizontalAdvance(lines_.at(longest)) + margins, metrics.height());
    endResetModel();
}

int LinesModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    // A view counts its rows in an int.
    return static_cast<int>(std::min<qsizetype>(lines_.size(), std::numeric_limits<int>::max()));
}

QVariant LinesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= lines_.size())
        return {};
    if (role == Qt::DisplayRole)
        return lines_.at(index.row());
    if (role == Qt::SizeHintRole && rowSize_.isValid())
        return rowSize_;
    return {};
}

} // namespace corv
