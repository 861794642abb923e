#include "maintenance/SettlementRegister.h"

#include "db/Connections.h"
#include "db/RowReader.h"
#include "journal/RowLines.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "report/FixedLine.h"
#include "report/ReportFiles.h"

#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace corv {

namespace {

const QString kPlaceholder = QStringLiteral("--,--");
constexpr int kAmountWidth = 12;

} // namespace

QString SettlementRegister::stateText(const QString& letter)
{
    if (letter == QLatin1String("P"))
        return QStringLiteral("Provvisoria");
    if (letter == QLatin1String("D"))
        return QStringLiteral("Definitiva");
    if (letter == QLatin1String("S"))
        return QStringLiteral("Stampata");
    return {};
}

namespace {

// The months a settlement covers: its month, or its quarter's three; none
// for the further periods (13, 14) and anything else.
QList<int> monthsOf(const QString& periodType, const QString& period)
{
    bool number = false;
    const int p = period.trimmed().toInt(&number);
    if (!number)
        return {};
    if (periodType.trimmed().compare(QLatin1String("M"), Qt::CaseInsensitive) == 0)
        return p >= 1 && p <= 12 ? QList<int>{p} : QList<int>{};
    return p >= 1 && p <= 4 ? QList<int>{3 * p - 2, 3 * p - 1, 3 * p} : QList<int>{};
}

} // namespace

SettlementRegister::SettlementRegister(AppContext& ctx, MaintenanceList& list) : ctx_(ctx), list_(list) {}

QString SettlementRegister::heading()
{
    return QStringLiteral("Anno|P.|Stato        |Tipo|      Totale|") + QStringLiteral("     Vendita|    Corrisp.|    Acquisto|       Saldo|")
           + QStringLiteral("       Split|   Rett.Deb.|  Rett.Cred.|") + QStringLiteral("Des.Debito").leftJustified(kDescriptionWidth)
           + QLatin1Char('|') + QStringLiteral("Des.Credito").leftJustified(kDescriptionWidth) + QLatin1Char('|');
}

QStringList SettlementRegister::stateChoices()
{
    return {QStringLiteral("Provvisoria"), QStringLiteral("Definitiva"), QStringLiteral("Stampata")};
}

bool SettlementRegister::readRegisterTotals()
{
    monthTotals_.clear();
    // One pass over the journal view for every settlement, by year, month and register.
    const QString sql = QStringLiteral("SELECT year(dat_comp_iva) AS anno, month(dat_comp_iva) AS mese, cod_reg_iva, SUM(val_impondoc) AS Imponibile"
                                       " FROM XEBV_PNIVA GROUP BY year(dat_comp_iva), month(dat_comp_iva), cod_reg_iva");
    ctx_.log().write(QStringLiteral("Totali per registro : ") + sql);
    RowReader reader(ctx_.connections().db(Connections::Company));
    if (!reader.exec(sql)) {
        ctx_.ui().critical(QStringLiteral("Errore nella lettura dei registri IVA (XEBV_PNIVA) :\r\n") + reader.error(), QStringLiteral("Liquidazioni"));
        return false;
    }
    while (reader.next()) {
        MonthTotals& month = monthTotals_[{reader.text(0).toInt(), reader.text(1).toInt()}];
        // V sales, A purchases, any other register receipts.
        const QString reg = reader.text(2).trimmed().toUpper();
        std::optional<Amount>& column = reg == QLatin1String("V") ? month.sales : reg == QLatin1String("A") ? month.purchases : month.receipts;
        column = column.value_or(Amount()) + reader.amount(3).value_or(Amount());
    }
    return readToTheEnd(ctx_, reader, QStringLiteral("Errore nella lettura dei registri IVA (XEBV_PNIVA) :"));
}

QString SettlementRegister::line(const Settlement& s, const QVariantList& amounts, const QStringList& descriptions) const
{
    FixedLine line;
    line.right(QString::number(s.year), 4).right(s.period.trimmed(), 2).text(stateText(s.state), 13).text(s.periodType.trimmed(), 4);
    line.number(amounts[0], kAmountWidth, 2);
    // Each register in its own column, summed over the period's months.
    std::optional<Amount> sales, receipts, purchases;
    const auto add = [](std::optional<Amount>& total, const std::optional<Amount>& month) {
        if (month)
            total = total.value_or(Amount()) + *month;
    };
    for (int month : monthsOf(s.periodType, s.period)) {
        const auto found = monthTotals_.constFind({s.year, month});
        if (found == monthTotals_.constEnd())
            continue;
        add(sales, found->sales);
        add(receipts, found->receipts);
        add(purchases, found->purchases);
    }
    for (const std::optional<Amount>& column : {sales, receipts, purchases}) {
        if (column)
            line.number(*column, kAmountWidth, 2);
        else
            line.right(kPlaceholder, kAmountWidth);
    }
    // Sales count positive, every other register negative.
    line.number(sales.value_or(Amount()) - receipts.value_or(Amount()) - purchases.value_or(Amount()), kAmountWidth, 2);
    if (s.year >= 2017) {
        for (int i = 1; i <= 3; ++i)
            line.number(amounts[i], kAmountWidth, 2);
        for (const QString& description : descriptions)
            line.text(description, kDescriptionWidth);
    }
    return line.take();
}

