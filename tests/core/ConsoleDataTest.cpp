#include "process/AppContext.h"
#include "console/ConsoleState.h"
#include "console/ReferenceTables.h"
#include "console/VatListings.h"
#include "ardea/ArdeaLogin.h"
#include "ardea/CompanyOpening.h"
#include "ardea/JournalView.h"
#include "legacy/LegacyVatTable.h"
#include "views/ViewService.h"
#include "settings/SettingsKeys.h"
#include "TestHome.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace corv;
using corv::test::ScriptedUi;
using corv::test::TestHome;
using Answer = Ui::Answer;

namespace {

// A demo installation with the login resolved, the DEMO company open and the
// Corvina, company and common connections open.
class ConsoleDataTest : public ::testing::Test {
protected:
    TestHome home;
    ScriptedUi ui;
    std::unique_ptr<AppContext> ctx = home.context(ui);
    ConsoleState state;

    void SetUp() override
    {
        ArdeaLogin login(*ctx);
        ASSERT_EQ(login.AR_InitLib(true), InitOutcome::Ready);
        ctx->doArdea = true;
        QString code = "DEMO";
        ASSERT_TRUE(CompanyOpening(*ctx).AziOpen(code));
        ASSERT_TRUE(login.ARRecOpen());
        ASSERT_TRUE(loadCorvinaCompanies(*ctx, state));
    }
    QSqlDatabase company() { return ctx->connections().db(Connections::Company); }
    void exec(const QSqlDatabase& db, const QString& sql)
    {
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(sql)) << sql.toStdString();
    }
    int scalar(const QSqlDatabase& db, const QString& sql)
    {
        QSqlQuery q(db);
        return q.exec(sql) && q.next() ? q.value(0).toInt() : -1;
    }
    void selectYear(int year)
    {
        for (int i = 0; i < state.corvinaRows.size(); ++i) {
            if (state.corvinaRows[i].section('|', 1, 1).trimmed().toInt() == year)
                state.corvinaRow = i;
        }
        ASSERT_EQ(state.corvinaYear(), year);
    }
};

TEST_F(ConsoleDataTest, CompanyOpeningFillsTheCompanyState)
{
    EXPECT_EQ(ctx->company().code, "DEMO");
    EXPECT_EQ(ctx->login().companyDatabase, "AR_DEMO");
    EXPECT_EQ(ctx->login().commonDatabase, "AR_COMUNE");
    EXPECT_FALSE(ctx->company().sameDatabase);
}

TEST_F(ConsoleDataTest, TwoCompanyRecordsForOneCodeFailTheOpening)
{
    exec(ctx->connections().db(Connections::ESys), "INSERT INTO TS_AZIENDE_INFO VALUES ('DEMO', 'Doppione')");
    ui.expectMessage("ERRORE Recuperando i Dati Azienda !! (DEMO)");
    QString code = "DEMO";
    EXPECT_FALSE(CompanyOpening(*ctx).AziOpen(code));
    EXPECT_TRUE(ctx->company().code.isEmpty());
    EXPECT_TRUE(ctx->login().companyDatabase.isEmpty());
}

TEST_F(ConsoleDataTest, SameDatabaseFlagWhenTheCommonTablesLiveInTheCompanyDatabase)
{
    exec(ctx->connections().db(Connections::ESys), "UPDATE TS_AZIENDE SET des_database_com = 'AR_PROVA' WHERE cod_azienda = 'PROVA'");
    QString code = "prova";
    ASSERT_TRUE(CompanyOpening(*ctx).AziOpen(code));
    EXPECT_TRUE(ctx->company().sameDatabase);
}

TEST_F(ConsoleDataTest, ChooserRowsCutTheNameAndShowEmptyReleases)
{
    exec(ctx->connections().db(Connections::ESys),
         "INSERT INTO TS_AZIENDE VALUES ('VUOTA', 'AR_VUOTA', 'AR_VUOTA', 1)");
    const QStringList rows = CompanyOpening(*ctx).chooserRows();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].toStdString(), "DEMO      |Ferramenta Rossi & Figli S.r.l|AR_DEMO             |AR_COMUNE           |"
                       "06.12.01.0004  |06.12.01.0002  |");
    EXPECT_EQ(rows[1].section('|', 1, 1), "Azienda di Prova dell'Installa"); // cut at 30
    EXPECT_EQ(rows[2].toStdString(), "VUOTA     |                              |AR_VUOTA            |AR_VUOTA            |"
                       "               |               |");
    EXPECT_TRUE(home.logLines().contains("Leggo dati Azienda : DEMO - Ferramenta Rossi & Figli S.r.l."));
}

