#pragma once

#include "ConsoleWindow.h"
#include "DemoSession.h"
#include "TestHome.h"
#include "ardea/ArdeaLogin.h"
#include "context/AppContext.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <gtest/gtest.h>
#include <memory>

namespace corv::test {

// The demo installation's console, opened and shown as at start-up.
class ConsoleSession : public ::testing::Test {
protected:
    TestHome home;
    ScriptedUi ui;
    std::unique_ptr<AppContext> ctx = home.context(ui);
    Session session{*ctx};
    std::unique_ptr<ConsoleWindow> console;

    void SetUp() override
    {
        ASSERT_EQ(session.start(quietViewer()), InitOutcome::Ready);
        console = std::make_unique<ConsoleWindow>(*ctx, session);
        ASSERT_TRUE(console->open());
        console->show();
        QApplication::processEvents();
    }
    // A choice in a combo box as the user makes it.
    static void choose(QComboBox* box, int index)
    {
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }
};

// The release of the right mouse button on a widget.
inline void rightClick(QWidget* widget)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(widget, &event);
}

} // namespace corv::test
