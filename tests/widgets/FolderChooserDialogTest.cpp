// F_Fold used as a person would: the tree on the start folder, the files
// shown on request, a new subfolder, OK storing the choice.
#include "FolderChooserDialog.h"
#include "TestHome.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace corv;

namespace {

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
