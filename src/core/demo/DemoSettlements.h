#pragma once

#include <QSqlDatabase>
#include <QString>

namespace corv {

// The company's settlement summaries (CG_LIQUIDT_RIEP): monthly for 2024 and
// 2025 in mixed states, or quarterly with a period 13.
bool fillDemoSettlements(QSqlDatabase& company, bool monthly, QString* error);

// Corvina's settlements of the company for 2025: the months of the company's
// own settlements and journal, but for three planted differences: a split
// payment that differs, deducted VAT a cent more, a month missing.
inline constexpr int kDemoSettlementYear = 2025;
inline constexpr int kDemoSettlementSplitMonth = 6;
inline constexpr int kDemoSettlementCentMonth = 9;
inline constexpr int kDemoSettlementMissingMonth = 11;
bool fillDemoCorvinaSettlements(QSqlDatabase& corvina, const QSqlDatabase& company, const QString& companyCode, QString* error);

} // namespace corv
