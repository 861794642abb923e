#include "FileSizeLimit.h"
#include "TestHome.h"
#include "settings/Placement.h"

#include <gtest/gtest.h>

using namespace corv;
using corv::test::TestHome;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    TestHome home{false};
    QString path = home.file(QStringLiteral("TEST.INI"));
};

// Reading: a missing file or key gives the default; names compare without
// regard to case, values trimmed; whole numbers taken from the leading digits
// as the private profile call takes them; Windows-1252 text; every read sees
// the file as it is on disk.
TEST_F(IniFileTest, ReadsAsThePrivateProfileCallsRead)
{
    IniFile ini(path);
    EXPECT_FALSE(ini.exists());
    EXPECT_TRUE(ini.isEmpty());
    EXPECT_EQ(ini.read("Param", "DateIni", "__/__/____"), "__/__/____");
    EXPECT_EQ(ini.readInt("Param", "LastTab", 2), 2);
    home.writeFile("TEST.INI", "[Stampe su Disco]\nPgmVisualizzatore =  C:\\Tools\\TextPad.exe  \n[P]\nA=12abc\nB=abc\nC=-3\nD=\n"
                               "[A]\nNome=Societ\xe0 \x80 \x93x\x94\n");
    EXPECT_EQ(ini.read("STAMPE SU DISCO", "pgmvisualizzatore"), "C:\\Tools\\TextPad.exe");
    EXPECT_EQ(ini.read("Stampe su Disco", "Altro", "x"), "x");
    EXPECT_EQ(ini.read("Altra", "PgmVisualizzatore", "y"), "y");
    const struct {
        const char* key;
        int read;
    } numbers[] = {{"A", 12}, {"B", 0}, {"C", -3}, {"D", 0}, {"E", 7}};
    for (const auto& n : numbers)
        EXPECT_EQ(ini.readInt("P", n.key, 7), n.read) << n.key;
    // Windows-1252, where 0x80 is the euro sign and 0x93/0x94 quotes.
    EXPECT_EQ(ini.read("A", "Nome"), QString::fromUtf8("Società € “x”"));
    home.writeFile("TEST.INI", "[A]\nK=22\n"); // another writer
    EXPECT_EQ(ini.read("A", "K"), "22");
}

TEST_F(IniFileTest, WritingOneKeyKeepsEveryOtherLine)
{
    home.writeFile("TEST.INI",
                   "; impostazioni\r\n[Param]\r\nDateIni=01/01/2024\r\nSource=1\r\n\r\n[Nembo]\r\nLastFolder=C:\\N\r\n");
    IniFile ini(path);
    ASSERT_TRUE(ini.write("PARAM", "source", "0"));
    ASSERT_TRUE(ini.write("Param", "LastTab", "2"));
    ASSERT_TRUE(ini.write("AMBIENTE", "Codice Azienda", "DEMO"));
    EXPECT_EQ(home.readFile("TEST.INI"),
              "; impostazioni\r\n[Param]\r\nDateIni=01/01/2024\r\nsource=0\r\nLastTab=2\r\n\r\n[Nembo]\r\n"
              "LastFolder=C:\\N\r\n\r\n[AMBIENTE]\r\nCodice Azienda=DEMO\r\n");
    EXPECT_EQ(ini.read("Param", "Source"), "0");
    EXPECT_EQ(ini.read("Nembo", "LastFolder"), "C:\\N");
}

TEST_F(IniFileTest, SeveralKeysOfASectionGoInOneWriteLikeSingleWrites)
{
    home.writeFile("TEST.INI", "[Default]\r\nTop=2\r\n\r\n[System]\r\nThemes=FALSE\r\n");
    IniFile ini(path);
    ASSERT_TRUE(ini.writeKeys("default", {{"Printer", "PDF,FILE:"}, {"top", "0"}, {"Nota", "a\r\nb"}}));
    ASSERT_TRUE(ini.writeKeys("Nuova", {{"Uno", "1"}, {"Due", "2"}}));
    EXPECT_EQ(home.readFile("TEST.INI"), "[Default]\r\ntop=0\r\nPrinter=PDF,FILE:\r\nNota=a b\r\n\r\n[System]\r\nThemes=FALSE\r\n"
                                         "\r\n[Nuova]\r\nUno=1\r\nDue=2\r\n");
    // Keys of several sections in one write, each where a single write puts it.
    ASSERT_TRUE(ini.writeAll({{{"System", "Themes"}, "TRUE"}, {{"Altra", "X"}, "1"}, {{"nuova", "Tre"}, "3"}}));
    EXPECT_EQ(home.readFile("TEST.INI"), "[Default]\r\ntop=0\r\nPrinter=PDF,FILE:\r\nNota=a b\r\n\r\n[System]\r\nThemes=TRUE\r\n"
                                         "\r\n[Nuova]\r\nUno=1\r\nDue=2\r\nTre=3\r\n\r\n[Altra]\r\nX=1\r\n");
}

