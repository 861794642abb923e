#include "journal/ReferenceTables.h"
#include "journal/SubjectTotals.h"
#include "report/ReportFile.h"
#include "DemoSession.h"

#include <gtest/gtest.h>

using namespace corv;

namespace {

// The DEMO company with a journal of its own: two receipts (one without
// customer type, one with an empty one), a customer with two invoices, a
// customer with a credit note, a supplier with exempt and non-taxable rows,
// and rows outside 2025; one row of 2024 without its VAT nature.
class ArdeaJournalTotalsTest : public corv::test::DemoSession {
protected:
    void SetUp() override
    {
        DemoSession::SetUp();
        exec(company(), "DELETE FROM CG_PRINOTAR_IVA");
        exec(company(), "DELETE FROM CG_PRINOTAT");
        exec(company(), "INSERT OR REPLACE INTO CO_CLIFOR (ind_clifor, cod_clifor) VALUES ('C', '000001'), ('C', '000002'), ('F', '000100')");
        exec(company(), "UPDATE CA_ANAGRAFICHE SET des_ragsoc='Alfa S.p.A.' WHERE cod_anagra='000001'");
        exec(company(), "UPDATE CA_ANAGRAFICHE SET des_ragsoc='Beta S.r.l.' WHERE cod_anagra='000002'");
        exec(company(), "UPDATE CA_ANAGRAFICHE SET des_ragsoc='Gamma Forniture S.n.c.' WHERE cod_anagra='000100'");
        header(1, "2025-01-05", "NULL", "NULL", "COR");
        row(1, 1, "COR", "22", "C", "''", "100", "22");
        header(2, "2025-01-06", "''", "''", "COR");
        row(2, 1, "COR", "10", "C", "''", "50", "5");
        header(3, "2025-01-10", "'C'", "'000001'", "FV");
        row(3, 1, "FV", "22", "V", "''", "100", "22");
        header(9, "2025-01-20", "'C'", "'000001'", "FV");
        row(9, 1, "FV", "22", "V", "''", "100", "22");
        header(4, "2025-02-01", "'C'", "'000002'", "NCV");
        row(4, 1, "NCV", "22", "V", "''", "-50", "-11");
        header(5, "2025-03-01", "'F'", "'000100'", "FA");
        row(5, 1, "FA", "E10", "A", "'N4'", "1234567.89", "0");
        header(6, "2025-03-02", "'F'", "'000100'", "FA");
        row(6, 1, "FA", "NS2", "A", "'N2.1'", "300", "0");
        row(6, 2, "FA", "NI8", "A", "'N2.2'", "200.5", "0");
        header(7, "2024-12-31", "'C'", "'000001'", "FV");
        row(7, 1, "FV", "22", "V", "''", "999", "219.78");
        header(8, "2024-06-01", "'C'", "'000002'", "FV");
        row(8, 1, "FV", "E15", "V", "NULL", "10", "0");
        state.lists[ConsoleState::ArdeaTab] = readArdeaReferences(*ctx);
        state.dateFrom = "01/01/2025";
        state.dateTo = "31/12/2025";
    }

    void header(int prg, const char* date, const char* type, const char* code, const char* reason)
    {
        exec(company(), QString("INSERT INTO CG_PRINOTAT (prg_prinota, num_registrazione, dat_registrazione, cod_caucon, ind_clifor, cod_clifor,"
                                " des_num_doc) VALUES (%1, %1, '%2 00:00:00', '%3', %4, %5, '%1')")
                            .arg(prg).arg(date, reason, type, code));
    }
    void row(int prg, int line, const char* reason, const char* vat, const char* reg, const char* nature, const char* taxable, const char* tax)
    {
        exec(company(), QString("INSERT INTO CG_PRINOTAR_IVA (prg_prinota, prg_prinota_riga, num_riga, cod_caucon, cod_iva, cod_reg_iva, num_reg_iva,"
                                " cod_natura_iva, val_imponibile, val_iva) VALUES (%1, %2, %3, '%4', '%5', '%6', 1, %7, %8, %9)")
                            .arg(prg).arg(prg * 10 + line).arg(line).arg(reason, vat, reg, nature, taxable, tax));
    }

