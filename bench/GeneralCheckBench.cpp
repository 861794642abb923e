// One run of the general fiscal code check over the company database of a
// work folder (DEMO_FOLDER/db/AR_DEMO.sqlite, a fresh copy the script makes
// before each run, untimed), answering as a person who accepts every default
// would (Yes to start, then each question's own default), in a process of its
// own. Prints the findings. With a file name after the folder, every
// statement the check runs is written there with its values, for the sqlite3
// shell to replay (scripts/bench/general-check.sh), and the rows those
// statements returned are printed as well: the replay must return as many.
// Usage: general_check_bench WORK_FOLDER [STATEMENTS_FILE]
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
        std::fprintf(stderr, "Uso: general_check_bench CARTELLA_DI_LAVORO [FILE_ISTRUZIONI]\n");
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
    StatementTrace trace;
    if (argc > 2 && !trace.start(ctx.connections().db(Connections::Company), argv[2]))
        return 1;
    const bool traced = trace.active();
    const GeneralCheckResult result = runGeneralCheck(ctx, {QStringLiteral("DEMO"), QString(), {}});
    if (!trace.finish())
        return 1;
    std::printf("segnalazioni %d\n", result.findings);
    if (traced)
        std::printf("righe lette %ld\n", trace.rows());
    return result.completed ? 0 : 1;
}
