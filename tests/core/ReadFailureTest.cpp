// A read that fails after some rows have come (a dropped connection, a
// damaged page): the maintenance commands never take the rows read for the
// whole and say so.
#include "DemoSession.h"
#include "maintenance/ArticleObsolescence.h"
#include "maintenance/SettlementRegister.h"
#include "maintenance/VatTotalsByYear.h"

#include <gtest/gtest.h>

using namespace corv;

namespace {

class ReadFailureTest : public corv::test::DemoSession {
protected:
    // The table becomes a view that walks the rows in the order of `ordered`
    // (so that rows come before the failure) and fails with an overflow at
    // the first row where `failing` holds.
    static void failMidway(const QSqlDatabase& db, const QString& table, const QString& ordered, const QString& failing)
    {
        const QString rows = table + "_rows"; // "failing_rows" in `failing`
        exec(db, "ALTER TABLE " + table + " RENAME TO " + rows);
        exec(db, "CREATE INDEX " + table + "_order ON " + rows + "(" + ordered + ")");
        exec(db, "CREATE VIEW " + table + " AS SELECT * FROM " + rows + " WHERE CASE WHEN " + QString(failing).replace("failing_rows", rows)
                     + " THEN abs(-9223372036854775808) ELSE 1 END");
    }
};

TEST_F(ReadFailureTest, NoListIsShownInPart)
{
    MaintenanceList list;
    SettlementRegister reg(*ctx, list);
    VatTotalsByYear totals(*ctx);
    ArticleObsolescence stock(*ctx, list);
    ArticleSearch search;
    search.cutOff = "01/01/2025";
    const struct {
        const char* table;
        const char* ordered;
        const char* failing;
        const char* said;
        std::function<bool()> read;
        std::function<bool()> empty;
    } reads[] = {
        {"CG_LIQUIDT_RIEP", "num_anno, ind_periodo", "num_anno < (SELECT MAX(num_anno) FROM failing_rows)", "Errore nella lettura delle liquidazioni",
         [&] { return reg.refresh(); }, [&] { return list.lines.isEmpty(); }},
        {"CG_SALDI_IVA", "num_anno", "num_anno < (SELECT MAX(num_anno) FROM failing_rows)", "Errore nella lettura dei saldi IVA",
         [&] { return totals.readYears(); }, [&] { return totals.years().isEmpty(); }},
        {"MG_ARTBASE", "cod_art", "cod_art > 'ART00025'", "Errore nella lettura degli articoli", [&] { return stock.search(search); },
         [&] { return list.lines.isEmpty(); }},
    };
    for (const auto& r : reads) {
        ASSERT_TRUE(r.read()) << r.table; // rows there before the failure
        ASSERT_FALSE(r.empty()) << r.table;
        failMidway(company(), r.table, r.ordered, r.failing);
        ui.expectMessage(QString(r.said) + " :\r\ninteger overflow");
        EXPECT_FALSE(r.read()) << r.table;
        EXPECT_TRUE(r.empty()) << r.table;
    }
}

} // namespace
