#include "console/SourceComparison.h"
#include "console/VatListings.h"
#include "db/Dialect.h"
#include "DemoSession.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace corv;

namespace {

using SourceComparisonTest = corv::test::DemoSession;

Amount money(const char* text) { return *Amount::parse(text); }

TEST(ComparisonLines, SideBySideWithTheDifferencesMarked)
{
    SourceTotals ardea{"Ardea", {}}, corvina{"Corvina", {}};
    ardea.keys[""] = {"", money("150"), money("27")};
    ardea.keys["C000001"] = {"Alfa S.p.A.", money("200"), money("44")};
    ardea.keys["C000002"] = {"Beta S.r.l.", money("100"), money("22")};
    ardea.keys["F000100"] = {"Gamma", money("1234567.89"), money("0")};
    corvina.keys[""] = {"", money("150"), money("27")};
    corvina.keys["C000001"] = {"Alfa S.p.A.", money("200.01"), money("44")};
    corvina.keys["F000100"] = {"Gamma", money("1234567.894"), money("0.004")}; // within half a cent
    corvina.keys["F000200"] = {"Solo Corvina", money("10"), money("1")};
    const Comparison c = compareTotals({ardea, corvina}, "Titolo");
    EXPECT_EQ(c.compared, 5);
    EXPECT_EQ(c.differing, 3);
    const QString dashes(112, '-');
    const QStringList expected = {
        "Soggetti confrontati : 5 - con differenze : 3",
        "Titolo",
        dashes,
        "Cli/For Rag. Soc.                |   Imp. Ardea|  IVA Ardea| Imp. Corvina|IVA Corvina|   Diff. Imp.|  Diff. IVA|",
        dashes,
        "       -                         |       150,00|      27,00|       150,00|      27,00|         0,00|       0,00|",
        "C000001-Alfa S.p.A.              |       200,00|      44,00|       200,01|      44,00|         0,01|       0,00| <<<",
        "C000002-Beta S.r.l.              |       100,00|      22,00|             |           |      -100,00|     -22,00| <<< solo in Ardea",
        "F000100-Gamma                    | 1.234.567,89|       0,00| 1.234.567,89|       0,00|         0,00|       0,00|",
        "F000200-Solo Corvina             |             |           |        10,00|       1,00|        10,00|       1,00| <<< solo in Corvina",
        QString(112, '='),
        "Totale senza Cli/For             |       150,00|      27,00|       150,00|      27,00|         0,00|       0,00|",
        "Totale Clienti                   |       300,00|      66,00|       200,01|      44,00|       -99,99|     -22,00|",
        "Totale Fornitori                 | 1.234.567,89|       0,00| 1.234.577,89|       1,00|        10,00|       1,00|",
    };
    EXPECT_EQ(c.lines, expected);
}

TEST(ComparisonLines, KeysOfBothSourcesSpellAlike)
{
    EXPECT_EQ(comparisonKey("C", "000123"), "C000123");
    EXPECT_EQ(comparisonKey("1", "123"), "C000123");
    EXPECT_EQ(comparisonKey("2", " 45 "), "F000045");
    EXPECT_EQ(comparisonKey("2", "AB1"), "FAB1");
    EXPECT_EQ(comparisonKey("", ""), "");
    EXPECT_EQ(comparisonKey(QString(), QString()), "");
}

// The demo's 2025: Corvina was fed from Ardea but for three planted
// differences; the comparison finds those and nothing else.
TEST_F(SourceComparisonTest, FindsExactlyThePlantedDifferences)
{
    ASSERT_TRUE(ensureCorvinaViews(*ctx));
    selectYear(2025);
    const ComparisonRequest request = comparisonRequestOf(state);
    EXPECT_EQ(request.from, QDate(2025, 1, 1));
    EXPECT_EQ(request.to, QDate(2025, 12, 31));
    const CommandResult result = compareSources(*ctx, request);
    ASSERT_EQ(result.outcome, CommandResult::Outcome::Done);
    EXPECT_EQ(result.findings, 3);
    QFile file(result.reportPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n");
    EXPECT_TRUE(lines[0].endsWith(" - con differenze : 3")) << lines[0].toStdString();
    QStringList marked;
    for (const QString& line : lines) {
        if (line.contains("<<<"))
            marked << line;
    }
    ASSERT_EQ(marked.size(), 3);
    // One customer left out of Corvina altogether.
    const QStringList onlyInArdea = marked.filter("<<< solo in Ardea");
    ASSERT_EQ(onlyInArdea.size(), 1);
    const QString missingCustomer = onlyInArdea.first().left(7).mid(1);
    EXPECT_EQ(scalar(corvina(), "SELECT COUNT(*) FROM VATData WHERE VATYear=2025 AND CustSupplCode='" + missingCustomer + "'"), 0);
    // One amount a cent off: taxable +0,01, VAT the same.
    EXPECT_EQ(marked.filter(QRegularExpression(R"(\|\s+0,01\|\s+0,00\| <<<$)")).size(), 1);
    // One document missing: Corvina's totals lower by that document's amounts.
    EXPECT_EQ(marked.filter(QRegularExpression(R"(\|\s+-[0-9.]+,\d\d\|\s+-?[0-9.]+,\d\d\| <<<$)")).size(), 1);
    for (const QString& line : marked)
        EXPECT_TRUE(line.startsWith("C")) << line.toStdString(); // all three planted on customers
}

TEST_F(SourceComparisonTest, TheConsoleRangeNarrowsTheArdeaSide)
{
    ASSERT_TRUE(ensureCorvinaViews(*ctx));
    selectYear(2025);
    state.dateFrom = "01/07/2025";
    const ComparisonRequest request = comparisonRequestOf(state);
    EXPECT_EQ(request.from, QDate(2025, 7, 1));
    EXPECT_EQ(request.to, QDate(2025, 12, 31));
    const CommandResult result = compareSources(*ctx, request);
    EXPECT_GT(result.findings, 3); // half a year of Ardea against a whole one of Corvina
    state.dateTo = "01/01/2025";
    ui.expectMessage("Date incoerenti !");
    EXPECT_EQ(compareSources(*ctx, comparisonRequestOf(state)).outcome, CommandResult::Outcome::Declined);
}

// The demo's Nembo journal mirrors Ardea's 2024 but for one amount a unit
// more: over 2024 the legacy column differs from Ardea on that key alone.
TEST_F(SourceComparisonTest, TheLegacyJournalIsAThirdColumnWhenItHasRowsInThePeriod)
{
    ASSERT_TRUE(ensureCorvinaViews(*ctx));
    selectYear(2025);
    ComparisonRequest request = comparisonRequestOf(state);
    request.nemboFolder = home.file("nembo");
    request.nemboCompany = "001";
    request.from = QDate(2024, 1, 1);
    request.to = QDate(2024, 12, 31);
    const CommandResult result = compareSources(*ctx, request);
    ASSERT_EQ(result.outcome, CommandResult::Outcome::Done);
    QFile file(result.reportPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n");
    EXPECT_TRUE(lines[1].endsWith(" - Nembo 001")) << lines[1].toStdString();
    EXPECT_TRUE(lines[3].endsWith("|   Imp. Nembo|  IVA Nembo| Diff.Imp. Co|Diff.IVA Co| Diff.Imp. Ne|Diff.IVA Ne|")) << lines[3].toStdString();
    QStringList legacyDifferences;
    for (int i = 5; i < lines.size() && !lines[i].startsWith("===="); ++i) {
        const QStringList fields = lines[i].split('|');
        ASSERT_GE(fields.size(), 11) << lines[i].toStdString();
        if (fields[9].trimmed() != "0,00" || fields[10].trimmed() != "0,00")
            legacyDifferences << lines[i].left(7) + ":" + fields[9].trimmed() + "/" + fields[10].trimmed();
    }
    ASSERT_EQ(legacyDifferences.size(), 1) << legacyDifferences.join(' ').toStdString();
    EXPECT_TRUE(legacyDifferences.first().endsWith(":1,00/0,00")) << legacyDifferences.first().toStdString();
    // Over 2025 the legacy journal has nothing: no third column.
    request.from = QDate(2025, 1, 1);
    request.to = QDate(2025, 12, 31);
    const CommandResult year2025 = compareSources(*ctx, request);
    EXPECT_EQ(year2025.findings, 3);
}

TEST_F(SourceComparisonTest, StatementsBindNothingRaw)
{
    const Dialect& sqlServer = Dialect::of(Engine::SqlServer);
    EXPECT_EQ(corvinaComparisonSql(sqlServer, "D'X", 2025),
              "SELECT CustSupplType AS tipo, CustSupplCode AS codice, MAX(CompanyName) AS nome, SUM(VATTaxable) AS imponibile,"
              " SUM(VATAmount) AS iva FROM XCVZ_RIGHEIVA17 WHERE VATYear=2025 AND CompanyCode=N'D''X' GROUP BY CustSupplType, CustSupplCode");
    EXPECT_TRUE(ardeaComparisonSql(sqlServer, QDate(2025, 1, 1), QDate(2025, 12, 31))
                    .contains(" WHERE t.dat_registrazione>='20250101' AND t.dat_registrazione<='20251231' GROUP BY t.ind_clifor, t.cod_clifor"));
}

} // namespace
