#pragma once

#include <QString>

namespace corv {

class Registry;
struct AppPaths;

// The system's special folders by the names the programs use ("Programs",
// "Temp", "_Win", ...). On Windows from the registry and the system; elsewhere
// the closest XDG or Unix equivalent. Any other name gives empty text.
QString specialFolder(const QString& name, const AppPaths& paths, const Registry& registry);

} // namespace corv
