#pragma once

#include <QString>

namespace corv {

class Registry;
struct AppPaths;

// The system's special folders by the names the programs use ("Programs",
// "Temp", "_Win", ...). On Windows from the registry and the system; elsewhere
// the closest XDG or Unix equivalent. Any other name gives empty text.
QString specialFolder(const QString& name, const AppPaths& paths, const Registry& registry);

// The Windows meaning of the names, from the registry given (kept apart so
// that it can be checked on any machine).
QString windowsSpecialFolder(const QString& name, const Registry& registry, const QString& windowsFolder,
                             const QString& tempFolder);

} // namespace corv
