#include "taxcode/ForeignCodes.h"
#include "taxcode/PublicBodies.h"
#include "platform/ExportFiles.h"
#include "report/ReportFile.h"
#include "DemoSession.h"

#include <QSqlRecord>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace corv;
using Answer = Ui::Answer;
using Outcome = CommandResult::Outcome;

namespace {

// The DEMO registry with the cases of public bodies planted here (and no other
// VAT number beginning with 8 or 9 in the Italian area).
class PublicBodiesTest : public corv::test::DemoSession {
protected:
    void SetUp() override
    {
        DemoSession::SetUp();
        exec(company(), "DELETE FROM CA_ANAGRAFICHE WHERE (cod_piva LIKE '8%' OR cod_piva LIKE '9%') AND cod_naz='IT'");
        exec(company(), "DELETE FROM CA_ANAGRAFICHE_STO WHERE cod_piva LIKE '8%' OR cod_piva LIKE '9%'");
        subject("800001", "C", "Comune di Alfa", "NULL", "'80012345678'", "IT");
        subject("800002", "C", "Parrocchia Beta", "'91234567890'", "'91234567890'", "IT");
        subject("800003", "F", "Ente Gamma", "'01234567897'", "'80099999999'", "IT");
        subject("800004", "C", "Associazione Delta", "NULL", "'9123A567890'", "IT");
        subject("800005", "F", "Ente Estero", "NULL", "'91111111111'", "FR");
        subject("800006", "C", "Ditta Epsilon", "NULL", "'01234567897'", "IT");
        exec(company(), "INSERT INTO CA_ANAGRAFICHE_STO (cod_anagra, des_ragsoc, flg_pers_fis, cod_cfisc, cod_piva, ind_tipo_diciva, cod_naz)"
                        " VALUES ('800006', 'Ditta Epsilon', '1', NULL, '80011111111', 'T', 'IT')");
        subject("800007", "C", "Consorzio Zeta", "NULL", "'80022222222'", "IT");
        exec(company(), "INSERT INTO CO_CLIFOR (ind_clifor, cod_clifor, flg_allegato, ind_tipo_diciva) VALUES ('F', '800007', '1', 'T')");
    }
    void subject(const char* code, const char* type, const char* name, const char* cf, const char* pi, const char* nation)
    {
        exec(company(), QString("INSERT INTO CA_ANAGRAFICHE (cod_anagra, des_ragsoc, flg_pers_fis, cod_cfisc, cod_piva, ind_tipo_diciva, cod_naz)"
                                " VALUES ('%1', '%2', '1', %3, %4, 'T', '%5')")
                            .arg(code, name, cf, pi, nation));
        exec(company(), QString("INSERT INTO CO_CLIFOR (ind_clifor, cod_clifor, flg_allegato, ind_tipo_diciva) VALUES ('%1', '%2', '1', 'T')").arg(type, code));
    }
    QString row(const char* table, const char* code, const char* columns)
    {
        QSqlQuery q(company());
        q.exec(QString("SELECT %1 FROM %2 WHERE cod_anagra='%3'").arg(columns, table, code));
        if (!q.next())
            return "-";
        QStringList values;
        for (int i = 0; i < q.record().count(); ++i)
            values << (q.value(i).isNull() ? QString("NULL") : q.value(i).toString());
        return values.join('|');
    }
    QString roles(const char* code)
    {
        return column(company(), QString("SELECT ind_clifor || ind_tipo_diciva FROM CO_CLIFOR WHERE cod_clifor='%1' ORDER BY ind_clifor").arg(code)).join(' ');
    }
    QStringList report(const QString& name) const { return home.lines(QFileInfo(ctx->paths().dataFile(name)).fileName()); }
};

TEST_F(PublicBodiesTest, ArdeaListingThenTheMoveOfWhatBeginsWith8Or9)
{
    ui.expectMessage("Presenti codici con PI errata in quanto in realtà")
        .expectMessage("Confermi spostamento Automatico PI su CF, se inizia per 8/9 ?", Answer::Yes)
        .expectList("PI_Enti", [](const QStringList&) { return std::nullopt; });
    const CommandResult result = run("Cmd_ARPIEnti");
    ASSERT_EQ(result.outcome, Outcome::Done);
    const QStringList lines = state.results.lines.toStringList();
    // Ordered by VAT number; the foreign subject is never listed; a customer and supplier twice.
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "800001C|" + QString("Comune di Alfa").leftJustified(60) + "|80012345678     |                |<> |IT |0    |1  |T  |T  |1    |");
    EXPECT_EQ(lines[1].left(7), "800007C");
    EXPECT_EQ(lines[2].left(7), "800007F");
    EXPECT_EQ(lines[3], "800003F|" + QString("Ente Gamma").leftJustified(60) + "|80099999999     |01234567897     |<> |IT |0    |1  |T  |T  |1    |");
    EXPECT_TRUE(lines[4].startsWith("800002C|") && lines[4].contains("|91234567890     |91234567890     | = |"));
    EXPECT_TRUE(lines[5].startsWith("800004C|"));

