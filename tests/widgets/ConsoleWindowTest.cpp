#include "LinesTable.h"
#include "ListWindow.h"
#include "QtUi.h"
#include "ConsoleSession.h"
#include "WindowPlacement.h"
#include "listview/Rs2List.h"

#include <QStatusBar>
#include <QHeaderView>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QSqlQuery>
#include <QListWidget>
#include <QTimer>
#include <QLabel>
#include <QProgressBar>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace corv;
using corv::test::ScriptedUi;
using corv::test::TestHome;
using Answer = Ui::Answer;

namespace {

// The demo installation's console, with what its tests look at.
class ConsoleWindowTest : public corv::test::ConsoleSession {
protected:
    template <typename T>
    T* child(const char* name)
    {
        T* found = console->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QStringList rows(const char* list) { return child<LinesTable>(list)->rows(); }
    void doubleClick(const char* list, int row)
    {
        LinesTable* view = child<LinesTable>(list);
        const QModelIndex index = view->model()->index(row, 0);
        view->setCurrentIndex(index);
        Q_EMIT view->doubleClicked(index);
    }
};

TEST_F(ConsoleWindowTest, AbbandonaSavesTheChoicesAndClosesEverything)
{
    console->resize(800, 600);
    console->tabs()->setCurrentIndex(1);
    child<QComboBox>("Cmb_Aziende")->setCurrentIndex(1);
    child<QComboBox>("Cmb_Source")->setCurrentIndex(1);
    QTest::mouseClick(child<QPushButton>("Cmd_Abbandona"), Qt::LeftButton);
    EXPECT_FALSE(console->isVisible());
    for (int n = 0; n < Connections::Count; ++n)
        EXPECT_FALSE(ctx->connections().isOpen(static_cast<Connections::Name>(n))) << n;
    const IniFile settings = ctx->corvSettings();
    EXPECT_EQ(settings.read("Param", "LastTab"), "1");
    EXPECT_EQ(settings.read("Param", "Source"), "1");
    EXPECT_EQ(settings.read("Param", "Last_Cv"), child<QComboBox>("Cmb_Aziende")->itemText(1));
    EXPECT_EQ(settings.read("Param", "DateIni"), "__/__/____");
    const Placement stored = Placement::parse(settings.read("PosFinestre", "F_Console_Size"));
    EXPECT_EQ(stored.width, console->width() * twipsPerPixel(console.get()));
    EXPECT_EQ(stored.height, console->height() * twipsPerPixel(console.get()));
}

TEST_F(ConsoleWindowTest, ClosingWhileACommandRunsStopsItAndThenCloses)
{
    ui.expectMessage("Contollo validità", Answer::Yes)
        .expectMessage("Effettuo le sostituzioni Automatiche ?", Answer::No)
        .expectMessage("Controllo presenza Prima Nota ?", Answer::No)
        .expectMessage("Correggo P.Iva Alfanumeriche ?", Answer::No)
        .expectMessage("Un comando è in corso.\r\nLo interrompo e chiudo il programma ?", Answer::Yes);
    bool closedMeanwhile = false;
    bool lockedMeanwhile = false;
    ui.onProcessEvents = [&] {
        if (!console->running() || closedMeanwhile)
            return;
        closedMeanwhile = true;
        lockedMeanwhile = !child<QPushButton>("Cmd_ArLeggi")->isEnabled() && child<QPushButton>("Cmd_Interrompi")->isEnabled();
        console->close(); // the close box while the check runs
        // Nothing was closed under the running command.
        EXPECT_TRUE(console->isVisible());
        EXPECT_TRUE(ctx->connections().isOpen(Connections::Company));
    };
    QTest::mouseClick(child<QPushButton>("Cmd_ARChkCFPI"), Qt::LeftButton);
    EXPECT_TRUE(closedMeanwhile);
    EXPECT_TRUE(lockedMeanwhile);
    EXPECT_TRUE(ui.statuses.contains("Controllo PI/CF Generico INTERROTTO dall'utente: le correzioni già salvate restano !!"))
        << ui.statuses.join('\n').toStdString();
    QApplication::processEvents(); // the close waits until the command has ended
    EXPECT_FALSE(console->isVisible());
    for (int n = 0; n < Connections::Count; ++n)
        EXPECT_FALSE(ctx->connections().isOpen(static_cast<Connections::Name>(n))) << n;
}

TEST_F(ConsoleWindowTest, ACompanyChangeShowsTheChooserAndForgetsTheOldCompanysLists)
{
    QTest::mouseClick(child<QPushButton>("Cmd_ArLeggi"), Qt::LeftButton);
    ASSERT_FALSE(rows("Lst_ArCliFor").isEmpty());
    doubleClick("Lst_ArCliFor", 0);
    ASSERT_FALSE(console->results().isEmpty());

    // The chooser comes up modally: choose PROVA and activate it.
    ui.expectMessage("VERIFICARE CHE Ardea SIA CHIUSO", Answer::Yes).expectMessage("CONFERMI PASSAGGIO AD AZIENDA : PROVA", Answer::Yes);
    QStringList chooserRows;
    QTimer::singleShot(0, [&] {
        auto* chooser = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->objectName(), "F_Aziende");
        auto* list = chooser->findChild<QListWidget*>("Lst_Aziende");
        for (int i = 0; i < list->count(); ++i)
            chooserRows << list->item(i)->text();
        list->setCurrentRow(1);
        QTest::mouseClick(chooser->findChild<QPushButton*>("Cmd_Attiva"), Qt::LeftButton);
    });
    QMouseEvent doubleClickEvent(QEvent::MouseButtonDblClick, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(child<QLabel>("Lbl_Azienda"), &doubleClickEvent);

    ASSERT_EQ(chooserRows.size(), 2);
    EXPECT_TRUE(chooserRows[1].startsWith("PROVA     |"));
    EXPECT_EQ(child<QLabel>("Lbl_Azienda")->text(), "PROVA");
    EXPECT_EQ(ctx->login().companyDatabase, "AR_PROVA");
    EXPECT_TRUE(ctx->connections().isOpen(Connections::Company));
    EXPECT_TRUE(rows("Lst_ArCliFor").isEmpty());
    EXPECT_TRUE(console->results().isEmpty());
    EXPECT_EQ(ctx->corvSettings().read("AMBIENTE", "Codice Azienda"), "PROVA");
}

TEST_F(ConsoleWindowTest, ACancelledArticleLookupLeavesTheFieldsAsTheyWere)
{
    QLineEdit* article = child<QLineEdit>("Txt_Articolo");
    article->setText("metrica");
    ui.expectList("Lista TABIVA", [](const QStringList&) { return std::nullopt; });
    QTest::keyClick(article, Qt::Key_F6);
    EXPECT_EQ(ui.listsShown, QStringList{"Lista TABIVA"});
    EXPECT_EQ(child<QLineEdit>("Txt_DesArt")->text(), "");
    EXPECT_EQ(article->text(), "metrica");
    // Chosen, the code and its description come back.
    ui.expectList("Lista TABIVA", [](const QStringList& lines) { return std::optional<QString>(lines.at(1)); });
    QTest::keyClick(article, Qt::Key_F6);
    EXPECT_EQ(article->text(), "VIT-M6-20");
    EXPECT_EQ(child<QLineEdit>("Txt_DesArt")->text(), "Vite metrica M6x20 zincata");
}

TEST_F(ConsoleWindowTest, ReloadingTheCorvinaCompaniesForgetsWhatTheOldRowsShowed)
{
    console->tabs()->setCurrentIndex(2);
    QComboBox* companies = child<QComboBox>("Cmb_Aziende");
    companies->setCurrentIndex(companies->findText("2025", Qt::MatchContains));
    QTest::mouseClick(child<QPushButton>("Cmd_CvLeggi"), Qt::LeftButton);
    ASSERT_FALSE(rows("Lst_CvIva").isEmpty());
    ASSERT_TRUE(QSqlQuery(ctx->connections().db(Connections::Corvina)).exec("UPDATE CorvinaRelease SET Release = '9.9.9'"));
    QTest::mouseClick(child<QPushButton>("Cmd_CvCombo"), Qt::LeftButton);
    EXPECT_TRUE(rows("Lst_CvIva").isEmpty());
    EXPECT_EQ(child<QLabel>("Lbl_RelCv")->text(), "9.9.9");
}

// The console opens on the Ardea tab of the company; the reference lists and
// the results are tables with their columns named, a click on a heading
// sorts by it, and the row count stands above the table.
TEST_F(ConsoleWindowTest, OpensOnArdeaAndItsListsAreTablesSortedByAHeading)
{
    EXPECT_EQ(console->tabs()->currentIndex(), 0);
    EXPECT_EQ(child<QLabel>("Lbl_Azienda")->text(), "DEMO");
    EXPECT_EQ(child<QLabel>("Lbl_RelAr")->text(), "06.12.01.0004");
    EXPECT_EQ(child<QComboBox>("Cmb_Source")->currentIndex(), 0); // the settings' default wins over the opening's 1
    QTest::mouseClick(child<QPushButton>("Cmd_ArLeggi"), Qt::LeftButton);
    EXPECT_EQ(child<LinesTable>("Lst_ArIva")->model()->headerData(1, Qt::Horizontal).toString(), "Descrizione");
    ASSERT_TRUE(rows("Lst_ArCliFor").value(0).startsWith("000001C|"));
    doubleClick("Lst_ArCliFor", 0);
    LinesTable* results = child<LinesTable>("Lst_Risultati");
    const QStringList lines = console->results();
    ASSERT_GT(lines.size(), 1);
    EXPECT_TRUE(results->heading().startsWith("Data Doc. |  Num.Doc.  |Serie|Protocollo|Serie|Rag.Soc."));
    EXPECT_EQ(ui.statuses.last(), QString("Trovate %1 registrazioni.").arg(lines.size()));
    const int taxable = static_cast<int>(results->linesModel()->columns().indexOf("Imponibile"));
    ASSERT_GE(taxable, 0);
    QTest::mouseClick(results->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(results->horizontalHeader()->sectionViewportPosition(taxable) + 5, 5));
    EXPECT_EQ(results->horizontalHeader()->sortIndicatorSection(), taxable);
    EXPECT_EQ(console->results(), lines); // kept as they came, for the right-click and the reports
    QLabel* count = child<QLabel>("Lbl_Righe");
    EXPECT_EQ(count->text(), QString("%1 Righe.").arg(lines.size()));
    EXPECT_LE(count->geometry().bottom(), results->geometry().top());
}

TEST_F(ConsoleWindowTest, IncoherentDatesAreReported)
{
    QLineEdit* from = child<QLineEdit>("Dat_Ini");
    QLineEdit* to = child<QLineEdit>("Dat_Fin");
    from->setText("01/02/2024");
    to->setText("31/01/2024");
    ui.expectMessage("Date incoerenti !");
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(to, &leave);
    EXPECT_EQ(ui.said.back().text, "Date incoerenti !");
    // The message box takes the focus away again, the window loses it: the
    // same mistake is told once.
    QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(to, &deactivated);
    QApplication::sendEvent(from, &leave);
    to->setText("__/__/____"); // an empty date is always coherent
    QApplication::sendEvent(to, &leave);
    EXPECT_EQ(std::count_if(ui.said.begin(), ui.said.end(), [](const auto& m) { return m.text == "Date incoerenti !"; }), 1);
}

TEST(WindowPlacement, AWindowStoredOffTheScreenComesBackWholeOnIt)
{
    TestHome home(false);
    IniFile settings(home.file("TLX_CORV.INI"));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const char* stored : {"2|-3000|-3000|6000|9000|", "0|-90000|-90000|6000|9000|", "0|1e300|nan|6000|9000|", "0|5000|999999|6000|9000|"}) {
        settings.write("PosFinestre", "F_Prova_Size", stored);
        QWidget window;
        window.resize(300, 200);
        restoreWindowPlacement(&window, settings, "F_Prova");
        const QRect normal = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
        EXPECT_TRUE(screen.contains(normal.topLeft())) << stored;
        EXPECT_TRUE(screen.contains(normal.bottomRight())) << stored;
    }
    // Once shown: one above the top edge and larger than the screen comes back whole.
    QWidget shown;
    shown.show();
    shown.resize(screen.width() + 200, screen.height() + 100);
    shown.move(screen.left() + 50, screen.top() - 80);
    keepOnScreen(&shown);
    EXPECT_TRUE(screen.contains(shown.frameGeometry()));
}

// A question of a sub-window comes up over it, and its status goes to its own bar.
TEST(QtUi, QuestionsStatusAndProgressGoToTheWindowInUse)
{
    QMainWindow console, sub;
    QtUi ui;
    ui.setMainWindow(&console, console.statusBar());
    console.show();
    sub.statusBar();
    sub.show();
    sub.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sub));
    ui.status("Stato della finestra");
    EXPECT_EQ(sub.statusBar()->currentMessage(), "Stato della finestra");
    EXPECT_TRUE(console.statusBar()->currentMessage().isEmpty());
    QWidget* parent = nullptr;
    QTimer::singleShot(0, [&] {
        parent = QApplication::activeModalWidget()->parentWidget();
        QApplication::activeModalWidget()->close();
    });
    ui.message("Domanda", "Titolo", Ui::Icon::Question, Ui::Buttons::YesNo, Ui::Answer::No);
    EXPECT_EQ(parent, &sub);
    // A long command's progress: busy from its start, then the count, the percentage and the time left; gone when the command ends.
    ui.busy(true);
    auto* bar = console.findChild<QProgressBar*>("Prg_Avanzamento");
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), 0); // busy: nothing counted yet
    ui.progress({"Articoli esaminati", 250, 1000, 10000});
    EXPECT_EQ(bar->value() * 4, bar->maximum());
    EXPECT_EQ(bar->text(), "250 di 1000 (25%)");
    EXPECT_EQ(console.statusBar()->currentMessage(), "Articoli esaminati  - tempo residuo circa 0:30");
    ui.busy(false);
    EXPECT_FALSE(bar->isVisible());
    // The questions before a command in one dialog: the options ticked by their defaults.
    const QList<Ui::Choice> choices = {{"Prima ?", Ui::Answer::No, true}, {"Seconda ?", Ui::Answer::Yes, false}};
    const auto press = [](QDialogButtonBox::StandardButton which, bool tickFirst) {
        QTimer::singleShot(0, [=] {
            QWidget* dialog = QApplication::activeModalWidget();
            const QList<QCheckBox*> ticks = dialog->findChildren<QCheckBox*>();
            ASSERT_EQ(ticks.size(), 2);
            EXPECT_FALSE(ticks[0]->isChecked());
            EXPECT_TRUE(ticks[1]->isChecked());
            ticks[0]->setChecked(tickFirst);
            dialog->findChild<QDialogButtonBox*>()->button(which)->click();
        });
    };
    press(QDialogButtonBox::Ok, true);
    EXPECT_EQ(ui.askChoices("Eseguo ?", choices, "Titolo"), (std::optional<QList<bool>>{{true, true}}));
    press(QDialogButtonBox::Cancel, true);
    EXPECT_EQ(ui.askChoices("Eseguo ?", choices, "Titolo"), std::nullopt);
}

