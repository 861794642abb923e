#include "journal/Settlements.h"
#include "DemoSession.h"
#include "comparison/SettlementComparison.h"

#include <gtest/gtest.h>

using namespace corv;
using Outcome = CommandResult::Outcome;

namespace {

// DEMO's monthly summaries (2024 definitive or printed; 2025 definitive up to
// May and September; January and February 2026 provisional) and, added here, quarterly ones of 2023 with periods 13 and 14,
// and monthly ones of 2022 written without the leading zero.
class SettlementsTest : public corv::test::DemoSession {
protected:
    void SetUp() override
    {
        DemoSession::SetUp();
        exec(company(), "INSERT INTO CG_LIQUIDT_RIEP (num_anno, ind_tipo_periodo, ind_periodo, ind_stato_liq) VALUES"
                        " (2023, 'T', '1', 'P'), (2023, 'T', '2', 'P'), (2023, 'T', '3', 'P'), (2023, 'T', '4', 'P'),"
                        " (2023, 'T', '13', 'P'), (2023, 'T', '14', 'P'), (2022, 'M', '2', 'P'), (2022, 'M', '10', 'P')");
    }

    // The provisional periods, "year/period" in order.
    QStringList provisional() const
    {
        return column(company(), "SELECT num_anno || '/' || ind_periodo FROM CG_LIQUIDT_RIEP WHERE ind_stato_liq='P'"
                                 " ORDER BY num_anno, CAST(ind_periodo AS INTEGER)");
    }

