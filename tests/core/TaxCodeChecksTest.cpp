// Expected check characters were computed independently of this code, from the
// weight tables of the 1976 decree.
#include "taxcode/FiscalCodeRules.h"
#include "taxcode/TaxCodeChecks.h"
#include "taxcode/CodeListChecker.h"

#include <gtest/gtest.h>

using namespace corv;
using namespace corv::utl;
using namespace corv::taxcode;

namespace {

struct FiscalCase {
    const char* code;
    int expected;
    const char* why;
};

void PrintTo(const FiscalCase& c, std::ostream* os) { *os << '"' << c.code << "\" (" << c.why << ')'; }

class FiscalCodeCheck : public ::testing::TestWithParam<FiscalCase> {};

TEST_P(FiscalCodeCheck, GivesTheResultCode)
{
    const FiscalCase& c = GetParam();
    EXPECT_EQ(CheckFiscalCode(QString::fromLatin1(c.code)), c.expected) << c.code << " (" << c.why << ")";
    EXPECT_EQ(CheckFiscalCode(std::string_view(c.code)), c.expected) << c.code << " bytes";
}

INSTANTIATE_TEST_SUITE_P(
    Table, FiscalCodeCheck,
    ::testing::Values(
        FiscalCase{"RSSMRA80A01H501U", 0, "valid man"},
        FiscalCase{"rssmra80a01h501u", 0, "lower case"},
        FiscalCase{"RSSMRA80A41H501Y", 0, "valid woman, day 41"},
        FiscalCase{"VRDGPP00B69F205F", 0, "29 February 2000, woman"},
        FiscalCase{"VRDGPP00B29F205B", 0, "29 February 2000, man"},
        FiscalCase{"RSSMRA81B29H501R", 1, "29 February in a non-leap year"},
        FiscalCase{"VRDGPP84B69F205B", 0, "29 February 1984, woman"},
        FiscalCase{"VRDGPP24B29F205J", 0, "29 February 2024, man"},
        FiscalCase{"80123456040", 0, "numeric code whose check digit is 0"},
        FiscalCase{"80123456041", 4, "numeric code, 1 where 0 is due"},
        FiscalCase{"RSSMRA", 2, "6 characters"},
        FiscalCase{"BNCLRA85D31F205Q", 1, "31 April"},
        FiscalCase{"BNCLRA85D30F205R", 0, "30 April"},
        FiscalCase{"RSSMRA80A40H501Z", 1, "day 40"},
        FiscalCase{"RSSMRA80A01N501A", 1, "place letter N"},
        FiscalCase{"RSSMRA80A01H000J", 1, "town 000"},
        FiscalCase{"RSSMRA8LA01H501F", 0, "homocode in the year"},
        FiscalCase{"RSSMRA80A01H50MM", 0, "homocode in the town"},
        FiscalCase{"RSSMRAULALMHQLMB", 0, "homocode in all seven positions"},
        FiscalCase{"RSSMRA80A01H501A", 4, "wrong check character"},
        FiscalCase{"RSSMRA80Z01H501U", 1, "month letter Z"},
        FiscalCase{"RSSMR180A01H501U", 1, "digit among the name letters"},
        FiscalCase{"RSSMRA80A01H501-", 1, "not a letter at the end"},
        FiscalCase{"RSSMRA80A01H501\x80", 1, "not ASCII"},
        FiscalCase{"01234567897", 0, "numeric code"},
        FiscalCase{"01234567890", 4, "numeric code, wrong digit"},
        FiscalCase{"RSSMRA80", 2, "8 characters"},
        FiscalCase{"RSSMR", 2, "5 characters"},
        FiscalCase{"", 2, "empty"},
        FiscalCase{"RSSMRA80A01H501", 2, "15 characters"},
        FiscalCase{"012345678971", 3, "12 digits"},
        FiscalCase{"RSSMRA80A01H501UX", 3, "17 characters"}));

struct VatCase {
    const char* number;
    int expected;
};

void PrintTo(const VatCase& c, std::ostream* os) { *os << '"' << c.number << '"'; }

class VatNumberCheck : public ::testing::TestWithParam<VatCase> {};

TEST_P(VatNumberCheck, GivesTheResultCode)
{
    EXPECT_EQ(CheckVatNumber(QString::fromLatin1(GetParam().number)), GetParam().expected) << GetParam().number;
    EXPECT_EQ(CheckVatNumber(std::string_view(GetParam().number)), GetParam().expected) << GetParam().number;
}

INSTANTIATE_TEST_SUITE_P(Table, VatNumberCheck,
                         ::testing::Values(VatCase{"01234567897", 0}, VatCase{"12345678903", 0},
                                           VatCase{"01234567020", 0}, VatCase{"01234567029", 4},
                                           VatCase{"01234567890", 4}, VatCase{"0123456789", 2},
                                           VatCase{"", 2}, VatCase{"012345678970", 3},
                                           VatCase{"IT01234567897", 5}, VatCase{"it01234567897", 5},
                                           VatCase{"RSSMRA80A01H501U", 1}, VatCase{"0123456789A", 1},
                                           VatCase{"0123 456789", 1}, VatCase{"I01234567897", 1}));

TEST(CheckCharacters, ExpectedCharacterAndDigit)
{
    EXPECT_EQ(FiscalCodeCheckChar(u"RSSMRA80A01H501"), QLatin1Char('U'));
    EXPECT_EQ(FiscalCodeCheckChar(u"rssmra80a01h501X"), QLatin1Char('U')); // the 16th is ignored
    EXPECT_EQ(FiscalCodeCheckChar(u"RSSMRA80A01H50"), QLatin1Char('?'));
    EXPECT_EQ(FiscalCodeCheckChar(std::string_view("GFRMRA80A01H501")), 'K');
    EXPECT_EQ(VatNumberCheckDigit(u"0123456789"), QLatin1Char('7'));
    EXPECT_EQ(VatNumberCheckDigit(u"12345678900"), QLatin1Char('3'));
    EXPECT_EQ(VatNumberCheckDigit(u"IT01234567"), QLatin1Char('?'));
    EXPECT_EQ(VatNumberCheckDigit(u"123"), QLatin1Char('?'));
    // A date is read only from valid codes with plain digits in it.
    EXPECT_TRUE(FiscalCodeHasDate(u"RSSMRA80A01H501U"));
    EXPECT_TRUE(FiscalCodeHasDate(u"RSSMRA80A01H50MM"));  // substitution only in the town
    EXPECT_FALSE(FiscalCodeHasDate(u"RSSMRA8LA01H501F")); // substitution in the year
    EXPECT_FALSE(FiscalCodeHasDate(u"RSSMRA80A01H501A")); // wrong check character
    EXPECT_FALSE(FiscalCodeHasDate(u"01234567897"));      // a legal entity's code
}

TEST(FiscalCodeRules, LetterGroups)
{
    using taxcode::letterGroup;
    EXPECT_EQ(letterGroup("ROSSI", false), "RSS");
    EXPECT_EQ(letterGroup("GIANFRANCO", true), "GFR");
    EXPECT_EQ(letterGroup("FO", false), "FOX");
    EXPECT_EQ(letterGroup("EVA", true), "VEA");
    EXPECT_EQ(letterGroup("AIA", false), "AIA");
    EXPECT_EQ(letterGroup("EO", false), "EOX");
    EXPECT_EQ(letterGroup("D'ANGELO", false), "DNG");
    EXPECT_EQ(letterGroup("DE ROSSI", false), "DRS");
    EXPECT_EQ(letterGroup("  de-rossi.  ", false), "DRS");
    EXPECT_EQ(letterGroup("MARCO", true), "MRC");  // three consonants kept
    EXPECT_EQ(letterGroup("MARTINA", true), "MTN"); // M R T N: the second dropped
    EXPECT_EQ(letterGroup("BARBARA", true), "BBR"); // B R B R: the second dropped
    EXPECT_EQ(letterGroup("BARBARA", false), "BRB"); // a surname keeps them all
    EXPECT_EQ(taxcode::ExtractLetters("Gianfranco", true, false), "GFRNC");
    EXPECT_EQ(taxcode::ExtractLetters("Gianfranco", true, true), "IAAO");
    // Birth data from the group.
    QString error;
    auto woman = taxcode::birthDataFromGroup("80A41", 2026, &error);
    ASSERT_TRUE(woman);
    EXPECT_EQ(woman->date, QDate(1980, 1, 1));
    EXPECT_EQ(woman->sex, 'F');
    auto man = taxcode::birthDataFromGroup("80A40", 2026, &error); // day 40 of a man: no such day
    EXPECT_FALSE(man);
    EXPECT_EQ(error, taxcode::kBadStructure);
    EXPECT_FALSE(taxcode::birthDataFromGroup("8XA01", 2026, &error));
    EXPECT_EQ(error, taxcode::kBadStructure);
    EXPECT_FALSE(taxcode::birthDataFromGroup("80Z01", 2026, &error));
    error = "x";
    EXPECT_FALSE(taxcode::birthDataFromGroup("80A1", 2026, &error));
    EXPECT_TRUE(error.isEmpty()); // not five characters: nothing happens
}

TEST(FiscalCodeRules, ComposeCoherenceDateGroupAndCentury)
{
    EXPECT_EQ(taxcode::composeCode("Rossi", "Mario", QDate(1980, 1, 1), 'M', "h501"), "RSSMRA80A01H501U");
    EXPECT_EQ(taxcode::composeCode("Rossi", "Maria", QDate(1980, 1, 1), 'F', "H501"), "RSSMRA80A41H501Y");
    EXPECT_TRUE(taxcode::birthDateCoherent("RSSMRA80A41H501Y", QDate(1980, 1, 1)));
    EXPECT_TRUE(taxcode::birthDateCoherent("RSSMRA80A01H501U", QDate(1980, 1, 1)));
    EXPECT_FALSE(taxcode::birthDateCoherent("RSSMRA80A01H501U", QDate(1980, 1, 2)));
    EXPECT_TRUE(taxcode::beginsWith89("80012345678"));
    EXPECT_TRUE(taxcode::beginsWith89(""));
    EXPECT_FALSE(taxcode::beginsWith89("01234567897"));
    EXPECT_EQ(taxcode::dateSexGroup(QDate(1980, 1, 1), 'M'), "80A01");
    EXPECT_EQ(taxcode::dateSexGroup(QDate(1980, 1, 1), 'F'), "80A41");
    EXPECT_EQ(taxcode::dateSexGroup(QDate(2005, 12, 31), 'f'), "05T71");
    // The century of a two-digit year: the current one up to this year.
    EXPECT_EQ(taxcode::centuryYear(26, 2026), 2026);
    EXPECT_EQ(taxcode::centuryYear(27, 2026), 1927);
    EXPECT_EQ(taxcode::centuryYear(0, 2026), 2000);
    const int yy = QDate::currentDate().year() % 100;
    EXPECT_EQ(taxcode::birthDataFromGroup(QString::number(yy).rightJustified(2, '0') + "A01",
                                          QDate::currentDate().year())->date.year(),
              2000 + yy);
    // Reading a personal code decodes the substitution letters.
    const auto data = taxcode::readPersonalCode(u"RSSMRAULALMHQLMB", 2026);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->birthDate, QDate(1980, 1, 1)); // U L = 80, L M = 01
    EXPECT_EQ(data->sex, 'M');
    EXPECT_EQ(data->townCode, "H401"); // Q L M = 401
    EXPECT_FALSE(taxcode::readPersonalCode(u"01234567897", 2026));
}

