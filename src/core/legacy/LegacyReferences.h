#pragma once

#include "command/CommandResult.h"
#include "command/ConsoleLists.h"
#include "platform/ExportFiles.h"

namespace corv {

class AppContext;

namespace legacy {

// The list rows of the export records, in the row shape of the Ardea and
// Corvina lists: each column padded or cut to its width and followed by "|".
QString vatCodeRow(const ExportRecord& civ);
QString reasonRow(const ExportRecord& cac);
// `type`: "C" for the customers' file, "F" for the suppliers'.
QString subjectRow(const ExportRecord& record, QChar type);
// Whether an accounting reason is listed: its field 14 after "0" (text order).
bool reasonListed(const ExportRecord& cac);
// The message of a VAT code whose two indicators differ; empty when they agree.
QString vatIndicatorMismatch(const ExportRecord& civ);

// "Leggi dati per Corvina" of the Nembo tab: the company's VAT codes, reasons,
// customers and suppliers of the export folder (a missing file leaves its list empty).
ReferenceLists readLegacyReferences(AppContext& ctx, const QString& folder, const QString& company);

} // namespace legacy

// The reference lists of a company of the export folder, handed back.
CommandResult readNemboReferences(AppContext& ctx, const QString& folder, const QString& company);
// "Liquidazioni" of the Nembo tab: the settlements file's lines as they are.
CommandResult listNemboSettlements(AppContext& ctx, const QString& folder, const QString& company);

} // namespace corv