TEST_F(IniFileTest, AWholeNumberSettingOutsideItsRangeReadsAsItsFallback)
{
    const IntSetting mode{{"Parametri", "ConfCodArt"}, 0, 0, 4};
    IniFile ini(path);
    EXPECT_EQ(mode.read(ini), 0); // missing
    const struct {
        const char* stored;
        int read;
    } cases[] = {{"4", 4}, {"5", 0}, {"-1", 0}, {"3abc", 3}, {"abc", 0}, {"0", 0}, {"2", 2}};
    for (const auto& c : cases) {
        ASSERT_TRUE(ini.write(mode.key, c.stored));
        EXPECT_EQ(mode.read(ini), c.read) << c.stored;
    }
    const IntSetting tab{{"Param", "LastTab"}, 2, 0, 2};
    EXPECT_EQ(tab.inRange(ini), std::optional<int>(2)); // missing: the fallback, in range
    ini.write(tab.key, "3");
    EXPECT_EQ(tab.inRange(ini), std::nullopt);
}

TEST_F(IniFileTest, AFullDiskKeepsTheOldFileAndSaysSo)
{
    const QByteArray login = "[Login]\r\nServer=SRV01\r\nUserId=sa\r\nUserPwd=segreta\r\n";
    home.writeFile("TEST.INI", login);
    IniFile ini(path, true);
    bool written = true;
    {
        corv::test::FileSizeLimit limit(16);
        written = ini.write("Login", "UserPwd", "nuova");
    }
    EXPECT_FALSE(written);
    EXPECT_FALSE(ini.lastError().isEmpty());
    EXPECT_EQ(home.readFile("TEST.INI").toUtf8(), login);
    EXPECT_EQ(ini.read("Login", "UserPwd"), "segreta");
    EXPECT_TRUE(ini.write("Login", "UserPwd", "nuova")); // with room again it works
    EXPECT_EQ(ini.read("Login", "UserPwd"), "nuova");
    // A folder that is not there: refused, and nothing made.
    EXPECT_FALSE(IniFile(home.file("missing-folder/TEST.INI")).write("A", "B", "C"));
    EXPECT_FALSE(QFile::exists(home.file("missing-folder")));
    // Password files are created for the owner only.
    {
        IniFile ini(path, true);
        ASSERT_TRUE(ini.write("Login", "UserPwd", "segreta"));
        const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        EXPECT_EQ(QFile::permissions(path) & others, 0);
        EXPECT_TRUE(QFile::permissions(path).testFlags(QFile::ReadOwner | QFile::WriteOwner));
        ASSERT_TRUE(ini.write("Login", "UserId", "sa"));
        EXPECT_EQ(QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther), 0);
    }
}

TEST_F(IniFileTest, ALineBreakInAValueNeverCreatesAKey)
{
    IniFile ini(path);
    ASSERT_TRUE(ini.write("Param", "Last_Cv", "DEMO  |2025|Rossi\r\n[Stampe su Disco]\nPgmVisualizzatore=/tmp/x.sh\r|"));
    EXPECT_EQ(ini.read("Param", "Last_Cv"), "DEMO  |2025|Rossi [Stampe su Disco] PgmVisualizzatore=/tmp/x.sh |");
    EXPECT_EQ(ini.read("Stampe su Disco", "PgmVisualizzatore", "nessuno"), "nessuno");
    EXPECT_EQ(ini.keys("Param"), QStringList{"Last_Cv"});
    // An empty value leaves an empty key.
    ASSERT_TRUE(ini.write("PosFinestre", "SF_Main", ""));
    EXPECT_TRUE(ini.contains("PosFinestre", "SF_Main"));
    EXPECT_EQ(ini.read("PosFinestre", "SF_Main", "default"), "");
    EXPECT_EQ(ini.keys("posfinestre"), QStringList{"SF_Main"});
}

struct BoolCase {
    const char* stored;
    bool expected;
};

class IniBoolRule : public ::testing::TestWithParam<BoolCase> {};

TEST_P(IniBoolRule, FalseOnlyForZeroOrAWordOtherThanTrue)
{
    TestHome home(false);
    home.writeFile("B.INI", QByteArray("[S]\nK=") + GetParam().stored + "\n");
    IniFile ini(home.file("B.INI"));
    EXPECT_EQ(readIniBool(ini, "S", "K", !GetParam().expected), GetParam().expected) << GetParam().stored;
}

INSTANTIATE_TEST_SUITE_P(Values, IniBoolRule,
                         ::testing::Values(BoolCase{"5", true}, BoolCase{"abc", false}, BoolCase{"FALSE", false},
                                           BoolCase{"TRUE", true}, BoolCase{"true", true}, BoolCase{"-1", true},
                                           BoolCase{"1", true}, BoolCase{"0", false}, BoolCase{"", false},
                                           BoolCase{"False", false}, BoolCase{"2.5", true},
                                           BoolCase{"0.0", false}));

TEST(VisualStyle, AMissingSwitchIsWrittenFalseAndReadFalse)
{
    TestHome home(false);
    IniFile prt(home.file("TLX_PRT.INI"));
    EXPECT_FALSE(visualStyleEnabled(prt));
    EXPECT_EQ(prt.read("System", "Themes"), "FALSE");
    prt.write("System", "Themes", "TRUE");
    EXPECT_TRUE(visualStyleEnabled(prt));
    EXPECT_EQ(prt.read("System", "Themes"), "TRUE");
}

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
