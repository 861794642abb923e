#include "process/RunLog.h"
#include "TestHome.h"

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

TEST(RunLog, PasswordsAreMasked)
{
    EXPECT_EQ(maskedPassword("segreta"), "********");
    EXPECT_EQ(maskedPassword(""), "");
}

} // namespace
