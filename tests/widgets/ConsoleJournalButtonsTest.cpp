// The console's buttons of the journal totals, the settlements and the
// comparison, clicked and right-clicked as a user does.
#include "ConsoleSession.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QAbstractItemView>
#include "ChartWindow.h"
#include "KeysHelp.h"
#include "LinesTable.h"
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace corv;
using Answer = Ui::Answer;
using corv::test::rightClick;

namespace {

class ConsoleJournalButtons : public corv::test::ConsoleSession {
protected:
    QPushButton* button(const char* name) { return console->findChild<QPushButton*>(QLatin1String(name)); }
    void chooseYear(int year)
    {
        console->tabs()->setCurrentIndex(2);
        auto* companies = console->findChild<QComboBox*>("Cmb_Aziende");
        const int row = companies->findText(QString::number(year), Qt::MatchContains);
        ASSERT_GE(row, 0);
        choose(companies, row);
    }
};

TEST_F(ConsoleJournalButtons, EveryButtonOfTheJournalAndSettlementsIsEnabled)
{
    chooseYear(2025);
    for (const char* name : {"Cmd_ArPrimaNota", "Cmd_ArNatura", "Cmd_ArTotali", "Cmd_CvPrimaNota", "Cmd_CvLiquidazioni", "Cmd_CvConfronto"})
        EXPECT_TRUE(button(name)->isEnabled()) << name;
    EXPECT_EQ(button("Cmd_CvPrimaNota")->toolTip(), "Click-DX per Somme Codici IVA");
}

TEST_F(ConsoleJournalButtons, CorvinaTotalsThenTheSumsByRightClick)
{
    chooseYear(2025);
    QTest::mouseClick(button("Cmd_CvPrimaNota"), Qt::LeftButton);
    const QStringList lines = console->results();
    ASSERT_FALSE(lines.isEmpty());
    // Receipts (no customer) sort first, then customers and suppliers.
    EXPECT_TRUE(lines.first().startsWith("             |2025")) << lines.first().toStdString();
    EXPECT_EQ(lines.filter(QRegularExpression("^1  000001    \\|2025")).size(), lines.filter(QRegularExpression("^1  000001 ")).size());
    EXPECT_TRUE(console->findChild<LinesTable*>("Lst_Risultati")->heading().startsWith("T  Codice    |Data Doc."));
    EXPECT_EQ(lines.filter(" Az.: DEMO  Anno : 2025 - Totali per Codice IVA da Corvina").size(), 1);
    rightClick(button("Cmd_CvPrimaNota"));
    const QStringList after = console->results();
    EXPECT_EQ(after.mid(0, lines.size()), lines);
    EXPECT_EQ(after.filter(" Az.: DEMO  Anno : 2025 - Totali per Codice IVA da Corvina").size(), 2);
}

TEST_F(ConsoleJournalButtons, ArdeaTotalsNeedTheListsThenOpenTheReport)
{
    console->tabs()->setCurrentIndex(0);
    ui.expectMessage("MANCANO DATI TABELLE ! Leggere prima i Dati per Corvina !!");
    QTest::mouseClick(button("Cmd_ArPrimaNota"), Qt::LeftButton);
    EXPECT_TRUE(ui.opened.isEmpty());
    QTest::mouseClick(button("Cmd_ArLeggi"), Qt::LeftButton);
    QTest::mouseClick(button("Cmd_ArPrimaNota"), Qt::LeftButton);
    ASSERT_EQ(ui.opened.size(), 1);
    EXPECT_TRUE(ui.opened.first().endsWith("/PN_ar_DEMO.LOG")) << ui.opened.first().toStdString();
    QSqlQuery count(ctx->connections().db(Connections::Company));
    ASSERT_TRUE(count.exec("SELECT COUNT(*) FROM CG_PRINOTAR_IVA") && count.next());
    const QStringList lines = console->results();
    ASSERT_GT(lines.size(), count.value(0).toInt());
    EXPECT_EQ(lines[count.value(0).toInt()], QString(76, '=')); // the register totals follow the rows
    EXPECT_EQ(ui.statuses.last(), "Termine Lettura PN da Ardea !!");
}

TEST_F(ConsoleJournalButtons, SettlementsToDefinitiveByRightClickOnTotals)
{
    console->tabs()->setCurrentIndex(0);
    QTest::mouseClick(button("Cmd_ArTotali"), Qt::LeftButton); // the VAT totals window
    ASSERT_EQ(ui.formsShown.size(), 1u);
    EXPECT_EQ(ui.formsShown[0].kind, FormKind::VatTotals);
    ui.expectInput("Periodo finale per Liquidazioni in Definitivo", "122025").expectMessage("Completata messa a Definitivo Liquidazioni !!");
    rightClick(button("Cmd_ArTotali"));
    EXPECT_TRUE(ui.finished());
}

// Both comparisons wait for a Corvina company and year, then open their report.
TEST_F(ConsoleJournalButtons, TheComparisonsWaitForACorvinaCompany)
{
    auto* companies = console->findChild<QComboBox*>("Cmb_Aziende");
    companies->setCurrentIndex(-1);
    Q_EMIT companies->activated(-1);
    for (const char* name : {"Cmd_CvConfronto", "Cmd_CvConfrontoLiq"})
        EXPECT_FALSE(button(name)->isEnabled()) << name;
    chooseYear(2025);
    QTest::mouseClick(button("Cmd_CvConfronto"), Qt::LeftButton);
    // Beside the report, the differences per customer/supplier as bars: the three planted.
    auto* chart = console->findChild<ChartWindow*>("F_Grafico");
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->data().categories.size(), 3);
    EXPECT_EQ(chart->data().seriesNames, (QStringList{"Diff. Imponibile", "Diff. IVA"}));
    chart->close();
    // Each button of the tab shown has its key: the eleventh, Ctrl+Shift+1.
    console->show();
    console->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(console.get()));
    QTest::keyClick(console.get(), Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier);
    // F1 lists every key, that one too.
    QTest::keyClick(console.get(), Qt::Key_F1);
    auto* keys = console->findChild<KeysHelp*>("F_Aiuto");
    ASSERT_NE(keys, nullptr);
    EXPECT_TRUE(keys->text().contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_1).toString(QKeySequence::NativeText) + "\nConfronto liquidazioni"))
        << keys->text().toStdString();
    keys->close();
    ASSERT_EQ(ui.opened.size(), 2);
    EXPECT_TRUE(ui.opened[0].endsWith("/Confronto_DEMO_2025.LOG"));
    EXPECT_TRUE(ui.opened[1].endsWith("/ConfrontoLiq_DEMO_2025.LOG"));
}

} // namespace


