#include "ProgramRegistry.h"

#include <QFileInfo>

namespace corv {

std::unique_ptr<Registry> registryFor(const AppPaths& paths)
{
#ifdef Q_OS_WIN
    if (!QFileInfo::exists(paths.registryFile()))
        return makeNativeRegistry();
#endif
    return makeRegistryFile(paths.registryFile());
}

} // namespace corv
