#pragma once

#include <QString>
#include <QStringList>

namespace corv {

struct CommandLine {
    QString home;        // --home DIR (or CORVUTIL_HOME)
    QString createDemo;  // --create-demo DIR
    bool large = false;  // --large: the demo installation of the benchmarks
    bool batch = false;  // messages to stderr, default answers
    bool exitAfterStart = false;
    bool help = false;
    bool version = false;
    QString error;       // set when the arguments cannot be understood

    static CommandLine parse(const QStringList& arguments);
    static QString usage();
};

} // namespace corv
