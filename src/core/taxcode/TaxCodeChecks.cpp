#include "taxcode/TaxCodeChecks.h"

#include <array>

namespace corv::utl {

namespace {

// Character classes and values, built once. Index by the ASCII code of an
// upper- or lower-case character; anything beyond ASCII is simply invalid.
struct Tables {
    std::array<std::int8_t, 128> upper{};      // the upper-case letter/digit, 0 when not alphanumeric
    std::array<std::int8_t, 128> digitValue{}; // 0-9 for digits and substitution letters, -1 otherwise
    std::array<std::int8_t, 128> oddValue{};   // check character weights, odd positions
    std::array<std::int8_t, 128> evenValue{};  // check character weights, even positions
    std::array<std::int8_t, 128> month{};      // 1-12 for a month letter, 0 otherwise
    std::array<bool, 128> placeLetter{};

    Tables()
    {
        digitValue.fill(-1);
        for (int c = 0; c < 128; ++c) {
            if (c >= '0' && c <= '9')
                upper[c] = static_cast<std::int8_t>(c);
            else if (c >= 'A' && c <= 'Z')
                upper[c] = static_cast<std::int8_t>(c);
            else if (c >= 'a' && c <= 'z')
                upper[c] = static_cast<std::int8_t>(c - 'a' + 'A');
        }
        const char* omocode = "LMNPQRSTUV";
        for (int i = 0; i < 10; ++i) {
            digitValue['0' + i] = static_cast<std::int8_t>(i);
            digitValue[static_cast<unsigned char>(omocode[i])] = static_cast<std::int8_t>(i);
            digitValue[static_cast<unsigned char>(omocode[i] - 'A' + 'a')] = static_cast<std::int8_t>(i);
        }
        // Odd-position weights of the 1976 decree, for 0-9 and A-Z.
        static const int odd[36] = {1, 0, 5, 7, 9, 13, 15, 17, 19, 21,
                                    1, 0, 5, 7, 9, 13, 15, 17, 19, 21, 2, 4, 18, 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
        for (int i = 0; i < 10; ++i) {
            oddValue['0' + i] = static_cast<std::int8_t>(odd[i]);
            evenValue['0' + i] = static_cast<std::int8_t>(i);
        }
        for (int i = 0; i < 26; ++i) {
            oddValue['A' + i] = static_cast<std::int8_t>(odd[10 + i]);
            evenValue['A' + i] = static_cast<std::int8_t>(i);
        }
        const char* months = "ABCDEHLMPRST";
        for (int i = 0; i < 12; ++i)
            month[static_cast<unsigned char>(months[i])] = static_cast<std::int8_t>(i + 1);
        for (const char* p = "ABCDEFGHILMZ"; *p; ++p)
            placeLetter[static_cast<unsigned char>(*p)] = true;
    }
};

const Tables& tables()
{
    static const Tables t;
    return t;
}

// The code unit of a character of either kind of text.
inline std::uint32_t unit(QChar c) { return c.unicode(); }
inline std::uint32_t unit(char c) { return static_cast<unsigned char>(c); }

inline QStringView tailOf(QStringView text, qsizetype from) { return text.sliced(from); }
inline std::string_view tailOf(std::string_view text, std::size_t from) { return text.substr(from); }

// The upper-case ASCII letter or digit of a character, 0 when it is neither.
template <typename Ch>
inline char normalised(Ch c, const Tables& t)
{
    const auto u = unit(c);
    return u < 128 ? static_cast<char>(t.upper[u]) : 0;
}

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline bool isLetter(char c) { return c >= 'A' && c <= 'Z'; }

template <typename View>
int checkDigitOf(const View& text, int count)
{
    int sum = 0;
    for (int i = 0; i < count; ++i) {
        const auto u = unit(text[i]);
        if (u < '0' || u > '9')
            return -1;
        int d = static_cast<int>(u - '0');
        if (i % 2 == 1) {
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        sum += d;
    }
    return (10 - sum % 10) % 10;
}

template <typename View>
bool allDigits(const View& text)
{
    for (auto c : text) {
        const auto u = unit(c);
        if (u < '0' || u > '9')
            return false;
    }
    return true;
}

template <typename View>
int checkCharOf(const View& text, const Tables& t)
{
    if (text.size() < 15)
        return -1;
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        const char c = normalised(text[i], t);
        if (!c)
            return -1;
        sum += (i % 2 == 0) ? t.oddValue[static_cast<unsigned char>(c)] : t.evenValue[static_cast<unsigned char>(c)];
    }
    return 'A' + sum % 26;
}

inline int daysInMonth(int month, int twoDigitYear)
{
    static const int days[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && twoDigitYear % 4 == 0)
        return 29;
    return days[month];
}

// A 16-character personal code: one pass takes each character's upper-case
// form and adds its weight to the check sum; then the parts are judged.
template <typename View>
int checkPersonalCode(const View& code, const Tables& t)
{
    char upper[16];
    int sum = 0;
    for (int i = 0; i < 16; ++i) {
        const char c = normalised(code[i], t);
        if (!c)
            return FiscalCodeMalformed;
        upper[i] = c;
        if (i < 15)
            sum += (i % 2 == 0) ? t.oddValue[static_cast<unsigned char>(c)] : t.evenValue[static_cast<unsigned char>(c)];
    }
    for (int i = 0; i < 6; ++i) {
        if (!isLetter(upper[i]))
            return FiscalCodeMalformed;
    }
    const auto digit = [&](int i) { return t.digitValue[static_cast<unsigned char>(upper[i])]; };
    const int y1 = digit(6), y2 = digit(7), d1 = digit(9), d2 = digit(10), p1 = digit(12), p2 = digit(13), p3 = digit(14);
    if ((y1 | y2 | d1 | d2 | p1 | p2 | p3) < 0)
        return FiscalCodeMalformed;
    const int month = t.month[static_cast<unsigned char>(upper[8])];
    if (month == 0)
        return FiscalCodeMalformed;
    int day = d1 * 10 + d2;
    if (day > 40)
        day -= 40;
    if (day < 1 || day > daysInMonth(month, y1 * 10 + y2))
        return FiscalCodeMalformed;
    if (!t.placeLetter[static_cast<unsigned char>(upper[11])] || (p1 | p2 | p3) == 0 || !isLetter(upper[15]))
        return FiscalCodeMalformed;
    return upper[15] == 'A' + sum % 26 ? FiscalCodeValid : FiscalCodeWrongCheck;
}

template <typename View>
int checkFiscalCode(const View& code)
{
    const auto size = code.size();
    if (size > 16)
        return FiscalCodeTooLong;
    if (size == 16)
        return checkPersonalCode(code, tables());
    const bool numeric = allDigits(code);
    if (size == 11 && numeric)
        return checkDigitOf(code, 10) == static_cast<int>(unit(code[10])) - '0' ? FiscalCodeValid : FiscalCodeWrongCheck;
    // Twelve to fifteen digits are too long for a numeric code; anything else
    // short of sixteen is too short for a personal one.
    return (numeric && size > 11) ? FiscalCodeTooLong : FiscalCodeTooShort;
}

template <typename View>
bool fiscalCodeHasDate(const View& code)
{
    if (code.size() != 16 || checkFiscalCode(code) != FiscalCodeValid)
        return false;
    const Tables& t = tables();
    for (int i : {6, 7, 9, 10}) {
        if (!isDigit(normalised(code[i], t)))
            return false;
    }
    return true;
}

template <typename View>
int checkVatNumber(const View& number)
{
    const auto size = number.size();
    if (!allDigits(number)) {
        // Two letters then only digits: a nation's ISO code in front.
        const Tables& t = tables();
        if (size > 2 && isLetter(normalised(number[0], t)) && isLetter(normalised(number[1], t))
            && allDigits(tailOf(number, 2)))
            return VatNumberNationPrefix;
        return VatNumberNotDigits;
    }
    if (size < 11)
        return VatNumberTooShort;
    if (size > 11)
        return VatNumberTooLong;
    return checkDigitOf(number, 10) == static_cast<int>(unit(number[10])) - '0' ? VatNumberValid : VatNumberWrongCheck;
}

} // namespace

int omocodeDigit(char16_t c) { return c < 128 ? tables().digitValue[c] : -1; }

int CheckFiscalCode(QStringView code) { return checkFiscalCode(code); }
int CheckFiscalCode(std::string_view code) { return checkFiscalCode(code); }

QChar FiscalCodeCheckChar(QStringView code)
{
    const int c = checkCharOf(code, tables());
    return c < 0 ? QLatin1Char('?') : QChar(c);
}
char FiscalCodeCheckChar(std::string_view code)
{
    const int c = checkCharOf(code, tables());
    return c < 0 ? '?' : static_cast<char>(c);
}

bool FiscalCodeHasDate(QStringView code) { return fiscalCodeHasDate(code); }
bool FiscalCodeHasDate(std::string_view code) { return fiscalCodeHasDate(code); }

int CheckVatNumber(QStringView number) { return checkVatNumber(number); }
int CheckVatNumber(std::string_view number) { return checkVatNumber(number); }

QChar VatNumberCheckDigit(QStringView number)
{
    const int d = number.size() >= 10 ? checkDigitOf(number, 10) : -1;
    return d < 0 ? QLatin1Char('?') : QChar(u'0' + d);
}
char VatNumberCheckDigit(std::string_view number)
{
    const int d = number.size() >= 10 ? checkDigitOf(number, 10) : -1;
    return d < 0 ? '?' : static_cast<char>('0' + d);
}

} // namespace corv::utl
