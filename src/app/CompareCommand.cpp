#include "CompareCommand.h"

#include "ItalianOptions.h"
#include "ProgramRegistry.h"
#include "comparison/SettlementComparison.h"
#include "comparison/SourceComparison.h"
#include "report/TableExport.h"
#include "console/BatchUi.h"
#include "platform/ExportFiles.h"
#include "platform/IniFile.h"
#include "settings/SettingsKeys.h"
#include "platform/SingleInstance.h"
#include "context/AppContext.h"
#include "session/Session.h"
#include "report/ViewerChoice.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <cstring>

namespace corv {

namespace {

constexpr int kCannotRun = 2;

struct CompareOptions {
    QString home;
    QString company; // the Corvina company; the Ardea company's code when not given
    int year = 0;    // the newest year of that company when not given
    QDate from; // none: the year's first day
    QDate to;
    bool withNembo = false; // the Nembo journal of the console's folder and company, asked by --fonti
    bool settlements = false; // the settlements of the year instead of the journal totals, asked by --liquidazioni
    QString format;         // "csv" or "json" beside the report; empty: the report alone
    bool help = false;
    QString error;
};

QString usage()
{
    return QStringLiteral("Uso: corvutil confronta [--home DIR] [--azienda CODICE] [--anno AAAA] [--dal gg/mm/aaaa] [--al gg/mm/aaaa]\n"
                          "                          [--fonti ardea,corvina[,nembo]] [--formato csv|json]\n"
                          "       corvutil confronta --liquidazioni [--home DIR] [--azienda CODICE] [--anno AAAA] [--formato csv|json]\n"
                          "  confronta i totali IVA per Cli/For di Ardea (azienda aperta) e di Corvina (azienda e anno);\n"
                          "  con nembo anche la Prima Nota Nembo della cartella e dell'azienda scelte nella console\n"
                          "  --liquidazioni confronta invece, periodo per periodo, le liquidazioni IVA di Ardea e di Corvina\n"
                          "  --formato scrive accanto al report le stesse righe in CSV (\";\", virgola decimale) o JSON\n"
                          "  stampa il percorso del report; esce con 0 se concordano, 1 se ci sono differenze, 2 se non può confrontare\n");
}

CompareOptions parse(const QStringList& arguments)
{
    CompareOptions options;
    QCommandLineParser parser;
    const QCommandLineOption home(QStringLiteral("home"), {}, QStringLiteral("DIR"));
    const QCommandLineOption company(QStringLiteral("azienda"), {}, QStringLiteral("CODICE"));
    const QCommandLineOption year(QStringLiteral("anno"), {}, QStringLiteral("AAAA"));
    const QCommandLineOption from(QStringLiteral("dal"), {}, QStringLiteral("DATA"));
    const QCommandLineOption to(QStringLiteral("al"), {}, QStringLiteral("DATA"));
    const QCommandLineOption sources(QStringLiteral("fonti"), {}, QStringLiteral("FONTI"));
    const QCommandLineOption format(QStringLiteral("formato"), {}, QStringLiteral("FORMATO"));
    const QCommandLineOption settlements(QStringLiteral("liquidazioni"));
    const QCommandLineOption help = helpOption();
    options.error = parseOptions(parser, arguments.mid(0, 1) + arguments.mid(2), {home, company, year, from, to, sources, format, settlements, help});
    if (!options.error.isEmpty())
        return options;
    if (parser.isSet(help)) {
        options.help = true;
        return options;
    }
    if (!parser.positionalArguments().isEmpty()) {
        options.error = QStringLiteral("Argomento non riconosciuto : ") + parser.positionalArguments().first();
        return options;
    }
    options.home = parser.isSet(home) ? parser.value(home) : qEnvironmentVariable("CORVUTIL_HOME");
    options.company = parser.value(company).trimmed();
    readYear(parser, year, options.year, options.error);
    readDate(parser, from, options.from, options.error);
    readDate(parser, to, options.to, options.error);
    checkDateRange(options.from, options.to, options.error);
    readExportFormat(parser, format, options.format, options.error);
    options.settlements = parser.isSet(settlements);
    // The settlements are compared over the whole year, Ardea against Corvina.
    if (options.settlements && (parser.isSet(from) || parser.isSet(to) || parser.isSet(sources)) && options.error.isEmpty())
        options.error = QStringLiteral("--liquidazioni confronta l'anno intero di Ardea e Corvina : --dal, --al e --fonti non si usano");
    if (parser.isSet(sources)) {
        // The sources compared are always named: Ardea and Corvina, Nembo on request.
        QStringList named = parser.value(sources).toLower().split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (QString& name : named)
            name = name.trimmed();
        named.removeDuplicates();
        options.withNembo = named.removeAll(QStringLiteral("nembo")) > 0;
        named.sort();
        if (named != QStringList{QStringLiteral("ardea"), QStringLiteral("corvina")})
            options.error = QStringLiteral("Fonti non valide : ") + parser.value(sources) + QStringLiteral(" (ardea,corvina oppure ardea,corvina,nembo)");
    }
    return options;
}

// The Corvina company of the year; none when it is not there.
const CorvinaCompany* corvinaCompanyOf(const CorvinaCompanies& companies, const QString& company, int year)
{
    for (const CorvinaCompany& candidate : companies) {
        // Rows come newest year first: without a year the first row of the company wins.
        if (candidate.code.compare(company, Qt::CaseInsensitive) == 0 && (year == 0 || candidate.year == year))
            return &candidate;
    }
    return nullptr;
}

// The outcome of a comparison for the shell: the paths written on the
// standard output, 0 when the sources agree, 1 on differences, 2 otherwise.
int exitStatusOf(const CommandResult& result)
{
    if (result.outcome != CommandResult::Outcome::Done || result.reportPath.isEmpty())
        return kCannotRun;
    QTextStream out(stdout);
    out << result.reportPath << Qt::endl;
    for (const QString& written : result.writtenReports)
        out << written << Qt::endl;
    if (out.status() != QTextStream::Ok)
        return kCannotRun;
    return result.findings > 0 ? 1 : 0;
}

int compareSettlementsOf(AppContext& ctx, Session& session, const CorvinaCompany& corvina, const QString& format)
{
    ctx.log().write(QStringLiteral("Confronto liquidazioni da riga di comando : ") + corvinaCompanyRow(corvina).simplified());
    CommandResult result = compareSettlements(ctx, {corvina});
    if (result.outcome == CommandResult::Outcome::Done && !format.isEmpty()) {
        // The periods for a program, beside the report.
        const QString path = result.reportPath.left(result.reportPath.lastIndexOf(QLatin1Char('.'))) + QLatin1Char('.') + format;
        QString failure;
        if (writeRowsExport(path, format, result.dataColumns, result.dataRows, &failure)) {
            result.writtenReports << path;
        } else {
            ctx.ui().critical(failure);
            result.outcome = CommandResult::Outcome::Failed;
        }
    }
    session.close();
    return exitStatusOf(result);
}

int compare(const CompareOptions& options)
{
    QTextStream err(stderr);
    const AppPaths paths = options.home.isEmpty() ? AppPaths::standard() : AppPaths::forHome(options.home);
    if (!paths.ensure()) {
        err << "Impossibile creare la cartella dei dati : " << paths.dataDir << Qt::endl;
        return kCannotRun;
    }
    SingleInstance single(paths.lockFile());
    if (const SingleInstance::Result locked = single.acquire(); locked != SingleInstance::Result::Acquired) {
        err << single.failureText(locked) << Qt::endl;
        return kCannotRun;
    }
    BatchUi ui;
    AppContext ctx(paths, registryFor(paths), ui);
    Session session(ctx);
    if (session.start(platformViewerEnvironment(paths, ctx.registry())) == InitOutcome::EndProgram)
        return kCannotRun;
    const bool opened = session.open({});
    const auto fail = [&](const QString& text) {
        if (!text.isEmpty())
            err << text << Qt::endl;
        session.close();
        return kCannotRun;
    };
    if (!opened || !ctx.doArdea() || !ctx.dataOpen())
        return fail(!ctx.unavailableDatabase.isEmpty() ? ctx.unavailableDatabase : QStringLiteral("Database dell'azienda Ardea non disponibili"));
    if (!ctx.corvinaOpen())
        return fail(QStringLiteral("Database Corvina non disponibile"));
    const QString company = options.company.isEmpty() ? ctx.company().code : options.company;
    const CorvinaCompany* corvina = corvinaCompanyOf(session.corvinaCompanies(), company, options.year);
    if (!corvina)
        return fail(QStringLiteral("Azienda Corvina non trovata : ") + company
                    + (options.year ? QLatin1Char(' ') + QString::number(options.year) : QString()));
    if (options.settlements)
        return compareSettlementsOf(ctx, session, *corvina, options.format);
    ComparisonRequest request = ComparisonRequest::ofYear(corvina->code, corvina->year, options.from, options.to);
    request.exportFormat = options.format;
    if (options.withNembo) {
        // The console's folder and its first company, as the console opens them.
        request.nemboFolder = ctx.corvSettings().read(keys::kNemboFolder);
        const QStringList nemboCompanies = legacy::exportCompanies(request.nemboFolder);
        if (request.nemboFolder.isEmpty() || nemboCompanies.isEmpty())
            return fail(QStringLiteral("Nessuna cartella o azienda Nembo scelta : sceglierle nella console"));
        request.nemboCompany = nemboCompanies.first();
    }
    ctx.log().write(QStringLiteral("Confronto fonti da riga di comando : ") + corvinaCompanyRow(*corvina).simplified());
    const CommandResult result = compareSources(ctx, request);
    session.close();
    return exitStatusOf(result);
}

} // namespace

int runCompareCommand(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("corvutil"));
    const CompareOptions options = parse(QCoreApplication::arguments());
    if (options.help) {
        QTextStream(stdout) << usage();
        return 0;
    }
    if (!options.error.isEmpty()) {
        QTextStream(stderr) << options.error << "\n" << usage();
        return kCannotRun;
    }
    return compare(options);
}

} // namespace corv
