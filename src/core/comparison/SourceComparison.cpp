#include "comparison/SourceComparison.h"

#include "comparison/ComparisonExport.h"

#include "journal/ArdeaJournalTotals.h"
#include "journal/CorvinaJournalTotals.h"
#include "journal/VatListings.h"
#include "journal/RowLines.h"
#include "journal/SubjectCode.h"
#include "journal/SubjectTotals.h"
#include "db/Connections.h"
#include "db/Dialect.h"
#include "platform/ExportFiles.h"
#include "legacy/LegacyTotals.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "report/ReportFile.h"
#include "util/TextUtil.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace corv {

namespace {

using Outcome = CommandResult::Outcome;

// Half a cent: a difference that prints as at least "0,01".
constexpr std::int64_t kTolerance = 50; // ten-thousandths

// The amount columns: taxable and VAT right-aligned in 15 and 13 characters,
// each followed by a blank and "|". Amounts are written one way, with the
// thousands separators, and whole when longer than their column.
constexpr int kTaxableWidth = 15;
constexpr int kVatWidth = 13;

void appendPair(QString& line, Amount taxable, Amount vat)
{
    appendComparisonCell(line, taxable.toText(2), kTaxableWidth);
    appendComparisonCell(line, vat.toText(2), kVatWidth);
}

void appendBlankPair(QString& line)
{
    appendComparisonCell(line, {}, kTaxableWidth);
    appendComparisonCell(line, {}, kVatWidth);
}

bool readTotals(AppContext& ctx, const QSqlDatabase& db, const QString& sql, SourceTotals& totals)
{
    RowReader reader(db);
    if (!execOrReport(ctx, reader, sql))
        return false;
    RowColumns c(reader);
    const int type = c.at("tipo"), code = c.at("codice"), name = c.at("nome"), taxable = c.at("imponibile"), vat = c.at("iva");
    while (reader.next()) {
        KeyTotals& key = totals.keys[comparisonKey(reader.text(type), reader.text(code))];
        if (key.name.isEmpty())
            key.name = reader.text(name);
        key.taxable += reader.amount(taxable).value_or(Amount());
        key.vat += reader.amount(vat).value_or(Amount());
    }
    return readToTheEnd(ctx, reader);
}

QString typeCaption(QChar type)
{
    if (type == QLatin1Char('C'))
        return QStringLiteral("Totale Clienti");
    if (type == QLatin1Char('F'))
        return QStringLiteral("Totale Fornitori");
    return QStringLiteral("Totale senza Cli/For");
}

// The differences of the second source against the first, per customer or
// supplier that differs: the largest first, at most 30, so that the bars can
// be read.
ChartData differencesChart(const Comparison& comparison)
{
    constexpr qsizetype kBars = 30;
    struct Bar {
        QString key;
        double taxable, vat;
    };
    std::vector<Bar> bars;
    for (const ComparisonRow& row : comparison.rows) {
        if (row.mark.isEmpty() || row.totals.size() < 2)
            continue;
        const KeyTotals none;
        const KeyTotals& a = row.totals[0] ? *row.totals[0] : none;
        const KeyTotals& b = row.totals[1] ? *row.totals[1] : none;
        bars.push_back({row.key.isEmpty() ? QStringLiteral("(senza Cli/For)") : row.key,
                        static_cast<double>((b.taxable - a.taxable).units()) / 10000.0, static_cast<double>((b.vat - a.vat).units()) / 10000.0});
    }
    std::stable_sort(bars.begin(), bars.end(), [](const Bar& x, const Bar& y) { return std::abs(x.taxable) > std::abs(y.taxable); });
    if (qsizetype(bars.size()) > kBars)
        bars.resize(kBars);
    ChartData chart;
    chart.title = QStringLiteral("Differenze %1 - %2 per Cli/For").arg(comparison.sources.value(1), comparison.sources.value(0));
    if (qsizetype(bars.size()) == kBars)
        chart.title += QStringLiteral(" (le %1 maggiori)").arg(kBars);
    chart.seriesNames = {QStringLiteral("Diff. Imponibile"), QStringLiteral("Diff. IVA")};
    chart.series = {{}, {}};
    for (const Bar& bar : bars) {
        chart.categories << bar.key;
        chart.series[0] << bar.taxable;
        chart.series[1] << bar.vat;
    }
    return chart;
}

} // namespace

