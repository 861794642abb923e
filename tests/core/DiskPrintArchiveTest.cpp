// The disk print archive without its window: the choices and their settings,
// the file and viewer dialogs, viewing and reprinting.
#include "TestHome.h"
#include "RecordingPrinter.h"
#include "forms/DiskPrintArchive.h"
#include "print/PrintEngine.h"

#include <gtest/gtest.h>

using namespace corv;
using corv::test::RecordingPrinter;
using corv::test::ScriptedUi;
using corv::test::TestHome;

namespace {

const QString kSection = "Stampe su Disco";

class DiskPrintArchiveTest : public ::testing::Test {
protected:
    TestHome home{false};
    ScriptedUi ui;
    std::unique_ptr<AppContext> ctx = home.context(ui);
    RecordingPrinter* printer = nullptr;

    void SetUp() override
    {
        auto device = std::make_unique<RecordingPrinter>();
        printer = device.get();
        ctx->setPrinterDevice(std::move(device));
        ctx->printEngine()->startUp();
        ctx->setViewer("/usr/bin/editor");
        printer->pages = 0;
    }
    QString report(const QString& name, int lines)
    {
        QByteArray bytes;
        for (int i = 1; i <= lines; ++i)
            bytes += "riga " + QByteArray::number(i) + "\r\n";
        home.writeFile(name, bytes);
        return home.file(name);
    }
};

TEST_F(DiskPrintArchiveTest, OpensWithTheDataFolderAndTheProgramsViewerAndKeepsItsChoices)
{
    {
        DiskPrintArchive archive(*ctx);
        EXPECT_EQ(archive.folder, home.path());
        EXPECT_EQ(archive.extension, "DBP");
        EXPECT_EQ(archive.file, "");
        EXPECT_EQ(archive.viewer(), "/usr/bin/editor");
        EXPECT_EQ(archive.extensionChoices(), (QStringList{"LOG", "TXT"}));
        EXPECT_EQ(archive.viewerTip(), "Programma visualizzatore : /usr/bin/editor - Mouse destro per cambiare!");
        archive.folder = home.file("stampe");
        archive.extension = "log";
        archive.file = home.file("stampe/a b.log");
        EXPECT_TRUE(archive.close());
    }
    const IniFile settings = ctx->corvSettings();
    EXPECT_EQ(settings.read(kSection, "Directory"), home.file("stampe"));
    EXPECT_EQ(settings.read(kSection, "UltimoFile"), home.file("stampe/a b.log"));
    EXPECT_EQ(settings.read(kSection, "Estensione"), "log");
    EXPECT_EQ(settings.read(kSection, "PgmVisualizzatore"), "/usr/bin/editor");
    // Reopened: restored; the folder of another machine gives way to the data folder.
    QDir(home.path()).mkdir("stampe");
    ctx->corvSettings().write(kSection, "ExtCmb", "DBP, .prn;log");
    DiskPrintArchive again(*ctx);
    EXPECT_EQ(again.folder, home.file("stampe"));
    EXPECT_EQ(again.extension, "log");
    EXPECT_EQ(again.extensionChoices(), (QStringList{"DBP", "prn", "log", "TXT"}));
    ctx->corvSettings().write(kSection, "Directory", "C:\\");
    EXPECT_EQ(DiskPrintArchive(*ctx).folder, home.path());
    // Closing on a settings file that cannot be written says so.
    const QString ini = ctx->paths().iniPath(ini::kCorv);
    QFile::remove(ini);
    QDir().mkpath(ini); // a folder where the file should be
    ui.expectMessage("Impossibile salvare le scelte delle stampe su disco");
    EXPECT_FALSE(again.close());
    // The file dialog matches the extension in any case.
    EXPECT_EQ(DiskPrintArchive::anyCasePattern("DBP"), "*.[dD][bB][pP]");
    EXPECT_EQ(DiskPrintArchive::anyCasePattern("log1"), "*.[lL][oO][gG]1");
    EXPECT_EQ(DiskPrintArchive::anyCasePattern(""), "*");
    EXPECT_EQ(DiskPrintArchive::anyCasePattern("*"), "*");
    EXPECT_EQ(DiskPrintArchive::anyCasePattern("a?"), "*.[aA][?]");
    DiskPrintArchive archive(*ctx);
    ui.expectFile("Stampe su disco.", [&](const FileRequest&) { return std::optional<QString>(home.file("sub/Report.Dbp")); });
    EXPECT_TRUE(archive.chooseFile());
    ASSERT_EQ(ui.fileRequests.size(), 1u);
    EXPECT_EQ(ui.fileRequests[0].filterName, "Stampe su Disco | *.DBP");
    EXPECT_EQ(ui.fileRequests[0].pattern, "*.[dD][bB][pP]");
    EXPECT_EQ(ui.fileRequests[0].defaultSuffix, "DBP");
    EXPECT_EQ(ui.fileRequests[0].folder, home.path());
    EXPECT_EQ(archive.file, home.file("sub/Report.Dbp"));
    EXPECT_EQ(archive.folder, home.file("sub"));
    // No extension: every file. Cancelled: nothing changes.
    archive.extension = "";
    ui.expectFile("Stampe su disco.", [](const FileRequest&) { return std::nullopt; });
    EXPECT_FALSE(archive.chooseFile());
    EXPECT_EQ(ui.fileRequests[1].filterName, "Stampe su Disco | *.*");
    EXPECT_EQ(ui.fileRequests[1].pattern, "*");
    EXPECT_EQ(ui.fileRequests[1].folder, home.file("sub"));
    EXPECT_EQ(archive.file, home.file("sub/Report.Dbp"));
}

TEST_F(DiskPrintArchiveTest, AViewerChosenHereServesTheWholeProgram)
{
    home.writeFile("vista", "#!/bin/sh\n");
    QFile::setPermissions(home.file("vista"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    home.writeFile("testo.txt", "non un programma");
    DiskPrintArchive archive(*ctx);
    ui.expectFile("Programmi visualizzatori.", [&](const FileRequest&) { return std::optional<QString>(home.file("testo.txt")); })
        .expectMessage("non è un programma");
    EXPECT_FALSE(archive.chooseViewer(false));
    EXPECT_EQ(ctx->viewer(), "/usr/bin/editor");
    ui.expectFile("Programmi visualizzatori.", [&](const FileRequest&) { return std::optional<QString>(home.file("vista")); });
    EXPECT_TRUE(archive.chooseViewer(true));
    EXPECT_EQ(archive.viewer(), home.file("vista"));
    EXPECT_EQ(ctx->viewer(), home.file("vista"));
    EXPECT_EQ(ctx->corvSettings().read(keys::kViewer), home.file("vista"));
    EXPECT_EQ(archive.viewerTip(), "Programma visualizzatore : " + home.file("vista") + " - Mouse destro per cambiare!");
    EXPECT_EQ(ui.fileRequests[0].folder, "/usr/bin");
    // The next window starts from it.
    EXPECT_EQ(DiskPrintArchive(*ctx).viewer(), home.file("vista"));
    // A view gives the path as one argument, and beeps for a missing file.
    archive.file = home.file("non esiste.log");
    EXPECT_FALSE(archive.view());
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_TRUE(ui.opened.isEmpty());
    archive.file = report("con spazi.log", 2);
    EXPECT_TRUE(archive.view());
    EXPECT_EQ(ui.opened, QStringList{home.file("vista") + "|" + home.file("con spazi.log")});
}

TEST_F(DiskPrintArchiveTest, ReprintAsksThenFeedsTheFileThroughTheEngine)
{
    DiskPrintArchive archive(*ctx);
    archive.file = report("r70.DBP", 70);
    ui.expectMessage("Confermi ristampa documento : \r\n" + home.file("r70.DBP"), Ui::Answer::No);
    EXPECT_FALSE(archive.reprint());
    EXPECT_EQ(printer->pages, 0);
    ui.expectMessage("Confermi ristampa documento", Ui::Answer::Yes);
    EXPECT_TRUE(archive.reprint());
    EXPECT_EQ(printer->pages, 2); // the usable rows plus one line: two pages
    EXPECT_EQ(printer->only("text ").size(), 70);
    EXPECT_EQ(ui.said.back().title, "Stampe su Disco");
    // A file shorter than a page: one page, no eject.
    printer->pages = 0;
    printer->events.clear();
    archive.file = report("r5.DBP", 5);
    ui.expectMessage("Confermi ristampa documento", Ui::Answer::Yes);
    EXPECT_TRUE(archive.reprint());
    EXPECT_EQ(printer->pages, 1);
    EXPECT_TRUE(printer->only("page").isEmpty());
    // Missing: a beep; empty: nothing printed.
    printer->pages = 0;
    archive.file = home.file("manca.DBP");
    ui.expectMessage("Confermi ristampa documento", Ui::Answer::Yes);
    EXPECT_FALSE(archive.reprint());
    EXPECT_EQ(ui.beeps, 1);
    home.writeFile("vuoto.DBP", "");
    archive.file = home.file("vuoto.DBP");
    ui.expectMessage("Confermi ristampa documento", Ui::Answer::Yes);
    EXPECT_FALSE(archive.reprint());
    EXPECT_EQ(printer->pages, 0);
}

} // namespace
