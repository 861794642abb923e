// One legacy-archive or registry command over a demo installation, in a
// process of its own, timed as a whole by scripts/bench/legacy.sh:
//   legacy_bench lettura DEMO_FOLDER: the Nembo lists of company 001 read
//     from the export files; prints "righe N", the rows of the three lists.
//   legacy_bench esteri WORK_FOLDER: the foreign fiscal code fill on the
//     DEMO registry of a work copy of the installation (the script puts a
//     fresh company database there before each run); prints "righe N", the
//     lines of its report (see printRows; CORVUTIL_BENCH_TRACE traces its
//     statements for the sqlite3 shell).
#include "BenchSupport.h"
#include "legacy/LegacyReferences.h"
#include "taxcode/ForeignCodes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

using namespace corv;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3 || (std::strcmp(argv[1], "lettura") != 0 && std::strcmp(argv[1], "esteri") != 0)) {
        std::fprintf(stderr, "Uso: legacy_bench lettura|esteri CARTELLA\n");
        return 2;
    }
    const QString home = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QuietUi ui(true);
    if (std::strcmp(argv[1], "lettura") == 0) {
        QTemporaryDir output; // nothing of the demo's changes
        AppPaths paths = AppPaths::forHome(home);
        paths.dataDir = output.path();
        AppContext ctx(paths, makeRegistryFile(AppPaths::forHome(home).registryFile()), ui);
        const ReferenceLists lists = legacy::readLegacyReferences(ctx, home + QStringLiteral("/nembo"), QStringLiteral("001"));
        std::printf("righe %lld\n", static_cast<long long>(lists.vatCodes.size() + lists.reasons.size() + lists.subjects.size()));
        return 0;
    }
    ui.setConfirmChanges(true); // the fill is what is measured
    AppContext ctx(AppPaths::forHome(home), makeRegistryFile(AppPaths::forHome(home).registryFile()), ui);
    if (!openDemoCompany(ctx))
        return 1;
    if (!traceIfAsked(ctx.connections().db(Connections::Company)))
        return 1;
    const CommandResult result = fillForeignCodes(ctx);
    if (result.outcome != CommandResult::Outcome::Done || result.reportPath.isEmpty())
        return 1;
    QFile report(result.reportPath);
    if (!report.open(QIODevice::ReadOnly))
        return 1;
    long lines = 0;
    while (!report.readLine().isEmpty())
        ++lines;
    return printRows(lines);
}
