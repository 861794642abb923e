// Reports in the program's own window when no viewer is configured or the
// configured one cannot start: the file's lines as they are, find, go to line.
#include "QtUi.h"
#include "ReportViewerWindow.h"
#include "TestHome.h"
#include "report/ReportFile.h"

#include <QPlainTextEdit>
#include <QApplication>
#include <gtest/gtest.h>

using namespace corv;

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

} // namespace
