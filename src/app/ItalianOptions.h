#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace corv {

// Parses a command line with `options` ("--option value" or "--option=value"),
// the errors said in Italian: an option not known, an option whose value is
// missing (followed by another option, by nothing, or empty). `arguments`
// starts with the program's name; returns the error, empty when none.
QString parseOptions(QCommandLineParser& parser, const QStringList& arguments, const QList<QCommandLineOption>& options);

// The values of options as the commands read them; each reader leaves its
// field as it was when the option is not given, and on a bad value sets
// `error` (when still empty) to the Italian reason.
void readYear(const QCommandLineParser& parser, const QCommandLineOption& option, int& year, QString& error);
void readDate(const QCommandLineParser& parser, const QCommandLineOption& option, QDate& date, QString& error);
// "dal" not after "al".
void checkDateRange(const QDate& from, const QDate& to, QString& error);
void readExportFormat(const QCommandLineParser& parser, const QCommandLineOption& option, QString& format, QString& error);

// The machine-readable format an option names ("csv" or "json", in any case);
// empty when it names neither.
QString exportFormatOf(const QString& value);

// The help option every command takes: "-h" and "--help".
QCommandLineOption helpOption();

} // namespace corv
