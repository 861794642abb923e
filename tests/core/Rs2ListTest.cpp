#include "listview/ListLines.h"
#include "listview/Rs2List.h"
#include "TestHome.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace corv;
using corv::test::ScriptedUi;
using corv::test::TestHome;

namespace {

class Rs2ListTest : public ::testing::Test {
protected:
    TestHome home{false};
    ScriptedUi ui;
    std::unique_ptr<AppContext> ctx = home.context(ui);
    QSqlDatabase db;

    void SetUp() override
    {
        home.writeFile("L.sqlite", "");
        ASSERT_TRUE(ctx->connections().open(Connections::Company, dataConnectionString("SQLite", "", "", "L", home.path())));
        db = ctx->connections().db(Connections::Company);
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("CREATE TABLE R (codice varchar(6), nome TEXT, importo DECIMAL(18,4), data DATETIME, giorno DATE)"));
        db.transaction();
        q.prepare("INSERT INTO R VALUES (?, ?, ?, ?, ?)");
        for (int i = 1; i <= 1500; ++i) {
            q.addBindValue(QString::number(i).rightJustified(6, '0'));
            q.addBindValue(i == 1 ? QString("Rossi Mario") : QString("Bianchi"));
            q.addBindValue(QString::number(i) + ".5000");
            q.addBindValue("2025-03-01 10:20:30");
            q.addBindValue("2025-03-01");
            ASSERT_TRUE(q.exec());
        }
        db.commit();
    }
};

TEST_F(Rs2ListTest, ManyRecordsAskHowManyToShow)
{
    ui.expectInput("Quanti ne visualizzo ? (Consiglio 500)", QString("500"));
    Rs2ListOptions options;
    options.title = "Prova";
    options.noHeader = true;
    const Rs2ListResult result = Rs2List(*ctx, db, "SELECT * FROM R ORDER BY codice", options);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(ui.inputDefaults.first(), "1500");
    EXPECT_EQ(result.lines.size(), 1 + 500); // the "=" line and the rows
    EXPECT_EQ(result.heading, "codice!nome       !importo       !data                !giorno    !");
    EXPECT_EQ(result.lines[1].toStdString(), "000001|Rossi Mario|        1,5000|01/03/2025 10:20:30 |01/03/2025");
    EXPECT_EQ(result.caption, "Lista Prova");
    // A closed connection is reported.
    QSqlDatabase closed;
    ui.expectMessage("Recorset Nullo !");
    EXPECT_FALSE(Rs2List(*ctx, closed, "SELECT 1", {"Prova"}).ok);
    EXPECT_EQ(ui.beeps, 1);
}

TEST_F(Rs2ListTest, SilentModeWritesEveryRecordToTheListFile)
{
    Rs2ListOptions options;
    options.title = "Elenco: clienti/fornitori";
    options.silent = true;
    const Rs2ListResult result = Rs2List(*ctx, db, "SELECT codice, importo FROM R", options);
    EXPECT_TRUE(ui.prompts.isEmpty());
    EXPECT_TRUE(result.lines.isEmpty()); // none kept in memory
    EXPECT_EQ(result.lineCount, 1500);
    EXPECT_EQ(result.fileWritten, home.file("Elenco._clienti-fornitori.DBP"));
    const QString text = home.readFile("Elenco._clienti-fornitori.DBP");
    EXPECT_EQ(text.count("\r\n"), 1500 + 11 + 2); // the rows, the header and a line a column
    EXPECT_TRUE(text.contains("1500 Record(s) nel Recordset.\r\n"));
    EXPECT_TRUE(text.contains("- SELECT CODICE, IMPORTO\r\n- FROM R\r\n"));
    EXPECT_TRUE(text.endsWith("001500|    1.500,5000\r\n")) << text.right(60).toStdString();
    EXPECT_TRUE(home.readFile("RS2LIST_Elenco: clienti_fornitori.LOG").startsWith("----- Rs2List -----  Elenco: clienti/fornitori"));
}

TEST_F(Rs2ListTest, AStopLeavesNoListAndNoFile)
{
    Rs2ListOptions options;
    options.title = "Interrotta";
    options.silent = true;
    ui.onProcessEvents = [this] { ctx->stop().request(); };
    const Rs2ListResult result = Rs2List(*ctx, db, "SELECT codice, importo FROM R", options);
    EXPECT_TRUE(result.stopped);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.fileWritten.isEmpty());
    EXPECT_FALSE(QFile::exists(home.file("Interrotta.DBP")));
}

// A line break inside a value shows as one character.
TEST_F(Rs2ListTest, OneFieldPerLine)
{
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec("UPDATE R SET nome = 'Rossi' || char(13) || char(10) || 'Mario' || char(13) || 'jr' WHERE codice = '000001'"));
    Rs2ListOptions options;
    options.noHeader = true;
    options.oneFieldPerLine = true;
    options.maxRecords = 1;
    const Rs2ListResult result = Rs2List(*ctx, db, "SELECT codice, nome FROM R ORDER BY codice", options);
    EXPECT_EQ(result.listName, "RS2LIST");
    EXPECT_EQ(result.lines.mid(1), (QStringList{QString("codice").leftJustified(25) + "|000001<",
                                                QString("nome").leftJustified(25) + "|Rossi" + QChar(127) + QChar(127) + "Mario" + QChar(127) + "jr<", "  Fine Record : ",
                                                QString(60, '=')}));
}

