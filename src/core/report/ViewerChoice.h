#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace corv {

class IniFile;
class Registry;
class RunLog;
class Ui;
struct AppPaths;

// What the viewer choice needs to know about the machine; tests give their own.
struct ViewerEnvironment {
    // The program the desktop opens text files with (may be empty or missing).
    std::function<QString()> associatedTextProgram;
    // Replaces "%SystemRoot%" in the associated program.
    QString windowsFolder;
    // The viewer when the associated one does not exist (Notepad on Windows).
    QString fallbackViewer;
    // Program-files folders searched for TextPad.
    QStringList programFolders;
    std::function<bool(const QString&)> exists;
    // Windows reports an empty setting replaced by the default viewer too;
    // elsewhere only a configured viewer that has gone missing is reported.
    bool warnWhenUnset = false;
};

// The command of a desktop entry's Exec line without its field codes
// ("flatpak run org.gnome.TextEditor %U" is "flatpak run org.gnome.TextEditor").
QString desktopExecCommand(const QString& exec);

ViewerEnvironment platformViewerEnvironment(const AppPaths& paths, const Registry& registry);


// Fixes the text viewer at start-up: the configured one when it exists, else a
// TextPad found in the program folders, else the default viewer, which is then
// written to the settings (with a message when a configured viewer was missing).
QString chooseViewer(IniFile& corvSettings, const ViewerEnvironment& env, Ui& ui, RunLog* log);

} // namespace corv
