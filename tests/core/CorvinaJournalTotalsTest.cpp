#include "journal/CorvinaJournalTotals.h"
#include "journal/VatListings.h"
#include "DemoSession.h"

#include <gtest/gtest.h>

using namespace corv;

namespace {

// The DEMO company in Corvina with VAT lines of its own: for 2025 two
// invoices of a customer, one of a supplier, one of a customer with an
// unpadded numeric code; for 2016 one attachment row each of a customer and
// a supplier.
class CorvinaJournalTotalsTest : public corv::test::DemoSession {
protected:
    void SetUp() override
    {
        DemoSession::SetUp();
        QString error;
        ASSERT_TRUE(ensureCorvinaViews(*ctx, &error)) << error.toStdString();
        exec(corvina(), "DELETE FROM VATData");
        exec(corvina(), "DELETE FROM VATDataRows");
        exec(corvina(), "DELETE FROM VATAttachmentRow");
        exec(corvina(), "DELETE FROM CustomerSupplier WHERE CustSupplCode IN ('000001', '000100', '123')");
        for (const char* year : {"2016", "2025"}) {
            exec(corvina(), QString("INSERT INTO CustomerSupplier (CompanyCode, VATYear, CustSupplType, CustSupplCode, CompanyName, VATRegNo, FiscalCode)"
                                    " VALUES ('DEMO', %1, '1', '000001', 'Alfa S.p.A.', '01234567897', '01234567897'),"
                                    " ('DEMO', %1, '2', '000100', 'Gamma Forniture S.n.c.', '09876543217', 'GMMFRN80A01H501X'),"
                                    " ('DEMO', %1, '1', '123', 'Delta', '', 'DLTDLT70A01F205Y')")
                                .arg(year));
        }
        exec(corvina(), "UPDATE VATCode SET VATNatureType='N2.1' WHERE VATYear=2025 AND VATCode='NS2'");
        document(1, "FV", "1", "000001", "2025-01-10", "F1", 1);
        line(1, 1, "22", "100", "22");
        line(1, 2, "NS2", "50", "0");
        document(2, "FV", "1", "000001", "2025-02-10", "F2", 2);
        line(2, 1, "22", "200", "44");
        document(3, "FA", "2", "000100", "2025-01-15", "A1", 3);
        line(3, 1, "22", "300", "66");
        document(4, "FV", "1", "123", "2025-03-01", "F3", 4);
        line(4, 1, "10", "10", "1");
        exec(corvina(), "INSERT INTO VATAttachmentRow (CompanyCode, VATYear, VATCode, ReasonCode, CustSupplType, CustSupplCode, VATTaxable, VATAmount,"
                        " DocumentDate, DocumentNumber, ProtocolNumber) VALUES"
                        " ('DEMO', 2016, '22', 'FV', '1', '000001', 100, 22, '2016-05-01 00:00:00', 'X1', 1),"
                        " ('DEMO', 2016, '4', 'FA', '2', '000100', 10, 0.4, '2016-06-01 00:00:00', 'Y1', 2)");
    }

    void document(int number, const char* reason, const char* type, const char* code, const char* date, const char* docNumber, int protocol)
    {
        exec(corvina(), QString("INSERT INTO VATData (CompanyCode, VATYear, DocCumulative, ReasonCode, CustSupplType, CustSupplCode, DocumentDate,"
                                " DocumentNumber, ProtocolNumber) VALUES ('DEMO', 2025, %1, '%2', '%3', '%4', '%5 00:00:00', '%6', %7)")
                            .arg(number).arg(reason, type, code, date, docNumber).arg(protocol));
    }
    void line(int number, int row, const char* vat, const char* taxable, const char* tax)
    {
        exec(corvina(), QString("INSERT INTO VATDataRows (CompanyCode, VATYear, DocCumulative, DocCumulativeRow, VATCode, VATTaxable, VATAmount)"
                                " VALUES ('DEMO', 2025, %1, %2, '%3', %4, %5)")
                            .arg(number).arg(row).arg(vat, taxable, tax));
    }