    Outcome makeDefinitive(const QString& typed, const QString& message)
    {
        ui.expectInput("Periodo finale per Liquidazioni in Definitivo", typed);
        ui.expectMessage(message);
        return makeSettlementsDefinitive(*ctx).outcome;
    }
};

const QStringList kProvisionalFrom2025 = {"2025/06", "2025/07", "2025/08", "2025/10", "2025/11", "2025/12", "2026/01", "2026/02"};

// Periods made definitive one after the other: every earlier year, the months
// up to the one typed, quarters by their last month, periods 13 and 14 as
// given; periods compare as numbers ("2" is February, "10" October).
TEST_F(SettlementsTest, EveryProvisionalPeriodUpToTheOneTypedBecomesDefinitive)
{
    const QString done = "Completata messa a Definitivo Liquidazioni !!";
    const QStringList from2023 = {"2023/1", "2023/2", "2023/3", "2023/4", "2023/13", "2023/14"};
    const struct {
        const char* typed;
        QString said;
        QStringList provisional;
    } steps[] = {
        {"122021", "Nessun Periodo da mettere a Definitivo !!", QStringList{"2022/2", "2022/10"} + from2023 + kProvisionalFrom2025},
        {"062022", done, QStringList{"2022/10"} + from2023 + kProvisionalFrom2025},
        {" 072023 ", done, QStringList{"2023/3", "2023/4", "2023/13", "2023/14"} + kProvisionalFrom2025},
        {"132023", done, QStringList{"2023/14"} + kProvisionalFrom2025},
        {"142023", done, kProvisionalFrom2025},
        {"082025", done, {"2025/10", "2025/11", "2025/12", "2026/01", "2026/02"}},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(makeDefinitive(step.typed, step.said), Outcome::Done) << step.typed;
        EXPECT_EQ(provisional(), step.provisional) << step.typed;
    }
    EXPECT_EQ(ui.said.back().title, "AR_LiqDef");
    EXPECT_EQ(ui.prompts.first(), "Periodo finale per Liquidazioni in Definitivo\r\n(MMAAAA  -  Es.: 062017 = Giugno 2017)\r\n"
                                  "(MM=13, MM=14)\r\n(Spazi per abbandonare)");
}

TEST_F(SettlementsTest, ASettlementChangedMeanwhileIsLeftAndTheRunIsNoSuccess)
{
    // Another user prints 10/2022 while 2/2022 is being made definitive.
    exec(company(), "CREATE TRIGGER altro_utente AFTER UPDATE ON CG_LIQUIDT_RIEP WHEN NEW.num_anno=2022 AND NEW.ind_periodo='2'"
                    " BEGIN UPDATE CG_LIQUIDT_RIEP SET ind_stato_liq='S' WHERE num_anno=2022 AND ind_periodo='10'; END");
    EXPECT_EQ(makeDefinitive("122022", "Liquidazioni NON messe a Definitivo, modificate da un altro utente o non più presenti :\r\n10/2022"),
              Outcome::Failed);
    EXPECT_EQ(scalar(company(), "SELECT COUNT(*) FROM CG_LIQUIDT_RIEP WHERE num_anno=2022 AND ind_periodo='10' AND ind_stato_liq='S'"), 1);
    EXPECT_FALSE(ui.said.back().text.startsWith("Completata"));
}

TEST_F(SettlementsTest, BadPeriodTextsAreRefusedAndNothingChanges)
{
    const QStringList before = provisional();
    for (const QString& typed : {QString("152017"), QString("002017"), QString("06201"), QString("0620AB"), QString("061989"), QString(""),
                                 QString("   "), QString("0620170"), QString("+62017"), QString::fromUtf8("０６２０１７")}) {
        ui.beeps = 0;
        EXPECT_EQ(makeDefinitive(typed, "Periodo NON Valido !!"), Outcome::Declined) << typed.toStdString();
        EXPECT_EQ(ui.said.back().title, "AR_LiqDef");
        EXPECT_EQ(ui.said.back().icon, Ui::Icon::Critical);
        EXPECT_EQ(ui.beeps, 1);
    }
    ui.expectInput("Periodo finale", std::nullopt); // the box cancelled
    ui.expectMessage("Periodo NON Valido !!");
    EXPECT_EQ(makeSettlementsDefinitive(*ctx).outcome, Outcome::Declined);
    EXPECT_EQ(provisional(), before);
    // The period text rules.
    ASSERT_TRUE(parseSettlementPeriod("142017"));
    EXPECT_EQ(parseSettlementPeriod("142017")->month, 14);
    EXPECT_EQ(parseSettlementPeriod("011990")->year, 1990);
    EXPECT_FALSE(parseSettlementPeriod("011989"));
    const SettlementPeriod june{6, 2017};
    EXPECT_TRUE(settlementWithin(2016, "M", "12", june));
    EXPECT_TRUE(settlementWithin(2017, "M", "06", june));
    EXPECT_FALSE(settlementWithin(2017, "M", "07", june));
    EXPECT_TRUE(settlementWithin(2017, "T", "2", june));
    EXPECT_FALSE(settlementWithin(2017, "T", "3", june));
    EXPECT_FALSE(settlementWithin(2017, "M", "13", june));
    EXPECT_FALSE(settlementWithin(2018, "M", "01", june));
}

TEST_F(SettlementsTest, CorvinaSettlementsListedMonthByMonth)
{
    exec(corvina(), "DELETE FROM VATSettlement");
    exec(corvina(), "INSERT INTO VATSettlement (CompanyCode, VATYear, CompanyGroupCode, ReferenceMonth, TotalActiveOperationsAmount,"
                    " TotalPassiveOperationsAmount, ChargeableVATAmount, DeductedVATAmount, DebitCreditAmount, VATSplitPayment) VALUES"
                    " ('DEMO', 2025, '', 4, 46000, 28600, 10120, 6292, 3828, 220.5),"
                    " ('DEMO', 2025, '', 8, 52000, 90000, 11440, 19800, -8360, 0)");
    selectYear(2025);
    ASSERT_EQ(run("Cmd_CvLiquidazioni").outcome, Outcome::Done);
    EXPECT_EQ(state.results.heading, "M.|   Op.Attive|  Op.Passive| IVA Clienti|   IVA Forn.|Deb./Cred.T.|   IVA Split|Deb./Cred.N.|");
    EXPECT_EQ(state.results.lines.toStringList(),
              (QStringList{" 4|   46.000,00|   28.600,00|   10.120,00|    6.292,00|    4.048,50|      220,50|    3.828,00|",
                           // The sign is Corvina's, shown as stored.
                           " 8|   52.000,00|   90.000,00|   11.440,00|   19.800,00|   -8.360,00|        0,00|   -8.360,00|"}));
    // A company year without settlements says so.
    selectYear(2016);
    ASSERT_EQ(run("Cmd_CvLiquidazioni").outcome, Outcome::Done);
    EXPECT_EQ(state.results.lines.toStringList(),
              (QStringList{"****************************************", "*** Nessuna Liquidazione presente !! ***", "****************************************"}));
    EXPECT_EQ(ui.beeps, 1);
}

// The settlements of Ardea and Corvina compared period by period: which
// figure stands against which, quarters summed from Corvina's months, the
// half-cent rule, and what cannot be compared.
Amount money(const char* text) { return *Amount::parse(text); }

SettlementFigures figures(const char* salesTaxable, const char* salesVat, const char* purchasesTaxable, const char* purchasesVat,
                          const char* balance, const char* split)
{
    return {money(salesTaxable), money(salesVat), money(purchasesTaxable), money(purchasesVat), money(balance), money(split)};
}

TEST(SettlementComparisonLines, QuartersSumTheirMonthsAndEveryColumnCountsAlone)
{
    ArdeaSettlementYear ardea{SettlementPeriodKind::Quarterly, {}};
    ardea.periods[1] = {true, "Definitiva", figures("300", "66", "90", "19.8", "46.2", "0")};
    ardea.periods[2] = {true, "Provvisoria", figures("100", "22", "0", "0", "22", "0")};
    ardea.periods[3] = {true, "Provvisoria", figures("100", "22", "0", "0", "17", "5")};
    ardea.periods[4] = {true, "Provvisoria", figures("10", "2.2", "0", "0", "2.2", "0")};
    std::map<int, SettlementFigures> corvina;
    for (int month : {1, 2, 3}) // the first quarter in three equal months
        corvina[month] = figures("100", "22", "30", "6.6", "15.4", "0");
    corvina[4] = figures("100", "22", "0", "0.004", "22", "0"); // within half a cent
    corvina[7] = figures("100", "22", "0", "0", "17", "5.005"); // half a cent: a difference
    corvina[13] = figures("0", "0", "0", "0", "1", "0");       // a further period of Corvina's only
    const SettlementComparison c = compareSettlementFigures(ardea, corvina, 2025, "Titolo");

    EXPECT_EQ(c.compared, 5);
    EXPECT_EQ(c.differing, 3);
    ASSERT_EQ(c.lines.size(), 6 + 5 + 2);
    EXPECT_EQ(c.lines[0], "Periodi confrontati : 5 - con differenze : 3");
    EXPECT_EQ(c.lines[1], "Titolo");
    EXPECT_TRUE(c.lines[3].startsWith("       |           |              Imponibile vendite               |                  IVA vendite"));
    EXPECT_TRUE(c.lines[4].startsWith("Periodo|Stato      |         Ardea |       Corvina |    Differenza |"));
    EXPECT_EQ(c.lines[6], "1T/2025|Definitiva |        300,00 |        300,00 |          0,00 |         66,00 |         66,00 |          0,00 |"
                          "         90,00 |         90,00 |          0,00 |         19,80 |         19,80 |          0,00 |"
                          "         46,20 |         46,20 |          0,00 |          0,00 |          0,00 |          0,00 |");
    EXPECT_FALSE(c.lines[7].contains("<<<")) << c.lines[7].toStdString();
    EXPECT_TRUE(c.lines[8].startsWith("3T/2025|Provvisoria|") && c.lines[8].endsWith("|          5,00 |          5,01 |          0,01 | <<<"))
        << c.lines[8].toStdString();
    EXPECT_TRUE(c.lines[9].startsWith("4T/2025|Provvisoria|         10,00 |               |        -10,00 |") && c.lines[9].endsWith(" <<< solo in Ardea"))
        << c.lines[9].toStdString();
    EXPECT_TRUE(c.lines[10].startsWith("13/2025|           |               |          0,00 |") && c.lines[10].endsWith(" <<< solo in Corvina"));
    EXPECT_EQ(c.lines[11], QString(c.lines[4].size(), '='));
    EXPECT_TRUE(c.lines[12].startsWith("Totale |           |        510,00 |        500,00 |        -10,00 |")) << c.lines[12].toStdString();

    // The same rows for a program: a period per row, amounts without thousands.
    const QList<QStringList> data = settlementComparisonData(c);
    ASSERT_EQ(data.size(), 5);
    EXPECT_EQ(settlementComparisonColumns().size(), data[0].size());
    EXPECT_EQ(data[2].mid(0, 2), (QStringList{"3T/2025", "Provvisoria"}));
    EXPECT_EQ(data[2].mid(17), (QStringList{"5,00", "5,01", "0,01", "<<<"}));
    EXPECT_EQ(data[3].mid(2, 3), (QStringList{"10,00", "", "-10,00"}));
}

class SettlementComparisonTest : public corv::test::DemoSession {
protected:
    QString reportOf(int year) const { return home.file(QString("ConfrontoLiq_DEMO_%1.LOG").arg(year)); }
};

// Hand-made rows of a year of their own: sales and receipts registers sold,
// a credit note negative in taxable amount and VAT, a code outside the
// periodic declaration left out; the settlement's total and split.
TEST_F(SettlementComparisonTest, EachFigureIsReadFromTheColumnItStandsFor)
{
    exec(company(), "INSERT INTO CG_LIQUIDT_RIEP VALUES (2031, 'M', '03', 'P', 148.5, 12.5, 0, 0, '', '')");
    exec(company(), "INSERT INTO CG_PRINOTAR_IVA (prg_prinota, prg_prinota_riga, num_riga, cod_caucon, cod_iva, cod_reg_iva, val_imponibile, val_iva,"
                    " dat_comp_iva) VALUES (990001, 1, 1, 'FV', '22', 'V', 1000, 220, '2031-03-05 00:00:00'),"
                    " (990002, 1, 1, 'COR', '10', 'C', 100, 10, '2031-03-31 00:00:00'),"
                    " (990003, 1, 1, 'NCV', '22', 'V', 50, 11, '2031-03-10 00:00:00'),"
                    " (990004, 1, 1, 'FA', '22', 'A', 400, 88, '2031-03-15 00:00:00'),"
                    " (990005, 1, 1, 'FV', 'FC', 'V', 999, 0, '2031-03-15 00:00:00'),"
                    " (990006, 1, 1, 'FV', '22', 'V', 777, 170.94, '2031-04-01 00:00:00')");
    exec(corvina(), "INSERT INTO VATSettlement VALUES ('DEMO', 2031, '', 3, 1050, 400, 219, 88, 148.5, 12.5)");
    const CommandResult result = compareSettlements(*ctx, {CorvinaCompany{"DEMO", 2031, "", ""}});
    ASSERT_EQ(result.outcome, CommandResult::Outcome::Done);
    EXPECT_EQ(result.reportPath, reportOf(2031));
    // April has journal lines but no settlement: Ardea's only.
    EXPECT_EQ(result.findings, 1);
    ASSERT_EQ(result.dataRows.size(), 2);
    EXPECT_EQ(result.dataRows[0], (QStringList{"03/2031", "Provvisoria", "1050,00", "1050,00", "0,00", "219,00", "219,00", "0,00", "400,00", "400,00",
                                               "0,00", "88,00", "88,00", "0,00", "148,50", "148,50", "0,00", "12,50", "12,50", "0,00", ""}));
    EXPECT_EQ(result.dataRows[1].mid(0, 5), (QStringList{"04/2031", "(nessuna)", "777,00", "", "-777,00"}));
    EXPECT_EQ(result.dataRows[1].last(), "<<< solo in Ardea");
    EXPECT_EQ(home.lines("ConfrontoLiq_DEMO_2031.LOG").first(), "Periodi confrontati : 2 - con differenze : 1");
}

TEST_F(SettlementComparisonTest, WhatCannotBeComparedIsSaidAndNothingIsWritten)
{
    const struct {
        int year;
        const char* setup;
        const char* said;
    } cases[] = {
        {2024, "", "Nessuna liquidazione Corvina per DEMO 2024 : niente da confrontare"},
        {2016, "", "Nessuna liquidazione Ardea nel 2016 : niente da confrontare"},
        {2024, "INSERT INTO CG_LIQUIDT_RIEP VALUES (2024, 'T', '2', 'P', 1, 0, 0, 0, '', '')",
         "Liquidazioni Ardea del 2024 in parte mensili e in parte trimestrali :\r\nperiodi non confrontabili con i mesi di Corvina"},
    };
    for (const auto& c : cases) {
        if (*c.setup)
            exec(company(), c.setup);
        ui.expectMessage(c.said);
        const CommandResult result = compareSettlements(*ctx, {CorvinaCompany{"DEMO", c.year, "", ""}});
        EXPECT_EQ(result.outcome, CommandResult::Outcome::Declined) << c.said;
        EXPECT_FALSE(QFileInfo::exists(reportOf(c.year))) << c.said;
    }
    EXPECT_TRUE(ui.finished());
}

} // namespace
