#include "util/Progress.h"
#include "ardea/SqlAccessForm.h"
#include "platform/BatchUi.h"
#include "TestHome.h"

#include <QThread>
#include <gtest/gtest.h>

using namespace corv;
using corv::test::ScriptedUi;

namespace {

TEST(Progress, ShowsAFewTimesASecondNotOncePerRow)
{
    ScriptedUi ui;
    Progress progress(ui, 50);
    int built = 0;
    for (int row = 0; row < 100000; ++row)
        progress.step([&] { ++built; return QString("Riga %1").arg(row); });
    EXPECT_GE(ui.eventRuns, 1); // the first row shows at once
    EXPECT_LE(ui.eventRuns, 3);
    EXPECT_EQ(built, ui.eventRuns); // the text is built only when shown
    EXPECT_EQ(ui.statuses.first(), "Riga 0");
    QThread::msleep(60);
    progress.step([] { return QString("dopo"); });
    EXPECT_EQ(ui.statuses.last(), "dopo");
}

TEST(BatchUi, AnswersWithTheDefaultAndAbandonsTheLogin)
{
    BatchUi ui;
    EXPECT_EQ(ui.message("Domanda ?", "Titolo", Ui::Icon::Question, Ui::Buttons::YesNo, Ui::Answer::No), Ui::Answer::No);
    EXPECT_EQ(ui.input("Valore", "Titolo", "predefinito"), std::optional<QString>("predefinito"));
    corv::test::TestHome home(false);
    SqlAccessForm form(IniFile(home.file("ARDEA_Z.INI")), IniFile(home.file("SQLOG_BACK.INI")), ui, "");
    form.save(); // clears the flag; the batch login window sets it again
    ui.editLogin(form);
    EXPECT_TRUE(form.abandoned());
}

} // namespace