TEST_F(ConsoleDataTest, ChooserActivationNeedsTwoYesAnswers)
{
    CompanyOpening opening(*ctx);
    ui.expectMessage("VERIFICARE CHE Ardea SIA CHIUSO", Answer::Yes).expectMessage("CONFERMI PASSAGGIO AD AZIENDA : PROVA", Answer::No);
    EXPECT_FALSE(opening.activate("PROVA"));
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(ctx->company().code, "DEMO");
    ui.expectMessage("VERIFICARE", Answer::Yes).expectMessage("CONFERMI PASSAGGIO", Answer::Yes);
    EXPECT_TRUE(opening.activate("PROVA"));
    EXPECT_EQ(ctx->company().code, "PROVA");
    EXPECT_EQ(ctx->corvSettings().read("AMBIENTE", "Codice Azienda"), "PROVA");
}

TEST_F(ConsoleDataTest, InitARProcFillsFoldersNamesAndPaymentTypes)
{
    // No company in TLX_CORV.INI: the last Ardea login's company is offered;
    // declining it takes the one of ARDEA_Z.INI and writes it down.
    ctx->corvSettings().write("AMBIENTE", "Codice Azienda", "");
    ui.expectMessage("ERRORE Recuperando i Dati Azienda !! ()\r\rAttivo azienda DEMO ?", Answer::No);
    CompanyOpening opening(*ctx);
    opening.InitARProc();
    EXPECT_EQ(ctx->corvSettings().read("AMBIENTE", "Codice Azienda"), "DEMO"); // fallback from ARDEA_Z.INI written
    EXPECT_EQ(ctx->company().stepLabel, "InitARProc-EXIT");
    EXPECT_EQ(ctx->company().name40, "Ferramenta Rossi & Figli S.r.l.         ");
    EXPECT_EQ(ctx->company().currency, "EURO");
    EXPECT_EQ(ctx->login().productName, "x/ARDEA");
    EXPECT_TRUE(ctx->company().companyWorkFolder.endsWith("ar_Q5K/DEMO/"));
    for (const auto& [code, name] : paymentTypes())
        EXPECT_EQ(QString::fromLatin1(name).size(), 9) << code;
}

TEST_F(ConsoleDataTest, ViewReleaseDecidesWhetherTheViewIsRecreated)
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
}

TEST_F(ConsoleDataTest, ReleaseTableIsCreatedOnFirstUse)
{
    const QSqlDatabase common = ctx->connections().db(Connections::Common);
    EXPECT_FALSE(views::objectExists(common, "X2K_ViewRel"));
    EXPECT_EQ(views::viewRelease(common, "NESSUNA"), "00.00.00.000");
    EXPECT_TRUE(views::objectExists(common, "X2K_ViewRel"));
}

TEST_F(ConsoleDataTest, JournalViewSignsCreditNotesAndLeavesOutUndeclaredCodes)
{
    const QSqlDatabase db = company();
    ASSERT_TRUE(ensureJournalView(db, false));
    // Credit notes (operation type 1, 3, 7) are negative.
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM XEBV_PNRIVA WHERE cod_caucon = 'NCV' AND (ind_nc <> -1 OR val_impondoc > 0)"), 0);
    EXPECT_GT(scalar(db, "SELECT COUNT(*) FROM XEBV_PNRIVA WHERE cod_caucon = 'NCV'"), 0);
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM XEBV_PNRIVA WHERE cod_caucon = 'FV' AND (ind_nc <> 1 OR val_impondoc < 0)"), 0);
    // Codes not flagged for the declaration and self-invoices (handling 03) are left out.
    EXPECT_GT(scalar(db, "SELECT COUNT(*) FROM CG_PRINOTAR_IVA WHERE cod_iva = 'FC'"), 0);
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM XEBV_PNRIVA WHERE cod_iva = 'FC'"), 0);
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM XEBV_PNRIVA WHERE cod_caucon = 'AUT'"), 0);
}

