#include "report/FixedLine.h"
#include "report/ReportFile.h"
#include "FileSizeLimit.h"
#include "TestHome.h"
#include "report/TableExport.h"
#include "demo/DemoInstallation.h"
#include "report/ReportFiles.h"
#include "report/ViewerChoice.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

using namespace corv;
using corv::test::FileSizeLimit;
using corv::test::ScriptedUi;
using corv::test::TestHome;

namespace {

TEST(ReportFile, WritesCrLfUtf8LinesAndStartsTheFileAnew)
{
    TestHome home(false);
    home.writeFile("PICF_GenAR_DEMO.log", "vecchio contenuto\r\n");
    const QString path = companyReportPath(home.paths(), "\\PICF_GenAR_", "DEMO", ".log");
    EXPECT_EQ(path, home.file("PICF_GenAR_DEMO.log"));
    ReportFile report(path);
    EXPECT_TRUE(report.write(u"***** Inizio"));
    EXPECT_TRUE(report.writeLines({QString::fromUtf8("Società à"), QString()}));
    EXPECT_TRUE(report.close());
    EXPECT_EQ(home.readFile("PICF_GenAR_DEMO.log"), QString::fromUtf8("***** Inizio\r\nSocietà à\r\n\r\n"));
    // For its owner only, new or replacing a file others could read.
    EXPECT_EQ(QFile::permissions(path) & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup | QFileDevice::WriteOther), 0);
    ASSERT_TRUE(ReportFile::writeAll(home.file("nuovo.log"), {"riga"}));
    EXPECT_EQ(QFile::permissions(home.file("nuovo.log")) & (QFileDevice::ReadGroup | QFileDevice::ReadOther), 0);
    EXPECT_TRUE(QFile::permissions(home.file("nuovo.log")) & QFileDevice::ReadOwner);
}

TEST(ReportFile, AFullDiskOrAnUnclosedReportKeepsThePreviousOne)
{
    TestHome home(false);
    const QByteArray previous = "rapporto precedente completo\r\n";
    home.writeFile("RS_LISTA.TXT", previous);
    const QString path = home.file("RS_LISTA.TXT");
    bool closed = true;
    QString failure;
    {
        FileSizeLimit limit(4096);
        ReportFile report(path);
        for (int i = 0; i < 20000; ++i)
            report.write(QString("riga numero %1 di un rapporto lungo").arg(i));
        closed = report.close();
        failure = report.failureText();
    }
    EXPECT_FALSE(closed);
    EXPECT_TRUE(failure.startsWith("Impossibile scrivere il file :\r\n")) << failure.toStdString();
    EXPECT_TRUE(failure.contains("RS_LISTA.TXT"));
    EXPECT_EQ(home.readFile("RS_LISTA.TXT").toUtf8(), previous);

    QString whole;
    {
        FileSizeLimit limit(64);
        EXPECT_FALSE(ReportFile::writeAll(path, QStringList(100, "troppe righe per un disco pieno"), &whole));
    }
    EXPECT_FALSE(whole.isEmpty());
    EXPECT_EQ(home.readFile("RS_LISTA.TXT").toUtf8(), previous);
    // A report never closed is dropped.
    {
        ReportFile report(path);
        report.write(u"prima riga di un rapporto interrotto");
    }
    EXPECT_EQ(home.readFile("RS_LISTA.TXT").toUtf8(), previous);
    // A folder that cannot be written.
    ReportFile nowhere(home.file("manca/cartella.log"));
    EXPECT_FALSE(nowhere.write(u"x"));
    EXPECT_FALSE(nowhere.close());
    EXPECT_FALSE(ReportFile::writeAll(home.file("manca/altro.log"), {"x"}));
}

TEST(ReportFile, StampedNamesNeverReplaceAnEarlierFile)
{
    TestHome home(false);
    const QDateTime when(QDate(2026, 12, 6), QTime(10, 30, 5));
    const QString first = stampedReportPath(home.paths(), "Lista_", ".txt", when);
    EXPECT_EQ(first, home.file("Lista_20261206_103005.txt"));
    ASSERT_TRUE(ReportFile::writeAll(first, {"a"}));
    EXPECT_EQ(stampedReportPath(home.paths(), "Lista_", ".txt", when), home.file("Lista_20261206_103005_2.txt"));
}

TEST(LogFile, AppendsOneLineAndTheStartOfRunBeginsAFreshFile)
{
    TestHome home(false);
    const QString log = home.file("RS2LIST_X.LOG");
    EXPECT_TRUE(appendLogLine(log, u"vecchia riga"));
    EXPECT_TRUE(appendLogLine(log, u"----- Rs2List -----  X", true));
    EXPECT_TRUE(appendLogLine(log, QString::fromUtf8("Società à")));
    EXPECT_EQ(home.readFile("RS2LIST_X.LOG"), QString::fromUtf8("----- Rs2List -----  X\r\nSocietà à\r\n"));
    EXPECT_FALSE(appendLogLine(home.file("nessuna/cartella.log"), u"x"));
    EXPECT_FALSE(appendLogLine(QString(), u"x"));
    {
        FileSizeLimit limit(40);
        EXPECT_FALSE(appendLogLine(log, u"una riga che non entra più nel file perché il disco è pieno"));
    }
}

