#include "console/ConsoleOpening.h"
#include "DemoSession.h"
#include "platform/ExportFiles.h"

#include <gtest/gtest.h>

using namespace corv;
using corv::test::TestHome;
using Answer = Ui::Answer;
using ConsoleOpeningTest = corv::test::DemoSession;
using MaintenanceCommands = corv::test::DemoSession;

namespace {

TEST_F(ConsoleOpeningTest, ArdeaAvailableButItsDatabasesMissingEndsTheProgram)
{
    ArdeaLogin(*ctx).dataClose();
    QFile::rename(home.file("db/AR_DEMO.sqlite"), home.file("db/AR_DEMO.bak"));
    ui.expectMessage("eAzi");
    ConsoleState fresh;
    EXPECT_FALSE(openConsole(session, fresh, {}));
    EXPECT_FALSE(ctx->connections().isOpen(Connections::ESys)); // the system close ran
}

TEST_F(ConsoleOpeningTest, ADamagedCorvinaIsToldAndWithoutCorvinaItsTabIsDisabled)
{
    // A damaged catalog is told, not just logged.
    exec(corvina(), "DROP TABLE Company");
    ui.expectMessage("Impossibile leggere le aziende dal database Corvina :");
    ConsoleState damaged;
    EXPECT_TRUE(openConsole(session, damaged, {}));
    EXPECT_TRUE(damaged.corvinaCompanies.isEmpty());
    // Without it, the Corvina tab is disabled.
    ArdeaLogin(*ctx).dataClose();
    ctx->setArdeaReached(false);
    QFile::rename(home.file("db/Corvina_3.sqlite"), home.file("db/Corvina_3.bak"));
    ui.expectMessage("Corv");
    ConsoleState fresh;
    EXPECT_TRUE(openConsole(session, fresh, {}));
    EXPECT_FALSE(fresh.corvinaEnabled);
    EXPECT_TRUE(fresh.corvinaCompanies.isEmpty());
}

TEST_F(ConsoleOpeningTest, ImportDatesChangeOnlyWithValidDates)
{
    selectYear(2025);
    EXPECT_EQ(importDateLabel(*ctx, state), "Liq.:14/02/2026\r\n - Dati:16/02/2026\r\n - Click-Dx per cambio date");
    ui.expectInput("Nuova data import Liquidazioni :", QString("  "))
        .expectInput("Nuova data import Righe :", QString(""));
    changeImportDates(*ctx, state); // both blank: a beep and nothing else
    EXPECT_EQ(ui.beeps, 1);
    ui.expectInput("Nuova data import Liquidazioni :", QString("01/03/2026"))
        .expectInput("Nuova data import Righe :", QString("31/02/2026"))
        .expectMessage("Confermi sostituzione :\r\n\r\nData Liquidazioni : 01/03/2026\r\nData Righe IVA    : 31/02/2026\r\n", Answer::Yes);
    changeImportDates(*ctx, state);
    EXPECT_EQ(importDateLabel(*ctx, state), "Liq.:01/03/2026\r\n - Dati:16/02/2026\r\n - Click-Dx per cambio date");
}

TEST(ConsoleSettings, RestoreRules)
{
    TestHome home(false);
    IniFile ini(home.file("TLX_CORV.INI"));
    ConsoleState state;
    state.corvinaCompanies = {{"DEMO", 2025, "Rossi", ""}, {"DEMO", 2016, "Rossi", ""}};
    state.tab = 0;
    ini.write("Param", "LastTab", "5");
    ini.write("Param", "Source", "7");
    ini.write("Param", "Last_Cv", corvinaCompanyRow({"DEMO", 2016, "Rossi", ""}));
    restoreConsoleSettings(state, ini);
    EXPECT_EQ(state.tab, 0);    // out of range: left as the opening chose
    EXPECT_EQ(state.source, 0); // out of range: "Dati da Ardea"
    EXPECT_EQ(state.corvinaRow, 1);
    EXPECT_EQ(state.dateFrom, kEmptyDate);
    ini.write("Param", "LastTab", "-1");
    ini.write("Param", "Source", "1");
    ini.write("Param", "Last_Cv", corvinaCompanyRow({"DEMO", 2016, "Rossi Nuovo Nome", ""}));
    restoreConsoleSettings(state, ini);
    EXPECT_EQ(state.tab, 0);
    EXPECT_EQ(state.source, 1);
    EXPECT_EQ(state.corvinaRow, -1); // the company's name changed: nothing selected
    ini.write("Param", "LastTab", "1");
    restoreConsoleSettings(state, ini);
    EXPECT_EQ(state.tab, 1);
}

TEST(ConsoleSettings, DateRangeCheck)
{
    EXPECT_FALSE(dateRangeCoherent("01/02/2024", "31/01/2024"));
    EXPECT_TRUE(dateRangeCoherent("01/02/2024", "01/02/2024"));
    EXPECT_TRUE(dateRangeCoherent(kEmptyDate, "31/01/2024"));
    EXPECT_TRUE(dateRangeCoherent("01/02/2024", kEmptyDate));
    EXPECT_FALSE(dateRangeCoherent("31/02/2024", "01/03/2024"));
    EXPECT_FALSE(dateRangeCoherent("01/02/2024", "3_/__/____"));
}

TEST(ConsoleSettings, NemboCompaniesAreTheNumbersOfTheArchiveFilesSorted)
{
    TestHome home(false);
    QDir(home.path()).mkdir("nembo");
    // Names as Windows leaves them, in any case; the folder's own order is arbitrary.
    for (const char* name : {"TR017AZI", "TR001CLI", "tr002azi", "XR003AZI", "TR03AZI", "TR001AZI", "TR0045AZI"})
        home.writeFile(QString("nembo/") + name, "");
    EXPECT_EQ(legacy::exportCompanies(home.file("nembo")), (QStringList{"001", "002", "017"}));
    EXPECT_TRUE(legacy::exportCompanies("").isEmpty());
    EXPECT_TRUE(legacy::exportCompanies(home.file("manca")).isEmpty());
}

// Every console button has its work now; the maintenance windows open from
// their buttons with the console's Corvina companies.
TEST_F(MaintenanceCommands, NoButtonIsLeftWithoutWorkAndEachWindowOpensFromItsButton)
{
    for (const ConsoleCommand& command : consoleCommands())
        EXPECT_TRUE(command.available()) << command.objectName.toStdString();
    selectYear(2025);
    const struct {
        const char* button;
        bool right;
        FormKind kind;
    } opens[] = {{"Cmd_ArTotali", false, FormKind::VatTotals},
                 {"Cmd_ArLiquidazioni", false, FormKind::SettlementRegister},
                 {"Cmd_CvIndIva", true, FormKind::VatNatureLines},
                 {"Cmd_CvIndCau", true, FormKind::DocumentTypeLines},
                 {"Cmd_CvComDati", false, FormKind::VatDataCodes}};
    for (const auto& o : opens) {
        ui.formsShown.clear();
        const ConsoleCommand* command = findConsoleCommand(o.button);
        ASSERT_NE(command, nullptr) << o.button;
        const ConsoleCommand run = o.right ? consolecommands::rightClickOf(*command) : *command;
        EXPECT_EQ(runConsoleCommand(*ctx, state, run).outcome, CommandResult::Outcome::Done) << o.button;
        ASSERT_EQ(ui.formsShown.size(), 1u) << o.button;
        EXPECT_EQ(ui.formsShown[0].kind, o.kind) << o.button;
        EXPECT_EQ(ui.formsShown[0].corvinaCompanies.size(), state.corvinaCompanies.size());
        EXPECT_EQ(ui.formsShown[0].corvinaRow, state.corvinaRow);
    }
}

} // namespace
