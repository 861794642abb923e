// The stock side of F_StLiq on the demo company: the candidates for
// obsolescence against an independent query, the filters, stamping and
// freeing articles and their variants, the stop between two articles, and
// the list price copied into the standard cost.
#include "DemoSession.h"
#include "maintenance/ArticleObsolescence.h"
#include "maintenance/SettlementRegister.h"

#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace corv;
using Answer = Ui::Answer;

namespace {

class ArticleObsolescenceTest : public corv::test::DemoSession {
protected:
    MaintenanceList list;
    ArticleObsolescence stock{*ctx, list};

    QStringList column(const QString& sql) const { return DemoSession::column(company(), sql); }
    QString value(const QString& sql) const
    {
        const QString first = column(sql).value(0);
        return first == "NULL" ? QString() : first;
    }
    ArticleSearch normal(const QString& cutOff = "01/01/2025") const
    {
        ArticleSearch s;
        s.cutOff = cutOff;
        return s;
    }
    QList<int> rowsOf(const QStringList& codes) const
    {
        QList<int> rows;
        for (const QString& code : codes)
            rows << static_cast<int>(list.keys.indexOf(code));
        return rows;
    }
};

TEST_F(ArticleObsolescenceTest, TheCandidatesAreTheArticlesWithNothingSinceTheCutOff)
{
    ASSERT_TRUE(stock.search(normal()));
    EXPECT_EQ(list.kind, MaintenanceList::Kind::Articles);
    const QStringList expected = column(
        "SELECT b.cod_art FROM MG_ARTBASE AS b WHERE b.dat_obsoleto IS NULL"
        " AND NOT EXISTS (SELECT 1 FROM MG_MOVMAGR AS m WHERE m.cod_art=b.cod_art AND m.dat_movimento>='2025-01-01 00:00:00')"
        " AND NOT EXISTS (SELECT 1 FROM OR_ORDINIR AS o WHERE o.cod_art=b.cod_art AND o.dat_doc>='2025-01-01 00:00:00')"
        " AND NOT EXISTS (SELECT 1 FROM PZ_PREZZICONTR AS c WHERE c.cod_art_base=b.cod_art OR c.cod_art=b.cod_art) ORDER BY b.cod_art");
    EXPECT_EQ(list.keys, expected);
    EXPECT_GT(expected.size(), 10);
    EXPECT_FALSE(list.keys.contains("ART00003")); // a movement on the cut-off date itself
    EXPECT_FALSE(list.keys.contains("ART00011")); // a contract price under its base code only
    EXPECT_FALSE(list.keys.contains("ART00007")); // an order of 2025
    EXPECT_FALSE(list.keys.contains("ART00017")); // obsolete already
    EXPECT_TRUE(list.keys.contains("ART00002"));  // never moved
    EXPECT_TRUE(list.keys.contains("ART00008"));  // an order of 2024 only
    const QString line = list.lines[list.keys.indexOf("ART00002")];
    EXPECT_TRUE(line.startsWith("ART00002            |Articolo 2 vario")) << line.toStdString();
    EXPECT_TRUE(line.endsWith("|O|C|"));
    EXPECT_EQ(ui.statuses.last(), QString("Termine ricerca Articoli Da Obsolescenza (%1)").arg(expected.size()));
}

TEST_F(ArticleObsolescenceTest, FiltersAndMatchModesBindWhatIsTyped)
{
    ArticleSearch s = normal();
    s.code = "ART0001";
    ASSERT_TRUE(stock.search(s));
    for (const QString& code : list.keys)
        EXPECT_TRUE(code.startsWith("ART0001")) << code.toStdString();
    EXPECT_FALSE(list.keys.isEmpty());
    s.matchMode = 4; // "Non Contiene ..."
    s.code = "ART";
    ASSERT_TRUE(stock.search(s));
    EXPECT_EQ(list.keys, (QStringList{"CAC-PH2", "CHI-INB-13", "MAR-500", "TAS-FIS-8", "VIT-M6-20", "VIT-M8-30"}));
    s.matchMode = 3; // wildcards typed are plain characters
    s.code = "%";
    ASSERT_TRUE(stock.search(s));
    EXPECT_TRUE(list.keys.isEmpty());
    s = normal();
    s.code = "ART00002";
    s.matchMode = 2;
    s.description = "vario'";
    ASSERT_TRUE(stock.search(s));
    EXPECT_TRUE(list.keys.isEmpty());
    s.description = "vario";
    ASSERT_TRUE(stock.search(s));
    EXPECT_EQ(list.keys, QStringList{"ART00002"});
    s = normal();
    s.group = "FER";
    s.subgroup = "02";
    s.line = "PRO";
    ASSERT_TRUE(stock.search(s));
    ASSERT_FALSE(list.keys.isEmpty());
    EXPECT_EQ(column("SELECT COUNT(*) FROM MG_ARTBASE WHERE cod_art IN ('" + list.keys.join("','") +
                     "') AND (cod_grumerc<>'FER' OR cod_sgrumerc<>'02' OR cod_linea<>'PRO')"),
              QStringList{"0"});
}

TEST_F(ArticleObsolescenceTest, StampedWithTheVariantsThenFreedByTheModeOfTheSearch)
{
    ASSERT_TRUE(stock.search(normal()));
    ASSERT_TRUE(list.keys.contains("ART00004"));
    ui.expectMessage("Confermi Obsolescenza Articoli al 01/01/2025 ?", Answer::Yes).expectMessage("Terminato assegnazione Data Obsoleto !");
    EXPECT_EQ(stock.apply(rowsOf({"ART00004", "ART00002"}), "01/01/2025"), 2);
    EXPECT_EQ(value("SELECT dat_obsoleto || '/' || cod_utente_mod FROM MG_ARTBASE WHERE cod_art='ART00004'"), "2025-01-01 00:00:00/adme");
    EXPECT_EQ(column("SELECT dat_obsoleto FROM MG_ARTICOLI WHERE cod_art='ART00004' ORDER BY prg_art"),
              (QStringList{"2025-01-01 00:00:00", "2025-01-01 00:00:00"}));
    EXPECT_TRUE(value("SELECT dat_obsoleto FROM MG_ARTBASE WHERE cod_art='ART00005'").isEmpty());

    // The obsolete ones, freed: the list's mode decides, whatever the date field says.
    ArticleSearch s;
    s.alreadyObsolete = true;
    s.cutOff = "__/__/____";
    ASSERT_TRUE(stock.search(s));
    EXPECT_EQ(list.kind, MaintenanceList::Kind::ObsoleteArticles);
    EXPECT_TRUE(list.lines[list.keys.indexOf("ART00004")].endsWith(" | | |"));
    EXPECT_TRUE(list.keys.contains("ART00017"));
    ui.expectMessage("Confermi Rimozione Obsolescenza Articoli ?", Answer::Yes).expectMessage("Terminata rimozione");
    EXPECT_EQ(stock.apply(rowsOf({"ART00004"}), "31/12/2030"), 1);
    EXPECT_EQ(column("SELECT COUNT(*) FROM MG_ARTICOLI WHERE cod_art='ART00004' AND dat_obsoleto IS NULL"), QStringList{"2"});
    EXPECT_TRUE(value("SELECT dat_obsoleto FROM MG_ARTBASE WHERE cod_art='ART00004'").isEmpty());
    EXPECT_EQ(value("SELECT dat_obsoleto FROM MG_ARTBASE WHERE cod_art='ART00002'"), "2025-01-01 00:00:00");
    // An article gone since the search is skipped.
    ASSERT_TRUE(stock.search(normal()));
    exec(company(), "DELETE FROM MG_ARTBASE WHERE cod_art='ART00002'");
    ui.expectMessage("Confermi Obsolescenza Articoli al 01/01/2025 ?", Answer::Yes).expectMessage("Terminato assegnazione Data Obsoleto !");
    EXPECT_EQ(stock.apply(rowsOf({"ART00002", "ART00004"}), "01/01/2025"), 1);
    EXPECT_EQ(value("SELECT dat_obsoleto FROM MG_ARTBASE WHERE cod_art='ART00004'"), "2025-01-01 00:00:00");
}

TEST_F(ArticleObsolescenceTest, RefusedDatesWrongListsAndNoSelectionChangeNothing)
{
    ASSERT_TRUE(stock.search(normal()));
    ui.expectMessage("Data di riferimento non valida");
    EXPECT_FALSE(stock.search(normal("__/__/____")));
    EXPECT_TRUE(list.lines.isEmpty()); // no stale lines
    ASSERT_TRUE(stock.search(normal()));
    ui.expectMessage("Data di riferimento non valida : 31/02/2025");
    EXPECT_EQ(stock.apply({0}, "31/02/2025"), 0);
    ui.expectMessage("Nessun Articolo Selezionato !!");
    EXPECT_EQ(stock.apply({}, "01/01/2025"), 0);
    // Settlement lines are never taken as articles.
    SettlementRegister reg(*ctx, list);
    ASSERT_TRUE(reg.refresh());
    ui.expectMessage("Nessun Articolo in Elenco !");
    EXPECT_EQ(stock.apply({0, 1}, "01/01/2025"), 0);
    EXPECT_EQ(column("SELECT COUNT(*) FROM MG_ARTBASE WHERE cod_utente_mod='adme'"), QStringList{"0"});
}

TEST_F(ArticleObsolescenceTest, AStopBetweenTwoArticlesAsksAndEndsTheSearch)
{
    // Stop pressed while the first article is looked at: Yes ends the search there.
    ui.onProcessEvents = [&] { ctx->stop().request(); };
    ui.expectMessage("Interruzione Ricerca ??", Answer::Yes);
    EXPECT_FALSE(stock.search(normal()));
    EXPECT_LE(list.keys.size(), 1);
    // No goes on to the end.
    ui.expectMessage("Interruzione Ricerca ??", Answer::No);
    EXPECT_TRUE(stock.search(normal()));
    EXPECT_GT(list.keys.size(), 10);
}

TEST_F(ArticleObsolescenceTest, TheDiscountedListPriceBecomesTheStandardCostRoundedToTheCurrency)
{
    EXPECT_EQ(ArticleObsolescence::discountedCost("100", "35", 2), "65.00");
    EXPECT_EQ(ArticleObsolescence::discountedCost("10.38", "35", 3), "6.747");
    EXPECT_EQ(ArticleObsolescence::discountedCost("10.01", "35", 2), "6.51"); // 6.5065
    EXPECT_EQ(ArticleObsolescence::discountedCost("10.01", "12.5", 0), "9");
    // Rounded once: 22,24 less 12,345% is 19,494472, never 19,4945 then 19,495.
    EXPECT_EQ(ArticleObsolescence::discountedCost("22.24", "12.345", 3), "19.494");
    EXPECT_EQ(ArticleObsolescence::discountedCost("22.24", "12.345", 4), "19.4945");
    EXPECT_EQ(ArticleObsolescence::parseDiscount("12,5"), std::optional<QString>("12.5000"));
    EXPECT_EQ(ArticleObsolescence::parseDiscount("100"), std::optional<QString>("100.0000"));
    EXPECT_FALSE(ArticleObsolescence::parseDiscount("101"));
    EXPECT_FALSE(ArticleObsolescence::parseDiscount("-5"));
    EXPECT_FALSE(ArticleObsolescence::parseDiscount("5; DROP TABLE MG_ARTBASE"));
    EXPECT_EQ(stock.priceLists(), (QStringList{"L1", "L2"}));

    ui.expectInput("Selezione Costo da Travasare", QString("1"))
        .expectInput("Sconto % : ", QString("35"))
        .expectList("PrezziIvent", [](const QStringList&) { return std::nullopt; })
        .expectMessage("Confermi travaso Prezzi su Costo Standard ?", Answer::Yes)
        .expectMessage("FINE Travaso Prezzi su Costo STD\r\nArticoli aggiornati : 29\r\nSenza prezzo di listino (costo invariato) : 1");
    const QString before = value("SELECT val_costo_std FROM MG_ARTBASE WHERE cod_art='ART00002'");
    EXPECT_EQ(stock.transferCosts("L2"), 29);
    // ART00004 lists at 9/10 of 10.38 + ...: the cost is the list price less 35%, to 3 decimals.
    const QString listPrice = value("SELECT prz_listino FROM PZ_PREZZIBASE WHERE cod_listino='L2' AND cod_art='ART00004'");
    EXPECT_EQ(value("SELECT val_costo_std FROM MG_ARTBASE WHERE cod_art='ART00004'").toDouble(),
              ArticleObsolescence::discountedCost(listPrice, "35", 3).toDouble());
    EXPECT_EQ(value("SELECT val_costo_std FROM MG_ARTBASE WHERE cod_art='ART00002'"), before); // Null price: unchanged
    EXPECT_EQ(ctx->corvSettings().read("Inventari", "TipoCosto"), "1");
    EXPECT_EQ(ctx->corvSettings().read("Inventari", "ScontoStd"), "35");
    // A wrong type or discount, or a cancelled prompt, stores nothing.
    const QString costs = column("SELECT group_concat(val_costo_std) FROM MG_ARTBASE").value(0);
    ui.expectInput("Selezione Costo da Travasare", QString("7")).expectMessage("Tipo NON Valido !!");
    EXPECT_EQ(stock.transferCosts("L1"), 0);
    EXPECT_EQ(ui.beeps, 1);
    ui.expectInput("Selezione Costo da Travasare", QString("1")).expectInput("Sconto % : ", QString("abc")).expectMessage("Sconto NON Valido");
    EXPECT_EQ(stock.transferCosts("L1"), 0);
    ui.expectInput("Selezione Costo da Travasare", QString("1")).expectInput("Sconto % : ", std::nullopt);
    EXPECT_EQ(stock.transferCosts("L1"), 0);
    EXPECT_EQ(ctx->corvSettings().read("Inventari", "ScontoStd"), "35"); // as it was
    ui.expectInput("Selezione Costo da Travasare", QString("1"));
    EXPECT_EQ(stock.transferCosts(""), 0); // no price list: a beep
    EXPECT_EQ(ui.beeps, 2);
    ui.expectInput("Selezione Costo da Travasare", QString("1")).expectInput("Sconto % : ", QString("10")).expectList("PrezziIvent", [](const QStringList&) {
        return std::nullopt;
    }).expectMessage("Confermi travaso", Answer::No);
    EXPECT_EQ(stock.transferCosts("L1"), 0);
    EXPECT_EQ(column("SELECT group_concat(val_costo_std) FROM MG_ARTBASE").value(0), costs);
}

} // namespace
