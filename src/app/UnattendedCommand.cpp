#include "UnattendedCommand.h"

#include "ItalianOptions.h"
#include "ProgramRegistry.h"
#include "TerminationSignals.h"
#include "console/BatchUi.h"
#include "console/ConsoleOpening.h"
#include "console/ConsoleState.h"
#include "console/UnattendedCommands.h"
#include "context/AppContext.h"
#include "journal/Settlements.h"
#include "platform/ExportFiles.h"
#include "platform/SingleInstance.h"
#include "report/ReportFile.h"
#include "report/TableExport.h"
#include "report/ViewerChoice.h"
#include "session/Session.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

namespace corv {

namespace {

enum Exit { kAllDone = 0, kFailedOrFound = 1, kWrongUsage = 2, kChangeSkipped = 3, kStopped = 4 };

struct RunOptions {
    QString home;
    QString ardeaCompany;
    QString corvinaCompany;
    int year = 0;
    QString nemboFolder;
    QString nemboCompany;
    QDate from, to;
    QString format;
    UnattendedValues values;
    bool confirm = false;
    bool list = false;
    bool help = false;
    QStringList commands; // as named on the command line
    QString error;
};

QString usage()
{
    return QStringLiteral(
        "Uso: corvutil esegui [--home DIR] [opzioni] COMANDO [COMANDO ...]\n"
        "     corvutil esegui --elenco\n"
        "  esegue i comandi della console in ordine, senza finestre; un comando si indica col nome del pulsante\n"
        "  (Cmd_NbPrimaNota) o col nome breve dell'elenco\n"
        "  --azienda CODICE            azienda Ardea (predefinita: quella delle impostazioni)\n"
        "  --azienda-corvina CODICE    azienda Corvina (predefinita: quella dell'azienda Ardea)\n"
        "  --anno AAAA                 anno Corvina (predefinito: il più recente dell'azienda)\n"
        "  --cartella-nembo DIR        cartella degli archivi Nembo (predefinita: quella della console)\n"
        "  --azienda-nembo NNN         azienda Nembo (predefinita: la prima della cartella)\n"
        "  --dal gg/mm/aaaa --al gg/mm/aaaa   periodo dei comandi che lo usano\n"
        "  --anno-iva AAAA             anno dei totali IVA (predefinito: il più recente con movimenti)\n"
        "  --cartella-backup DIR       cartella del backup Corvina (predefinita: quella scelta nella sua finestra)\n"
        "  --periodo MMAAAA            ultimo periodo delle liquidazioni da mettere a definitivo (con --conferma)\n"
        "  --comunicazione N           comunicazione dati fatture (predefinita: la più recente)\n"
        "  --stato STATO --periodi MM/AAAA[,MM/AAAA...]  stato (Provvisoria, Definitiva, Stampata) e liquidazioni\n"
        "                              di liquidazioni-stato\n"
        "  --data-obsolescenza gg/mm/aaaa [--articolo TESTO]  ricerca degli articoli senza movimenti da quella data\n"
        "  --indicatore NOME           indicatore delle correzioni a blocchi (colonna, nome o posizione);\n"
        "                              per le causali, gli indicatori da attivare separati da virgole\n"
        "  --causali COD[,COD...]      causali di indicatori-causali\n"
        "  --valore VALORE             natura (N1...N7) o tipo documento (TD01...) degli elenchi di righe (0: nessuno),\n"
        "                              o valore dell'indicatore\n"
        "  --conferma                  risponde Sì alle domande che modificano database o file salvati\n"
        "  --formato csv|json          accanto al report del confronto le stesse righe in CSV o JSON\n"
        "  esce con 0 se ogni comando è arrivato in fondo, 1 se uno è fallito o ha trovato segnalazioni,\n"
        "  2 per un uso errato, 3 se una modifica non è stata fatta senza --conferma, 4 se interrotto\n");
}

RunOptions parse(const QStringList& arguments)
{
    RunOptions options;
    QCommandLineParser parser;
    const QCommandLineOption home(QStringLiteral("home"), {}, QStringLiteral("DIR"));
    const QCommandLineOption ardea(QStringLiteral("azienda"), {}, QStringLiteral("CODICE"));
    const QCommandLineOption corvina(QStringLiteral("azienda-corvina"), {}, QStringLiteral("CODICE"));
    const QCommandLineOption year(QStringLiteral("anno"), {}, QStringLiteral("AAAA"));
    const QCommandLineOption folder(QStringLiteral("cartella-nembo"), {}, QStringLiteral("DIR"));
    const QCommandLineOption nembo(QStringLiteral("azienda-nembo"), {}, QStringLiteral("NNN"));
    const QCommandLineOption from(QStringLiteral("dal"), {}, QStringLiteral("DATA"));
    const QCommandLineOption to(QStringLiteral("al"), {}, QStringLiteral("DATA"));
    const QCommandLineOption confirm(QStringLiteral("conferma"));
    const QCommandLineOption format(QStringLiteral("formato"), {}, QStringLiteral("FORMATO"));
    const QCommandLineOption vatYear(QStringLiteral("anno-iva"), {}, QStringLiteral("AAAA"));
    const QCommandLineOption listingValue(QStringLiteral("valore"), {}, QStringLiteral("VALORE"));
    const QCommandLineOption backupFolder(QStringLiteral("cartella-backup"), {}, QStringLiteral("DIR"));
    const QCommandLineOption period(QStringLiteral("periodo"), {}, QStringLiteral("MMAAAA"));
    const QCommandLineOption communication(QStringLiteral("comunicazione"), {}, QStringLiteral("N"));
    const QCommandLineOption indicator(QStringLiteral("indicatore"), {}, QStringLiteral("NOME"));
    const QCommandLineOption settlementState(QStringLiteral("stato"), {}, QStringLiteral("STATO"));
    const QCommandLineOption cutOff(QStringLiteral("data-obsolescenza"), {}, QStringLiteral("DATA"));
    const QCommandLineOption article(QStringLiteral("articolo"), {}, QStringLiteral("TESTO"));
    const QCommandLineOption reasons(QStringLiteral("causali"), {}, QStringLiteral("CAUSALI"));
    const QCommandLineOption settlementPeriods(QStringLiteral("periodi"), {}, QStringLiteral("PERIODI"));
    const QCommandLineOption list(QStringLiteral("elenco"));
    const QCommandLineOption help = helpOption();
    options.error = parseOptions(parser, arguments.mid(0, 1) + arguments.mid(2),
                                 {home, ardea, corvina, year, folder, nembo, from, to, confirm, format, vatYear, listingValue, backupFolder, period, communication, indicator, settlementState, settlementPeriods, cutOff, article, reasons, list, help});
    if (!options.error.isEmpty())
        return options;
    options.help = parser.isSet(help);
    options.list = parser.isSet(list);
    if (options.help || options.list)
        return options;
    options.home = parser.isSet(home) ? parser.value(home) : qEnvironmentVariable("CORVUTIL_HOME");
    options.ardeaCompany = parser.value(ardea).trimmed();
    options.corvinaCompany = parser.value(corvina).trimmed();
    options.nemboFolder = parser.value(folder);
    options.nemboCompany = parser.value(nembo).trimmed();
    options.confirm = parser.isSet(confirm);
    options.values.listingValue = parser.value(listingValue);
    options.values.settlementPeriod = parser.value(period).trimmed();
    options.values.indicator = parser.value(indicator).trimmed();
    options.values.settlementState = parser.value(settlementState).trimmed();
    options.values.articleCode = parser.value(article).trimmed();
    for (const QString& reason : parser.value(reasons).split(QLatin1Char(','), Qt::SkipEmptyParts))
        options.values.reasons << reason.trimmed();
    QDate articleCutOff;
    readDate(parser, cutOff, articleCutOff, options.error);
    if (articleCutOff.isValid())
        options.values.articleCutOff = articleCutOff.toString(QStringLiteral("dd/MM/yyyy"));
    for (const QString& named : parser.value(settlementPeriods).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        static const QRegularExpression shape(QStringLiteral("^(0?[1-9]|1[0-4])/(\\d{4})$"));
        const QRegularExpressionMatch match = shape.match(named.trimmed());
        if (!match.hasMatch() || match.captured(2).toInt() < 1990)
            options.error = QStringLiteral("Liquidazione non valida : ") + named + QStringLiteral(" (MM/AAAA)");
        options.values.settlementPeriods << named.trimmed();
    }
    if (parser.isSet(communication)) {
        bool number = false;
        options.values.communication = parser.value(communication).toInt(&number);
        if (!number || options.values.communication <= 0)
            options.error = QStringLiteral("Comunicazione non valida : ") + parser.value(communication);
    }
    if (parser.isSet(period) && !parseSettlementPeriod(options.values.settlementPeriod))
        options.error = QStringLiteral("Periodo non valido : ") + parser.value(period) + QStringLiteral(" (MMAAAA, mese da 01 a 14)");
    if (parser.isSet(backupFolder)) {
        if (!QFileInfo(parser.value(backupFolder)).isDir())
            options.error = QStringLiteral("Cartella di backup non trovata : ") + parser.value(backupFolder);
        options.values.backupFolder = QDir(parser.value(backupFolder)).absolutePath() + QLatin1Char('/');
    }
    readExportFormat(parser, format, options.format, options.error);
    options.values.exportFormat = options.format;
    readYear(parser, year, options.year, options.error);
    readYear(parser, vatYear, options.values.vatYear, options.error);
    readDate(parser, from, options.from, options.error);
    readDate(parser, to, options.to, options.error);
    checkDateRange(options.from, options.to, options.error);
    options.commands = parser.positionalArguments();
    if (options.error.isEmpty() && options.commands.isEmpty())
        options.error = QStringLiteral("Nessun comando da eseguire (l'elenco con --elenco)");
    for (const QString& name : options.commands) {
        const UnattendedCommand* entry = findUnattendedCommand(name);
        for (const QString& required : entry ? entry->requiredOptions : QStringList()) {
            if (options.error.isEmpty() && parser.value(required.mid(2)).trimmed().isEmpty())
                options.error = QStringLiteral("Il comando ") + name + QStringLiteral(" richiede ") + required;
        }
        if (options.error.isEmpty() && !entry)
            options.error = findConsoleCommand(name) ? QStringLiteral("Il comando ") + name + QStringLiteral(" si usa solo nella console: non si esegue con esegui")
                                                     : QStringLiteral("Comando sconosciuto : ") + name + QStringLiteral(" (l'elenco con --elenco)");
    }
    return options;
}

QString commandList()
{
    QString text = QStringLiteral("%1 %2 %3 %4 %5\n")
                       .arg(QStringLiteral("NOME"), -24)
                       .arg(QStringLiteral("PULSANTE"), -18)
                       .arg(QStringLiteral("SCHEDA"), -8)
                       .arg(QStringLiteral("MODIFICA"), -8)
                       .arg(QStringLiteral("DESCRIZIONE - RICHIEDE"));
    for (const UnattendedCommand& entry : unattendedCommands()) {
        const ConsoleCommand* command = findConsoleCommand(entry.objectName);
        if (!command)
            continue;
        text += QStringLiteral("%1 %2 %3 %4 %5 - %6\n")
                    .arg(entry.name, -24)
                    .arg(entry.objectName + (entry.rightClick ? QStringLiteral(" dx") : QString()), -18)
                    .arg(tabName(command->tab), -8)
                    .arg(entry.changesData ? QStringLiteral("sì") : QStringLiteral("no"), -8)
                    .arg(command->caption, needsText(command->needs));
    }
    return text;
}

// The console's choices the options name; the reason when one cannot be made.
QString choose(const RunOptions& options, AppContext& ctx, ConsoleState& state)
{
    if (!options.corvinaCompany.isEmpty() || options.year != 0) {
        const QString code = options.corvinaCompany.isEmpty() ? ctx.company().code : options.corvinaCompany;
        state.corvinaRow = -1;
        // Rows come newest year first: without a year the company's newest wins.
        for (int i = 0; i < state.corvinaCompanies.size() && state.corvinaRow < 0; ++i) {
            const CorvinaCompany& row = state.corvinaCompanies[i];
            if (row.code.compare(code, Qt::CaseInsensitive) == 0 && (options.year == 0 || row.year == options.year))
                state.corvinaRow = i;
        }
        if (state.corvinaRow < 0)
            return QStringLiteral("Azienda Corvina non trovata : ") + code + (options.year ? QLatin1Char(' ') + QString::number(options.year) : QString());
    }
    if (state.corvinaRow < 0) {
        // Nothing chosen, here or in the console: the Ardea company's newest year.
        for (int i = 0; i < state.corvinaCompanies.size() && state.corvinaRow < 0; ++i) {
            if (state.corvinaCompanies[i].code.compare(ctx.company().code, Qt::CaseInsensitive) == 0)
                state.corvinaRow = i;
        }
    }
    if (!options.nemboFolder.isEmpty()) {
        if (!QFileInfo(options.nemboFolder).isDir())
            return QStringLiteral("Cartella Nembo non trovata : ") + options.nemboFolder;
        state.nemboFolder = QDir(options.nemboFolder).absolutePath() + QLatin1Char('/');
        state.nemboCompanies = legacy::exportCompanies(state.nemboFolder);
        state.nemboRow = state.nemboCompanies.isEmpty() ? -1 : 0;
    }
    if (!options.nemboCompany.isEmpty()) {
        state.nemboRow = static_cast<int>(state.nemboCompanies.indexOf(options.nemboCompany));
        if (state.nemboRow < 0)
            return QStringLiteral("Azienda Nembo ") + options.nemboCompany + QStringLiteral(" non presente nella cartella ")
                   + (state.nemboFolder.isEmpty() ? QStringLiteral("(nessuna cartella scelta)") : state.nemboFolder);
    }
    if (options.from.isValid())
        state.dateFrom = options.from.toString(QStringLiteral("dd/MM/yyyy"));
    if (options.to.isValid())
        state.dateTo = options.to.toString(QStringLiteral("dd/MM/yyyy"));
    state.exportFormat = options.format;
    return {};
}

// What each command needs that the options did not give: said before anything runs.
QString missingNeeds(const RunOptions& options, const AppContext& ctx, const ConsoleState& state)
{
    for (const QString& name : options.commands) {
        const ConsoleCommand* command = findConsoleCommand(findUnattendedCommand(name)->objectName);
        // The backup names the Ardea company; every other command of the Corvina tab works on a Corvina company.
        const bool corvinaCompany = command->needs == CommandNeeds::BothSources
                                    || (command->tab == ConsoleState::CorvinaTab && command->objectName != QLatin1String("Cmd_CvBackup"));
        if (!commandCanRun(ctx, command->needs))
            return QStringLiteral("Il comando ") + command->objectName + QStringLiteral(" richiede : ") + needsText(command->needs);
        if (corvinaCompany && !state.selectedCorvina().chosen())
            return QStringLiteral("Il comando ") + command->objectName + QStringLiteral(" richiede l'azienda e l'anno Corvina (--azienda-corvina, --anno)");
    }
    return {};
}

// What the console would only show is written: the result list of a command
// that wrote no report, to "<name>.LOG" in the data folder. With a format,
// the rows for a program beside the report: those the command handed back,
// else the written list's.
void writeOutputs(AppContext& ctx, const UnattendedValues& values, const QString& objectName, const ConsoleState& state, CommandResult& result)
{
    QString failure;
    bool listWritten = false;
    if (result.reportPath.isEmpty() && result.writtenReports.isEmpty() && !state.results.lines.isEmpty()) {
        const QString path = ctx.paths().dataFile((result.dataName.isEmpty() ? objectName : result.dataName) + QStringLiteral(".LOG"));
        const QStringList heading = state.results.heading.isEmpty() ? QStringList() : QStringList{state.results.heading};
        if (!ReportFile::writeAll(path, heading + state.results.lines.toStringList(), &failure)) {
            ctx.ui().critical(failure);
            result.outcome = CommandResult::Outcome::Failed;
            return;
        }
        result.writtenReports << path;
        listWritten = true;
    }
    const QString besides = !result.reportPath.isEmpty() ? result.reportPath : result.writtenReports.value(0);
    if (values.exportFormat.isEmpty() || besides.isEmpty() || (result.dataColumns.isEmpty() && !listWritten))
        return;
    const QFileInfo report(besides);
    const QString path = report.dir().filePath(report.completeBaseName() + QLatin1Char('.') + values.exportFormat);
    const bool written = !result.dataColumns.isEmpty()
                             ? writeRowsExport(path, values.exportFormat, result.dataColumns, result.dataRows, &failure)
                             : writeTableExport(path, values.exportFormat, state.results.heading, state.results.lines.toStringList(), &failure);
    if (written) {
        result.writtenReports << path;
    } else {
        ctx.ui().critical(failure);
        result.outcome = CommandResult::Outcome::Failed;
    }
}

const char* outcomeText(CommandResult::Outcome outcome)
{
    static const char* const texts[] = {"terminato", "non eseguito", "interrotto", "fallito"};
    return texts[static_cast<int>(outcome)];
}

// One command as its button runs it, with the reference lists it needs read
// first when they are not; the line it prints.
CommandResult runOne(AppContext& ctx, const BatchUi& ui, ConsoleState& state, const UnattendedCommand& entry,
                     const UnattendedValues& values, QTextStream& out)
{
    ConsoleCommand command = *findConsoleCommand(entry.objectName);
    if (entry.headless) {
        // The window's main work without the window.
        command.run = [&entry, &values](AppContext& c, ConsoleState& s) { return entry.headless(c, s, values); };
    }
    if (!entry.readsFirst.isEmpty() && state.lists[command.tab].subjects.isEmpty()) {
        const CommandResult read = runOne(ctx, ui, state, *findUnattendedCommand(entry.readsFirst), values, out);
        if (read.outcome != CommandResult::Outcome::Done)
            return read;
    }
    const int skippedBefore = ui.skippedChanges();
    state.setResults({}); // the rows a line counts are the command's own
    CommandResult result = runConsoleCommand(ctx, state, command);
    writeOutputs(ctx, values, command.objectName, state, result);
    QString line = command.objectName + QStringLiteral(" (") + entry.name + QStringLiteral(") : ") + QString::fromUtf8(outcomeText(result.outcome));
    if (result.findings > 0)
        line += QStringLiteral(" - %1 segnalazioni").arg(result.findings);
    if (state.results.lines.size() > 0)
        line += QStringLiteral(" - %1 righe").arg(state.results.lines.size());
    if (const int skipped = ui.skippedChanges() - skippedBefore; skipped > 0)
        line += QStringLiteral(" - %1 modifiche NON eseguite senza --conferma").arg(skipped);
    for (const QString& report : QStringList(result.reportPath) + result.writtenReports) {
        if (!report.isEmpty())
            line += QStringLiteral(" - report ") + QDir::toNativeSeparators(report);
    }
    out << line << Qt::endl;
    ctx.log().write(QStringLiteral("esegui : ") + line);
    return result;
}

int run(const RunOptions& options)
{
    QTextStream err(stderr);
    QTextStream out(stdout);
    const AppPaths paths = options.home.isEmpty() ? AppPaths::standard() : AppPaths::forHome(options.home);
    if (!paths.ensure()) {
        err << "Impossibile creare la cartella dei dati : " << paths.dataDir << Qt::endl;
        return kWrongUsage;
    }
    SingleInstance single(paths.lockFile());
    if (const SingleInstance::Result locked = single.acquire(); locked != SingleInstance::Result::Acquired) {
        err << single.failureText(locked) << Qt::endl;
        return kWrongUsage;
    }
    BatchUi ui;
    ui.setConfirmChanges(options.confirm);
    AppContext ctx(paths, registryFor(paths), ui);
    ui.setAnswerLog([&ctx](const QString& line) { ctx.log().write(line); });
    bool stopRequested = false;
    watchTerminationSignals([&] {
        stopRequested = true;
        ctx.stop().request();
    });
    Session session(ctx);
    if (session.start(platformViewerEnvironment(paths, ctx.registry())) == InitOutcome::EndProgram)
        return kWrongUsage;
    ConsoleState state;
    if (!openConsole(session, state, {{}, options.ardeaCompany})) {
        err << (ctx.unavailableDatabase.isEmpty() ? QStringLiteral("Database dell'azienda Ardea non disponibili") : ctx.unavailableDatabase) << Qt::endl;
        return kWrongUsage;
    }
    const auto refuse = [&](const QString& text) {
        err << text << Qt::endl;
        session.close();
        return kWrongUsage;
    };
    if (!options.ardeaCompany.isEmpty() && ctx.company().code.compare(options.ardeaCompany, Qt::CaseInsensitive) != 0)
        return refuse(QStringLiteral("Azienda Ardea non trovata : ") + options.ardeaCompany);
    if (const QString reason = choose(options, ctx, state); !reason.isEmpty())
        return refuse(reason);
    if (const QString reason = missingNeeds(options, ctx, state); !reason.isEmpty())
        return refuse(reason);
    ctx.log().write(QStringLiteral("esegui : ") + options.commands.join(QLatin1Char(' ')));

    int exit = kAllDone;
    for (const QString& name : options.commands) {
        if (stopRequested) {
            out << findUnattendedCommand(name)->objectName << " : non eseguito (interruzione richiesta)" << Qt::endl;
            continue;
        }
        const int skippedBefore = ui.skippedChanges();
        const CommandResult result = runOne(ctx, ui, state, *findUnattendedCommand(name), options.values, out);
        if (result.outcome == CommandResult::Outcome::Stopped || stopRequested)
            exit = kStopped;
        else if (ui.skippedChanges() > skippedBefore && exit != kStopped)
            exit = kChangeSkipped;
        else if ((result.outcome != CommandResult::Outcome::Done || result.findings > 0) && exit == kAllDone)
            exit = kFailedOrFound;
    }
    session.close();
    if (out.status() != QTextStream::Ok)
        return kFailedOrFound;
    return exit;
}

} // namespace

int runUnattendedCommand(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("corvutil"));
    const RunOptions options = parse(QCoreApplication::arguments());
    if (options.help) {
        QTextStream(stdout) << usage();
        return kAllDone;
    }
    if (options.list) {
        QTextStream(stdout) << commandList();
        return kAllDone;
    }
    if (!options.error.isEmpty()) {
        QTextStream(stderr) << options.error << "\n" << usage();
        return kWrongUsage;
    }
    return run(options);
}

} // namespace corv
