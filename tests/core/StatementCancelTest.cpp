// A stop given on the window's thread cancels an ODBC statement that a worker
// thread is reading, through the ODBC driver manager (here with the SQLite
// ODBC driver in place of SQL Server's).
#include "db/RowReader.h"
#include "db/RunningStatements.h"
#include "TestHome.h"

#include <QSqlError>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

using namespace corv;
using corv::test::TestHome;

namespace {

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
