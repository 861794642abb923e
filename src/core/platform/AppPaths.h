#pragma once

#include <QString>

namespace corv {

// The two folders the program works in. The settings folder is where bare INI
// names resolve (the Windows folder on Windows); the data folder
// is the program folder: run log, reports, SQLOG_BACK.INI, side databases.
struct AppPaths {
    QString settingsDir;
    QString dataDir;

    // One folder for everything: --home DIR or CORVUTIL_HOME.
    static AppPaths forHome(const QString& dir);
    // Platform defaults (XDG locations, the user's AppData on Windows).
    static AppPaths standard();

    // Creates both folders; false when one cannot be created.
    bool ensure() const;

    // A bare file name resolves in the settings folder; a path is kept.
    QString iniPath(const QString& name) const;
    // A file of the program folder; the name may start with "\" as the report
    // names do ("\Corvina.LOG").
    QString dataFile(const QString& name) const;
    // The file that stands in for the Windows registry off Windows.
    QString registryFile() const;
    QString lockFile() const;
};

} // namespace corv
