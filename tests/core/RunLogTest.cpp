#include "app/RunLog.h"
#include "TestHome.h"

#include <gtest/gtest.h>

using namespace corv;
using corv::test::TestHome;

namespace {

TEST(LogLine, AppendsOneCrLfLineAndTheStartLineBeginsAFreshFile)
{
    TestHome home(false);
    const QString report = home.file("PICF_GenAR_DEMO.log");
    EXPECT_TRUE(utl::logLine("vecchia riga", false, report));
    EXPECT_TRUE(utl::logLine("***** Inizio", true, report));
    EXPECT_TRUE(utl::logLine("Società à", false, report));
    EXPECT_EQ(home.readFile("PICF_GenAR_DEMO.log"), QString::fromUtf8("***** Inizio\r\nSocietà à\r\n"));
    EXPECT_FALSE(utl::logLine("x", false, home.file("nessuna/cartella.log")));
    EXPECT_FALSE(utl::logLine("x", false, QString()));
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

TEST(RunLog, PasswordsAreMasked)
{
    EXPECT_EQ(maskedPassword("segreta"), "********");
    EXPECT_EQ(maskedPassword(""), "");
}

} // namespace
