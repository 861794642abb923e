#include "util/Amount.h"
#include "util/TextUtil.h"

#include <gtest/gtest.h>

using namespace corv;
using namespace corv::utl;

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
}

TEST(Amount, NumbersBeyondWhatItHoldsAreNoAmount)
{
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

} // namespace
