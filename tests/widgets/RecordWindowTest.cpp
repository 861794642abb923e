// The record window template on screen over a table: toolbar, menu and keys.
#include "RecordWindow.h"
#include "db/ScopedConnection.h"
#include "forms/RecordForm.h"
#include "TestHome.h"

#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTest>
#include <gtest/gtest.h>

using namespace corv;
using Answer = Ui::Answer;

namespace {

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
