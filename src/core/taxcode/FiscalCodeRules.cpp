#include "taxcode/FiscalCodeRules.h"

#include "util/TextUtil.h"
#include "taxcode/TaxCodeChecks.h"

#include <QRegularExpression>

namespace corv::taxcode {

QString ExtractLetters(const QString& text, bool isName, bool vowels)
{
    // Accented letters count as their base letter (Nicolò, Mosè); only the
    // letters A to Z make a group.
    const QString cleaned = utl::StripChars(text.trimmed(), kNameSeparators).toUpper().normalized(QString::NormalizationForm_D);
    QString kept;
    for (QChar c : cleaned) {
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            continue;
        if (kVowels.contains(c) == vowels)
            kept.append(c);
    }
    if (isName && !vowels && kept.size() >= 4)
        kept.remove(1, 1);
    return kept;
}

QString letterGroup(const QString& text, bool isName)
{
    QString group = ExtractLetters(text, isName, false);
    if (group.size() < 3)
        group = utl::PadRight(group + ExtractLetters(text, isName, true), 3, QLatin1Char('X'));
    return group.left(3);
}

QString dateSexGroup(const QDate& date, QChar sex)
{
    if (!date.isValid())
        return {};
    const int day = date.day() + (sex.toUpper() == QLatin1Char('F') ? 40 : 0);
    return QString::number(date.year()).right(2).rightJustified(2, QLatin1Char('0'))
           + kMonthLetters[date.month() - 1] + utl::PadLeft(QString::number(day), 2, QLatin1Char('0'));
}

int centuryYear(int twoDigits, int currentYear)
{
    return twoDigits > currentYear % 100 ? 1900 + twoDigits : 2000 + twoDigits;
}

std::optional<BirthData> birthDataFromGroup(const QString& group, int currentYear, QString* error)
{
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return std::optional<BirthData>();
    };
    if (group.size() != 5)
        return fail(QString());
    bool yearOk = false, dayOk = false;
    const int year = group.left(2).toInt(&yearOk);
    const int month = kMonthLetters.indexOf(group[2].toUpper()) + 1;
    const QString dayDigits = group.mid(3, 2);
    int day = dayDigits.toInt(&dayOk);
    if (!yearOk || !group[0].isDigit() || !group[1].isDigit() || month == 0 || !dayOk)
        return fail(kBadStructure);
    BirthData data;
    data.sex = QLatin1Char('M');
    if (dayDigits > QLatin1String("40")) {
        data.sex = QLatin1Char('F');
        day -= 40;
    }
    data.date = QDate(centuryYear(year, currentYear), month, day);
    if (!data.date.isValid())
        return fail(kBadStructure);
    return data;
}

QString composeCode(const QString& surname, const QString& name, const QDate& birthDate, QChar sex,
                    const QString& townCode)
{
    const QString first15 =
        letterGroup(surname, false) + letterGroup(name, true) + dateSexGroup(birthDate, sex) + townCode.trimmed().toUpper();
    return first15 + utl::FiscalCodeCheckChar(first15);
}

bool birthDateCoherent(const QString& code, const QDate& storedBirthDate)
{
    const QString held = code.mid(6, 5).toUpper();
    return held == dateSexGroup(storedBirthDate, QLatin1Char('M')) || held == dateSexGroup(storedBirthDate, QLatin1Char('F'));
}

bool beginsWith89(const QString& value)
{
    return value.isEmpty() || value.front() == QLatin1Char('8') || value.front() == QLatin1Char('9');
}

