// The Ardea login: its steps and prompts, its window (F_SQLAccess), the
// installation's folders and the lock of a single running copy.
#include "ardea/ArdeaLogin.h"
#include "ardea/SqlAccessForm.h"
#include "demo/DemoInstallation.h"
#include "TestHome.h"
#include "platform/SingleInstance.h"
#include "platform/SpecialFolders.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace corv;
using corv::test::ScriptedUi;
using corv::test::TestHome;
using Answer = Ui::Answer;

namespace {

class LoginTest : public ::testing::Test {
protected:
    TestHome home;
    ScriptedUi ui;
    std::unique_ptr<AppContext> ctx = home.context(ui);
    ArdeaLogin login{*ctx};

    IniFile ardea() { return ctx->ardeaSettings(); }
    void setLogin(const QString& server, const QString& user, const QString& password)
    {
        IniFile ini = ardea();
        ini.write("Login", "Server", server);
        ini.write("Login", "UserId", user);
        ini.write("Login", "UserPwd", password);
    }
    QString dbFolder() const { return home.file("db"); }
};

TEST_F(LoginTest, ResolvedLoginOpensTheSystemCatalogsAndBacksItUp)
{
    EXPECT_EQ(login.AR_InitLib(true), InitOutcome::Ready);
    EXPECT_TRUE(ctx->connections().isOpen(Connections::ESys));
    EXPECT_TRUE(ctx->connections().isOpen(Connections::EConn));
    EXPECT_TRUE(ctx->connections().isOpen(Connections::ESess));
    EXPECT_EQ(ctx->login().ardeaRelease, "06.12.01.0004");
    EXPECT_EQ(ctx->login().provider, "SQLite");

    const IniFile backup = ctx->loginBackup();
    EXPECT_EQ(backup.read("Login", "Server"), dbFolder());
    EXPECT_EQ(backup.read("Login", "UserId"), "sa");
    EXPECT_EQ(backup.read("Login", "UserPwd"), kDemoPassword);
    EXPECT_EQ(QFile::permissions(backup.path()) & (QFile::ReadGroup | QFile::ReadOther), 0);
    EXPECT_FALSE(home.readFile("Corvina.LOG").contains("demo<"));
}

TEST_F(LoginTest, ServerStoredBetweenQuotesIsUsedWithout)
{
    setLogin("'" + dbFolder() + "'", "sa", "pw");
    EXPECT_EQ(login.AR_InitLib(true), InitOutcome::Ready);
    EXPECT_EQ(ctx->login().server, dbFolder());

    setLogin("\"" + dbFolder() + "\"", "sa", "pw");
    ArdeaLogin again(*ctx);
    EXPECT_EQ(again.AR_InitLib(true), InitOutcome::Ready);
    EXPECT_EQ(ctx->login().server, dbFolder());
}

TEST_F(LoginTest, ServerTypedAtThePromptIsStoredBetweenSingleQuotesOrAbandoned)
{
    ui.expectInput("Nome SERVER/Istanza Nominata (NO Barre: \\ )", QString("  SRV01  "));
    EXPECT_EQ(login.resolveServer(true), InitOutcome::Ready);
    EXPECT_EQ(ctx->login().server, "'SRV01'");
    EXPECT_EQ(ardea().read("Login", "Server"), "'SRV01'");
    // The prompt offers the registry's server, else this computer.
    EXPECT_FALSE(ui.inputDefaults.first().isEmpty());
    // Abandoned: the program ends, nothing written.
    ui.expectInput("Nome SERVER", QString())
        .expectMessage("Confermi abbandono operazione ??", Answer::Yes)
        .expectMessage("IMPOSSIBILE Determinare il DB SERVER !!\r\n\r\nINTERRUZIONE PROGRAMMA !");
    ctx->login().server.clear();
    EXPECT_EQ(login.resolveServer(true), InitOutcome::EndProgram);
    EXPECT_EQ(ardea().read("Login", "Server"), "'SRV01'");
}

TEST_F(LoginTest, AnEmptyAnswerCanBeRetyped)
{
    ui.expectInput("Nome Utente", QString())
        .expectMessage("Confermi abbandono operazione ??", Answer::No)
        .expectInput("Nome Utente", QString("operatore"));
    EXPECT_EQ(login.resolveUser(true), InitOutcome::Ready);
    EXPECT_EQ(ctx->login().user, "operatore");
    EXPECT_EQ(ardea().read("Login", "UserId"), "operatore");
}

// An empty password and no NullPwd: unattended, the start ends and nothing
// is written; a person may abandon, or confirm it twice and have NullPwd=1
// kept, after which it is taken without asking.
TEST_F(LoginTest, AnEmptyPasswordIsConfirmedTwiceOrEndsTheProgram)
{
    setLogin(dbFolder(), "sa", "");
    const QByteArray before = home.readFile("ARDEA_Z.INI").toUtf8();
    ui.unattended = true;
    ui.expectMessage("Manca il dato di accesso a SQL Server \"Pwd\"").expectMessage("IMPOSSIBILE Determinare la PASSWORD UTENTE !!");
    EXPECT_EQ(login.AR_InitLib(true), InitOutcome::EndProgram);
    EXPECT_EQ(home.readFile("ARDEA_Z.INI").toUtf8(), before);
    EXPECT_TRUE(ui.prompts.isEmpty());
    ui.unattended = false;
    ui.expectInput("Password Utente", std::nullopt)
        .expectMessage("CONFERMI PASSWORD NULLA ?", Answer::No)
        .expectMessage("Confermi abbandono operazione ??", Answer::Yes)
        .expectMessage("IMPOSSIBILE Determinare la PASSWORD UTENTE !!");
    EXPECT_EQ(ArdeaLogin(*ctx).AR_InitLib(true), InitOutcome::EndProgram);
    EXPECT_FALSE(ctx->connections().isOpen(Connections::ESys));
    ui.expectInput("Password Utente\r\n (   PASSWORD NULLA  ??   )", QString())
        .expectMessage("CONFERMI PASSWORD NULLA ?", Answer::Yes)
        .expectMessage("SICURO DI CONFERMARE PASSWORD NULLA ?", Answer::Yes);
    EXPECT_EQ(ArdeaLogin(*ctx).AR_InitLib(true), InitOutcome::Ready);
    EXPECT_EQ(ardea().read("Login", "NullPwd"), "1");
    const qsizetype asked = ui.prompts.size();
    EXPECT_EQ(ArdeaLogin(*ctx).AR_InitLib(true), InitOutcome::Ready);
    EXPECT_EQ(ctx->login().password, "");
    EXPECT_EQ(ui.prompts.size(), asked);
}

TEST_F(LoginTest, MissingLoginShowsTheLoginWindowUntilSavedOrAbandoned)
{
    QFile::remove(ardea().path());
    ui.expectLogin([&](SqlAccessForm& form) {
        form.activate(); // ARDEA_Z.INI is missing: the backup is offered
    });
    home.writeFile("SQLOG_BACK.INI", "[Login]\r\nServer='" + dbFolder().toUtf8() + "'\r\nUserId=sa\r\nUserPwd=bk\r\n");
    ui.expectMessage("Ripristino dal Backup ??", Answer::Yes);
    // The first window is closed without saving: that abandons the login.
    EXPECT_EQ(login.AR_InitLib(true), InitOutcome::EndProgram);
    EXPECT_EQ(home.logLines().count("--- Richiamo  F_SQLAccess ---"), 1);
    // Saved with the backup: the login goes on.
    ui.expectLogin([](SqlAccessForm& form) {
          form.activate();
          form.save();
      })
        .expectMessage("Ripristino dal Backup ??", Answer::Yes);
    EXPECT_EQ(ArdeaLogin(*ctx).AR_InitLib(true), InitOutcome::Ready);
    EXPECT_EQ(ardea().read("Login", "Server"), dbFolder()); // quotes removed by the window
    EXPECT_EQ(ctx->login().password, "bk");
}

TEST_F(LoginTest, NoArdeaInstallationIsReportedAndUnavailable)
{
    ctx->registry().write(RegistryRoot::LocalMachine, regkeys::kSettings, "PercorsoInstallazione", "");
    ui.expectMessage("AR NON INSTALLATO  !!!!\r\rIMPOSSIBILE ESEGUIRE IL PROGRAMMA !!");
    EXPECT_EQ(login.AR_InitLib(true), InitOutcome::Unavailable);
    EXPECT_EQ(ui.said.front().title, "Proc_AR:AR_InitLib");

    ArdeaLogin quiet(*ctx);
    EXPECT_EQ(quiet.AR_InitLib(false), InitOutcome::Unavailable); // no message without messages
}

TEST_F(LoginTest, UnreachableServerIsUnavailableAndWritesNoBackup)
{
    setLogin(home.file("altrove"), "sa", "pw");
    ui.expectMessage("Cn_eSYS");
    EXPECT_EQ(login.AR_InitLib(true), InitOutcome::Unavailable);
    EXPECT_FALSE(QFile::exists(ctx->loginBackup().path()));
}

TEST_F(LoginTest, AccessRowsOfThisProductAreCleared)
{
    ASSERT_EQ(login.AR_InitLib(true), InitOutcome::Ready);
    QSqlQuery insert(ctx->connections().db(Connections::ESys));
    insert.prepare("INSERT INTO TS_ACCESSI (cod_utente, nomecomputer, des_nomeprodotto) VALUES ('adme', ?, ?)");
    insert.addBindValue(QSysInfo::machineHostName());
    insert.addBindValue("Corvina's tool");
    ASSERT_TRUE(insert.exec());
    ctx->login().productName = "Corvina's tool";
    ArdeaLogin again(*ctx);
    ASSERT_EQ(again.AR_InitLib(true), InitOutcome::Ready);
    QSqlQuery count(ctx->connections().db(Connections::ESys));
    ASSERT_TRUE(count.exec("SELECT COUNT(*) FROM TS_ACCESSI"));
    ASSERT_TRUE(count.next());
    EXPECT_EQ(count.value(0).toInt(), 0);
}

TEST_F(LoginTest, RecordConnectionsOpenAndCloseInOrder)
{
    ASSERT_EQ(login.AR_InitLib(true), InitOutcome::Ready);
    ctx->setArdeaReached(true);
    ctx->login().companyDatabase = "AR_DEMO";
    ctx->login().commonDatabase = "AR_COMUNE";
    ctx->installation().setCompanyCode("DEMO");
    ASSERT_TRUE(login.ARRecOpen());
    EXPECT_TRUE(ctx->connections().isOpen(Connections::Corvina));
    EXPECT_TRUE(ctx->connections().isOpen(Connections::Company));
    EXPECT_TRUE(ctx->connections().isOpen(Connections::Common));
    login.dataClose();
    login.systemClose();
    for (int n = 0; n < Connections::Count; ++n)
        EXPECT_FALSE(ctx->connections().isOpen(static_cast<Connections::Name>(n))) << n;
}

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
