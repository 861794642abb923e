#include "LinesTable.h"

#include "ConsoleWidgets.h"
#include "util/Amount.h"
#include "util/TextUtil.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QRegularExpression>
#include <algorithm>
#include <cstdint>
#include <optional>

namespace corv {

namespace {

// The lines looked at to size the columns: the layouts are fixed, so the
// first ones tell the widths.
constexpr qsizetype kSampledLines = 200;

bool isItalianAmount(QStringView text)
{
    static const QRegularExpression pattern(QStringLiteral("^-?\\d{1,3}(\\.\\d{3})*,\\d+$|^-?\\d+,\\d+$"));
    return pattern.match(text).hasMatch();
}

bool isDotAmount(QStringView text)
{
    static const QRegularExpression pattern(QStringLiteral("^-?\\d+\\.\\d{2}$"));
    return pattern.match(text).hasMatch();
}

bool isStamp(QStringView text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d{8}_\\d{6}$"));
    return pattern.match(text).hasMatch();
}

// A field as a number when it is an amount; nullopt otherwise.
std::optional<double> numberOf(QStringView trimmed)
{
    if (!isItalianAmount(trimmed) && !isDotAmount(trimmed))
        return std::nullopt;
    QString plain = trimmed.toString();
    if (plain.contains(QLatin1Char(',')))
        plain.remove(QLatin1Char('.')).replace(QLatin1Char(','), QLatin1Char('.'));
    return plain.toDouble();
}

} // namespace

QList<QStringView> LinesTableModel::fieldsOf(QStringView line)
{
    QList<QStringView> fields = line.split(QLatin1Char('|'));
    if (fields.size() > 1 && fields.last().isEmpty())
        fields.removeLast();
    return fields;
}

QString LinesTableModel::shown(QStringView field, bool* amount)
{
    const QStringView trimmed = field.trimmed();
    const bool italian = isItalianAmount(trimmed), dotted = !italian && isDotAmount(trimmed);
    if (amount)
        *amount = italian || dotted;
    if (dotted) // one form across the sources: "10.00" shows as "10,00"
        return Amount::parse(trimmed.toString()).value_or(Amount()).toText(2);
    if (isStamp(trimmed))
        return trimmed.mid(6, 2).toString() + QLatin1Char('/') + trimmed.mid(4, 2).toString() + QLatin1Char('/') + trimmed.left(4).toString();
    return trimmed.toString();
}

void LinesTableModel::setContent(const QString& heading, const CompactLines& lines)
{
    beginResetModel();
    lines_ = lines;
    order_.clear();
    rowOf_.clear();
    columns_.clear();
    for (QStringView name : fieldsOf(heading))
        columns_ << name.trimmed().toString();
    if (heading.isEmpty())
        columns_.clear();
    fieldCount_ = static_cast<int>(columns_.size());
    for (qsizetype i = 0; i < std::min(lines_.size(), kSampledLines); ++i)
        fieldCount_ = std::max(fieldCount_, static_cast<int>(fieldsOf(lines_.at(i)).size()));
    endResetModel();
}

qsizetype LinesTableModel::lineIndex(int row) const { return order_.empty() ? row : order_[static_cast<std::size_t>(row)]; }

int LinesTableModel::rowOfLine(qsizetype line) const { return rowOf_.empty() ? static_cast<int>(line) : rowOf_[static_cast<std::size_t>(line)]; }

int LinesTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(std::min<qsizetype>(lines_.size(), std::numeric_limits<int>::max()));
}

int LinesTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : fieldCount_; }

QVariant LinesTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole && role != Qt::ToolTipRole)
        return {};
    const QString line = lines_.at(lineIndex(index.row()));
    if (role == Qt::ToolTipRole)
        return line;
    const QList<QStringView> fields = fieldsOf(line);
    const QStringView field = index.column() < fields.size() ? fields[index.column()] : QStringView();
    bool amount = false;
    const QString text = shown(field, &amount);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (amount ? Qt::AlignRight : Qt::AlignLeft));
    return text;
}

QVariant LinesTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return columns_.value(section);
}

void LinesTableModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= fieldCount_ || lines_.isEmpty())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<qsizetype> linesBefore;
    linesBefore.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before)
        linesBefore.push_back(lineIndex(index.row()));

    // Amounts by value, before any text; text without regard to case, stamps
    // by their date. Only the texts met are kept: an amount column costs a
    // number per line.
    std::vector<double> numbers(static_cast<std::size_t>(lines_.size()));
    std::vector<std::uint32_t> textAt(static_cast<std::size_t>(lines_.size()), 0); // 0: a number
    std::vector<QString> texts(1);
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const QString line = lines_.at(i);
        const QList<QStringView> fields = fieldsOf(line);
        const QStringView field = column < fields.size() ? fields[column].trimmed() : QStringView();
        if (const auto number = numberOf(field)) {
            numbers[static_cast<std::size_t>(i)] = *number;
        } else {
            textAt[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(texts.size());
            texts.push_back(isStamp(field) ? field.left(8).toString() : field.toString().toCaseFolded());
        }
    }
    order_.resize(static_cast<std::size_t>(lines_.size()));
    for (std::size_t i = 0; i < order_.size(); ++i)
        order_[i] = static_cast<qsizetype>(i);
    const auto less = [&](qsizetype a, qsizetype b) {
        const std::uint32_t x = textAt[static_cast<std::size_t>(a)], y = textAt[static_cast<std::size_t>(b)];
        if ((x == 0) != (y == 0))
            return x == 0;
        return x == 0 ? numbers[static_cast<std::size_t>(a)] < numbers[static_cast<std::size_t>(b)] : texts[x] < texts[y];
    };
    if (order == Qt::AscendingOrder)
        std::stable_sort(order_.begin(), order_.end(), less);
    else
        std::stable_sort(order_.begin(), order_.end(), [&less](qsizetype a, qsizetype b) { return less(b, a); });
    rowOf_.assign(order_.size(), 0);
    for (std::size_t row = 0; row < order_.size(); ++row)
        rowOf_[static_cast<std::size_t>(order_[row])] = static_cast<int>(row);

    QModelIndexList after;
    for (std::size_t i = 0; i < linesBefore.size(); ++i)
        after << index(rowOfLine(linesBefore[i]), before[static_cast<qsizetype>(i)].column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

LinesTable::LinesTable(const QString& objectName, QWidget* parent) : QTableView(parent), model_(new LinesTableModel(this))
{
    setObjectName(objectName);
    setModel(model_);
    setFont(consoleListFont());
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setWordWrap(false);
    setShowGrid(false);
    setAlternatingRowColors(true);
    setSortingEnabled(true);
    horizontalHeader()->setSortIndicatorShown(false); // the lines' own order until a heading is clicked
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    // Rows all of one height, never measured one by one: a million rows stay light.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    connect(horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, [this] { horizontalHeader()->setSortIndicatorShown(true); });
}

void LinesTable::setHeading(const QString& heading)
{
    if (heading != heading_)
        setContent(heading, model_->lines());
}

void LinesTable::setContent(const QString& heading, const CompactLines& lines)
{
    if (heading == heading_ && lines == model_->lines())
        return;
    heading_ = heading;
    horizontalHeader()->setSortIndicatorShown(false);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    model_->setContent(heading, lines);
    fitColumns();
}

void LinesTable::fitColumns()
{
    // Each column as wide as its widest field among the first lines, or its name.
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int nameCharWidth = horizontalHeader()->fontMetrics().averageCharWidth();
    std::vector<int> widths(static_cast<std::size_t>(model_->columnCount()), 0);
    for (std::size_t c = 0; c < widths.size(); ++c)
        widths[c] = static_cast<int>(model_->columns().value(static_cast<qsizetype>(c)).size()) * nameCharWidth + 2 * charWidth;
    const CompactLines& lines = model_->lines();
    for (qsizetype i = 0; i < std::min(lines.size(), kSampledLines); ++i) {
        const QString line = lines.at(i);
        const QList<QStringView> fields = LinesTableModel::fieldsOf(line);
        for (qsizetype c = 0; c < fields.size() && c < qsizetype(widths.size()); ++c)
            widths[static_cast<std::size_t>(c)] = std::max(widths[static_cast<std::size_t>(c)], static_cast<int>(fields[c].size() + 2) * charWidth);
    }
    for (std::size_t c = 0; c < widths.size(); ++c)
        setColumnWidth(static_cast<int>(c), std::min(widths[c], 60 * charWidth));
}

QString LinesTable::currentLine() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? model_->lines().at(model_->lineIndex(index.row())) : QString();
}

QList<int> LinesTable::selectedRowNumbers() const
{
    QList<int> lines;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        lines << static_cast<int>(model_->lineIndex(index.row()));
    std::sort(lines.begin(), lines.end());
    return lines;
}

QStringList LinesTable::selectedLines() const
{
    QStringList selected;
    for (int line : selectedRowNumbers())
        selected << model_->lines().at(line);
    return selected;
}

void LinesTable::selectRows(const QList<int>& lines)
{
    QItemSelection selection;
    const int last = model_->columnCount() - 1;
    for (int line : lines) {
        if (line < 0 || line >= model_->rowCount())
            continue;
        const int row = model_->rowOfLine(line);
        selection.select(model_->index(row, 0), model_->index(row, std::max(0, last)));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void LinesTable::invertSelection()
{
    QList<int> inverted;
    const QList<int> selected = selectedRowNumbers();
    auto next = selected.cbegin();
    for (int line = 0; line < model_->rowCount(); ++line) {
        if (next != selected.cend() && *next == line)
            ++next;
        else
            inverted << line;
    }
    selectRows(inverted);
}

void LinesTable::selectWhere(int field, const QString& value, bool differs)
{
    QList<int> matching;
    const CompactLines& lines = model_->lines();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if ((utl::field(lines.at(i), QStringLiteral("|"), field) == value.trimmed()) != differs)
            matching << static_cast<int>(i);
    }
    selectRows(matching);
}

void LinesTable::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
        fitColumns();
    }
}

void LinesTable::keyPressEvent(QKeyEvent* event)
{
    // A copy takes the lines as they are, bars and blanks included.
    if (event->matches(QKeySequence::Copy)) {
        QStringList lines = selectedLines();
        if (lines.isEmpty() && currentIndex().isValid())
            lines << currentLine();
        QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace corv
