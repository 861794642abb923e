// The backup window as a person uses it: the destinations, the system
// databases, the start button; its choices kept in the settings.
#include "BackupWindow.h"
#include "TestHome.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace corv;

namespace {

TEST(BackupWindow, ChoicesShownStartedAndKept)
{
    corv::test::TestHome home;
    corv::test::ScriptedUi ui;
    auto ctx = home.context(ui);
    ctx->corvSettings().write(keys::kBackupSection, "Destin", "1");
    ctx->corvSettings().write(keys::kBackupSection, "Path1", home.file("miei"));
    {
        BackupWindow window(*ctx);
        window.show();
        EXPECT_TRUE(window.findChild<QRadioButton*>("Opt_Dest1")->isChecked());
        EXPECT_EQ(window.findChild<QLineEdit*>("Txt_Path0")->text(), home.path() + "/backup/");
        EXPECT_EQ(window.findChild<QLineEdit*>("Txt_Path1")->text(), home.file("miei"));
        EXPECT_EQ(ctx->corvSettings().read(keys::kBackupSection, "Esegui"), "False");
        window.findChild<QRadioButton*>("Opt_Dest0")->setChecked(true);
        window.findChild<QCheckBox*>("Chk_DBSys")->setChecked(true);
        QTest::mouseClick(window.findChild<QPushButton*>("Cmd_Start"), Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
    }
    const IniFile settings = ctx->corvSettings();
    EXPECT_EQ(settings.read(keys::kBackupSection, "Esegui"), "True");
    EXPECT_EQ(settings.read(keys::kBackupSection, "Destin"), "0");
    EXPECT_EQ(settings.read(keys::kBackupSection, "DBSys"), "1");
    EXPECT_EQ(settings.read(keys::kBackupSection, "Path0"), home.path() + "/backup/");
    // Closed without the start button: not started.
    {
        BackupWindow window(*ctx);
        window.show();
        window.close();
    }
    EXPECT_EQ(ctx->corvSettings().read(keys::kBackupSection, "Esegui"), "False");
}

} // namespace
