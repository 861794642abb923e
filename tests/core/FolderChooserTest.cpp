#include "console/ConsoleCommands.h"
#include "TestHome.h"

#include <gtest/gtest.h>

using namespace corv;
using corv::test::ScriptedUi;
using corv::test::TestHome;

namespace {

TEST(FolderChooser, TheChoiceIsRememberedUnderTheCallersKey)
{
    TestHome home(false);
    QDir(home.path()).mkpath("Export Nembo/sub");
    IniFile settings(home.file("TLX_CORV.INI"));
    FolderChooser chooser(settings, "Chiave", home.file("Export Nembo"));
    EXPECT_EQ(chooser.folder(), home.file("Export Nembo"));
    chooser.setFolder(home.file("Export Nembo/sub/.."));
    const FolderChoice choice = chooser.accept("TR001AZI");
    EXPECT_EQ(choice.folder, home.file("Export Nembo"));
    EXPECT_EQ(settings.read(keys::kChooserFolderSection, "Chiave"), home.file("Export Nembo"));
    EXPECT_EQ(settings.read(keys::kChooserFileSection, "Chiave"), "TR001AZI");
    // The mount root as it is: not upper-cased, not cut at a blank.
    EXPECT_EQ(settings.read(keys::kChooserDriveSection, "Chiave"), FolderChooser::driveOf(home.path()));
    EXPECT_EQ(FolderChooser::lastFolder(settings, "Chiave"), home.file("Export Nembo"));
    EXPECT_EQ(FolderChooser::driveRoot("/media/disco esterno [BACKUP]"), "/media/disco esterno");
    EXPECT_EQ(FolderChooser::driveRoot("/"), "/");
    const QStringList drives = FolderChooser::driveEntries();
    EXPECT_FALSE(drives.isEmpty());
    EXPECT_FALSE(std::any_of(drives.begin(), drives.end(), [](const QString& d) { return d.startsWith("/proc") || d.startsWith("/sys"); }));
    EXPECT_FALSE(chooser.changeDrive("/cartella/che/non/esiste").isEmpty());
    EXPECT_TRUE(chooser.changeDrive("/").isEmpty());
    EXPECT_EQ(chooser.folder(), "/");
    // New subfolders refuse what is no plain name.
    {
        TestHome home(false);
        IniFile settings(home.file("TLX_CORV.INI"));
        FolderChooser chooser(settings, "Prova", home.path());
        QString message;
        EXPECT_EQ(chooser.createSubfolder("", &message), FolderChooser::NewFolder::Nothing);
        EXPECT_EQ(chooser.createSubfolder("nuova", &message), FolderChooser::NewFolder::Created);
        EXPECT_TRUE(QDir(home.file("nuova")).exists());
        EXPECT_EQ(chooser.createSubfolder("nuova", &message), FolderChooser::NewFolder::Exists);
        EXPECT_EQ(message, QString::fromUtf8("Cartella o file già esistente !"));
        home.writeFile("un file", "x");
        EXPECT_EQ(chooser.createSubfolder("un file", &message), FolderChooser::NewFolder::Exists);
        for (const char* bad : {".", "..", "a/b", "..\\x"}) {
            EXPECT_EQ(chooser.createSubfolder(bad, &message), FolderChooser::NewFolder::BadName) << bad;
            EXPECT_TRUE(message.startsWith("Nome di cartella non valido")) << bad;
        }
        EXPECT_FALSE(QDir(home.file("a")).exists());
    }
}

TEST(FolderChooser, TheNemboButtonTakesTheChosenFolderAndItsCompanies)
{
    TestHome home(false);
    ScriptedUi ui;
    auto ctx = home.context(ui);
    QDir(home.path()).mkdir("export");
    home.writeFile("export/TR002AZI", "");
    home.writeFile("export/tr001azi", "");
    ConsoleState state;
    state.nemboFolder = home.file("vecchia");
    state.lists[ConsoleState::NemboTab].vatCodes = {"vecchia riga"};
    // Closed without a choice: nothing changes.
    ui.expectFolder([](FolderChooser&) { return std::nullopt; });
    const ConsoleCommand& button = *findConsoleCommand("Cmd_NbCartella");
    EXPECT_EQ(runConsoleCommand(*ctx, state, button).outcome, CommandResult::Outcome::Declined);
    EXPECT_EQ(state.nemboFolder, home.file("vecchia"));
    QString started;
    ui.expectFolder([&](FolderChooser& chooser) {
        started = chooser.folder();
        chooser.setFolder(home.file("export"));
        return std::optional<FolderChoice>(chooser.accept({}));
    });
    ASSERT_EQ(runConsoleCommand(*ctx, state, button).outcome, CommandResult::Outcome::Done);
    EXPECT_EQ(started, QDir::homePath()); // the old folder is gone: the chooser starts at home
    EXPECT_EQ(state.nemboFolder, home.file("export"));
    EXPECT_EQ(state.nemboCompanies, (QStringList{"001", "002"}));
    EXPECT_EQ(state.nemboCompany(), "001");
    EXPECT_TRUE(state.lists[ConsoleState::NemboTab].vatCodes.isEmpty());
    EXPECT_EQ(ctx->corvSettings().read(keys::kNemboFolder), home.file("export"));
    // Next time it starts where the last choice was.
    ui.expectFolder([&](FolderChooser& chooser) {
        started = chooser.folder();
        return std::nullopt;
    });
    runConsoleCommand(*ctx, state, button);
    EXPECT_EQ(started, home.file("export"));
}

} // namespace
