#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <optional>

// The system's own rules for fiscal codes: the letter groups of surname and
// name, the date-and-sex group, reading birth data back out of a code, the
// century rule, composing a whole code and the cleaning of stored codes.
namespace corv::taxcode {

inline const QString kMonthLetters = QStringLiteral("ABCDEHLMPRST");
// Characters a stored code may not contain.
inline const QString kCleaningSet = QStringLiteral(" _-*+/.,;:<>\\()='\"");
// Characters removed from a surname or name before its letters are taken.
inline const QString kNameSeparators = QStringLiteral(" -.,'\"");
inline const QString kVowels = QStringLiteral("AEIOU");
inline const QString kBadStructure = QStringLiteral("Struttura Codice ERRATA !!");

// The vowels or the consonants of a surname or name, upper case; a first name
// with four or more consonants loses its second one.
QString ExtractLetters(const QString& text, bool isName, bool vowels);

// The three letters of a surname (isName false) or a first name.
QString letterGroup(const QString& text, bool isName);

// Positions 7-11: year digits, month letter, day (plus 40 for a woman, sex "F").
QString dateSexGroup(const QDate& date, QChar sex);

// The four-digit year of two year digits: 19xx when they are greater than the
// current year's last two, 20xx otherwise.
int centuryYear(int twoDigits, int currentYear);

struct BirthData {
    QDate date;
    QChar sex; // 'M' or 'F'
};

// Birth date and sex from a 5-character date-and-sex group. nullopt with an
// empty error when the group is not 5 characters; with kBadStructure when it
// cannot be read (year not numeric, no month letter, no such day).
std::optional<BirthData> birthDataFromGroup(const QString& group, int currentYear, QString* error = nullptr);

// Surname group, name group, date-and-sex group and town code, then the check
// character of those 15 characters.
QString composeCode(const QString& surname, const QString& name, const QDate& birthDate, QChar sex,
                    const QString& townCode);

// True when positions 7-11 of the code are the date-and-sex group of the
// stored birth date for a man or for a woman (the stored sex is not compared).
bool birthDateCoherent(const QString& code, const QDate& storedBirthDate);

// The first character is 8 or 9 (bodies without VAT status); an empty value
// counts as found.
bool beginsWith89(const QString& value);

// Everything a personal code of sound structure holds (a wrong check
// character aside), substitution letters decoded.
struct PersonalCodeData {
    QDate birthDate;
    QChar sex;
    QString townCode; // positions 12-15, digits decoded
};
std::optional<PersonalCodeData> readPersonalCode(QStringView code, int currentYear);

} // namespace corv::taxcode

namespace corv::taxcode {

// Composes a code from the values a user types (surname, name, sex "M"/"F",
// birth date dd/mm/yyyy, town code of a letter and three digits). On bad input
// the code is empty and error says, in Italian, what is wrong.
inline constexpr int kEarliestBirthYear = 1900;
struct ComposedCode {
    QString code;
    QString error;
};
ComposedCode composeFromText(const QString& surname, const QString& name, const QString& sex,
                             const QString& birthDate, const QString& townCode);

} // namespace corv::taxcode
