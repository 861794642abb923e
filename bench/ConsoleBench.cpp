// One console command over the large demo installation, in a process of
// its own (scripts/bench/console.sh times it whole):
//   console_bench tabelle|righe|rs2list LARGE_DEMO_FOLDER
// "tabelle" the Ardea reference lists, "righe" the VAT lines of the busiest
// customer, "rs2list" the list viewer in silent mode over 100,000 rows.
// Prints "righe N" (see printRows; CORVUTIL_BENCH_TRACE traces the
// command's statements for the sqlite3 shell).
#include "BenchSupport.h"
#include "ardea/ArdeaLogin.h"
#include "ardea/CompanyOpening.h"
#include "ardea/JournalView.h"
#include "console/ConsoleState.h"
#include "journal/ReferenceTables.h"
#include "journal/VatListings.h"
#include "listview/Rs2List.h"
#include "console/BatchUi.h"
#include "context/AppContext.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

using namespace corv;

namespace {

const QString kRs2ListSql = QStringLiteral("SELECT * FROM CG_PRINOTAR_IVA LIMIT 100000");
const ListingRequest kBusiest{QLatin1Char('A'), QStringLiteral("000001C|")};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "Uso: console_bench tabelle|righe|rs2list CARTELLA_DEMO_GRANDE\n");
        return 2;
    }
    const char* measure = argv[1];
    const QString home = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QTemporaryDir output; // the list files go there, not into the demo
    QuietUi ui;
    AppPaths paths = AppPaths::forHome(home);
    paths.dataDir = output.path();
    AppContext ctx(paths, makeRegistryFile(AppPaths::forHome(home).registryFile()), ui);
    if (!openDemoCompany(ctx))
        return 1;
    ensureJournalView(ctx.connections().db(Connections::Company), false);

    if (!traceIfAsked(ctx.connections().db(Connections::Company)))
        return 1;
    long rows = 0;
    if (std::strcmp(measure, "tabelle") == 0) {
        const ReferenceLists lists = readArdeaReferences(ctx);
        rows = lists.vatCodes.size() + lists.reasons.size() + lists.subjects.size();
    } else if (std::strcmp(measure, "righe") == 0) {
        rows = listArdeaVatLines(ctx, QDate(), QDate(), kBusiest).lines.size();
    } else {
        Rs2ListOptions options;
        options.title = QStringLiteral("Bench Rs2List");
        options.silent = true;
        const Rs2ListResult result = Rs2List(ctx, ctx.connections().db(Connections::Company), kRs2ListSql, options);
        if (!result.ok)
            return 1;
        rows = result.lineCount;
    }
    return printRows(rows);
}
