#include "taxcode/CodeListChecker.h"

#include "taxcode/FiscalCodeRules.h"
#include "taxcode/TaxCodeChecks.h"

#include <QDate>
#include <QString>
#include <array>

namespace corv::taxcode {

namespace {

// Characters, not bytes, of UTF-8 text.
std::size_t characters(std::string_view text)
{
    std::size_t count = 0;
    for (char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

bool isAscii(std::string_view text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// Padded by characters, so the columns stay aligned for any text.
void appendPadded(std::string& out, std::string_view text, std::size_t width)
{
    out.append(text);
    const std::size_t length = characters(text);
    if (length < width)
        out.append(width - length, ' ');
    out.push_back('|');
}

bool allDigits(std::string_view text)
{
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return !text.empty();
}

// Birth date, sex and town of a personal code of sound structure.
void appendPersonalData(std::string_view code, int currentYear, std::string& out)
{
    const auto data = readPersonalCode(QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size())), currentYear);
    if (!data)
        return;
    int day = 0, month = 0, year = 0;
    data->birthDate.getDate(&year, &month, &day);
    const char text[] = {static_cast<char>('0' + day / 10), static_cast<char>('0' + day % 10), '/',
                         static_cast<char>('0' + month / 10), static_cast<char>('0' + month % 10), '/',
                         static_cast<char>('0' + year / 1000), static_cast<char>('0' + year / 100 % 10),
                         static_cast<char>('0' + year / 10 % 10), static_cast<char>('0' + year % 10), '|',
                         static_cast<char>(data->sex.unicode()), '|'};
    out.append(text, sizeof text);
    for (QChar c : data->townCode)
        out.push_back(static_cast<char>(c.unicode()));
    out.push_back('|');
}

} // namespace

void appendCodeLine(std::string_view code, int currentYear, std::string& out)
{
    if (!isAscii(code)) {
        // No valid code holds such a character: only its length in
        // characters decides between malformed and too short or long.
        const QString text = QString::fromUtf8(code.data(), static_cast<qsizetype>(code.size()));
        appendPadded(out, code, 16);
        appendPadded(out, text.size() == 16 ? "CF persona fisica" : "non riconosciuto", 20);
        out.push_back(static_cast<char>('0' + utl::CheckFiscalCode(text)));
        out.push_back('|');
        out.push_back(static_cast<char>('0' + utl::CheckVatNumber(text)));
        out.append("|?|");
        return;
    }
    const int fiscal = utl::CheckFiscalCode(code);
    const int vat = utl::CheckVatNumber(code);
    std::string_view kind = "non riconosciuto";
    char expected = '?';
    if (code.size() == 16) {
        kind = "CF persona fisica";
        expected = utl::FiscalCodeCheckChar(code);
    } else if (code.size() == 11 && allDigits(code)) {
        // Bodies without VAT status (8, 9) hold a numeric fiscal code only.
        kind = (code[0] == '8' || code[0] == '9') ? "CF numerico" : "Partita IVA";
        expected = utl::VatNumberCheckDigit(code);
    } else if (vat == utl::VatNumberNationPrefix) {
        kind = "P.IVA con prefisso";
        expected = utl::VatNumberCheckDigit(code.substr(2));
    }
    appendPadded(out, code, 16);
    appendPadded(out, kind, 20);
    out.push_back(static_cast<char>('0' + fiscal));
    out.push_back('|');
    out.push_back(static_cast<char>('0' + vat));
    out.push_back('|');
    out.push_back(expected);
    out.push_back('|');
    if (kind == "CF persona fisica")
        appendPersonalData(code, currentYear, out);
}

CodeStreamResult checkCodeStream(std::FILE* in, std::FILE* out, int currentYear)
{
    constexpr std::size_t kBlock = 1 << 20;
    std::string pending;
    std::string buffer(kBlock, '\0');
    std::string output;
    output.reserve(kBlock + 4096);
    CodeStreamResult result;
    bool first = true;

    const auto flush = [&] {
        if (result.writeFailed || output.empty())
            return;
        result.writeFailed = std::fwrite(output.data(), 1, output.size(), out) != output.size();
        output.clear();
    };
    const auto handleLine = [&](std::string_view line) {
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        if (line.empty())
            return;
        appendCodeLine(line, currentYear, output);
        output.push_back('\n');
        ++result.codes;
        if (output.size() >= kBlock)
            flush();
    };
    // A line ends at LF, CR LF or a lone CR; blank lines are skipped anyway.
    const auto isEnd = [](char c) { return c == '\n' || c == '\r'; };

    while (!result.writeFailed) {
        const std::size_t got = std::fread(buffer.data(), 1, kBlock, in);
        if (got == 0)
            break;
        std::string_view chunk(buffer.data(), got);
        if (first && chunk.starts_with("\xEF\xBB\xBF"))
            chunk.remove_prefix(3); // the byte-order mark some editors put first
        first = false;
        std::size_t start = 0;
        for (std::size_t i = 0; i < chunk.size(); ++i) {
            if (!isEnd(chunk[i]))
                continue;
            if (!pending.empty()) {
                pending.append(chunk.substr(start, i - start));
                handleLine(pending);
                pending.clear();
            } else {
                handleLine(chunk.substr(start, i - start));
            }
            start = i + 1;
        }
        pending.append(chunk.substr(start));
    }
    result.readFailed = std::ferror(in) != 0;
    handleLine(pending);
    flush();
    result.writeFailed = result.writeFailed || std::fflush(out) != 0 || std::ferror(out) != 0;
    return result;
}

} // namespace corv::taxcode
