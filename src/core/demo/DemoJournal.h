#pragma once

#include <QSqlDatabase>
#include <QString>

namespace corv {

// The company's reference tables (VAT codes, accounting reasons, VAT natures,
// fiscal years) and two years of VAT journal: invoices and credit notes for
// the customers and suppliers already in the registry, about `vatRows` VAT
// rows in all; with `plantMissingNatures` five exempt rows are left without
// their VAT nature (taxable rows carry an empty one). Customer 000001 is the
// busiest one; receipts have no customer.
bool fillDemoJournal(QSqlDatabase& company, int vatRows, bool plantMissingNatures, QString* error);

// Corvina_3 for the company: its VAT codes, reasons and customers/suppliers
// for a year before 2017 (2016, with VAT attachment rows) and for 2025 (VAT
// data and its rows, taken from the company's journal, but for three planted
// differences: one customer's document missing, one customer's amount a cent
// off, one customer missing).
bool fillDemoCorvina(QSqlDatabase& corvina, const QSqlDatabase& company, const QString& companyCode, QString* error);

} // namespace corv