TEST_F(ConsoleDataTest, VatCodeTableOfTheExportDatabaseIsCreatedOnce)
{
    const QString file = home.file("NB_Corvina.MDB");
    QString error;
    ASSERT_TRUE(ensureVatCodeTable(file, home.path(), &error)) << error.toStdString();
    EXPECT_EQ(home.readFile("UpdTDB.LOG").count("Creo Tabella TABIVA"), 1);
    ASSERT_TRUE(ensureVatCodeTable(file, home.path()));
    EXPECT_EQ(home.readFile("UpdTDB.LOG").count("Creo Tabella TABIVA"), 1);
}

TEST_F(ConsoleDataTest, ArdeaReferenceRows)
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

TEST_F(ConsoleDataTest, CorvinaReferenceRows)
{
    selectYear(2025);
    exec(ctx->connections().db(Connections::Corvina),
         "INSERT INTO CustomerSupplier (CompanyCode, VATYear, CustSupplType, CustSupplCode, CompanyName, VATRegNo, FiscalCode, ISOCode,"
         " PhysicalPerson, C3SubjectType) VALUES ('DEMO', 2025, '2', '000777', 'Fornitore', '01234567897', '01234567897', 'IT', '0', '1'),"
         " ('DEMO', 2025, NULL, '000124', 'Senza tipo', '', '', 'IT', '0', '1')");
    const ReferenceLists lists = readCorvinaReferences(*ctx, state);
    EXPECT_TRUE(lists.subjects.contains("000777F|" + QString("Fornitore").leftJustified(40) + "|?|01234567897     |01234567897     |IT |0|1|DEMO  |"));
    EXPECT_TRUE(std::any_of(lists.subjects.begin(), lists.subjects.end(), [](const QString& r) { return r.startsWith("000124F|"); }));
    EXPECT_TRUE(lists.vatCodes.contains("22 |IVA 22%             | 22,000|   |1  |0  |0   |"));

    ConsoleState none;
    const ReferenceLists nothing = readCorvinaReferences(*ctx, none);
    EXPECT_TRUE(nothing.vatCodes.isEmpty());
    EXPECT_EQ(ui.statuses.last(), "NESSUN ANNO NEL COMBO AZIENDE !!");
}

TEST_F(ConsoleDataTest, ListingStatementsFilterOnlyOnWhatIsGiven)
{
    const Dialect& sqlServer = Dialect::of(Engine::SqlServer);
    EXPECT_EQ(ardeaListingSql(sqlServer, kEmptyDate, "31/01/2025", {'A', "000777C|x|"}),
              "SELECT * FROM XEBV_PNRIVA WHERE dat_registrazione<='20250131' AND cod_clifor='000777' AND ind_clifor='C'"
              " ORDER BY dat_doc, num_protocollo, sig_serie_prot, des_num_doc, sig_serie_doc");
    EXPECT_EQ(ardeaListingSql(sqlServer, kEmptyDate, kEmptyDate, {'I', "22 |IVA|"}),
              "SELECT * FROM XEBV_PNRIVA WHERE cod_iva='22'"
              " ORDER BY dat_doc, num_protocollo, sig_serie_prot, des_num_doc, sig_serie_doc");
    EXPECT_EQ(corvinaListingSql("DEMO", 2016, {'A', "000123F|"}),
              "SELECT * FROM XCVZ_RIGHEIVA WHERE VATYear=2016 AND CompanyCode='DEMO' AND CustSupplCode='000123' AND CustSupplType=2"
              " ORDER BY DocumentDate, DocumentNumber, ProtocolNumber");
    EXPECT_EQ(corvinaListingSql("DEMO", 2017, {'C', "FV |x|"}),
              "SELECT * FROM XCVZ_RIGHEIVA17 WHERE VATYear=2017 AND CompanyCode='DEMO' AND ReasonCode='FV'"
              " ORDER BY DocumentDate, DocumentNumber, ProtocolNumber");
    // A code holding a quote lists its lines instead of breaking the statement.
    EXPECT_EQ(corvinaListingSql("D'X", 2016, {'I', "A'B|"}),
              "SELECT * FROM XCVZ_RIGHEIVA WHERE VATYear=2016 AND CompanyCode='D''X' AND VATCode='A''B'"
              " ORDER BY DocumentDate, DocumentNumber, ProtocolNumber");
}

