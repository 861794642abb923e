// The built program started as a user starts it, on a demo installation that
// the program itself creates.
#include "ProgramRun.h"

#include <gtest/gtest.h>


namespace {

using corv::test::ProgramRun;
using corv::test::runProgram;
using StartupProcess = corv::test::ProgramTest;

TEST_F(StartupProcess, WithoutTheArdeaInstallationTheConsoleStillOpens)
{
    auto registry = corv::makeRegistryFile(demo + "/registry.ini");
    registry->write(corv::RegistryRoot::LocalMachine, "Software\\Pelion Software\\e\\Settings",
                    "PercorsoInstallazione", "");
    const ProgramRun run = runProgram({"--home", demo, "--batch", "--exit-after-start"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("AR NON INSTALLATO")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("Sub Main: Ardea NON Disponibile !!")) << run.err.toStdString();
    const QStringList lines = logLines();
    EXPECT_TRUE(lines.contains("Dopo AR_InitLib - Do_Ardea=False"));
    EXPECT_FALSE(lines.contains("Dopo InitARProc"));
    EXPECT_EQ(lines.last(), "===== Fine Corvina ====="); // the console opened and was closed
}

TEST_F(StartupProcess, ASecondStartIsRefusedAndLogsNothing)
{
    QProcess first;
    corv::test::startProgram(first, {"--home", demo, "--batch"});
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(waitForLogLine("Console aperta"));
    const QStringList before = logLines();

    const ProgramRun second = runProgram({"--home", demo, "--batch"});
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_TRUE(second.err.contains(QString::fromUtf8("ATTENZIONE !!  Programma già in esecuzione !")))
        << second.err.toStdString();
    EXPECT_EQ(logLines(), before);

    first.terminate();
    if (!first.waitForFinished(5000)) {
        first.kill();
        first.waitForFinished();
    }
}

} // namespace
