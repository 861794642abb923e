// One run of one console command over the large demo installation, in a
// process of its own: console_bench tabelle|righe|rs2list LARGE_DEMO_FOLDER.
// With "sql" instead of running it prints the statements the command runs,
// for the sqlite3 shell beside it (scripts/bench/console.sh).
#include "BenchSupport.h"
#include "ardea/ArdeaLogin.h"
#include "ardea/CompanyOpening.h"
#include "ardea/JournalView.h"
#include "console/ConsoleState.h"
#include "journal/ReferenceTables.h"
#include "journal/VatListings.h"
#include "listview/Rs2List.h"
#include "console/BatchUi.h"
#include "context/AppContext.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

using namespace corv;

namespace {

const QString kRs2ListSql = QStringLiteral("SELECT * FROM CG_PRINOTAR_IVA LIMIT 100000");
const ListingRequest kBusiest{QLatin1Char('A'), QStringLiteral("000001C|")};

QStringList referenceSql()
{
    return {QStringLiteral("SELECT * FROM CA_IVA ORDER BY prc_iva, cod_iva"),
            QStringLiteral("SELECT * FROM CO_CAUCON WHERE cod_reg_iva>'' ORDER BY cod_caucon"),
            QStringLiteral("SELECT c.cod_clifor || c.ind_clifor AS cod_clifor, a.des_ragsoc, '??" "?' AS xx1, a.cod_piva, a.cod_cfisc,"
                           " a.flg_pers_fis, a.ind_tipo_diciva, a.cod_naz_res, a.des_nome, a.des_cogn, a.des_localita_res,"
                           " n.ind_area_naz, a.ind_sesso, a.cod_cfisc_estero, a.flg_piva_ver, a.flg_nores_nocfis, c.flg_allegato,"
                           " c.cod_iva, a.flg_nores_nocfis, c.cod_caurit FROM CO_CLIFOR AS c LEFT JOIN CA_ANAGRAFICHE AS a"
                           " ON (a.cod_anagra=c.cod_clifor) LEFT JOIN CA_NAZIONI AS n ON (a.cod_naz=n.cod_naz)"
                           " WHERE ind_area_naz='0' ORDER BY c.cod_clifor, c.ind_clifor")};
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "Uso: console_bench tabelle|righe|rs2list CARTELLA_DEMO_GRANDE [sql]\n");
        return 2;
    }
    const char* measure = argv[1];
    if (argc > 3 && std::strcmp(argv[3], "sql") == 0) {
        const QStringList statements = std::strcmp(measure, "tabelle") == 0 ? referenceSql()
                                       : std::strcmp(measure, "righe") == 0
                                           ? QStringList{ardeaListingSql(Dialect::of(Engine::Sqlite), QDate(), QDate(), kBusiest)}
                                           : QStringList{kRs2ListSql};
        for (const QString& sql : statements)
            std::printf("%s;\n", qPrintable(sql));
        return 0;
    }
    const QString home = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QTemporaryDir output; // the list files go there, not into the demo
    QuietUi ui;
    AppPaths paths = AppPaths::forHome(home);
    paths.dataDir = output.path();
    AppContext ctx(paths, makeRegistryFile(AppPaths::forHome(home).registryFile()), ui);
    if (!openDemoCompany(ctx))
        return 1;
    ensureJournalView(ctx.connections().db(Connections::Company), false);

    QElapsedTimer timer;
    long rows = 0;
    if (std::strcmp(measure, "tabelle") == 0) {
        timer.start();
        const ReferenceLists lists = readArdeaReferences(ctx);
        rows = lists.vatCodes.size() + lists.reasons.size() + lists.subjects.size();
    } else if (std::strcmp(measure, "righe") == 0) {
        timer.start();
        rows = listArdeaVatLines(ctx, QDate(), QDate(), kBusiest).lines.size();
    } else {
        Rs2ListOptions options;
        options.title = QStringLiteral("Bench Rs2List");
        options.silent = true;
        timer.start();
        const Rs2ListResult result = Rs2List(ctx, ctx.connections().db(Connections::Company), kRs2ListSql, options);
        if (!result.ok)
            return 1;
        rows = result.lineCount;
    }
    printMeasure(timer.nsecsElapsed() / 1e9, rows);
    return 0;
}
