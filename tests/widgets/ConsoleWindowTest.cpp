#include "ConsoleWindow.h"
#include "SqlAccessDialog.h"
#include "WindowPlacement.h"
#include "app/AppContext.h"
#include "db/ArdeaLogin.h"
#include "db/SqlAccessForm.h"
#include "TestHome.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace corv;
using corv::test::ScriptedUi;
using corv::test::TestHome;

namespace {

TEST(ConsoleWindow, ShowsTheThreeSourcesInOrder)
{
    TestHome home;
    ScriptedUi ui;
    auto ctx = home.context(ui);
    ctx->doArdea = true;
    ConsoleWindow console(*ctx);
    EXPECT_EQ(console.objectName(), "F_Console");
    QTabWidget* tabs = console.tabs();
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "Ardea");
    EXPECT_EQ(tabs->tabText(1), "Nembo");
    EXPECT_EQ(tabs->tabText(2), "Corvina");
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_NE(console.findChild<QWidget*>("Lst_Risultati"), nullptr);
}

TEST(ConsoleWindow, WithoutArdeaTheCorvinaTabComesFirst)
{
    TestHome home;
    ScriptedUi ui;
    auto ctx = home.context(ui);
    ctx->doArdea = false;
    ConsoleWindow console(*ctx);
    EXPECT_EQ(console.tabs()->currentIndex(), 2);
}

TEST(ConsoleWindow, AbbandonaClosesTheConnectionsAndSavesThePlacement)
{
    TestHome home;
    ScriptedUi ui;
    auto ctx = home.context(ui);
    ArdeaLogin login(*ctx);
    ASSERT_EQ(login.AR_InitLib(true), InitOutcome::Ready);
    ctx->doArdea = true;
    ConsoleWindow console(*ctx);
    console.show();
    console.resize(800, 600);
    auto* quit = console.findChild<QPushButton*>("Cmd_Abbandona");
    ASSERT_NE(quit, nullptr);
    QTest::mouseClick(quit, Qt::LeftButton);
    EXPECT_FALSE(console.isVisible());
    EXPECT_FALSE(ctx->connections().isOpen(Connections::ESys));
    const QString stored = ctx->corvSettings().read("PosFinestre", "F_Console_Size");
    const double scale = twipsPerPixel(&console);
    EXPECT_EQ(Placement::parse(stored).width, 800 * scale) << stored.toStdString();
    EXPECT_EQ(Placement::parse(stored).height, 600 * scale) << stored.toStdString();
}

TEST(WindowPlacement, ASavedSizeComesBack)
{
    TestHome home(false);
    IniFile settings(home.file("TLX_CORV.INI"));
    {
        QWidget window;
        window.setObjectName("F_Prova");
        window.resize(640, 480);
        window.move(40, 50);
        window.show();
        saveWindowPlacement(&window, settings, "F_Prova");
    }
    QWidget again;
    restoreWindowPlacement(&again, settings, "F_Prova");
    EXPECT_EQ(again.size(), QSize(640, 480));
}

TEST(SqlAccessDialog, ShowsTheStoredLoginAndSavesEdits)
{
    TestHome home(false);
    home.writeFile("ARDEA_Z.INI", "[Login]\nServer='SRV01'\nUserId=op\nUserPwd=pw\n");
    ScriptedUi ui;
    SqlAccessForm form(IniFile(home.file("ARDEA_Z.INI"), true), IniFile(home.file("SQLOG_BACK.INI"), true), ui,
                       "SRVREG");
    SqlAccessDialog dialog(form);
    dialog.show();
    auto* server = dialog.findChild<QLineEdit*>("Txt_Server");
    auto* password = dialog.findChild<QLineEdit*>("Txt_Password");
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(server->text(), "SRV01");
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    server->setText("SRV02");
    QTest::mouseClick(dialog.findChild<QPushButton*>("Cmd_Salva"), Qt::LeftButton);
    EXPECT_FALSE(form.abandoned());
    EXPECT_EQ(IniFile(home.file("ARDEA_Z.INI")).read("Login", "Server"), "SRV02");
}

TEST(SqlAccessDialog, AbbandonaAbandons)
{
    TestHome home(false);
    ScriptedUi ui;
    SqlAccessForm form(IniFile(home.file("ARDEA_Z.INI"), true), IniFile(home.file("SQLOG_BACK.INI"), true), ui, "");
    SqlAccessDialog dialog(form);
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton*>("Cmd_Abbandona"), Qt::LeftButton);
    EXPECT_TRUE(form.abandoned());
    EXPECT_FALSE(QFile::exists(home.file("ARDEA_Z.INI")));
}

} // namespace
