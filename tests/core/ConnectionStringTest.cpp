#include "db/ConnectionString.h"

#include <gtest/gtest.h>

using namespace corv;

namespace {

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
