#pragma once

#include <QString>
#include <QStringList>

#include <algorithm>

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
// The head lines (the first `head` lines, never a choice) left after each
// operation above.
qsizetype headAfterKeep(const QStringList& lines, qsizetype head, const QString& text);
inline qsizetype headAfterRemoveBefore(qsizetype head, qsizetype selected) { return std::max<qsizetype>(0, head - selected); }
inline qsizetype headAfterRemoveAfter(qsizetype head, qsizetype selected) { return std::min(head, selected + 1); }
// One line per "|" piece of `line`: the "!"-separated column name of the
// heading padded to 20, "|", the piece, "<".
QStringList pipeView(const QString& heading, const QString& line);

} // namespace corv::listlines
