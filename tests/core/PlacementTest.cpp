#include "settings/Placement.h"
#include "TestHome.h"

#include <gtest/gtest.h>

using namespace corv;
using corv::test::TestHome;

namespace {

const QLocale kItalian(QLocale::Italian, QLocale::Italy);

class PlacementTest : public ::testing::Test {
protected:
    TestHome home{false};
    IniFile ini{home.file("TLX_CORV.INI")};

    Placement normal(double top, double left, double height, double width)
    {
        Placement p;
        p.top = top;
        p.left = left;
        p.height = height;
        p.width = width;
        return p;
    }
};

// A normal window saves its five fields; a maximised one only its state,
// over the normal size stored (the first default when none is); a window
// above the screen is saved with top and left zero.
TEST_F(PlacementTest, ASaveStoresTheNormalGeometryAndTheState)
{
    savePlacement(ini, "F_Console", normal(300, 450, 9000, 12000), kPlacementSection, kItalian);
    EXPECT_EQ(ini.read("PosFinestre", "F_Console_Size"), "0|300|450|9000|12000|");
    Placement maximised = normal(-60, -60, 15000, 25000);
    maximised.state = Placement::Maximised;
    savePlacement(ini, "F_Console", maximised, kPlacementSection, kItalian);
    EXPECT_EQ(ini.read("PosFinestre", "F_Console_Size"), "2|300|450|9000|12000|");
    savePlacement(ini, "F_Nuova", maximised, kPlacementSection, kItalian);
    EXPECT_EQ(ini.read("PosFinestre", "F_Nuova_Size"), "2|1|1|1500|1500|");
    savePlacement(ini, "F_Console", normal(-120, -30, 9000, 12000), kPlacementSection, kItalian);
    EXPECT_EQ(ini.read("PosFinestre", "F_Console_Size"), "0|0|0|9000|12000|");
}

TEST_F(PlacementTest, TheOldKeysAreEmptiedOnSave)
{
    for (const char* k : {"SF_Console", "TF_Console", "LF_Console", "HF_Console", "WF_Console"})
        ini.write("PosFinestre", k, "100");
    ini.write("PosFinestre", "TF_Altra", "5");
    savePlacement(ini, "F_Console", normal(10, 20, 9000, 12000), kPlacementSection, kItalian);
    for (const char* k : {"SF_Console", "TF_Console", "LF_Console", "HF_Console", "WF_Console"}) {
        EXPECT_TRUE(ini.contains("PosFinestre", k)) << k;
        EXPECT_EQ(ini.read("PosFinestre", k, "x"), "") << k;
    }
    EXPECT_EQ(ini.read("PosFinestre", "TF_Altra"), "5");
}

TEST_F(PlacementTest, ListViewerFontUsesTheLocaleDecimalSeparator)
{
    Placement list = normal(15, 15, 6000, 9000);
    list.fontSize = 8.25;
    ini.write("PosHelp", "FF_List", "10");
    savePlacement(ini, "F_List", list, kListPlacementSection, kItalian);
    EXPECT_EQ(ini.read("PosHelp", "F_List_Size"), "0|15|15|6000|9000|8,25|");
    EXPECT_EQ(ini.read("PosHelp", "FF_List", "x"), ""); // the old font key is emptied too

    double minHeight = 0, minWidth = 0;
    const Placement back = restorePlacement(ini, "F_List", minHeight, minWidth, {}, kListPlacementSection,
                                            kListDefaultFontSize, kItalian);
    ASSERT_TRUE(back.fontSize);
    EXPECT_DOUBLE_EQ(*back.fontSize, 8.25);
}

// Without a stored value the minimum size, raised to the design's; a window
// of fixed border keeps its own size whatever is stored.
TEST_F(PlacementTest, RestoreTakesTheMinimumOrTheFixedSize)
{
    double minHeight = 500, minWidth = 700;
    const Placement p = restorePlacement(ini, "F_Nuova", minHeight, minWidth, {4800, 6400, true}, kPlacementSection, std::nullopt, kItalian);
    EXPECT_EQ(std::make_pair(minHeight, minWidth), std::make_pair(4800.0, 6400.0));
    EXPECT_EQ((std::array{double(p.state), p.top, p.left, p.height, p.width}), (std::array{0.0, 1.0, 1.0, 4800.0, 6400.0}));
    ini.write("PosFinestre", "F_Fissa_Size", "0|300|450|9000|12000|");
    minHeight = 2000;
    minWidth = 3000;
    const Placement fixed = restorePlacement(ini, "F_Fissa", minHeight, minWidth, {2500, 3500, false}, kPlacementSection, std::nullopt, kItalian);
    EXPECT_EQ((std::array{fixed.top, fixed.left, fixed.height, fixed.width}), (std::array{300.0, 450.0, 2500.0, 3500.0}));
}

// Stored text as read back: what can be read is taken, what cannot (or lies
// outside every range) is zero, the font size in either decimal form.
TEST_F(PlacementTest, StoredTextReadsAsTheNumbersItHolds)
{
    const struct {
        const char* stored;
        QLocale locale;
        double state, top, left, height, width;
        std::optional<double> fontSize;
    } cases[] = {
        {"x|300|abc|9000", kItalian, 0, 300, 0, 9000, 0, std::nullopt},
        {"7|1e300|nan|-inf|99999999999|1e308|", kItalian, 0, 0, 0, 0, 0, std::nullopt},
        {"2|10|20|300|400|9.5|", kItalian, 2, 10, 20, 300, 400, 9.5},
        {"0|1|1|1500|1500|8,25|", QLocale::c(), 0, 1, 1, 1500, 1500, 8.25}, // a decimal point locale never reads 8
    };
    for (const auto& c : cases) {
        const Placement p = Placement::parse(c.stored, c.locale);
        EXPECT_EQ((std::array{double(p.state), p.top, p.left, p.height, p.width}), (std::array{c.state, c.top, c.left, c.height, c.width})) << c.stored;
        EXPECT_EQ(p.fontSize, c.fontSize) << c.stored;
    }
}

} // namespace

