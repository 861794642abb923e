#include "ardea/SqlAccessForm.h"
#include "platform/SingleInstance.h"
#include "TestHome.h"

#include <gtest/gtest.h>

using namespace corv;
using corv::test::ScriptedUi;
using corv::test::TestHome;
using Answer = Ui::Answer;

namespace {

class SqlAccessFormTest : public ::testing::Test {
protected:
    TestHome home{false};
    ScriptedUi ui;
    SqlAccessForm form{IniFile(home.file("ARDEA_Z.INI"), true), IniFile(home.file("SQLOG_BACK.INI"), true), ui,
                       "SRVREG"};
};

TEST_F(SqlAccessFormTest, FillsFromTheSettingsWithoutEnclosingQuotesOrFromTheBackup)
{
    form.activate(); // nothing stored: the defaults
    EXPECT_EQ(QStringList({form.server, form.user, form.password}), QStringList({"", "sa", ""}));
    home.writeFile("ARDEA_Z.INI", "[Login]\nServer='SRV01'\nUserId=op\nUserPwd=pw\n");
    form.activate();
    EXPECT_EQ(QStringList({form.server, form.user, form.password}), QStringList({"SRV01", "op", "pw"}));
    EXPECT_EQ(form.serverLabel(), "SRVREG");
    EXPECT_FALSE(form.edited());
    ui.expectMessage("File di Backup Password Inesistente o Vuoto !!");
    form.restoreFromBackup();
    EXPECT_EQ(ui.beeps, 1);
    home.writeFile("SQLOG_BACK.INI", "[Login]\nServer='SRVB'\nUserPwd=b\n");
    form.restoreFromBackup();
    EXPECT_EQ(QStringList({form.server, form.user, form.password}), QStringList({"SRVB", "sa", "b"}));
}

// Saved by its button, or when closed with edits and the question answered Yes.
TEST_F(SqlAccessFormTest, SaveWritesTheThreeFields)
{
    EXPECT_TRUE(form.abandoned());
    form.server = "SRV02";
    form.user = "u";
    form.password = "p";
    form.save();
    EXPECT_FALSE(form.abandoned());
    const IniFile ardea(home.file("ARDEA_Z.INI"));
    EXPECT_EQ(QStringList({ardea.read("Login", "Server"), ardea.read("Login", "UserId"), ardea.read("Login", "UserPwd")}),
              QStringList({"SRV02", "u", "p"}));
    form.activate();
    form.close(); // nothing edited: no question
    form.server = "SRV03";
    ui.expectMessage("Salvo i Dati ?", Answer::Yes);
    form.close();
    EXPECT_EQ(ardea.read("Login", "Server"), "SRV03");
}

TEST(Quotes, OnlyAMatchingPairIsRemoved)
{
    EXPECT_EQ(withoutEnclosingQuotes("'SRV'", false), "SRV");
    EXPECT_EQ(withoutEnclosingQuotes("\"SRV\"", false), "\"SRV\"");
    EXPECT_EQ(withoutEnclosingQuotes("\"SRV\"", true), "SRV");
    EXPECT_EQ(withoutEnclosingQuotes("'SRV", true), "'SRV");
    EXPECT_EQ(withoutEnclosingQuotes("'", true), "'");
    EXPECT_EQ(withoutEnclosingQuotes("''", true), "");
}

TEST(SingleInstance, ASecondCopyIsToldApartFromAFolderWhereTheLockCannotBeCreated)
{
    using Result = SingleInstance::Result;
    TestHome home(false);
    auto first = std::make_unique<SingleInstance>(home.paths().lockFile());
    ASSERT_EQ(first->acquire(), Result::Acquired);
    SingleInstance second(home.paths().lockFile());
    EXPECT_EQ(second.acquire(), Result::AlreadyRunning);
    EXPECT_EQ(second.failureText(Result::AlreadyRunning), QString::fromUtf8("ATTENZIONE !!  Programma già in esecuzione !"));
    first.reset();
    SingleInstance third(home.paths().lockFile());
    EXPECT_EQ(third.acquire(), Result::Acquired);

    // A folder where no file can be created (it does not even exist here).
    SingleInstance nowhere(home.file("manca/corvutil.lock"));
    const Result result = nowhere.acquire();
    EXPECT_EQ(result, Result::CannotCreate);
    EXPECT_TRUE(nowhere.failureText(result).contains(home.file("manca"))) << nowhere.failureText(result).toStdString();
}

} // namespace
