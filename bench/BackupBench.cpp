// One backup of the large demo's Corvina catalog, in a process of its own:
//   backup_bench LARGE_DEMO_FOLDER OUTPUT_FOLDER
// (scripts/bench/backup.sh puts the sqlite3 shell's .backup of the same file beside it).
#include "BenchSupport.h"
#include "ardea/ArdeaLogin.h"
#include "backup/CorvinaBackup.h"
#include "console/BatchUi.h"
#include "context/AppContext.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

using namespace corv;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "Uso: backup_bench CARTELLA_DEMO_GRANDE CARTELLA_USCITA\n");
        return 2;
    }
    const QString home = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString output = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QuietUi ui(true);
    AppPaths paths = AppPaths::forHome(home);
    paths.dataDir = output;
    AppContext ctx(paths, makeRegistryFile(AppPaths::forHome(home).registryFile()), ui);
    ArdeaLogin login(ctx);
    if (login.AR_InitLib(false) != InitOutcome::Ready || !login.ARRecOpen())
        return 1;
    backup::BackupSettings settings;
    settings.execute = true;
    settings.path0 = output;
    QElapsedTimer timer;
    timer.start();
    if (runCorvinaBackup(ctx, settings).outcome != CommandResult::Outcome::Done)
        return 1;
    const double seconds = timer.nsecsElapsed() / 1e9;
    const QStringList files = QDir(output).entryList({QStringLiteral("CORV_*.bak")});
    if (files.size() != 1)
        return 1;
    printMeasure(seconds, 0);
    QFile::remove(QDir(output).filePath(files.first()));
    return 0;
}
