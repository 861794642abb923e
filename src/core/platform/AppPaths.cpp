#include "platform/AppPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace corv {

namespace {

QString stripLeadingSeparators(QString name)
{
    while (name.startsWith(QLatin1Char('\\')) || name.startsWith(QLatin1Char('/')))
        name.remove(0, 1);
    return name;
}

} // namespace

AppPaths AppPaths::forHome(const QString& dir)
{
    const QString absolute = QDir(dir).absolutePath();
    return {absolute, absolute};
}

AppPaths AppPaths::standard()
{
    const QString config =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/corvutil");
    const QString data =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/corvutil");
    return {QDir::cleanPath(config), QDir::cleanPath(data)};
}

bool AppPaths::ensure() const
{
    return QDir().mkpath(settingsDir) && QDir().mkpath(dataDir);
}

QString AppPaths::iniPath(const QString& name) const
{
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || QDir::isAbsolutePath(name))
        return name;
    return QDir(settingsDir).filePath(name);
}

QString AppPaths::dataFile(const QString& name) const
{
    return QDir(dataDir).filePath(stripLeadingSeparators(name));
}

QString AppPaths::registryFile() const { return QDir(settingsDir).filePath(QStringLiteral("registry.ini")); }

QString AppPaths::lockFile() const { return QDir(dataDir).filePath(QStringLiteral("corvutil.lock")); }

} // namespace corv
