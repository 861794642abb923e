#include "demo/DemoInstallation.h"
#include "TestHome.h"

#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

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

} // namespace
