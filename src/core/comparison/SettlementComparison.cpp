#include "comparison/SettlementComparison.h"

#include "comparison/SourceComparison.h"
#include "context/AppContext.h"
#include "db/Connections.h"
#include "platform/Ui.h"
#include "report/ReportFile.h"
#include "util/TextUtil.h"

#include <set>

namespace corv {

namespace {

using Outcome = CommandResult::Outcome;

// Each figure in three cells (Ardea, Corvina, their difference), each right
// aligned in 14 characters and followed by a blank and "|"; amounts whole
// when longer than their cell.
constexpr int kCellWidth = 14;
constexpr int kPeriodWidth = 7;
constexpr int kStateWidth = 11;

void appendCell(QString& line, const QString& text) { appendComparisonCell(line, text, kCellWidth); }

QString periodLabel(int period, SettlementPeriodKind kind, int year)
{
    const QString number = kind == SettlementPeriodKind::Quarterly && period <= 4 ? QString::number(period) + QLatin1Char('T')
                                                                                   : QStringLiteral("%1").arg(period, 2, 10, QLatin1Char('0'));
    return number + QLatin1Char('/') + QString::number(year);
}

QString leading(const QString& period, const QString& state)
{
    return utl::PadRight(period, kPeriodWidth) + QLatin1Char('|') + utl::PadRight(state, kStateWidth) + QLatin1Char('|');
}

// The three cells of every figure; a side that lacks the period leaves its
// cells blank and counts as zero in the difference.
void appendFigures(QString& line, const std::optional<SettlementFigures>& ardea, const std::optional<SettlementFigures>& corvina)
{
    const SettlementFigures none;
    for (const SettlementColumn& column : settlementColumns()) {
        appendCell(line, ardea ? ((*ardea).*column.figure).toText(2) : QString());
        appendCell(line, corvina ? ((*corvina).*column.figure).toText(2) : QString());
        appendCell(line, ((corvina ? *corvina : none).*column.figure - (ardea ? *ardea : none).*column.figure).toText(2));
    }
}

bool figuresDiffer(const SettlementFigures& a, const SettlementFigures& b)
{
    for (const SettlementColumn& column : settlementColumns()) {
        if (totalsDiffer(a.*column.figure, b.*column.figure))
            return true;
    }
    return false;
}

QString csvAmount(const std::optional<SettlementFigures>& figures, Amount SettlementFigures::*figure)
{
    return figures ? ((*figures).*figure).toText(2, false) : QString();
}

} // namespace

SettlementComparison compareSettlementFigures(const ArdeaSettlementYear& ardea, const std::map<int, SettlementFigures>& corvinaMonths, int year,
                                              const QString& title)
{
    SettlementComparison result;
    std::map<int, SettlementFigures> corvina;
    for (const auto& [month, figures] : corvinaMonths)
        corvina[settlementPeriodOfMonth(month, ardea.kind)] += figures;
    std::set<int> periods;
    for (const auto& entry : ardea.periods)
        periods.insert(entry.first);
    for (const auto& entry : corvina)
        periods.insert(entry.first);

    const qsizetype groupWidth = 3 * (kCellWidth + 2);
    QString groups = leading(QString(), QString()), heading = leading(QStringLiteral("Periodo"), QStringLiteral("Stato"));
    for (const SettlementColumn& column : settlementColumns()) {
        const QString caption = column.caption;
        const qsizetype before = (groupWidth - 1 - caption.size()) / 2;
        groups += (QString(before, QLatin1Char(' ')) + caption).leftJustified(groupWidth - 1) + QLatin1Char('|');
        appendCell(heading, QStringLiteral("Ardea"));
        appendCell(heading, QStringLiteral("Corvina"));
        appendCell(heading, QStringLiteral("Differenza"));
    }

    QStringList body;
    for (int period : periods) {
        SettlementComparisonRow row;
        row.period = periodLabel(period, ardea.kind, year);
        if (const auto found = ardea.periods.find(period); found != ardea.periods.end()) {
            row.ardea = found->second.figures;
            row.state = found->second.settled ? found->second.state : QStringLiteral("(nessuna)");
            result.ardeaTotal += found->second.figures;
        }
        if (const auto found = corvina.find(period); found != corvina.end()) {
            row.corvina = found->second;
            result.corvinaTotal += found->second;
        }
        QString line = leading(row.period, row.state);
        appendFigures(line, row.ardea, row.corvina);
        if (!row.corvina)
            row.mark = QStringLiteral("<<< solo in Ardea");
        else if (!row.ardea)
            row.mark = QStringLiteral("<<< solo in Corvina");
        else if (figuresDiffer(*row.ardea, *row.corvina))
            row.mark = QStringLiteral("<<<");
        if (!row.mark.isEmpty()) {
            ++result.differing;
            line += QLatin1Char(' ') + row.mark;
        }
        body << line;
        result.rows.push_back(std::move(row));
    }
    result.compared = static_cast<int>(periods.size());

    const int width = static_cast<int>(heading.size());
    const QString rule = utl::RepeatChar(width, QLatin1Char('-'));
    QString totals = leading(QStringLiteral("Totale"), QString());
    appendFigures(totals, result.ardeaTotal, result.corvinaTotal);
    result.lines << QStringLiteral("Periodi confrontati : %1 - con differenze : %2").arg(result.compared).arg(result.differing) << title << rule
                 << groups << heading << rule;
    result.lines += body;
    result.lines << utl::RepeatChar(width, QLatin1Char('=')) << totals;
    return result;
}

QStringList settlementComparisonColumns()
{
    QStringList columns = {QStringLiteral("Periodo"), QStringLiteral("Stato")};
    for (const SettlementColumn& column : settlementColumns())
        columns << column.caption + QStringLiteral(" Ardea") << column.caption + QStringLiteral(" Corvina") << column.caption + QStringLiteral(" Differenza");
    return columns << QStringLiteral("Segnalazione");
}

QList<QStringList> settlementComparisonData(const SettlementComparison& comparison)
{
    QList<QStringList> rows;
    const SettlementFigures none;
    for (const SettlementComparisonRow& row : comparison.rows) {
        QStringList fields = {row.period, row.state};
        for (const SettlementColumn& column : settlementColumns()) {
            const Amount difference = (row.corvina ? *row.corvina : none).*column.figure - (row.ardea ? *row.ardea : none).*column.figure;
            fields << csvAmount(row.ardea, column.figure) << csvAmount(row.corvina, column.figure) << difference.toText(2, false);
        }
        rows << (fields << row.mark);
    }
    return rows;
}

CommandResult compareSettlements(AppContext& ctx, const SettlementComparisonRequest& request)
{
    Ui& ui = ctx.ui();
    const CorvinaCompany& corvina = request.corvina;
    if (!corvina.chosen()) {
        ui.beep();
        return {Outcome::Declined, {}};
    }
    const auto cannotCompare = [&](const QString& reason) {
        ui.critical(reason, QStringLiteral("Confronto liquidazioni"));
        return CommandResult{Outcome::Declined, {}};
    };
    ui.status(QStringLiteral("Lettura liquidazioni Ardea..."));
    ArdeaSettlementYear ardea;
    QString failure;
    if (!readArdeaSettlements(ctx.connections().db(Connections::Company), corvina.year, ardea, &failure))
        return cannotCompare(failure);
    ui.processEvents();
    if (ctx.stop().requested())
        return {Outcome::Stopped, {}};
    ui.status(QStringLiteral("Lettura liquidazioni Corvina..."));
    std::map<int, SettlementFigures> months;
    if (!readCorvinaSettlements(ctx.connections().db(Connections::Corvina), corvina, months, &failure))
        return cannotCompare(failure);

    const QString company = ctx.company().code;
    const QString title = QStringLiteral("Confronto liquidazioni - Ardea %1 %2 (%3) - Corvina %4 %2")
                              .arg(company)
                              .arg(corvina.year)
                              .arg(ardea.kind == SettlementPeriodKind::Quarterly ? QStringLiteral("trimestrali") : QStringLiteral("mensili"),
                                   corvina.code);
    const SettlementComparison comparison = compareSettlementFigures(ardea, months, corvina.year, title);
    const QString path = companyReportPath(ctx.paths(), QStringLiteral("\\ConfrontoLiq_"), company + QLatin1Char('_') + QString::number(corvina.year),
                                           QStringLiteral(".LOG"));
    if (!ReportFile::writeAll(path, comparison.lines, &failure)) {
        ui.critical(failure);
        return {Outcome::Failed, {}};
    }
    CommandResult result{Outcome::Done, path};
    result.dataColumns = settlementComparisonColumns();
    result.dataRows = settlementComparisonData(comparison);
    ui.status(comparison.lines.first());
    result.findings = comparison.differing;
    return result;
}

} // namespace corv