    // Moved: fiscal code from the VAT number, natural person "0", declarant "C" on every role.
    EXPECT_EQ(row("CA_ANAGRAFICHE", "800001", "cod_cfisc, cod_piva, flg_pers_fis, ind_tipo_diciva"), "80012345678|NULL|0|C");
    EXPECT_EQ(roles("800001"), "CC");
    // Equal codes: only the VAT number goes.
    EXPECT_EQ(row("CA_ANAGRAFICHE", "800002", "cod_cfisc, cod_piva, flg_pers_fis, ind_tipo_diciva"), "91234567890|NULL|1|C");
    // A different fiscal code blocks the move; a VAT number with a letter is not moved.
    EXPECT_EQ(row("CA_ANAGRAFICHE", "800003", "cod_cfisc, cod_piva, ind_tipo_diciva"), "01234567897|80099999999|T");
    EXPECT_EQ(row("CA_ANAGRAFICHE", "800004", "cod_cfisc, cod_piva, ind_tipo_diciva"), "NULL|9123A567890|T");
    // A genuine current VAT number stays; only the historical one that begins with 8 moves.
    EXPECT_EQ(row("CA_ANAGRAFICHE", "800006", "cod_cfisc, cod_piva, flg_pers_fis, ind_tipo_diciva"), "NULL|01234567897|1|T");
    EXPECT_EQ(row("CA_ANAGRAFICHE_STO", "800006", "cod_cfisc, cod_piva, flg_pers_fis, ind_tipo_diciva"), "80011111111|NULL|0|C");
    EXPECT_EQ(roles("800006"), "CT");
    // Both roles of a customer and supplier.
    EXPECT_EQ(roles("800007"), "CC FC");
    EXPECT_EQ(row("CA_ANAGRAFICHE", "800005", "cod_piva"), "91111111111");

    EXPECT_EQ(report("PI_EntiAR_DEMO.log"), (QStringList{"***** Inizio Controllo PI Enti per Azienda : DEMO",
                                                         "800003: CF    01234567897 NON Vuoto !! PI: 80099999999 - ",
                                                         "800004:  - PI     NON Numerica !! 9123A567890"}));
    EXPECT_EQ(result.findings, 2);
    ASSERT_EQ(ui.opened.size(), 1);
    EXPECT_TRUE(ui.opened.first().endsWith("PI_EntiAR_DEMO.log"));
    EXPECT_EQ(ui.statuses.last(), "Termine Controllo PI Enti (8/9).");
    EXPECT_TRUE(ui.statuses.contains("Terminato CF / PI Enti !! - 2 Segnalazioni !!"));
}

TEST_F(PublicBodiesTest, AStopDuringTheMoveKeepsWhatWasMovedAndLeavesTheRest)
{
    ui.expectMessage("Presenti codici con PI errata in quanto in realtà")
        .expectMessage("Confermi spostamento Automatico PI su CF, se inizia per 8/9 ?", Answer::Yes)
        .expectList("PI_Enti", [this](const QStringList&) {
            // The user stops as soon as the move has begun.
            ui.onProcessEvents = [this] { ctx->stop().request(); };
            return std::nullopt;
        });
    const CommandResult result = run("Cmd_ARPIEnti");
    EXPECT_EQ(result.outcome, Outcome::Stopped);
    EXPECT_EQ(row("CA_ANAGRAFICHE", "800001", "cod_cfisc, cod_piva"), "80012345678|NULL"); // moved before the stop
    EXPECT_EQ(row("CA_ANAGRAFICHE", "800002", "cod_cfisc, cod_piva"), "91234567890|91234567890"); // untouched
    EXPECT_EQ(roles("800007"), "CT FT");
    EXPECT_EQ(report("PI_EntiAR_DEMO.log").last(), "*** Interrotto dall'utente");
}

