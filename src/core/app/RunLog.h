#pragma once

#include <QString>

namespace corv {

namespace utl {
// The log operation of the utility library: appends one line (CR LF, UTF-8) to
// the file. The start-of-run line creates the file anew, which is also how a
// report's first line starts a fresh report. False when the file could not be
// written.
bool logLine(const QString& text, bool startOfRun, const QString& path);
} // namespace utl

// The process-wide run log ("Corvina.LOG" in the program folder). Each line
// gets a time prefix; the previous run's log is kept beside it as
// "Corvina.LOG.1", since the start-of-run line starts the file anew.
class RunLog {
public:
    explicit RunLog(QString path = {});

    const QString& path() const { return path_; }
    void setPath(const QString& path) { path_ = path; }

    void startRun(const QString& text);
    void write(const QString& text);

private:
    QString path_;
};

// The password as the run log shows it: never in clear.
QString maskedPassword(const QString& password);

} // namespace corv
