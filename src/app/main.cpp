#include "CommandLine.h"
#include "ProgramRegistry.h"
#include "Subcommands.h"
#include "TerminationSignals.h"

#include "ConsoleWindow.h"
#include "QtPrinterDevice.h"
#include "QtUi.h"
#include "SplashWindow.h"
#include "WindowPlacement.h"
#include "backup/CorvinaBackup.h"
#include "console/ConsoleCommands.h"
#include "demo/DemoInstallation.h"
#include "console/BatchUi.h"
#include "platform/SingleInstance.h"
#include "platform/ThreadedUi.h"
#include "context/AppContext.h"
#include "session/Session.h"
#include "session/Startup.h"
#include "report/ViewerChoice.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>
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
        options.articles = 50000;
        options.movements = 2000000;
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    QElapsedTimer clock;
    clock.start();
    if (large) {
        // What is being made, with the seconds gone by: the large one takes a while.
        options.progress = [&err, &clock](const QString& text) {
            err << QStringLiteral("[%1 s] ").arg(clock.elapsed() / 1000, 3) << text << "..." << Qt::endl;
        };
    }
    if (!createDemoInstallation(folder, &error, options)) {
        err << "Installazione dimostrativa non creata: " << error << Qt::endl;
        return 1;
    }
    out << "Installazione dimostrativa creata in " << QFileInfo(folder).absoluteFilePath() << Qt::endl;
    return 0;
}

// Qt's own texts (the buttons of the input boxes, the file dialogs) in Italian.
void loadItalianTranslations(QApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

// --comando: the named console command, run as its button runs it; the
// program then ends, with 0 when the command ran to its end.
int runNamedCommand(ConsoleWindow& console, AppContext& ctx, const QString& name)
{
    const ConsoleCommand* command = findConsoleCommand(name);
    if (!command || !command->available()) {
        ctx.ui().critical(QStringLiteral("Comando sconosciuto o non disponibile : ") + name);
        return 2;
    }
    const CommandResult result = console.run(*command);
    const ConsoleState& state = console.state();
    const ReferenceLists& lists = state.lists[command->tab];
    static const char* const outcomes[] = {"terminato", "non eseguito", "interrotto", "fallito"};
    const QString summary = QStringLiteral("Comando %1 %2 : %3 codici IVA, %4 causali, %5 clienti/fornitori, %6 righe di risultato")
                                .arg(command->objectName, QLatin1String(outcomes[static_cast<int>(result.outcome)]))
                                .arg(lists.vatCodes.size())
                                .arg(lists.reasons.size())
                                .arg(lists.subjects.size())
                                .arg(state.results.lines.size());
    ctx.log().write(summary);
    QTextStream(stdout) << summary << Qt::endl;
    return result.outcome == CommandResult::Outcome::Done ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    // The commands without windows, from their table: no display needed.
    if (const Subcommand* command = findSubcommand(argc, argv))
        return command->run(argc, argv);

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
    loadItalianTranslations(app);
    const AppPaths paths = options.home.isEmpty() ? AppPaths::standard() : AppPaths::forHome(options.home);

    QtUi qtUi;
    BatchUi batchUi;
    // Commands run on threads of their own: their questions reach the window's thread.
    ThreadedUi ui(options.batch ? static_cast<Ui&>(batchUi) : qtUi);

    if (!paths.ensure()) {
        ui.critical(QStringLiteral("Impossibile creare la cartella dei dati : ") + paths.dataDir);
        return 1;
    }
    SingleInstance single(paths.lockFile());
    if (const SingleInstance::Result locked = single.acquire(); locked != SingleInstance::Result::Acquired) {
        ui.critical(single.failureText(locked));
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
    qtUi.setSplash(&splash);
    splash.show();
    splash.repaint();
    QApplication::processEvents();

    AppContext ctx(paths, registryFor(paths), ui);
    qtUi.setContext(&ctx);
    ctx.setPrinterDevice(std::make_unique<QtPrinterDevice>(paths.dataDir));
    Session session(ctx);
    const InitOutcome outcome = session.start(platformViewerEnvironment(paths, ctx.registry()));
    splash.close();
    if (outcome == InitOutcome::EndProgram) {
        session.close();
        return 1;
    }
    // A backup killed midway left its work files in the backup folder.
    const QString backupFolder = backup::BackupSettings::read(ctx.corvSettings()).folder();
    if (const int removed = backup::removeLeftovers(backupFolder))
        ctx.log().write(QStringLiteral("Backup : rimossi %1 resti di un backup interrotto in ").arg(removed) + backupFolder);

    ConsoleWindow console(ctx, session);
    qtUi.setMainWindow(&console, console.statusBar());
    if (!console.open()) {
        ctx.log().write((ctx.unavailableDatabase.isEmpty() ? QStringLiteral("Database dell'azienda non disponibili") : ctx.unavailableDatabase)
                        + QStringLiteral(" : fine programma"));
        session.close();
        return 1;
    }
    // Asked to end from outside: the running command stops at its next row,
    // open dialogs are dismissed, and the console closes in order.
    watchTerminationSignals([&console] {
        while (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        console.requestQuit();
    });
    console.show();
    QTimer::singleShot(0, &console, [&console] { keepOnScreen(&console); });
    ctx.log().write(QStringLiteral("Console aperta"));
    int commandExit = 0;
    if (!options.command.isEmpty()) {
        QTimer::singleShot(0, &console, [&] {
            commandExit = runNamedCommand(console, ctx, options.command);
            console.close();
        });
    } else if (options.exitAfterStart) {
        QTimer::singleShot(0, &console, &QWidget::close);
    }
    const int exitCode = app.exec();
    return exitCode != 0 ? exitCode : commandExit;
}
