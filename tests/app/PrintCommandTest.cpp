// "corvutil stampa": a report printed from a script, without a display.
#include "PdfText.h"
#include "ProgramRun.h"

#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>

using corv::test::PdfText;
using corv::test::ProgramRun;
using corv::test::runProgram;

namespace {

using PrintCommand = corv::test::ProgramTest;

// No display of any kind: the command must not need one.
void withoutDisplay(QProcess& process)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "CORVUTIL_HOME"})
        env.remove(QLatin1String(name));
    process.setProcessEnvironment(env);
}

QStringList reportLines(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? PdfText::nonBlank(QString::fromUtf8(file.readAll()).split('\n')) : QStringList();
}

TEST_F(PrintCommand, TheGeneralCheckReportToAPdfReadsAsTheReport)
{
    ASSERT_EQ(runProgram({"--home", demo, "--batch", "--comando", "Cmd_ARChkCFPI"}, 120000).exitCode, 0);
    const QString report = demo + "/PICF_GenAR_DEMO.log";
    const QString pdf = home.file("controllo generale.pdf");
    const ProgramRun run = runProgram({"stampa", report, "--pdf", pdf, "--home", demo}, 60000, withoutDisplay);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(), pdf);
    const QStringList expected = reportLines(report);
    ASSERT_GT(expected.size(), 69);
    EXPECT_EQ(PdfText::pages(pdf), (expected.size() + 68) / 69);
    // 138 columns on 80: 7 points, 4.2 points a character.
    EXPECT_EQ(PdfText::withoutMargin(PdfText::lines(pdf, 4.2), expected.first()), expected);
    EXPECT_TRUE(QFile::exists(demo + "/prt-ini.log"));
}

TEST_F(PrintCommand, ThePdfPrinterWritesBesideTheReport)
{
    QFile ini(demo + "/TLX_PRT.INI");
    ASSERT_TRUE(ini.open(QIODevice::Append));
    ini.write("\r\n[Default]\r\nPrinter=PDF corvutil,FILE:\r\n");
    ini.close();
    const QString report = home.file("breve.txt");
    QFile file(report);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Totali IVA\r\n  22%   1.234,56\r\n");
    file.close();
    const ProgramRun run = runProgram({"stampa", report, "--home", demo}, 60000, withoutDisplay);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(), home.file("breve.pdf"));
    EXPECT_EQ(PdfText::pages(home.file("breve.pdf")), 1);
    EXPECT_EQ(PdfText::withoutMargin(PdfText::lines(home.file("breve.pdf"), 7.2), "Totali IVA"), (QStringList{"Totali IVA", "  22%   1.234,56"}));
}

TEST_F(PrintCommand, NothingToPrintOrNowhereToWriteExitsNonZeroWithTheReason)
{
    ProgramRun run = runProgram({"stampa", home.file("manca.log"), "--home", demo});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("File da stampare non trovato")) << run.err.toStdString();
    QFile empty(home.file("vuoto.log"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    run = runProgram({"stampa", home.file("vuoto.log"), "--home", demo});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("File vuoto")) << run.err.toStdString();
    QFile some(home.file("uno.log"));
    ASSERT_TRUE(some.open(QIODevice::WriteOnly));
    some.write("una riga\r\n");
    some.close();
    run = runProgram({"stampa", home.file("uno.log"), "--pdf", home.file("cartella/che/manca/x.pdf"), "--home", demo});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Impossibile scrivere il file PDF")) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    run = runProgram({"stampa", "--home", demo});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("Uso: corvutil stampa FILE")) << run.err.toStdString();
    run = runProgram({"stampa", home.file("uno.log"), "--pdf"});
    EXPECT_EQ(run.exitCode, 2);
}

} // namespace
