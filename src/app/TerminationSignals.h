#pragma once

#include <functional>

namespace corv {

// A request to end the program from outside (SIGTERM, SIGINT, SIGHUP) is
// handed to `onRequest` on the event loop's thread, where it can stop the
// running command and close the windows in order. No-op on Windows.
void watchTerminationSignals(std::function<void()> onRequest);

} // namespace corv
