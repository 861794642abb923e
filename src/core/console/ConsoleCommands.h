#pragma once

#include "console/ConsoleState.h"

#include <QList>
#include <QString>
#include <functional>

namespace corv {

class AppContext;

// How a command ended.
struct CommandResult {
    enum class Outcome {
        Done,     // it ran to its end
        Declined, // its guard or the user's first answer stopped it before it began
        Stopped,  // the user stopped it; what it saved stays saved
        Failed,   // an error, told to the user
    };
    Outcome outcome = Outcome::Done;
    // A report to hand to the user (the viewer); empty when none.
    QString reportPath;
};

// What a command needs before it can run; without it the button beeps.
enum class CommandNeeds {
    Nothing,
    ArdeaData, // the Ardea system database and the company's databases are open
    Corvina,   // the Corvina connection is open
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
    CommandWork run;    // empty: not available yet, the button is shown disabled
    QString toolTip;

    bool available() const { return static_cast<bool>(run); }
};

// The console's commands, tab by tab, in the order of their buttons.
const QList<ConsoleCommand>& consoleCommands();
// The row of a button; nullptr when there is none.
const ConsoleCommand* findConsoleCommand(const QString& objectName);

// True when what the command needs is open.
bool commandCanRun(const AppContext& ctx, CommandNeeds needs);

// The one way a command runs: its guard (a beep when what it needs is not
// open), a fresh stop request, the busy cursor while it works, and the report
// it hands back presented to the user.
CommandResult runConsoleCommand(AppContext& ctx, ConsoleState& state, const ConsoleCommand& command);

// Commands the console runs from its lists and fields rather than from buttons.
namespace consolecommands {
// The VAT lines of the double-clicked row of a tab's list ("I" VAT codes,
// "C" reasons, "A" customers and suppliers) into the result list.
ConsoleCommand listLines(ConsoleState::Tab tab, QChar kind, const QString& row);
// The article lookup of the article field (F6): a list of the articles whose
// code or description holds the typed text; the chosen code and its
// description go to the state.
ConsoleCommand lookUpArticle(const QString& typed);
} // namespace consolecommands

} // namespace corv
