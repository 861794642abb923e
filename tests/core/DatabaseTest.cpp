#include "demo/DemoInstallation.h"
#include "TestHome.h"
#include "db/RowReader.h"
#include "db/RunningStatements.h"
#include "db/ConnectionString.h"

#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QThread>
#include <atomic>

using namespace corv;
using corv::test::TestHome;

namespace {

QString sqliteString(const QString& folder, const QString& catalog)
{
    return dataConnectionString("SQLite", "sa", "x", catalog, folder);
}

TEST(Connections, AMissingCatalogIsAnErrorAndNoFileIsCreated)
{
    TestHome home;
    Connections connections;
    QString error;
    EXPECT_FALSE(connections.open(Connections::Company, sqliteString(home.file("db"), "AR_NESSUNA"), &error));
    EXPECT_TRUE(error.contains("AR_NESSUNA.sqlite"));
    EXPECT_FALSE(QFileInfo::exists(home.file("db/AR_NESSUNA.sqlite")));
    EXPECT_FALSE(connections.isOpen(Connections::Company));
    // Two contexts keep their own connections.
    {
        TestHome home;
        Connections first, second;
        ASSERT_TRUE(first.open(Connections::ESys, sqliteString(home.file("db"), "eSYS")));
        ASSERT_TRUE(second.open(Connections::ESys, sqliteString(home.file("db"), "Corvina_3")));
        first.closeAll();
        EXPECT_TRUE(second.isOpen(Connections::ESys));
        EXPECT_FALSE(first.isOpen(Connections::ESys));
    }
}

TEST(SqliteFunctions, SqlServerDateFunctionsWorkOnStoredDates)
{
    TestHome home;
    Connections connections;
    ASSERT_TRUE(connections.open(Connections::Corvina, sqliteString(home.file("db"), "Corvina_3")));
    QSqlQuery query(connections.db(Connections::Corvina));
    ASSERT_TRUE(query.exec("SELECT year(VATLastImportDate), month(VATLastImportDate), day(VATLastImportDate), "
                           "len('ab  ') FROM Company WHERE VATYear = 2016"))
        << query.lastError().text().toStdString();
    ASSERT_TRUE(query.next());
    EXPECT_EQ(query.value(0).toInt(), 2017);
    EXPECT_EQ(query.value(1).toInt(), 2);
    EXPECT_EQ(query.value(2).toInt(), 10);
    EXPECT_EQ(query.value(3).toInt(), 2);
}

TEST(DemoInstallation, RefusesAFolderThatHoldsOneAlready)
{
    TestHome home;
    QString error;
    EXPECT_FALSE(createDemoInstallation(home.path(), &error));
    EXPECT_TRUE(error.contains(home.path()));
    EXPECT_TRUE(demoSchema("nessuno").isEmpty());
    EXPECT_TRUE(demoSchema("eSYS").contains("TS_AZIENDE"));
    // Text keys ignore case, as on SQL Server.
    {
        TestHome home;
        Connections connections;
        ASSERT_TRUE(connections.open(Connections::ESys, sqliteString(home.file("db"), "eSYS")));
        QSqlQuery query(connections.db(Connections::ESys));
        ASSERT_TRUE(query.exec("SELECT des_database FROM TS_AZIENDE WHERE cod_azienda = 'demo'"));
        ASSERT_TRUE(query.next());
        EXPECT_EQ(query.value(0).toString(), "AR_DEMO");
    }
}

// A stop given on the window's thread cancels an ODBC statement that a worker
// thread is reading, through the ODBC driver manager (here with the SQLite
// ODBC driver in place of SQL Server's).
const QString kDriver = QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so");

TEST(StatementCancel, AStopCancelsAnOdbcStatementReadOnAnotherThread)
{
    ASSERT_TRUE(QFileInfo::exists(kDriver)) << "the SQLite ODBC driver (libsqliteodbc) is part of the set-up";
    TestHome home(false);
    const QString file = home.file("odbc.sqlite");
    std::atomic<bool> reading = false;
    bool read = true;
    QString error;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        const QString name = QStringLiteral("odbctest@worker");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name);
            db.setDatabaseName(QStringLiteral("DRIVER=") + kDriver + QStringLiteral(";Database=") + file);
            if (!db.open()) {
                error = db.lastError().text();
                return;
            }
            RowReader reader(db);
            reading = true;
            // Half a minute of counting, were it not cancelled.
            read = reader.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200000000)"
                                              " SELECT COUNT(*) FROM n"))
                   && reader.next() && !reader.failed();
            error = reader.error();
        }
        QSqlDatabase::removeDatabase(name);
    }));
    worker->start();
    while (!reading && !worker->isFinished())
        QThread::msleep(10);
    int cancelled = 0;
    // The statement is known once prepared: cancel until it is.
    for (int attempt = 0; attempt < 100 && cancelled == 0 && !worker->isFinished(); ++attempt) {
        QThread::msleep(20);
        cancelled = runningstatements::cancel([](const QString& name) { return name.contains(QLatin1Char('@')); });
    }
    ASSERT_TRUE(worker->wait(120000));
    EXPECT_EQ(cancelled, 1) << error.toStdString();
    EXPECT_FALSE(read) << "the statement was not cancelled";
    // Only the worker's connections are chosen: nothing else is left to cancel.
    EXPECT_EQ(runningstatements::cancel([](const QString&) { return true; }), 0);
}

