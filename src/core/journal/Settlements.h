#pragma once

#include "command/CommandResult.h"

#include <QString>
#include <optional>

namespace corv {

class AppContext;

// The Corvina settlements of a company, year and group.
QString corvinaSettlementsSql();
QString corvinaSettlementsHeading();
// "Liquidazioni" of the Corvina tab: one line per settlement month, or the
// three-line block that there is none.
CommandResult listCorvinaSettlements(AppContext& ctx, const CorvinaCompany& company);

// The last period to make definitive, as typed: "MMAAAA", six ASCII digits,
// month 1 to 14 (13 and 14 are further periods of the year), year not
// before 1990.
struct SettlementPeriod {
    int month = 0;
    int year = 0;
};
std::optional<SettlementPeriod> parseSettlementPeriod(const QString& text);

// Whether a provisional settlement summary falls up to the period: every
// earlier year; in the year, monthly periods up to the month, quarter q when
// its last month (3q) is, periods 13 and 14 as they are.
bool settlementWithin(int year, const QString& periodType, const QString& period, const SettlementPeriod& last);

// The right-click on "Totali IVA" of the Ardea tab: asks for the last period
// and puts the provisional settlement summaries up to it in the definitive
// state, one by one.
CommandResult makeSettlementsDefinitive(AppContext& ctx);
// The same with the period already given.
CommandResult makeSettlementsDefinitiveUpTo(AppContext& ctx, const SettlementPeriod& last);

} // namespace corv
