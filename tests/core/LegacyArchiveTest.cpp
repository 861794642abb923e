#include "console/ConsoleCommands.h"
#include "legacy/ExportDatabase.h"
#include "legacy/LegacyTotals.h"
#include "db/ScopedConnection.h"
#include "db/SideDatabase.h"
#include "TestHome.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace corv;
using corv::test::ScriptedUi;
using corv::test::TestHome;
using Answer = Ui::Answer;

namespace {

// A record of `count` fields with the given ones set.
QByteArray record(std::initializer_list<std::pair<int, const char*>> set, int count)
{
    QList<QByteArray> fields(count);
    for (const auto& [position, value] : set)
        fields[position - 1] = value;
    return fields.join('|');
}

// An export folder written for each test: company 001 with every file, 002 with its company record only.
class LegacyArchiveTest : public ::testing::Test {
protected:
    TestHome home{false};
    ScriptedUi ui;
    std::unique_ptr<AppContext> ctx = home.context(ui);
    ConsoleState state;
    QString folder = home.file("nembo");

    void SetUp() override
    {
        QDir(home.path()).mkdir("nembo");
        write("TR001AZI", {"001|Ferramenta Rossi"});
        write("TR002AZI", {"002|Altra"});
        write("TR001civ", {record({{1, "22"}, {2, "IVA 22%"}, {3, "22,00"}, {29, "1"}, {30, "1"}, {32, "S"}}, 32),
                           record({{1, "10"}, {2, "IVA 10%"}, {3, "10"}, {29, "1"}, {30, "2"}, {32, "N"}}, 32),
                           "", // a blank line
                           record({{1, "E15"}, {2, "Esente art.15 molto lunga davvero"}, {3, "n.d."}}, 5)}); // short, rate no number
        write("TR001CAC", {record({{1, "FV"}, {2, "Fattura vendita"}, {13, "A"}, {14, "1"}, {15, "B"}}, 15),
                           record({{1, "GIR"}, {2, "Giroconto"}, {14, "0"}}, 15), record({{1, "PAG"}, {2, "Pagamento"}}, 15)});
        write("TR001CLI", {record({{1, "123"}, {3, "Bianchi Mario"}, {6, "01234567897"}, {7, "BNCMRA80A01H501U"}, {12, "IT"}, {13, "P"},
                                   {31, "1"}, {151, "S"}, {157, "N"}, {131, "H501"}},
                                  157),
                           QByteArray("42|x|Caff\xe8 Centrale|"), // Windows-1252, a short line
                           ""});
        write("TR001FOR", {record({{1, "42"}, {3, "Fornitore Quarantadue"}, {6, "09876543217"}}, 157)});
        write("TR001LCO", {"Liquidazione 01/2024 | 1.234,00", "", "Liquidazione 02/2024 | -50,00"});
        // The journal: kinds 1, 2 and 3; a credit note; a code missing from the lists; 42 both customer and supplier.
        write("TR001PRN", {prn("1", "1", "123", "22", "100,00", "22,00", "10/01/2024"), prn("2", "1", "123", "22", "-20,00", "-4,40", "12/01/2024"),
                           prn("3", "1", "123", "22", "999,00", "219,78", "13/01/2024"), prn("1", "2", "42", "10", "50,00", "5,00", "14/01/2024"),
                           prn("1", "1", "42", "22", "10,00", "2,20", "15/01/2024"), prn("1", "1", "7", "22", "1,00", "0,22", "16/01/2025")});
        state.nemboFolder = folder;
        state.nemboCompanies = legacy::exportCompanies(folder);
        state.nemboRow = 0;
    }

    static QByteArray prn(const char* kind, const char* type, const char* code, const char* vat, const char* taxable, const char* tax, const char* date)
    {
        return record({{2, "17"}, {4, date}, {8, kind}, {18, tax}, {19, taxable}, {20, vat}, {23, type}, {24, code}}, 30);
    }
    void write(const QString& name, const QList<QByteArray>& lines) { home.writeFile("nembo/" + name, lines.join("\r\n") + "\r\n"); }

