#include "forms/FiscalCodeWorkbench.h"
#include "taxcode/TaxCodeChecks.h"
#include "taxcode/TownDatabase.h"
#include "TestHome.h"

#include <QProcess>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include "db/ScopedConnection.h"

using namespace corv;
using corv::test::ScriptedUi;
using corv::test::TestHome;
using Answer = Ui::Answer;

namespace {

// The workbench on the demo installation, its town files and database.
class WorkbenchTest : public ::testing::Test {
protected:
    TestHome home;
    ScriptedUi ui;
    std::unique_ptr<AppContext> ctx = home.context(ui);
    FiscalCodeWorkbench bench{*ctx};

    void person(const char* surname, const char* name, const char* sex, const char* date, const char* town)
    {
        bench.setSurname(surname);
        bench.setName(name);
        bench.setSex(sex);
        bench.setBirthDate(date);
        bench.setTownCode(town);
    }
    QString dump()
    {
        ScopedConnection c("dump");
        EXPECT_TRUE(c.openSqliteFile(home.file("LOCALITA.sqlite")));
        QSqlQuery q(c.db());
        q.exec("SELECT * FROM Localita ORDER BY cod_localita");
        QStringList rows;
        while (q.next()) {
            QStringList values;
            for (int i = 0; i < 8; ++i)
                values << (q.value(i).isNull() ? "NULL" : q.value(i).toString());
            rows << values.join('|');
        }
        return rows.join('\n');
    }
};

TEST_F(WorkbenchTest, ComposesTheCodeAndItsCheckCharacter)
{
    person("Rossi", "Mario", "M", "01/01/1980", "H501");
    EXPECT_EQ(bench.fields().composed, "RSSMRA80A01H501U");
    EXPECT_EQ(bench.fields().checkChar, "U");
    // A woman born on the 5th: only the sex changes the day and the check character.
    person("Bianchi", "Anna", "M", "05/03/1975", "F205");
    const QString man = bench.fields().composed;
    bench.setSex("F");
    const QString woman = bench.fields().composed;
    EXPECT_EQ(bench.fields().dateGroup, "75C45");
    EXPECT_EQ(woman.mid(9, 2), "45");
    EXPECT_EQ(man.mid(9, 2), "05");
    EXPECT_NE(woman.right(1), man.right(1));
    // A homocode (the town number's last digit replaced by its letter): the
    // check character of those 15 characters makes a valid code.
    person("Rossi", "Mario", "M", "01/01/1980", "H50M");
    EXPECT_EQ(bench.fields().composed.left(15), "RSSMRA80A01H50M");
    EXPECT_EQ(utl::CheckFiscalCode(QStringView(bench.fields().composed)), 0);
    EXPECT_NE(bench.fields().composed, "RSSMRA80A01H501U");
    person("Bianchi", "Anna", "F", "05/03/1975", "F205");
    // Fewer than 15 characters: the partial code, the check character as it was.
    bench.setTownCode("F2");
    EXPECT_EQ(bench.fields().composed, "BNCNNA75C45F2" + bench.fields().checkChar);
    EXPECT_EQ(bench.fields().checkChar, woman.right(1));
    // Copied, written as a sheet, cleared.
    person("Rossi", "Mario", "M", "01/01/1980", "H501");
    bench.lookUpTown();
    bench.setOriginal("RSSMRA80A01H501U");
    ui.expectMessage("Confermi Copia Originale su prova ?", Answer::Yes);
    bench.copyOriginal();
    EXPECT_EQ(bench.fields().test, "RSSMRA80A01H501U");
    const QString path = bench.writeSheet();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()).split("\r\n"),
              (QStringList{"**********************", "*** Codice Fiscale ***", "**********************", "Cognome             : Rossi",
                           "Nome                : Mario", "Sesso               : M", "Data di Nascita     : 01/01/1980",
                           QString::fromUtf8("Località di nascita : ROMA"), QString::fromUtf8("Codice località     : H501"),
                           "Codice Fiscale      : RSSMRA80A01H501U", "Codice Fiscale      : RSS MRA 80A01 H501U", ""}));
    ASSERT_EQ(ui.opened.size(), 1);
    ui.expectMessage("Confermi pulizia dati ?", Answer::No);
    bench.clear();
    EXPECT_EQ(bench.fields().surname, "Rossi");
    ui.expectMessage("Confermi pulizia dati ?", Answer::Yes);
    bench.clear();
    EXPECT_TRUE(bench.fields().surname.isEmpty());
    EXPECT_EQ(bench.fields().birthDate, "__/__/____");
    // Birth data read back from the group.
    // Typed with no birth date: read at once. Day 41 is a woman born on the 1st.
    bench.setDateGroup("80A41");
    EXPECT_EQ(bench.fields().birthDate, "01/01/1980");
    EXPECT_EQ(bench.fields().sex, "F");
    // With a date there, the reading asks first.
    ui.expectMessage("Sostituisco data di nascita ?", Answer::No);
    bench.readBirthData();
    EXPECT_EQ(bench.fields().birthDate, "01/01/1980");
    bench.setBirthDate("");
    bench.setSex("F");
    bench.setDateGroup("80B15");
    EXPECT_EQ(bench.fields().birthDate, "15/02/1980");
    EXPECT_EQ(bench.fields().sex, "M"); // the sex the group holds, not the one chosen before
    ui.expectMessage("Sostituisco data di nascita ?", Answer::Yes);
    bench.readBirthData();
    EXPECT_EQ(bench.fields().birthDate, "15/02/1980");
    // Positions 7-11 are read as digits and letters as they stand.
    ui.expectMessage("Struttura Codice ERRATA !!");
    bench.setBirthDate("");
    bench.setDateGroup("80A4M");
    EXPECT_EQ(bench.fields().birthDate, "__/__/____");
}