bool totalsDiffer(Amount a, Amount b) { return std::llabs((a - b).units()) >= kTolerance; }

void appendComparisonCell(QString& line, const QString& text, int width)
{
    line += text.rightJustified(width, QLatin1Char(' '));
    line += QStringLiteral(" |");
}

QString ardeaComparisonSql(const Dialect& dialect, const QDate& from, const QDate& to)
{
    // The journal as the journal totals join it: one statement of the Ardea journal.
    return QStringLiteral("SELECT t.ind_clifor AS tipo, t.cod_clifor AS codice, MAX(a.des_ragsoc) AS nome"
                          ", SUM(ri.val_imponibile) AS imponibile, SUM(ri.val_iva) AS iva")
           + ardeaJournalFrom() + QStringLiteral(" WHERE t.dat_registrazione>=")
           // Before the next day: a registration of the last day with a time of day counts.
           + dialect.dateLiteral(from) + QStringLiteral(" AND t.dat_registrazione<") + dialect.dateLiteral(to.addDays(1))
           + QStringLiteral(" GROUP BY t.ind_clifor, t.cod_clifor");
}

QString corvinaComparisonSql(const Dialect& dialect, const QString& company, int year)
{
    return QStringLiteral("SELECT CustSupplType AS tipo, CustSupplCode AS codice, MAX(CompanyName) AS nome"
                          ", SUM(VATTaxable) AS imponibile, SUM(VATAmount) AS iva")
           + QStringLiteral(" FROM ") + corvinaLinesViewOf(year) + QStringLiteral(" WHERE VATYear=%1").arg(year)
           + QStringLiteral(" AND CompanyCode=") + dialect.text(company) + QStringLiteral(" GROUP BY CustSupplType, CustSupplCode");
}

