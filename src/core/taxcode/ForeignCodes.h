#pragma once

#include "command/CommandResult.h"

#include <QString>

namespace corv {

class AppContext;

// The foreign fiscal code a subject of a foreign nation gets: its fiscal
// code, or its VAT number when that is empty, without the characters
// "#§@:*+"; empty when what there is has fewer than two characters.
QString foreignCodeCandidate(const QString& fiscalCode, const QString& vatNumber);

// Cmd_AREster: the empty foreign fiscal codes of the subjects of nations
// outside the Italian area filled, in the current and the historical
// registry; the report "CFEster.LOG" lists each change and each subject left
// without one.
CommandResult fillForeignCodes(AppContext& ctx);

} // namespace corv
