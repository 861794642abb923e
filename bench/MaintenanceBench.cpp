// One run of one maintenance command over the large demo installation, in a
// process of its own: maintenance_bench registro|ricerca|stop|timbra|natura
// LARGE_DEMO_FOLDER. "registro" the settlement register, "ricerca" the
// obsolescence search at 1 January 2025, "stop" the time from a Stop pressed
// 40 ms into the search (it takes about 0.15 s) to its question, "timbra" every article stamped
// obsolete (the articles are put back as they were afterwards, unmeasured),
// "natura" the VAT lines of 2025 without a nature. With "sql" it prints the
// statements the sqlite3 shell runs beside it (scripts/bench/maintenance.sh).
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
    BenchUi() : QuietUi(true) {}
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

const QString kSettlementsSql = QStringLiteral(
    "CREATE TEMP TABLE totali AS SELECT CAST(strftime('%Y', dat_comp_iva) AS INTEGER) AS anno, CAST(strftime('%m', dat_comp_iva) AS INTEGER) AS mese,"
    " cod_reg_iva, SUM(val_impondoc) AS Imponibile FROM XEBV_PNIVA GROUP BY 1, 2, 3;\n"
    "SELECT * FROM CG_LIQUIDT_RIEP ORDER BY num_anno DESC, ind_periodo DESC;");
const QString kCandidatesSql = QStringLiteral(
    "SELECT b.cod_art FROM MG_ARTBASE AS b WHERE b.dat_obsoleto IS NULL"
    " AND NOT EXISTS (SELECT 1 FROM MG_MOVMAGR AS m WHERE m.cod_art=b.cod_art AND m.dat_movimento>='2025-01-01 00:00:00')"
    " AND NOT EXISTS (SELECT 1 FROM OR_ORDINIR AS o WHERE o.cod_art=b.cod_art AND o.dat_doc>='2025-01-01 00:00:00')"
    " AND NOT EXISTS (SELECT 1 FROM PZ_PREZZICONTR AS c WHERE c.cod_art_base=b.cod_art OR c.cod_art=b.cod_art) ORDER BY b.cod_art;");
const QString kStampSql = QStringLiteral(
    "BEGIN; UPDATE MG_ARTBASE SET dat_obsoleto='2025-01-01 00:00:00', cod_utente_mod='adme', dat_utente_mod='2026-12-06 12:00:00';"
    " UPDATE MG_ARTICOLI SET dat_obsoleto='2025-01-01 00:00:00', cod_utente_mod='adme', dat_utente_mod='2026-12-06 12:00:00'; ROLLBACK;"
    " SELECT cod_art FROM MG_ARTBASE;");
const QString kNatureSql = QStringLiteral("SELECT * FROM XCVZ_RIGHEIVA17 WHERE VATYear=2025 AND CompanyCode='DEMO' AND (VATNatureType='0' OR VATNatureType IS NULL)"
                                          " ORDER BY CustSupplType, CustSupplCode, DocumentDate, DocumentNumber, ProtocolNumber;");

