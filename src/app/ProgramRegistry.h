#pragma once

#include "platform/AppPaths.h"
#include "platform/Registry.h"

#include <memory>

namespace corv {

// The registry the program reads: Windows' own, unless the home holds a
// registry file (the demo installation, the tests, other systems).
std::unique_ptr<Registry> registryFor(const AppPaths& paths);

} // namespace corv
