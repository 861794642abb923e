// The flag windows driven as a person would: read, choose, select, apply, keys.
#include "ConsoleSession.h"
#include "FlagsWindow.h"
#include "QtUi.h"

#include <QStatusBar>
#include <QCheckBox>
#include <QLabel>
#include <QAbstractItemView>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace corv;

namespace {

class FlagsWindowTest : public corv::test::ConsoleSession {
protected:
    template <typename T>
    static T* child(QWidget& w, const char* name)
    {
        T* found = w.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QStringList column(Connections::Name db, const char* sql) { return corv::test::DemoSession::column(ctx->connections().db(db), sql); }
};

TEST_F(FlagsWindowTest, ArdeaCodesSelectedAndCorrectedAndCtrlDelDeletesNothing)
{
    FlagsWindow window(*ctx, FlagSource::ArdeaVatCodes, {}, -1);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(window.windowTitle(), "Modifica Indicatori Codici IVA Ardea - Azienda DEMO");
    EXPECT_EQ(child<QLabel>(window, "Pan_Status")->text(), "Inizio Inserimento..");
    // No record table of its own: no record actions, no search keys shown.
    EXPECT_FALSE(window.action("TB_Elim")->isVisible());
    EXPECT_FALSE(window.action("M_New")->isVisible());
    EXPECT_FALSE(child<QLabel>(window, "Pan_F6")->isVisible());
    QTest::mouseClick(child<QPushButton>(window, "Cmd_ReadIVA"), Qt::LeftButton);
    auto* list = child<QAbstractItemView>(window, "Lst_IVA");
    ASSERT_EQ(list->model()->rowCount(), 9);
    choose(child<QComboBox>(window, "Cmb_Ind"), 2);
    auto* values = child<QComboBox>(window, "Cmb_Val");
    ASSERT_EQ(values->count(), 3);
    choose(values, 1);
    QTest::mouseClick(child<QPushButton>(window, "Cmd_SelOK"), Qt::LeftButton);
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), 3);
    ui.expectMessage("Confermi la modifica di 3 codici ?", Ui::Answer::No); // asked with their number; No changes nothing
    QTest::mouseClick(child<QPushButton>(window, "Cmd_Go"), Qt::LeftButton);
    EXPECT_EQ(column(Connections::Common, "SELECT COUNT(DISTINCT ind_dich_per) FROM CA_IVA"), QStringList{"3"});
    ui.expectMessage("Confermi la modifica di 3 codici ?", Ui::Answer::Yes);
    QTest::mouseClick(child<QPushButton>(window, "Cmd_Go"), Qt::LeftButton);
    EXPECT_EQ(window.statusBar()->currentMessage(), "Codici modificati : 3 di 3");
    EXPECT_EQ(column(Connections::Common, "SELECT DISTINCT ind_dich_per FROM CA_IVA"), QStringList{"1"});
    // The template's keys: no record table here, so Ctrl+Del only beeps.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Delete, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_F9);
    EXPECT_EQ(ui.beeps, 3); // the key's own beep, the refused delete, F9
    EXPECT_EQ(column(Connections::Common, "SELECT COUNT(*) FROM CA_IVA"), QStringList{"9"});
    // Nothing selected: said.
    QTest::mouseClick(child<QPushButton>(window, "Cmd_SelNo"), Qt::LeftButton);
    ui.expectMessage("Nessun codice selezionato per la modifica !!");
    QTest::mouseClick(child<QPushButton>(window, "Cmd_Go"), Qt::LeftButton);
    // The real port opens each flag window and returns once it is closed.
    QtUi screen;
    for (FormKind kind : {FormKind::ArdeaVatFlags, FormKind::CorvinaVatFlags, FormKind::CorvinaReasonFlags}) {
        QString shown;
        QTimer::singleShot(50, [&] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (top->isVisible() && top != console.get() && top->objectName().startsWith("F_")) {
                    shown = top->windowTitle();
                    top->close();
                }
            }
        });
        EXPECT_TRUE(screen.showForm(*ctx, FormRequest{kind, console->state().corvinaCompanies, 0}));
        EXPECT_TRUE(shown.startsWith("Modifica Indicatori")) << shown.toStdString();
    }
}

} // namespace