    CommandResult run(const char* name) { return runConsoleCommand(*ctx, state, *findConsoleCommand(name)); }
    QStringList reportLines(const QString& name) const { return home.lines(QFileInfo(ctx->paths().dataFile(name)).fileName()); }
};

TEST_F(LegacyArchiveTest, ReferenceListsInTheShapeOfTheOtherSourcesThenTheTotals)
{
    ui.expectMessage("C.Iva: 10   Ind_Com3000 <> Ind_Iva  :  1 <> 2");
    ASSERT_EQ(run("Cmd_NbLeggi").outcome, CommandResult::Outcome::Done);
    const ReferenceLists& lists = state.lists[ConsoleState::NemboTab];
    EXPECT_EQ(lists.vatCodes, (QStringList{"22 |IVA 22%             | 22.00|1|1|S|", "10 |IVA 10%             | 10.00|1|2|N|",
                                           "E15|Esente art.15 molto |      | | | |"}));
    EXPECT_EQ(lists.reasons, QStringList{"FV |Fattura vendita     |A|1|B|"});
    ASSERT_EQ(lists.subjects.size(), 3);
    EXPECT_EQ(lists.subjects[0], "   123C|" + QString("Bianchi Mario").leftJustified(35) + "|P|01234567897     |BNCMRA80A01H501U|1  |S|IT |"
                                     + QString(20, ' ') + "|" + QString(20, ' ') + "|" + QString(25, ' ') + "| | |" + QString(20, ' ')
                                     + "| | | |   | |N|H501|");
    // A Windows-1252 name, and a line with fewer fields than the positions read.
    EXPECT_TRUE(lists.subjects[1].startsWith(QString::fromUtf8("    42C|Caffè Centrale")));
    EXPECT_TRUE(lists.subjects[2].startsWith("    42F|Fornitore Quarantadue"));
    // Then the journal totals, per customer then supplier.
    state.sorted = QStringList{"di un comando precedente"};
    ASSERT_EQ(run("Cmd_NbPrimaNota").outcome, CommandResult::Outcome::Done);
    const QString dashes(79, '-'), equals(79, '=');
    EXPECT_EQ(reportLines("PN_nb_001.LOG"),
              (QStringList{"*****  Inizio PN_Nb_001  *****", "Cli / For                             | Imponibile  |    IVA    |    Totale   |", dashes,
                           // The code missing from the lists has no name; kind 3 is left out.
                           "000007C-                              |         1,00|       0,22|         1,22|",
                           "000042C-" + QString::fromUtf8("Caffè Centrale") + "                |        10,00|       2,20|        12,20|",
                           "000123C-Bianchi Mario                 |        80,00|      17,60|        97,60|", dashes,
                           "                                               91,00|      20,02|       111,02|", equals,
                           "000042F-Fornitore Quarantadue         |        50,00|       5,00|        55,00|", dashes,
                           "                                               50,00|       5,00|        55,00|", equals}));
    EXPECT_EQ(ui.statuses.last(), "Completata Generazione Totali.");
    EXPECT_TRUE(state.sorted.isEmpty()); // summed, not listed
}

// The journal totals need the lists and the file; the settlements file is
// shown as it is, or a beep.
TEST_F(LegacyArchiveTest, JournalTotalsNeedTheListsAndTheFileTheSettlementsAFile)
{
    ASSERT_EQ(run("Cmd_NbLiquidazioni").outcome, CommandResult::Outcome::Done);
    EXPECT_EQ(state.results.lines.toStringList(), (QStringList{"Liquidazione 01/2024 | 1.234,00", "", "Liquidazione 02/2024 | -50,00"}));
    ui.expectMessage("MANCANO DATI TABELLE ! Leggere prima i Dati !!");
    EXPECT_EQ(run("Cmd_NbPrimaNota").outcome, CommandResult::Outcome::Declined);
    state.lists[ConsoleState::NemboTab] = {{"x"}, {"x"}, {"x"}};
    state.nemboRow = 1;
    ui.expectMessage("Manca file PRIMA NOTA !!");
    EXPECT_EQ(run("Cmd_NbPrimaNota").outcome, CommandResult::Outcome::Declined);
    EXPECT_TRUE(reportLines("PN_nb_002.LOG").isEmpty());
    EXPECT_EQ(run("Cmd_NbLiquidazioni").outcome, CommandResult::Outcome::Declined);
    EXPECT_EQ(ui.beeps, 1);
}

TEST_F(LegacyArchiveTest, ACodeOfSevenDigitsIsNeverMergedWithItsFirstSix)
{
    // 1234567 and 123456 are two customers in the totals and in the comparison;
    // 0000123 and 123 are one.
    write("TR001PRN", {prn("1", "1", "1234567", "22", "10,00", "2,20", "10/01/2024"), prn("1", "1", "123456", "22", "1,00", "0,22", "11/01/2024"),
                       prn("1", "1", "0000123", "22", "5,00", "1,10", "12/01/2024"), prn("1", "1", "123", "22", "5,00", "1,10", "13/01/2024")});
    ui.expectMessage("C.Iva: 10");
    run("Cmd_NbLeggi");
    ASSERT_EQ(run("Cmd_NbPrimaNota").outcome, CommandResult::Outcome::Done);
    const QStringList lines = reportLines("PN_nb_001.LOG");
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines[3], "000123C-Bianchi Mario                 |        10,00|       2,20|        12,20|");
    EXPECT_EQ(lines[4], "123456C-                              |         1,00|       0,22|         1,22|");
    EXPECT_EQ(lines[5], "1234567C-                              |        10,00|       2,20|        12,20|");
    SourceTotals totals{"Nembo", {}, {}};
    ASSERT_TRUE(legacy::sumJournal(folder, "001", QDate(2024, 1, 1), QDate(2024, 12, 31), totals));
    EXPECT_EQ(totals.keys.size(), 3u);
    EXPECT_EQ(totals.keys["C1234567"].taxable, *Amount::parse("10"));
    EXPECT_EQ(totals.keys["C123456"].taxable, *Amount::parse("1"));
    EXPECT_EQ(totals.keys["C000123"].taxable, *Amount::parse("10"));
    // An amount that is no number is reported, not counted as zero.
    {
        write("TR001PRN", {prn("1", "1", "123", "22", "100,00", "22,00", "10/01/2024"), prn("1", "1", "123", "22", "1.000,00", "abc", "10/01/2024")});
        ui.expectMessage("C.Iva: 10");
        run("Cmd_NbLeggi");
        const CommandResult result = run("Cmd_NbPrimaNota");
        EXPECT_EQ(result.findings, 2);
        const QStringList lines = reportLines("PN_nb_001.LOG");
        ASSERT_GE(lines.size(), 3);
        EXPECT_EQ(lines.mid(lines.size() - 3),
                  (QStringList{"*** Importi NON numerici, esclusi dai totali :", "*** Riga 2 : Imponibile NON numerico \"1.000,00\" (000123C) - non sommato",
                               "*** Riga 2 : IVA NON numerico \"abc\" (000123C) - non sommato"}));
        EXPECT_TRUE(lines.contains("000123C-Bianchi Mario                 |       100,00|      22,00|       122,00|"));
    }
}

