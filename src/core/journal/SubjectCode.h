#pragma once

#include <QByteArray>
#include <QString>

namespace corv {

// A customer/supplier code as every source keys and prints it: a code of
// digits only by its value, zero-filled to 6 digits ("7", "000007" and
// "0000007" are one code; a longer one is written whole, never cut); any
// other code trimmed.
QString subjectCode(QStringView code);
QByteArray subjectCode(QByteArrayView code);
bool isDigitsOnly(QStringView code);

// The order of such codes: numeric ones by value, before the others.
bool subjectCodeLess(QStringView a, QStringView b);

} // namespace corv
