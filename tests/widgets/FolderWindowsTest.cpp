// The windows that choose folders, as a person uses them: the backup's
// destinations, its system databases and start button, its choices kept;
// F_Fold's tree, files, new subfolder and stored choice.
#include "BackupWindow.h"
#include "TestHome.h"
#include "FolderChooserDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <QComboBox>
#include <QListWidget>

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

// F_Fold used as a person would: the tree on the start folder, the files
// shown on request, a new subfolder, OK storing the choice.
TEST(FolderChooserDialog, BrowsesMakesAFolderAndStoresTheChoice)
{
    corv::test::TestHome home(false);
    corv::test::ScriptedUi ui;
    QDir(home.path()).mkdir("export");
    home.writeFile("export/TR001AZI", "");
    IniFile settings(home.file("TLX_CORV.INI"));
    FolderChooser chooser(settings, "Ardea_Nembo", home.file("export"));
    FolderChooserDialog dialog(chooser, ui);
    dialog.show();
    QApplication::processEvents();
    auto* files = dialog.findChild<QListWidget*>("File1");
    auto* view = dialog.findChild<QPushButton*>("Cmd_View");
    EXPECT_EQ(view->toolTip(), "Click per vedere i Files");
    EXPECT_FALSE(files->isVisible());
    QTest::mouseClick(view, Qt::LeftButton);
    ASSERT_TRUE(files->isVisible());
    ASSERT_EQ(files->count(), 1);
    EXPECT_EQ(files->item(0)->text(), "TR001AZI");
    EXPECT_FALSE(dialog.findChild<QComboBox*>("Drive1")->currentText().isEmpty());

    ui.expectInput("Nuova Sottocartella :", QString("annuale"));
    QTest::mouseClick(dialog.findChild<QPushButton*>("Cmd_NewDir"), Qt::LeftButton);
    EXPECT_TRUE(QDir(home.file("export/annuale")).exists());
    EXPECT_EQ(ui.beeps, 1);
    ui.expectInput("Nuova Sottocartella :", QString("annuale")).expectMessage(QString::fromUtf8("Cartella o file già esistente !"));
    QTest::mouseClick(dialog.findChild<QPushButton*>("Cmd_NewDir"), Qt::LeftButton);
    EXPECT_EQ(ui.beeps, 2);

    files->setCurrentRow(0);
    QTest::mouseClick(dialog.findChild<QPushButton*>("Cmd_Ok"), Qt::LeftButton);
    ASSERT_TRUE(dialog.choice());
    EXPECT_EQ(dialog.choice()->folder, home.file("export"));
    EXPECT_EQ(settings.read(keys::kChooserFolderSection, "Ardea_Nembo"), home.file("export"));
    EXPECT_EQ(settings.read(keys::kChooserFileSection, "Ardea_Nembo"), "TR001AZI");
}

} // namespace
