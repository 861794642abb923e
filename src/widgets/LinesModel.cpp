#include "LinesModel.h"

#include <limits>

namespace corv {

void LinesModel::setLines(const CompactLines& lines)
{
    if (lines == lines_)
        return;
    beginResetModel();
    lines_ = lines;
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
    if (!index.isValid() || index.row() >= lines_.size() || role != Qt::DisplayRole)
        return {};
    return lines_.at(index.row());
}

} // namespace corv
