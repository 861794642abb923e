// Reports in the program's own window when no viewer is configured or the
// configured one cannot start: the file's lines as they are, find, go to line.
#include "QtUi.h"
#include "ReportViewerWindow.h"
#include "TestHome.h"
#include "report/ReportFile.h"
#include "DemoSession.h"
#include "DiskPrintWindow.h"
#include "QtPrinterDevice.h"
#include "print/PrintEngine.h"

#include <QPlainTextEdit>
#include <QApplication>
#include <gtest/gtest.h>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace corv;
using Answer = corv::Ui::Answer;
using DiskPrintWindowTest = corv::test::DemoSession;

namespace {

ReportViewerWindow* shownViewer()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* viewer = qobject_cast<ReportViewerWindow*>(widget); viewer && viewer->isVisible())
            return viewer;
    }
    return nullptr;
}

TEST(ReportViewer, WithoutAViewerThatStartsTheReportOpensInTheProgram)
{
    corv::test::TestHome home(false);
    const QString path = home.file("Prova.LOG");
    const QStringList lines = {"Riga uno", "Totale : 1.234,56", "", "Riga quattro àè |"};
    ASSERT_TRUE(ReportFile::writeAll(path, lines));
    QtUi ui;
    for (const char* viewer : {"", "/nessun/visualizzatore"}) {
        ASSERT_TRUE(ui.openInViewer(viewer, path)) << viewer;
        ReportViewerWindow* window = shownViewer();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), "Prova.LOG - Report");
        EXPECT_EQ(window->text()->toPlainText().split('\n'), lines);
        const auto line = [window] { return window->text()->textCursor().blockNumber() + 1; };
        EXPECT_TRUE(window->findNext("Totale"));
        EXPECT_EQ(line(), 2);
        EXPECT_TRUE(window->findNext("Riga"));
        EXPECT_EQ(line(), 4);
        EXPECT_TRUE(window->findNext("Riga")); // on from the top
        EXPECT_EQ(line(), 1);
        EXPECT_FALSE(window->findNext("assente"));
        EXPECT_TRUE(window->goToLine(3));
        EXPECT_EQ(line(), 3);
        EXPECT_FALSE(window->goToLine(5));
        delete window;
    }
    EXPECT_FALSE(ui.openInViewer("", home.file("Manca.LOG")));
    EXPECT_EQ(shownViewer(), nullptr);
    // Its PDF through the print engine, where the user says.
    corv::test::ScriptedUi scripted;
    auto ctx = home.context(scripted);
    ReportViewerWindow* window = ReportViewerWindow::open(path, ctx.get(), nullptr);
    ASSERT_NE(window, nullptr);
    QString error;
    ASSERT_TRUE(window->exportPdf(home.file("altrove.pdf"), &error)) << error.toStdString();
    EXPECT_TRUE(home.readFile("altrove.pdf").startsWith("%PDF"));
    delete window;
}

// F_DbP on the demo as a person uses it: a report found, viewed and
// reprinted to the PDF printer (the PDF's pages and text are the stampa
// command's tests); the viewer and extension changed and restored.
TEST_F(DiskPrintWindowTest, AReportFoundViewedAndReprintedToThePdfPrinter)
{
    const QString report = home.file("Prova.log");
    home.writeFile("Prova.log", "Riga uno\r\nRiga due\r\n");
    ctx->setPrinterDevice(std::make_unique<QtPrinterDevice>(home.path()));
    ctx->printEngine()->startUp();
    ctx->printEngine()->loadProfile("PDF corvutil,FILE:");
    DiskPrintWindow window(*ctx);
    window.show();
    window.findChild<QLineEdit*>("Txt_Ext")->setText("log");
    ui.expectFile("Stampe su disco.", [&](const FileRequest& request) {
        EXPECT_EQ(request.pattern, "*.[lL][oO][gG]");
        return std::optional<QString>(report);
    });
    QTest::mouseClick(window.findChild<QPushButton*>("Cmd_Fil"), Qt::LeftButton);
    EXPECT_EQ(window.findChild<QLineEdit*>("Txt_FIL")->text(), report);
    QTest::mouseClick(window.findChild<QPushButton*>("Cmd_View"), Qt::LeftButton);
    EXPECT_EQ(ui.opened.last(), ctx->viewer() + "|" + report);
    const QString pdf = home.file("Prova.pdf");
    ui.expectMessage("Confermi ristampa documento : \r\n" + report, Answer::Yes).expectMessage("Stampa salvata nel file PDF :\r\n" + pdf);
    QTest::mouseClick(window.findChild<QPushButton*>("Cmd_RePrint"), Qt::LeftButton);
    EXPECT_TRUE(home.readFile("Prova.pdf").startsWith("%PDF"));
    window.close();
}

} // namespace
