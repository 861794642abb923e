#pragma once

#include <QChar>
#include <QStringView>
#include <string_view>

// The Italian tax-code checks of the utility library: fiscal codes (codice
// fiscale) and VAT numbers (partita IVA). They never fail on content: every
// input, of any length or alphabet, gets a result code. Letter case does not
// change a verdict. The std::string_view overloads take ASCII/UTF-8 bytes and
// serve the bulk command-line checker without conversions.
namespace corv::utl {

// Result codes of CheckFiscalCode.
enum FiscalCodeResult : int {
    FiscalCodeValid = 0,
    FiscalCodeMalformed = 1,  // a character or a part that cannot stand where it stands
    FiscalCodeTooShort = 2,
    FiscalCodeTooLong = 3,
    FiscalCodeWrongCheck = 4, // well formed, wrong check character or digit
};

// Result codes of CheckVatNumber.
enum VatNumberResult : int {
    VatNumberValid = 0,
    VatNumberNotDigits = 1,
    VatNumberTooShort = 2,
    VatNumberTooLong = 3,
    VatNumberWrongCheck = 4,
    VatNumberNationPrefix = 5, // two letters in front of the digits
};

// 0 for a valid 16-character personal code (letters, digits or their
// substitution letters, month letter, a real day of that month, place letter,
// town number other than 000, check character of the 1976 decree) or a valid
// 11-digit numeric code; see FiscalCodeResult for the others.
int CheckFiscalCode(QStringView code);
int CheckFiscalCode(std::string_view code);

// The check character that the first 15 characters call for; '?' when they
// are fewer than 15 or hold a character that is neither a letter nor a digit.
QChar FiscalCodeCheckChar(QStringView code);
char FiscalCodeCheckChar(std::string_view code);

// True when the code is a valid personal code whose positions 7-11 are plain
// digits and a month letter, so that the birth date can be read from them as
// they stand (a code with substitution letters there is not read).
bool FiscalCodeHasDate(QStringView code);
bool FiscalCodeHasDate(std::string_view code);

// 0 for 11 digits with the right check digit; see VatNumberResult.
int CheckVatNumber(QStringView number);
int CheckVatNumber(std::string_view number);

// The check digit that the first 10 digits call for (the Luhn-type rule of the
// VAT number); '?' when they are fewer than 10 or not all digits.
QChar VatNumberCheckDigit(QStringView number);
char VatNumberCheckDigit(std::string_view number);

// The value of a substitution letter (L=0 ... V=9, either case) or of a digit; -1 otherwise.
int omocodeDigit(char16_t c);

} // namespace corv::utl
