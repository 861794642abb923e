// The result list's model: lines shown whole, however long, after any earlier list.
#include "ConsoleWidgets.h"
#include "LinesModel.h"

#include <QApplication>
#include <QListView>
#include <QScrollBar>
#include <gtest/gtest.h>

using namespace corv;

namespace {

TEST(LinesModel, LongerLinesAfterShorterOnesScrollSidewaysInsteadOfBeingCut)
{
    QWidget window;
    QListView* view = makeConsoleList(&window, "Lst_Prova");
    auto* model = new LinesModel(view);
    view->setModel(model);
    window.resize(400, 300);
    view->resize(400, 300);
    window.show();
    model->setLines(QStringList{"breve", "breve"});
    QApplication::processEvents();
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);
    const QString longLine = QString(300, 'x') + "FINE";
    model->setLines(QStringList{longLine, longLine, "corta in fondo"});
    QApplication::processEvents();
    EXPECT_GT(view->horizontalScrollBar()->maximum(), 0);
    const QFontMetrics metrics(view->font());
    EXPECT_GE(view->visualRect(model->index(0)).width(), metrics.horizontalAdvance(longLine));
    EXPECT_EQ(model->index(1).data().toString(), longLine);
}

} // namespace
