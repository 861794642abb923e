#pragma once

#include <QString>
#include <QStringList>

namespace corv {

class AppContext;

// The files the list window writes, each opened in the text viewer. Every
// function returns the file written, empty when nothing was written (a
// question answered No, or a failure the user was told of).
namespace listfiles {

// View: the heading, a rule of "-" as wide, and every line, in a file named
// by the window caption (blanks as "_") + ".DBP".
QString viewList(AppContext& ctx, const QString& caption, const QString& heading, const QStringList& lines);

// Save: "\RS_" + list name + ".TXT" ("\RS_F_LIST.TXT" without a name), after
// a question; the completion message offers to open it.
QString saveList(AppContext& ctx, const QString& listName, const QStringList& lines);

// Pipe view of one line: after a question (default No), "PIPE.TMP" holds one
// line per "|" piece with its column name.
QString pipeViewLine(AppContext& ctx, const QString& caption, const QString& heading, const QString& line);

} // namespace listfiles
} // namespace corv
