#pragma once

#include "command/CommandResult.h"

#include <QString>

namespace corv {

class AppContext;
class Dialect;

// The company's VAT lines of a year grouped by customer/supplier.
QString corvinaJournalSql(const Dialect& dialect, const QString& company, int year);

// The three sums of the Corvina VAT lines: by type and VAT code, by type, by
// accounting reason. The reason columns the view of the year has are grouped:
// before 2017 the view has no reason flags, they are left blank.
QString corvinaCodeSumsSql(const Dialect& dialect, const QString& company, int year);
QString corvinaTypeSumsSql(const Dialect& dialect, const QString& company, int year);
QString corvinaReasonSumsSql(const Dialect& dialect, const QString& company, int year);

// The heading of the detail lines in the result list.
QString corvinaJournalHeading(int year);

// A customer/supplier code as the summary lines write it: numeric codes of
// Ardea's layout zero-filled to 6 digits (so the list sorts as Ardea's own
// listing), anything else as it is, blank-padded.
QString summaryCode(const QString& code, bool nemboLayout);

// "Leggi dati Prima Nota IVA" of the Corvina tab: the selected company's VAT
// lines of its year, one line per row and one summary line per
// customer/supplier, sorted; then the sums. The sorted lines come back too.
struct CorvinaJournalInput {
    CorvinaCompany company;
    bool nemboLayout = false; // codes as the Nembo source spells them
    ResultsSink show;
};
CommandResult totalCorvinaJournal(AppContext& ctx, const CorvinaJournalInput& input);
// The right-click on that button: the sums added to the result list shown.
CommandResult sumCorvinaJournal(AppContext& ctx, const CorvinaCompany& company, const ResultList& shown);

} // namespace corv