std::string lineFor(std::string_view code)
{
    std::string out;
    appendCodeLine(code, 2026, out);
    return out;
}

TEST(CodeListChecker, OneFixedWidthLinePerKind)
{
    EXPECT_EQ(lineFor("RSSMRA80A01H501U"), "RSSMRA80A01H501U|CF persona fisica   |0|1|U|01/01/1980|M|H501|");
    EXPECT_EQ(lineFor("RSSMRA80A41H501Y"), "RSSMRA80A41H501Y|CF persona fisica   |0|1|Y|01/01/1980|F|H501|");
    EXPECT_EQ(lineFor("RSSMRAULALMHQLMB"), "RSSMRAULALMHQLMB|CF persona fisica   |0|1|B|01/01/1980|M|H401|");
    // A wrong check character still shows what the code holds, and what it should end with.
    EXPECT_EQ(lineFor("RSSMRA80A01H501A"), "RSSMRA80A01H501A|CF persona fisica   |4|1|U|01/01/1980|M|H501|");
    EXPECT_EQ(lineFor("RSSMRA80A01N501A"), "RSSMRA80A01N501A|CF persona fisica   |1|1|A|");
    EXPECT_EQ(lineFor("01234567897"), "01234567897     |Partita IVA         |0|0|7|");
    EXPECT_EQ(lineFor("80012345670"), "80012345670     |CF numerico         |4|4|6|");
    EXPECT_EQ(lineFor("IT01234567897"), "IT01234567897   |P.IVA con prefisso  |2|5|7|");
    EXPECT_EQ(lineFor("xyz"), "xyz             |non riconosciuto    |2|1|?|");
    // Characters counted, not bytes: 16 characters, 17 bytes are a malformed
    // personal code, not a code too long; the columns stay aligned.
    EXPECT_EQ(lineFor("RSSMRA80A01H501È"), "RSSMRA80A01H501È|CF persona fisica   |1|1|?|");
    EXPECT_EQ(lineFor("Città"), "Città           |non riconosciuto    |2|1|?|");
}

