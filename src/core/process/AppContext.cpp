#include "process/AppContext.h"

namespace corv {

AppContext::AppContext(AppPaths paths, std::unique_ptr<Registry> registry, Ui& ui)
    : paths_(std::move(paths)),
      registry_(std::move(registry)),
      ui_(&ui),
      log_(paths_.dataFile(QStringLiteral("Corvina.LOG"))),
      installation_(*registry_, log_)
{
}

} // namespace corv
