// Every console button has its work now; the maintenance windows open from
// their buttons with the console's Corvina companies.
#include "DemoSession.h"

#include <gtest/gtest.h>

using namespace corv;

namespace {

using MaintenanceCommands = corv::test::DemoSession;

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
