#pragma once

#include <QString>

namespace corv {

// The process-wide run log ("Corvina.LOG" in the program folder). Each line
// gets a time prefix; the previous run's log is kept beside it as
// "Corvina.LOG.1", since the start-of-run line starts the file anew.
class RunLog {
public:
    explicit RunLog(QString path = {});

    const QString& path() const { return path_; }

    void startRun(const QString& text);
    void write(const QString& text);

private:
    QString path_;
};

// The password as the run log shows it: never in clear.
QString maskedPassword(const QString& password);

} // namespace corv