    QStringList results() const { return state.results.lines.toStringList(); }
    static QString sumsTitle(int year)
    {
        return QString(" Az.: DEMO  Anno : %1 - Totali per Codice IVA da Corvina (1=Clienti, 2=Fornitori)").arg(year);
    }
};

const QString kEquals(79, '='), kDashes(79, '-');

TEST_F(CorvinaJournalTotalsTest, From2017LinesAndSummariesSortByCustomerAndSupplier)
{
    selectYear(2025);
    ASSERT_EQ(run("Cmd_CvPrimaNota").outcome, CommandResult::Outcome::Done);
    const QStringList expected = {
        // The sorted list orders whole lines: the rows of one document by their text.
        "1  000001    |20250110_000000|Alfa S.p.A.                    01234567897         |       1|F1          |000001    |       50,00|        0,00| Non soggetto art.7  | 0,00|N2.1|",
        "1  000001    |20250110_000000|Alfa S.p.A.                    01234567897         |       1|F1          |000001    |      100,00|       22,00| IVA 22%             |22,00|0   |",
        "1  000001    |20250210_000000|Alfa S.p.A.                    01234567897         |       2|F2          |000001    |      200,00|       44,00| IVA 22%             |22,00|0   |",
        "1  123       |20250301_000000|Delta                          DLTDLT70A01F205Y    |       4|F3          |123       |       10,00|        1,00| IVA 10%             |10,00|0   |",
        "2  000100    |20250115_000000|Gamma Forniture S.n.c.         GMMFRN80A01H501X    |       3|A1          |000100    |      300,00|       66,00| IVA 22%             |22,00|0   |",
        // Each summary its own customer's totals; the numeric code zero-filled as Ardea lists it.
        "_1  000001 Alfa S.p.A.------------------- |      350,00        66,00----------01234567897     01234567897     | ",
        "_1  000123 Delta------------------------- |       10,00         1,00----------                DLTDLT70A01F205Y| ",
        "_2  000100 Gamma Forniture S.n.c.-------- |      300,00        66,00----------09876543217     GMMFRN80A01H501X| ",
    };
    EXPECT_EQ(state.sorted.toStringList(), expected);
    const QStringList lines = results();
    ASSERT_GT(lines.size(), expected.size());
    EXPECT_EQ(lines.mid(0, expected.size()), expected);
    const QStringList sums = {
        kEquals,
        sumsTitle(2025),
        kDashes,
        "C|Nat.|C.IVA|Descrizione IVA     |  Imponibili|         IVA|%IVA |",
        "1|0   |10   |IVA 10%             |       10,00|        1,00|10,00|",
        "1|0   |22   |IVA 22%             |      300,00|       66,00|22,00|",
        "1|N2.1|NS2  |Non soggetto art.7  |       50,00|        0,00| 0,00|",
        kDashes,
        "2|0   |22   |IVA 22%             |      300,00|       66,00|22,00|",
        kDashes,
        "C|  Imponibili|         IVA|",
        "1|      360,00|       67,00|",
        "2|      300,00|       66,00|",
        kDashes,
        " Cod.|   Descrizione                |C|V|A|R|TIP|Es.|  -  Considera,Varcee,Autoft,Revcha",
        "FA   |Fattura acquisto              |1|0|0|0|1  |0  |      300,00|       66,00|",
        "FV   |Fattura vendita               |1|0|0|0|1  |0  |      360,00|       67,00|",
        kEquals,
    };
    EXPECT_EQ(lines.mid(expected.size()), sums);
    EXPECT_EQ(ui.statuses.last(), "FINE Lettura PN Corvina !!");
    EXPECT_EQ(ui.beeps, 1);
}

TEST_F(CorvinaJournalTotalsTest, Before2017TheSumsGroupTheReasonColumnsTheViewHas)
{
    selectYear(2016);
    ASSERT_EQ(run("Cmd_CvPrimaNota").outcome, CommandResult::Outcome::Done);
    const QStringList expected = {
        "1  000001    |20160501_000000|Alfa S.p.A.                    01234567897         |       1|X1          |000001    |      100,00|       22,00| IVA 22%             |22,00|",
        "2  000100    |20160601_000000|Gamma Forniture S.n.c.         GMMFRN80A01H501X    |       2|Y1          |000100    |       10,00|        0,40| IVA 4%              | 4,00|",
        "_1  000001 Alfa S.p.A.------------------- |      100,00        22,00----------01234567897     01234567897     | ",
        "_2  000100 Gamma Forniture S.n.c.-------- |       10,00         0,40----------09876543217     GMMFRN80A01H501X| ",
        kEquals,
        sumsTitle(2016),
        kDashes,
        "C|C.IVA|Descrizione IVA     |  Imponibili|         IVA|%IVA |",
        "1|22   |IVA 22%             |      100,00|       22,00|22,00|",
        kDashes,
        "2|4    |IVA 4%              |       10,00|        0,40| 4,00|",
        kDashes,
        "C|  Imponibili|         IVA|",
        "1|      100,00|       22,00|",
        "2|       10,00|        0,40|",
        kDashes,
        " Cod.|   Descrizione                |C|V|A|R|TIP|Es.|  -  Considera,Varcee,Autoft,Revcha",
        // The flags the view of these years does not have are left blank.
        "FA   |Fattura acquisto              | | | | |   |   |       10,00|        0,40|",
        "FV   |Fattura vendita               | | | | |   |   |      100,00|       22,00|",
        kEquals,
    };
    EXPECT_EQ(results(), expected);
    EXPECT_TRUE(ui.said.empty()); // no database error
}

TEST_F(CorvinaJournalTotalsTest, SumsAloneAreAddedToTheResultListOfTheCompanyChosen)
{
    selectYear(2025);
    state.setResults({"Intestazione", QStringList{"riga precedente"}});
    ASSERT_EQ(runRightClick("Cmd_CvPrimaNota").outcome, CommandResult::Outcome::Done);
    const QStringList lines = results();
    ASSERT_GT(lines.size(), 3);
    EXPECT_EQ(lines[0], "riga precedente");
    EXPECT_EQ(lines[2], sumsTitle(2025));
    EXPECT_EQ(lines.last(), kEquals);
    // Without a company chosen: a beep.
    state.corvinaRow = -1;
    EXPECT_EQ(run("Cmd_CvPrimaNota").outcome, CommandResult::Outcome::Declined);
    EXPECT_EQ(runRightClick("Cmd_CvPrimaNota").outcome, CommandResult::Outcome::Declined);
    EXPECT_EQ(ui.beeps, 2);
    // On the Nembo source the codes stay as they are.
    selectYear(2025);
    state.source = 1;
    ASSERT_EQ(run("Cmd_CvPrimaNota").outcome, CommandResult::Outcome::Done);
    EXPECT_TRUE(state.sorted.toStringList().contains(
        "_1  123    Delta------------------------- |       10,00         1,00----------                DLTDLT70A01F205Y| "));
    EXPECT_EQ(summaryCode("123", false), "000123");
    EXPECT_EQ(summaryCode("123", true), "123   ");
    EXPECT_EQ(summaryCode("12A", false), "12A   ");
    EXPECT_EQ(summaryCode("1234567", false), "1234567");
}

} // namespace
