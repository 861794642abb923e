// The shared controls of the record windows.
#include "FormWidgets.h"
#include "RecordWindow.h"
#include "db/ScopedConnection.h"
#include "forms/RecordForm.h"
#include "TestHome.h"

#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>

using namespace corv;
using Answer = Ui::Answer;

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
    // The code combo and the date field.
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

// The record window template on screen over a table: toolbar, menu and keys.
TEST(RecordWindow, ToolbarAndKeysDriveTheRecords)
{
    corv::test::TestHome home(false);
    corv::test::ScriptedUi ui;
    auto ctx = home.context(ui);
    ScopedConnection connection("finestra");
    ASSERT_TRUE(connection.openSqliteFile(home.file("t.sqlite")));
    QSqlQuery q(connection.db());
    ASSERT_TRUE(q.exec("CREATE TABLE T_PROVA (cod TEXT PRIMARY KEY, des TEXT)"));
    ASSERT_TRUE(q.exec("INSERT INTO T_PROVA VALUES ('A', 'Alfa'), ('B', 'Beta')"));
    RecordForm form(ui, std::make_unique<RecordStore>(connection.db(), RecordBinding{"T_PROVA", "cod", "des"}));
    RecordWindow window(*ctx, form, "F_Prova", "Prova", true);
    window.show();
    window.activateWindow(); // the window's keys are its shortcuts: for the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* code = window.findChild<QLineEdit*>("Txt_Cod");
    auto* description = window.findChild<QLineEdit*>("Txt_Des");
    auto* mode = window.findChild<QLabel*>("Pan_Status");
    EXPECT_EQ(mode->text(), "Inizio Inserimento..");
    EXPECT_FALSE(window.action("TB_Save")->isEnabled());
    EXPECT_TRUE(window.action("TB_Succ")->isVisible());
    EXPECT_TRUE(window.findChild<QLabel*>("Pan_F6")->isVisible());
    window.action("TB_Succ")->trigger();
    EXPECT_EQ(code->text(), "A");
    EXPECT_EQ(description->text(), "Alfa");
    EXPECT_EQ(mode->text(), "Visualizzazione");
    EXPECT_TRUE(window.action("TB_Elim")->isEnabled());
    // Typing switches to edit; Shift+F12 saves.
    description->setFocus();
    QTest::keyClicks(description, " 2");
    EXPECT_EQ(mode->text(), "Modifica");
    EXPECT_TRUE(window.action("TB_Save")->isEnabled());
    EXPECT_FALSE(window.action("TB_New")->isEnabled());
    QTest::keyClick(description, Qt::Key_F12, Qt::ShiftModifier);
    ASSERT_TRUE(q.exec("SELECT des FROM T_PROVA WHERE cod='A'") && q.next());
    EXPECT_EQ(q.value(0).toString(), "Alfa 2");
    // Ctrl+Del asks and deletes.
    ui.expectMessage("Confermi cancellazione ?", Answer::Yes);
    QTest::keyClick(description, Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_TRUE(q.exec("SELECT COUNT(*) FROM T_PROVA") && q.next());
    EXPECT_EQ(q.value(0).toInt(), 1);
    EXPECT_TRUE(code->text().isEmpty());
    EXPECT_EQ(ui.beeps, 2); // each key beeps
    window.action("M_RecPrec")->trigger();
    EXPECT_EQ(code->text(), "B");
}

} // namespace
