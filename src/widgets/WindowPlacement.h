#pragma once

#include "settings/Placement.h"

class QWidget;

namespace corv {

// Twips (1/1440 inch) as the settings keep them, against the window's pixels.
double twipsPerPixel(const QWidget* window);

// Saves and restores a window's placement in the settings (see Placement).
bool saveWindowPlacement(const QWidget* window, IniFile& settings, const QString& windowName,
                         const QString& section = kPlacementSection,
                         std::optional<double> fontSize = std::nullopt);
void restoreWindowPlacement(QWidget* window, const IniFile& settings, const QString& windowName,
                            double minHeight = 0, double minWidth = 0,
                            const QString& section = kPlacementSection);

// Once a window is shown and its frame is known: the whole window, title bar
// included, inside the available area of its screen, shrunk to it when
// larger (never below the window's minimum size).
void keepOnScreen(QWidget* window);

} // namespace corv