TEST_F(LegacyArchiveTest, AStopOrAJournalThatCannotBeOpenedKeepsTheLastReport)
{
    ui.expectMessage("C.Iva: 10");
    run("Cmd_NbLeggi");
    ASSERT_EQ(run("Cmd_NbPrimaNota").outcome, CommandResult::Outcome::Done);
    const QStringList before = reportLines("PN_nb_001.LOG");
    ASSERT_GT(before.size(), 3);
    // A stop while the journal is read.
    write("TR001PRN", {prn("1", "1", "999", "22", "1,00", "0,22", "10/01/2024"), prn("1", "1", "998", "22", "2,00", "0,44", "10/01/2024")});
    ui.onProcessEvents = [this] { ctx->stop().request(); };
    EXPECT_EQ(run("Cmd_NbPrimaNota").outcome, CommandResult::Outcome::Stopped);
    EXPECT_EQ(reportLines("PN_nb_001.LOG"), before);
    EXPECT_EQ(ui.statuses.last(), "Generazione Totali interrotta.");
    ui.onProcessEvents = nullptr;
    // A folder where the journal was.
    QFile::remove(folder + "/TR001PRN");
    ASSERT_TRUE(QDir(folder).mkdir("TR001PRN"));
    ui.statuses.clear();
    ui.expectMessage("Impossibile leggere il file PRIMA NOTA :");
    EXPECT_EQ(run("Cmd_NbPrimaNota").outcome, CommandResult::Outcome::Failed);
    EXPECT_EQ(reportLines("PN_nb_001.LOG"), before);
    EXPECT_FALSE(ui.statuses.contains("Completata Generazione Totali."));
    // The comparison says so too, rather than a column of nothing.
    SourceTotals totals{"Nembo", {}, {}};
    QString failure;
    EXPECT_FALSE(legacy::sumJournal(folder, "001", QDate(2024, 1, 1), QDate(2024, 12, 31), totals, nullptr, &failure));
    EXPECT_TRUE(failure.startsWith("Impossibile leggere il file PRIMA NOTA Nembo")) << failure.toStdString();
}

