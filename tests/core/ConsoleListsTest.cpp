#include "ardea/JournalView.h"
#include "journal/ArticleLookup.h"
#include "journal/ReferenceTables.h"
#include "journal/VatListings.h"
#include "listview/Rs2List.h"
#include "DemoSession.h"
#include "views/ViewService.h"

#include <gtest/gtest.h>

using namespace corv;
using ConsoleListsTest = corv::test::DemoSession;
using ManagedViewsTest = corv::test::DemoSession;

namespace {

TEST_F(ConsoleListsTest, ArdeaReferenceRows)
{
    exec(company(), "INSERT INTO CO_CLIFOR (ind_clifor, cod_clifor, flg_allegato, cod_iva) VALUES ('C', '000777', '1', '22')");
    exec(company(), "INSERT INTO CA_ANAGRAFICHE (cod_anagra, des_ragsoc, flg_pers_fis, cod_piva, cod_cfisc, ind_tipo_diciva, cod_naz,"
                    " cod_naz_res, des_localita_res) VALUES ('000777', 'Tipografia Moderna S.r.l.', '0', '01234567897', '01234567897', 'T',"
                    " 'IT', 'IT', 'ROMA')");
    const ReferenceLists lists = readArdeaReferences(*ctx);
    ASSERT_FALSE(lists.vatCodes.isEmpty());
    EXPECT_EQ(lists.vatCodes.first().section('|', 0, 0).trimmed(), "E10"); // ordered by rate, then code
    EXPECT_TRUE(lists.vatCodes.contains("22 |IVA 22%                  | 22,00|1  |I  |S  |"));
    // Reasons without a VAT register are not listed.
    EXPECT_TRUE(lists.reasons.contains("FV |Fattura vendita     |V| |0|"));
    EXPECT_FALSE(std::any_of(lists.reasons.begin(), lists.reasons.end(), [](const QString& r) { return r.startsWith("GIR"); }));
    const QString row = *std::find_if(lists.subjects.begin(), lists.subjects.end(), [](const QString& r) { return r.startsWith("000777C"); });
    EXPECT_EQ(row.toStdString(), "000777C|Tipografia Moderna S.r.l.          |???|01234567897     |01234567897     |0|T|IT |"
                   "                    |                    |ROMA                |0  | |                         | | |1|22 |   |   |");
    // Foreign customers are left out.
    EXPECT_EQ(lists.subjects.size(), scalar(company(), "SELECT COUNT(*) FROM CO_CLIFOR c JOIN CA_ANAGRAFICHE a ON a.cod_anagra = c.cod_clifor"
                                                       " JOIN CA_NAZIONI n ON n.cod_naz = a.cod_naz WHERE n.ind_area_naz = '0'"));
}

TEST_F(ConsoleListsTest, CorvinaReferenceRows)
{
    selectYear(2025);
    exec(ctx->connections().db(Connections::Corvina),
         "INSERT INTO CustomerSupplier (CompanyCode, VATYear, CustSupplType, CustSupplCode, CompanyName, VATRegNo, FiscalCode, ISOCode,"
         " PhysicalPerson, C3SubjectType) VALUES ('DEMO', 2025, '2', '000777', 'Fornitore', '01234567897', '01234567897', 'IT', '0', '1'),"
         " ('DEMO', 2025, NULL, '000124', 'Senza tipo', '', '', 'IT', '0', '1')");
    const ReferenceLists lists = readCorvinaReferences(*ctx, state.selectedCorvina());
    EXPECT_TRUE(lists.subjects.contains("000777F|" + QString("Fornitore").leftJustified(40) + "|?|01234567897     |01234567897     |IT |0|1|DEMO  |"));
    EXPECT_TRUE(std::any_of(lists.subjects.begin(), lists.subjects.end(), [](const QString& r) { return r.startsWith("000124F|"); }));
    EXPECT_TRUE(lists.vatCodes.contains("22 |IVA 22%             | 22,000|0  |1  |0  |0   |"));

    ConsoleState none;
    const ReferenceLists nothing = readCorvinaReferences(*ctx, none.selectedCorvina());
    EXPECT_TRUE(nothing.vatCodes.isEmpty());
    EXPECT_EQ(ui.statuses.last(), "NESSUN ANNO NEL COMBO AZIENDE !!");
}

TEST_F(ConsoleListsTest, CorvinaListingHasTheNatureColumnFrom2017)
{
    ASSERT_TRUE(ensureCorvinaViews(*ctx));
    selectYear(2016);
    const Listing old = listCorvinaVatLines(*ctx, state.selectedCorvina(), {'I', "22 |"});
    ASSERT_FALSE(old.lines.isEmpty());
    EXPECT_EQ(old.lines.first().count('|'), 13);
    // A customer code shorter than its column: the row of the list pads it.
    exec(corvina(), "INSERT INTO VATAttachmentRow (CompanyCode, VATYear, CompanyGroupCode, VATCode, CustSupplType, CustSupplCode,"
                    " VATTaxable, VATAmount, DocumentDate, DocumentNumber, ProtocolNumber)"
                    " VALUES ('DEMO', 2016, '', '22', '1', 'AB1', 100, 22, '2016-03-01 00:00:00', 'F1', 7)");
    const Listing shortCode = listCorvinaVatLines(*ctx, state.selectedCorvina(), {'A', "AB1   C|Cliente corto|"});
    ASSERT_EQ(shortCode.lines.size(), 1);
    EXPECT_TRUE(shortCode.lines.first().startsWith("01/03/2016|F1        |7         |"));
    selectYear(2025);
    const Listing recent = listCorvinaVatLines(*ctx, state.selectedCorvina(), {'I', "E15|"});
    ASSERT_FALSE(recent.lines.isEmpty());
    EXPECT_EQ(recent.lines.first().count('|'), 14);
    EXPECT_TRUE(recent.lines.first().endsWith("1     |")); // Corvina numbers the natures: N1 is 1
    EXPECT_EQ(ui.statuses.last(), QString("Trovate %1 registrazioni.").arg(recent.lines.size()));
}

TEST_F(ConsoleListsTest, ArdeaListingOfTheBusiestCustomer)
{
    ASSERT_TRUE(ensureJournalView(company(), false));
    state.dateFrom = "01/01/2025";
    state.dateTo = "31/12/2025";
    const Listing listing = listArdeaVatLines(*ctx, state.fromDate(), state.toDate(), {'A', "000001C|"});
    ASSERT_FALSE(listing.lines.isEmpty());
    EXPECT_EQ(listing.lines.size(), scalar(company(), "SELECT COUNT(*) FROM XEBV_PNRIVA WHERE cod_clifor = '000001' AND ind_clifor = 'C'"
                                                       " AND dat_registrazione >= '2025-01-01' AND dat_registrazione <= '2025-12-31 00:00:00'"));
    for (const QString& line : listing.lines)
        EXPECT_EQ(line.section('|', 7, 7), "000001");
    const Listing none = listArdeaVatLines(*ctx, state.fromDate(), state.toDate(), {'I', "ZZ|"});
    EXPECT_TRUE(none.lines.isEmpty());
    EXPECT_TRUE(ui.statuses.contains("NESSUN dato trovato !!"));
}

TEST_F(ConsoleListsTest, ArticleLookupFiltersAndDescribes)
{
    Rs2ListOptions options;
    options.title = "TABIVA";
    options.noHeader = true;
    const Rs2ListResult list = Rs2List(*ctx, company(), articleLookupSql(dialectOf(company()), "metrica"), options);
    ASSERT_TRUE(list.ok);
    ASSERT_EQ(list.lines.size(), 3); // the rule and two screws
    EXPECT_TRUE(list.lines[1].startsWith("VIT-M6-20|Vite metrica M6x20 zincata"));
    EXPECT_EQ(articleDescription(*ctx, "vit-m8-30"), "Vite metrica M8x30 inox");
    EXPECT_EQ(articleDescription(*ctx, "NESSUNO"), "");
    // A quote in the typed text is a character to look for, not the end of a literal.
    EXPECT_TRUE(Rs2List(*ctx, company(), articleLookupSql(dialectOf(company()), "d'acciaio"), options).ok);
}

TEST_F(ConsoleListsTest, TheArticleLookupMatchesWildcardCharactersAsTheyAreTyped)
{
    exec(company(), "INSERT INTO MG_ARTBASE (cod_art, des_articolo) VALUES ('SC-50%', 'Sconto 50% rivenditori'), ('SC-50X', 'Sconto 50 extra'),"
                    " ('A_B', 'Giunto A_B'), ('AXB', 'Giunto AXB'), ('[X]', 'Parentesi [X]'), ('X1', 'Solo X')");
    // The SQL Server text runs on the demo too: only its Unicode prefix is SQL Server's own.
    const auto codes = [&](const Dialect& dialect, const QString& typed) {
        return column(company(), articleLookupSql(dialect, typed).replace("N'", "'"));
    };
    for (const Engine engine : {Engine::Sqlite, Engine::SqlServer}) {
        const Dialect& dialect = Dialect::of(engine);
        EXPECT_EQ(codes(dialect, "50%"), QStringList{"SC-50%"});
        EXPECT_EQ(codes(dialect, "A_B"), QStringList{"A_B"});
        EXPECT_EQ(codes(dialect, "[X"), QStringList{"[X]"});
    }
}

TEST_F(ConsoleListsTest, AViewThatCannotBeMadeLeavesTheOtherOneMade)
{
    // A table stands where the older view must go (the opening made both: unmade here).
    for (const char* view : {"XCVZ_RIGHEIVA", "XCVZ_RIGHEIVA17"}) {
        exec(corvina(), QString("DROP VIEW ") + view);
        exec(corvina(), QString("DELETE FROM X2K_ViewRel WHERE des_nomeview='%1'").arg(view));
    }
    exec(corvina(), "CREATE TABLE XCVZ_RIGHEIVA (x INTEGER)");
    QString error;
    EXPECT_FALSE(ensureCorvinaViews(*ctx, &error));
    EXPECT_TRUE(error.startsWith("XCVZ_RIGHEIVA : ")) << error.toStdString();
    EXPECT_EQ(scalar(corvina(), "SELECT COUNT(*) FROM sqlite_master WHERE type = 'view' AND name = 'XCVZ_RIGHEIVA17'"), 1);
}

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
