#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

namespace corv {

// Parses a command line with `options` ("--option value" or "--option=value"),
// the errors said in Italian: an option not known, an option whose value is
// missing (followed by another option, by nothing, or empty). `arguments`
// starts with the program's name; returns the error, empty when none.
QString parseOptions(QCommandLineParser& parser, const QStringList& arguments, const QList<QCommandLineOption>& options);

// The machine-readable format an option names ("csv" or "json", in any case);
// empty when it names neither.
QString exportFormatOf(const QString& value);

// The help option every command takes: "-h" and "--help".
QCommandLineOption helpOption();

} // namespace corv