// The lines of a file as written by hand: blanks, carriage returns, a byte
// order mark, no final line end, and enough codes to cross the reader's
// blocks several times.
std::string checkText(const std::string& input, int* codes = nullptr)
{
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    const CodeStreamResult result = checkCodeStream(in, out, 2026);
    EXPECT_FALSE(result.readFailed || result.writeFailed);
    if (codes)
        *codes = result.codes;
    std::rewind(out);
    std::string output;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, out)) > 0;)
        output.append(buffer, n);
    std::fclose(in);
    std::fclose(out);
    return output;
}

TEST(CodeListChecker, StreamsLinesAsTheEditorMeantThem)
{
    EXPECT_EQ(checkText("\xEF\xBB\xBF  01234567897 \r\n\nRSSMRA80A01H501U\r\r12345678903"),
              "01234567897     |Partita IVA         |0|0|7|\n"
              "RSSMRA80A01H501U|CF persona fisica   |0|1|U|01/01/1980|M|H501|\n"
              "12345678903     |Partita IVA         |0|0|3|\n");
    std::string input;
    for (int i = 0; i < 200000; ++i)
        input += "RSSMRA80A41H501Y\n";
    int codes = 0;
    const std::string output = checkText(input + "IT01234567897", &codes);
    EXPECT_EQ(codes, 200001);
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 200001);
    EXPECT_TRUE(output.ends_with("RSSMRA80A41H501Y|CF persona fisica   |0|1|Y|01/01/1980|F|H501|\nIT01234567897   |P.IVA con prefisso  |2|5|7|\n"));
    // An output that cannot be written, or an input that cannot be read, is a failure.
    std::FILE* in = std::tmpfile();
    std::fputs("01234567897\n", in);
    std::rewind(in);
    std::FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    EXPECT_TRUE(checkCodeStream(in, full, 2026).writeFailed);
    std::fclose(full);
    std::fclose(in);
    std::FILE* folder = std::fopen("/", "r");
    ASSERT_NE(folder, nullptr);
    std::FILE* out = std::tmpfile();
    const CodeStreamResult result = checkCodeStream(folder, out, 2026);
    EXPECT_TRUE(result.readFailed);
    EXPECT_EQ(result.codes, 0);
    std::fclose(folder);
    std::fclose(out);
}