TEST_F(PublicBodiesTest, ArdeaAnswerNoChangesNothingAndNothingToFindIsSaid)
{
    ui.expectMessage("ATTENZIONE !!").expectMessage("Confermi spostamento", Answer::No).expectMessage("Dalla gestione ANAGRAFICHE COMUNI");
    EXPECT_EQ(run("Cmd_ARPIEnti").outcome, Outcome::Declined);
    EXPECT_EQ(row("CA_ANAGRAFICHE", "800001", "cod_cfisc, cod_piva"), "NULL|80012345678");
    EXPECT_EQ(ui.said.back().icon, Ui::Icon::Information);
    // The right-click opens the report of the check.
    runRightClick("Cmd_ARPIEnti");
    ASSERT_EQ(ui.opened.size(), 1);
    EXPECT_TRUE(ui.opened.first().endsWith("PI_EntiAR_DEMO.log"));
    // Nothing to find: said.
    exec(company(), "DELETE FROM CA_ANAGRAFICHE WHERE cod_anagra LIKE '8000%'");
    ui.expectMessage("Nessuna PI Apparente Italiana Presente !");
    EXPECT_EQ(run("Cmd_ARPIEnti").outcome, Outcome::Done);
    EXPECT_EQ(ui.said.back().title, kConsoleTitle);
    EXPECT_EQ(ui.statuses.last(), "Termine Controllo PI Enti (8/9)");
}

TEST_F(PublicBodiesTest, CorvinaAndNemboListingsOnly)
{
    exec(corvina(), "INSERT INTO CustomerSupplier (CompanyCode, VATYear, CustSupplType, CustSupplCode, CompanyName, VATRegNo, FiscalCode,"
                    " PhysicalPerson, C3SubjectType) VALUES ('DEMO', 2025, '1', '800001', 'Comune di Alfa', '80012345678', '', '0', '1'),"
                    " ('DEMO', 2025, '2', '800009', 'L''Ente', '90000000001', '90000000001', '0', '2'),"
                    " ('DEMO', 2016, '1', '800001', 'Comune di Alfa', '80012345678', '', '0', '1')");
    selectYear(2025);
    const CommandResult result = run("Cmd_CvPIEnti");
    const QStringList lines = state.results.lines.toStringList();
    QStringList ours = lines.filter(QRegularExpression("^80000[19]"));
    EXPECT_EQ(ours, (QStringList{"800001C|" + QString("Comune di Alfa").leftJustified(40) + "|?|80012345678     |                |0|1|",
                                 "800009F|" + QString("L'Ente").leftJustified(40) + "|?|90000000001     |90000000001     |0|2|"}));
    EXPECT_EQ(result.findings, lines.size());
    state.corvinaRow = -1;
    EXPECT_EQ(run("Cmd_CvPIEnti").outcome, Outcome::Declined);
    EXPECT_EQ(ui.statuses.last(), "NESSUN ANNO NEL COMBO AZIENDE !!");
    // The Nembo listing takes the reader's fields.
    QDir(home.path()).mkdir("nembo");
    QList<QByteArray> cli(157), other(157), forn(157);
    cli[0] = "12"; cli[2] = "Comune di Alfa"; cli[5] = "80012345678"; cli[6] = "80012345678"; cli[30] = "N"; cli[150] = "S"; cli[156] = "N"; cli[11] = "IT";
    other[0] = "13"; other[2] = "Privato"; other[5] = "01234567897"; other[6] = "BNCMRA80A01H501U";
    forn[0] = "7"; forn[2] = "Ente Fornitore"; forn[5] = "91111111111";
    home.writeFile("nembo/TR001AZI", "");
    home.writeFile("nembo/TR001CLI", cli.join('|') + "\r\n" + other.join('|') + "\r\n");
    home.writeFile("nembo/TR001FOR", forn.join('|') + "\r\n");
    state.nemboFolder = home.file("nembo");
    state.nemboCompanies = legacy::exportCompanies(state.nemboFolder);
    state.nemboRow = 0;
    ui.expectMessage("( ATTENZIONE : Controllate colonna NAZIONE per Esteri !! )");
    ASSERT_EQ(run("Cmd_PIEnti").outcome, Outcome::Done);
    EXPECT_EQ(state.results.lines.toStringList(),
              (QStringList{"000012|C|" + QString("Comune di Alfa").leftJustified(60) + "|80012345678     |80012345678     |N |S |N |IT |",
                           "000007|F|" + QString("Ente Fornitore").leftJustified(60) + "|91111111111     |                |  |  |  |   |"}));
    EXPECT_EQ(ui.said.back().title, "PI Enti/Associazioni");
}

