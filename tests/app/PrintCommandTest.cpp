// "corvutil stampa": a report printed from a script, without a display.
#include "PdfText.h"
#include "ProgramRun.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>

#include <sys/resource.h>

#include <csignal>

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
    // 71 lines on the first page, 68 on each of the others.
    EXPECT_EQ(PdfText::pages(pdf), 1 + (expected.size() - 71 + 67) / 68);
    // 138 columns on 80: 7 points, 4.2 points a character.
    EXPECT_EQ(PdfText::withoutMargin(PdfText::lines(pdf, 4.2), expected.first()), expected);
    EXPECT_TRUE(QFile::exists(demo + "/prt-ini.log"));
}

// The PDF printer as the default printer of the demo.
void choosePdfPrinter(const QString& demo)
{
    QFile ini(demo + "/TLX_PRT.INI");
    ASSERT_TRUE(ini.open(QIODevice::Append));
    ini.write("\r\n[Default]\r\nPrinter=PDF corvutil,FILE:\r\n");
    ini.close();
}

QByteArray numberedLines(int from, int to)
{
    QByteArray text;
    for (int i = from; i <= to; ++i)
        text += "riga " + QByteArray::number(i) + "\r\n";
    return text;
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(PrintCommand, PagesHoldSeventyOneLinesThenSixtyEight)
{
    // A4 less the PDF's margins: 67 rows, 63 between the margins of 2; lines
    // 0.9 apart from row 0 on the first page, from row 2 on the others.
    home.writeFile("duecento.txt", numberedLines(1, 200));
    const QString pdf = home.file("duecento.pdf");
    const ProgramRun run = runProgram({"stampa", home.file("duecento.txt"), "--pdf", pdf, "--home", demo}, 60000, withoutDisplay);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_EQ(PdfText::pages(pdf), 3);
    EXPECT_EQ(PdfText::lines(pdf, 7.2, 1).size(), 71);
    EXPECT_EQ(PdfText::lines(pdf, 7.2, 2).size(), 68);
    EXPECT_EQ(PdfText::lines(pdf, 7.2, 3).last().trimmed(), "riga 200");
}

TEST_F(PrintCommand, PrintingNeverWritesOverTheReport)
{
    choosePdfPrinter(demo);
    // The PDF printer would write "rapporto.pdf" beside "rapporto.pdf".
    home.writeFile("rapporto.pdf", numberedLines(1, 500));
    const QByteArray report = bytesOf(home.file("rapporto.pdf"));
    ProgramRun run = runProgram({"stampa", home.file("rapporto.pdf"), "--home", demo}, 60000, withoutDisplay);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("coincide con il documento da stampare")) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(bytesOf(home.file("rapporto.pdf")), report);
    // The same file asked by name, or through a link to it.
    home.writeFile("a.txt", numberedLines(1, 30));
    QFile::link(home.file("a.txt"), home.file("collegamento.pdf"));
    for (const QString& output : {home.file("a.txt"), home.file("collegamento.pdf")}) {
        run = runProgram({"stampa", home.file("a.txt"), "--pdf", output, "--home", demo}, 60000, withoutDisplay);
        EXPECT_EQ(run.exitCode, 1) << output.toStdString();
        EXPECT_TRUE(run.err.contains("coincide con il documento da stampare")) << run.err.toStdString();
        EXPECT_EQ(bytesOf(home.file("a.txt")), numberedLines(1, 30));
    }
}

TEST_F(PrintCommand, AFullDiskKeepsThePreviousPdf)
{
    home.writeFile("lungo.txt", numberedLines(1, 3000));
    const QString pdf = home.file("lungo.pdf");
    ASSERT_EQ(runProgram({"stampa", home.file("lungo.txt"), "--pdf", pdf, "--home", demo}, 60000, withoutDisplay).exitCode, 0);
    const QByteArray previous = bytesOf(pdf);
    ASSERT_GT(previous.size(), 40000);
    // The second run may write no file beyond 32 KB: the disk is full for it.
    home.writeFile("lungo.txt", numberedLines(5001, 8000));
    const ProgramRun run = runProgram({"stampa", home.file("lungo.txt"), "--pdf", pdf, "--home", demo}, 60000, [](QProcess& process) {
        withoutDisplay(process);
        process.setChildProcessModifier([] {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{32768, 32768};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Impossibile scrivere il file PDF")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("Il file precedente resta")) << run.err.toStdString();
    EXPECT_EQ(bytesOf(pdf), previous);
    // No temporary copy left behind.
    EXPECT_EQ(QDir(home.path()).entryList({"*.tmp"}, QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(PrintCommand, EveryLineOfAFileWithStopInsideReachesThePdf)
{
    QByteArray text = numberedLines(1, 100) + "STOP\r\n" + numberedLines(101, 150) + "LOGO\r\n" + numberedLines(151, 160);
    home.writeFile("fermate.txt", text);
    const QString pdf = home.file("fermate.pdf");
    const ProgramRun run = runProgram({"stampa", home.file("fermate.txt"), "--pdf", pdf, "--home", demo}, 60000, withoutDisplay);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(), pdf);
    QStringList expected;
    for (int i = 1; i <= 160; ++i)
        expected << QString("riga %1").arg(i);
    QStringList printed = PdfText::lines(pdf, 7.2);
    for (QString& line : printed)
        line = line.trimmed();
    EXPECT_EQ(printed, expected);
    // Two pages of the first document, one of each of the others.
    EXPECT_EQ(PdfText::pages(pdf), 4);
}

TEST_F(PrintCommand, ThePdfPrinterWritesBesideTheReport)
{
    choosePdfPrinter(demo);
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
    home.writeFile("comandi.log", "INIT\r\n\r\n   \r\nEJEC\r\nSTOP\r\n");
    run = runProgram({"stampa", home.file("comandi.log"), "--pdf", home.file("comandi.pdf"), "--home", demo});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Nulla da stampare")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(home.file("comandi.pdf")));
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
