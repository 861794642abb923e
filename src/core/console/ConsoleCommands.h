#pragma once

#include "command/CommandResult.h"
#include "console/ConsoleState.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace corv {

class AppContext;

// What a command needs before it can run; without it the button beeps.
enum class CommandNeeds {
    Nothing,
    ArdeaData, // the Ardea system database and the company's databases are open
    Corvina,   // the Corvina connection is open
    // The Ardea company's databases, Corvina and a Corvina company chosen:
    // the button stays disabled until then.
    BothSources,
    // A legacy export folder with a company chosen in it.
    LegacyCompany,
};

// The work of a command. It reads the console's selection state and fills
// its lists; it talks to the user only through the context's Ui, so it runs
// the same from the window, the command line and the tests.
using CommandWork = std::function<CommandResult(AppContext&, ConsoleState&)>;

// One row of the console's command table.
struct ConsoleCommand {
    QString objectName; // the button's name
    QString caption;
    ConsoleState::Tab tab;
    CommandNeeds needs = CommandNeeds::Nothing;
    CommandWork run;        // empty: not available yet (a click beeps)
    QString toolTip;
    CommandWork rightClick = {}; // the release of the right button on it; may be empty
    // What the right-click needs when it is not what the click needs.
    std::optional<CommandNeeds> rightClickNeeds = std::nullopt;

    // A button with neither is shown disabled.
    bool available() const { return static_cast<bool>(run) || static_cast<bool>(rightClick); }
};

// The console's commands, tab by tab, in the order of their buttons.
const QList<ConsoleCommand>& consoleCommands();
// The row of a button; nullptr when there is none.
const ConsoleCommand* findConsoleCommand(const QString& objectName);

// True when what the command needs is open.
bool commandCanRun(const AppContext& ctx, CommandNeeds needs);
// Whether a button is enabled now: it has work, and a command that needs a
// Corvina company waits for one to be chosen.
bool commandEnabled(const AppContext& ctx, const ConsoleState& state, const ConsoleCommand& command);

// The one way a command runs: its guard (a beep when what it needs is not
// open), a fresh stop request, the busy cursor while it works, and the report
// it hands back presented to the user.
CommandResult runConsoleCommand(AppContext& ctx, ConsoleState& state, const ConsoleCommand& command);

// The comparison of the console's choices: the selected Corvina company and
// year, the date range when it holds a date, the Nembo folder and company.
struct ComparisonRequest;
ComparisonRequest comparisonRequestOf(const ConsoleState& state);

// Commands the console runs from its lists and fields rather than from buttons.
namespace consolecommands {
// The right-click of a button as a command of its own (same guard); its work
// is empty, so it beeps, when the button has none.
ConsoleCommand rightClickOf(const ConsoleCommand& command);
// The VAT lines of the double-clicked row of a tab's list ("I" VAT codes,
// "C" reasons, "A" customers and suppliers) into the result list.
ConsoleCommand listLines(ConsoleState::Tab tab, QChar kind, const QString& row);
// The article lookup of the article field (F6): a list of the articles whose
// code or description holds the typed text; the chosen code and its
// description go to the state.
ConsoleCommand lookUpArticle(const QString& typed);
} // namespace consolecommands

} // namespace corv
