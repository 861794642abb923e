// "corvutil stampa": a report printed from a script, without a display.
#include "PdfText.h"
#include "ProgramRun.h"

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
    // Every line of a file with STOP inside reaches the PDF.
    QByteArray text = numberedLines(1, 100) + "STOP\r\n" + numberedLines(101, 150) + "LOGO\r\n" + numberedLines(151, 160);
    home.writeFile("fermate.txt", text);
    const QString stops = home.file("fermate.pdf");
    const ProgramRun withStops = runProgram({"stampa", home.file("fermate.txt"), "--pdf", stops, "--home", demo}, 60000, withoutDisplay);
    ASSERT_EQ(withStops.exitCode, 0) << withStops.err.toStdString();
    EXPECT_EQ(withStops.out.trimmed(), stops);
    QStringList expected;
    for (int i = 1; i <= 160; ++i)
        expected << QString("riga %1").arg(i);
    QStringList printed = PdfText::lines(stops, 7.2);
    for (QString& line : printed)
        line = line.trimmed();
    EXPECT_EQ(printed, expected);
    // Two pages of the first document, one of each of the others.
    EXPECT_EQ(PdfText::pages(stops), 4);
}

// The PDF printer writes beside the report, never over it.
TEST_F(PrintCommand, ThePdfPrinterWritesBesideTheReportNeverOverIt)
{
    choosePdfPrinter(demo);
    home.writeFile("breve.txt", "Totali IVA\r\n  22%   1.234,56\r\n");
    ProgramRun run = runProgram({"stampa", home.file("breve.txt"), "--home", demo}, 60000, withoutDisplay);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(), home.file("breve.pdf"));
    const QStringList printed = PdfText::lines(home.file("breve.pdf"), 7.2); // the left margin before each line
    ASSERT_EQ(printed.size(), 2);
    EXPECT_EQ(printed[1].mid(printed[0].indexOf("Totali IVA")), "  22%   1.234,56");
    // "rapporto.pdf" would be written beside "rapporto.pdf"; the same file
    // asked by name, or through a link to it.
    home.writeFile("rapporto.pdf", numberedLines(1, 30));
    QFile::link(home.file("rapporto.pdf"), home.file("collegamento.pdf"));
    for (const QStringList& arguments : {QStringList{}, QStringList{"--pdf", home.file("rapporto.pdf")}, QStringList{"--pdf", home.file("collegamento.pdf")}}) {
        run = runProgram(QStringList{"stampa", home.file("rapporto.pdf"), "--home", demo} + arguments, 60000, withoutDisplay);
        EXPECT_EQ(run.exitCode, 1) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains("coincide con il documento da stampare")) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(bytesOf(home.file("rapporto.pdf")), numberedLines(1, 30));
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

TEST_F(PrintCommand, NothingToPrintOrNowhereToWriteExitsNonZeroWithTheReason)
{
    home.writeFile("vuoto.log", "");
    home.writeFile("comandi.log", "INIT\r\n\r\n   \r\nEJEC\r\nSTOP\r\n");
    home.writeFile("uno.log", "una riga\r\n");
    const struct {
        QStringList arguments;
        int exitCode;
        const char* said;
    } cases[] = {
        {{home.file("manca.log")}, 1, "File da stampare non trovato"},
        {{home.file("vuoto.log")}, 1, "File vuoto"},
        {{home.file("comandi.log"), "--pdf", home.file("comandi.pdf")}, 1, "Nulla da stampare"},
        {{home.file("uno.log"), "--pdf", home.file("cartella/che/manca/x.pdf")}, 1, "Impossibile scrivere il file PDF"},
        {{}, 2, "Uso: corvutil stampa FILE"},
        {{home.file("uno.log"), "--pdf"}, 2, ""},
    };
    for (const auto& c : cases) {
        const ProgramRun run = runProgram(QStringList{"stampa", "--home", demo} + c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.said;
        EXPECT_TRUE(run.err.contains(c.said)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(home.file("comandi.pdf")));
}

} // namespace
