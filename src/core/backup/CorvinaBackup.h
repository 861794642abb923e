#pragma once

#include "command/CommandResult.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace corv {

class AppContext;
class IniFile;
class Registry;

namespace backup {

// The backup window's choices, kept in TLX_CORV.INI (section ParamBckEF).
struct BackupSettings {
    bool execute = false;     // Esegui: the window's start button was pressed
    int destination = 0;      // Destin: 0 the product's last backup folder, 1 the user's
    QString path0;            // Path0
    QString path1;            // Path1
    bool systemDatabases = false; // DBSys: the framework and session databases too

    static BackupSettings read(const IniFile& settings);
    bool write(IniFile& settings) const;
    QString folder() const { return destination == 1 ? path1 : path0; }
};

// The product's last backup folder, from the registry.
QString productBackupFolder(const Registry& registry);

// The backup window's opening: the choices kept, destination 0 read anew
// from the registry, and "not started" written. False when the settings
// could not be written.
bool openBackupChoices(IniFile& settings, const Registry& registry, BackupSettings& choices);

// The databases backed up, in their order.
QStringList backupDatabases(bool systemDatabases);
// "CORV[sys]_<date>-<company>_<release without dots>_CorvUTIL.bak" in the folder.
QString backupFileName(const QString& folder, bool systemDatabases, const QDate& day, const QString& company, const QString& release);
// Removes what an interrupted backup left in the folder (its work folder and
// the archive it had begun); how many were removed.
int removeLeftovers(const QString& folder);
// The SQL Server statements, one per database, into the file.
QStringList sqlServerBackupStatements(const QString& file, bool systemDatabases);

} // namespace backup

// "Backup DB Corvina": the backup window, then the backup of the Corvina
// databases into one file. The file is written under a temporary name and
// replaces the old one only when every database is in it.
CommandResult backupCorvina(AppContext& ctx, const CorvinaCompanies& companies, int selected);
// The backup itself, with the choices already made.
CommandResult runCorvinaBackup(AppContext& ctx, const backup::BackupSettings& settings);
// The right-click: the two last import dates of the selected Corvina company.
CommandResult changeLastImportDates(AppContext& ctx, const CorvinaCompany& company);

} // namespace corv
