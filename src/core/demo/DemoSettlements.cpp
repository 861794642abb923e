#include "demo/DemoSettlements.h"

#include "demo/DemoSql.h"

#include "ardea/JournalView.h"
#include "comparison/SettlementFigures.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace corv {

namespace {

bool run(QSqlQuery& q, const QVariantList& values, QString* error) { return demosql::exec(q, values, error); }

QString money(int euros, int cents = 0) { return QStringLiteral("%1.%2").arg(euros).arg(std::abs(cents), 2, 10, QLatin1Char('0')); }

} // namespace

bool fillDemoSettlements(QSqlDatabase& company, bool monthly, QString* error)
{
    QSqlQuery q(company);
    q.prepare(QStringLiteral("INSERT INTO CG_LIQUIDT_RIEP (num_anno, ind_tipo_periodo, ind_periodo, ind_stato_liq, val_totale, val_rett_splitp,"
                             " val_rett_deb, val_rett_cred, des_rett_deb, des_rett_cred) VALUES (?, ?, ?, ?, ?, 0, 0, 0, '', '')"));
    for (int year : {2024, 2025}) {
        if (monthly) {
            for (int month = 1; month <= 12; ++month) {
                // 2024 is closed; 2025 is definitive up to May, then
                // provisional, but for September that was closed early.
                const bool closed = year == 2024 || month <= 5 || month == 9;
                if (!run(q, {year, QStringLiteral("M"), QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0')), closed ? "D" : "P",
                             money(1000 + 137 * month, month * 7 % 100)}, error))
                    return false;
            }
        } else {
            for (int quarter = 1; quarter <= 4; ++quarter) {
                if (!run(q, {year, QStringLiteral("T"), QString::number(quarter), year == 2024 ? "D" : "P", money(2500 + 311 * quarter)}, error))
                    return false;
            }
        }
    }
    return monthly || run(q, {2025, QStringLiteral("T"), QStringLiteral("13"), "P", money(180)}, error);
}

bool fillDemoCorvinaSettlements(QSqlDatabase& corvina, const QSqlDatabase& company, const QString& companyCode, QString* error)
{
    // Corvina's months as the company's settlements and journal give them,
    // read as the comparison reads them, but for the three planted differences.
    ArdeaSettlementYear ardea;
    if (!ensureJournalView(company, false, error) || !readArdeaSettlements(company, kDemoSettlementYear, ardea, error))
        return false;
    QSqlQuery q(corvina);
    q.prepare(QStringLiteral("INSERT INTO VATSettlement (CompanyCode, VATYear, CompanyGroupCode, ReferenceMonth, TotalActiveOperationsAmount,"
                             " TotalPassiveOperationsAmount, ChargeableVATAmount, DeductedVATAmount, DebitCreditAmount, VATSplitPayment)"
                             " VALUES (?, ?, '', ?, ?, ?, ?, ?, ?, ?)"));
    const auto text = [](Amount amount) { return amount.toText(4, false).replace(QLatin1Char(','), QLatin1Char('.')); };
    for (const auto& [month, period] : ardea.periods) {
        if (month > 12 || month == kDemoSettlementMissingMonth)
            continue;
        SettlementFigures f = period.figures;
        if (month == kDemoSettlementSplitMonth)
            f.split += *Amount::parse("85.40");
        if (month == kDemoSettlementCentMonth)
            f.purchasesVat += *Amount::parse("0.01");
        if (!run(q, {companyCode, kDemoSettlementYear, month, text(f.salesTaxable), text(f.purchasesTaxable), text(f.salesVat), text(f.purchasesVat),
                     text(f.balance), text(f.split)},
                 error))
            return false;
    }
    return true;
}

} // namespace corv