Comparison compareTotals(const std::vector<SourceTotals>& sources, const QString& title)
{
    Comparison result;
    std::set<QString, ComparisonKeyOrder> keys;
    for (const SourceTotals& source : sources) {
        result.sources << source.source;
        for (const auto& entry : source.keys)
            keys.insert(entry.first);
    }
    constexpr qsizetype kPairWidth = kTaxableWidth + 2 + kVatWidth + 2;
    const qsizetype width = 7 + 1 + 25 + 1 + qsizetype(sources.size()) * kPairWidth + qsizetype(sources.size() - 1) * kPairWidth;
    QStringList body;
    QString heading = utl::PadRight(QStringLiteral("Cli/For"), 7) + QLatin1Char(' ') + utl::PadRight(QStringLiteral("Rag. Soc."), 25) + QLatin1Char('|');
    for (const SourceTotals& source : sources) {
        appendComparisonCell(heading, QStringLiteral("Imp. ") + source.source, kTaxableWidth);
        appendComparisonCell(heading, QStringLiteral("IVA ") + source.source, kVatWidth);
    }
    // With more than one source against the reference, each difference says whose it is.
    for (std::size_t s = 1; s < sources.size(); ++s) {
        const bool several = sources.size() > 2;
        const QString whose = several ? QLatin1Char(' ') + sources[s].source.left(2) : QString();
        appendComparisonCell(heading, (several ? QStringLiteral("Diff.Imp.") : QStringLiteral("Diff. Imp.")) + whose, kTaxableWidth);
        appendComparisonCell(heading, (several ? QStringLiteral("Diff.IVA") : QStringLiteral("Diff. IVA")) + whose, kVatWidth);
    }

    // Subtotals per type and source, for the closing lines.
    std::map<QString, std::vector<KeyTotals>> typeTotals;
    for (const QString& key : keys) {
        QString name;
        std::vector<const KeyTotals*> found;
        for (const SourceTotals& source : sources) {
            const auto it = source.keys.find(key);
            found.push_back(it == source.keys.end() ? nullptr : &it->second);
            if (name.isEmpty() && found.back())
                name = found.back()->name;
        }
        // The key whole, however long.
        QString line = key.leftJustified(7, QLatin1Char(' ')) + QLatin1Char('-') + utl::PadRight(name, 25) + QLatin1Char('|');
        std::vector<KeyTotals>& subtotal = typeTotals[key.left(1)];
        subtotal.resize(sources.size());
        QStringList presentIn, missingIn;
        ComparisonRow row{key, name, {}, {}};
        for (std::size_t s = 0; s < sources.size(); ++s) {
            row.totals.push_back(found[s] ? std::optional<KeyTotals>(*found[s]) : std::nullopt);
            if (found[s]) {
                appendPair(line, found[s]->taxable, found[s]->vat);
                subtotal[s].taxable += found[s]->taxable;
                subtotal[s].vat += found[s]->vat;
                presentIn << sources[s].source;
            } else {
                appendBlankPair(line);
                missingIn << sources[s].source;
            }
        }
        bool different = !missingIn.isEmpty();
        const KeyTotals none;
        const KeyTotals& reference = found[0] ? *found[0] : none;
        for (std::size_t s = 1; s < sources.size(); ++s) {
            const KeyTotals& other = found[s] ? *found[s] : none;
            appendPair(line, other.taxable - reference.taxable, other.vat - reference.vat);
            different = different || totalsDiffer(other.taxable, reference.taxable) || totalsDiffer(other.vat, reference.vat);
        }
        if (different) {
            ++result.differing;
            row.mark = QStringLiteral("<<<");
            if (presentIn.size() == 1)
                row.mark += QStringLiteral(" solo in ") + presentIn.first();
            else if (!missingIn.isEmpty())
                row.mark += QStringLiteral(" manca in ") + missingIn.join(QStringLiteral(", "));
            line += QLatin1Char(' ') + row.mark;
        }
        body << line;
        result.rows.push_back(std::move(row));
    }
    result.compared = static_cast<int>(keys.size());

    const QString rule = utl::RepeatChar(static_cast<int>(width), QLatin1Char('-'));
    result.lines << QStringLiteral("Soggetti confrontati : %1 - con differenze : %2").arg(result.compared).arg(result.differing) << title
                 << rule << heading << rule;
    result.lines += body;
    result.lines << utl::RepeatChar(static_cast<int>(width), QLatin1Char('='));
    for (const auto& [type, subtotal] : typeTotals) {
        QString line = utl::PadRight(typeCaption(type.isEmpty() ? QChar() : type[0]), 33) + QLatin1Char('|');
        for (const KeyTotals& t : subtotal)
            appendPair(line, t.taxable, t.vat);
        for (std::size_t s = 1; s < subtotal.size(); ++s)
            appendPair(line, subtotal[s].taxable - subtotal[0].taxable, subtotal[s].vat - subtotal[0].vat);
        result.lines << line;
    }
    for (const SourceTotals& source : sources) {
        if (source.unreadable.isEmpty())
            continue;
        result.lines << QString() << QStringLiteral("*** Importi NON numerici di ") + source.source + QStringLiteral(", esclusi dai totali :");
        result.lines += source.unreadable;
    }
    return result;
}

