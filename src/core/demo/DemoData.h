#pragma once

#include "demo/DemoInstallation.h"

#include <QString>
#include <vector>

namespace corv {

struct DemoCatalog {
    QString name; // catalog (file stem)
    QString kind; // schema kind
};

// The catalogs of the demo installation.
const std::vector<DemoCatalog>& demoCatalogs();

// Fills the catalogs created in the folder with the demo's records.
bool fillDemoData(const QString& dbFolder, const DemoOptions& options, QString* error);

} // namespace corv
