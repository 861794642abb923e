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
        exec(db, "ALTER TABLE " + table + " RENAME TO failing_rows");
        exec(db, "CREATE INDEX failing_order ON failing_rows(" + ordered + ")");
        exec(db, "CREATE VIEW " + table + " AS SELECT * FROM failing_rows WHERE CASE WHEN " + failing
                     + " THEN abs(-9223372036854775808) ELSE 1 END");
    }
};

TEST_F(ReadFailureTest, TheSettlementListIsNotShownInPart)
{
    MaintenanceList list;
    SettlementRegister reg(*ctx, list);
    ASSERT_TRUE(reg.refresh());
    ASSERT_GT(list.lines.size(), 2);
    failMidway(company(), "CG_LIQUIDT_RIEP", "num_anno, ind_periodo", "num_anno < (SELECT MAX(num_anno) FROM failing_rows)");
    ui.expectMessage("Errore nella lettura delle liquidazioni :\r\ninteger overflow");
    EXPECT_FALSE(reg.refresh());
    EXPECT_TRUE(list.lines.isEmpty());
}

TEST_F(ReadFailureTest, TheYearsOfTheVatTotalsAreNotShownInPart)
{
    VatTotalsByYear totals(*ctx);
    ASSERT_TRUE(totals.readYears());
    ASSERT_GT(totals.years().size(), 1);
    failMidway(company(), "CG_SALDI_IVA", "num_anno", "num_anno < (SELECT MAX(num_anno) FROM failing_rows)");
    ui.expectMessage("Errore nella lettura dei saldi IVA :\r\ninteger overflow");
    EXPECT_FALSE(totals.readYears());
    EXPECT_TRUE(totals.years().isEmpty());
}

TEST_F(ReadFailureTest, TheArticlesAreNotListedInPart)
{
    MaintenanceList list;
    ArticleObsolescence stock(*ctx, list);
    ArticleSearch search;
    search.cutOff = "01/01/2025";
    failMidway(company(), "MG_ARTBASE", "cod_art", "cod_art > 'ART00025'");
    ui.expectMessage("Errore nella lettura degli articoli :\r\ninteger overflow");
    EXPECT_FALSE(stock.search(search));
    EXPECT_TRUE(list.lines.isEmpty());
}

} // namespace
