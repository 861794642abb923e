#include "RecordingPrinter.h"
#include "TestHome.h"
#include "print/PrintEngine.h"

#include <gtest/gtest.h>

using namespace corv;
using corv::test::RecordingPrinter;
using corv::test::TestHome;

namespace {

const QChar Esc(27);

class PrintEngineTest : public ::testing::Test {
protected:
    TestHome home{false};
    IniFile settings{home.file("TLX_PRT.INI")};
    RecordingPrinter printer;
    QStringList logged;
    PrintEngine engine{printer, settings, home.file("prt-ini.log"), [this](const QString& line) { logged << line; }};

    void SetUp() override
    {
        settings.write("System", "Themes", "FALSE"); // the file exists before the engine starts
        engine.startUp();
        printer.events.clear();
    }
    QStringList texts() const { return printer.only("text "); }
    QString report(int lines)
    {
        QStringList all;
        for (int i = 1; i <= lines; ++i)
            all << QString("riga %1").arg(i);
        const QString path = home.file(QString("r%1.txt").arg(lines));
        home.writeFile(QString("r%1.txt").arg(lines), all.join("\r\n").toUtf8() + "\r\n");
        return path;
    }
};

TEST_F(PrintEngineTest, TheFeederFillsAPageOfSixtyNineLines)
{
    // An 11-inch page: 66 rows, 62 between the margins; the step 0.9 fits 69 from row 0.
    ASSERT_TRUE(engine.printFile(report(69)));
    EXPECT_EQ(printer.pages, 1);
    EXPECT_TRUE(printer.only("page").isEmpty());
    printer.pages = 0;
    ASSERT_TRUE(engine.printFile(report(70)));
    EXPECT_EQ(printer.pages, 2);
    // The second page begins at the top margin.
    EXPECT_EQ(texts().last(), "text 2 riga 70");
    EXPECT_EQ(texts().first(), "text 0 riga 1");
    EXPECT_EQ(printer.only("end$").size(), 2);
    // A report wider than the page takes a smaller font on every page.
    // 80 columns of 12 points fill the 8-inch page: the font stays.
    home.writeFile("stretto.txt", QByteArray(80, 'x') + "\r\n");
    ASSERT_TRUE(engine.printFile(home.file("stretto.txt")));
    EXPECT_TRUE(printer.only("font ").filter(QRegularExpression("font Courier New (?!12$)")).isEmpty()) << printer.events.join("; ").toStdString();
    printer.events.clear();
    // 138 columns: 6.5 points, kept after the eject; the pages as for any 70 lines.
    QByteArray wide;
    for (int i = 0; i < 70; ++i)
        wide += QByteArray(138, 'w') + "\r\n";
    home.writeFile("largo.txt", wide);
    printer.pages = 0;
    ASSERT_TRUE(engine.printFile(home.file("largo.txt")));
    EXPECT_EQ(printer.pages, 2);
    const QStringList fonts = printer.only("font ");
    ASSERT_GE(fonts.size(), 2);
    EXPECT_EQ(fonts[fonts.size() - 2], "font Courier New 6.5"); // after the eject
    EXPECT_TRUE(fonts.contains("font Courier New 6.5"));
    EXPECT_EQ(texts().size(), 70);
    EXPECT_EQ(texts().first().size(), QString("text 0 ").size() + 138); // no column lost
    ASSERT_FALSE(logged.isEmpty());
    EXPECT_TRUE(logged.last().contains("righe di 138 caratteri")) << logged.last().toStdString();
}

// INIT chooses the font and is a command whatever follows it; escape codes
// switch the font on the same line.
TEST_F(PrintEngineTest, InitAndEscapeCodesChooseTheFont)
{
    engine.line("INITC");
    EXPECT_TRUE(printer.events.contains("font Courier New 7"));
    engine.line("STOP");
    printer.events.clear();
    for (const char* init : {"INIT", "INITX", "INIT qualunque testo"}) {
        engine.line(init);
        EXPECT_TRUE(printer.events.contains("font Courier New 12")) << init;
        EXPECT_TRUE(texts().isEmpty()) << init;
        engine.line("STOP");
        printer.events.clear();
    }

    engine.line("INIT");
    printer.events.clear();
    engine.line(QString("abc") + Esc + "4" + "def");
    EXPECT_EQ(printer.events, (QStringList{"text 2 abc", "font Courier New 12 B", "text 2 def"}));
    printer.events.clear();
    engine.line(QString("x") + Esc + "9" + "y" + Esc + "2");
    EXPECT_EQ(printer.events, (QStringList{"text 3 x", "text 3 y", "font Courier New 7 B"}));
    printer.events.clear();
    engine.line(QString("fine") + Esc); // an escape at the end: nothing
    engine.line(QString(Esc) + Esc + "z");
    EXPECT_EQ(printer.events, (QStringList{"text 4 fine", "text 5 z"}));
    printer.events.clear();
    engine.line(QString(Esc) + "0" + "a" + Esc + "3" + Esc + "5" + "b" + Esc + "1" + "c" + Esc + "6");
    EXPECT_EQ(printer.events, (QStringList{"font Courier New 12", "text 6 a", "font Courier New 12 I", "font Courier New 12 I U", "text 6 b",
                                           "font Courier New 12 I U", "text 6 c", "font Courier New 6 I U"}));
}

TEST_F(PrintEngineTest, EjectPageStopAndCommandsOutOfOrder)
{
    // Text before INIT: a job of the normal font.
    engine.line("prima");
    EXPECT_EQ(texts(), QStringList{"text 2 prima"});
    engine.line("EJEC");
    engine.line("STOP"); // no blank page after the eject
    EXPECT_TRUE(printer.only("page").isEmpty());
    EXPECT_EQ(printer.pages, 1);
    engine.line("STOP"); // twice: nothing more
    EXPECT_EQ(printer.only("end").size(), 1);
    printer.events.clear();
    engine.line("INIT");
    engine.line("uno");
    engine.line("PAGE"); // back to the top of the same page
    engine.line("due");
    engine.line("BREK");
    engine.line("INIT"); // a second INIT: a new page of the same job
    engine.line("tre");
    engine.line("LOGO");
    EXPECT_EQ(texts(), (QStringList{"text 2 uno", "text 2 due", "text 2 tre"}));
    EXPECT_EQ(printer.only("page").size(), 1);
    EXPECT_EQ(printer.only("end").size(), 1);
    // Control characters, long lines and Windows-1252.
    engine.line("INIT");
    printer.events.clear();
    engine.line(QString("a") + QChar(7) + "b" + QChar('\t') + "c");
    EXPECT_EQ(texts().last(), "text 2 a b c");
    engine.line(QString(5000, 'x'));
    EXPECT_EQ(texts().last().size(), QString("text 3 ").size() + PrintEngine::kMaxLineLength);
    engine.line("STOP");
    home.writeFile("cp1252.txt", "Forl\xec e Citt\xe0\r\n");
    printer.events.clear();
    ASSERT_TRUE(engine.printFile(home.file("cp1252.txt")));
    EXPECT_EQ(texts(), QStringList{QString::fromUtf8("text 0 Forlì e Città")});
}

TEST_F(PrintEngineTest, LandscapeScaleLineHeightAHeightOfZeroAndLinesOnTheirPage)
{
    settings.write("Default", "Landscape", "1");
    settings.write("Laser Ufficio,LPT1:", "Landscape", "1");
    engine.loadProfile("0");
    printer.events.clear();
    engine.armLandscape();
    engine.line("INIT");
    EXPECT_TRUE(printer.events.contains("landscape 1"));
    EXPECT_TRUE(printer.events.contains("scale 185 45"));
    EXPECT_TRUE(printer.events.contains("font Courier New 6"));
    EXPECT_DOUBLE_EQ(engine.rowHeight(), 1.8); // 1.2 times the sample's height
    EXPECT_DOUBLE_EQ(engine.lineStep(), 1.0);  // a line of that height
    EXPECT_EQ(engine.usableRows(), 25 - 4);
    engine.line("STOP");
    EXPECT_EQ(printer.only("landscape").last(), "landscape 0");
    // A height of 0 measured: one cell, never a division by zero.
    printer.heightOfText = 0;
    engine.armLandscape();
    engine.line("INIT");
    EXPECT_GT(engine.lineStep(), 0);
    EXPECT_GT(engine.usableRows(), 0);
    engine.line("STOP");
    printer.events.clear();
    // Rows and usable rows in one unit: lines 0.48 units high, 93 rows on the
    // 45 units of the page, 89 between the margins; every line on its page.
    printer.heightOfText = 0.4;
    engine.loadProfile("Laser Ufficio,LPT1:");
    engine.armLandscape();
    engine.line("INIT");
    for (int i = 1; i <= 300; ++i) {
        engine.line(QString("riga %1").arg(i));
        if (engine.currentRow() > engine.usableRows())
            engine.line("EJEC");
    }
    engine.line("STOP");
    const QStringList lines = texts();
    ASSERT_EQ(lines.size(), 300);
    for (const QString& line : lines) {
        const double y = line.section(' ', 1, 1).toDouble();
        EXPECT_LE(y + 0.48, 45.0 + 1e-9) << line.toStdString();
    }
    // 88 lines a page (rows 2 to 89).
    EXPECT_EQ(printer.pages, 4);

}

TEST_F(PrintEngineTest, AFileWithNothingToPrintOrPrintedOverItselfIsRefused)
{
    home.writeFile("vuoto.txt", "\r\n   \r\nINIT\r\nEJEC\r\n\t\r\nSTOP\r\n" + QByteArray("\x1b") + "4\r\n");
    QString error;
    EXPECT_FALSE(engine.printFile(home.file("vuoto.txt"), nullptr, &error));
    EXPECT_TRUE(error.startsWith("Nulla da stampare")) << error.toStdString();
    EXPECT_TRUE(texts().isEmpty());
    EXPECT_EQ(printer.documents, 0);

    // A printer that writes a file over the document itself, by its name or through a link.
    const QString report = this->report(3);
    const QString before = home.readFile("r3.txt");
    for (const QString& output : {report, home.file("collegamento.txt")}) {
        QFile::link(report, home.file("collegamento.txt"));
        printer.output = output;
        error.clear();
        EXPECT_FALSE(engine.printFile(report, nullptr, &error)) << output.toStdString();
        EXPECT_TRUE(error.contains("coincide con il documento")) << error.toStdString();
    }
    EXPECT_TRUE(texts().isEmpty());
    EXPECT_EQ(home.readFile("r3.txt"), before);
    // Another file is fine.
    printer.output = home.file("r3.pdf");
    EXPECT_TRUE(engine.printFile(report));
    EXPECT_EQ(texts().size(), 3);
}

TEST_F(PrintEngineTest, ProfilesLoadedDumpedAndKept)
{
    const PrinterProfile p = engine.loadProfile("Generic Text;FILE:");
    EXPECT_EQ(p.device, "Generic Text");
    EXPECT_EQ(p.driver, "GENERIC");
    EXPECT_EQ(settings.read("Default", "Printer"), "Generic Text;FILE:");
    QFile dump(home.file("prt-ini.log"));
    ASSERT_TRUE(dump.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(dump.readAll()).split("\r\n");
    EXPECT_EQ(lines[0], "Generic Text;FILE:");
    EXPECT_EQ(lines[1], "Nom=Generic Text;FILE:");
    EXPECT_EQ(lines[2], "Dev=Generic Text");
    EXPECT_TRUE(lines.contains("Len=66"));
    EXPECT_TRUE(lines.contains("Testa=Generic Text,FILE:"));
    // A printer without a section gets one with the plain values.
    engine.loadProfile("Plotter,USB1:");
    EXPECT_EQ(settings.read("Plotter,USB1:", "Lunghezza"), "66");
    EXPECT_EQ(settings.read("Plotter,USB1:", "FontSCSiz"), "6");
    // Values out of reason: sizes back to their defaults, margins that leave no rows reduced and logged.
    settings.write("Plotter,USB1:", "FontNSiz", "0");
    settings.write("Plotter,USB1:", "FontCSiz", "500");
    settings.write("Plotter,USB1:", "Top", "40");
    settings.write("Plotter,USB1:", "Bottom", "40");
    const PrinterProfile odd = engine.loadProfile("Plotter,USB1:");
    EXPECT_EQ(odd.normalSize, 12);
    EXPECT_EQ(odd.compressedSize, 7);
    EXPECT_GT(engine.usableRows(), 0);
    ASSERT_FALSE(logged.isEmpty());
    EXPECT_TRUE(logged.last().contains("margini 40 + 40"));
    // Whole numbers beyond any integer: the plain values, said in the log.
    settings.write("Plotter,USB1:", "Lunghezza", "1e308");
    settings.write("Plotter,USB1:", "Larghezza", "-1e300");
    settings.write("Plotter,USB1:", "Top", "1e30");
    settings.write("Plotter,USB1:", "Bottom", "nan");
    const PrinterProfile huge = engine.loadProfile("Plotter,USB1:");
    EXPECT_EQ(huge.pageLength, 66);
    EXPECT_EQ(huge.pageWidth, 80);
    EXPECT_EQ(huge.top + huge.bottom, 4);
    EXPECT_EQ(engine.usableRows(), 62);
    EXPECT_TRUE(logged.filter("Lunghezza=1e308 fuori misura, letto come 66").size() == 1) << logged.join("\n").toStdString();
}

TEST_F(PrintEngineTest, RegenerationFromTheInstalledPrinters)
{
    // The file existed (the Themes switch) without printers: the start regenerated it.
    EXPECT_EQ(settings.read("System", "Printer"), "Laser Ufficio,PCL6,LPT1:");
    EXPECT_EQ(settings.read("Laser Ufficio,LPT1:", "Lunghezza"), "66"); // 11 inches: 66 rows
    EXPECT_EQ(settings.read("Laser Ufficio,LPT1:", "Larghezza"), "80"); // 8 inches: 80 columns
    EXPECT_EQ(settings.read("Generic Text,FILE:", "Lunghezza"), "66");  // A4: 70 rows
    EXPECT_EQ(settings.read("Generic Text,FILE:", "Larghezza"), "80");  // 82 columns
    EXPECT_EQ(settings.read("Generic Text,FILE:", "Colore"), "1");
    printer.installed << PrinterInfo{"Grande", "X", "LPT2:", QSizeF(13.5, 12.5), 2};
    settings.write("Generic Text,FILE:", "Top", "5");
    engine.regenerate(true); // new printers only
    EXPECT_EQ(settings.read("Generic Text,FILE:", "Top"), "5");
    EXPECT_EQ(settings.read("Grande,LPT2:", "Lunghezza"), "72");
    EXPECT_EQ(settings.read("Grande,LPT2:", "Larghezza"), "136");
    EXPECT_EQ(settings.read("Grande,LPT2:", "Colore"), "2");
}

} // namespace
