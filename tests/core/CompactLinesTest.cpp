#include "util/CompactLines.h"

#include <gtest/gtest.h>

using namespace corv;

namespace {

TEST(CompactLines, SortsAsTheSortedListWithoutCaseAndStable)
{
    CompactLines lines = QStringList{"_1 summary", "b", "B first", "B", "1  detail", "   receipt", "a"};
    lines.sortCaseInsensitive();
    // Blanks, digits, then "_" before letters; "b" and "B" keep their order.
    EXPECT_EQ(lines.toStringList(), (QStringList{"   receipt", "1  detail", "_1 summary", "a", "b", "B", "B first"}));
}

} // namespace
