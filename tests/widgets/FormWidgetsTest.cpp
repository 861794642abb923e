// The shared controls of the record windows.
#include "FormWidgets.h"

#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>

using namespace corv;

namespace {

// A table of lines: a column per field named by the heading, one number
// form right-aligned, stamps as dates, sorted by value; selections and
// copies speak of the lines as they are, whatever the sort.
TEST(FormWidgets, ATableOfLinesSortsSelectsAndShowsOneNumberForm)
{
    QWidget parent;
    PipeListView list("Lst_Prova", &parent);
    const QStringList lines = {"22 |IVA 22%|1|1.234,56|20250102_000000|", "10 |IVA 10%|0|10.00||", "E10|Esente |1|-5,00||",
                               "NS2|Non sogg|2|200,00||"};
    list.setContent("Cod|Descrizione|Ind.|Importo|Data|", lines);
    const QAbstractItemModel* model = list.model();
    ASSERT_EQ(model->columnCount(), 5);
    EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), "Importo");
    EXPECT_EQ(model->index(1, 3).data().toString(), "10,00");
    EXPECT_EQ(model->index(0, 4).data().toString(), "02/01/2025");
    EXPECT_EQ(model->index(0, 1).data().toString(), "IVA 22%");
    EXPECT_TRUE(model->index(0, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
    EXPECT_FALSE(model->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
    list.sortByColumn(3, Qt::AscendingOrder);
    QStringList codes;
    for (int row = 0; row < 4; ++row)
        codes << model->index(row, 0).data().toString();
    EXPECT_EQ(codes, (QStringList{"E10", "10", "NS2", "22"}));
    EXPECT_EQ(list.rows(), lines);
    list.selectWhere(1, "22");
    EXPECT_EQ(list.selectedRowNumbers(), (QList<int>{0}));
    EXPECT_EQ(list.selectionModel()->selectedRows().value(0).row(), 3);
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), lines[0]);
    list.selectWhere(3, "1");
    EXPECT_EQ(list.selectedRowNumbers(), (QList<int>{0, 2}));
    list.invertSelection();
    EXPECT_EQ(list.selectedRowNumbers(), (QList<int>{1, 3}));
    list.selectWhere(3, "1", true);
    EXPECT_EQ(list.selectedRowNumbers(), (QList<int>{1, 3}));
    list.selectAllRows();
    EXPECT_EQ(list.selectedRowNumbers().size(), 4);
    EXPECT_EQ(list.selectionMode(), QAbstractItemView::MultiSelection);
}

TEST(FormWidgets, CodeComboAndDateField)
{
    QWidget parent;
    CodeCombo values("Cmb_Val", &parent);
    EXPECT_TRUE(values.code().isEmpty());
    values.addItems({"0=NO", "1=Comunicazione Dati IVA/Liquidazione", " =Non definito"});
    values.setCurrentIndex(1);
    EXPECT_EQ(values.code(), "1");
    values.setCurrentIndex(2);
    EXPECT_EQ(values.code(), " ");
    DateField date("Dat_Prova", &parent);
    EXPECT_EQ(date.dateText(), "__/__/____");
    QTest::keyClicks(&date, "05031975");
    EXPECT_EQ(date.dateText(), "05/03/1975");
    date.setDateText("__/__/____");
    EXPECT_EQ(date.dateText(), "__/__/____");
    EXPECT_EQ(date.text(), "//");
}

} // namespace
