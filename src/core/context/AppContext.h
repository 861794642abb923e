#pragma once

#include "report/RunLog.h"
#include "util/Feedback.h"
#include "settings/Settings.h"
#include "context/ArdeaInstallation.h"
#include "db/Connections.h"
#include "platform/AppPaths.h"
#include "platform/IniFile.h"
#include "platform/Registry.h"

#include <QString>
#include <memory>

namespace corv {

class PrintEngine;
class PrinterDevice;
class Ui;

// The login the process works with.
struct LoginState {
    QString server;   // DB_Srv
    QString user;     // Us_Id
    QString password; // Us_Pwd
    QString provider; // provider of the system connections
    QString programDir; // AR_ProgDir
    QString ardeaRelease;
    QString companyDatabase; // Db_Azi
    QString commonDatabase;  // Db_Com
    QString productName;
};

// The open Ardea company and the settings filled when the console opens.
struct CompanyState {
    QString code;  // cod_azienda
    QString name;  // des_ragsoc
    QString level; // num_livello
    bool sameDatabase = false; // the common tables live in the company database
    // Filled by InitARProc.
    QString stepLabel;
    QString publicFolder, macroFolder, workFolder, companyWorkFolder;
    QString parameterCode;
    QString currency;
    QString name40; // the name as a fixed 40-character field
};

// Everything that lives for the whole process, created once at start-up and
// handed down by reference. A test builds its own over a temporary folder.
class AppContext {
public:
    AppContext(AppPaths paths, std::unique_ptr<Registry> registry, Ui& ui);
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    const AppPaths& paths() const { return paths_; }
    Registry& registry() { return *registry_; }
    Ui& ui() { return *ui_; }
    RunLog& log() { return log_; }
    Connections& connections() { return connections_; }
    ArdeaInstallation& installation() { return installation_; }
    LoginState& login() { return login_; }
    CompanyState& company() { return company_; }

    // The settings files, resolved in the settings folder (the backup of the
    // login in the program folder). Password files are kept owner-only.
    IniFile corvSettings() const { return IniFile(paths_.iniPath(ini::kCorv)); }
    IniFile printerSettings() const { return IniFile(paths_.iniPath(ini::kPrinters)); }
    IniFile ardeaSettings() const { return IniFile(paths_.iniPath(ini::kArdea), true); }
    IniFile loginBackup() const { return IniFile(paths_.dataFile(ini::kLoginBackup), true); }

    StopRequest& stop() { return stop_; }
    // The feedback of a long command: progress to the user, and the stop.
    Feedback feedback(int intervalMs = 200) { return Feedback(*ui_, stop_, intervalMs); }

    // The print engine over the program's printer (none until one is given:
    // tests and command-line tools without printing).
    void setPrinterDevice(std::unique_ptr<PrinterDevice> device);
    PrintEngine* printEngine() { return printEngine_.get(); }

    QString viewer() const { return viewer_; }
    void setViewer(const QString& viewer) { viewer_ = viewer; }

    // Which sources are open: the Ardea system database reached (Do_Ardea),
    // the company's databases opened (ARRecOpen), the Corvina connection.
    // Only the start and the login's opening and closing change them.
    bool doArdea() const { return sources_.ardea; }
    bool dataOpen() const { return sources_.data; }
    bool corvinaOpen() const { return sources_.corvina; }
    void setArdeaReached(bool reached) { sources_.ardea = reached; }
    void setDataOpen(bool open) { sources_.data = open; }
    void setCorvinaOpen(bool open) { sources_.corvina = open; }
    // Which database could not be opened, in Italian; empty when all opened.
    QString unavailableDatabase;

private:
    struct Sources {
        bool ardea = false, data = false, corvina = false;
    } sources_;
    AppPaths paths_;
    std::unique_ptr<Registry> registry_;
    Ui* ui_;
    RunLog log_;
    Connections connections_;
    ArdeaInstallation installation_;
    LoginState login_;
    CompanyState company_;
    QString viewer_;
    StopRequest stop_;
    std::unique_ptr<PrinterDevice> printerDevice_;
    std::unique_ptr<IniFile> printerSettings_;
    std::unique_ptr<PrintEngine> printEngine_;
};

} // namespace corv