TEST_F(Rs2ListTest, ComputedColumnsTakeTheKindOfTheirValues)
{
    Rs2ListOptions options;
    options.noHeader = true;
    const Rs2ListResult result = Rs2List(*ctx, db, "SELECT COUNT(*) AS n, SUM(importo) AS totale, MAX(data) AS ultima, MAX(nome) AS nome FROM R", options);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.heading, "n         !totale              !ultima              !nome       !");
    EXPECT_EQ(result.lines.last().toStdString(), "     1.500|    1.126.500,000000|01/03/2025 10:20:30 |Rossi Mario");
    // Numbers no amount holds are written whole; huge text columns keep their width.
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec("CREATE TABLE G (grande INTEGER, enorme FLOAT, testo varchar(2147483647))"));
    ASSERT_TRUE(q.exec("INSERT INTO G VALUES (9223372036854775807, 1e300, 'note lunghe'), (-5, 2.5, 'x')"));
    const Rs2ListResult wide = Rs2List(*ctx, db, "SELECT * FROM G ORDER BY grande DESC", options);
    ASSERT_TRUE(wide.ok);
    EXPECT_EQ(wide.heading, "grande    !enorme              !testo      !");
    EXPECT_EQ(wide.lines[1].toStdString(), "9223372036854775807|              1e+300|note lunghe");
    EXPECT_EQ(wide.lines[2].toStdString(), "        -5|            2,500000|x          ");
}

TEST_F(Rs2ListTest, TheHeaderDocumentsTheConnectionTheStatementAndTheColumns)
{
    Rs2ListOptions options;
    options.title = "Documento";
    options.maxRecords = 2;
    options.presetSearch = "#Rossi";
    const Rs2ListResult result = Rs2List(*ctx, db, "SELECT codice, importo FROM R WHERE codice < '000003'", options);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.searchText, "Rossi");
    EXPECT_EQ(result.lines.mid(0, 5), (QStringList{"Provider=SQLite", "Persist Security Info=False", "User ID=", "Password=********",
                                                  "Initial Catalog=L"}));
    EXPECT_TRUE(result.lines.contains("- SELECT CODICE, IMPORTO"));
    EXPECT_TRUE(result.lines.contains("2 Record(s) nel Recordset."));
    // Defined size and precision as the engine declares them, and the first value.
    EXPECT_TRUE(result.lines.contains("  1 codice                    String * 6       6   0 >000001")) << result.lines.join('\n').toStdString();
    EXPECT_TRUE(result.lines.contains("  2 importo                   Single          18   4 >1.5"));
    const QString log = home.readFile("RS2LIST_Documento.LOG");
    EXPECT_TRUE(log.contains("- SELECT CODICE, IMPORTO\r\n- FROM R\r\n- WHERE CODICE < '000003'\r\n")) << log.toStdString();
    EXPECT_TRUE(log.contains(" - Password=********\r\n"));
}

TEST(ListLines, SearchWrapsAroundAndThinning)
{
    const QStringList lines = {"Rossi", "Bianchi", "Verdi", "rossini"};
    EXPECT_EQ(listlines::findNext(lines, 0, "ross"), 3);
    EXPECT_EQ(listlines::findNext(lines, 3, "ROSS"), 0); // wraps round to the top
    EXPECT_EQ(listlines::findNext(lines, 1, "nessuno"), -1);
    EXPECT_EQ(listlines::findNext(lines, 1, "  "), -1);
    EXPECT_EQ(listlines::keepMatching(lines, "ross"), (QStringList{"Rossi", "rossini"}));
    EXPECT_EQ(listlines::removeBefore(lines, 2), (QStringList{"Verdi", "rossini"}));
    EXPECT_EQ(listlines::removeAfter(lines, 1), (QStringList{"Rossi", "Bianchi"}));
    EXPECT_EQ(listlines::countText(1), "1 riga.");
    EXPECT_EQ(listlines::countText(3), "3 righe.");
    EXPECT_EQ(listlines::pipeView("codice!nome  !", "001|Rossi"),
              (QStringList{QString("codice").leftJustified(20) + "|001<", QString("nome").leftJustified(20) + "|Rossi<"}));
}

} // namespace

#include "listview/RowSpool.h"

namespace {

// The rows come back as they went in, whether they stayed in memory or went
// to the disk a buffer at a time.
TEST(RowSpool, RowsComeBackAsTheyWentInFromMemoryOrFromTheDisk)
{
    for (const std::size_t memory : {std::size_t(32) << 20, std::size_t(100)}) {
        RowSpool spool(memory);
        ASSERT_TRUE(spool.isOpen());
        std::vector<std::string> texts;
        for (int row = 0; row < 3000; ++row)
            texts.push_back(std::string(static_cast<std::size_t>(row % 700), 'a' + row % 26) + "è");
        for (int row = 0; row < 3000; ++row) {
            spool.add(SpooledCell{SpooledCell::Text, 0, 0, texts[static_cast<std::size_t>(row)]});
            spool.add(SpooledCell{SpooledCell::Integer, row * 1000003LL, 0, {}});
            spool.add(SpooledCell{row % 2 ? SpooledCell::Null : SpooledCell::Real, 0, row / 4.0, {}});
        }
        ASSERT_TRUE(spool.rewind());
        std::vector<SpooledCell> cells;
        int rows = 0;
        for (; spool.next(3, cells); ++rows) {
            ASSERT_EQ(cells[0].text, texts[static_cast<std::size_t>(rows)]) << memory << " " << rows;
            ASSERT_EQ(cells[1].integer, rows * 1000003LL);
            ASSERT_EQ(cells[2].kind, rows % 2 ? SpooledCell::Null : SpooledCell::Real);
            if (rows % 2 == 0) {
                ASSERT_EQ(cells[2].real, rows / 4.0);
            }
        }
        EXPECT_EQ(rows, 3000) << memory;
    }
}

} // namespace
