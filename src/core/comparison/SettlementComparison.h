#pragma once

#include "command/CommandResult.h"
#include "comparison/SettlementFigures.h"

#include <QStringList>
#include <optional>
#include <vector>

namespace corv {

class AppContext;

// One settlement period of the comparison: its figures on each side (none
// where the side lacks the period) and what the report's line ends with
// ("<<<", "<<< solo in Ardea", ...; empty when the sides agree).
struct SettlementComparisonRow {
    QString period; // "03/2025", "1T/2025", "13/2025"
    QString state;  // the Ardea settlement's state
    std::optional<SettlementFigures> ardea, corvina;
    QString mark;
};

struct SettlementComparison {
    int compared = 0;
    int differing = 0;
    QStringList lines; // the report
    std::vector<SettlementComparisonRow> rows;
    SettlementFigures ardeaTotal, corvinaTotal;
};

// Sets Corvina's months beside the Ardea periods of `year`, a quarter's
// months summed when the Ardea settlements are quarterly; `title` is the
// report's second line.
SettlementComparison compareSettlementFigures(const ArdeaSettlementYear& ardea, const std::map<int, SettlementFigures>& corvinaMonths, int year,
                                              const QString& title);

// The comparison's rows for a program: a name per column, the fields per row.
QStringList settlementComparisonColumns();
QList<QStringList> settlementComparisonData(const SettlementComparison& comparison);

struct SettlementComparisonRequest {
    CorvinaCompany corvina; // its code, year and group; the Ardea company is the open one
};
// "Confronto liquidazioni": the report "ConfrontoLiq_<company>_<year>.LOG"
// for the viewer; `findings` is the number of periods that differ. What
// cannot be compared is said and nothing is written. The result's data rows
// are the report's periods, for a program.
CommandResult compareSettlements(AppContext& ctx, const SettlementComparisonRequest& request);

} // namespace corv