TEST(PresentReport, WhenNoViewerStartsTheUserIsToldWhereTheReportIs)
{
    struct NoViewerUi : ScriptedUi {
        bool openInViewer(const QString& viewer, const QString& path) override
        {
            ScriptedUi::openInViewer(viewer, path);
            return false;
        }
    } ui;
    ui.expectMessage("Impossibile avviare il visualizzatore di testi \"/usr/bin/nessuno\".\r\nIl file si trova in :\r\n/dati/PICF.log");
    EXPECT_FALSE(presentReport(ui, "/usr/bin/nessuno", "/dati/PICF.log"));
    EXPECT_EQ(ui.opened, QStringList{"/usr/bin/nessuno|/dati/PICF.log"});
}

TEST(TableExport, ColumnsFromTheHeadingNumbersAsNumbersCodesAsText)
{
    const QString heading = "Codice|Rag. Soc.          |   Importo| |";
    const QStringList lines = {"000123|Rossi; \"Figli\"     |  1.234,56|x|", "7     |Bianchi            |        -7| |"};
    EXPECT_EQ(tableCsv(heading, lines),
              (QStringList{"Codice;Rag. Soc.;Importo;colonna4", "000123;\"Rossi; \"\"Figli\"\"\";1.234,56;x", "7;Bianchi;-7;"}));
    const QJsonArray rows = QJsonDocument::fromJson(tableJson(heading, lines)).array();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0]["Codice"].toString(), "000123"); // leading zeros: a code, not a number
    EXPECT_DOUBLE_EQ(rows[0]["Importo"].toDouble(), 1234.56);
    EXPECT_EQ(rows[1]["Codice"].toDouble(), 7);
    EXPECT_DOUBLE_EQ(rows[1]["Importo"].toDouble(), -7);
    EXPECT_EQ(rows[1]["colonna4"].toString(), "");
}

TEST(RunLog, KeepsThePreviousRunBesideTheNewOne)
{
    TestHome home(false);
    RunLog log(home.file("Corvina.LOG"));
    log.startRun("===== Inizio Corvina =====");
    log.write("prima esecuzione");
    log.startRun("===== Inizio Corvina =====");
    log.write("seconda esecuzione");
    EXPECT_EQ(home.logLines(), (QStringList{"===== Inizio Corvina =====", "seconda esecuzione"}));
    EXPECT_TRUE(home.readFile("Corvina.LOG.1").contains("prima esecuzione"));
}

TEST(RunLog, AConnectionStringsPasswordNeverReachesTheLogWhoeverWritesIt)
{
    TestHome home(false);
    RunLog log(home.file("Corvina.LOG"));
    log.startRun("Inizio PWD=segreta1");
    log.write("    CnEf  :Provider=SQLOLEDB.1;Password=segreta2;User ID=sa;Data Source=SRV");
    log.write("CnFis =Provider=SQLite;password = \"se;gre\"\"ta3\";Initial Catalog=Corvina_3");
    log.write("Driver={FreeTDS};Server=x;UID=sa;PWD={segreta4};Database=y");
    log.write("Password=segreta5");
    const QString all = home.readFile("Corvina.LOG");
    for (const char* secret : {"segreta1", "segreta2", "gre", "ta3", "segreta4", "segreta5"})
        EXPECT_FALSE(all.contains(secret)) << secret << "\n" << all.toStdString();
    EXPECT_EQ(home.logLines()[1], "    CnEf  :Provider=SQLOLEDB.1;Password=********;User ID=sa;Data Source=SRV");
    EXPECT_EQ(home.logLines()[3], "Driver={FreeTDS};Server=x;UID=sa;PWD=********;Database=y");
    // Files for their owner only.
    EXPECT_EQ(QFile::permissions(home.file("Corvina.LOG")) & (QFileDevice::ReadGroup | QFileDevice::ReadOther), 0);
}

// Every test's home is searched for the demo's password when the test ends:
// a file the program wrote with it fails the test.
TEST(RunLog, TheSearchForTheDemoPasswordFindsIt)
{
    EXPECT_NONFATAL_FAILURE(
        {
            TestHome home(false);
            home.writeFile("report.log", "utente sa, parola " + corv::kDemoPassword.toUtf8() + "\r\n");
        },
        "the demo password is written in");
}

class ViewerChoiceTest : public ::testing::Test {
protected:
    TestHome home{false};
    ScriptedUi ui;
    IniFile settings{home.file("TLX_CORV.INI")};
    ViewerEnvironment env;

    void SetUp() override
    {
        QDir(home.path()).mkpath("win");
        QDir(home.path()).mkpath("programs");
        touch("win/NOTEPAD.EXE");
        env.windowsFolder = home.file("win/");
        env.fallbackViewer = home.file("win/NOTEPAD.EXE");
        env.programFolders = {home.file("programs"), QString()};
        env.associatedTextProgram = [] { return QString(); };
        env.exists = [](const QString& p) { return !p.isEmpty() && QFile::exists(p); };
    }
    QString touch(const QString& name)
    {
        QDir(home.path()).mkpath(QFileInfo(home.file(name)).path());
        home.writeFile(name, "x");
        return home.file(name);
    }
};

