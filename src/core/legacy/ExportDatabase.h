#pragma once

#include "command/CommandResult.h"

#include <QString>

namespace corv {

class AppContext;

namespace legacy {

// The database for the transfer of legacy data: "NB_Corvina" in the export
// folder (an SQLite side database, NB_Corvina.sqlite).
QString exportDatabasePath(const QString& folder);

// The VAT code table TABIVA of a side database: created when missing, the
// creation logged to `logFile` ("UpdTDB.LOG"); a table already there is left
// as it is. False (with the reason) when it cannot be made.
bool ensureVatCodeTable(const QString& databaseFile, const QString& logFile, QString* error = nullptr);

// A folder is writable when a file can be created in it.
bool folderWritable(const QString& folder);

} // namespace legacy

// The right-click on "Leggi dati Prima Nota IVA" of the Nembo tab: the export
// database created anew (after a confirmation) with its empty TABIVA.
CommandResult createNemboExportDatabase(AppContext& ctx, const QString& folder);

} // namespace corv