TEST_F(ConsoleDataTest, CorvinaListingHasTheNatureColumnFrom2017)
{
    ASSERT_TRUE(ensureCorvinaViews(*ctx));
    selectYear(2016);
    const Listing old = listCorvinaVatLines(*ctx, state, {'I', "22 |"});
    ASSERT_FALSE(old.lines.isEmpty());
    EXPECT_EQ(old.lines.first().count('|'), 13);
    EXPECT_EQ(old.heading, corvinaListingHeading());
    selectYear(2025);
    const Listing recent = listCorvinaVatLines(*ctx, state, {'I', "E15|"});
    ASSERT_FALSE(recent.lines.isEmpty());
    EXPECT_EQ(recent.lines.first().count('|'), 14);
    EXPECT_TRUE(recent.lines.first().endsWith("N1    |"));
    EXPECT_EQ(ui.statuses.last(), QString("Trovate %1 registrazioni.").arg(recent.lines.size()));
}

TEST_F(ConsoleDataTest, ArdeaListingOfTheBusiestCustomer)
{
    ASSERT_TRUE(ensureJournalView(company(), false));
    state.dateFrom = "01/01/2025";
    state.dateTo = "31/12/2025";
    const Listing listing = listArdeaVatLines(*ctx, state, {'A', "000001C|"});
    ASSERT_FALSE(listing.lines.isEmpty());
    EXPECT_EQ(listing.lines.size(), scalar(company(), "SELECT COUNT(*) FROM XEBV_PNRIVA WHERE cod_clifor = '000001' AND ind_clifor = 'C'"
                                                       " AND dat_registrazione >= '2025-01-01' AND dat_registrazione <= '2025-12-31 00:00:00'"));
    for (const QString& line : listing.lines)
        EXPECT_EQ(line.section('|', 7, 7), "000001");
    const Listing none = listArdeaVatLines(*ctx, state, {'I', "ZZ|"});
    EXPECT_TRUE(none.lines.isEmpty());
    EXPECT_TRUE(ui.statuses.contains("NESSUN dato trovato !!"));
}

TEST(ConsoleSettings, RestoreRules)
{
    TestHome home(false);
    IniFile ini(home.file("TLX_CORV.INI"));
    ConsoleState state;
    state.corvinaRows = {corvinaCompanyRow("DEMO", "2025", "Rossi", ""), corvinaCompanyRow("DEMO", "2016", "Rossi", "")};
    state.tab = 0;
    ini.write("Param", "LastTab", "5");
    ini.write("Param", "Source", "7");
    ini.write("Param", "Last_Cv", corvinaCompanyRow("DEMO", "2016", "Rossi", ""));
    restoreConsoleSettings(state, ini);
    EXPECT_EQ(state.tab, 0);    // out of range: left as the opening chose
    EXPECT_EQ(state.source, 0); // out of range: "Dati da Ardea"
    EXPECT_EQ(state.corvinaRow, 1);
    EXPECT_EQ(state.dateFrom, kEmptyDate);
    ini.write("Param", "LastTab", "-1");
    ini.write("Param", "Source", "1");
    ini.write("Param", "Last_Cv", corvinaCompanyRow("DEMO", "2016", "Rossi Nuovo Nome", ""));
    restoreConsoleSettings(state, ini);
    EXPECT_EQ(state.tab, 0);
    EXPECT_EQ(state.source, 1);
    EXPECT_EQ(state.corvinaRow, -1); // the company's name changed: nothing selected
    ini.write("Param", "LastTab", "1");
    restoreConsoleSettings(state, ini);
    EXPECT_EQ(state.tab, 1);
}

TEST(ConsoleSettings, DateRangeCheck)
{
    EXPECT_FALSE(dateRangeCoherent("01/02/2024", "31/01/2024"));
    EXPECT_TRUE(dateRangeCoherent("01/02/2024", "01/02/2024"));
    EXPECT_TRUE(dateRangeCoherent(kEmptyDate, "31/01/2024"));
    EXPECT_TRUE(dateRangeCoherent("01/02/2024", kEmptyDate));
    EXPECT_FALSE(dateRangeCoherent("31/02/2024", "01/03/2024"));
    EXPECT_FALSE(dateRangeCoherent("01/02/2024", "3_/__/____"));
}

} // namespace

#include "ardea/CompanyLookups.h"

