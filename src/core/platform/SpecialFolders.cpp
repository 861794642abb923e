#include "platform/SpecialFolders.h"

#include "platform/AppPaths.h"
#include "platform/Registry.h"

#include <QDir>
#include <QStandardPaths>

namespace corv {

namespace {

QString location(QStandardPaths::StandardLocation where)
{
    return QStandardPaths::writableLocation(where);
}

#ifdef Q_OS_WIN
const QString kCurrentVersion = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion");

QString windowsFolder()
{
    return QDir::toNativeSeparators(qEnvironmentVariable("SystemRoot", QStringLiteral("C:\\Windows")));
}
#endif

} // namespace

QString specialFolder(const QString& name, const AppPaths& paths, const Registry& registry)
{
    const auto is = [&](const char* n) { return name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0; };
#ifdef Q_OS_WIN
    const auto hklm = [&](const QString& key, const char* value) {
        return registry.read(RegistryRoot::LocalMachine, key, QLatin1String(value));
    };
    const auto hkcu = [&](const QString& key, const char* value) {
        return registry.read(RegistryRoot::CurrentUser, key, QLatin1String(value));
    };
    if (is("Programs")) {
        const QString dir = hklm(kCurrentVersion, "ProgramFilesDir");
        return dir.contains(QLatin1String("(x86)")) ? hklm(kCurrentVersion, "ProgramW6432Dir") : dir;
    }
    if (is("Programs86"))
        return hklm(kCurrentVersion, "ProgramFilesDir (x86)");
    if (is("CommFiles")) {
        const QString dir = hklm(kCurrentVersion, "CommonFilesDir");
        return dir.contains(QLatin1String("(x86)")) ? hklm(kCurrentVersion, "CommonW6432Dir") : dir;
    }
    if (is("CommFiles86"))
        return hklm(kCurrentVersion, "CommonFilesDir (x86)");
    if (is("ODBC"))
        return hklm(QStringLiteral("SOFTWARE\\ODBC\\ODBC.INI\\ODBC File DSN"), "DefaultDSNDir");
    if (is("Temp"))
        return hkcu(QStringLiteral("Environment"), "Temp");
    const QString shellFolders = kCurrentVersion + QStringLiteral("\\Explorer\\Shell Folders");
    if (is("Personal"))
        return hkcu(shellFolders, "Personal");
    if (is("Download Directory")) {
        const QString dir = hkcu(QStringLiteral("Software\\Microsoft\\Internet Explorer"), "Download Directory");
        return dir.isEmpty() ? hkcu(shellFolders, "Personal") : dir;
    }
    if (is("StoreRoot"))
        return hkcu(QStringLiteral("Software\\Microsoft\\Windows Mail"), "StoreRoot");
    if (is("_Win"))
        return windowsFolder() + QLatin1Char('\\');
    if (is("_Temp"))
        return QDir::toNativeSeparators(QDir::tempPath());
    if (is("_Sys32"))
        return windowsFolder() + QStringLiteral("\\System32");
    return {};
#else
    Q_UNUSED(registry);
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
