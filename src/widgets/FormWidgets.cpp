#include "FormWidgets.h"

#include "ConsoleWidgets.h"
#include "util/MaskedDate.h"
#include "forms/FlagLists.h"
#include "util/TextUtil.h"

#include <QItemSelectionModel>
#include <QStringListModel>

namespace corv {

PipeListView::PipeListView(const QString& objectName, QWidget* parent) : QListView(parent), model_(new QStringListModel(this))
{
    setObjectName(objectName);
    setModel(model_);
    setFont(consoleListFont());
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::MultiSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void PipeListView::setRows(const QStringList& rows) { model_->setStringList(rows); }

QStringList PipeListView::rows() const { return model_->stringList(); }

QList<int> PipeListView::selectedRowNumbers() const
{
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void PipeListView::selectRows(const QList<int>& rows)
{
    QItemSelection selection;
    for (int row : rows)
        selection.select(model_->index(row), model_->index(row));
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void PipeListView::selectAllRows()
{
    QList<int> all;
    for (int i = 0; i < model_->rowCount(); ++i)
        all << i;
    selectRows(all);
}

void PipeListView::invertSelection()
{
    const QList<int> selected = selectedRowNumbers();
    QList<int> inverted;
    for (int i = 0; i < model_->rowCount(); ++i) {
        if (!selected.contains(i))
            inverted << i;
    }
    selectRows(inverted);
}

void PipeListView::selectWhere(int field, const QString& value, bool differs)
{
    QList<int> matching;
    const QStringList all = rows();
    for (int i = 0; i < all.size(); ++i) {
        if ((utl::field(all[i], QStringLiteral("|"), field) == value.trimmed()) != differs)
            matching << i;
    }
    selectRows(matching);
}

CodeCombo::CodeCombo(const QString& objectName, QWidget* parent) : QComboBox(parent)
{
    setObjectName(objectName);
    setFont(consoleListFont());
}

QString CodeCombo::code() const { return currentIndex() < 0 ? QString() : flagValueCode(currentText()); }

DateField::DateField(const QString& objectName, QWidget* parent) : QLineEdit(parent)
{
    setObjectName(objectName);
    setInputMask(QStringLiteral("99/99/9999;_"));
}

QString DateField::dateText() const
{
    const QString shown = text();
    return QString(shown).remove(QLatin1Char('/')).remove(QLatin1Char('_')).trimmed().isEmpty() ? kEmptyDate : shown;
}

void DateField::setDateText(const QString& value)
{
    if (value == dateText())
        return;
    setText(value == kEmptyDate ? QString() : value);
}

} // namespace corv
