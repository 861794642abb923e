// Times the general fiscal code check over a demo installation, answering Yes
// to start and No to every correction, and counts the status bar refreshes.
// Usage: general_check_bench DEMO_FOLDER (the company database is copied first,
// so the installation is left as it was).
#include "process/AppContext.h"
#include "db/ConnectionString.h"
#include "ardea/SqlAccessForm.h"
#include "platform/BatchUi.h"
#include "taxcode/GeneralCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

using namespace corv;

namespace {

class BenchUi : public BatchUi {
public:
    Answer message(const QString& text, const QString&, Icon, Buttons, Answer) override
    {
        return text.startsWith(QStringLiteral("Contollo")) ? Answer::Yes : Answer::No;
    }
    void status(const QString&) override { ++statusUpdates; }
    void processEvents() override { ++eventRuns; }
    bool openInViewer(const QString&, const QString&) override { return true; }
    int statusUpdates = 0;
    int eventRuns = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "Uso: general_check_bench CARTELLA_DEMO\n");
        return 2;
    }
    QTemporaryDir work;
    const QString source = QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("db/AR_DEMO.sqlite"));
    if (!QFile::copy(source, work.filePath(QStringLiteral("AR_DEMO.sqlite")))) {
        std::fprintf(stderr, "Database non trovato: %s\n", qPrintable(source));
        return 1;
    }
    BenchUi ui;
    AppContext ctx(AppPaths::forHome(work.path()), makeRegistryFile(work.filePath(QStringLiteral("registry.ini"))), ui);
    QString error;
    if (!ctx.connections().open(Connections::Company,
                                dataConnectionString(QStringLiteral("SQLite"), {}, {}, QStringLiteral("AR_DEMO"), work.path()),
                                &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    const GeneralCheckResult result = runGeneralCheck(ctx, {QStringLiteral("DEMO"), QString(), {}});
    const double seconds = timer.elapsed() / 1000.0;
    std::printf("Controllo PI/CF generale: %.2f s, %d segnalazioni, %d aggiornamenti della barra di stato (%.1f al secondo)\n",
                seconds, result.findings, ui.statusUpdates, ui.statusUpdates / std::max(seconds, 0.001));
    return result.completed ? 0 : 1;
}
