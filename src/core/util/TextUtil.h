#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <QStringList>

// The text operations of the shared utility library. Pure functions: they never
// fail on ordinary input.
namespace corv::utl {

// Field n (counted from 1) of a separated text, blanks trimmed; empty when the
// text has fewer fields.
QString field(const QString& text, const QString& separator, int n);

// The value brought to exactly the width: filled on the left (PadLeft) or the
// right (PadRight), cut to its first `width` characters when longer.
QString PadLeft(const QString& value, int width, QChar fill = QLatin1Char(' '));
QString PadRight(const QString& value, int width, QChar fill = QLatin1Char(' '));
QString RepeatChar(int count, QChar c);
QString StripChars(const QString& text, const QString& set);
// Each character of `from` replaced by the one at the same position of `to`;
// characters of `from` beyond the end of `to` are removed.
QString translateChars(const QString& text, const QString& from, const QString& to);

// The current date (and time) as text usable in a file name.
QString dateStamp(const QDateTime& when);

} // namespace corv::utl
