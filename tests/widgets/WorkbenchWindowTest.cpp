// The fiscal code workbench window typed into as a person would.
#include "WorkbenchWindow.h"
#include "TestHome.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace corv;

namespace {

TEST(WorkbenchWindow, TypingComposesTheCodeAndTheLabelsAct)
{
    corv::test::TestHome home;
    corv::test::ScriptedUi ui;
    auto ctx = home.context(ui);
    WorkbenchWindow window(*ctx);
    window.show();
    QTest::keyClicks(window.findChild<QLineEdit*>("Txt_Cog"), "Rossi");
    QTest::keyClicks(window.findChild<QLineEdit*>("Txt_Nome"), "Mario");
    auto* birth = window.findChild<QLineEdit*>("Dat_Nas");
    birth->setFocus();
    birth->setCursorPosition(0);
    QTest::keyClicks(birth, "01011980");
    auto* town = window.findChild<QLineEdit*>("Txt_LocCod");
    QTest::keyClicks(town, "H501");
    QTest::keyClick(town, Qt::Key_Return); // the field left: the town looked up
    QApplication::processEvents();
    EXPECT_EQ(window.findChild<QLineEdit*>("Txt_AbbrCog")->text(), "RSS");
    EXPECT_EQ(window.findChild<QLineEdit*>("Txt_CodDat")->text(), "80A01");
    EXPECT_EQ(window.findChild<QLabel*>("Lbl_Calc")->text(), "RSSMRA80A01H501U");
    EXPECT_EQ(window.findChild<QLabel*>("Lbl_DesLoc")->text(), "ROMA");
    // Clicking the code writes and shows the sheet (its content, the sex and
    // the clearing are the workbench's own tests).
    QTest::mouseClick(window.findChild<QLabel*>("Lbl_Calc"), Qt::LeftButton);
    ASSERT_EQ(ui.opened.size(), 1);
    EXPECT_TRUE(ui.opened.first().endsWith("CODFISC.TXT"));
}

} // namespace
