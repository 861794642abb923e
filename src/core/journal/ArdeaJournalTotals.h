#pragma once

#include "command/CommandResult.h"

#include <QDate>
#include <QString>

namespace corv {

class AppContext;
class Dialect;

// The Ardea journal's VAT rows with customer/supplier, reason, VAT code and
// nature, in the report's order, within the document date range (either end
// may be an invalid date: no bound).
QString ardeaJournalSql(const Dialect& dialect, const QDate& dateFrom, const QDate& dateTo);
// The journal's VAT rows with their registration and customer/supplier, as
// every statement over the Ardea journal joins them (" FROM ... ri, t, c, a").
QString ardeaJournalFrom();
// The totals per VAT register and VAT code over the same range.
QString ardeaRegisterTotalsSql(const Dialect& dialect, const QDate& dateFrom, const QDate& dateTo);

// The heading of the journal's rows in the result list.
QString ardeaJournalHeading();

// "Leggi dati Prima Nota IVA" of the Ardea tab: the report "PN_ar_<company>.LOG"
// with one total line per customer/supplier and the subtotals of customers
// and suppliers; the result list gets every journal row and then the totals
// per VAT register and code (the rows read so far when stopped). Needs the
// Ardea reference lists read first.
struct ArdeaJournalInput {
    bool referencesRead = false;
    QDate from, to; // registration dates; invalid: no bound
    ResultsSink show;
};
CommandResult totalArdeaJournal(AppContext& ctx, const ArdeaJournalInput& input);

} // namespace corv
