#pragma once

#include <QString>
#include <functional>

namespace corv {

// Creates, in an empty or missing folder, a complete demo installation on the
// embedded engine: the registry file with the Ardea installation keys,
// ARDEA_Z.INI with a login, and the SQLite catalogs (system catalogs, two
// companies with their common databases, Corvina_3) with deterministic data.
// The folder then serves as the program's home (--home). False with a message
// when the folder already holds an installation or cannot be written.
struct DemoOptions {
    // Customers and suppliers of the demo company, besides the planted faults.
    int subjects = 300;
    // VAT rows of the demo company's journal over two years.
    int vatRows = 3000;
    // Articles and stock movements of the demo company.
    int articles = 60;
    int movements = 400;
    // Told what is being made, phase by phase (the large installation takes
    // a minute and more); may be empty.
    std::function<void(const QString&)> progress = {};
    void say(const QString& text) const
    {
        if (progress)
            progress(text);
    }
};
bool createDemoInstallation(const QString& folder, QString* error, const DemoOptions& options = {});

// The schema script of a catalog kind: "eSYS", "eCONNESSIONI", "eSESSIONI",
// "company", "common", "Corvina_3". Empty for an unknown kind.
QString demoSchema(const QString& kind);

// Creates a SQLite catalog file from a schema kind; used by the demo and by
// test fixtures. False when the file exists already or the script fails.
bool createCatalog(const QString& file, const QString& kind, QString* error);

inline const QString kDemoCompany = QStringLiteral("DEMO");
// Distinctive, so that a test can tell it anywhere it must not be.
inline const QString kDemoPassword = QStringLiteral("DemoSegreta26");

} // namespace corv
