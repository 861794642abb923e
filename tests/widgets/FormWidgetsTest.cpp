// The shared controls of the record windows.
#include "FormWidgets.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using namespace corv;

namespace {

TEST(FormWidgets, PipeListSelectsAllInvertsAndByField)
{
    QWidget parent;
    PipeListView list("Lst_Prova", &parent);
    list.setRows({"22 |IVA 22%|1|", "10 |IVA 10%|0|", "E10|Esente |1|", "NS2|Non sogg|2|"});
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