CommandResult compareSources(AppContext& ctx, const ComparisonRequest& request)
{
    Ui& ui = ctx.ui();
    if (request.year == 0 || !request.from.isValid() || !request.to.isValid()) {
        ui.beep();
        return {Outcome::Declined, {}};
    }
    if (request.to < request.from) {
        ui.message(QStringLiteral("Date incoerenti !"));
        return {Outcome::Declined, {}};
    }
    std::vector<SourceTotals> sources(2);
    sources[0].source = QStringLiteral("Ardea");
    sources[1].source = QStringLiteral("Corvina");
    ui.status(QStringLiteral("Lettura totali Ardea..."));
    const QSqlDatabase company = ctx.connections().db(Connections::Company);
    if (!readTotals(ctx, company, ardeaComparisonSql(dialectOf(company), request.from, request.to), sources[0]))
        return {Outcome::Failed, {}};
    ui.processEvents();
    if (ctx.stop().requested())
        return {Outcome::Stopped, {}};
    ui.status(QStringLiteral("Lettura totali Corvina..."));
    const QSqlDatabase corvina = ctx.connections().db(Connections::Corvina);
    if (!readTotals(ctx, corvina, corvinaComparisonSql(dialectOf(corvina), request.corvinaCompany, request.year), sources[1]))
        return {Outcome::Failed, {}};

    QString title = QStringLiteral("Confronto fonti - Ardea ") + ctx.company().code + QStringLiteral(" dal ")
                    + request.from.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" al ") + request.to.toString(QStringLiteral("dd/MM/yyyy"))
                    + QStringLiteral(" - Corvina ") + request.corvinaCompany + QLatin1Char(' ') + QString::number(request.year);
    int unreadable = 0;
    if (!request.nemboFolder.isEmpty() && !request.nemboCompany.isEmpty()) {
        SourceTotals nembo{QStringLiteral("Nembo"), {}, {}};
        int rows = 0;
        QString failure;
        // A company without a journal file has no rows; a file that cannot be
        // read is a failure, never an empty column.
        const bool journal = !legacy::exportFilePath(request.nemboFolder, request.nemboCompany, QStringLiteral("PRN")).isEmpty();
        if (journal && !legacy::sumJournal(request.nemboFolder, request.nemboCompany, request.from, request.to, nembo, &rows, &failure)) {
            ui.critical(failure);
            return {Outcome::Failed, {}};
        }
        const QString period = QStringLiteral(" dal ") + request.from.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" al ")
                               + request.to.toString(QStringLiteral("dd/MM/yyyy"));
        if (rows > 0) {
            unreadable = static_cast<int>(nembo.unreadable.size());
            sources.push_back(std::move(nembo));
            title += QStringLiteral(" - Nembo ") + request.nemboCompany + period;
        } else {
            title += QStringLiteral(" - Nembo ") + request.nemboCompany + QStringLiteral(": nessuna registrazione") + period;
        }
    }
    const Comparison comparison = compareTotals(sources, title);
    const QString path = companyReportPath(ctx.paths(), QStringLiteral("\\Confronto_"),
                                           ctx.company().code + QLatin1Char('_') + QString::number(request.year), QStringLiteral(".LOG"));
    QString failure;
    if (!ReportFile::writeAll(path, comparison.lines, &failure)) {
        ui.critical(failure);
        return {Outcome::Failed, {}};
    }
    CommandResult result{Outcome::Done, path};
    if (!request.exportFormat.isEmpty()) {
        // The same rows for a program, beside the report.
        const QString exportPath = path.left(path.lastIndexOf(QLatin1Char('.'))) + QLatin1Char('.') + request.exportFormat;
        if (!writeComparisonExport(exportPath, comparison, &failure)) {
            ui.critical(failure);
            return {Outcome::Failed, path};
        }
        result.writtenReports << exportPath;
    }
    ui.status(comparison.lines.first());
    if (unreadable > 0) {
        // Amounts left out make differences of their own: said, never passed over.
        QStringList named = sources.back().unreadable.mid(0, 5);
        if (unreadable > named.size())
            named << QStringLiteral("... (%1 in tutto, elencati nel report)").arg(unreadable);
        ui.critical(QStringLiteral("Prima Nota Nembo : importi NON numerici esclusi dal confronto !!\r\n") + named.join(QStringLiteral("\r\n")));
    }
    result.findings = comparison.differing + unreadable;
    result.chart = differencesChart(comparison);
    return result;
}

} // namespace corv
