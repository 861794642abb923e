#include "journal/SubjectCode.h"

namespace corv {

namespace {

constexpr qsizetype kDigits = 6;

int unit(QChar c) { return c.unicode(); }
int unit(char c) { return static_cast<unsigned char>(c); }

template <typename View>
bool digitsOnly(View code)
{
    if (code.isEmpty())
        return false;
    for (const auto c : code) {
        if (unit(c) < '0' || unit(c) > '9')
            return false;
    }
    return true;
}

// The digits less their leading zeros (one zero for zero itself).
template <typename View>
View significant(View digits)
{
    while (digits.size() > 1 && unit(digits.front()) == '0')
        digits = digits.sliced(1);
    return digits;
}

} // namespace

bool isDigitsOnly(QStringView code) { return digitsOnly(code); }

QString subjectCode(QStringView code)
{
    code = code.trimmed();
    if (!digitsOnly(code))
        return code.toString();
    return significant(code).toString().rightJustified(kDigits, QLatin1Char('0'));
}

QByteArray subjectCode(QByteArrayView code)
{
    code = code.trimmed();
    if (!digitsOnly(code))
        return code.toByteArray();
    return significant(code).toByteArray().rightJustified(kDigits, '0');
}

bool subjectCodeLess(QStringView a, QStringView b)
{
    const bool numericA = digitsOnly(a), numericB = digitsOnly(b);
    if (numericA != numericB)
        return numericA;
    if (numericA) {
        a = significant(a);
        b = significant(b);
        if (a.size() != b.size())
            return a.size() < b.size();
    }
    return a < b;
}

} // namespace corv

namespace corv {

bool ComparisonKeyOrder::operator()(const QString& a, const QString& b) const
{
    if (a.isEmpty() || b.isEmpty())
        return a.isEmpty() && !b.isEmpty();
    if (a[0] != b[0])
        return a[0] < b[0];
    return subjectCodeLess(QStringView(a).mid(1), QStringView(b).mid(1));
}

QString comparisonKey(const QString& type, const QString& code)
{
    QString letter = type.trimmed().toUpper();
    if (letter == QLatin1String("1"))
        letter = QStringLiteral("C");
    else if (letter == QLatin1String("2"))
        letter = QStringLiteral("F");
    const QString trimmed = code.trimmed();
    if (letter.isEmpty() && trimmed.isEmpty())
        return {};
    return letter + subjectCode(trimmed);
}

} // namespace corv
