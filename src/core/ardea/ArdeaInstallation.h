#pragma once

#include <QString>

namespace corv {

class Registry;
class RunLog;

// The Ardea installation as its registry keys describe it: folders, database
// server and provider. `Dove_AR` is the folder lookup every Part uses.
class ArdeaInstallation {
public:
    ArdeaInstallation(const Registry& registry, RunLog& log);

    // The value of a kind (see the table of kinds in the implementation);
    // logged on entry and exit.
    QString Dove_AR(int kind);

    // DBServer of the BaseDati key, machine-wide, then under Wow6432Node.
    QString registryServer() const;

    // Set by Dove_AR(1): the parent of the temporary folder.
    const QString& publicBase() const { return publicBase_; }
    // Set by Dove_AR(9) and Dove_AR(11).
    const QString& dbServer() const { return dbServer_; }
    const QString& provider() const { return provider_; }

    void setCompanyCode(const QString& code) { companyCode_ = code; }
    const QString& companyCode() const { return companyCode_; }

    // "c:\temp\" on Windows, the system's temporary folder elsewhere.
    static QString defaultFolder();

private:
    QString settingsValue(const char* name) const;
    QString lookup(int kind);

    const Registry& registry_;
    RunLog& log_;
    QString publicBase_;
    QString dbServer_;
    QString provider_;
    QString companyCode_;
};

inline const QString kPelionKey = QStringLiteral("Software\\Pelion Software\\e");

} // namespace corv
