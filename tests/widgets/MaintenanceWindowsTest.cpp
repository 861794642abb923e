// The maintenance windows on the demo as a person uses them: the VAT totals
// of a year, the settlement register's state change and the article search
// with its apply in F_StLiq, the choices kept.
#include "ChartWindow.h"
#include "DemoSession.h"
#include "FormWidgets.h"
#include "StockSettlementWindow.h"
#include "VatTotalsWindow.h"
#include "WorkbenchWindow.h"
#include "TestHome.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace corv;
using Answer = Ui::Answer;

namespace {

class MaintenanceWindows : public corv::test::DemoSession {
protected:
    static void choose(QComboBox* box, int index)
    {
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }
};

TEST_F(MaintenanceWindows, TheVatTotalsTheRegisterAndTheArticles)
{
    VatTotalsWindow window(*ctx);
    window.show();
    auto* years = window.findChild<QComboBox*>("Cmb_Anni");
    ASSERT_GE(years->count(), 2);
    EXPECT_TRUE(years->currentText().startsWith("2026|"));
    years->setCurrentIndex(1);
    EXPECT_GT(window.findChild<PipeListView*>("Lst_Per")->rows().size(), 20);
    EXPECT_EQ(window.findChild<PipeListView*>("Lst_Tot")->rows().size(), 3);
    QTest::mouseClick(window.findChild<QPushButton*>("Cmd_Print"), Qt::LeftButton);
    ASSERT_EQ(ui.opened.size(), 1);
    EXPECT_TRUE(ui.opened[0].endsWith("/SUMIVA.TXT"));
    EXPECT_TRUE(home.readFile("SUMIVA.TXT").startsWith("Anno 2025 - Azienda: DEMO"));
    // The year as a chart: the taxable amount and the VAT of each register by
    // period, the sums of the list's lines; kept as a PNG picture.
    QTest::mouseClick(window.findChild<QPushButton*>("Cmd_Grafico"), Qt::LeftButton);
    auto* chart = window.findChild<ChartWindow*>("F_Grafico");
    ASSERT_NE(chart, nullptr);
    const ChartData& data = chart->data();
    ASSERT_EQ(data.seriesNames.value(0), "Imponibile acquisti");
    double listed = 0;
    for (const QString& line : window.findChild<PipeListView*>("Lst_Per")->rows()) {
        if (line.section('|', 2, 2).trimmed() == "A" && line.section('|', 1, 1).trimmed().toInt() == data.categories.value(0).toInt())
            listed += Amount::parse(line.section('|', 5, 5).trimmed().remove('.'))->units() / 10000.0;
    }
    EXPECT_NEAR(data.series[0][0], listed, 0.005);
    ASSERT_TRUE(chart->savePng(home.file("grafico.png")));
    EXPECT_TRUE(home.readFile("grafico.png").startsWith("\x89PNG"));
    window.close();
    // The register changes the chosen settlements; the articles are searched and stamped.
    {
        StockSettlementWindow window(*ctx);
        window.show();
        auto* list = window.findChild<PipeListView*>("Lst_Mov");
        ASSERT_FALSE(list->rows().isEmpty());
        EXPECT_TRUE(list->rows().first().startsWith("2026|02|Provvisoria"));
        EXPECT_TRUE(list->heading().startsWith("Anno|P.|Stato"));
        EXPECT_FALSE(window.findChild<QPushButton*>("Cmd_CreaRettInv")->isEnabled());
        list->selectRows({0});
        window.findChild<QComboBox*>("Cmb_StLiq")->setCurrentText("Definitiva");
        ui.expectMessage("Confermi impostazione a 'Definitiva'", Answer::Yes);
        QTest::mouseClick(window.findChild<QPushButton*>("Cmd_SET"), Qt::LeftButton);
        EXPECT_TRUE(list->rows().first().startsWith("2026|02|Definitiva"));

        auto* date = window.findChild<DateField*>("Dat_Obs");
        date->setDateText("01/01/2025");
        window.findChild<QLineEdit*>("Txt_CodArt")->setText("ART0000");
        QTest::mouseClick(window.findChild<QPushButton*>("Cmd_ArtObs"), Qt::LeftButton);
        EXPECT_TRUE(list->heading().startsWith("Codice"));
        const QStringList articles = list->rows();
        ASSERT_FALSE(articles.isEmpty());
        EXPECT_TRUE(articles.first().startsWith("ART00001"));
        EXPECT_TRUE(window.findChild<QPushButton*>("Cmd_ArtObs")->isEnabled());
        EXPECT_FALSE(window.findChild<QPushButton*>("Cmd_Stop")->isEnabled());
        // Unticking the box after the search does not turn the apply into a removal.
        window.findChild<QCheckBox*>("Chk_YetObs")->setChecked(true);
        list->selectRows({0});
        ui.expectMessage("Confermi Obsolescenza Articoli al 01/01/2025 ?", Answer::Yes).expectMessage("Terminato assegnazione Data Obsoleto !");
        QTest::mouseClick(window.findChild<QPushButton*>("Cmd_Go"), Qt::LeftButton);
        QSqlQuery q(company());
        ASSERT_TRUE(q.exec("SELECT dat_obsoleto FROM MG_ARTBASE WHERE cod_art='" + articles.first().section('|', 0, 0).trimmed() + "'") && q.next());
        EXPECT_EQ(q.value(0).toString(), "2025-01-01 00:00:00");
        window.findChild<QLineEdit*>("Txt_GruM")->setText("FER");
        window.close();
    }
    const IniFile settings = ctx->corvSettings();
    EXPECT_EQ(settings.read("Invent", "DatObsoleti"), "01/01/2025");
    EXPECT_EQ(settings.read("Invent", ctx->company().name + "_GruM"), "FER");
    StockSettlementWindow again(*ctx);
    EXPECT_EQ(again.findChild<QLineEdit*>("Txt_GruM")->text(), "FER");
    EXPECT_EQ(again.findChild<QLabel*>("Lbl_GruM")->text(), "Ferramenta");
}

// The fiscal code workbench window typed into as a person would.
TEST(WorkbenchWindow, TypingComposesTheCodeAndTheLabelsAct)
{
    corv::test::TestHome home;
    corv::test::ScriptedUi ui;
    auto ctx = home.context(ui);
    WorkbenchWindow window(*ctx);
    window.show();
    QTest::keyClicks(window.findChild<QLineEdit*>("Txt_Cog"), "Rossi");
    QTest::keyClicks(window.findChild<QLineEdit*>("Txt_Nome"), "Mario");
    auto* birth = window.findChild<QLineEdit*>("Dat_Nas");
    birth->setFocus();
    birth->setCursorPosition(0);
    QTest::keyClicks(birth, "01011980");
    auto* town = window.findChild<QLineEdit*>("Txt_LocCod");
    QTest::keyClicks(town, "H501");
    QTest::keyClick(town, Qt::Key_Return); // the field left: the town looked up
    QApplication::processEvents();
    EXPECT_EQ(window.findChild<QLineEdit*>("Txt_AbbrCog")->text(), "RSS");
    EXPECT_EQ(window.findChild<QLineEdit*>("Txt_CodDat")->text(), "80A01");
    EXPECT_EQ(window.findChild<QLabel*>("Lbl_Calc")->text(), "RSSMRA80A01H501U");
    EXPECT_EQ(window.findChild<QLabel*>("Lbl_DesLoc")->text(), "ROMA");
    // Clicking the code writes and shows the sheet (its content, the sex and
    // the clearing are the workbench's own tests).
    QTest::mouseClick(window.findChild<QLabel*>("Lbl_Calc"), Qt::LeftButton);
    ASSERT_EQ(ui.opened.size(), 1);
    EXPECT_TRUE(ui.opened.first().endsWith("CODFISC.TXT"));
}

} // namespace
