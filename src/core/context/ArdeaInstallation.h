#pragma once

#include <QString>

namespace corv {

class Registry;
class RunLog;

// What the folder lookup `Dove_AR` is asked for; the numbers are the ones the
// Ardea products use, and the run log shows them.
enum class DoveKind : int {
    PublicTemp = 1,   // PathTemp: the temporary folder, whose parent is the public folder
    ReportSave = 2,   // PathReportSave
    Report = 3,       // PathReport
    Macros = 4,       // PathVBA
    Work = 5,         // the public folder + "ar_Q5K", created when missing
    CompanyWork = 6,  // the work folder + the company code, created when missing
    Installation = 7, // PercorsoInstallazione
    DbServer = 9,     // DBServer of the database key
    ReportExport = 10,// PathReportExp
    Provider = 11,    // OLEDBProvider of the database key
    ServerHint = 21,  // the encoded hints of the login prompts
    UserHint = 22,
    PasswordHint = 23,
    SpareHint = 24,
    Programs = 50,    // the installation folder + "exe"
};

// The Ardea installation as its registry keys describe it: folders, database
// server and provider. `Dove_AR` is the folder lookup the commands use.
class ArdeaInstallation {
public:
    ArdeaInstallation(const Registry& registry, RunLog& log);

    // The value of a kind (see the table of kinds in the implementation);
    // logged on entry and exit.
    QString Dove_AR(DoveKind kind);

    // DBServer of the BaseDati key, machine-wide, then under Wow6432Node.
    QString registryServer() const;

    // Set by the public temporary folder's lookup: its parent.
    const QString& publicBase() const { return publicBase_; }
    // Set by the database server's and the provider's lookups.
    const QString& provider() const { return provider_; }

    void setCompanyCode(const QString& code) { companyCode_ = code; }
    const QString& companyCode() const { return companyCode_; }

    // "c:\temp\" on Windows, the system's temporary folder elsewhere.
    static QString defaultFolder();

private:
    QString settingsValue(const char* name) const;
    QString lookup(DoveKind kind);

    const Registry& registry_;
    RunLog& log_;
    QString publicBase_;
    QString provider_;
    QString companyCode_;
};


} // namespace corv
