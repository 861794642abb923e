#pragma once

#include "platform/IniFile.h"
#include "settings/SettingsKeys.h"

#include <QLocale>
#include <QString>
#include <optional>

namespace corv {

// A window's placement as the settings keep it: state (0 normal, 1 minimised,
// 2 maximised), top, left, height and width in twips, and for the list viewer
// the font size of its list. Stored as "S|T|L|H|W|" (+ "F|"), numbers in the
// user's locale.
struct Placement {
    enum State { Normal = 0, Minimised = 1, Maximised = 2 };

    int state = Normal;
    double top = 1;
    double left = 1;
    double height = 1500;
    double width = 1500;
    std::optional<double> fontSize;

    // Fields that are missing or not numbers count as 0.
    static Placement parse(const QString& text, const QLocale& locale = QLocale());
    QString format(const QLocale& locale = QLocale()) const;
};

using keys::kListPlacementSection;
using keys::kPlacementSection;
inline constexpr double kListDefaultFontSize = 8.25;

// Saves the placement of a window under window name + "_Size". A minimised or
// maximised window changes only the state (and font) of the stored value, so
// the stored size stays that of its last normal state; a negative top or left
// is saved as 0. The keys of the earlier one-value-per-key layout are emptied.
bool savePlacement(IniFile& file, const QString& windowName, const Placement& current,
                   const QString& section = kPlacementSection, const QLocale& locale = QLocale());

struct WindowDesign {
    double height = 0; // twips
    double width = 0;
    bool sizable = true;
};

// What restoring a window applies. For a fixed-border window only state, top
// and left come from the stored value. minHeight/minWidth are raised to the
// design size when they are below 1000 and the design is larger, as the
// callers expect.
Placement restorePlacement(const IniFile& file, const QString& windowName, double& minHeight,
                           double& minWidth, const WindowDesign& design,
                           const QString& section = kPlacementSection,
                           std::optional<double> defaultFontSize = std::nullopt,
                           const QLocale& locale = QLocale());

} // namespace corv
