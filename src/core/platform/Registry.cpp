#include "platform/Registry.h"

#include "platform/IniFile.h"

#include <QSettings>

namespace corv {

QString registryRootName(RegistryRoot root)
{
    return root == RegistryRoot::LocalMachine ? QStringLiteral("HKEY_LOCAL_MACHINE")
                                              : QStringLiteral("HKEY_CURRENT_USER");
}

namespace {

QString normalisedKey(const QString& keyPath)
{
    QString key = keyPath;
    key.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (key.startsWith(QLatin1Char('\\')))
        key.remove(0, 1);
    while (key.endsWith(QLatin1Char('\\')))
        key.chop(1);
    return key;
}

class RegistryFile final : public Registry {
public:
    explicit RegistryFile(const QString& path) : ini_(path) {}

    QString read(RegistryRoot root, const QString& keyPath, const QString& name) const override
    {
        return ini_.read(section(root, keyPath), name);
    }
    bool contains(RegistryRoot root, const QString& keyPath, const QString& name) const override
    {
        return ini_.contains(section(root, keyPath), name);
    }
    bool write(RegistryRoot root, const QString& keyPath, const QString& name,
               const QString& value) override
    {
        return ini_.write(section(root, keyPath), name, value);
    }

private:
    static QString section(RegistryRoot root, const QString& keyPath)
    {
        return registryRootName(root) + QLatin1Char('\\') + normalisedKey(keyPath);
    }
    IniFile ini_;
};

#ifdef Q_OS_WIN
class NativeRegistry final : public Registry {
public:
    QString read(RegistryRoot root, const QString& keyPath, const QString& name) const override
    {
        QSettings s(path(root, keyPath), QSettings::NativeFormat);
        return s.value(name).toString();
    }
    bool contains(RegistryRoot root, const QString& keyPath, const QString& name) const override
    {
        QSettings s(path(root, keyPath), QSettings::NativeFormat);
        return s.contains(name);
    }
    bool write(RegistryRoot root, const QString& keyPath, const QString& name,
               const QString& value) override
    {
        QSettings s(path(root, keyPath), QSettings::NativeFormat);
        s.setValue(name, value);
        s.sync();
        return s.status() == QSettings::NoError;
    }

private:
    static QString path(RegistryRoot root, const QString& keyPath)
    {
        return registryRootName(root) + QLatin1Char('\\') + normalisedKey(keyPath);
    }
};
#endif

} // namespace

std::unique_ptr<Registry> makeRegistryFile(const QString& path)
{
    return std::make_unique<RegistryFile>(path);
}

#ifdef Q_OS_WIN
std::unique_ptr<Registry> makeNativeRegistry() { return std::make_unique<NativeRegistry>(); }
#endif

} // namespace corv
