#include "ProgramRun.h"

#include <QThread>

namespace corv::test {

namespace {
QProcessEnvironment programEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.remove("CORVUTIL_HOME");
    return env;
}
} // namespace

void startProgram(QProcess& process, const QStringList& arguments)
{
    // A test that set an environment of its own (no display, say) keeps it.
    if (process.processEnvironment().isEmpty())
        process.setProcessEnvironment(programEnvironment());
    process.start(CORVUTIL_BINARY, arguments);
}

ProgramRun runProgram(const QStringList& arguments, int timeoutMs, const std::function<void(QProcess&)>& setup)
{
    QProcess process;
    if (setup)
        setup(process);
    startProgram(process, arguments);
    ProgramRun run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << "corvutil did not end";
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

void ProgramTest::SetUp()
{
    const ProgramRun created = runProgram({"--create-demo", demo});
    ASSERT_EQ(created.exitCode, 0) << created.err.toStdString();
}

bool ProgramTest::waitForLogLine(const QString& line, int timeoutMs) const
{
    QElapsedTimer timer;
    timer.start();
    while (!logLines().contains(line)) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QThread::msleep(50);
    }
    return true;
}

} // namespace corv::test
