#include "taxcode/CodeListChecker.h"
#include "taxcode/FiscalCodeRules.h"

#include <gtest/gtest.h>

using namespace corv::taxcode;

namespace {

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
}

TEST(CodeListChecker, AnOutputThatCannotBeWrittenOrAnInputThatCannotBeReadIsAFailure)
{
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
