#pragma once

#include <QString>
#include <QStringList>
#include <utility>

namespace corv {

class Ui;
struct AppPaths;

// The program to start and its arguments for a report: a viewer that names
// an existing file is that program (blanks and all); otherwise it is a
// command whose words come first ("flatpak run org.gnome.TextEditor").
// The report's path is the last argument (none when the path is empty).
std::pair<QString, QStringList> viewerInvocation(const QString& viewer, const QString& path);

// The list-to-file operation of a list's right click: an empty list only
// beeps; otherwise the rows go to a new file of the program folder
// ("Lista_" + date stamp + ".txt") opened in the viewer. A file that cannot be
// written is reported. Returns the file written, empty when none.
QString listToFile(Ui& ui, const QStringList& rows, const QString& viewer, const AppPaths& paths);

} // namespace corv
