#pragma once

#include "TestHome.h"

#include <QProcess>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace corv::test {

// The built program started as a user starts it.
struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs it to its end (offscreen, without CORVUTIL_HOME); `setup` may redirect
// its standard streams.
ProgramRun runProgram(const QStringList& arguments, int timeoutMs = 30000,
                      const std::function<void(QProcess&)>& setup = {});
// Starts it and leaves it running.
void startProgram(QProcess& process, const QStringList& arguments);

// A demo installation the program itself creates.
class ProgramTest : public ::testing::Test {
protected:
    TestHome home{false};
    QString demo = home.file("demo");

    void SetUp() override;
    QStringList logLines() const { return TestHome::logLinesOf(demo); }
    // Waits until the run log holds the line; false when it never does.
    bool waitForLogLine(const QString& line, int timeoutMs = 10000) const;
};

} // namespace corv::test
