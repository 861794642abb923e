#pragma once

#include "platform/IniFile.h"

#include <QString>

// Every settings file, key and registry path the program reads or writes,
// spelled once.
namespace corv {

// The settings files, named without a folder as the products name them.
namespace ini {
inline const QString kCorv = QStringLiteral("TLX_CORV.INI");
inline const QString kPrinters = QStringLiteral("TLX_PRT.INI");
inline const QString kArdea = QStringLiteral("ARDEA_Z.INI");
inline const QString kLoginBackup = QStringLiteral("SQLOG_BACK.INI");
} // namespace ini

namespace keys {
// TLX_CORV.INI
inline const IniKey kCompany{QStringLiteral("AMBIENTE"), QStringLiteral("Codice Azienda")};
inline const IniKey kDateFrom{QStringLiteral("Param"), QStringLiteral("DateIni")};
inline const IniKey kDateTo{QStringLiteral("Param"), QStringLiteral("DateFin")};
inline const IniKey kLastCorvinaRow{QStringLiteral("Param"), QStringLiteral("Last_Cv")};
inline const IniKey kSource{QStringLiteral("Param"), QStringLiteral("Source")};
inline const IniKey kLastTab{QStringLiteral("Param"), QStringLiteral("LastTab")};
// The backup window's choices.
inline const QString kBackupSection = QStringLiteral("ParamBckEF");
inline const IniKey kNemboFolder{QStringLiteral("Nembo"), QStringLiteral("LastFolder")};
// The folder chooser remembers its last choice per caller in three sections.
inline const QString kChooserDriveSection = QStringLiteral("Fold_Drive");
inline const QString kChooserFolderSection = QStringLiteral("Fold_Folders");
inline const QString kChooserFileSection = QStringLiteral("Fold_File");
inline const QString kNemboChooserKey = QStringLiteral("Ardea_Nembo");
inline const IniKey kViewer{QStringLiteral("Stampe su Disco"), QStringLiteral("PgmVisualizzatore")};
inline const QString kPlacementSection = QStringLiteral("PosFinestre");
inline const QString kListPlacementSection = QStringLiteral("PosHelp");
// TLX_PRT.INI
inline const IniKey kThemes{QStringLiteral("System"), QStringLiteral("Themes")};
// ARDEA_Z.INI (ARDEA_Z.INI's company too) and its copy SQLOG_BACK.INI
inline const IniKey kArdeaCompany = kCompany;
inline const IniKey kLoginServer{QStringLiteral("Login"), QStringLiteral("Server")};
inline const IniKey kLoginUser{QStringLiteral("Login"), QStringLiteral("UserId")};
inline const IniKey kLoginPassword{QStringLiteral("Login"), QStringLiteral("UserPwd")};
inline const IniKey kNullPassword{QStringLiteral("Login"), QStringLiteral("NullPwd")};
} // namespace keys

// The keys of the Ardea installation in the registry.
namespace regkeys {
inline const QString kPelion = QStringLiteral("Software\\Pelion Software\\e");
inline const QString kSettings = kPelion + QStringLiteral("\\Settings");
inline const QString kDatabase = kPelion + QStringLiteral("\\BaseDati");
inline const QString kLastLogin = kPelion + QStringLiteral("\\UltimoLoginAppl");
inline const QString kLogin = kPelion + QStringLiteral("\\Login");
// The database server, machine-wide and as 32-bit programs see it on 64-bit Windows.
inline const QString kMachineDatabase = QStringLiteral("SOFTWARE\\Pelion Software\\e\\BaseDati");
inline const QString kMachineDatabase32 = QStringLiteral("SOFTWARE\\Wow6432Node\\Pelion Software\\e\\BaseDati");
// The Corvina product's last backup folder (value "PercorsoUltimoBackup").
inline const QString kBackupRestore = kPelion + QStringLiteral("\\BackupRestore");
} // namespace regkeys

} // namespace corv