// The system catalogs take the installation's provider as it is; the
// company and common catalogs add ".1" to it; the working connections name
// SQLOLEDB unless the installation is the embedded engine; a side database
// names its password only when it has one; the log sees no password.
TEST(ConnectionStrings, EachKindNamesItsProviderAndTheLogNoPassword)
{
    const QString tail = ";Persist Security Info=False;User ID=sa;Password=pw;Initial Catalog=";
    const struct {
        QString made, expected;
    } cases[] = {
        {systemConnectionString("SQLOLEDB.1", "sa", "pw", "eSYS", "SRV01\\ARDEA"), "Provider=SQLOLEDB.1" + tail + "eSYS;Data Source=SRV01\\ARDEA"},
        {companyConnectionString("", "sa", "pw", "AR_DEMO", "SRV01"), "Provider=SQLOLEDB.1" + tail + "AR_DEMO;Data Source=SRV01"},
        {companyConnectionString("SQLNCLI11", "sa", "pw", "AR_COMUNE", "S"), "Provider=SQLNCLI11.1" + tail + "AR_COMUNE;Data Source=S"},
        {dataConnectionString("SQLNCLI11", "sa", "pw", kCorvinaCatalog, "SRV01"), "Provider=SQLOLEDB.1" + tail + "Corvina_3;Data Source=SRV01"},
        {dataConnectionString("SQLite", "sa", "pw", kCorvinaCatalog, "/srv/db"), "Provider=SQLite" + tail + "Corvina_3;Data Source=/srv/db"},
        {sideConnectionString("Admin", "", "C:\\X\\LOCALITA.MDB"),
         "Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;User ID=Admin;Data Source='C:\\X\\LOCALITA.MDB'"},
        {sideConnectionString("Admin", "k", "/x/PW_e.MDB"),
         "Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;User ID=Admin;Password=k;Data Source='/x/PW_e.MDB'"},
        {maskConnectionPassword(systemConnectionString("SQLOLEDB.1", "sa", "s3gr3ta", "eSYS", "S")),
         "Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa;Password=********;Initial Catalog=eSYS;Data Source=S"},
        {maskConnectionPassword("Provider=SQLOLEDB.1;User ID='sa';Password='a b';Data Source='S';"),
         "Provider=SQLOLEDB.1;User ID='sa';Password=********;Data Source='S';"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.made, c.expected);
}

TEST(ConnectionStrings, ValuesThatWouldBreakTheStringAreQuotedAndReadBack)
{
    // Apostrophes, double quotes, semicolons and blanks at either end: each
    // password reaches the driver whole, and the log never shows any of it.
    for (const QString& password : {QString("p'a;ss\"w"), QString("a;b"), QString("it's"), QString("say \"hi\""),
                                   QString("  lead"), QString("trail "), QString("{brace}"), QString("plain"), QString("\tsegreta"),
                                   QString("segreta\n"), QString("\r\nsegreta\t")}) {
        for (const QString& user : {QString("sa"), QString("o'brien;x")}) {
            const QString text = systemConnectionString("SQLOLEDB.1", user, password, "eSYS", "SRV01");
            const auto spec = parseConnectionString(text);
            ASSERT_TRUE(spec) << text.toStdString();
            EXPECT_EQ(spec->password, password) << text.toStdString();
            EXPECT_EQ(spec->user, user) << text.toStdString();
            EXPECT_EQ(spec->catalog, "eSYS");
            EXPECT_EQ(spec->server, "SRV01");
            const QString masked = maskConnectionPassword(text);
            EXPECT_EQ(masked, systemConnectionString("SQLOLEDB.1", user, "", "eSYS", "SRV01").replace("Password=;", "Password=********;"))
                << masked.toStdString();
        }
    }
    EXPECT_EQ(connectionValue("p'a;ss\"w"), "\"p'a;ss\"\"w\"");
    EXPECT_EQ(connectionValue("a;b"), "\"a;b\"");
    EXPECT_EQ(connectionValue("say \"hi\""), "'say \"hi\"'");
}

TEST(ConnectionStrings, TranslateToTheDriversQtHas)
{
    const auto spec = parseConnectionString(dataConnectionString("SQLOLEDB", "sa", "p;w}", "Corvina_3", "SRV01\\ARDEA"));
    ASSERT_TRUE(spec);
    EXPECT_EQ(spec->engine, Engine::SqlServer);
    EXPECT_EQ(spec->server, "SRV01\\ARDEA");
    EXPECT_EQ(spec->password, "p;w}");
    EXPECT_EQ(spec->odbcConnectString("FreeTDS"),
              "DRIVER={FreeTDS};Server=SRV01\\ARDEA;Database=Corvina_3;UID=sa;PWD={p;w}}};"
              "TDS_Version=7.4;ClientCharset=UTF-8");

    const auto local = parseConnectionString(systemConnectionString("SQLOLEDB.1", "sa", "x", "eSYS", "(local),1433"));
    ASSERT_TRUE(local);
    // Microsoft's driver takes "host,port"; FreeTDS a port of its own and no "(local)".
    EXPECT_EQ(local->odbcConnectString("ODBC Driver 18 for SQL Server"),
              "DRIVER={ODBC Driver 18 for SQL Server};Server=(local),1433;Database=eSYS;UID=sa;PWD=x");
    EXPECT_EQ(local->odbcConnectString("FreeTDS"),
              "DRIVER={FreeTDS};Server=localhost;Port=1433;Database=eSYS;UID=sa;PWD=x;TDS_Version=7.4;ClientCharset=UTF-8");
    const auto named = parseConnectionString(systemConnectionString("SQLOLEDB.1", "sa", "x", "eSYS", "(local)"));
    EXPECT_TRUE(named->odbcConnectString("FreeTDS").startsWith("DRIVER={FreeTDS};Server=localhost;"));
    // A password with a leading blank keeps it on the way to the driver.
    const auto blank = parseConnectionString(systemConnectionString("SQLOLEDB.1", "sa", " pw", "eSYS", "S"));
    EXPECT_EQ(blank->odbcConnectString("FreeTDS").section(';', 4, 4), "PWD={ pw}");
    EXPECT_EQ(maskConnectionPassword(blank->odbcConnectString("FreeTDS")).section(';', 4, 4), "PWD=********");
    EXPECT_EQ(maskConnectionPassword(spec->odbcConnectString("FreeTDS")),
              "DRIVER={FreeTDS};Server=SRV01\\ARDEA;Database=Corvina_3;UID=sa;PWD=********;TDS_Version=7.4;ClientCharset=UTF-8");
    // The embedded engine: a file.
    const auto file = parseConnectionString(dataConnectionString("SQLite", "sa", "pw", "AR_DEMO", "/srv/db"));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->engine, Engine::Sqlite);
    EXPECT_EQ(file->file, "/srv/db/AR_DEMO.sqlite");
    const auto side = parseConnectionString(sideConnectionString("Admin", "", "/x/LOCALITA.MDB"));
    ASSERT_TRUE(side);
    EXPECT_EQ(side->engine, Engine::Sqlite);
    EXPECT_EQ(side->file, "/x/LOCALITA.sqlite");
    // An unknown provider or a missing server is refused.
    QString error;
    EXPECT_FALSE(parseConnectionString("Provider=MSDASQL;Data Source=x", &error));
    EXPECT_TRUE(error.contains("MSDASQL"));
    EXPECT_FALSE(parseConnectionString("Provider=SQLOLEDB.1;Initial Catalog=eSYS", &error));
}

TEST(Dialect, QuotesEveryLiteral)
{
    EXPECT_EQ(Dialect::quote("D'ANGELO"), "'D''ANGELO'");
    EXPECT_EQ(Dialect::quote("x' OR '1'='1"), "'x'' OR ''1''=''1'");
    EXPECT_EQ(Dialect::quoteIdentifier("a]b"), "[a]]b]");
}

} // namespace
