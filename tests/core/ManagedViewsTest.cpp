#include "ardea/JournalView.h"
#include "views/ViewService.h"
#include "DemoSession.h"

#include <gtest/gtest.h>

using namespace corv;

namespace {

using ManagedViewsTest = corv::test::DemoSession;

TEST_F(ManagedViewsTest, ViewReleaseDecidesWhetherTheViewIsRecreatedAndWhatItShows)
{
    const QSqlDatabase db = company();
    QString error;
    ASSERT_TRUE(ensureJournalView(db, false, &error)) << error.toStdString();
    EXPECT_TRUE(views::viewExists(db, "XEBV_PNRIVA"));
    EXPECT_EQ(views::viewRelease(db, "XEBV_PNRIVA"), "00.00.00.002");

    // An equal release leaves the view alone: a marker column survives.
    exec(db, "DROP VIEW XEBV_PNRIVA");
    exec(db, "CREATE VIEW XEBV_PNRIVA AS SELECT 1 AS marker");
    ASSERT_TRUE(ensureJournalView(db, false));
    EXPECT_EQ(scalar(db, "SELECT marker FROM XEBV_PNRIVA"), 1);
    // Forcing recreates it.
    ASSERT_TRUE(ensureJournalView(db, true));
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM XEBV_PNRIVA") > 0, true);
    // An older recorded release recreates it too.
    exec(db, "DROP VIEW XEBV_PNRIVA");
    exec(db, "CREATE VIEW XEBV_PNRIVA AS SELECT 1 AS marker");
    ASSERT_TRUE(views::setViewRelease(db, "XEBV_PNRIVA", "00.00.00.001"));
    ASSERT_TRUE(ensureJournalView(db, false));
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM XEBV_PNRIVA WHERE prg_prinota > 0") > 0, true);
    // The journal view signs credit notes and leaves out undeclared codes.
    // Credit notes (operation type 1, 3, 7) are negative.
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM XEBV_PNRIVA WHERE cod_caucon = 'NCV' AND (ind_nc <> -1 OR val_impondoc > 0)"), 0);
    EXPECT_GT(scalar(db, "SELECT COUNT(*) FROM XEBV_PNRIVA WHERE cod_caucon = 'NCV'"), 0);
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM XEBV_PNRIVA WHERE cod_caucon = 'FV' AND (ind_nc <> 1 OR val_impondoc < 0)"), 0);
    // Codes not flagged for the declaration and self-invoices (handling 03) are left out.
    EXPECT_GT(scalar(db, "SELECT COUNT(*) FROM CG_PRINOTAR_IVA WHERE cod_iva = 'FC'"), 0);
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM XEBV_PNRIVA WHERE cod_iva = 'FC'"), 0);
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM XEBV_PNRIVA WHERE cod_caucon = 'AUT'"), 0);
    // The release table is created on first use.
    const QSqlDatabase common = ctx->connections().db(Connections::Common);
    EXPECT_FALSE(views::objectExists(common, "X2K_ViewRel"));
    EXPECT_EQ(views::viewRelease(common, "NESSUNA"), "00.00.00.000");
    EXPECT_TRUE(views::objectExists(common, "X2K_ViewRel"));
}

} // namespace