namespace {

TEST_F(ConsoleDataTest, CompanyLookups)
{
    const QSqlDatabase db = company();
    EXPECT_EQ(CompanyOpening::fiscalYearOf(db, QDate(2025, 6, 30)), 2025);
    EXPECT_EQ(CompanyOpening::fiscalYearOf(db, QDate(2025, 12, 31)), 2025);
    EXPECT_EQ(CompanyOpening::fiscalYearOf(db, QDate(1999, 1, 1)), 0);
    EXPECT_EQ(CompanyOpening(*ctx).companyOfDatabase("AR_PROVA"), "PROVA");
    EXPECT_EQ(CompanyOpening(*ctx).companyOfDatabase("AR_NESSUNO"), "");
    EXPECT_EQ(CompanyOpening::ardeaRelease(ctx->connections().db(Connections::ESys), true), "06.12.01.0004|2026-09-15 00:00:00");

    exec(db, "INSERT INTO CA_ANAGRAFICHE (cod_anagra, des_ragsoc, val_capsoc, val_capsoc_v) VALUES ('DEMO', 'Ferramenta Rossi', 10000, 2500)");
    exec(db, "INSERT INTO CA_VALUTE VALUES ('EUR', 'Euro', 4, 2, 2)");
    exec(db, "INSERT INTO CO_PROGNUM VALUES ('DB_DIBA', 77)");
    const CompanyMasterData data = companyMasterData(db, "DEMO");
    EXPECT_EQ(data.name, "Ferramenta Rossi");
    EXPECT_EQ(data.shareCapital, "10.000,00 Versato: 2.500,00");
    EXPECT_EQ(data.priceDecimals, 4);
    EXPECT_EQ(data.billOfMaterialsCounter, 77);
    exec(db, "UPDATE CA_ANAGRAFICHE SET val_capsoc_v = 10000, des_ragsoc = NULL WHERE cod_anagra = 'DEMO'");
    EXPECT_EQ(companyMasterData(db, "DEMO").shareCapital, "10.000,00 i.v.");
    EXPECT_EQ(companyMasterData(db, "DEMO").name, QString(40, ' '));

    exec(db, "INSERT INTO MG_ARTICOLIALIAS VALUES ('EAN1', '02', 2, 'ART-B'), ('EAN1', '01', 1, 'ART-A'), ('EAN1', '05', 0, 'ART-C')");
    exec(db, "INSERT INTO MG_GRUMERC VALUES ('G1', 'Ferramenta')");
    exec(db, "INSERT INTO MG_SGRUMERC VALUES ('G1', 'S1', 'Viteria')");
    exec(db, "INSERT INTO MG_LINEA VALUES ('L1', 'Linea casa')");
    EXPECT_EQ(articleByAlias(db, "EAN1", "02"), "ART-A"); // its own type or the generic one, by alias order
    EXPECT_EQ(articleByAlias(db, "EAN2", "02"), "");
    EXPECT_EQ(goodsGroupName(db, "G1"), "Ferramenta");
    EXPECT_EQ(goodsSubgroupName(db, "G1", "S1"), "Viteria");
    EXPECT_EQ(goodsSubgroupName(db, "*", "S1"), "Viteria");
    EXPECT_EQ(goodsSubgroupName(db, "G2", "S1"), "");
    EXPECT_EQ(lineName(db, "L1"), "Linea casa");
}

TEST_F(ConsoleDataTest, ImportDatesChangeOnlyWithValidDates)
{
    for (int i = 0; i < state.corvinaRows.size(); ++i) {
        if (state.corvinaRows[i].section('|', 1, 1).trimmed() == "2025")
            state.corvinaRow = i;
    }
    EXPECT_EQ(importDateLabel(*ctx, state), "Liq.:14/02/2026\r\n - Dati:16/02/2026\r\n - Click-Dx per cambio date");
    ui.expectInput("Nuova data import Liquidazioni :", QString("  "))
        .expectInput("Nuova data import Righe :", QString(""));
    changeImportDates(*ctx, state); // both blank: a beep and nothing else
    EXPECT_EQ(ui.beeps, 1);
    ui.expectInput("Nuova data import Liquidazioni :", QString("01/03/2026"))
        .expectInput("Nuova data import Righe :", QString("31/02/2026"))
        .expectMessage("Confermi sostituzione :\r\n\r\nData Liquidazioni : 01/03/2026\r\nData Righe IVA    : 31/02/2026\r\n", Answer::Yes);
    changeImportDates(*ctx, state);
    EXPECT_EQ(importDateLabel(*ctx, state), "Liq.:01/03/2026\r\n - Dati:16/02/2026\r\n - Click-Dx per cambio date");
}

} // namespace

