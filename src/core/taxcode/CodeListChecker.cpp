#include "taxcode/CodeListChecker.h"

#include "taxcode/FiscalCodeRules.h"
#include "taxcode/TaxCodeChecks.h"

#include <QDate>
#include <QString>
#include <array>

namespace corv::taxcode {

namespace {

void appendPadded(std::string& out, std::string_view text, std::size_t width)
{
    out.append(text);
    if (text.size() < width)
        out.append(width - text.size(), ' ');
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

long checkCodeStream(std::FILE* in, std::FILE* out, int currentYear)
{
    constexpr std::size_t kBlock = 1 << 20;
    std::string pending;
    std::string buffer(kBlock, '\0');
    std::string output;
    output.reserve(kBlock + 4096);
    long count = 0;

    const auto handleLine = [&](std::string_view line) {
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
            line.remove_suffix(1);
        if (line.empty())
            return;
        appendCodeLine(line, currentYear, output);
        output.push_back('\n');
        ++count;
        if (output.size() >= kBlock) {
            std::fwrite(output.data(), 1, output.size(), out);
            output.clear();
        }
    };

    for (;;) {
        const std::size_t got = std::fread(buffer.data(), 1, kBlock, in);
        if (got == 0)
            break;
        std::string_view chunk(buffer.data(), got);
        std::size_t start = 0;
        for (std::size_t nl = chunk.find('\n'); nl != std::string_view::npos; nl = chunk.find('\n', start)) {
            if (!pending.empty()) {
                pending.append(chunk.substr(start, nl - start));
                handleLine(pending);
                pending.clear();
            } else {
                handleLine(chunk.substr(start, nl - start));
            }
            start = nl + 1;
        }
        pending.append(chunk.substr(start));
    }
    handleLine(pending);
    std::fwrite(output.data(), 1, output.size(), out);
    std::fflush(out);
    return count;
}

} // namespace corv::taxcode
