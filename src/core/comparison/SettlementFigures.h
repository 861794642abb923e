#pragma once

#include "platform/CorvinaCompany.h"
#include "util/Amount.h"

#include <QSqlDatabase>
#include <QString>
#include <map>
#include <vector>

namespace corv {

class Dialect;

// The figures of one settlement period as either source gives them. Ardea:
// the journal lines of the periodic declaration by VAT period date (sales and
// receipts registers against purchases, credit notes negative), the
// settlement's total and split-payment adjustment. Corvina: the operations,
// the chargeable and deducted VAT, the debit/credit amount and the split
// payment of its monthly settlement.
struct SettlementFigures {
    Amount salesTaxable, salesVat, purchasesTaxable, purchasesVat, balance, split;
    SettlementFigures& operator+=(const SettlementFigures& other);
};

// The columns compared, in the order of the report: a heading and the figure.
struct SettlementColumn {
    QString caption;
    Amount SettlementFigures::*figure;
};
const std::vector<SettlementColumn>& settlementColumns();

enum class SettlementPeriodKind { Monthly, Quarterly };

// A period of the Ardea side: its figures, and the state of its settlement
// ("Provvisoria", ...); a period with journal lines but no settlement has none.
struct ArdeaSettlementPeriod {
    bool settled = false;
    QString state;
    SettlementFigures figures;
};

// The Ardea side of a year, by period: months 1-12 or quarters 1-4, the
// further periods 13 and 14 as they are.
struct ArdeaSettlementYear {
    SettlementPeriodKind kind = SettlementPeriodKind::Monthly;
    std::map<int, ArdeaSettlementPeriod> periods;
};

// The statements, for the reading below and for the benchmark's shell.
QString ardeaSettlementSummariesSql();                   // year bound
QString ardeaSettlementJournalSql(const Dialect& dialect, int year);
QString corvinaSettlementFiguresSql();                    // company, year, group bound

// Reads the Ardea company's settlements of the year and its journal by VAT
// period. False with the reason, in Italian, when they cannot be read or
// compared: no settlement in the year, monthly and quarterly ones mixed.
bool readArdeaSettlements(const QSqlDatabase& company, int year, ArdeaSettlementYear& out, QString* failure);
// Reads Corvina's monthly settlements of the company and year, by month.
bool readCorvinaSettlements(const QSqlDatabase& corvina, const CorvinaCompany& company, std::map<int, SettlementFigures>& months,
                            QString* failure);
// The period a Corvina month belongs to: itself, or its quarter; 13 and 14 alone.
int settlementPeriodOfMonth(int month, SettlementPeriodKind kind);

} // namespace corv
