// One maintenance command over a demo installation, in a process of its own
// (scripts/bench/maintenance.sh times it whole):
//   maintenance_bench registro|ricerca|stop|timbra|natura DEMO_FOLDER
// "registro" the settlement register, "ricerca" the obsolescence search at
// 1 January 2025, "timbra" every article stamped obsolete (on a work copy
// whose company database the script makes fresh before each run), "natura"
// the VAT lines of 2025 without a nature. Each prints "righe N" (see
// printRows; CORVUTIL_BENCH_TRACE traces the command's statements for the
// sqlite3 shell). "stop" presses Stop 40 ms into the search (it takes about
// 0.15 s) and prints "risposta S righe N": the seconds from the press to the
// question, measured inside the program (there is no reference to time).
#include "BenchSupport.h"
#include "ardea/ArdeaLogin.h"
#include "ardea/CompanyOpening.h"
#include "console/ConsoleOpening.h"
#include "console/ConsoleState.h"
#include "journal/VatListings.h"
#include "maintenance/ArticleObsolescence.h"
#include "maintenance/SettlementRegister.h"
#include "maintenance/VatLineListing.h"
#include "console/BatchUi.h"
#include "context/AppContext.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

using namespace corv;

namespace {

// Answers every question with Yes; for "stop", presses Stop once at a set
// moment and notes when the question comes.
class BenchUi : public QuietUi {
public:
    BenchUi() : QuietUi(true) { setConfirmChanges(true); } // the changes are what is measured
    QElapsedTimer clock;
    qint64 pressAt = -1; // ms from the start; the press is seen at the next event run
    qint64 pressedAt = -1;
    qint64 askedAt = -1;
    AppContext* ctx = nullptr;
    Answer message(const QString& text, const QString&, Icon, Buttons, Answer) override
    {
        if (text.startsWith(QLatin1String("Interruzione Ricerca")) && askedAt < 0)
            askedAt = clock.elapsed();
        return Answer::Yes;
    }
    void processEvents() override
    {
        if (pressAt >= 0 && pressedAt < 0 && clock.elapsed() >= pressAt) {
            pressedAt = pressAt; // the click happened then; it is handled now
            ctx->stop().request();
        }
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "Uso: maintenance_bench registro|ricerca|stop|timbra|natura CARTELLA_DEMO\n");
        return 2;
    }
    const QString measure = QString::fromLocal8Bit(argv[1]);
    const QString home = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QTemporaryDir output; // lists and logs go there, not into the demo
    BenchUi ui;
    AppPaths paths = AppPaths::forHome(home);
    paths.dataDir = output.path();
    AppContext ctx(paths, makeRegistryFile(AppPaths::forHome(home).registryFile()), ui);
    ui.ctx = &ctx;
    if (!openDemoCompany(ctx))
        return 1;
    const QSqlDatabase company = ctx.connections().db(Connections::Company);
    MaintenanceList list;
    ArticleSearch search;
    search.cutOff = QStringLiteral("01/01/2025");

    long rows = 0;
    if (measure == QLatin1String("stop")) {
        ArticleObsolescence stock(ctx, list);
        ui.pressAt = 40;
        ui.clock.start();
        stock.search(search);
        if (ui.askedAt < 0)
            return 1; // the search ended before the press: nothing measured
        std::printf("risposta %.3f righe %lld\n", (ui.askedAt - ui.pressedAt) / 1000.0, static_cast<long long>(list.lines.size()));
        return 0;
    }
    if (measure == QLatin1String("timbra")) {
        // Every article listed, as a search would list them; then stamped.
        list.clear(MaintenanceList::Kind::Articles);
        QSqlQuery codes(company);
        codes.exec(QStringLiteral("SELECT cod_art FROM MG_ARTBASE ORDER BY cod_art"));
        QList<int> all;
        while (codes.next()) {
            all << static_cast<int>(list.keys.size());
            list.keys << codes.value(0).toString();
            list.lines << codes.value(0).toString();
        }
        codes.finish();
        ArticleObsolescence stock(ctx, list);
        if (!traceIfAsked(company))
            return 1;
        rows = stock.apply(all, search.cutOff);
        return rows > 0 ? printRows(rows) : 1;
    }
    if (measure == QLatin1String("natura")) {
        ConsoleState state;
        if (!loadCorvinaCompanies(ctx, state))
            return 1;
        CorvinaCompany row;
        for (const CorvinaCompany& company : state.corvinaCompanies) {
            if (company.year == 2025)
                row = company;
        }
        VatLineListing natures(ctx, VatLineKind::Nature);
        if (!traceIfAsked(ctx.connections().db(Connections::Corvina)))
            return 1;
        if (!natures.list(row, natures.values()[0], true))
            return 1;
        return printRows(static_cast<long>(natures.lines().size()));
    }
    if (!traceIfAsked(company))
        return 1;
    if (measure == QLatin1String("registro")) {
        SettlementRegister reg(ctx, list);
        if (!reg.refresh())
            return 1;
        rows = list.lines.size();
    } else if (measure == QLatin1String("ricerca")) {
        ArticleObsolescence stock(ctx, list);
        if (!stock.search(search))
            return 1;
        rows = list.lines.size();
    } else {
        return 2;
    }
    return printRows(rows);
}
