#include "CodeCommands.h"
#include "CommandLine.h"

#include "ConsoleWindow.h"
#include "QtUi.h"
#include "SplashWindow.h"
#include "process/AppContext.h"
#include "settings/Settings.h"
#include "process/Startup.h"
#include "report/ViewerChoice.h"
#include "demo/DemoInstallation.h"
#include "platform/BatchUi.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>
#include <memory>

using namespace corv;

namespace {

int createDemo(const QString& folder, bool large)
{
    QString error;
    DemoOptions options;
    if (large) {
        options.subjects = 100000;
        options.vatRows = 1000000;
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!createDemoInstallation(folder, &error, options)) {
        err << "Installazione dimostrativa non creata: " << error << Qt::endl;
        return 1;
    }
    out << "Installazione dimostrativa creata in " << QFileInfo(folder).absoluteFilePath() << Qt::endl;
    return 0;
}

std::unique_ptr<Registry> registryFor(const AppPaths& paths)
{
#ifdef Q_OS_WIN
    if (!QFileInfo::exists(paths.registryFile()))
        return makeNativeRegistry();
#endif
    return makeRegistryFile(paths.registryFile());
}

} // namespace

int main(int argc, char* argv[])
{
    // The code tools need neither windows nor an installation: they answer at once.
    if (const int exitCode = runCodeCommand(argc, argv); exitCode >= 0)
        return exitCode;

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine options = CommandLine::parse(arguments);
    if (!options.error.isEmpty() || options.help || options.version || !options.createDemo.isEmpty()) {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        if (!options.error.isEmpty()) {
            QTextStream(stderr) << options.error << "\n" << CommandLine::usage();
            return 2;
        }
        if (options.help) {
            out << CommandLine::usage();
            return 0;
        }
        if (options.version) {
            out << kReleaseText << Qt::endl;
            return 0;
        }
        return createDemo(options.createDemo, options.large);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvutil"));
    const AppPaths paths = options.home.isEmpty() ? AppPaths::standard() : AppPaths::forHome(options.home);

    QtUi qtUi;
    BatchUi batchUi;
    Ui& ui = options.batch ? static_cast<Ui&>(batchUi) : qtUi;

    if (!paths.ensure()) {
        ui.critical(QStringLiteral("Impossibile creare la cartella dei dati : ") + paths.dataDir);
        return 1;
    }
    SingleInstance single(paths.lockFile());
    if (!single.acquire()) {
        ui.critical(QString::fromUtf8(kAlreadyRunningMessage));
        return 1;
    }

    IniFile printerSettings(paths.iniPath(ini::kPrinters));
    const bool themed = visualStyleEnabled(printerSettings);
#ifdef Q_OS_WIN
    // Without visual styles the windows take the classic look.
    if (!themed)
        QApplication::setStyle(QStringLiteral("Windows"));
#else
    Q_UNUSED(themed);
#endif

    SplashWindow splash;
    splash.show();
    splash.repaint();
    QApplication::processEvents();

    AppContext ctx(paths, registryFor(paths), ui);
    const InitOutcome outcome = startUp(ctx, platformViewerEnvironment(paths, ctx.registry()));
    splash.close();
    if (outcome == InitOutcome::EndProgram) {
        closeConnections(ctx);
        return 1;
    }

    ConsoleWindow console(ctx);
    qtUi.setMainWindow(&console, console.statusBar());
    if (!console.open()) {
        ctx.log().write(QStringLiteral("Database dell'azienda non disponibili : fine programma"));
        return 1;
    }
    console.show();
    ctx.log().write(QStringLiteral("Console aperta"));
    if (options.exitAfterStart)
        QTimer::singleShot(0, &console, &QWidget::close);
    return app.exec();
}
