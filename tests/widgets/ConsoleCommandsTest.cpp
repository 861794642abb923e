// The console's commands as a user starts them: each button and right click
// reaches its command (what the commands compute is tested in the core), and
// a command runs on a thread of its own while the window answers.
#include "ChartWindow.h"
#include "ConsoleSession.h"
#include "KeysHelp.h"
#include "ConsoleWindow.h"
#include "DemoSession.h"
#include "console/ConsoleCommands.h"
#include "platform/ThreadedUi.h"
#include "session/Session.h"

#include <QPushButton>
#include <QTest>
#include <QApplication>
#include <QSqlError>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

using namespace corv;
using Answer = Ui::Answer;
using corv::test::ScriptedUi;
using corv::test::TestHome;

namespace {

class ConsoleJournalButtons : public corv::test::ConsoleSession {
protected:
    QPushButton* button(const char* name) { return console->findChild<QPushButton*>(QLatin1String(name)); }
    void chooseYear(int year)
    {
        console->tabs()->setCurrentIndex(2);
        auto* companies = console->findChild<QComboBox*>("Cmb_Aziende");
        choose(companies, companies->findText(QString::number(year), Qt::MatchContains));
    }
};

// Each button, in the order a user would press them, and what shows that its
// command ran: a report opened, a window asked for, the result list filled.
TEST_F(ConsoleJournalButtons, EachButtonRunsItsCommandAndItsRightClickTheOther)
{
    const struct {
        int tab;
        const char* name;
        bool right;
        std::function<void(ScriptedUi&)> answers;
        std::function<bool(ScriptedUi&, ConsoleWindow&)> done;
    } presses[] = {
        {0, "Cmd_ArPrimaNota", false, [](ScriptedUi& u) { u.expectMessage("MANCANO DATI TABELLE ! Leggere prima i Dati per Corvina !!"); },
         [](ScriptedUi& u, ConsoleWindow&) { return u.opened.isEmpty(); }},
        {0, "Cmd_ArLeggi", false, {}, [](ScriptedUi&, ConsoleWindow& c) { return !c.state().lists[ConsoleState::ArdeaTab].subjects.isEmpty(); }},
        {0, "Cmd_ArPrimaNota", false, {}, [](ScriptedUi& u, ConsoleWindow&) { return u.opened.value(0).endsWith("/PN_ar_DEMO.LOG"); }},
        {0, "Cmd_ArTotali", false, {}, [](ScriptedUi& u, ConsoleWindow&) { return u.formsShown.back().kind == FormKind::VatTotals; }},
        {0, "Cmd_ArTotali", true,
         [](ScriptedUi& u) {
             u.expectInput("Periodo finale per Liquidazioni in Definitivo", "122025").expectMessage("Completata messa a Definitivo Liquidazioni !!");
         },
         {}},
        {0, "Cmd_ARPIEnti", false,
         [](ScriptedUi& u) {
             u.expectMessage("Presenti codici con PI errata").expectMessage("Confermi spostamento Automatico", Answer::No).expectMessage("Dalla gestione");
         },
         [](ScriptedUi&, ConsoleWindow& c) { return c.results().size() == 6; }},
        {0, "Cmd_AREster", false,
         [](ScriptedUi& u) {
             u.expectMessage("Confermi compilazione CF Estero su Ardea ?", Answer::Yes).expectMessage("Elenco codici Nazioni SOLO Italiane", Answer::Yes);
         },
         [](ScriptedUi& u, ConsoleWindow&) { return u.opened.back().endsWith("CFEster.LOG"); }},
        {1, "Cmd_NbLeggi", false, [](ScriptedUi& u) { u.expectMessage("C.Iva: 22   Ind_Com3000 <> Ind_Iva  :  1 <> 2"); },
         [](ScriptedUi&, ConsoleWindow& c) { return c.state().lists[ConsoleState::NemboTab].subjects.size() > 100; }},
        {1, "Cmd_NbPrimaNota", false, {}, [](ScriptedUi& u, ConsoleWindow&) { return u.statuses.last() == "Completata Generazione Totali."; }},
        {1, "Cmd_NbLiquidazioni", false, {},
         [](ScriptedUi&, ConsoleWindow& c) { return c.results().value(0) == "Liquidazioni IVA 2024 - Ferramenta Rossi & Figli S.r.l."; }},
        {2, "Cmd_CvPrimaNota", false, {},
         [](ScriptedUi&, ConsoleWindow& c) { return c.results().filter(" Az.: DEMO  Anno : 2025 - Totali per Codice IVA da Corvina").size() == 1; }},
        {2, "Cmd_CvPrimaNota", true, {},
         [](ScriptedUi&, ConsoleWindow& c) { return c.results().filter(" Az.: DEMO  Anno : 2025 - Totali per Codice IVA da Corvina").size() == 2; }},
    };
    chooseYear(2025);
    for (const auto& p : presses) {
        SCOPED_TRACE(p.name);
        console->tabs()->setCurrentIndex(p.tab);
        if (p.answers)
            p.answers(ui);
        if (p.right)
            corv::test::rightClick(button(p.name));
        else
            QTest::mouseClick(button(p.name), Qt::LeftButton);
        EXPECT_TRUE(ui.finished());
        if (p.done) {
            EXPECT_TRUE(p.done(ui, *console));
        }
    }
}

// Both comparisons wait for a Corvina company and year, then open their
// report, the sources' differences with their chart; every button has its
// key, and F1 lists them.
TEST_F(ConsoleJournalButtons, TheComparisonsWaitForACorvinaCompany)
{
    auto* companies = console->findChild<QComboBox*>("Cmb_Aziende");
    choose(companies, -1);
    for (const char* name : {"Cmd_CvConfronto", "Cmd_CvConfrontoLiq"})
        EXPECT_FALSE(button(name)->isEnabled()) << name;
    chooseYear(2025);
    QTest::mouseClick(button("Cmd_CvConfronto"), Qt::LeftButton);
    auto* chart = console->findChild<ChartWindow*>("F_Grafico");
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->data().categories.size(), 3); // the three planted differences
    chart->close();
    console->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(console.get()));
    QTest::keyClick(console.get(), Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier); // the eleventh button
    QTest::keyClick(console.get(), Qt::Key_F1);
    auto* keys = console->findChild<KeysHelp*>("F_Aiuto");
    ASSERT_NE(keys, nullptr);
    EXPECT_TRUE(keys->text().contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_1).toString(QKeySequence::NativeText) + "\nConfronto liquidazioni"));
    keys->close();
    ASSERT_EQ(ui.opened.size(), 2);
    EXPECT_TRUE(ui.opened[0].endsWith("/Confronto_DEMO_2025.LOG"));
    EXPECT_TRUE(ui.opened[1].endsWith("/ConfrontoLiq_DEMO_2025.LOG"));
}

// Commands on threads of their own: the window answers while they run.
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

} // namespace
