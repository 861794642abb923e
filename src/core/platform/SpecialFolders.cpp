#include "platform/SpecialFolders.h"

#include "platform/AppPaths.h"
#include "platform/Registry.h"

#include <QDir>
#include <QStandardPaths>

namespace corv {

QString windowsSpecialFolder(const QString& name, const Registry& registry, const QString& windowsFolder,
                            const QString& tempFolder)
{
    const auto is = [&](const char* n) { return name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0; };
    const QString currentVersion = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion");
    const auto hklm = [&](const QString& key, const char* value) {
        return registry.read(RegistryRoot::LocalMachine, key, QLatin1String(value));
    };
    const auto hkcu = [&](const QString& key, const char* value) {
        return registry.read(RegistryRoot::CurrentUser, key, QLatin1String(value));
    };
    // On a 64-bit system the first value may name the 32-bit folder.
    if (is("Programs")) {
        const QString dir = hklm(currentVersion, "ProgramFilesDir");
        return dir.contains(QLatin1String("(x86)")) ? hklm(currentVersion, "ProgramW6432Dir") : dir;
    }
    if (is("Programs86"))
        return hklm(currentVersion, "ProgramFilesDir (x86)");
    if (is("CommFiles")) {
        const QString dir = hklm(currentVersion, "CommonFilesDir");
        return dir.contains(QLatin1String("(x86)")) ? hklm(currentVersion, "CommonW6432Dir") : dir;
    }
    if (is("CommFiles86"))
        return hklm(currentVersion, "CommonFilesDir (x86)");
    if (is("ODBC"))
        return hklm(QStringLiteral("SOFTWARE\\ODBC\\ODBC.INI\\ODBC File DSN"), "DefaultDSNDir");
    if (is("Temp"))
        return hkcu(QStringLiteral("Environment"), "Temp");
    const QString shellFolders = currentVersion + QStringLiteral("\\Explorer\\Shell Folders");
    if (is("Personal"))
        return hkcu(shellFolders, "Personal");
    if (is("Download Directory")) {
        const QString dir = hkcu(QStringLiteral("Software\\Microsoft\\Internet Explorer"), "Download Directory");
        return dir.isEmpty() ? hkcu(shellFolders, "Personal") : dir;
    }
    if (is("StoreRoot"))
        return hkcu(QStringLiteral("Software\\Microsoft\\Windows Mail"), "StoreRoot");
    if (is("_Win"))
        return windowsFolder;
    if (is("_Temp"))
        return tempFolder;
    if (is("_Sys32"))
        return windowsFolder + QStringLiteral("System32");
    return {};
}

QString specialFolder(const QString& name, const AppPaths& paths, const Registry& registry)
{
#ifdef Q_OS_WIN
    Q_UNUSED(paths);
    const QString windows =
        QDir::toNativeSeparators(qEnvironmentVariable("SystemRoot", QStringLiteral("C:\\Windows"))) + QLatin1Char('\\');
    return windowsSpecialFolder(name, registry, windows, QDir::toNativeSeparators(QDir::tempPath()));
#else
    Q_UNUSED(registry);
    const auto is = [&](const char* n) { return name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0; };
    const auto location = [](QStandardPaths::StandardLocation where) { return QStandardPaths::writableLocation(where); };
    if (is("Programs") || is("Programs86"))
        return QStringLiteral("/usr/bin");
    if (is("CommFiles") || is("CommFiles86"))
        return QStringLiteral("/usr/share");
    if (is("ODBC"))
        return QStringLiteral("/etc");
    if (is("Temp") || is("_Temp"))
        return QDir::tempPath();
    if (is("Personal"))
        return location(QStandardPaths::DocumentsLocation);
    if (is("Download Directory")) {
        const QString dir = location(QStandardPaths::DownloadLocation);
        return dir.isEmpty() ? location(QStandardPaths::DocumentsLocation) : dir;
    }
    if (is("StoreRoot"))
        return location(QStandardPaths::GenericDataLocation);
    if (is("_Win"))
        return paths.settingsDir + QLatin1Char('/');
    if (is("_Sys32"))
        return QStringLiteral("/usr/lib");
    return {};
#endif
}

} // namespace corv