TEST(ListWindow, SearchKeepOkPlacementAndTheRowChosen)
{
    TestHome home(false);
    ScriptedUi ui;
    auto ctx = home.context(ui);
    Rs2ListResult list;
    list.listName = "Prova";
    list.caption = "Lista Prova";
    list.heading = "codice!nome !";
    list.lines = {"001|Rossi", "002|Bianchi", "003|Rossini"};
    list.searchText = "ross"; // a caller's preset
    ListWindow window(*ctx, list);
    window.show();
    auto* search = window.findChild<QLineEdit*>("Txt_Cerca");
    EXPECT_EQ(search->text(), "ross");
    auto* count = window.findChild<QLabel*>("Lbl_Qta");
    EXPECT_EQ(count->text(), "3 righe.");
    search->setText("ross");
    QTest::mouseClick(window.findChild<QPushButton*>("Cmd_Lascia"), Qt::LeftButton);
    EXPECT_EQ(window.lines(), (QStringList{"001|Rossi", "003|Rossini"}));
    EXPECT_EQ(count->text(), "2 righe.");
    QTest::mouseClick(window.findChild<QPushButton*>("Cmd_Cerca"), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QPushButton*>("Cmd_Cerca"), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QPushButton*>("Cmd_Ok"), Qt::LeftButton);
    EXPECT_EQ(window.selectedRow(), "003|Rossini");
    EXPECT_TRUE(ctx->corvSettings().read("PosHelp", "Prova_Size").count('|') == 6);
    // Only a row of data chosen by the user is the choice.
    {
        Rs2ListResult list;
        list.listName = "Localita";
        list.lines = {" - PROVIDER=MICROSOFT.JET.OLEDB.4.0", "- SELECT * FROM Localita", "H501|00100|Roma|RM|", "F205|20100|Milano|MI|"};
        list.headLines = 2;
        ListWindow window(*ctx, list);
        window.show();
        auto* rows = window.findChild<LinesTable*>("Lst_Lista");
        auto* ok = window.findChild<QPushButton*>("Cmd_Ok");
        // The head lines stand apart, above the rows of data: never a choice.
        EXPECT_EQ(window.findChild<QLabel*>("Lbl_Testa")->text(), " - PROVIDER=MICROSOFT.JET.OLEDB.4.0\n- SELECT * FROM Localita");
        ASSERT_EQ(rows->model()->rowCount(), 2);
        // The list has the focus and a current line, but nothing was chosen.
        rows->setFocus();
        rows->setCurrentIndex(rows->model()->index(0, 0));
        rows->selectionModel()->clearSelection();
        ok->click();
        EXPECT_EQ(window.selectedRow(), "");
        rows->setCurrentIndex(rows->model()->index(1, 0));
        ok->click();
        EXPECT_EQ(window.selectedRow(), "F205|20100|Milano|MI|");
        // Sorted by the town, the rows keep their own lines.
        rows->sortByColumn(2, Qt::DescendingOrder);
        rows->setCurrentIndex(rows->model()->index(0, 0));
        ok->click();
        EXPECT_EQ(window.selectedRow(), "H501|00100|Roma|RM|");
        // Removing what comes before the first row of data removes the head lines.
        window.show();
        rows->sortByColumn(0, Qt::DescendingOrder);
        rows->setCurrentIndex(rows->model()->index(0, 0));
        ui.expectMessage("Confermi eliminazione righe PRECEDENTI ?", Ui::Answer::Yes);
        QTest::mouseClick(window.findChild<QPushButton*>("Cmd_Before"), Qt::LeftButton);
        EXPECT_EQ(window.lines(), (QStringList{"H501|00100|Roma|RM|", "F205|20100|Milano|MI|"}));
        EXPECT_FALSE(window.findChild<QLabel*>("Lbl_Testa")->isVisible());
        rows->setCurrentIndex(rows->model()->index(0, 0));
        ok->click();
        EXPECT_EQ(window.selectedRow(), "H501|00100|Roma|RM|");
    }
}

} // namespace
