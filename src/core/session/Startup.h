#pragma once

#include "ardea/ArdeaLogin.h"

namespace corv {

class AppContext;
struct ViewerEnvironment;

// The start-up steps after the single-start check and the splash: the run log's
// first line, the text viewer, the login and the system connections. Sets
// ctx.doArdea(); EndProgram means the user gave up the login.
InitOutcome startUp(AppContext& ctx, const ViewerEnvironment& viewerEnvironment);

// The console's close: connections closed in order (data, then system).
void closeConnections(AppContext& ctx);

} // namespace corv
