#pragma once

#include <QSqlDatabase>
#include <QString>

namespace corv {

// The company's settlement summaries (CG_LIQUIDT_RIEP): monthly for 2024 and
// 2025 in mixed states, or quarterly with a period 13.
bool fillDemoSettlements(QSqlDatabase& company, bool monthly, QString* error);

// Corvina's settlements of the company for 2025: twelve months, one a credit
// (negative), some with split-payment VAT.
bool fillDemoCorvinaSettlements(QSqlDatabase& corvina, const QString& companyCode, QString* error);

} // namespace corv
