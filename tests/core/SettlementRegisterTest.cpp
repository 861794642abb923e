// The settlement register of F_StLiq on the demo company: whole lines for a
// monthly, a quarterly, a no-purchases, a purchases-only and a no-lines
// period, the further periods, the adjustments from 2017; the state change
// and what it leaves alone.
#include "DemoSession.h"
#include "maintenance/SettlementRegister.h"
#include "maintenance/ArticleObsolescence.h"
#include "maintenance/VatTotalsByYear.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace corv;
using Answer = Ui::Answer;

namespace {

class SettlementRegisterTest : public corv::test::DemoSession {
protected:
    MaintenanceList list;
    SettlementRegister reg{*ctx, list};

    // The taxable total of a register over months of a year, from the journal rows.
    QString registerSum(int year, int firstMonth, int lastMonth, const QString& where)
    {
        QSqlQuery q(company());
        q.prepare("SELECT SUM(val_imponibile) FROM CG_PRINOTAR_IVA WHERE CAST(substr(dat_comp_iva, 1, 4) AS INTEGER)=?"
                  " AND CAST(substr(dat_comp_iva, 6, 2) AS INTEGER) BETWEEN ? AND ? AND " + where);
        q.addBindValue(year);
        q.addBindValue(firstMonth);
        q.addBindValue(lastMonth);
        EXPECT_TRUE(q.exec() && q.next());
        return q.value(0).isNull() ? "--,--" : Amount::fromVariant(q.value(0))->toText(2);
    }
    QString lineOf(const QString& yearAndPeriod) const
    {
        for (const QString& line : list.lines) {
            if (line.startsWith(yearAndPeriod))
                return line;
        }
        return {};
    }
    QString state(int year, const QString& type, const QString& period) const
    {
        QSqlQuery q(company());
        q.prepare("SELECT ind_stato_liq FROM CG_LIQUIDT_RIEP WHERE num_anno=? AND ind_tipo_periodo=? AND ind_periodo=?");
        q.addBindValue(year);
        q.addBindValue(type);
        q.addBindValue(period);
        return q.exec() && q.next() ? q.value(0).toString() : QString();
    }
};

QString col(const QString& amount) { return amount.rightJustified(12) + "|"; }

TEST_F(SettlementRegisterTest, EachRegisterInItsOwnColumnThenTheBalance)
{
    exec(company(), "INSERT INTO CG_LIQUIDT_RIEP VALUES (2024, 'T', '3', 'P', 500, 0, 0, 0, '', ''), (2024, 'T', '13', 'P', 7, 0, 0, 0, '', ''),"
                    " (2016, 'M', '05', 'D', 100, 1, 2, 3, 'x', 'y')");
    ASSERT_TRUE(reg.refresh());
    EXPECT_EQ(list.kind, MaintenanceList::Kind::Settlements);
    EXPECT_EQ(SettlementRegister::heading(), "Anno|P.|Stato        |Tipo|      Totale|     Vendita|    Corrisp.|    Acquisto|       Saldo|"
                                             "       Split|   Rett.Deb.|  Rett.Cred.|Des.Debito                    |Des.Credito                   |");
    // Newest first, periods as numbers.
    EXPECT_TRUE(list.lines.first().startsWith("2026|02|"));
    EXPECT_TRUE(list.lines.last().startsWith("2016|05|")) << list.lines.last().toStdString();
    EXPECT_LT(list.lines.indexOf(lineOf("2024|13|")), list.lines.indexOf(lineOf("2024|12|")));

    // March 2025, monthly, with its adjustments.
    const QString v = registerSum(2025, 3, 3, "cod_reg_iva='V'"), c = registerSum(2025, 3, 3, "cod_reg_iva='C'"),
                  a = registerSum(2025, 3, 3, "cod_reg_iva='A'");
    const Amount balance = *Amount::parse(QString(v).remove('.')) - *Amount::parse(QString(c).remove('.')) - *Amount::parse(QString(a).remove('.'));
    EXPECT_EQ(lineOf("2025|03|"), "2025|03|Definitiva   |M   |" + col("1.411,21") + col(v) + col(c) + col(a) + col(balance.toText(2)) + col("120,50")
                                      + col("10,00") + col("2,25") + QString("Rettifica fornitore").leftJustified(30) + "|"
                                      + QString("Nota anticipata").leftJustified(30) + "|");
    // December 2025: no purchases (their VAT fell in January).
    const QString december = lineOf("2025|12|");
    EXPECT_EQ(december.section('|', 7, 7).trimmed(), "--,--");
    EXPECT_EQ(december.section('|', 5, 5).trimmed(), registerSum(2025, 12, 12, "cod_reg_iva='V'"));
    // January 2026: purchases only; February 2026: no journal lines.
    EXPECT_EQ(lineOf("2026|01|"), "2026|01|Provvisoria  |M   |" + col("-2.500,00") + col("--,--") + col("--,--")
                                      + col(registerSum(2026, 1, 1, "cod_reg_iva='A'")) + col("-" + registerSum(2026, 1, 1, "cod_reg_iva='A'"))
                                      + col("0,00") + col("0,00") + col("0,00") + QString(30, ' ') + "|" + QString(30, ' ') + "|");
    EXPECT_EQ(lineOf("2026|02|").left(92), "2026|02|Provvisoria  |M   |" + col("0,00") + col("--,--") + col("--,--") + col("--,--") + col("0,00"));
    // The third quarter of 2024 sums July to September; period 13 has no register totals.
    EXPECT_EQ(lineOf("2024| 3|").section('|', 5, 7), registerSum(2024, 7, 9, "cod_reg_iva='V'").rightJustified(12) + "|"
                                                        + registerSum(2024, 7, 9, "cod_reg_iva='C'").rightJustified(12) + "|"
                                                        + registerSum(2024, 7, 9, "cod_reg_iva='A'").rightJustified(12));
    EXPECT_EQ(lineOf("2024|13|").section('|', 5, 8), "       --,--|       --,--|       --,--|        0,00");
    // Before 2017 there are no adjustment columns: the line ends at the balance.
    EXPECT_EQ(lineOf("2016|05|"), "2016|05|Definitiva   |M   |" + col("100,00") + col("--,--") + col("--,--") + col("--,--") + col("0,00"));
    EXPECT_EQ(lineOf("2024|03|").count('|'), 14);
    EXPECT_TRUE(lineOf("2024|03|").contains("|Stampata     |"));
    // To the viewer with its title and heading.
    const QString path = reg.listToViewer("DEMO - Ferramenta Rossi");
    ASSERT_FALSE(path.isEmpty());
    const QStringList lines = home.lines(QFileInfo(path).fileName());
    EXPECT_EQ(lines[0], "DEMO - Ferramenta Rossi : Elenco Liquidazioni IVA");
    EXPECT_EQ(lines[1], SettlementRegister::heading());
    EXPECT_EQ(lines.mid(2, list.lines.size()), list.lines);
}

TEST_F(SettlementRegisterTest, TheStateChangeTouchesOnlyTheChosenSettlementsAsTheyWereRead)
{
    // A quarterly and a monthly settlement of the same number in one year.
    exec(company(), "INSERT INTO CG_LIQUIDT_RIEP VALUES (2024, 'T', '03', 'D', 500, 0, 0, 0, '', '')");
    ASSERT_TRUE(reg.refresh());
    const auto row = [&](const char* yearAndPeriod) { return static_cast<int>(list.lines.indexOf(lineOf(yearAndPeriod))); };
    const int january2026 = row("2026|01|"), february2026 = row("2026|02|"), march2025 = row("2025|03|");
    // Refused: nothing changes.
    ui.expectMessage("Confermi impostazione a 'Definitiva'\r\ndelle Liquidazioni Selezionate ??", Answer::No);
    EXPECT_EQ(reg.setState({january2026}, "Definitiva"), 0);
    EXPECT_EQ(state(2026, "M", "01"), "P");
    // January, read as provisional, printed meanwhile by someone else: left and
    // said. March is definitive already: only February changes.
    exec(company(), "UPDATE CG_LIQUIDT_RIEP SET ind_stato_liq='S' WHERE num_anno=2026 AND ind_tipo_periodo='M' AND ind_periodo='01'");
    ui.expectMessage("Confermi impostazione a 'Definitiva'", Answer::Yes)
        .expectMessage("Liquidazioni modificate da un altro utente dopo la lettura, lasciate come sono :\r\n01/2026");
    EXPECT_EQ(reg.setState({january2026, february2026, march2025}, "Definitiva"), 1);
    EXPECT_EQ(state(2026, "M", "01"), "S");
    EXPECT_EQ(state(2026, "M", "02"), "D");
    EXPECT_EQ(state(2025, "M", "03"), "D");
    EXPECT_TRUE(lineOf("2026|02|").contains("|Definitiva   |"));
    // Of two settlements of one number, only the chosen one.
    int quarterly = -1;
    for (int i = 0; i < reg.settlements().size(); ++i) {
        if (reg.settlements()[i].periodType == "T")
            quarterly = i;
    }
    ASSERT_GE(quarterly, 0);
    ui.expectMessage("Confermi impostazione a 'Provvisoria'", Answer::Yes);
    EXPECT_EQ(reg.setState({quarterly}, "Provvisoria"), 1);
    EXPECT_EQ(state(2024, "T", "03"), "P");
    EXPECT_EQ(state(2024, "M", "03"), "S");
    // Back from definitive is allowed; a settlement gone since the refresh is skipped.
    exec(company(), "DELETE FROM CG_LIQUIDT_RIEP WHERE num_anno=2026 AND ind_periodo='02'");
    ui.expectMessage("Confermi impostazione a 'Stampata'", Answer::Yes);
    EXPECT_EQ(reg.setState({february2026, march2025}, "Stampata"), 1);
    EXPECT_EQ(state(2025, "M", "03"), "S");
    EXPECT_TRUE(lineOf("2026|02|").isEmpty());
    // No selection, an empty list, a list of articles, an unknown state.
    ui.expectMessage("Nessuna Liquidazione Selezionata !!");
    EXPECT_EQ(reg.setState({}, "Provvisoria"), 0);
    EXPECT_EQ(reg.setState({0}, "Xyz"), 0);
    list.clear(MaintenanceList::Kind::Articles);
    list.lines << "ART00001|Articolo|N|";
    ui.expectMessage("Nessuna Liquidazione in elenco !!");
    EXPECT_EQ(reg.setState({0}, "Provvisoria"), 0);
}

// A read that fails after some rows have come (a dropped connection, a
// damaged page): the maintenance commands never take the rows read for the
// whole and say so.
class ReadFailureTest : public corv::test::DemoSession {
protected:
    // The table becomes a view that walks the rows in the order of `ordered`
    // (so that rows come before the failure) and fails with an overflow at
    // the first row where `failing` holds.
    static void failMidway(const QSqlDatabase& db, const QString& table, const QString& ordered, const QString& failing)
    {
        const QString rows = table + "_rows"; // "failing_rows" in `failing`
        exec(db, "ALTER TABLE " + table + " RENAME TO " + rows);
        exec(db, "CREATE INDEX " + table + "_order ON " + rows + "(" + ordered + ")");
        exec(db, "CREATE VIEW " + table + " AS SELECT * FROM " + rows + " WHERE CASE WHEN " + QString(failing).replace("failing_rows", rows)
                     + " THEN abs(-9223372036854775808) ELSE 1 END");
    }
};

TEST_F(ReadFailureTest, NoListIsShownInPart)
{
    MaintenanceList list;
    SettlementRegister reg(*ctx, list);
    VatTotalsByYear totals(*ctx);
    ArticleObsolescence stock(*ctx, list);
    ArticleSearch search;
    search.cutOff = "01/01/2025";
    const struct {
        const char* table;
        const char* ordered;
        const char* failing;
        const char* said;
        std::function<bool()> read;
        std::function<bool()> empty;
    } reads[] = {
        {"CG_LIQUIDT_RIEP", "num_anno, ind_periodo", "num_anno < (SELECT MAX(num_anno) FROM failing_rows)", "Errore nella lettura delle liquidazioni",
         [&] { return reg.refresh(); }, [&] { return list.lines.isEmpty(); }},
        {"CG_SALDI_IVA", "num_anno", "num_anno < (SELECT MAX(num_anno) FROM failing_rows)", "Errore nella lettura dei saldi IVA",
         [&] { return totals.readYears(); }, [&] { return totals.years().isEmpty(); }},
        {"MG_ARTBASE", "cod_art", "cod_art > 'ART00025'", "Errore nella lettura degli articoli", [&] { return stock.search(search); },
         [&] { return list.lines.isEmpty(); }},
    };
    for (const auto& r : reads) {
        ASSERT_TRUE(r.read()) << r.table; // rows there before the failure
        ASSERT_FALSE(r.empty()) << r.table;
        failMidway(company(), r.table, r.ordered, r.failing);
        ui.expectMessage(QString(r.said) + " :\r\ninteger overflow");
        EXPECT_FALSE(r.read()) << r.table;
        EXPECT_TRUE(r.empty()) << r.table;
    }
}

} // namespace
