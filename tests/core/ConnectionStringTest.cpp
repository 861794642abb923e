#include "db/ConnectionString.h"
#include "db/Dialect.h"

#include <gtest/gtest.h>

using namespace corv;

namespace {

TEST(ConnectionStrings, SystemCatalogsTakeTheProviderAsItIs)
{
    EXPECT_EQ(systemConnectionString("SQLOLEDB.1", "sa", "pw", "eSYS", "SRV01\\ARDEA"),
              "Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa;Password=pw;Initial Catalog=eSYS;"
              "Data Source=SRV01\\ARDEA");
}

TEST(ConnectionStrings, CompanyAndCommonAppendDotOneToTheInstallationProvider)
{
    EXPECT_EQ(companyConnectionString("", "sa", "pw", "AR_DEMO", "SRV01"),
              "Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa;Password=pw;Initial Catalog=AR_DEMO;"
              "Data Source=SRV01");
    EXPECT_EQ(companyConnectionString("SQLNCLI11", "u", "p", "AR_COMUNE", "S"),
              "Provider=SQLNCLI11.1;Persist Security Info=False;User ID=u;Password=p;Initial Catalog=AR_COMUNE;"
              "Data Source=S");
}

TEST(ConnectionStrings, WorkingConnectionsNameSqloledbUnlessTheInstallationIsEmbedded)
{
    EXPECT_EQ(dataConnectionString("SQLNCLI11", "sa", "pw", kCorvinaCatalog, "SRV01"),
              "Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa;Password=pw;Initial Catalog=Corvina_3;"
              "Data Source=SRV01");
    EXPECT_EQ(dataConnectionString("SQLite", "sa", "pw", kCorvinaCatalog, "/srv/db"),
              "Provider=SQLite;Persist Security Info=False;User ID=sa;Password=pw;Initial Catalog=Corvina_3;"
              "Data Source=/srv/db");
}

TEST(ConnectionStrings, QuotedStringAddsTheCatalogOnlyWhenGiven)
{
    EXPECT_EQ(quotedConnectionString("", "pw", "sa", "SRV01"),
              "Provider=SQLOLEDB.1;Persist Security Info=False;User ID='sa';Password='pw';Data Source='SRV01';");
    EXPECT_EQ(quotedConnectionString("Corvina_3", "pw", "sa", "SRV01"),
              "Provider=SQLOLEDB.1;Persist Security Info=False;User ID='sa';Password='pw';Data Source='SRV01';"
              "Initial Catalog='Corvina_3';");
}

TEST(ConnectionStrings, SideDatabaseStringNamesThePasswordOnlyWhenSet)
{
    EXPECT_EQ(sideConnectionString("Admin", "", "C:\\X\\LOCALITA.MDB"),
              "Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;User ID=Admin;"
              "Data Source='C:\\X\\LOCALITA.MDB'");
    EXPECT_EQ(sideConnectionString("Admin", "k", "/x/PW_e.MDB"),
              "Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;User ID=Admin;Password=k;"
              "Data Source='/x/PW_e.MDB'");
}

TEST(ConnectionStrings, TranslateToTheEmbeddedEngine)
{
    const auto spec = parseConnectionString(dataConnectionString("SQLite", "sa", "pw", "AR_DEMO", "/srv/db"));
    ASSERT_TRUE(spec);
    EXPECT_EQ(spec->engine, Engine::Sqlite);
    EXPECT_EQ(spec->file, "/srv/db/AR_DEMO.sqlite");

    const auto side = parseConnectionString(sideConnectionString("Admin", "", "/x/LOCALITA.MDB"));
    ASSERT_TRUE(side);
    EXPECT_EQ(side->engine, Engine::Sqlite);
    EXPECT_EQ(side->file, "/x/LOCALITA.sqlite");
}

TEST(ConnectionStrings, TranslateToSqlServerThroughFreeTds)
{
    const auto spec = parseConnectionString(quotedConnectionString("Corvina_3", "p;w}", "sa", "SRV01\\ARDEA"));
    ASSERT_TRUE(spec);
    EXPECT_EQ(spec->engine, Engine::SqlServer);
    EXPECT_EQ(spec->server, "SRV01\\ARDEA");
    EXPECT_EQ(spec->password, "p;w}");
    EXPECT_EQ(spec->odbcConnectString("FreeTDS"),
              "DRIVER={FreeTDS};Server=SRV01\\ARDEA;Database=Corvina_3;UID=sa;PWD={p;w}}};"
              "TDS_Version=7.4;ClientCharset=UTF-8");

    const auto local = parseConnectionString(systemConnectionString("SQLOLEDB.1", "sa", "x", "eSYS", "(local),1433"));
    ASSERT_TRUE(local);
    EXPECT_EQ(local->odbcConnectString("ODBC Driver 18 for SQL Server"),
              "DRIVER={ODBC Driver 18 for SQL Server};Server=(local);Port=1433;Database=eSYS;UID=sa;PWD=x");
    const auto named = parseConnectionString(systemConnectionString("SQLOLEDB.1", "sa", "x", "eSYS", "(local)"));
    EXPECT_TRUE(named->odbcConnectString("FreeTDS").startsWith("DRIVER={FreeTDS};Server=localhost;"));
}

TEST(ConnectionStrings, UnknownProviderOrMissingServerIsRefused)
{
    QString error;
    EXPECT_FALSE(parseConnectionString("Provider=MSDASQL;Data Source=x", &error));
    EXPECT_TRUE(error.contains("MSDASQL"));
    EXPECT_FALSE(parseConnectionString("Provider=SQLOLEDB.1;Initial Catalog=eSYS", &error));
}

TEST(ConnectionStrings, PasswordsAreMaskedForTheLog)
{
    EXPECT_EQ(maskConnectionPassword(systemConnectionString("SQLOLEDB.1", "sa", "s3gr3ta", "eSYS", "S")),
              "Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa;Password=********;Initial Catalog=eSYS;"
              "Data Source=S");
    EXPECT_EQ(maskConnectionPassword(quotedConnectionString("", "a b", "sa", "S")),
              "Provider=SQLOLEDB.1;Persist Security Info=False;User ID='sa';Password=********;Data Source='S';");
}

TEST(Dialect, QuotesEveryLiteral)
{
    EXPECT_EQ(Dialect::quote("D'ANGELO"), "'D''ANGELO'");
    EXPECT_EQ(Dialect::quote("x' OR '1'='1"), "'x'' OR ''1''=''1'");
    EXPECT_EQ(Dialect::quoteIdentifier("a]b"), "[a]]b]");
}

TEST(Dialect, TopAndDatesPerEngine)
{
    const QString body = "* FROM TS_VERSIONE ORDER BY num_versione DESC";
    EXPECT_EQ(Dialect::of(Engine::SqlServer).selectTop(1, body),
              "SELECT TOP 1 * FROM TS_VERSIONE ORDER BY num_versione DESC");
    EXPECT_EQ(Dialect::of(Engine::Sqlite).selectTop(1, body),
              "SELECT * FROM TS_VERSIONE ORDER BY num_versione DESC LIMIT 1");
    EXPECT_EQ(Dialect::of(Engine::SqlServer).dateLiteral(QDate(2024, 2, 29)), "'20240229'");
    EXPECT_EQ(Dialect::of(Engine::Sqlite).dateLiteral(QDate(2024, 2, 29)), "'2024-02-29 00:00:00'");
    EXPECT_EQ(Dialect::of(Engine::SqlServer).isNull("a.x", "''"), "ISNULL(a.x, '')");
    EXPECT_EQ(Dialect::of(Engine::Sqlite).isNull("a.x", "''"), "COALESCE(a.x, '')");
    EXPECT_EQ(Dialect::of(Engine::SqlServer).concat({"a", "b"}), "a + b");
    EXPECT_EQ(Dialect::of(Engine::SqlServer).objectExistsQuery("X2K_ViewRel"),
              "SELECT * FROM sysobjects WHERE ID = Object_id('X2K_ViewRel')");
    EXPECT_EQ(Dialect::of(Engine::Sqlite).concat({"a", "b"}), "a || b");
}

} // namespace
