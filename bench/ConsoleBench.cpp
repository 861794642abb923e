// Times three console commands over the large demo installation, each beside
// the sqlite3 shell running the same SQL to /dev/null, and counts how often
// pending events ran. Usage: console_bench LARGE_DEMO_FOLDER
#include "process/AppContext.h"
#include "console/ReferenceTables.h"
#include "console/ConsoleState.h"
#include "console/VatListings.h"
#include "ardea/ArdeaLogin.h"
#include "ardea/CompanyOpening.h"
#include "ardea/JournalView.h"
#include "views/ViewService.h"
#include "listview/Rs2List.h"
#include "platform/BatchUi.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <cstdio>

using namespace corv;

namespace {

class BenchUi : public BatchUi {
public:
    Answer message(const QString&, const QString&, Icon, Buttons, Answer defaultAnswer) override { return defaultAnswer; }
    void processEvents() override { ++eventRuns; }
    int eventRuns = 0;
};

// The best of three runs of the sqlite3 shell (the file cache warm for both).
double shellSeconds(const QString& file, const QStringList& statements)
{
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        QProcess shell;
        shell.setStandardOutputFile(QProcess::nullDevice());
        shell.start(QStringLiteral("sqlite3"), QStringList{file} + statements);
        shell.waitForFinished(-1);
        best = std::min(best, timer.elapsed() / 1000.0);
    }
    return best;
}

// The best of three runs of one of our commands.
template <typename Command>
double ourSeconds(BenchUi& ui, int& eventRuns, Command command)
{
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        ui.eventRuns = 0;
        QElapsedTimer timer;
        timer.start();
        command();
        const double seconds = timer.elapsed() / 1000.0;
        if (seconds < best) {
            best = seconds;
            eventRuns = ui.eventRuns;
        }
    }
    return best;
}

void report(const char* what, double ours, double shell, int eventRuns)
{
    std::printf("%-42s corvutil %6.3f s   sqlite3 %6.3f s   rapporto %4.2f   eventi %5.1f/s\n", what, ours, shell,
                ours / std::max(shell, 0.001), eventRuns / std::max(ours, 0.001));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "Uso: console_bench CARTELLA_DEMO_GRANDE\n");
        return 2;
    }
    const QString home = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    BenchUi ui;
    AppContext ctx(AppPaths::forHome(home), makeRegistryFile(AppPaths::forHome(home).registryFile()), ui);
    ArdeaLogin login(ctx);
    if (login.AR_InitLib(false) != InitOutcome::Ready)
        return 1;
    ctx.doArdea = true;
    QString code = QStringLiteral("DEMO");
    if (!CompanyOpening(ctx).AziOpen(code) || !login.ARRecOpen())
        return 1;
    ensureJournalView(ctx.connections().db(Connections::Company), false);
    const QString company = home + QStringLiteral("/db/AR_DEMO.sqlite");

    int events = 0;
    ReferenceLists lists;
    const double read = ourSeconds(ui, events, [&] { lists = readArdeaReferences(ctx); });
    report(qPrintable(QStringLiteral("Lettura tabelle Ardea (%1 righe)").arg(lists.vatCodes.size() + lists.reasons.size() + lists.subjects.size())),
           read,
           shellSeconds(company, {QStringLiteral("SELECT * FROM CA_IVA ORDER BY prc_iva, cod_iva"),
                                  QStringLiteral("SELECT * FROM CO_CAUCON WHERE cod_reg_iva>'' ORDER BY cod_caucon"),
                                  QStringLiteral("SELECT c.cod_clifor || c.ind_clifor AS cod_clifor, a.des_ragsoc, '??" "?' AS xx1, a.cod_piva, a.cod_cfisc,"
                                                 " a.flg_pers_fis, a.ind_tipo_diciva, a.cod_naz_res, a.des_nome, a.des_cogn, a.des_localita_res,"
                                                 " n.ind_area_naz, a.ind_sesso, a.cod_cfisc_estero, a.flg_piva_ver, a.flg_nores_nocfis, c.flg_allegato,"
                                                 " c.cod_iva, a.flg_nores_nocfis, c.cod_caurit FROM CO_CLIFOR AS c LEFT JOIN CA_ANAGRAFICHE AS a"
                                                 " ON (a.cod_anagra=c.cod_clifor) LEFT JOIN CA_NAZIONI AS n ON (a.cod_naz=n.cod_naz)"
                                                 " WHERE ind_area_naz='0' ORDER BY c.cod_clifor, c.ind_clifor")}),
           events);

    ConsoleState state;
    const ListingRequest busiest{QLatin1Char('A'), QStringLiteral("000001C|")};
    Listing listing;
    const double list = ourSeconds(ui, events, [&] { listing = listArdeaVatLines(ctx, state, busiest); });
    report(qPrintable(QStringLiteral("Righe IVA del cliente 000001 (%1 righe)").arg(listing.lines.size())), list,
           shellSeconds(company, {ardeaListingSql(Dialect::of(Engine::Sqlite), kEmptyDate, kEmptyDate, busiest)}), events);

    const QString rsSql = QStringLiteral("SELECT * FROM CG_PRINOTAR_IVA LIMIT 100000");
    Rs2ListOptions options;
    options.title = QStringLiteral("Bench Rs2List");
    options.silent = true;
    Rs2ListResult rs;
    const double rsTime = ourSeconds(ui, events, [&] { rs = Rs2List(ctx, ctx.connections().db(Connections::Company), rsSql, options); });
    report(qPrintable(QStringLiteral("Rs2List silenzioso (%1 righe)").arg(rs.lines.size())), rsTime, shellSeconds(company, {rsSql}),
           events);
    return 0;
}
