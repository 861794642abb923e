#pragma once

#include "command/CommandResult.h"

namespace corv {

class AppContext;
struct ConsoleState;

// The picture button of the Nembo tab: the folder chooser on the folder last
// chosen; the chosen folder becomes the export folder (kept in the settings)
// and its companies are listed, the first selected.
CommandResult chooseNemboFolder(AppContext& ctx, ConsoleState& state);

} // namespace corv
