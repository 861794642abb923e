#pragma once

#include <QSqlDatabase>
#include <QString>

namespace corv {

// What the maintenance windows read in the demo company, beside its journal:
// VAT balances derived from the journal (one code without a VAT code row),
// settlements of every kind of period (states P, D and S, a month without
// purchases, one with purchases only, one without journal lines, split and
// adjustments from 2017), and the stock: `articles` articles with their
// variants, `movements` stock movements, orders, contract prices, two price
// lists (one price Null), groups, subgroups, lines and the currency's decimals.
// The articles are laid out so that whether each is a candidate for
// obsolescence at 1 January 2025 follows from its number (see the source).
bool fillDemoMaintenance(QSqlDatabase& company, int articles, int movements, QString* error);

// Corvina's invoice-data communications of the company for 2025: three, one
// cancelled; issued-invoice rows without codes whose customer has both codes,
// only a VAT number, none, no record, a Null type; and foreign customers with
// only a fiscal code, only a VAT number, only a grouping code, nothing, and
// one of the Intrastat area 1.
bool fillDemoInvoiceData(QSqlDatabase& corvina, const QString& companyCode, QString* error);

} // namespace corv
