// The small tools every report and command uses: exact amounts, compact
// lines and their sort, the progress feedback and its stop.
#include "util/Amount.h"
#include "util/TextUtil.h"
#include "util/CompactLines.h"
#include "ScriptedUi.h"
#include "util/Feedback.h"

#include <gtest/gtest.h>

using namespace corv;
using namespace corv::utl;
using corv::test::ScriptedUi;

namespace {

TEST(Amount, SumsExactlyAndRoundsHalfAwayFromZero)
{
    const Amount a = *Amount::parse("0.1");
    const Amount b = *Amount::parse("0,2");
    EXPECT_EQ(a + b, *Amount::parse("0.3"));
    EXPECT_EQ(Amount::parse("2.675")->toText(2), "2,68");
    EXPECT_EQ(Amount::parse("-2.675")->toText(2), "-2,68");
    // Read to the ten-thousandth: a fifth decimal of 5 goes away from zero, 4 stays.
    EXPECT_EQ(Amount::parse("1.00005")->units(), 10001);
    EXPECT_EQ(Amount::parse("-1.00005")->units(), -10001);
    EXPECT_EQ(Amount::parse("1.00004999")->units(), 10000);
    EXPECT_EQ(Amount::parse("-0.004")->toText(2), "0,00");
    EXPECT_EQ(Amount::parse("1234567.891")->toText(2), "1.234.567,89");
    EXPECT_EQ(Amount::parse("1234567.891")->toText(3, false), "1234567,891");
    EXPECT_EQ(Amount::parse("22")->toText(0), "22");
    EXPECT_FALSE(Amount::parse("abc"));
    EXPECT_FALSE(Amount::parse(""));
    EXPECT_FALSE(Amount::parse("1.2.3"));
}

TEST(Amount, ReadsDatabaseValues)
{
    EXPECT_EQ(Amount::fromVariant(QVariant(QStringLiteral("1520.3000")))->toText(2), "1.520,30");
    EXPECT_EQ(Amount::fromVariant(QVariant(42))->toText(2), "42,00");
    EXPECT_EQ(Amount::fromVariant(QVariant(0.1 + 0.2))->toText(4), "0,3000");
    EXPECT_EQ(Amount::fromVariant(QVariant())->units(), 0);
    // Numbers beyond what it holds are no amount.
    EXPECT_TRUE(Amount::fromInteger(900'000'000'000'000));
    EXPECT_FALSE(Amount::fromInteger(900'000'000'000'001));
    EXPECT_FALSE(Amount::fromInteger(std::numeric_limits<qint64>::min()));
    EXPECT_FALSE(Amount::fromDouble(1e300));
    EXPECT_FALSE(Amount::fromDouble(std::nan("")));
    EXPECT_FALSE(Amount::fromDouble(-std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(Amount::fromVariant(QVariant(qulonglong(18'000'000'000'000'000'000ULL))));
    EXPECT_FALSE(Amount::fromVariant(QVariant("12345678901234567890")));
    EXPECT_FALSE(Amount::fromVariant(QVariant("abc")));
    EXPECT_EQ(Amount::fromVariant(QVariant("1e3"))->toText(0), "1.000");
}

TEST(CompactLines, SortsAsTheSortedListWithoutCaseAndStable)
{
    CompactLines lines = QStringList{"_1 summary", "b", "B first", "B", "1  detail", "   receipt", "a"};
    lines.sortCaseInsensitive();
    // Blanks, digits, then "_" before letters; "b" and "B" keep their order.
    EXPECT_EQ(lines.toStringList(), (QStringList{"   receipt", "1  detail", "_1 summary", "a", "b", "B", "B first"}));
}

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
