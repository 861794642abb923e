#include "demo/DemoInstallation.h"
#include "forms/FlagLists.h"
#include "DemoSession.h"

#include <gtest/gtest.h>

using namespace corv;

namespace {

using FlagListsTest = corv::test::DemoSession;

TEST_F(FlagListsTest, ArdeaCodesListedSelectedAndCorrected)
{
    FlagList list(*ctx, FlagSource::ArdeaVatCodes);
    ASSERT_EQ(list.sources(), QStringList{"AR_COMUNE"});
    ASSERT_TRUE(list.read(0));
    ASSERT_EQ(list.rows().size(), 9);
    EXPECT_EQ(list.rows().first(), "E10|Esente art.10                 |0    |3   |2   |0   |E   |    |0    |          |");
    EXPECT_EQ(list.description().header, "Cod| Descrizione                  |% IVA|3000|All.|Dich|Tipo|Intr|");
    // The codes not in the periodic declaration as "1".
    const QList<int> toCorrect = list.rowsToCorrect(2, "1=Comunicazione Dati IVA/Liquidazione");
    QStringList codes;
    for (int i : toCorrect)
        codes << list.rows()[i].left(3).trimmed();
    EXPECT_EQ(codes, (QStringList{"E10", "FC", "NS2"}));
    EXPECT_EQ(list.apply(toCorrect, 2, "1=Comunicazione Dati IVA/Liquidazione"), 3);
    const QSqlDatabase common = ctx->connections().db(Connections::Common);
    EXPECT_EQ(column(common, "SELECT DISTINCT ind_dich_per FROM CA_IVA"), QStringList{"1"});
    // A blank value matches the codes whose field is blank.
    const QList<int> intra = list.rowsToCorrect(4, " =Non definito");
    EXPECT_EQ(intra.size(), 2); // NS2 "S" and RC "B"
    const QStringList log = home.logLines();
    for (const QString& line : log)
        EXPECT_FALSE(line.contains(kDemoPassword)) << line.toStdString();
    // Nothing chosen: said.
    ui.expectMessage("Nessun codice selezionato per la modifica !!");
    EXPECT_EQ(list.apply({}, 2, "1=x"), 0);
    ui.expectMessage("Nessun Valore Indicatore selezionato per la modifica !!");
    EXPECT_EQ(list.apply({0}, 2, ""), 0);
    EXPECT_EQ(ui.beeps, 2);
}

TEST_F(FlagListsTest, ARowIsChangedByItsWholeCodeNotItsCutText)
{
    // "E10B" shows as "E10" in its 3-character column, beside the real "E10".
    const QSqlDatabase common = ctx->connections().db(Connections::Common);
    exec(common, "INSERT INTO CA_IVA (cod_iva, des_iva, prc_iva, ind_dich_per) SELECT 'E10B', 'Esente bis', prc_iva, '0' FROM CA_IVA WHERE cod_iva='E10'");
    exec(common, "UPDATE CA_IVA SET ind_dich_per='0' WHERE cod_iva='E10'");
    FlagList list(*ctx, FlagSource::ArdeaVatCodes);
    ASSERT_TRUE(list.read(0));
    int bis = -1;
    for (int i = 0; i < list.rows().size(); ++i) {
        if (list.rows()[i].contains("Esente bis"))
            bis = i;
    }
    ASSERT_GE(bis, 0);
    EXPECT_TRUE(list.rows()[bis].startsWith("E10|"));
    EXPECT_EQ(list.apply({bis}, 2, "1=Comunicazione Dati IVA/Liquidazione"), 1);
    EXPECT_EQ(column(common, "SELECT ind_dich_per FROM CA_IVA WHERE cod_iva='E10B'"), QStringList{"1"});
    EXPECT_EQ(column(common, "SELECT ind_dich_per FROM CA_IVA WHERE cod_iva='E10'"), QStringList{"0"});
}

TEST_F(FlagListsTest, CorvinaNaturesSetForTheGroupAndYearReadOnly)
{
    FlagList list(*ctx, FlagSource::CorvinaVatCodes, state.corvinaCompanies);
    selectYear(2025);
    ASSERT_TRUE(list.read(state.corvinaRow));
    QList<int> three;
    for (int i = 0; i < list.rows().size(); ++i) {
        const QString code = list.rows()[i].left(5).trimmed();
        if (code == "22" || code == "10" || code == "4")
            three << i;
    }
    ASSERT_EQ(three.size(), 3);
    EXPECT_EQ(list.apply(three, 0, "3= N3 : Non Imponibile                 "), 3);
    const QSqlDatabase corvina = ctx->connections().db(Connections::Corvina);
    EXPECT_EQ(column(corvina, "SELECT VATNatureType FROM VATCode WHERE VATYear=2025 AND VATCode IN ('22', '10', '4')"),
              (QStringList{"3", "3", "3"}));
    EXPECT_EQ(column(corvina, "SELECT VATNatureType FROM VATCode WHERE VATYear=2016 AND VATCode IN ('22', '10', '4')"),
              (QStringList{"NULL", "NULL", "NULL"}));
    // The other indicators of this window change no field.
    EXPECT_EQ(list.apply(three, 1, "1=Non Imponibile"), 0);
    // A code gone since the read is counted and said.
    exec(corvina, "DELETE FROM VATCode WHERE VATYear=2025 AND VATCode='4'");
    ui.expectMessage("1 codici non più presenti : non modificati");
    EXPECT_EQ(list.apply(three, 0, "5= N5"), 2);
}

TEST_F(FlagListsTest, ReasonFlagsInvertedAndSetTrueInTheirStoredFormAndListed)
{
    FlagList list(*ctx, FlagSource::CorvinaReasons, state.corvinaCompanies);
    ui.expectMessage("Nessuna Causale in elenco !!");
    EXPECT_TRUE(list.report({}).isEmpty());
    selectYear(2025);
    ASSERT_TRUE(list.read(state.corvinaRow));
    QList<int> chosen;
    for (int i = 0; i < list.rows().size(); ++i) {
        const QString code = list.rows()[i].left(5).trimmed();
        if (code == "COR" || code == "FV")
            chosen << i;
    }
    ASSERT_EQ(chosen.size(), 2);
    const QSqlDatabase corvina = ctx->connections().db(Connections::Corvina);
    const QString flags = "SELECT InVATData || '/' || IFNULL(VATReverseCharge, 'NULL') FROM AccountingRsn WHERE VATYear=2025 AND ReasonCode IN ('COR', 'FV') ORDER BY ReasonCode";
    EXPECT_EQ(column(corvina, flags), (QStringList{"1/NULL", "1/0"}));
    EXPECT_EQ(list.setFlags(chosen, {"InVATData", "VATReverseCharge"}, true), 2);
    // A Null flag inverted becomes true.
    EXPECT_EQ(column(corvina, flags), (QStringList{"0/1", "0/1"}));
    EXPECT_EQ(list.setFlags(chosen, {"InVATData", "VATReverseCharge"}, false), 2);
    EXPECT_EQ(column(corvina, flags), (QStringList{"1/1", "1/1"}));
    // The other reasons are as they were.
    EXPECT_EQ(column(corvina, "SELECT DISTINCT VATReverseCharge FROM AccountingRsn WHERE VATYear=2025 AND ReasonCode IN ('FA', 'NCV')"),
              QStringList{"0"});
    // The list's report marks the selected rows.
    const QString path = list.report({0});
    EXPECT_TRUE(path.endsWith("CCONT_DEMO_2025.TXT")) << path.toStdString();
    const QStringList lines = home.lines(QFileInfo(path).fileName());
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines[0], "Indicatori Causali Cont.. - DEMO_2025");
    EXPECT_EQ(lines[2], list.description().header);
    EXPECT_EQ(lines[3], "  Considera  |  NotaCred CEE  |  Autofattura  |  Reverse Charge  |");
    EXPECT_EQ(lines[4], "- " + list.rows()[0]);
    EXPECT_EQ(lines[5], "  " + list.rows()[1]);
}

} // namespace
