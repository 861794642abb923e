#pragma once

#include <QString>
#include <QStringList>

namespace corv {

class Ui;
struct AppPaths;

// The command line that hands a report to the viewer: both paths quoted, so
// blanks in either are safe.
QString viewerCommandLine(const QString& viewer, const QString& path);

// Opens a report in the text viewer without waiting for it.
bool openReport(Ui& ui, const QString& viewer, const QString& path);

// True when a file can be created, written and deleted in the folder; an empty
// folder is not writable. Leaves nothing behind.
bool folderWritable(const QString& folder);

// Writes the rows of a list to a new text file of the program folder
// ("Lista_" + date stamp + ".txt", CR LF) and returns its path; empty on failure.
QString writeListFile(const QStringList& rows, const AppPaths& paths);

// The list-to-file operation of a list's right click: an empty list only
// beeps; otherwise the rows are written and opened in the viewer. False when
// nothing was written.
bool listToFile(Ui& ui, const QStringList& rows, const QString& viewer, const AppPaths& paths);

} // namespace corv
