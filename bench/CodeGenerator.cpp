#include "CodeGenerator.h"

#include "demo/DemoRandom.h"
#include "taxcode/TaxCodeChecks.h"

#include <cstdint>

namespace corv::bench {

namespace {

std::string personal(DemoRandom& r)
{
    static const char* months = "ABCDEHLMPRST";
    static const char* places = "ABCDEFGHILMZ";
    std::string code;
    for (int i = 0; i < 6; ++i)
        code.push_back(static_cast<char>('A' + r.below(26)));
    code += std::to_string(10 + r.below(90));
    code.push_back(months[r.below(12)]);
    const int day = 1 + r.below(28) + (r.below(2) ? 40 : 0);
    if (day < 10)
        code.push_back('0');
    code += std::to_string(day);
    code.push_back(places[r.below(12)]);
    code += std::to_string(100 + r.below(900));
    code.push_back(utl::FiscalCodeCheckChar(std::string_view(code)));
    return code;
}

std::string homocode(DemoRandom& r)
{
    static const char* letters = "LMNPQRSTUV";
    std::string code = personal(r);
    static const int positions[] = {14, 13, 12, 10, 9, 7, 6};
    const int substituted = 1 + r.below(3);
    for (int i = 0; i < substituted; ++i) {
        const int at = positions[i];
        code[at] = letters[code[at] - '0'];
    }
    code[15] = utl::FiscalCodeCheckChar(std::string_view(code));
    return code;
}

std::string vatNumber(DemoRandom& r)
{
    std::string number;
    for (int i = 0; i < 10; ++i)
        number.push_back(static_cast<char>('0' + r.below(10)));
    number.push_back(utl::VatNumberCheckDigit(std::string_view(number)));
    return number;
}

std::string broken(DemoRandom& r)
{
    std::string code = r.below(2) ? personal(r) : vatNumber(r);
    switch (r.below(5)) {
    case 0: code.back() = code.back() == 'A' || code.back() == '0' ? '1' : 'A'; break; // wrong check
    case 1: code.resize(static_cast<std::size_t>(r.below(static_cast<int>(code.size())))); break;
    case 2: code.insert(static_cast<std::size_t>(r.below(static_cast<int>(code.size()))), 1, ' '); break;
    case 3: code = "IT" + vatNumber(r); break;
    default: code += "X"; break;
    }
    return code;
}

} // namespace

std::vector<std::string> generateCodes(std::size_t count, unsigned seed)
{
    DemoRandom r(seed);
    std::vector<std::string> codes;
    codes.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const int kind = r.below(10);
        if (kind < 4)
            codes.push_back(personal(r));
        else if (kind < 5)
            codes.push_back(homocode(r));
        else if (kind < 7)
            codes.push_back(vatNumber(r));
        else
            codes.push_back(broken(r));
    }
    return codes;
}

} // namespace corv::bench
