#include "FileSizeLimit.h"
#include "TestHome.h"

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

TEST_F(IniFileTest, AnEmptyValueLeavesAnEmptyKey)
{
    IniFile ini(path);
    ASSERT_TRUE(ini.write("PosFinestre", "SF_Main", ""));
    EXPECT_TRUE(ini.contains("PosFinestre", "SF_Main"));
    EXPECT_EQ(ini.read("PosFinestre", "SF_Main", "default"), "");
    EXPECT_EQ(ini.keys("posfinestre"), QStringList{"SF_Main"});
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
}

TEST_F(IniFileTest, ALineBreakInAValueNeverCreatesAKey)
{
    IniFile ini(path);
    ASSERT_TRUE(ini.write("Param", "Last_Cv", "DEMO  |2025|Rossi\r\n[Stampe su Disco]\nPgmVisualizzatore=/tmp/x.sh\r|"));
    EXPECT_EQ(ini.read("Param", "Last_Cv"), "DEMO  |2025|Rossi [Stampe su Disco] PgmVisualizzatore=/tmp/x.sh |");
    EXPECT_EQ(ini.read("Stampe su Disco", "PgmVisualizzatore", "nessuno"), "nessuno");
    EXPECT_EQ(ini.keys("Param"), QStringList{"Last_Cv"});
}

TEST_F(IniFileTest, PasswordFilesAreCreatedForTheOwnerOnly)
{
    IniFile ini(path, true);
    ASSERT_TRUE(ini.write("Login", "UserPwd", "segreta"));
    const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
    EXPECT_EQ(QFile::permissions(path) & others, 0);
    EXPECT_TRUE(QFile::permissions(path).testFlags(QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(ini.write("Login", "UserId", "sa"));
    EXPECT_EQ(QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther), 0);
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

} // namespace