bool SettlementRegister::refresh()
{
    ctx_.log().write(QStringLiteral("---  RefresLiq  ---"));
    list_.clear(MaintenanceList::Kind::Settlements, heading());
    settlements_.clear();
    if (!readRegisterTotals())
        return false;
    RowReader reader(ctx_.connections().db(Connections::Company));
    if (!reader.exec(QStringLiteral("SELECT * FROM CG_LIQUIDT_RIEP ORDER BY num_anno DESC, ind_periodo DESC"))) {
        ctx_.ui().critical(QStringLiteral("Errore nella lettura delle liquidazioni :\r\n") + reader.error(), QStringLiteral("Liquidazioni"));
        return false;
    }
    struct Row {
        Settlement settlement;
        QVariantList amounts;
        QStringList descriptions;
    };
    QList<Row> rows;
    const auto at = [&](const char* name) { return reader.indexOf(QLatin1String(name)); };
    while (reader.next()) {
        Row row;
        row.settlement = {reader.text(at("num_anno")).toInt(), reader.text(at("ind_tipo_periodo")), reader.text(at("ind_periodo")),
                          reader.text(at("ind_stato_liq")).trimmed().toUpper()};
        for (const char* name : {"val_totale", "val_rett_splitp", "val_rett_deb", "val_rett_cred"})
            row.amounts << reader.value(at(name));
        row.descriptions << reader.text(at("des_rett_deb")) << reader.text(at("des_rett_cred"));
        rows << row;
    }
    if (!readToTheEnd(ctx_, reader, QStringLiteral("Errore nella lettura delle liquidazioni :")))
        return false;
    // Periods as numbers: "13" comes after "4" and "12".
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        if (a.settlement.year != b.settlement.year)
            return a.settlement.year > b.settlement.year;
        return a.settlement.period.trimmed().toInt() > b.settlement.period.trimmed().toInt();
    });
    for (const Row& row : rows) {
        settlements_ << row.settlement;
        list_.lines << line(row.settlement, row.amounts, row.descriptions);
    }
    return true;
}

int SettlementRegister::setState(const QList<int>& selected, const QString& choice)
{
    const QString letter = choice.trimmed().left(1).toUpper();
    if (letter != QLatin1String("P") && letter != QLatin1String("D") && letter != QLatin1String("S"))
        return 0;
    Ui& ui = ctx_.ui();
    if (list_.kind != MaintenanceList::Kind::Settlements || list_.lines.isEmpty()) {
        ui.critical(QStringLiteral("Nessuna Liquidazione in elenco !!"));
        return 0;
    }
    if (selected.isEmpty()) {
        ui.critical(QStringLiteral("Nessuna Liquidazione Selezionata !!"));
        return 0;
    }
    if (!ui.askToChange(QStringLiteral("Confermi impostazione a '") + choice + QStringLiteral("'\r\ndelle Liquidazioni Selezionate ??")))
        return 0;
    const QSqlDatabase db = ctx_.connections().db(Connections::Company);
    QSqlQuery update(db), exists(db);
    // Only where the state is still the one read: a change made meanwhile by
    // someone else is never overwritten.
    update.prepare(QStringLiteral("UPDATE CG_LIQUIDT_RIEP SET ind_stato_liq=? WHERE num_anno=? AND ind_tipo_periodo=? AND ind_periodo=?"
                                  " AND UPPER(LTRIM(RTRIM(COALESCE(ind_stato_liq, ''))))=?"));
    exists.prepare(QStringLiteral("SELECT COUNT(*) FROM CG_LIQUIDT_RIEP WHERE num_anno=? AND ind_tipo_periodo=? AND ind_periodo=?"));
    QStringList changedElsewhere;
    int changed = 0;
    for (int index : selected) {
        if (index < 0 || index >= settlements_.size() || settlements_[index].state == letter)
            continue;
        const Settlement& s = settlements_[index];
        ui.status(list_.lines.value(index));
        // The period bound as it was read, with its type: nothing else matches.
        update.addBindValue(letter);
        update.addBindValue(s.year);
        update.addBindValue(s.periodType);
        update.addBindValue(s.period);
        update.addBindValue(s.state);
        if (!update.exec()) {
            ui.critical(QStringLiteral("Errore nel cambio di stato della liquidazione %1/%2 :\r\n").arg(s.period.trimmed()).arg(s.year)
                        + update.lastError().text());
            break;
        }
        if (update.numRowsAffected() > 0) {
            ++changed;
            continue;
        }
        // Not changed: gone since the list was read (left), or in another state now.
        exists.addBindValue(s.year);
        exists.addBindValue(s.periodType);
        exists.addBindValue(s.period);
        if (exists.exec() && exists.next() && exists.value(0).toInt() > 0)
            changedElsewhere << QStringLiteral("%1/%2").arg(s.period.trimmed()).arg(s.year);
        exists.finish();
    }
    ui.status(QString());
    if (!changedElsewhere.isEmpty())
        ui.critical(QStringLiteral("Liquidazioni modificate da un altro utente dopo la lettura, lasciate come sono :\r\n")
                    + changedElsewhere.join(QStringLiteral(", ")));
    refresh();
    return changed;
}

QString SettlementRegister::listToViewer(const QString& companyLabel)
{
    if (list_.kind != MaintenanceList::Kind::Settlements)
        return {};
    return listToFile(ctx_.ui(), QStringList{companyLabel + QStringLiteral(" : Elenco Liquidazioni IVA"), list_.heading} + list_.lines,
                      ctx_.viewer(), ctx_.paths());
}

} // namespace corv
