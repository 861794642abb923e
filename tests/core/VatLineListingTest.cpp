// The VAT nature and document type listings on the demo's Corvina company:
// the lines of a value against independent counts, code 0 on request and
// with the lines whose VAT code has no row, 2016 against 2025, the document
// types refused before 2017, the list emptied before any early stop.
#include "DemoSession.h"
#include "maintenance/VatLineListing.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace corv;

namespace {

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
