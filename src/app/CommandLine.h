#pragma once

#include <QString>
#include <QStringList>

namespace corv {

struct CommandLine {
    QString home;        // --home DIR (or CORVUTIL_HOME)
    QString createDemo;  // --create-demo DIR
    QString command;     // --comando NAME: a console command run once the console is open
    bool large = false;  // --large: the demo installation of the benchmarks
    bool batch = false;  // messages to stderr, default answers
    bool exitAfterStart = false;
    bool help = false;
    bool version = false;
    QString error;       // set when the arguments cannot be understood

    // Qt's conventions: "--option value" or "--option=value"; an option that
    // takes a value and is followed by another option, or by nothing, is an error.
    static CommandLine parse(const QStringList& arguments);
    static QString usage();
};

} // namespace corv