    QStringList reportLines() const
    {
        QFile file(companyReportPath(ctx->paths(), "\\PN_ar_", "DEMO", ".LOG"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n");
        if (lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }
};

TEST_F(ArdeaJournalTotalsTest, ReportTotalsEveryCustomerAndSupplierWithReceiptsInAGroupOfTheirOwn)
{
    const CommandResult result = run("Cmd_ArPrimaNota");
    ASSERT_EQ(result.outcome, CommandResult::Outcome::Done);
    EXPECT_EQ(result.reportPath, companyReportPath(ctx->paths(), "\\PN_ar_", "DEMO", ".LOG"));
    const QString dashes(79, '-'), equals(79, '=');
    const QStringList expected = {
        "*****  Inizio PN_Ar  *****",
        "Cli / For                             | Imponibile  |    IVA    |    Totale   |",
        dashes,
        // Both receipts (no type and an empty one) under the blank key, never
        // added to the first customer.
        "       -                              |       150,00|      27,00|       177,00|",
        dashes,
        "                                              150,00|      27,00|       177,00|",
        equals,
        "C000001-Alfa S.p.A.                   |       200,00|      44,00|       244,00|",
        // The credit note as stored: the sign column is not applied.
        "C000002-Beta S.r.l.                   |       -50,00|     -11,00|       -61,00|",
        dashes,
        "                                              150,00|      33,00|       183,00|",
        equals,
        "F000100-Gamma Forniture S.n.c.        | 1.235.068,39|       0,00| 1.235.068,39|",
        dashes,
        "                                        1.235.068,39|       0,00| 1.235.068,39|",
        equals,
    };
    EXPECT_EQ(reportLines(), expected);
    EXPECT_EQ(ui.statuses.last(), "Termine Lettura PN da Ardea !!");
    EXPECT_EQ(ui.beeps, 1);
}

// The result list of the same run: every row, then the register totals.
TEST_F(ArdeaJournalTotalsTest, ResultListShowsEveryRowThenTheRegisterTotalsAndAStopKeepsTheReport)
{
    ASSERT_EQ(run("Cmd_ArPrimaNota").outcome, CommandResult::Outcome::Done);
    const QStringList lines = state.results.lines.toStringList();
    const QStringList rows = {
        "1       |1 |05/01/2025| |      |                    |COR|Corrispettivi  |C|1 |22 |    22|      100|       22|    |            |IVA 22%        |",
        "2       |1 |06/01/2025| |      |                    |COR|Corrispettivi  |C|1 |10 |    10|       50|        5|    |            |IVA 10%        |",
        "3       |1 |10/01/2025|C|000001|Alfa S.p.A.         |FV |Fattura vendita|V|1 |22 |    22|      100|       22|    |            |IVA 22%        |",
        "9       |1 |20/01/2025|C|000001|Alfa S.p.A.         |FV |Fattura vendita|V|1 |22 |    22|      100|       22|    |            |IVA 22%        |",
        "4       |1 |01/02/2025|C|000002|Beta S.r.l.         |NCV|Nota credito ve|V|1 |22 |    22|      -50|      -11|    |            |IVA 22%        |",
        // A value wider than its column is written whole.
        "5       |1 |01/03/2025|F|000100|Gamma Forniture S.n.|FA |Fattura acquist|A|1 |E10|      |1234567,89|        0|N4  |Esenti      |Esente art.10  |",
        // The nature code whole: N2.2 and N2.1 stay apart.
        "6       |2 |02/03/2025|F|000100|Gamma Forniture S.n.|FA |Fattura acquist|A|1 |NI8|      |    200,5|        0|N2.2|Non soggette|Non imp. art.8 |",
        "6       |1 |02/03/2025|F|000100|Gamma Forniture S.n.|FA |Fattura acquist|A|1 |NS2|      |      300|        0|N2.1|Non soggette|Non soggetto ar|",
    };
    ASSERT_GE(lines.size(), rows.size());
    EXPECT_EQ(lines.mid(0, rows.size()), rows);
    const QString equals(76, '='), dashes(76, '-');
    const QStringList totals = {
        equals,
        "R|NR|CI | Descr. IVA         | Perc.| Imponibile |        IVA |     Totale |",
        equals + " - Totali per Registro e Codice IVA",
        "V|1 |22 |IVA 22%             | 22,00|      150,00|       33,00|      183,00|",
        dashes,
        "C|1 |10 |IVA 10%             | 10,00|       50,00|        5,00|       55,00|",
        "C|1 |22 |IVA 22%             | 22,00|      100,00|       22,00|      122,00|",
        dashes,
        "A|1 |E10|Esente art.10       |  0,00|1.234.567,89|        0,00|1.234.567,89|",
        "A|1 |NI8|Non imp. art.8      |  0,00|      200,50|        0,00|      200,50|",
        "A|1 |NS2|Non soggetto art.7  |  0,00|      300,00|        0,00|      300,00|",
    };
    EXPECT_EQ(lines.mid(rows.size()), totals);
    // A stop keeps the previous report, and the rows read.
    const QStringList before = reportLines();
    ui.onProcessEvents = [this] { ctx->stop().request(); };
    state.dateFrom = kEmptyDate; // a different report, were it finished
    EXPECT_EQ(run("Cmd_ArPrimaNota").outcome, CommandResult::Outcome::Stopped);
    EXPECT_EQ(reportLines(), before);
    EXPECT_FALSE(state.results.lines.isEmpty());
    EXPECT_EQ(ui.statuses.last(), "Lettura PN da Ardea interrotta");
}

TEST_F(ArdeaJournalTotalsTest, WithoutTheReferenceListsOrInAnEmptyRangeNothingIsWritten)
{
    state.lists[ConsoleState::ArdeaTab].reasons.clear();
    ui.expectMessage("MANCANO DATI TABELLE ! Leggere prima i Dati per Corvina !!");
    EXPECT_EQ(run("Cmd_ArPrimaNota").outcome, CommandResult::Outcome::Declined);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_TRUE(reportLines().isEmpty());
    // An empty range writes no report.
    state.lists[ConsoleState::ArdeaTab] = readArdeaReferences(*ctx);
    state.dateFrom = "01/01/2030";
    state.dateTo = kEmptyDate;
    const CommandResult result = run("Cmd_ArPrimaNota");
    EXPECT_EQ(result.outcome, CommandResult::Outcome::Done);
    EXPECT_TRUE(result.reportPath.isEmpty());
    EXPECT_TRUE(reportLines().isEmpty());
    EXPECT_TRUE(state.results.lines.isEmpty());
}

TEST_F(ArdeaJournalTotalsTest, OnlyCustomersCloseTheirGroupAfterTheLast)
{
    exec(company(), "DELETE FROM CG_PRINOTAT WHERE ind_clifor IS NOT 'C'");
    ASSERT_EQ(run("Cmd_ArPrimaNota").outcome, CommandResult::Outcome::Done);
    const QStringList lines = reportLines();
    ASSERT_EQ(lines.size(), 3 + 2 + 3);
    EXPECT_TRUE(lines[3].startsWith("C000001-"));
    EXPECT_TRUE(lines[4].startsWith("C000002-"));
    EXPECT_EQ(lines[5], QString(79, '-'));
    EXPECT_EQ(lines[7], QString(79, '='));
    // Subject totals take wide amounts whole.
    {
        QStringList lines;
        SubjectTotals totals([&lines](const QString& line) { lines << line; });
        totals.add("C000001", "Gigante", *Amount::parse("98765432109.5"), *Amount::parse("1"));
        totals.finish();
        ASSERT_EQ(lines.size(), 4);
        EXPECT_EQ(lines[0], "C000001-Gigante                       |98765432109,50|       1,00|98765432110,50|");
    }
}

TEST_F(ArdeaJournalTotalsTest, NatureCheckListsTheRowsWithoutNatureOverTheWholeJournal)
{
    ui.expectMessage("Presenti registrazioni SENZA Natura IVA Indicata !!");
    ASSERT_EQ(run("Cmd_ArNatura").outcome, CommandResult::Outcome::Done);
    EXPECT_EQ(state.results.heading,
              "Prg_prn |Riga| Num. Reg.| Data Reg.| |CodClF| Rag. Soc.                              |N.I.|Descr. Nat.IVA      |");
    // The row of 2024 is found although the range is 2025: the whole journal is searched.
    EXPECT_EQ(state.results.lines.toStringList(),
              QStringList{"       8|   1|         8|01/06/2024|C|000002|Beta S.r.l.                             |    |                    |"});
    EXPECT_EQ(ui.beeps, 0);
    // Every nature given: said, and nothing listed.
    exec(company(), "UPDATE CG_PRINOTAR_IVA SET cod_natura_iva='N4' WHERE cod_natura_iva IS NULL");
    ui.expectMessage("NESSUNA Natura IVA tralasciata !!");
    ASSERT_EQ(run("Cmd_ArNatura").outcome, CommandResult::Outcome::Done);
    EXPECT_TRUE(state.results.lines.isEmpty());
    EXPECT_EQ(ui.beeps, 1);
}

TEST_F(ArdeaJournalTotalsTest, AStopEndsTheNatureCheckStoppedNotFailed)
{
    ui.onProcessEvents = [this] { ctx->stop().request(); };
    EXPECT_EQ(run("Cmd_ArNatura").outcome, CommandResult::Outcome::Stopped);
    EXPECT_TRUE(ui.said.empty()); // neither the findings nor an error said
}

} // namespace