// In their order: the configured viewer that exists; the desktop's program
// for text; TextPad in the program folders, then stored.
TEST_F(ViewerChoiceTest, AViewerThatExistsIsKeptOrFoundInItsOrder)
{
    const QString mine = touch("tools/mio editor.exe");
    settings.write(keys::kViewer, mine);
    EXPECT_EQ(chooseViewer(settings, env, ui, nullptr), mine);
    EXPECT_TRUE(ui.said.empty());
    IniFile fresh(home.file("ALTRO.INI"));
    const QString editor = touch("win/system32/notepad2.exe");
    env.associatedTextProgram = [] { return QString("%SystemRoot%system32/notepad2.exe"); };
    EXPECT_EQ(chooseViewer(fresh, env, ui, nullptr), editor);
    env.associatedTextProgram = [] { return QString(); };
    const QString textpad = touch("programs/TextPad 8/TextPad.exe");
    IniFile third(home.file("TERZO.INI"));
    EXPECT_EQ(chooseViewer(third, env, ui, nullptr), QDir::toNativeSeparators(textpad));
    EXPECT_EQ(third.read(keys::kViewer), QDir::toNativeSeparators(textpad));
}

TEST_F(ViewerChoiceTest, AMissingConfiguredViewerIsReplacedOnceByTheDefault)
{
    settings.write(keys::kViewer, home.file("cancellato/TextPad.exe"));
    ui.expectMessage("Imposto Viewer con \"" + env.fallbackViewer + "\" per assenza file :\r\n"
                     + home.file("cancellato/TextPad.exe"));
    EXPECT_EQ(chooseViewer(settings, env, ui, nullptr), env.fallbackViewer);
    EXPECT_EQ(ui.said.front().title, "InitVBProc");
    EXPECT_EQ(ui.said.front().icon, Ui::Icon::Critical);
    EXPECT_EQ(settings.read(keys::kViewer), env.fallbackViewer);

    ScriptedUi nextStart; // the next start finds it and says nothing
    EXPECT_EQ(chooseViewer(settings, env, nextStart, nullptr), env.fallbackViewer);
}

TEST_F(ViewerChoiceTest, AnUnsetViewerIsReportedOnlyWhereThatIsTheRule)
{
    env.warnWhenUnset = false;
    EXPECT_EQ(chooseViewer(settings, env, ui, nullptr), env.fallbackViewer);
    EXPECT_TRUE(ui.said.empty());

    IniFile fresh(home.file("ALTRO.INI"));
    env.warnWhenUnset = true;
    ui.expectMessage("per assenza file");
    EXPECT_EQ(chooseViewer(fresh, env, ui, nullptr), env.fallbackViewer);
}

TEST(ReportFiles, AViewerIsAProgramOrAWholeCommand)
{
    TestHome home(false);
    home.writeFile("Text Pad.exe", "");
    // A program whose path holds blanks stays whole.
    const auto [program, arguments] = viewerInvocation(home.file("Text Pad.exe"), "/dati/PN ar.LOG");
    EXPECT_EQ(program, home.file("Text Pad.exe"));
    EXPECT_EQ(arguments, QStringList{"/dati/PN ar.LOG"});
    // A command keeps every word of it, the report after them.
    const auto [wrapper, words] = viewerInvocation("flatpak run org.gnome.TextEditor", "/dati/PN ar.LOG");
    EXPECT_EQ(wrapper, "flatpak");
    EXPECT_EQ(words, (QStringList{"run", "org.gnome.TextEditor", "/dati/PN ar.LOG"}));
    EXPECT_EQ(desktopExecCommand("flatpak run --branch=stable org.gnome.TextEditor %U"), "flatpak run --branch=stable org.gnome.TextEditor");
    EXPECT_EQ(desktopExecCommand("gedit %F"), "gedit");
    EXPECT_EQ(desktopExecCommand("\"/opt/My Editor/ed\" --new-window %f"), "\"/opt/My Editor/ed\" --new-window");
}

TEST(ReportFiles, ListToFileWritesTheRowsAndOpensThem)
{
    TestHome home(false);
    ScriptedUi ui;
    EXPECT_TRUE(listToFile(ui, {}, "viewer", home.paths()).isEmpty());
    EXPECT_EQ(ui.beeps, 1);

    const QString path = listToFile(ui, {"riga 1", "riga 2"}, "viewer", home.paths());
    EXPECT_TRUE(path.startsWith(home.file("Lista_")));
    EXPECT_EQ(ui.opened, QStringList{"viewer|" + path});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "riga 1\r\nriga 2\r\n");
    EXPECT_NE(listToFile(ui, {"x"}, "viewer", home.paths()), path); // same second: a new name
    EXPECT_EQ(ui.opened.size(), 2);
}

} // namespace
