#pragma once

#include <QString>
#include <QStringList>

// The operations of the list window on its lines, kept apart from the window
// so that they can be tested and reused.
namespace corv::listlines {

// "1 riga." / "N righe."
QString countText(qsizetype count);
// The next line after `from` whose upper-case text holds `text` (upper
// case), wrapping round to the top; -1 when none (or nothing to search).
qsizetype findNext(const QStringList& lines, qsizetype from, const QString& text);
// Keeps only the lines holding `text` (upper-case comparison).
QStringList keepMatching(const QStringList& lines, const QString& text);
QStringList removeBefore(const QStringList& lines, qsizetype selected);
QStringList removeAfter(const QStringList& lines, qsizetype selected);
// One line per "|" piece of `line`: the "!"-separated column name of the
// heading padded to 20, "|", the piece, "<".
QStringList pipeView(const QString& heading, const QString& line);

} // namespace corv::listlines
