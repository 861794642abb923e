#include "report/ReportFiles.h"
#include "report/ViewerChoice.h"
#include "TestHome.h"

#include <gtest/gtest.h>

using namespace corv;
using corv::test::ScriptedUi;
using corv::test::TestHome;

namespace {

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