TEST(ComposeFromText, ComposesOrSaysWhatIsWrong)
{
    EXPECT_EQ(composeFromText("Rossi", "Mario", "m", "01/01/1980", "h501").code, "RSSMRA80A01H501U");
    EXPECT_EQ(composeFromText(" ", "Mario", "M", "01/01/1980", "H501").error, "Cognome mancante");
    EXPECT_EQ(composeFromText("Rossi", "'", "M", "01/01/1980", "H501").error, "Nome mancante");
    EXPECT_EQ(composeFromText("Rossi", "Mario", "X", "01/01/1980", "H501").error, "Sesso non valido (M o F) : X");
    EXPECT_TRUE(composeFromText("Rossi", "Mario", "M", "31/04/1980", "H501").error.startsWith("Data di nascita non valida"));
    EXPECT_TRUE(composeFromText("Rossi", "Mario", "M", "01/01/1980", "H50").error.startsWith("Codice del comune"));
    EXPECT_TRUE(composeFromText("Rossi", "Mario", "M", "01/01/1980", "H000").error.startsWith("Codice del comune"));
    // Accented letters are folded, other characters refused.
    EXPECT_EQ(composeFromText("Nicolò", "Mosè", "M", "01/01/1980", "H501").code,
              composeFromText("Nicolo", "Mose", "M", "01/01/1980", "H501").code);
    EXPECT_EQ(composeFromText("D’Angelo", "Mario", "M", "01/01/1980", "H501").code,
              composeFromText("D'Angelo", "Mario", "M", "01/01/1980", "H501").code);
    EXPECT_EQ(composeFromText("DE_ROSSI", "Mario", "M", "01/01/1980", "H501").error, "Carattere non ammesso nel cognome : \"_\" (DE_ROSSI)");
    EXPECT_EQ(composeFromText("Rossi", "Mario 123", "M", "01/01/1980", "H501").error, "Carattere non ammesso nel nome : \"1\" (Mario 123)");
}

} // namespace
