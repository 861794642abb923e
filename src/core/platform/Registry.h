#pragma once

#include <QString>
#include <memory>

namespace corv {

// Registry roots as the Windows programs name them.
enum class RegistryRoot { LocalMachine, CurrentUser };

QString registryRootName(RegistryRoot root);

// Reads and writes registry values. On Windows the real registry; elsewhere a
// registry file (an INI whose sections are "ROOT\key path") that stands in
// for it, so that an installation can be described on any machine.
class Registry {
public:
    virtual ~Registry() = default;
    // Empty text when the value is absent.
    virtual QString read(RegistryRoot root, const QString& keyPath, const QString& name) const = 0;
    virtual bool contains(RegistryRoot root, const QString& keyPath, const QString& name) const = 0;
    virtual bool write(RegistryRoot root, const QString& keyPath, const QString& name,
                       const QString& value) = 0;
};

std::unique_ptr<Registry> makeRegistryFile(const QString& path);
#ifdef Q_OS_WIN
std::unique_ptr<Registry> makeNativeRegistry();
#endif

} // namespace corv
