#include "demo/DemoInstallation.h"
#include "TestHome.h"
#include "db/RowReader.h"
#include "db/RunningStatements.h"

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
}

TEST(Connections, TwoContextsKeepTheirOwnConnections)
{
    TestHome home;
    Connections first, second;
    ASSERT_TRUE(first.open(Connections::ESys, sqliteString(home.file("db"), "eSYS")));
    ASSERT_TRUE(second.open(Connections::ESys, sqliteString(home.file("db"), "Corvina_3")));
    first.closeAll();
    EXPECT_TRUE(second.isOpen(Connections::ESys));
    EXPECT_FALSE(first.isOpen(Connections::ESys));
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
}

TEST(DemoInstallation, TextKeysIgnoreCaseLikeSqlServer)
{
    TestHome home;
    Connections connections;
    ASSERT_TRUE(connections.open(Connections::ESys, sqliteString(home.file("db"), "eSYS")));
    QSqlQuery query(connections.db(Connections::ESys));
    ASSERT_TRUE(query.exec("SELECT des_database FROM TS_AZIENDE WHERE cod_azienda = 'demo'"));
    ASSERT_TRUE(query.next());
    EXPECT_EQ(query.value(0).toString(), "AR_DEMO");
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

} // namespace
