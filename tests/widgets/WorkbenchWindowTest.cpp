// The fiscal code workbench window typed into as a person would.
#include "WorkbenchWindow.h"
#include "context/AppContext.h"
#include "TestHome.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace corv;
using Answer = Ui::Answer;

namespace {

TEST(WorkbenchWindow, TypingComposesTheCodeAndTheLabelsAct)
{
    corv::test::TestHome home;
    corv::test::ScriptedUi ui;
    auto ctx = home.context(ui);
    WorkbenchWindow window(*ctx);
    window.show();
    EXPECT_EQ(window.objectName(), "F_VerCFPI");
    EXPECT_EQ(window.findChild<QLabel*>("Pan_Status")->text(), "Inizio Inserimento..");
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
    // The sex changes the day group and the check character.
    auto* sex = window.findChild<QComboBox*>("Cmb_Sex");
    sex->setCurrentIndex(1);
    Q_EMIT sex->activated(1);
    EXPECT_EQ(window.findChild<QLineEdit*>("Txt_CodDat")->text(), "80A41");
    // Clicking the code writes and shows the sheet.
    QTest::mouseClick(window.findChild<QLabel*>("Lbl_Calc"), Qt::LeftButton);
    ASSERT_EQ(ui.opened.size(), 1);
    EXPECT_TRUE(ui.opened.first().endsWith("CODFISC.TXT"));
    // The template's keys delete nothing here.
    QTest::keyClick(window.findChild<QLineEdit*>("Txt_Cog"), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(ui.beeps, 2);
    ui.expectMessage("Confermi pulizia dati ?", Answer::Yes);
    QTest::mouseClick(window.findChild<QPushButton*>("Cmd_Clr"), Qt::LeftButton);
    EXPECT_TRUE(window.findChild<QLineEdit*>("Txt_Cog")->text().isEmpty());
    EXPECT_TRUE(window.findChild<QLabel*>("Lbl_Calc")->text().isEmpty());
}

} // namespace
