#include "demo/DemoInstallation.h"

#include "demo/DemoNembo.h"
#include "demo/DemoTowns.h"

#include "settings/Settings.h"
#include "context/ArdeaInstallation.h"
#include "db/ScopedConnection.h"
#include "db/SqlScript.h"
#include "demo/DemoData.h"
#include "platform/AppPaths.h"
#include "platform/IniFile.h"
#include "platform/Registry.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace corv {

namespace {

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

bool writeRegistry(const QString& folder, const AppPaths& paths)
{
    auto registry = makeRegistryFile(paths.registryFile());
    const QString settings = regkeys::kSettings;
    const QString baseDati = regkeys::kDatabase;
    const QString ardea = folder + QStringLiteral("/ardea/");
    bool ok = true;
    const auto hklm = [&](const QString& key, const char* name, const QString& value) {
        ok &= registry->write(RegistryRoot::LocalMachine, key, QLatin1String(name), value);
    };
    const auto hkcu = [&](const QString& key, const char* name, const QString& value) {
        ok &= registry->write(RegistryRoot::CurrentUser, key, QLatin1String(name), value);
    };
    hklm(settings, "PercorsoInstallazione", ardea);
    hklm(settings, "PathTemp", ardea + QStringLiteral("temp/"));
    hklm(settings, "PathReportSave", ardea + QStringLiteral("report/salvati/"));
    hklm(settings, "PathReport", ardea + QStringLiteral("report/"));
    hklm(settings, "PathVBA", ardea + QStringLiteral("vba/"));
    hklm(settings, "PathReportExp", ardea + QStringLiteral("report/export/"));
    for (const char* stored : {"PS", "PU", "PW", "SP"})
        hklm(settings, stored, QString());
    hklm(baseDati, "DBServer", folder + QStringLiteral("/db"));
    hklm(baseDati, "OLEDBProvider", QStringLiteral("SQLite"));
    hkcu(regkeys::kLastLogin, "Utente", QStringLiteral("adme"));
    hkcu(regkeys::kLastLogin, "Azienda", kDemoCompany);
    hkcu(regkeys::kLogin, "UltimaAzienda", kDemoCompany);
    // The Corvina product's last backup folder, inside the demo.
    hkcu(regkeys::kBackupRestore, "PercorsoUltimoBackup", folder + QStringLiteral("/backup/"));
    for (const char* sub : {"temp", "report/salvati", "report/export", "vba", "exe"})
        ok &= QDir().mkpath(ardea + QLatin1String(sub));
    return ok;
}

// The demo opens on the Ardea tab of its company.
bool writeConsoleSettings(const AppPaths& paths)
{
    IniFile settings(paths.iniPath(ini::kCorv));
    return settings.writeAll({{keys::kCompany, kDemoCompany}, keys::kLastTab(0), {keys::kNemboFolder, QDir(paths.dataDir).filePath(QStringLiteral("nembo"))}});
}

bool writeLogin(const QString& folder, const AppPaths& paths)
{
    IniFile ardea(paths.iniPath(ini::kArdea), true);
    return ardea.writeAll({{keys::kLoginServer, folder + QStringLiteral("/db")},
                           {keys::kLoginUser, QStringLiteral("sa")},
                           {keys::kLoginPassword, kDemoPassword},
                           {keys::kArdeaCompany, kDemoCompany}});
}

} // namespace

QString demoSchema(const QString& kind)
{
    QFile file(QStringLiteral(":/schema/") + kind + QStringLiteral(".sql"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

bool createCatalog(const QString& file, const QString& kind, QString* error)
{
    const QString schema = demoSchema(kind);
    if (schema.isEmpty())
        return fail(error, QStringLiteral("Schema sconosciuto : ") + kind);
    if (QFileInfo::exists(file))
        return fail(error, QStringLiteral("Il database esiste già : ") + file);
    ScopedConnection catalog(QStringLiteral("demo"));
    if (!catalog.openSqliteFile(file, error))
        return false;
    QSqlDatabase db = catalog.db();
    // Write-ahead log: readers and the row-by-row writers of the corrections
    // do not wait for each other.
    QSqlQuery(db).exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    return runSqlScript(db, schema, error);
}

bool createDemoInstallation(const QString& folderArg, QString* error, const DemoOptions& options)
{
    const QString folder = QDir(folderArg).absolutePath();
    const AppPaths paths = AppPaths::forHome(folder);
    if (QFileInfo::exists(paths.registryFile()))
        return fail(error, QStringLiteral("La cartella contiene già un'installazione : ") + folder);
    if (!paths.ensure() || !QDir().mkpath(folder + QStringLiteral("/db")))
        return fail(error, QStringLiteral("Impossibile creare la cartella : ") + folder);

    const QString dbFolder = folder + QStringLiteral("/db/");
    options.say(QStringLiteral("Database vuoti in ") + dbFolder);
    for (const auto& catalog : demoCatalogs()) {
        if (!createCatalog(dbFolder + catalog.name + QStringLiteral(".sqlite"), catalog.kind, error))
            return false;
    }
    if (!fillDemoData(dbFolder, options, error))
        return false;
    options.say(QStringLiteral("Export Nembo in ") + folder + QStringLiteral("/nembo"));
    {
        ScopedConnection company(QStringLiteral("demo-nembo"));
        if (!company.openSqliteFile(dbFolder + QStringLiteral("AR_DEMO.sqlite"), error)
            || !writeDemoNemboExport(folder + QStringLiteral("/nembo"), company.db(), options.vatRows > 100000, error))
            return false;
    }
    options.say(QStringLiteral("Località e nazioni"));
    if (!writeDemoTowns(folder, error))
        return false;
    // The registry file last: its presence marks a complete installation.
    if (!writeLogin(folder, paths) || !writeConsoleSettings(paths) || !writeRegistry(folder, paths))
        return fail(error, QStringLiteral("Impossibile scrivere le impostazioni in : ") + folder);
    return true;
}

} // namespace corv
