// Commands on threads of their own: the window answers while they run.
#include "ConsoleWindow.h"
#include "DemoSession.h"
#include "console/ConsoleCommands.h"
#include "platform/ThreadedUi.h"
#include "session/Session.h"

#include <QApplication>
#include <QSqlError>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

using namespace corv;
using corv::test::ScriptedUi;
using corv::test::TestHome;

namespace {

// A scripted user who notes the thread each question is asked on.
struct ThreadNotingUi : ScriptedUi {
    QThread* askedOn = nullptr;
    Answer message(const QString& text, const QString& title, Icon icon, Buttons buttons, Answer defaultAnswer) override
    {
        askedOn = QThread::currentThread();
        return ScriptedUi::message(text, title, icon, buttons, defaultAnswer);
    }
};

class ConsoleThreadTest : public ::testing::Test {
protected:
    TestHome home;
    ThreadNotingUi ui;
    ThreadedUi threaded{ui};
    std::unique_ptr<AppContext> ctx = home.context(threaded);
    Session session{*ctx};
    std::unique_ptr<ConsoleWindow> console;

    void SetUp() override
    {
        ASSERT_EQ(session.start(corv::test::quietViewer()), InitOutcome::Ready);
        console = std::make_unique<ConsoleWindow>(*ctx, session);
        ASSERT_TRUE(console->open());
        console->show();
    }
};

TEST_F(ConsoleThreadTest, ACommandRunsOffTheWindowsThreadOnItsOwnConnectionsAndAsksOnIt)
{
    QThread* ranOn = nullptr;
    std::atomic<bool> windowLoopRan = false;
    const ConsoleCommand probe{QStringLiteral("Cmd_Prova"), QStringLiteral("Prova"), ConsoleState::ArdeaTab, CommandNeeds::Nothing,
                               [&](AppContext& c, ConsoleState&) {
                                   ranOn = QThread::currentThread();
                                   c.ui().askYesNo(QStringLiteral("Domanda dal comando ?"));
                                   // The command keeps on; the window's loop meanwhile runs a timer.
                                   QMetaObject::invokeMethod(qApp, [&] { windowLoopRan = true; }, Qt::QueuedConnection);
                                   QElapsedTimer waited;
                                   waited.start();
                                   while (!windowLoopRan && waited.elapsed() < 10000)
                                       QThread::msleep(5);
                                   return CommandResult();
                               }};
    ui.expectMessage("Domanda dal comando ?", Ui::Answer::Yes);
    EXPECT_EQ(console->run(probe).outcome, CommandResult::Outcome::Done);
    EXPECT_NE(ranOn, qApp->thread());
    EXPECT_EQ(ui.askedOn, qApp->thread());
    EXPECT_TRUE(windowLoopRan); // the window was free while the command worked
    // A command reads on its own connections and hands its lists to the window.
    const CommandResult result = console->run(*findConsoleCommand("Cmd_ArLeggi"));
    EXPECT_EQ(result.outcome, CommandResult::Outcome::Done);
    const ReferenceLists& lists = console->state().lists[ConsoleState::ArdeaTab];
    EXPECT_FALSE(lists.vatCodes.isEmpty());
    EXPECT_FALSE(lists.subjects.isEmpty());
    // The command's thread gave its connections back.
    for (const QString& name : QSqlDatabase::connectionNames())
        EXPECT_FALSE(name.contains('@')) << name.toStdString();
}

} // namespace

// A statement of a command's thread interrupted from the window's thread.
TEST(Connections, AStopInterruptsAStatementRunningOnAnotherThread)
{
    TestHome home;
    ScriptedUi ui;
    auto ctx = home.context(ui);
    Session session(*ctx);
    ASSERT_EQ(session.start(corv::test::quietViewer()), InitOutcome::Ready);
    ASSERT_TRUE(session.open({QStringLiteral("DEMO"), {}}));
    QString error;
    bool finished = false;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        QSqlQuery q(ctx->connections().db(Connections::Company));
        // Minutes of counting, were it not interrupted.
        finished = q.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000000000) SELECT COUNT(*) FROM n")
                   && q.next();
        error = q.lastError().text();
        q = QSqlQuery();
        ctx->connections().releaseThread();
    }));
    QElapsedTimer timer;
    timer.start();
    worker->start();
    QThread::msleep(300);
    ctx->connections().interruptOtherThreads();
    ASSERT_TRUE(worker->wait(10000));
    EXPECT_FALSE(finished);
    EXPECT_TRUE(error.contains("interrupt", Qt::CaseInsensitive)) << error.toStdString();
    EXPECT_LT(timer.elapsed(), 5000);
}