namespace {

TEST_F(ConsoleJournalButtons, TheNemboTabWorksOnTheDemoExport)
{
    console->tabs()->setCurrentIndex(1);
    auto* companies = console->findChild<QComboBox*>("Cmb_AziNembo");
    ASSERT_EQ(companies->count(), 2);
    EXPECT_EQ(companies->currentText(), "001");
    for (const char* name : {"Cmd_NbCartella", "Cmd_NbLeggi", "Cmd_NbPrimaNota", "Cmd_PIEnti", "Cmd_NbLiquidazioni"})
        EXPECT_TRUE(button(name)->isEnabled()) << name;
    ui.expectMessage("C.Iva: 22   Ind_Com3000 <> Ind_Iva  :  1 <> 2");
    QTest::mouseClick(button("Cmd_NbLeggi"), Qt::LeftButton);
    const auto rows = [this](const char* name) { return console->findChild<QAbstractItemView*>(name)->model()->rowCount(); };
    EXPECT_GT(rows("Lst_NbIva"), 0);
    EXPECT_GT(rows("Lst_NbCau"), 0);
    EXPECT_GT(rows("Lst_NbCliFor"), 100);
    QTest::mouseClick(button("Cmd_NbPrimaNota"), Qt::LeftButton);
    EXPECT_EQ(ui.statuses.last(), "Completata Generazione Totali.");
    EXPECT_TRUE(QFile::exists(ctx->paths().dataFile("PN_nb_001.LOG")));
    EXPECT_TRUE(ui.opened.isEmpty()); // the legacy totals report is not opened
    QTest::mouseClick(button("Cmd_NbLiquidazioni"), Qt::LeftButton);
    EXPECT_EQ(console->results().first(), "Liquidazioni IVA 2024 - Ferramenta Rossi & Figli S.r.l.");
    ui.expectMessage("( ATTENZIONE : Controllate colonna NAZIONE per Esteri !! )");
    QTest::mouseClick(button("Cmd_PIEnti"), Qt::LeftButton);
    EXPECT_GE(console->results().size(), 4);
    // Company 002 has its company record only.
    companies->setCurrentIndex(1);
    QTest::mouseClick(button("Cmd_NbLiquidazioni"), Qt::LeftButton);
    EXPECT_EQ(ui.beeps, 1);
}

TEST_F(ConsoleJournalButtons, ThePublicBodyAndForeignCodeButtonsOfArdea)
{
    console->tabs()->setCurrentIndex(0);
    ui.expectMessage("Presenti codici con PI errata").expectMessage("Confermi spostamento Automatico", Answer::No).expectMessage("Dalla gestione");
    QTest::mouseClick(button("Cmd_ARPIEnti"), Qt::LeftButton);
    EXPECT_EQ(console->results().size(), 6); // the five planted bodies of the Italian area, one customer and supplier listed twice
    ui.expectMessage("Confermi compilazione CF Estero su Ardea ?", Answer::Yes).expectMessage("Elenco codici Nazioni SOLO Italiane", Answer::Yes);
    QTest::mouseClick(button("Cmd_AREster"), Qt::LeftButton);
    ASSERT_EQ(ui.opened.size(), 1);
    EXPECT_TRUE(ui.opened.first().endsWith("CFEster.LOG"));
}

} // namespace
