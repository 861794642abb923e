#include "TestHome.h"

#include "demo/DemoInstallation.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace corv;
using corv::test::TestHome;

namespace {

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

} // namespace
