// The console's buttons clicked and right-clicked as a user does: each
// reaches its command (what the commands compute is tested in the core).
#include "ChartWindow.h"
#include "ConsoleSession.h"
#include "KeysHelp.h"

#include <QPushButton>
#include <QTest>

using namespace corv;
using Answer = Ui::Answer;
using corv::test::ScriptedUi;

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

} // namespace
