#include "TestHome.h"

#include <gtest/gtest.h>

using namespace corv;
using corv::test::TestHome;

namespace {

class DoveArTest : public ::testing::Test {
protected:
    TestHome home{false};
    std::unique_ptr<Registry> registry = makeRegistryFile(home.paths().registryFile());
    RunLog log{home.file("Corvina.LOG")};
    ArdeaInstallation installation{*registry, log};

    void set(const char* name, const QString& value)
    {
        registry->write(RegistryRoot::LocalMachine, regkeys::kSettings, QLatin1String(name), value);
    }
};

// Empty values take their defaults; an unset temporary folder, whose parent
// is the root, never puts the work folders at the root.
TEST_F(DoveArTest, EmptyValuesTakeTheirDefaults)
{
    set("PathReport", "");
    set("PathTemp", "");
    EXPECT_EQ(installation.Dove_AR(DoveKind::Report), ArdeaInstallation::defaultFolder());
    EXPECT_EQ(installation.Dove_AR(DoveKind::Installation), "");
    EXPECT_EQ(installation.Dove_AR(DoveKind::UserHint), "   ");
    EXPECT_EQ(installation.Dove_AR(DoveKind::DbServer), ""); // the server has no default
    EXPECT_EQ(installation.Dove_AR(DoveKind::PublicTemp), ArdeaInstallation::defaultFolder());
    EXPECT_EQ(installation.publicBase(), ArdeaInstallation::defaultFolder());
#ifndef Q_OS_WIN
    EXPECT_EQ(ArdeaInstallation::defaultFolder(), QDir::tempPath() + "/");
#else
    EXPECT_EQ(ArdeaInstallation::defaultFolder(), "c:\\temp\\");
#endif
    set("PathTemp", "C:\\Temp\\");
    EXPECT_EQ(installation.Dove_AR(DoveKind::PublicTemp), "C:\\Temp\\");
    EXPECT_EQ(installation.publicBase(), "C:\\Temp\\");
}

TEST_F(DoveArTest, ValuesComeFromTheInstallationKeys)
{
    set("PercorsoInstallazione", "D:\\Ardea\\");
    set("PathReport", "D:\\Ardea\\Report\\");
    registry->write(RegistryRoot::LocalMachine, regkeys::kDatabase, "OLEDBProvider", "SQLNCLI11");
    EXPECT_EQ(installation.Dove_AR(DoveKind::Installation), "D:\\Ardea\\");
    EXPECT_EQ(installation.Dove_AR(DoveKind::Programs), "D:\\Ardea\\exe\\");
    EXPECT_EQ(installation.Dove_AR(DoveKind::Report), "D:\\Ardea\\Report\\");
    EXPECT_EQ(installation.Dove_AR(DoveKind::Provider), "SQLNCLI11");
    EXPECT_EQ(installation.provider(), "SQLNCLI11");
}

TEST_F(DoveArTest, WorkFoldersSitUnderThePublicBaseAndAreCreated)
{
    set("PathTemp", home.path() + "/pub/temp/");
    EXPECT_EQ(installation.Dove_AR(DoveKind::PublicTemp), home.path() + "/pub/temp/");
    EXPECT_EQ(installation.publicBase(), home.path() + "/pub/");
    EXPECT_EQ(installation.Dove_AR(DoveKind::Work), home.path() + "/pub/ar_Q5K/");
    installation.setCompanyCode("DEMO");
    EXPECT_EQ(installation.Dove_AR(DoveKind::CompanyWork), home.path() + "/pub/ar_Q5K/DEMO/");
    EXPECT_TRUE(QDir(home.path() + "/pub/ar_Q5K/DEMO").exists());
}

TEST_F(DoveArTest, RegistryServerFallsBackToTheWow64Key)
{
    EXPECT_EQ(installation.registryServer(), "");
    registry->write(RegistryRoot::LocalMachine, "SOFTWARE\\Wow6432Node\\Pelion Software\\e\\BaseDati", "DBServer",
                    "SRV32");
    EXPECT_EQ(installation.registryServer(), "SRV32");
    registry->write(RegistryRoot::LocalMachine, "Software\\Pelion Software\\e\\BaseDati", "DBServer", "SRV64");
    EXPECT_EQ(installation.registryServer(), "SRV64");
}

} // namespace

#include "platform/SpecialFolders.h"

namespace {

TEST(SpecialFolders, WindowsNamesComeFromTheRegistry)
{
    TestHome home(false);
    auto registry = makeRegistryFile(home.paths().registryFile());
    const QString key = "Software\\Microsoft\\Windows\\CurrentVersion";
    registry->write(RegistryRoot::LocalMachine, key, "ProgramFilesDir", "C:\\Program Files (x86)");
    registry->write(RegistryRoot::LocalMachine, key, "ProgramW6432Dir", "C:\\Program Files");
    registry->write(RegistryRoot::LocalMachine, key, "ProgramFilesDir (x86)", "C:\\Program Files (x86)");
    registry->write(RegistryRoot::CurrentUser, key + "\\Explorer\\Shell Folders", "Personal", "C:\\Users\\u\\Documents");
    const auto folder = [&](const char* name) { return windowsSpecialFolder(name, *registry, "C:\\Windows\\", "C:\\Temp"); };
    EXPECT_EQ(folder("Programs"), "C:\\Program Files"); // the 64-bit folder even when the first value is the 32-bit one
    EXPECT_EQ(folder("Programs86"), "C:\\Program Files (x86)");
    EXPECT_EQ(folder("Download Directory"), "C:\\Users\\u\\Documents"); // no download folder: the documents
    EXPECT_EQ(folder("_Win"), "C:\\Windows\\");
    EXPECT_EQ(folder("_Sys32"), "C:\\Windows\\System32");
    EXPECT_EQ(folder("_Temp"), "C:\\Temp");
    EXPECT_EQ(folder("Altro"), "");
#ifndef Q_OS_WIN
    EXPECT_EQ(specialFolder("_Win", home.paths(), *registry), home.path() + "/");
    EXPECT_EQ(specialFolder("Altro", home.paths(), *registry), "");
#endif
}

} // namespace
