// One journal command over the large demo installation, in a process of its
// own (scripts/bench/journal.sh times it whole):
//   journal_bench ardea|finestra|corvina|confronto LARGE_DEMO_FOLDER
// "ardea" the Ardea journal totals (report and result list), "finestra" the
// same with its million-line result list shown in a list view, "corvina" the
// Corvina totals and sums of 2025, "confronto" the comparison of the sources
// over 2025. Prints "righe N" (see printRows): CORVUTIL_BENCH_TRACE traces
// the statements on the database the command reads (for the comparison the
// company's, and CORVUTIL_BENCH_TRACE_2 Corvina's).
//   journal_bench liquidazioni LARGE_DEMO_FOLDER sql|sql-corvina
// prints the statements of the settlement comparison for the sqlite3 shell
// (scripts/bench/settlements.sh times the program itself).
#include "BenchSupport.h"
#include "LinesTable.h"
#include "ardea/ArdeaLogin.h"
#include "ardea/CompanyOpening.h"
#include "journal/ArdeaJournalTotals.h"
#include "console/ConsoleCommands.h"
#include "console/ConsoleState.h"
#include "journal/CorvinaJournalTotals.h"
#include "journal/ReferenceTables.h"
#include "comparison/SettlementFigures.h"
#include "comparison/SourceComparison.h"
#include "journal/VatListings.h"
#include "db/Dialect.h"
#include "console/BatchUi.h"
#include "context/AppContext.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

using namespace corv;

namespace {

constexpr int kYear = 2025;

bool isRule(const QString& line)
{
    return !line.isEmpty() && (line.count(QLatin1Char('=')) == line.size() || line.count(QLatin1Char('-')) == line.size());
}

// The rows the statements returned, from the lines the command made: every
// line but the headings and rules it adds.
long ardeaRows(const CompactLines& lines)
{
    long rows = 0;
    bool totals = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i);
        if (!totals && line.startsWith(QLatin1String("====="))) {
            totals = true;
            i += 2; // the heading and the second rule
            continue;
        }
        rows += !isRule(line);
    }
    return rows;
}

long corvinaRows(const ConsoleState& state)
{
    long rows = 0;
    for (qsizetype i = 0; i < state.sorted.size(); ++i)
        rows += !state.sorted.utf8At(i).startsWith("_");
    for (qsizetype i = state.sorted.size(); i < state.results.lines.size(); ++i) {
        const QString line = state.results.lines.at(i);
        const bool heading = line.startsWith(QLatin1String(" Az.:")) || line.startsWith(QLatin1String("C|")) || line.startsWith(QLatin1String(" Cod.|"));
        rows += !isRule(line) && !heading;
    }
    return rows;
}

} // namespace

// The settlement comparison's statements as the sqlite3 shell runs them: the
// bound values written in, and the program's month() (registered on its own
// connections) spelled with the shell's functions.
QStringList settlementStatementsForTheShell(bool corvina)
{
    const auto inlined = [](QString sql, const QStringList& values) {
        for (const QString& value : values)
            sql.replace(sql.indexOf(QLatin1Char('?')), 1, value);
        return sql;
    };
    if (corvina)
        return {inlined(corvinaSettlementFiguresSql(), {QStringLiteral("'DEMO'"), QString::number(kYear), QStringLiteral("''")})};
    return {inlined(ardeaSettlementSummariesSql(), {QString::number(kYear)}),
            ardeaSettlementJournalSql(Dialect::of(Engine::Sqlite), kYear)
                .replace(QStringLiteral("month(dat_comp_iva)"), QStringLiteral("CAST(substr(dat_comp_iva, 6, 2) AS INTEGER)"))};
}

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "Uso: journal_bench ardea|finestra|corvina|confronto CARTELLA_DEMO_GRANDE | liquidazioni CARTELLA sql|sql-corvina\n");
        return 2;
    }
    const char* measure = argv[1];
    if (std::strcmp(measure, "liquidazioni") == 0) {
        if (argc < 4)
            return 2;
        for (const QString& sql : settlementStatementsForTheShell(std::strcmp(argv[3], "sql-corvina") == 0))
            std::printf("%s;\n", qPrintable(sql));
        return 0;
    }
    QApplication app(argc, argv);
    const QString home = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QTemporaryDir output; // the reports go there, not into the demo
    QuietUi ui;
    AppPaths paths = AppPaths::forHome(home);
    paths.dataDir = output.path();
    AppContext ctx(paths, makeRegistryFile(AppPaths::forHome(home).registryFile()), ui);
    if (!openDemoCompany(ctx))
        return 1;
    ConsoleState state;
    if (!loadCorvinaCompanies(ctx, state))
        return 1;
    for (int row = 0; row < state.corvinaCompanies.size(); ++row) {
        state.corvinaRow = row;
        if (state.corvinaYear() == kYear)
            break;
    }
    // What the Ardea totals need first; not measured.
    state.lists[ConsoleState::ArdeaTab].vatCodes = {QStringLiteral("x")};
    state.lists[ConsoleState::ArdeaTab].reasons = {QStringLiteral("x")};
    state.lists[ConsoleState::ArdeaTab].subjects = {QStringLiteral("x")};

    const QSqlDatabase company = ctx.connections().db(Connections::Company);
    const QSqlDatabase corvina = ctx.connections().db(Connections::Corvina);
    const bool onCorvina = std::strcmp(measure, "corvina") == 0;
    const bool comparison = std::strcmp(measure, "confronto") == 0;
    if (!traceIfAsked(onCorvina ? corvina : company) || (comparison && !traceIfAsked(corvina, 1)))
        return 1;
    long rows = 0;
    if (std::strcmp(measure, "ardea") == 0 || std::strcmp(measure, "finestra") == 0) {
        CommandResult result = totalArdeaJournal(ctx, ArdeaJournalInput{true, QDate(), QDate(), {}});
        if (result.outcome != CommandResult::Outcome::Done || !result.results)
            return 1;
        state.results = std::move(*result.results);
        rows = ardeaRows(state.results.lines);
        if (std::strcmp(measure, "finestra") == 0) {
            // The result list on screen, as the console shows it; with
            // CORVUTIL_BENCH_SORT=N then sorted by its column N, as a click
            // on that heading sorts it.
            LinesTable view(QStringLiteral("Lst_Risultati"));
            view.setContent(state.results.heading, state.results.lines);
            view.resize(1000, 400);
            view.show();
            view.scrollToBottom();
            QApplication::processEvents();
            if (qEnvironmentVariableIsSet("CORVUTIL_BENCH_SORT")) {
                view.sortByColumn(qEnvironmentVariableIntValue("CORVUTIL_BENCH_SORT"), Qt::DescendingOrder);
                view.scrollToBottom();
                QApplication::processEvents();
            }
            if (view.linesModel()->rowCount() != state.results.lines.size())
                return 1;
        }
    } else if (std::strcmp(measure, "corvina") == 0) {
        CommandResult result = totalCorvinaJournal(ctx, CorvinaJournalInput{state.selectedCorvina(), false, {}});
        if (result.outcome != CommandResult::Outcome::Done || !result.results || !result.sorted)
            return 1;
        state.results = std::move(*result.results);
        state.sorted = std::move(*result.sorted);
        rows = corvinaRows(state);
    } else {
        const CommandResult result = compareSources(ctx, comparisonRequestOf(state));
        if (result.outcome != CommandResult::Outcome::Done)
            return 1;
        rows = result.findings;
    }
    return printRows(rows);
}
