#pragma once

#include <QSqlDatabase>
#include <QString>

namespace corv {

// The export folder Nembo would leave for the demo company: company 001 with
// every file (its VAT codes, reasons, customers and suppliers from the demo
// company, its settlements, and a journal mirroring the Ardea journal of 2024,
// or of every year with `everyYear`), company 002 with its company record
// only. Planted: a VAT code whose two indicators differ, reasons not listed
// (field 14 "0" and empty), codes without their leading zeros, a name in
// Windows-1252, a short line, a blank last line, a journal of kinds 1 to 3
// with credit notes, one amount a unit off, a customer missing from the
// customers' file, a subject both customer and supplier.
bool writeDemoNemboExport(const QString& folder, const QSqlDatabase& company, bool everyYear, QString* error);

} // namespace corv