std::optional<PersonalCodeData> readPersonalCode(QStringView code, int currentYear)
{
    if (code.size() != 16)
        return std::nullopt;
    const int result = utl::CheckFiscalCode(code);
    if (result != utl::FiscalCodeValid && result != utl::FiscalCodeWrongCheck)
        return std::nullopt;
    const auto digit = [&](int i) { return utl::omocodeDigit(code[i].unicode()); };
    int day = digit(9) * 10 + digit(10);
    PersonalCodeData data;
    data.sex = day > 40 ? QLatin1Char('F') : QLatin1Char('M');
    if (day > 40)
        day -= 40;
    const int month = kMonthLetters.indexOf(code[8].toUpper()) + 1;
    data.birthDate = QDate(centuryYear(digit(6) * 10 + digit(7), currentYear), month, day);
    if (!data.birthDate.isValid()) // 29 February of 1900, the one century year that is not leap
        return std::nullopt;
    data.townCode = code[11].toUpper() + QString::number(digit(12)) + QString::number(digit(13)) + QString::number(digit(14));
    return data;
}

} // namespace corv::taxcode

namespace corv::taxcode {

namespace {

// A surname or name as the code's letters are taken from it: accented letters
// folded to their base letter (Nicolò, Mosè); nothing but letters, blanks,
// apostrophes, hyphens and dots allowed. Empty, with `bad` set to the first
// character refused, when anything else is there.
QString foldedName(const QString& text, QChar* bad)
{
    QString folded;
    for (QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        if (c == QChar(0x2019) || c == QChar(0x2018))
            c = QLatin1Char('\'');
        const bool letter = (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
        if (!letter && !kNameSeparators.contains(c)) {
            *bad = c;
            return {};
        }
        folded.append(c);
    }
    return folded;
}

} // namespace

ComposedCode composeFromText(const QString& surnameText, const QString& nameText, const QString& sex,
                             const QString& birthDate, const QString& townCode)
{
    const auto fail = [](const QString& why) { return ComposedCode{QString(), why}; };
    QChar bad;
    const QString surname = foldedName(surnameText, &bad);
    if (!bad.isNull())
        return fail(QStringLiteral("Carattere non ammesso nel cognome : \"") + bad + QStringLiteral("\" (") + surnameText + QLatin1Char(')'));
    const QString name = foldedName(nameText, &bad);
    if (!bad.isNull())
        return fail(QStringLiteral("Carattere non ammesso nel nome : \"") + bad + QStringLiteral("\" (") + nameText + QLatin1Char(')'));
    if (ExtractLetters(surname, false, false).isEmpty() && ExtractLetters(surname, false, true).isEmpty())
        return fail(QStringLiteral("Cognome mancante"));
    if (ExtractLetters(name, true, false).isEmpty() && ExtractLetters(name, true, true).isEmpty())
        return fail(QStringLiteral("Nome mancante"));
    const QString s = sex.trimmed().toUpper();
    if (s != QLatin1String("M") && s != QLatin1String("F"))
        return fail(QStringLiteral("Sesso non valido (M o F) : ") + sex);
    const QDate date = QDate::fromString(birthDate.trimmed(), QStringLiteral("dd/MM/yyyy"));
    if (!date.isValid())
        return fail(QStringLiteral("Data di nascita non valida (gg/mm/aaaa) : ") + birthDate);
    // The code holds two digits of the year: a birth in the future, or more
    // than a century and a quarter ago, is a typing error.
    if (date > QDate::currentDate())
        return fail(QStringLiteral("Data di nascita futura : ") + birthDate);
    if (date.year() < kEarliestBirthYear)
        return fail(QStringLiteral("Anno di nascita non plausibile (prima del %1) : ").arg(kEarliestBirthYear) + birthDate);
    const QString town = townCode.trimmed().toUpper();
    static const QRegularExpression townShape(QStringLiteral("^[A-Z][0-9]{3}$"));
    if (!townShape.match(town).hasMatch() || town.mid(1) == QLatin1String("000"))
        return fail(QStringLiteral("Codice del comune non valido (una lettera e tre cifre, per esempio H501) : ")
                    + townCode);
    return {composeCode(surname, name, date, s[0], town), QString()};
}

} // namespace corv::taxcode