#include "console/ArticleLookup.h"
#include "listview/Rs2List.h"

namespace {

TEST_F(ConsoleDataTest, ArticleLookupFiltersAndDescribes)
{
    Rs2ListOptions options;
    options.title = "TABIVA";
    options.noHeader = true;
    const Rs2ListResult list = Rs2List(*ctx, company(), articleLookupSql("metrica"), options);
    ASSERT_TRUE(list.ok);
    ASSERT_EQ(list.lines.size(), 3); // the rule and two screws
    EXPECT_TRUE(list.lines[1].startsWith("VIT-M6-20|Vite metrica M6x20 zincata"));
    EXPECT_EQ(articleDescription(*ctx, "vit-m8-30"), "Vite metrica M8x30 inox");
    EXPECT_EQ(articleDescription(*ctx, "NESSUNO"), "");
    // A quote in the typed text is a character to look for, not the end of a literal.
    EXPECT_TRUE(Rs2List(*ctx, company(), articleLookupSql("d'acciaio"), options).ok);
}

} // namespace

#include "console/ConsoleOpening.h"

namespace {

TEST_F(ConsoleDataTest, NoCompanyInTheLastArdeaLoginShowsTheChooser)
{
    ctx->registry().write(RegistryRoot::CurrentUser, regkeys::kLastLogin, "Azienda", "");
    CompanyOpening opening(*ctx);
    int shown = 0;
    opening.showChooser = [&] { ++shown; };
    ui.expectMessage("Azienda Ardea NON Definita !!");
    EXPECT_EQ(opening.AziARDEA(false), "DEMO"); // then the company of the settings is opened
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(ui.beeps, 1);
    // The Login key is present in the demo registry: the company is written back.
    EXPECT_EQ(ctx->registry().read(RegistryRoot::CurrentUser, regkeys::kLogin, "Azienda"), "DEMO");
}

TEST_F(ConsoleDataTest, ReadOnlyResolutionOpensNothing)
{
    ctx->company() = CompanyState{};
    EXPECT_EQ(CompanyOpening(*ctx).AziARDEA(true), "DEMO");
    EXPECT_TRUE(ctx->company().code.isEmpty());
}

TEST_F(ConsoleDataTest, ArdeaAvailableButItsDatabasesMissingEndsTheProgram)
{
    ArdeaLogin(*ctx).dataClose();
    QFile::rename(home.file("db/AR_DEMO.sqlite"), home.file("db/AR_DEMO.bak"));
    ui.expectMessage("eAzi");
    ConsoleState fresh;
    EXPECT_FALSE(openConsole(*ctx, fresh, {}));
    EXPECT_FALSE(ctx->connections().isOpen(Connections::ESys)); // the system close ran
}

TEST_F(ConsoleDataTest, WithoutCorvinaTheCorvinaTabIsDisabled)
{
    ArdeaLogin(*ctx).dataClose();
    ctx->doArdea = false;
    QFile::rename(home.file("db/Corvina_3.sqlite"), home.file("db/Corvina_3.bak"));
    ui.expectMessage("Corv");
    ConsoleState fresh;
    EXPECT_TRUE(openConsole(*ctx, fresh, {}));
    EXPECT_FALSE(fresh.corvinaEnabled);
    EXPECT_TRUE(fresh.corvinaRows.isEmpty());
}

} // namespace

namespace {

TEST(ConsoleSettings, NemboCompaniesAreTheNumbersOfTheArchiveFiles)
{
    TestHome home(false);
    QDir(home.path()).mkdir("nembo");
    for (const char* name : {"TR001AZI", "TR017AZI", "TR001CLI", "XR002AZI", "TR03AZI"})
        home.writeFile(QString("nembo/") + name, "");
    QStringList companies = nemboCompaniesIn(home.file("nembo"));
    companies.sort();
    EXPECT_EQ(companies, (QStringList{"001", "017"}));
    EXPECT_TRUE(nemboCompaniesIn("").isEmpty());
    EXPECT_TRUE(nemboCompaniesIn(home.file("manca")).isEmpty());
}

} // namespace
