#pragma once

#include "util/CompactLines.h"

#include <QAbstractTableModel>
#include <QTableView>
#include <vector>

namespace corv {

// The program's "|"-separated lines as a table: one column per field, named
// by the heading's fields. A view asks only for the cells it shows, so a
// million-line list costs its compact text and, once sorted, one index per
// line. Amounts show in one Italian form ("1.234,56") right-aligned, stamps
// like "20250102_000000" as dates; the lines themselves stay as they are,
// for copying and saving.
class LinesTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setContent(const QString& heading, const CompactLines& lines);
    const CompactLines& lines() const { return lines_; }
    const QStringList& columns() const { return columns_; }
    // The line a row of the table shows (rows follow the sort).
    qsizetype lineIndex(int row) const;
    int rowOfLine(qsizetype line) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // A field as the table shows it, and whether it is an amount.
    static QString shown(QStringView field, bool* amount = nullptr);
    // The fields of a line: the text between its bars, blanks kept.
    static QList<QStringView> fieldsOf(QStringView line);

private:
    QStringList columns_;
    CompactLines lines_;
    int fieldCount_ = 0;
    std::vector<qsizetype> order_; // row -> line; empty: the lines' own order
    std::vector<int> rowOf_;        // line -> row, when sorted
};

// A read-only table of such lines in the console's fixed-pitch font: columns
// sized from the lines' own widths and resizable, sorted by a click on a
// heading, rows selected whole.
class LinesTable : public QTableView {
    Q_OBJECT
public:
    explicit LinesTable(const QString& objectName, QWidget* parent = nullptr);

    void setContent(const QString& heading, const CompactLines& lines);
    void setRows(const QStringList& rows) { setContent(heading_, rows); }
    void setHeading(const QString& heading);
    const QString& heading() const { return heading_; }
    // The lines in their own order, whatever the sort.
    QStringList rows() const { return model_->lines().toStringList(); }
    const CompactLines& lines() const { return model_->lines(); }
    // The line of the current row; empty when none.
    QString currentLine() const;
    // Selected lines by their place among the lines, in their order.
    QList<int> selectedRowNumbers() const;
    QStringList selectedLines() const;
    void selectRows(const QList<int>& lines);
    void selectAllRows() { selectAll(); }
    void invertSelection();
    // Field n (from 1, blanks trimmed) equal to the value, or with `differs` different.
    void selectWhere(int field, const QString& value, bool differs = false);
    LinesTableModel* linesModel() const { return model_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Rows and columns follow a font change (the list window's A+ and A-).
    void changeEvent(QEvent* event) override;

private:
    void fitColumns();

    LinesTableModel* model_;
    QString heading_;
};

} // namespace corv
