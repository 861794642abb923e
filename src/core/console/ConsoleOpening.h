#pragma once

#include <QString>
#include <functional>

namespace corv {

class AppContext;
class IniFile;
class Session;
struct ConsoleState;

// The console's opening, in order: the Ardea company and folders, the Nembo
// folder, the working connections, the managed views, the dates, the Corvina
// companies and the choices restored from the settings. False when the
// program must end (Ardea available but its databases could not be opened).
struct ConsoleHooks {
    std::function<void()> showChooser; // the company chooser, modal
    QString company = {};              // the Ardea company; empty: the one kept in the settings
};
bool openConsole(Session& session, ConsoleState& state, const ConsoleHooks& hooks);

// The company change of a double-click on the company label: the data
// connections are closed, the chooser is shown, and the connections and the
// journal view opened again for the company now chosen.
bool changeCompany(Session& session, const ConsoleHooks& hooks);

// Tells the user the Corvina companies could not be read.
void reportCorvinaFailure(AppContext& ctx, const QString& error);

// The console's close: settings written, the session closed. False when the
// settings could not be written.
bool closeConsole(Session& session, const ConsoleState& state);
// Tells the user the console's choices were not saved in the settings file.
void reportUnsavedSettings(AppContext& ctx, const IniFile& settings);

} // namespace corv
