// One run of the general fiscal code check over the company database of a
// work folder (WORK_FOLDER/db/AR_DEMO.sqlite, a fresh copy the script makes
// before each run, untimed), answering as a person who accepts every default
// would (Yes to start, then each question's own default), in a process of
// its own; scripts/bench/general-check.sh times it whole. Prints "righe N",
// its findings (see printRows; CORVUTIL_BENCH_TRACE traces its statements
// for the sqlite3 shell). Usage: general_check_bench WORK_FOLDER
#include "BenchSupport.h"
#include "db/ConnectionString.h"
#include "console/BatchUi.h"
#include "context/AppContext.h"
#include "taxcode/GeneralCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

using namespace corv;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "Uso: general_check_bench CARTELLA_DI_LAVORO\n");
        return 2;
    }
    const QString work = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    if (!QFile::exists(work + QStringLiteral("/db/AR_DEMO.sqlite"))) {
        std::fprintf(stderr, "Database non trovato: %s/db/AR_DEMO.sqlite\n", qPrintable(work));
        return 1;
    }
    QuietUi ui;
    AppContext ctx(AppPaths::forHome(work), makeRegistryFile(work + QStringLiteral("/registry.ini")), ui);
    QString error;
    if (!ctx.connections().open(Connections::Company,
                                dataConnectionString(QStringLiteral("SQLite"), {}, {}, QStringLiteral("AR_DEMO"), work + QStringLiteral("/db")), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    if (!traceIfAsked(ctx.connections().db(Connections::Company)))
        return 1;
    const GeneralCheckResult result = runGeneralCheck(ctx, {QStringLiteral("DEMO"), QString(), {}});
    if (!result.completed || printRows(result.findings) != 0)
        return 1;
    return 0;
}