TEST_F(PublicBodiesTest, ForeignCodesFilledFromTheFiscalCodeOrTheVatNumberOnlyWithTheItalianNations)
{
    EXPECT_EQ(foreignCodeCandidate("#123*45", ""), "12345");
    EXPECT_EQ(foreignCodeCandidate(" ", "FR@123"), "FR123");
    EXPECT_EQ(foreignCodeCandidate("X", ""), "");
    exec(company(), "UPDATE CA_ANAGRAFICHE SET cod_cfisc_estero='GIA' WHERE cod_naz<>'IT'");
    exec(company(), "UPDATE CA_ANAGRAFICHE_STO SET cod_cfisc_estero='GIA' WHERE cod_naz<>'IT'");
    subject("810001", "C", "Dupont SARL", "'#123*45'", "NULL", "FR");
    subject("810002", "F", "Smith Ltd", "'X'", "NULL", "US");
    subject("810003", "F", "Mueller GmbH", "NULL", "'DE 123+456'", "DE");
    exec(company(), "INSERT INTO CA_ANAGRAFICHE_STO (cod_anagra, des_ragsoc, cod_cfisc, cod_piva, cod_naz) VALUES ('810001', 'Dupont SARL', '#9:9', NULL, 'FR')");
    ui.expectMessage("Confermi compilazione CF Estero su Ardea ?", Answer::Yes)
        .expectMessage("Elenco codici Nazioni SOLO Italiane :\r\n\r\n'IT'\r\n\r\nSe è ERRATO, Abbandonare rispondendo NO !", Answer::Yes);
    const CommandResult result = run("Cmd_AREster");
    ASSERT_EQ(result.outcome, Outcome::Done);
    EXPECT_EQ(row("CA_ANAGRAFICHE", "810001", "cod_cfisc_estero"), "12345");
    EXPECT_EQ(row("CA_ANAGRAFICHE", "810002", "cod_cfisc_estero"), "NULL");
    EXPECT_EQ(row("CA_ANAGRAFICHE", "810003", "cod_cfisc_estero"), "DE 123456");
    EXPECT_EQ(row("CA_ANAGRAFICHE_STO", "810001", "cod_cfisc_estero"), "99");
    const QStringList lines = report("CFEster.LOG");
    ASSERT_GE(lines.size(), 8);
    EXPECT_EQ(lines[0], "                                                            C.F.             P.Iva           Naz    C.F.est.");
    EXPECT_EQ(lines[1], QString(125, '='));
    EXPECT_EQ(lines[2], "  ANAGRAFICHE Normali");
    // By nation, then name; the columns under the heading.
    EXPECT_EQ(lines[3], "Corretto Estero  (ANAGRA): 810003 |Mueller GmbH            |                |DE 123+456     |DE    || > CFEst: DE 123456");
    EXPECT_EQ(lines[4], "Corretto Estero  (ANAGRA): 810001 |Dupont SARL             |#123*45         |               |FR    || > CFEst: 12345");
    EXPECT_EQ(lines[5], "*** PROBLEMA con (ANAGRA): 810002 |Smith Ltd               |X               |               |US    |");
    EXPECT_EQ(lines[6], QString(125, '='));
    EXPECT_EQ(lines[7], "  ANAGRAFICHE Storiche");
    EXPECT_TRUE(lines.contains("Corretto Estero  (ANASTO): 810001 |Dupont SARL             |#9:9            |               |FR    || > CFEst: 99"));
    EXPECT_EQ(lines[0].indexOf("C.F."), lines[3].indexOf("|                |DE") + 1);
    EXPECT_EQ(result.reportPath, ctx->paths().dataFile("CFEster.LOG"));
    EXPECT_EQ(ui.statuses.last(), "Completata correzione CF Esteri Ardea.");
    // Declined, or without the Italian nations: nothing done, the report as it was.
    ui.expectMessage("Confermi compilazione CF Estero su Ardea ?", Answer::No);
    EXPECT_EQ(run("Cmd_AREster").outcome, Outcome::Declined);
    exec(company(), "UPDATE CA_NAZIONI SET ind_area_naz='1'");
    ui.expectMessage("Confermi compilazione CF Estero su Ardea ?", Answer::Yes).expectMessage("Nessuna Nazione dell'area Italiana");
    EXPECT_EQ(run("Cmd_AREster").outcome, Outcome::Declined);
    EXPECT_EQ(report("CFEster.LOG"), lines);
}

} // namespace
