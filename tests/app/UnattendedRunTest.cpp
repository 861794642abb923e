// Unattended runs, the command line and the end of the program, with the
// built program as a user starts it.
#include "ProgramRun.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace corv;
using corv::test::ProgramRun;
using corv::test::runProgram;
using UnattendedRun = corv::test::ProgramTest;
using StartupProcess = corv::test::ProgramTest;

namespace {

TEST_F(UnattendedRun, APasswordOfQuotesAndSemicolonsConnectsListsAndNeverReachesTheLog)
{
    const QString password = QString::fromUtf8("p'a;ss\"w");
    IniFile(demo + "/ARDEA_Z.INI", true).write(keys::kLoginPassword, password);
    const ProgramRun run = runProgram({"--home", demo, "--batch", "--comando", "Cmd_ArLeggi"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QRegularExpression("Comando Cmd_ArLeggi terminato : [1-9]\\d* codici IVA, [1-9]\\d* causali, [1-9]\\d* clienti")))
        << run.out.toStdString();
    const QString log = logLines().join('\n') + QFile(demo + "/SQLOG_BACK.INI").fileName();
    for (const QString& piece : {QString("p'a"), QString("a;s"), QString("ss\"w"), QString("\"w"), password})
        EXPECT_FALSE(log.contains(piece) || run.err.contains(piece)) << piece.toStdString();
    EXPECT_TRUE(log.contains("Password=********;"));
}

TEST_F(UnattendedRun, NoCompanyToOpenEndsTheStartInsteadOfWaitingForTheChooser)
{
    makeRegistryFile(demo + "/registry.ini")->write(RegistryRoot::CurrentUser, regkeys::kLastLogin, "Azienda", "");
    const ProgramRun run = runProgram({"--home", demo, "--batch", "--exit-after-start"}, 20000);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("nessuno può sceglierla")) << run.err.toStdString();
}

TEST_F(UnattendedRun, ATerminationRequestClosesTheConsoleInOrderAndTheNextStartWorks)
{
    QProcess running;
    corv::test::startProgram(running, {"--home", demo, "--batch"});
    ASSERT_TRUE(waitForLogLine("Console aperta"));
    ::kill(static_cast<pid_t>(running.processId()), SIGTERM);
    ASSERT_TRUE(running.waitForFinished(10000)) << "the program did not end";
    EXPECT_EQ(running.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(running.exitCode(), 0);
    EXPECT_EQ(logLines().last(), "===== Fine Corvina =====");
    EXPECT_EQ(runProgram({"--home", demo, "--batch", "--exit-after-start"}).exitCode, 0);
}

TEST(CommandLine, ItalianErrorsAHelpForEveryCommandAndAMissingValue)
{
    corv::test::TestHome home(false);
    for (const QStringList& arguments : {QStringList{"--home", "--batch"}, QStringList{"--create-demo", "--batch"}, QStringList{"--home"}}) {
        ProgramRun run = runProgram(arguments, 30000, [&](QProcess& p) { p.setWorkingDirectory(home.path()); });
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains("Manca il valore dopo --")) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("Uso: corvutil"));
    }
    EXPECT_TRUE(QDir(home.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty()); // no "--batch" folder made
    // The option=value form.
    const ProgramRun created = runProgram({"--create-demo=" + home.file("d")});
    EXPECT_EQ(created.exitCode, 0) << created.err.toStdString();
    const ProgramRun started = runProgram({"--home=" + home.file("d"), "--batch", "--exit-after-start"});
    EXPECT_EQ(started.exitCode, 0) << started.err.toStdString();
    EXPECT_TRUE(corv::test::TestHome::logLinesOf(home.file("d")).contains("Console aperta"));
    // Italian errors, and a help for every command.
    ProgramRun run = runProgram({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* command : {"corvutil confronta", "corvutil stampa", "corvutil verifica-codici", "corvutil componi-codice"})
        EXPECT_TRUE(run.out.contains(command)) << command;
    for (const char* command : {"confronta", "stampa", "verifica-codici", "componi-codice"}) {
        for (const char* help : {"--help", "-h"}) {
            run = runProgram({command, help});
            EXPECT_EQ(run.exitCode, 0) << command << help << run.err.toStdString();
            EXPECT_TRUE(run.out.startsWith(QString("Uso: corvutil ") + command)) << run.out.toStdString();
        }
    }
    for (const char* command : {"confronta", "stampa"}) {
        run = runProgram({command, "x.log", "--boh"});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains("Argomento non riconosciuto : --boh")) << run.err.toStdString();
    }
    run = runProgram({"confronta", "--dal"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("Manca il valore dopo --dal")) << run.err.toStdString();
    run = runProgram({"stampa", "x.log", "--pdf="});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("Manca il valore dopo --pdf")) << run.err.toStdString();
    for (const QString& text : {run.err, runProgram({"confronta", "--boh"}).err})
        EXPECT_FALSE(text.contains("Unknown") || text.contains("Missing")) << text.toStdString();
}

TEST_F(UnattendedRun, AMissingCorvinaDatabaseIsNamed)
{
    ASSERT_TRUE(QFile::rename(demo + "/db/Corvina_3.sqlite", demo + "/db/altrove.sqlite"));
    const ProgramRun run = runProgram({"confronta", "--home", demo});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("Database Corvina (Corvina_3) non disponibile")) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains("Database dell'azienda Ardea")) << run.err.toStdString();
}

TEST(CodeTools, AnOutputOrInputThatFailsOrAnOddBirthEndsWithAnErrorCode)
{
    const ProgramRun full = runProgram({"verifica-codici", "01234567897"}, 30000, [](QProcess& p) { p.setStandardOutputFile("/dev/full"); });
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_TRUE(full.err.contains("Impossibile scrivere")) << full.err.toStdString();
    const ProgramRun streamed = runProgram({"verifica-codici"}, 30000, [](QProcess& p) {
        p.setStandardInputFile("/dev/null");
        p.setStandardOutputFile("/dev/full");
    });
    EXPECT_EQ(streamed.exitCode, 0); // nothing to write: nothing failed
    const ProgramRun folder = runProgram({"verifica-codici"}, 30000, [](QProcess& p) { p.setStandardInputFile("/"); });
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_TRUE(folder.err.contains("Impossibile leggere")) << folder.err.toStdString();
    // The composed codes: what reaches the exit code (what is composed is the core's to test).
    const ProgramRun accented = runProgram({"componi-codice", QString::fromUtf8("Nicolò"), QString::fromUtf8("Mosè"), "M", "01/01/1980", "H501"});
    EXPECT_EQ(accented.exitCode, 0) << accented.err.toStdString();
    EXPECT_EQ(accented.out, "NCLMSO80A01H501A\n");
    // Births in the future, or before any living person's, are typing errors.
    const QString tomorrow = QDate::currentDate().addDays(1).toString("dd/MM/yyyy");
    for (const QString& date : {QString("01/01/1800"), tomorrow}) {
        const ProgramRun odd = runProgram({"componi-codice", "Rossi", "Mario", "M", date, "H501"});
        EXPECT_EQ(odd.exitCode, 2) << date.toStdString();
        EXPECT_TRUE(odd.err.startsWith("Data di nascita futura") || odd.err.startsWith("Anno di nascita non plausibile")) << odd.err.toStdString();
        EXPECT_TRUE(odd.out.isEmpty());
    }
}

// The built program started as a user starts it, on a demo installation that
// the program itself creates.
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