bool run(const QSqlDatabase& db, const QStringList& statements)
{
    for (const QString& sql : statements) {
        QSqlQuery q(db);
        if (!q.exec(sql)) {
            std::fprintf(stderr, "%s\n", qPrintable(sql));
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "Uso: maintenance_bench registro|ricerca|stop|timbra|natura CARTELLA_DEMO_GRANDE [sql]\n");
        return 2;
    }
    const QString measure = QString::fromLocal8Bit(argv[1]);
    if (argc > 3 && std::strcmp(argv[3], "sql") == 0) {
        const QString sql = measure == QLatin1String("registro") ? kSettlementsSql
                            : measure == QLatin1String("natura") ? kNatureSql
                            : measure == QLatin1String("timbra") ? kStampSql
                                                                 : kCandidatesSql;
        std::printf("%s\n", qPrintable(sql));
        return 0;
    }
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

    QElapsedTimer timer;
    long rows = 0;
    if (measure == QLatin1String("registro")) {
        SettlementRegister reg(ctx, list);
        timer.start();
        if (!reg.refresh())
            return 1;
        rows = list.lines.size();
    } else if (measure == QLatin1String("ricerca")) {
        ArticleObsolescence stock(ctx, list);
        timer.start();
        if (!stock.search(search))
            return 1;
        rows = list.lines.size();
    } else if (measure == QLatin1String("stop")) {
        ArticleObsolescence stock(ctx, list);
        ui.pressAt = 40;
        ui.clock.start();
        stock.search(search);
        if (ui.askedAt < 0)
            return 1; // the search ended before the press: nothing measured
        printMeasure((ui.askedAt - ui.pressedAt) / 1000.0, list.lines.size());
        return 0;
    } else if (measure == QLatin1String("timbra")) {
        if (!run(company, {QStringLiteral("DROP TABLE IF EXISTS bench_base"), QStringLiteral("DROP TABLE IF EXISTS bench_variants"),
                           QStringLiteral("CREATE TABLE bench_base AS SELECT cod_art, dat_obsoleto, cod_utente_mod, dat_utente_mod FROM MG_ARTBASE"),
                           QStringLiteral("CREATE TABLE bench_variants AS SELECT cod_art, prg_art, dat_obsoleto, cod_utente_mod, dat_utente_mod FROM MG_ARTICOLI"),
                           QStringLiteral("CREATE INDEX bench_base_art ON bench_base (cod_art)"),
                           QStringLiteral("CREATE INDEX bench_variants_art ON bench_variants (cod_art, prg_art)")}))
            return 1;
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
        timer.start();
        rows = stock.apply(all, search.cutOff);
        const double seconds = timer.nsecsElapsed() / 1e9;
        // Back as they were.
        if (!run(company, {QStringLiteral("UPDATE MG_ARTBASE SET dat_obsoleto=(SELECT k.dat_obsoleto FROM bench_base AS k WHERE k.cod_art=MG_ARTBASE.cod_art),"
                                          " cod_utente_mod=(SELECT k.cod_utente_mod FROM bench_base AS k WHERE k.cod_art=MG_ARTBASE.cod_art),"
                                          " dat_utente_mod=(SELECT k.dat_utente_mod FROM bench_base AS k WHERE k.cod_art=MG_ARTBASE.cod_art)"),
                           QStringLiteral("UPDATE MG_ARTICOLI SET"
                                          " dat_obsoleto=(SELECT k.dat_obsoleto FROM bench_variants AS k WHERE k.cod_art=MG_ARTICOLI.cod_art AND k.prg_art=MG_ARTICOLI.prg_art),"
                                          " cod_utente_mod=(SELECT k.cod_utente_mod FROM bench_variants AS k WHERE k.cod_art=MG_ARTICOLI.cod_art AND k.prg_art=MG_ARTICOLI.prg_art),"
                                          " dat_utente_mod=(SELECT k.dat_utente_mod FROM bench_variants AS k WHERE k.cod_art=MG_ARTICOLI.cod_art AND k.prg_art=MG_ARTICOLI.prg_art)"),
                           QStringLiteral("DROP TABLE bench_base"), QStringLiteral("DROP TABLE bench_variants")}))
            return 1;
        printMeasure(seconds, rows);
        return 0;
    } else if (measure == QLatin1String("natura")) {
        ConsoleState state;
        if (!loadCorvinaCompanies(ctx, state))
            return 1;
        CorvinaCompany row;
        for (const CorvinaCompany& company : state.corvinaCompanies) {
            if (company.year == 2025)
                row = company;
        }
        VatLineListing natures(ctx, VatLineKind::Nature);
        timer.start();
        if (!natures.list(row, natures.values()[0], true))
            return 1;
        rows = natures.lines().size();
    } else {
        return 2;
    }
    printMeasure(timer.nsecsElapsed() / 1e9, rows);
    return 0;
}
