#include "comparison/SettlementFigures.h"

#include "ardea/JournalView.h"
#include "db/Connections.h"
#include "db/Dialect.h"
#include "db/RowReader.h"
#include "journal/Settlements.h"
#include "maintenance/SettlementRegister.h"

#include <QDate>

namespace corv {

namespace {

bool failWith(QString* failure, const QString& text)
{
    if (failure)
        *failure = text;
    return false;
}

bool isMonthly(const QString& periodType) { return periodType.trimmed().compare(QLatin1String("M"), Qt::CaseInsensitive) == 0; }

Amount amountAt(const RowReader& reader, int column) { return column < 0 ? Amount() : reader.amount(column).value_or(Amount()); }

} // namespace

SettlementFigures& SettlementFigures::operator+=(const SettlementFigures& other)
{
    for (const SettlementColumn& column : settlementColumns())
        this->*column.figure += other.*column.figure;
    return *this;
}

const std::vector<SettlementColumn>& settlementColumns()
{
    static const std::vector<SettlementColumn> columns = {
        {QStringLiteral("Imponibile vendite"), &SettlementFigures::salesTaxable},
        {QStringLiteral("IVA vendite"), &SettlementFigures::salesVat},
        {QStringLiteral("Imponibile acquisti"), &SettlementFigures::purchasesTaxable},
        {QStringLiteral("IVA acquisti"), &SettlementFigures::purchasesVat},
        {QStringLiteral("Saldo liquidazione"), &SettlementFigures::balance},
        {QStringLiteral("Split payment"), &SettlementFigures::split},
    };
    return columns;
}

int settlementPeriodOfMonth(int month, SettlementPeriodKind kind)
{
    if (kind == SettlementPeriodKind::Quarterly && month >= 1 && month <= 12)
        return (month + 2) / 3;
    return month;
}

QString ardeaSettlementSummariesSql()
{
    return QStringLiteral("SELECT num_anno, ind_tipo_periodo, ind_periodo, ind_stato_liq, val_totale, val_rett_splitp"
                          " FROM CG_LIQUIDT_RIEP WHERE num_anno=?");
}

QString ardeaSettlementJournalSql(const Dialect& dialect, int year)
{
    // The journal lines of the periodic declaration by VAT period date, as the
    // settlement register groups them: credit notes count negative in both
    // the taxable amount and the VAT.
    return QStringLiteral("SELECT month(dat_comp_iva) AS mese, cod_reg_iva AS registro, SUM(val_impondoc) AS imponibile, SUM(val_iva * ind_nc) AS iva"
                          " FROM ")
           + kJournalView + QStringLiteral(" WHERE dat_comp_iva>=") + dialect.dateLiteral(QDate(year, 1, 1))
           + QStringLiteral(" AND dat_comp_iva<") + dialect.dateLiteral(QDate(year + 1, 1, 1))
           + QStringLiteral(" GROUP BY month(dat_comp_iva), cod_reg_iva");
}

QString corvinaSettlementFiguresSql() { return corvinaSettlementsSql(); }

bool readArdeaSettlements(const QSqlDatabase& company, int year, ArdeaSettlementYear& out, QString* failure)
{
    out = {};
    RowReader summaries(company);
    if (!summaries.exec(ardeaSettlementSummariesSql(), {year}))
        return failWith(failure, QStringLiteral("Errore nella lettura delle liquidazioni Ardea (CG_LIQUIDT_RIEP) :\r\n") + summaries.error());
    const int type = summaries.indexOf(QStringLiteral("ind_tipo_periodo")), period = summaries.indexOf(QStringLiteral("ind_periodo")),
              state = summaries.indexOf(QStringLiteral("ind_stato_liq")), total = summaries.indexOf(QStringLiteral("val_totale")),
              split = summaries.indexOf(QStringLiteral("val_rett_splitp"));
    bool monthly = false, quarterly = false;
    while (summaries.next()) {
        bool number = false;
        const int p = summaries.text(period).trimmed().toInt(&number);
        if (!number || p < 1 || p > 14)
            continue;
        // The further periods stand alone: they say nothing of the granularity.
        if (p <= 12)
            (isMonthly(summaries.text(type)) ? monthly : quarterly) = true;
        ArdeaSettlementPeriod& settled = out.periods[p];
        settled.settled = true;
        settled.state = SettlementRegister::stateText(summaries.text(state).trimmed().toUpper());
        settled.figures.balance = amountAt(summaries, total);
        settled.figures.split = amountAt(summaries, split);
    }
    if (summaries.failed())
        return failWith(failure, QStringLiteral("Errore nella lettura delle liquidazioni Ardea (CG_LIQUIDT_RIEP) :\r\n") + summaries.error());
    summaries.finish();
    if (out.periods.empty())
        return failWith(failure, QStringLiteral("Nessuna liquidazione Ardea nel %1 : niente da confrontare").arg(year));
    if (monthly && quarterly)
        return failWith(failure, QStringLiteral("Liquidazioni Ardea del %1 in parte mensili e in parte trimestrali :\r\n"
                                                "periodi non confrontabili con i mesi di Corvina").arg(year));
    out.kind = quarterly ? SettlementPeriodKind::Quarterly : SettlementPeriodKind::Monthly;

    RowReader journal(company);
    if (!journal.exec(ardeaSettlementJournalSql(dialectOf(company), year)))
        return failWith(failure, QStringLiteral("Errore nella lettura della Prima Nota IVA (") + kJournalView + QStringLiteral(") :\r\n") + journal.error());
    while (journal.next()) {
        const int month = journal.text(0).toInt();
        if (month < 1 || month > 12)
            continue;
        SettlementFigures& figures = out.periods[settlementPeriodOfMonth(month, out.kind)].figures;
        // V sales and A purchases; any other register is one of receipts, sold.
        const bool purchases = journal.text(1).trimmed().compare(QLatin1String("A"), Qt::CaseInsensitive) == 0;
        (purchases ? figures.purchasesTaxable : figures.salesTaxable) += amountAt(journal, 2);
        (purchases ? figures.purchasesVat : figures.salesVat) += amountAt(journal, 3);
    }
    if (journal.failed())
        return failWith(failure, QStringLiteral("Errore nella lettura della Prima Nota IVA (") + kJournalView + QStringLiteral(") :\r\n") + journal.error());
    return true;
}

bool readCorvinaSettlements(const QSqlDatabase& corvina, const CorvinaCompany& company, std::map<int, SettlementFigures>& months,
                            QString* failure)
{
    months.clear();
    RowReader reader(corvina);
    const QString readFailure = QStringLiteral("Errore nella lettura delle liquidazioni Corvina (VATSettlement) :\r\n");
    if (!reader.exec(corvinaSettlementFiguresSql(), {company.code, company.year, company.group}))
        return failWith(failure, readFailure + reader.error());
    const auto at = [&](const char* name) { return reader.indexOf(QLatin1String(name)); };
    const int month = at("ReferenceMonth"), active = at("TotalActiveOperationsAmount"), passive = at("TotalPassiveOperationsAmount"),
              chargeable = at("ChargeableVATAmount"), deducted = at("DeductedVATAmount"), net = at("DebitCreditAmount"), split = at("VATSplitPayment");
    while (reader.next()) {
        const int m = reader.text(month).toInt();
        if (m < 1 || m > 14)
            continue;
        SettlementFigures& figures = months[m];
        figures += {amountAt(reader, active), amountAt(reader, chargeable), amountAt(reader, passive), amountAt(reader, deducted),
                    amountAt(reader, net), amountAt(reader, split)};
    }
    if (reader.failed())
        return failWith(failure, readFailure + reader.error());
    if (months.empty())
        return failWith(failure, QStringLiteral("Nessuna liquidazione Corvina per %1 %2 : niente da confrontare").arg(company.code).arg(company.year));
    return true;
}

} // namespace corv
