// "Totali IVA" on the demo company: the three lists against sums computed
// straight from the journal, the codes left out of the COM3000 totals, the
// report's sections.
#include "DemoSession.h"
#include "maintenance/VatTotalsByYear.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace corv;

namespace {

using VatTotalsByYearTest = corv::test::DemoSession;

QString sumText(const QVariant& value)
{
    return Amount::fromVariant(value).value_or(Amount()).toText(2).rightJustified(15) + "|";
}

TEST_F(VatTotalsByYearTest, YearsNewestFirstAndTheListsEqualTheJournalsSums)
{
    VatTotalsByYear totals(*ctx);
    ASSERT_TRUE(totals.readYears());
    ASSERT_GE(totals.years().size(), 2);
    EXPECT_TRUE(totals.years()[0].startsWith("2026|"));
    EXPECT_TRUE(totals.years()[1].startsWith("2025|"));
    ASSERT_TRUE(totals.read(2025));

    // COM3000 totals by register, from the journal rows of the year's VAT
    // periods whose code has an indicator above "0".
    QSqlQuery q(company());
    ASSERT_TRUE(q.exec("SELECT r.cod_reg_iva, SUM(r.val_imponibile), SUM(r.val_iva) FROM CG_PRINOTAR_IVA AS r"
                       " JOIN CA_IVA AS i ON i.cod_iva=r.cod_iva WHERE substr(r.dat_comp_iva, 1, 4)='2025' AND r.cod_reg_iva<>''"
                       " AND i.ind_tipo_3000>'0' GROUP BY r.cod_reg_iva ORDER BY r.cod_reg_iva"));
    QStringList expected;
    while (q.next())
        expected << " 2025 |" + q.value(0).toString() + "|" + sumText(q.value(1)) + sumText(q.value(2));
    EXPECT_EQ(totals.totals(), expected);
    EXPECT_EQ(totals.totals().size(), 3); // A, C, V

    // By code: one line per register and code, the code without a VAT code row too.
    ASSERT_TRUE(q.exec("SELECT COUNT(*) FROM (SELECT DISTINCT cod_reg_iva, cod_iva FROM CG_PRINOTAR_IVA"
                       " WHERE substr(dat_comp_iva, 1, 4)='2025' AND cod_reg_iva<>'')"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(totals.byCode().size(), q.value(0).toInt() + 1);
    const QStringList unknown = totals.byCode().filter("|X99|");
    ASSERT_EQ(unknown.size(), 1);
    EXPECT_EQ(unknown[0], " 2025 |V|X99|  |       1.234,56|           0,00|" + QString(30, ' ') + "|");
    const QStringList exempt = totals.byCode().filter("|E15|");
    ASSERT_FALSE(exempt.isEmpty());
    EXPECT_TRUE(exempt[0].contains("|E15|3 |")) << exempt[0].toStdString();
    // By period: two periods of a code are two lines that add up to its line by code.
    const QStringList periods = totals.byPeriod().filter(QRegularExpression("^ 2025 \\|..\\|V\\|22 \\|"));
    EXPECT_EQ(periods.size(), 12);
    Amount sum;
    for (const QString& line : periods)
        sum += *Amount::parse(line.section('|', 5, 5).trimmed().remove('.'));
    const QString byCode = totals.byCode().filter(QRegularExpression("^ 2025 \\|V\\|22 \\|")).value(0);
    EXPECT_EQ(sum.toText(2), byCode.section('|', 4, 4).trimmed());
    // A year without balances: empty lists.
    ASSERT_TRUE(totals.read(1999));
    EXPECT_TRUE(totals.byPeriod().isEmpty() && totals.byCode().isEmpty() && totals.totals().isEmpty());
    // The report holds its sections and opens in the viewer.
    ASSERT_TRUE(totals.read(2025));
    const QString path = totals.writeReport();
    ASSERT_EQ(path, home.file("SUMIVA.TXT"));
    EXPECT_EQ(ui.opened, QStringList{ctx->viewer() + "|" + path});
    const QStringList lines = home.lines("SUMIVA.TXT");
    EXPECT_EQ(lines[0], "Anno 2025 - Azienda: DEMO");
    EXPECT_EQ(lines[1], QString(30, '='));
    EXPECT_EQ(lines[3], "Totali IVA COM3000");
    EXPECT_EQ(lines.mid(6, 3), totals.totals());
    const qsizetype com3000 = lines.indexOf("Importi per Codice - SOLO COM3000");
    const qsizetype allCodes = lines.indexOf("Importi per Codice");
    ASSERT_GT(com3000, 0);
    ASSERT_GT(allCodes, com3000);
    const QStringList only3000 = lines.mid(com3000 + 2, allCodes - com3000 - 3);
    // Codes of indicator "0" and the one without a VAT code row are left out; the indicator is named.
    EXPECT_TRUE(only3000.filter("|NS2|").isEmpty());
    EXPECT_TRUE(only3000.filter("|X99|").isEmpty());
    EXPECT_TRUE(only3000.filter("|E15|").value(0).endsWith("|Escl.|"));
    EXPECT_TRUE(only3000.filter("|NI8|").value(0).endsWith("|NoImp|"));
    EXPECT_TRUE(only3000.filter("|4  |").value(0).endsWith("|NoEsp|"));
    EXPECT_EQ(lines.mid(allCodes + 2, totals.byCode().size()), totals.byCode());
    EXPECT_TRUE(lines.contains("Importi per Codice / Periodo"));
    // Amounts are never cut.
    exec(company(), "INSERT INTO CG_SALDI_IVA VALUES (2030, 1, 'V', '22', 9876543210123.45, -987654321012.34)");
    ASSERT_TRUE(totals.read(2030));
    ASSERT_EQ(totals.totals().size(), 1);
    EXPECT_EQ(totals.totals()[0], " 2030 |V|9876543210123,45|-987654321012,34|");
}

} // namespace
