#pragma once

#include "platform/IniFile.h"
#include "settings/Setting.h"
#include "util/MaskedDate.h"

#include <QString>

// Every settings file, key and registry path the program reads or writes,
// spelled once, with what a missing key reads as.
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
// The console's choices.
inline const TextSetting kDateFrom{{QStringLiteral("Param"), QStringLiteral("DateIni")}, kEmptyDate};
inline const TextSetting kDateTo{{QStringLiteral("Param"), QStringLiteral("DateFin")}, kEmptyDate};
inline const TextSetting kLastCorvinaRow{{QStringLiteral("Param"), QStringLiteral("Last_Cv")}, {}};
inline const IntSetting kSource{{QStringLiteral("Param"), QStringLiteral("Source")}, 0, 0, 1};
inline const IntSetting kLastTab{{QStringLiteral("Param"), QStringLiteral("LastTab")}, 2, 0, 2};
// The backup window's choices.
inline const QString kBackupSection = QStringLiteral("ParamBckEF");
inline const TextSetting kBackupExecute{{kBackupSection, QStringLiteral("Esegui")}, QStringLiteral("False")};
inline const IntSetting kBackupDestination{{kBackupSection, QStringLiteral("Destin")}, 0, 0, 1};
inline const TextSetting kBackupPath0{{kBackupSection, QStringLiteral("Path0")}, {}};
// The console reads a missing folder without its last separator, the window with it.
inline const TextSetting kBackupPath1{{kBackupSection, QStringLiteral("Path1")}, QStringLiteral("C:\\BCK_AZI")};
inline const QString kBackupPath1InWindow = QStringLiteral("C:\\BCK_AZI\\");
inline const TextSetting kBackupSystemDatabases{{kBackupSection, QStringLiteral("DBSys")}, QStringLiteral("0")};
inline const IniKey kNemboFolder{QStringLiteral("Nembo"), QStringLiteral("LastFolder")};
// The folder chooser remembers its last choice per caller in three sections.
inline const QString kChooserDriveSection = QStringLiteral("Fold_Drive");
inline const QString kChooserFolderSection = QStringLiteral("Fold_Folders");
inline const QString kChooserFileSection = QStringLiteral("Fold_File");
inline const QString kNemboChooserKey = QStringLiteral("Ardea_Nembo");
// The disk print archive's choices.
inline const QString kDiskPrintSection = QStringLiteral("Stampe su Disco");
inline const TextSetting kDiskPrintFolder{{kDiskPrintSection, QStringLiteral("Directory")}, {}};
inline const TextSetting kDiskPrintFile{{kDiskPrintSection, QStringLiteral("UltimoFile")}, {}};
inline const TextSetting kDiskPrintExtension{{kDiskPrintSection, QStringLiteral("Estensione")}, QStringLiteral("DBP")};
inline const TextSetting kDiskPrintExtraExtensions{{kDiskPrintSection, QStringLiteral("ExtCmb")}, {}};
inline const IniKey kViewer{kDiskPrintSection, QStringLiteral("PgmVisualizzatore")};
inline const QString kPlacementSection = QStringLiteral("PosFinestre");
inline const QString kListPlacementSection = QStringLiteral("PosHelp");
// The stock and settlement window's choices; the group, subgroup and line
// filters are kept in kStockSection under the company's name + "_GruM" and so on.
inline const QString kStockSection = QStringLiteral("Invent");
inline const TextSetting kObsolescenceDate{{kStockSection, QStringLiteral("DatObsoleti")}, kEmptyDate};
inline const IntSetting kArticleMatchMode{{QStringLiteral("Parametri"), QStringLiteral("ConfCodArt")}, 0, 0, 4};
inline const IntSetting kValuationCriterion{{QStringLiteral("Parametri"), QStringLiteral("CriterioVal")}, 0, 0, 2};
inline const TextSetting kCostType{{QStringLiteral("Inventari"), QStringLiteral("TipoCosto")}, QStringLiteral("1")};
inline const TextSetting kListDiscount{{QStringLiteral("Inventari"), QStringLiteral("ScontoStd")}, QStringLiteral("35")};
// TLX_PRT.INI
inline const IniKey kThemes{QStringLiteral("System"), QStringLiteral("Themes")};
// The printer named by the platform at the last regeneration, and the one in use.
inline const IniKey kSystemPrinter{QStringLiteral("System"), QStringLiteral("Printer")};
inline const QString kPrinterDefaultSection = QStringLiteral("Default");
inline const IniKey kPrinterInUse{kPrinterDefaultSection, QStringLiteral("Printer")};
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
