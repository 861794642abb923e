#include "util/CompactLines.h"

#include <gtest/gtest.h>

using namespace corv;

namespace {

TEST(CompactLines, KeepsEveryLineAsGivenAccentsIncluded)
{
    CompactLines lines;
    lines << QString("primo") << QString() << QString::fromUtf8("Nicolò & C.") << QString("ultimo|");
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines.at(1), "");
    EXPECT_EQ(lines.at(2), QString::fromUtf8("Nicolò & C."));
    EXPECT_EQ(lines.last(), "ultimo|");
    CompactLines more = QStringList{"a", "b"};
    more.append(lines);
    EXPECT_EQ(more.toStringList(), (QStringList{"a", "b", "primo", "", QString::fromUtf8("Nicolò & C."), "ultimo|"}));
    EXPECT_EQ(more.longestIndex(), 4);
}

TEST(CompactLines, SortsAsTheSortedListWithoutCaseAndStable)
{
    CompactLines lines = QStringList{"_1 summary", "b", "B first", "B", "1  detail", "   receipt", "a"};
    lines.sortCaseInsensitive();
    // Blanks, digits, then "_" before letters; "b" and "B" keep their order.
    EXPECT_EQ(lines.toStringList(), (QStringList{"   receipt", "1  detail", "_1 summary", "a", "b", "B", "B first"}));
}

} // namespace