TEST_F(WorkbenchTest, TownsByCodeAndBySearch)
{
    bench.setTownCode("H501");
    bench.lookUpTown();
    EXPECT_EQ(bench.fields().townName, "ROMA");
    // Two towns hold the partial code: the list viewer offers them.
    bench.setTownCode("B41");
    ui.expectList("Localita", [](const QStringList& lines) { return std::optional<QString>(lines.last()); });
    bench.lookUpTown();
    EXPECT_EQ(bench.fields().townCode, "B419");
    EXPECT_EQ(bench.fields().townName, "CALLIANO");
    bench.setTownCode("B41");
    ui.expectList("Localita", [](const QStringList&) { return std::nullopt; });
    bench.lookUpTown();
    EXPECT_TRUE(bench.fields().townName.isEmpty());
    // The search by a part of the name, apostrophe included.
    bench.setTownFind("L'AQ");
    ui.expectList("RICERCA_Località", [](const QStringList& lines) { return std::optional<QString>(lines.last()); });
    bench.searchTown();
    EXPECT_EQ(bench.fields().townCode, "A345");
    EXPECT_EQ(bench.fields().townName, "L'AQUILA");
    bench.setTownFind("XYZ");
    ui.expectMessage("<XYZ>\r\nNESSUNA Località trovata !!");
    bench.searchTown();
    // "%" and "_" typed are plain characters, not every town.
    for (const char* wildcard : {"%", "_", "A_", "\\"}) {
        bench.setTownFind(wildcard);
        ui.expectMessage(QString("<%1>\r\nNESSUNA Località trovata !!").arg(wildcard));
        bench.searchTown();
    }
    EXPECT_TRUE(towns::find(*ctx, "%", true).isEmpty());
    // A town code without a town: the previous name does not stay.
    bench.setTownCode("H501");
    bench.lookUpTown();
    ASSERT_EQ(bench.fields().townName, "ROMA");
    bench.setTownCode("Z998");
    bench.lookUpTown();
    EXPECT_TRUE(bench.fields().townName.isEmpty());
    QFile::remove(home.file("LOCALITA.sqlite"));
    ui.expectMessage("DB : 'LOCALITA.MDB' NON Esistente !!");
    bench.searchTown();
}

TEST_F(WorkbenchTest, TheRebuildTakesWhatAwkCountsAndTwiceIsTheSame)
{
    const QString before = dump();
    ui.expectMessage("Confermi rilettura File Località ?", Answer::Yes);
    bench.rebuildTowns();
    EXPECT_EQ(ui.statuses.last(), "Termine Lettura LOCALITA.TXT");
    EXPECT_EQ(dump(), before);
    QProcess awk;
    awk.start("awk", {"-F|", R"($1 ~ /[^ _\r]/ { n++ } END { print n })", home.file("LOCALITA.TXT")});
    ASSERT_TRUE(awk.waitForFinished(20000));
    EXPECT_EQ(QString::number(dump().count('\n') + 1), QString::fromUtf8(awk.readAllStandardOutput()).trimmed());
    EXPECT_TRUE(home.logLines().contains("Manca corrispondenza Nazione : ATLANTIDE=XA"));
    EXPECT_TRUE(dump().contains(QString::fromUtf8("D704|47121|FORLÌ|FC|S|")));
}

TEST_F(WorkbenchTest, ARebuildWithoutItsFilesOrUnreadableChangesNothing)
{
    const QString before = dump();
    QFile::remove(home.file("NAZIONI.TXT"));
    ui.expectMessage("Confermi rilettura File Località ?", Answer::Yes).expectMessage("File 'NAZIONI.TXT' NON Esistente !!");
    bench.rebuildTowns();
    EXPECT_EQ(dump(), before);
    // A town file that cannot be read: a failure, the towns as they were.
    ASSERT_TRUE(QFile::rename(home.file("LOCALITA.TXT"), home.file("LOCALITA.BAK")));
    ASSERT_TRUE(QDir(home.path()).mkdir("LOCALITA.TXT"));
    home.writeFile("NAZIONI.TXT", "");
    ui.expectMessage("Confermi rilettura File Località ?", Answer::Yes).expectMessage("Impossibile leggere il file 'LOCALITA.TXT'");
    bench.rebuildTowns();
    EXPECT_FALSE(ui.statuses.contains("Termine Lettura LOCALITA.TXT"));
    EXPECT_EQ(dump(), before);
    ASSERT_TRUE(QDir(home.path()).rmdir("LOCALITA.TXT"));
    // Lines without a key are skipped.
    home.writeFile("LOCALITA.TXT", "|x|x|00000|SENZA CODICE|XX|N\r\nZ999|||||\r\n");
    const towns::RebuildResult result = towns::rebuild(*ctx);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.towns, 1);
    EXPECT_EQ(result.skipped, 1);
}

} // namespace
