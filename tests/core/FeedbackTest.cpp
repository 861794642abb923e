#include "ScriptedUi.h"
#include "util/Feedback.h"

#include <gtest/gtest.h>

using namespace corv;
using corv::test::ScriptedUi;

namespace {

TEST(Feedback, ShowsAFewTimesASecondNotOncePerRowAndSaysWhenToStop)
{
    ScriptedUi ui;
    StopRequest stop;
    qint64 now = 1000; // milliseconds of the test's own clock
    Feedback progress(ui, stop, 200, [&] { return now; });
    int built = 0;
    // A thousand rows a second for three seconds: the first row and one each 200 ms.
    for (int row = 0; row < 3000; ++row, ++now)
        progress.step([&] { ++built; return QString("Riga %1").arg(row); });
    EXPECT_EQ(ui.eventRuns, 15);
    EXPECT_EQ(built, ui.eventRuns); // the text is built only when shown
    EXPECT_EQ(ui.statuses.first(), "Riga 0");
    EXPECT_EQ(ui.statuses.at(1), "Riga 200");
    progress.step([] { return QString("alle 4000"); }); // 200 ms after the last one, at 3800
    EXPECT_EQ(ui.statuses.last(), "alle 4000");
    now += 150;
    progress.step([] { return QString("troppo presto"); });
    EXPECT_EQ(ui.statuses.last(), "alle 4000");
    now += 50;
    EXPECT_TRUE(progress.step([] { return QString("dopo"); }));
    EXPECT_EQ(ui.statuses.last(), "dopo");
    // A stop asked between two rows ends the loop at the next step.
    stop.request();
    EXPECT_FALSE(progress.step([] { return QString("fermo"); }));
    EXPECT_TRUE(progress.stopRequested());
}

} // namespace
