#include "ardea/CompanyOpening.h"
#include "DemoSession.h"

#include <gtest/gtest.h>

using namespace corv;
using Answer = Ui::Answer;

namespace {

using CompanyOpeningTest = corv::test::DemoSession;

TEST_F(CompanyOpeningTest, SameDatabaseFlagWhenTheCommonTablesLiveInTheCompanyDatabase)
{
    exec(ctx->connections().db(Connections::ESys), "UPDATE TS_AZIENDE SET des_database_com = 'AR_PROVA' WHERE cod_azienda = 'PROVA'");
    QString code = "prova";
    ASSERT_TRUE(CompanyOpening(*ctx).AziOpen(code));
    EXPECT_TRUE(ctx->company().sameDatabase);
}

TEST_F(CompanyOpeningTest, ChooserRowsCutTheNameAndShowEmptyReleases)
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

TEST_F(CompanyOpeningTest, ChooserActivationNeedsTwoYesAnswers)
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

TEST_F(CompanyOpeningTest, InitARProcFillsFoldersAndNames)
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
}

TEST_F(CompanyOpeningTest, NoCompanyInTheLastArdeaLoginShowsTheChooser)
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

TEST_F(CompanyOpeningTest, ReadOnlyResolutionOpensNothing)
{
    ctx->company() = CompanyState{};
    EXPECT_EQ(CompanyOpening(*ctx).AziARDEA(true), "DEMO");
    EXPECT_TRUE(ctx->company().code.isEmpty());
}

// Two company records for one code fail the opening.
TEST_F(CompanyOpeningTest, ACompanyThatFailsToOpenIsNeverKeptForTheNextStart)
{
    CompanyOpening opening(*ctx);
    ASSERT_TRUE(opening.InitARProc());
    const QString folder = ctx->company().companyWorkFolder;
    exec(ctx->connections().db(Connections::ESys), "INSERT INTO TS_AZIENDE_INFO VALUES ('PROVA', 'Doppione')");
    ui.expectMessage("VERIFICARE", Answer::Yes)
        .expectMessage("CONFERMI PASSAGGIO AD AZIENDA : PROVA", Answer::Yes)
        .expectMessage("ERRORE Recuperando i Dati Azienda !! (PROVA)");
    EXPECT_FALSE(opening.activate("PROVA"));
    EXPECT_EQ(ctx->corvSettings().read("AMBIENTE", "Codice Azienda"), "DEMO");
    // The company's own fields are cleared; the folders read at the start stay.
    EXPECT_TRUE(ctx->company().code.isEmpty());
    EXPECT_TRUE(ctx->login().companyDatabase.isEmpty());
    EXPECT_EQ(ctx->company().companyWorkFolder, folder);
    EXPECT_FALSE(folder.isEmpty());
}

TEST_F(CompanyOpeningTest, UnattendedWithoutACompanyTheStartEndsInsteadOfWaitingForTheChooser)
{
    ctx->registry().write(RegistryRoot::CurrentUser, regkeys::kLastLogin, "Azienda", "");
    ui.unattended = true;
    CompanyOpening opening(*ctx);
    opening.showChooser = [] { ADD_FAILURE() << "the chooser would wait for ever"; };
    ui.expectMessage("Azienda Ardea NON Definita !!").expectMessage("nessuno può sceglierla (modalità non interattiva)");
    EXPECT_FALSE(opening.InitARProc());
}

} // namespace