TEST_F(LegacyArchiveTest, JournalSumsOfAPeriodForTheComparison)
{
    SourceTotals totals{"Nembo", {}, {}};
    int rows = 0;
    ASSERT_TRUE(legacy::sumJournal(folder, "001", QDate(2024, 1, 1), QDate(2024, 12, 31), totals, &rows));
    EXPECT_EQ(rows, 4);
    ASSERT_EQ(totals.keys.size(), 3u);
    EXPECT_EQ(totals.keys["C000123"].taxable, *Amount::parse("80"));
    EXPECT_EQ(totals.keys["C000123"].name, "Bianchi Mario");
    EXPECT_EQ(totals.keys["F000042"].vat, *Amount::parse("5"));
    EXPECT_FALSE(legacy::sumJournal(folder, "002", QDate(2024, 1, 1), QDate(2024, 12, 31), totals));
    // The last day of the period is in it, whatever the date's spelling; the next one is not.
    write("TR001PRN", {prn("1", "1", "123", "22", "1,00", "0,22", "31/12/2024"), prn("1", "1", "123", "22", "2,00", "0,44", "01/01/2025"),
                       prn("1", "1", "123", "22", "4,00", "0,88", "20241231")});
    SourceTotals lastDay{"Nembo", {}, {}};
    ASSERT_TRUE(legacy::sumJournal(folder, "001", QDate(2024, 1, 1), QDate(2024, 12, 31), lastDay, &rows));
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(lastDay.keys["C000123"].taxable, *Amount::parse("5"));
}

TEST_F(LegacyArchiveTest, ExportDatabaseMadeAnewAfterTheConfirmation)
{
    const QString path = legacy::exportDatabasePath(folder);
    EXPECT_EQ(path, folder + "/NB_Corvina.sqlite");
    // No: an existing database stays as it is.
    home.writeFile("nembo/NB_Corvina.sqlite", "vecchio");
    ui.expectMessage("Confermi Generazione/Aggiornamento MDB con Dati di Nembo ?", Answer::No);
    const ConsoleCommand right = consolecommands::rightClickOf(*findConsoleCommand("Cmd_NbPrimaNota"));
    EXPECT_EQ(runConsoleCommand(*ctx, state, right).outcome, CommandResult::Outcome::Declined);
    EXPECT_EQ(home.readFile("nembo/NB_Corvina.sqlite"), "vecchio");
    // Yes: made anew with its TABIVA, the journal files of the old one removed.
    home.writeFile("nembo/NB_Corvina.sqlite-wal", "x");
    ui.expectMessage("Confermi Generazione/Aggiornamento MDB", Answer::Yes);
    ASSERT_EQ(runConsoleCommand(*ctx, state, right).outcome, CommandResult::Outcome::Done);
    EXPECT_FALSE(QFile::exists(path + "-wal"));
    {
        ScopedConnection connection("prova");
        ASSERT_TRUE(openSideDatabase(connection, path));
        QSqlQuery columns(connection.db());
        ASSERT_TRUE(columns.exec("SELECT name FROM pragma_table_info('TABIVA')"));
        QStringList names;
        while (columns.next())
            names << columns.value(0).toString();
        EXPECT_EQ(names.size(), 32);
        EXPECT_EQ(names.first(), "cod_iva");
        EXPECT_EQ(names.last(), "ind_com3000");
    }
    EXPECT_TRUE(reportLines("UpdTDB.LOG").first().contains(" - Creo Tabella TABIVA ("));
    // A second ensure changes nothing and logs nothing.
    ASSERT_TRUE(legacy::ensureVatCodeTable(path, ctx->paths().dataFile("UpdTDB.LOG")));
    EXPECT_EQ(reportLines("UpdTDB.LOG").size(), 1);
    // A folder gone since it was chosen (one without write permission says the
    // same; the tests may run as a user who writes anywhere).
    state.nemboFolder = home.file("nembo/sparita");
    const int beeps = ui.beeps;
    ui.expectMessage("Percorso NON Scrivibile !!");
    EXPECT_EQ(runConsoleCommand(*ctx, state, right).outcome, CommandResult::Outcome::Declined);
    EXPECT_EQ(ui.beeps, beeps + 1);
    EXPECT_FALSE(QFile::exists(home.file("nembo/sparita/NB_Corvina.sqlite")));
}

} // namespace

#include "DemoSession.h"

#include <QProcess>

