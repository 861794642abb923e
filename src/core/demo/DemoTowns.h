#pragma once

#include <QString>

namespace corv {

// The town files of the demo in `folder`: LOCALITA.TXT (a few hundred towns:
// the demo's own, L'AQUILA, a name in two provinces, the foreign states with
// their Z codes, a Windows-1252 "FORLÌ", a short line, a blank last line)
// and NAZIONI.TXT (states and their ISO codes, one with no town row), and
// the town database LOCALITA.sqlite built from them.
bool writeDemoTowns(const QString& folder, QString* error);

} // namespace corv
