#include "journal/Settlements.h"
#include "DemoSession.h"

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
}

TEST_F(SettlementsTest, PeriodTextRules)
{
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

} // namespace
