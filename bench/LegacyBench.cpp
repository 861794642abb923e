// One run of one legacy-archive or registry command over the large demo
// installation, in a process of its own:
//   legacy_bench totali|lettura|esteri LARGE_DEMO_FOLDER [sql]
// "totali" the legacy journal totals of company 001 (the lists read first,
// not measured), "lettura" the Nembo lists read from the export files,
// "esteri" the foreign fiscal code fill on the DEMO registry (put back as it
// was afterwards, not measured). With "sql" it prints the statements the
// fill walks, for the sqlite3 shell beside it (scripts/bench/legacy.sh).
#include "BenchSupport.h"
#include "ardea/ArdeaLogin.h"
#include "ardea/CompanyOpening.h"
#include "console/ConsoleState.h"
#include "legacy/LegacyReferences.h"
#include "legacy/LegacyTotals.h"
#include "console/BatchUi.h"
#include "context/AppContext.h"
#include "taxcode/ForeignCodes.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

using namespace corv;

namespace {

const QString kCompany = QStringLiteral("001");

QString walkSql(const char* table)
{
    return QStringLiteral("SELECT * FROM ") + QLatin1String(table)
           + QStringLiteral(" WHERE cod_cfisc_estero IS NULL AND not(cod_naz IN ('IT')) ORDER BY cod_naz, des_ragsoc");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "Uso: legacy_bench totali|lettura|esteri CARTELLA_DEMO_GRANDE [sql]\n");
        return 2;
    }
    const char* measure = argv[1];
    if (argc > 3) {
        std::printf("%s;\n%s;\n", qPrintable(walkSql("CA_ANAGRAFICHE")), qPrintable(walkSql("CA_ANAGRAFICHE_STO")));
        return 0;
    }
    const QString home = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    const QString folder = home + QStringLiteral("/nembo");
    QTemporaryDir output; // the reports go there, not into the demo
    QuietUi ui(true);
    AppPaths paths = AppPaths::forHome(home);
    paths.dataDir = output.path();
    AppContext ctx(paths, makeRegistryFile(AppPaths::forHome(home).registryFile()), ui);
    QElapsedTimer timer;
    long rows = 0;
    if (std::strcmp(measure, "lettura") == 0) {
        timer.start();
        const ReferenceLists lists = legacy::readLegacyReferences(ctx, folder, kCompany);
        rows = lists.vatCodes.size() + lists.reasons.size() + lists.subjects.size();
    } else if (std::strcmp(measure, "totali") == 0) {
        const ReferenceLists lists = legacy::readLegacyReferences(ctx, folder, kCompany);
        timer.start();
        const legacy::JournalTotals totals = legacy::totalJournal(ctx, folder, kCompany, lists);
        for (const QString& line : totals.report)
            rows += line.size() > 7 && line[7] == QLatin1Char('-') && line[0].isDigit();
    } else {
        if (!openDemoCompany(ctx))
            return 1;
        const QSqlDatabase db = ctx.connections().db(Connections::Company);
        // What the fill will change, to put back afterwards.
        QStringList current, historical;
        for (auto [table, keys] : {std::pair{"CA_ANAGRAFICHE", &current}, std::pair{"CA_ANAGRAFICHE_STO", &historical}}) {
            QSqlQuery q(db);
            q.exec(walkSql(table));
            while (q.next())
                *keys << q.value(QStringLiteral("cod_anagra")).toString();
        }
        rows = current.size() + historical.size();
        timer.start();
        if (fillForeignCodes(ctx).outcome != CommandResult::Outcome::Done)
            return 1;
        const double seconds = timer.nsecsElapsed() / 1e9;
        for (auto [table, keys] : {std::pair{"CA_ANAGRAFICHE", &current}, std::pair{"CA_ANAGRAFICHE_STO", &historical}}) {
            QSqlQuery reset(db);
            reset.prepare(QStringLiteral("UPDATE ") + QLatin1String(table) + QStringLiteral(" SET cod_cfisc_estero=NULL WHERE cod_anagra=?"));
            for (const QString& key : *keys) {
                reset.addBindValue(key);
                reset.exec();
            }
        }
        printMeasure(seconds, rows);
        return 0;
    }
    printMeasure(timer.nsecsElapsed() / 1e9, rows);
    return 0;
}
