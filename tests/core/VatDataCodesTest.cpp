// The codes of the invoice-data communications on the demo's Corvina company:
// the rows without codes, the codes filled from the customers (both codes,
// only a VAT number, none, no record, a Null type), the foreign fiscal codes,
// the VAT codes selected by an indicator, the list's file.
#include "DemoSession.h"
#include "maintenance/VatDataCodes.h"
#include "maintenance/VatLineListing.h"

#include <QSqlQuery>
#include <gtest/gtest.h>
#include <QRegularExpression>

using namespace corv;
using Answer = Ui::Answer;

namespace {

class VatDataCodesTest : public corv::test::DemoSession {
protected:
    void SetUp() override
    {
        DemoSession::SetUp();
        selectYear(2025);
    }
    QString issued(int progr, int row) const
    {
        QSqlQuery q(corvina());
        q.prepare("SELECT COALESCE(FiscalCode, 'NULL') || '/' || COALESCE(VATFiscalCodeId, 'NULL') FROM VATInvoiceDataIssued"
                  " WHERE SupplyProgr=? AND SupplyRowProgr=?");
        q.addBindValue(progr);
        q.addBindValue(row);
        return q.exec() && q.next() ? q.value(0).toString() : QString();
    }
    QString foreignCode(const QString& code) const
    {
        QSqlQuery q(corvina());
        q.prepare("SELECT COALESCE(ForeignFiscalCode, 'NULL') FROM CustomerSupplier WHERE VATYear=2025 AND CustSupplCode=?");
        q.addBindValue(code);
        return q.exec() && q.next() ? q.value(0).toString() : QString();
    }
};

TEST_F(VatDataCodesTest, TheRowsWithoutCodesGetTheirCustomersCodes)
{
    VatDataCodes codes(*ctx, state.selectedCorvina());
    ASSERT_TRUE(codes.readCommunications());
    EXPECT_EQ(codes.communications(), (QStringList{"3|2S|RSSMRA80A01H501U|01234567897|Via Roma 1", "1|1S|RSSMRA80A01H501U|01234567897|Via Roma 1"}));
    ASSERT_TRUE(codes.readRows(0));
    ASSERT_EQ(codes.lines().size(), 5);
    EXPECT_TRUE(codes.lines()[0].startsWith("Z00001    |    1|1|IT |"));
    EXPECT_TRUE(codes.lines()[3].contains("|Cliente senza anagrafica | ram")); // a "|" in a name shifts nothing below
    EXPECT_EQ(codes.fillCodes(), 3);
    EXPECT_EQ(issued(3, 1), "BNCGNN70A01F205X/01234567897"); // both codes
    EXPECT_EQ(issued(3, 2), "NULL/09876543217");             // only the VAT number: the fiscal code stays Null
    EXPECT_EQ(issued(3, 3), "NULL/NULL");                    // a customer without codes
    EXPECT_EQ(issued(3, 4), "NULL/NULL");                    // no customer record
    EXPECT_EQ(issued(3, 5), "NULL/11111111115");             // a Null type found as Null
    EXPECT_EQ(issued(1, 1), "NULL/NULL");                    // another communication is left alone
    EXPECT_EQ(ui.statuses.last(), "Terminata Correzione Comunicazione Dati IVA.");
    // Chosen again, the filled rows have left the list; a second run changes nothing.
    ASSERT_TRUE(codes.readRows(0));
    EXPECT_EQ(codes.lines().size(), 2);
    EXPECT_EQ(codes.fillCodes(), 0);
    // The VAT codes in the list: the fill refuses them.
    ASSERT_TRUE(codes.readVatCodes());
    ui.expectMessage("NESSUN Nominativo in elenco !!");
    EXPECT_EQ(codes.fillCodes(), 0);
    EXPECT_EQ(ui.beeps, 1);
}

TEST_F(VatDataCodesTest, AStopBetweenRowsKeepsTheRowsFilled)
{
    VatDataCodes codes(*ctx, state.selectedCorvina());
    ASSERT_TRUE(codes.readCommunications());
    ASSERT_TRUE(codes.readRows(0));
    // Asked at the first row's progress: that row is done, the others wait.
    ui.onProcessEvents = [this] { ctx->stop().request(); };
    EXPECT_EQ(codes.fillCodes(), 1);
    EXPECT_EQ(issued(3, 1), "BNCGNN70A01F205X/01234567897");
    EXPECT_EQ(issued(3, 2), "NULL/NULL");
    EXPECT_TRUE(ui.statuses.last().startsWith("Correzione Comunicazione Dati IVA interrotta : 1 righe corrette.")) << ui.statuses.last().toStdString();
}

TEST_F(VatDataCodesTest, TheForeignFiscalCodesFromTheFiscalCodeTheVatNumberOrTheGroupingCode)
{
    VatDataCodes codes(*ctx, state.selectedCorvina());
    ui.expectMessage("Confermi compilazione CF Estero su Corvina ?", Answer::No);
    EXPECT_TRUE(codes.fillForeignCodes().isEmpty());
    EXPECT_EQ(foreignCode("E00001"), "NULL");
    ui.expectMessage("Confermi compilazione CF Estero su Corvina ?", Answer::Yes);
    const QString path = codes.fillForeignCodes();
    EXPECT_EQ(path, home.file("CFEsteroCV_DEMO_2025.log"));
    EXPECT_EQ(foreignCode("E00001"), "FR123456789");
    EXPECT_EQ(foreignCode("E00002"), "DE811234567");
    EXPECT_EQ(foreignCode("E00003"), "GRP-7781");
    EXPECT_EQ(foreignCode("E00004"), "NULL");
    EXPECT_EQ(foreignCode("E00005"), "NULL"); // the Intrastat area 1 is never touched
    const QStringList lines = home.lines("CFEsteroCV_DEMO_2025.log");
    EXPECT_EQ(lines[0], "Compilazione CF Estero Corvina - Azienda DEMO anno 2025");
    EXPECT_EQ(lines.filter("Corretto Estero : ").size(), 3);
    EXPECT_TRUE(lines.contains("Corretto Estero : E00003 Grouped Supplier Ltd|  >>  GRP-7781"));
    EXPECT_EQ(ui.opened, QStringList{ctx->viewer() + "|" + path});
    EXPECT_EQ(ui.statuses.last(), "Completata correzione CF Esteri Corvina.");
}

TEST_F(VatDataCodesTest, VatCodesSelectedByAnIndicatorsValueAndTheListsFile)
{
    VatDataCodes codes(*ctx, state.selectedCorvina());
    ASSERT_TRUE(codes.readVatCodes());
    EXPECT_EQ(codes.holds(), VatDataCodes::Holds::VatCodes);
    EXPECT_EQ(codes.lines().size(), 9);
    const QList<int> n1 = codes.matching(0, VatDataCodes::indicatorValues(0)[1]);
    ASSERT_EQ(n1.size(), 1);
    EXPECT_TRUE(codes.lines()[n1[0]].startsWith("E15  |"));
    EXPECT_EQ(codes.matching(0, VatDataCodes::indicatorValues(0)[0]).size(), 3); // 22, 10, 4: FC's Null is not 0
    ASSERT_TRUE(codes.readCommunications());
    ASSERT_TRUE(codes.readRows(0));
    const QString path = codes.printList(0);
    ASSERT_EQ(path, home.file("ComIVAPICF_3.TXT"));
    const QStringList lines = home.lines("ComIVAPICF_3.TXT");
    EXPECT_EQ(lines[0], "Senza P.IVA./C.F. - 3");
    EXPECT_EQ(lines[1], QString(21, '-'));
    EXPECT_EQ(lines.mid(4, 5), codes.lines());
    EXPECT_EQ(lines[9], "- Natura IVA");
    EXPECT_EQ(lines[10], "  0=Non Definito");
    // No company chosen: the lists stay empty.
    VatDataCodes none(*ctx, CorvinaCompany());
    EXPECT_FALSE(none.readCommunications());
    EXPECT_TRUE(none.communications().isEmpty());
    EXPECT_FALSE(none.readRows(0));
}

// The VAT nature and document type listings on the demo's Corvina company:
// the lines of a value against independent counts, code 0 on request and
// with the lines whose VAT code has no row, 2016 against 2025, the document
// types refused before 2017, the list emptied before any early stop.
class VatLineListingTest : public corv::test::DemoSession {
protected:
    int count(const QString& sql) const { return scalar(corvina(), sql); }
    CorvinaCompany row(int year)
    {
        selectYear(year);
        return state.selectedCorvina();
    }
};

const QString kRows2025 = "SELECT COUNT(*) FROM VATDataRows AS r LEFT JOIN VATCode AS i ON (i.VATCode=r.VATCode AND i.VATYear=r.VATYear"
                          " AND i.CompanyGroupCode=r.CompanyGroupCode) WHERE r.VATYear=2025 AND r.CompanyCode='DEMO'";

TEST_F(VatLineListingTest, TheNatureOfA2025CompanyAndCodeZeroOnRequest)
{
    VatLineListing natures(*ctx, VatLineKind::Nature);
    EXPECT_EQ(natures.objectName(), "F_NatIVA");
    EXPECT_EQ(natures.values().size(), 8);
    EXPECT_EQ(natures.header(), "C/F Cod. C/F   N.Doc        Ft/Nc   Data Doc. C.IVA %IVA   Des. IVA            Imponib.     IVA           AFt  R.C "
                                " Rag.Soc.                      Cau. Contab.");
    const CorvinaCompany company = row(2025);
    ASSERT_TRUE(natures.list(company, natures.values()[1], false));
    EXPECT_EQ(natures.lines().size(), count(kRows2025 + " AND i.VATNatureType='1'"));
    ASSERT_FALSE(natures.lines().isEmpty());
    // Ordered by counterpart type and code, then date; the columns of the header.
    QSqlQuery first(corvina());
    ASSERT_TRUE(first.exec("SELECT CustSupplType, CustSupplCode, DocumentNumber, ProtocolNumber, VATCode FROM XCVZ_RIGHEIVA17"
                           " WHERE VATYear=2025 AND CompanyCode='DEMO' AND VATNatureType='1'"
                           " ORDER BY CustSupplType, CustSupplCode, DocumentDate, DocumentNumber, ProtocolNumber") && first.next());
    const QString line = natures.lines().first();
    EXPECT_EQ(line.left(4).trimmed(), first.value(0).toString());
    EXPECT_EQ(line.mid(4, 11).trimmed(), first.value(1).toString());
    EXPECT_EQ(line.mid(15, 13).trimmed(), first.value(2).toString());
    EXPECT_EQ(line.mid(28, 8).trimmed(), first.value(3).toString());
    EXPECT_EQ(line.mid(46, 6), " E15  ");
    EXPECT_TRUE(QDate::fromString(line.mid(36, 10), "dd/MM/yyyy").isValid()) << line.mid(36, 10).toStdString();
    // Code 0: nothing without the tick, and the list emptied all the same.
    EXPECT_FALSE(natures.list(company, natures.values()[0], false));
    EXPECT_TRUE(natures.lines().isEmpty());
    // With it: the lines of nature 0, of no nature, and of a VAT code without a row.
    exec(corvina(), "INSERT INTO VATDataRows VALUES ('DEMO', 2025, '', 1, 99, 'ZZ', 10, 2.2, NULL)");
    ASSERT_TRUE(natures.list(company, natures.values()[0], true));
    EXPECT_EQ(natures.lines().size(), count(kRows2025 + " AND (i.VATNatureType='0' OR i.VATNatureType IS NULL)"));
    EXPECT_EQ(natures.lines().filter(QRegularExpression("^.{46} ZZ ")).size(), 1);
}

TEST_F(VatLineListingTest, A2016CompanyFiltersOnTheOperationTypeOfTheOldView)
{
    exec(corvina(), "UPDATE VATCode SET OperationType='1' WHERE VATYear=2016 AND VATCode='E15'");
    VatLineListing natures(*ctx, VatLineKind::Nature);
    ASSERT_TRUE(natures.list(row(2016), natures.values()[1], false));
    const int expected = count("SELECT COUNT(*) FROM VATAttachmentRow AS r JOIN VATCode AS i ON (i.VATCode=r.VATCode AND i.VATYear=r.VATYear)"
                               " WHERE r.VATYear=2016 AND i.OperationType='1'");
    EXPECT_GT(expected, 0);
    EXPECT_EQ(natures.lines().size(), expected);
}

TEST_F(VatLineListingTest, DocumentTypesFrom2017OnlyAndTheConsolesRightClickSaysSo)
{
    VatLineListing types(*ctx, VatLineKind::DocumentType);
    EXPECT_EQ(types.caption(), "Movimenti per Tipo Documento");
    ASSERT_TRUE(types.list(row(2025), types.values()[2], false)); // TD04: credit notes
    EXPECT_EQ(types.lines().size(), count("SELECT COUNT(*) FROM VATDataRows AS r JOIN VATData AS d ON (d.CompanyCode=r.CompanyCode AND d.VATYear=r.VATYear"
                                          " AND d.DocCumulative=r.DocCumulative) JOIN AccountingRsn AS c ON (c.ReasonCode=d.ReasonCode AND c.VATYear=r.VATYear)"
                                          " WHERE r.VATYear=2025 AND c.VATDocumentType='2'"));
    EXPECT_GT(types.lines().size(), 0);
    ui.expectMessage("NON ABILITATO PER Anno<2017 !!");
    EXPECT_FALSE(types.list(row(2016), types.values()[2], false));
    EXPECT_TRUE(types.lines().isEmpty());
    EXPECT_EQ(ui.beeps, 1);
    // The console's right click on "Indicatori CauCon" refuses 2016 the same way.
    ui.expectMessage("NON ABILITATO PER Anno<2017 !!");
    const ConsoleCommand right = consolecommands::rightClickOf(*findConsoleCommand("Cmd_CvIndCau"));
    EXPECT_EQ(runConsoleCommand(*ctx, state, right).outcome, CommandResult::Outcome::Declined);
    EXPECT_TRUE(ui.formsShown.empty());
    selectYear(2025);
    EXPECT_EQ(runConsoleCommand(*ctx, state, right).outcome, CommandResult::Outcome::Done);
    ASSERT_EQ(ui.formsShown.size(), 1u);
    EXPECT_EQ(ui.formsShown[0].kind, FormKind::DocumentTypeLines);
}

} // namespace
