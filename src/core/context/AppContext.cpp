#include "context/AppContext.h"

#include "print/PrintEngine.h"
#include "print/PrinterDevice.h"

namespace corv {

AppContext::AppContext(AppPaths paths, std::unique_ptr<Registry> registry, Ui& ui)
    : paths_(std::move(paths)),
      registry_(std::move(registry)),
      ui_(&ui),
      log_(paths_.dataFile(QStringLiteral("Corvina.LOG"))),
      installation_(*registry_, log_)
{
}

AppContext::~AppContext() = default;

void AppContext::setPrinterDevice(std::unique_ptr<PrinterDevice> device)
{
    printEngine_.reset();
    printerDevice_ = std::move(device);
    if (!printerDevice_)
        return;
    printerSettings_ = std::make_unique<IniFile>(paths_.iniPath(ini::kPrinters));
    printEngine_ = std::make_unique<PrintEngine>(*printerDevice_, *printerSettings_, paths_.dataFile(QStringLiteral("prt-ini.log")),
                                                 [this](const QString& line) { log_.write(line); });
}

} // namespace corv