namespace {

using LegacyDemoTest = corv::test::DemoSession;

// The demo's journal file totalled by awk on its own, key by key: the report's
// total lines carry the same sums.
TEST_F(LegacyDemoTest, TheReportsTotalsAreWhatAwkSumsFromTheFile)
{
    state.nemboFolder = home.file("nembo");
    state.nemboCompanies = legacy::exportCompanies(state.nemboFolder);
    state.nemboRow = 0;
    ui.expectMessage("C.Iva: 22   Ind_Com3000 <> Ind_Iva  :  1 <> 2");
    ASSERT_EQ(run("Cmd_NbLeggi").outcome, CommandResult::Outcome::Done);
    ASSERT_EQ(run("Cmd_NbPrimaNota").outcome, CommandResult::Outcome::Done);

    QProcess awk;
    awk.start("awk", {"-F|", R"(($8 > "0" && $8 < "3") {
        key = sprintf("%06d%s", $24, ($23 == "1") ? "C" : "F"); t = $19; v = $18; gsub(",", ".", t); gsub(",", ".", v);
        taxable[key] += t; vat[key] += v }
        END { for (k in taxable) printf "%s %.2f %.2f\n", k, taxable[k], vat[k] })",
                      home.file("nembo/TR001PRN")});
    ASSERT_TRUE(awk.waitForFinished(30000));
    ASSERT_EQ(awk.exitCode(), 0) << awk.readAllStandardError().toStdString();
    std::map<QString, std::pair<QString, QString>> expected;
    for (const QString& line : QString::fromUtf8(awk.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split(' ');
        expected[f[0]] = {QString(f[1]).replace('.', ','), QString(f[2]).replace('.', ',')};
    }
    QFile file(ctx->paths().dataFile("PN_nb_001.LOG"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::map<QString, std::pair<QString, QString>> reported;
    for (const QString& line : QString::fromUtf8(file.readAll()).split("\r\n")) {
        if (line.size() < 8 || line[7] != '-' || !line[0].isDigit())
            continue;
        const QStringList f = line.split('|');
        reported[line.left(7)] = {QString(f[1]).remove('.').trimmed(), QString(f[2]).remove('.').trimmed()};
    }
    EXPECT_GT(reported.size(), 100u);
    EXPECT_EQ(reported, expected);
}

} // namespace

namespace {

TEST(ExportReader, LinesAcrossItsBlocksBlankLinesAndNoFinalLineEnd)
{
    corv::test::TestHome home(false);
    QByteArray bytes = "a|1\r\n\r\n   \r\n";
    const QByteArray longLine = "b|" + QByteArray(1500000, 'x') + "|fine";
    bytes += longLine + "\n";
    bytes += QByteArray(1048576 - 7, 'y') + "\r\nz|\xe0|ultima"; // a line end across the first block, a last line without one
    home.writeFile("TR001PRN", bytes);
    legacy::ExportReader reader(home.file("TR001PRN"));
    legacy::ExportRecord record;
    QList<QByteArray> lines;
    QList<qint64> numbers;
    while (reader.next(record)) {
        lines << record.line();
        numbers << reader.lineNumber();
    }
    EXPECT_FALSE(reader.failed());
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "a|1");
    EXPECT_EQ(lines[1], longLine);
    EXPECT_EQ(lines[2].size(), 1048576 - 7);
    EXPECT_EQ(numbers, (QList<qint64>{1, 4, 5, 6}));
    EXPECT_EQ(record.field(2), QString::fromUtf8("à"));
    EXPECT_EQ(record.field(3), "ultima");
    EXPECT_EQ(record.field(9), "");
    EXPECT_FALSE(record.isAscii());
    EXPECT_FALSE(legacy::ExportReader(home.file("manca")).isOpen());
}

TEST(ExportReader, AmountsOfTheExportFiles)
{
    EXPECT_EQ(legacy::journalAmount("1234,56"), Amount::parse("1234.56"));
    EXPECT_EQ(legacy::journalAmount(" -0,5 "), Amount::parse("-0.50"));
    EXPECT_EQ(legacy::journalAmount(""), Amount());
    EXPECT_EQ(legacy::journalAmount("12,34567"), Amount::parse("12.3457"));
    EXPECT_FALSE(legacy::journalAmount("1.234,56"));
    EXPECT_FALSE(legacy::journalAmount("abc"));
    EXPECT_FALSE(legacy::journalAmount("-"));
    EXPECT_FALSE(legacy::journalAmount("123456789012345"));
}

} // namespace
