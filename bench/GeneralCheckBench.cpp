// One run of the general fiscal code check over a copy of a demo
// installation's company database, answering as a person who accepts every
// default would (Yes to start, then each question's own default), in a
// process of its own. With a file name after the folder, every statement the
// check runs is written there with its values, for the sqlite3 shell to
// replay (scripts/bench/general-check.sh).
// Usage: general_check_bench DEMO_FOLDER [STATEMENTS_FILE]
#include "BenchSupport.h"
#include "db/ConnectionString.h"
#include "db/SqliteFunctions.h"
#include "console/BatchUi.h"
#include "context/AppContext.h"
#include "taxcode/GeneralCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

using namespace corv;

namespace {

int traceStatement(unsigned, void* file, void* statement, void*)
{
    if (char* sql = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(statement))) {
        std::fputs(sql, static_cast<std::FILE*>(file));
        std::fputs(";\n", static_cast<std::FILE*>(file));
        sqlite3_free(sql);
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "Uso: general_check_bench CARTELLA_DEMO [FILE_ISTRUZIONI]\n");
        return 2;
    }
    QTemporaryDir work;
    const QString source = QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("db/AR_DEMO.sqlite"));
    if (!QFile::copy(source, work.filePath(QStringLiteral("AR_DEMO.sqlite")))) {
        std::fprintf(stderr, "Database non trovato: %s\n", qPrintable(source));
        return 1;
    }
    QuietUi ui;
    AppContext ctx(AppPaths::forHome(work.path()), makeRegistryFile(work.filePath(QStringLiteral("registry.ini"))), ui);
    QString error;
    if (!ctx.connections().open(Connections::Company,
                                dataConnectionString(QStringLiteral("SQLite"), {}, {}, QStringLiteral("AR_DEMO"), work.path()), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::FILE* trace = nullptr;
    if (argc > 2) {
        trace = std::fopen(argv[2], "w");
        if (!trace)
            return 1;
        sqlite3_trace_v2(sqliteHandleOf(ctx.connections().db(Connections::Company)), SQLITE_TRACE_STMT, traceStatement, trace);
    }
    QElapsedTimer timer;
    timer.start();
    const GeneralCheckResult result = runGeneralCheck(ctx, {QStringLiteral("DEMO"), QString(), {}});
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (trace)
        std::fclose(trace);
    printMeasure(seconds, result.findings);
    return result.completed ? 0 : 1;
}
