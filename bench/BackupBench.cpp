// One backup of the large demo's Corvina catalog, in a process of its own
// (scripts/bench/backup.sh times it whole, beside the sqlite3 shell's
// .backup of the same file):
//   backup_bench LARGE_DEMO_FOLDER OUTPUT_FOLDER
// Prints "archivio BYTES", the size of the one archive it wrote (the script
// empties the folder before each run).
#include "BenchSupport.h"
#include "ardea/ArdeaLogin.h"
#include "backup/CorvinaBackup.h"
#include "console/BatchUi.h"
#include "context/AppContext.h"

#include <QCoreApplication>
#include <QDir>
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
    if (runCorvinaBackup(ctx, settings).outcome != CommandResult::Outcome::Done)
        return 1;
    const QFileInfoList files = QDir(output).entryInfoList({QStringLiteral("CORV_*.bak")});
    if (files.size() != 1)
        return 1;
    std::printf("archivio %lld\n", static_cast<long long>(files.first().size()));
    return 0;
}
