// The program's flows run on the SQL Server path over the demo installation:
// its provider is switched to SQL Server's, and every statement the program
// sends goes through a recording driver (which runs it on the demo's SQLite
// files so that each flow goes on). The statements are checked here for what
// SQL Server would refuse or misread, and written to the build folder for the
// T-SQL parser of tools/tsql-check.
#include "RecordingDriver.h"
#include "TestHome.h"
#include "ardea/CompanyOpening.h"
#include "backup/CorvinaBackup.h"
#include "console/ConsoleCommands.h"
#include "forms/FlagLists.h"
#include "console/ConsoleOpening.h"
#include "journal/ReferenceTables.h"
#include "journal/VatListings.h"
#include "listview/Rs2List.h"
#include "maintenance/ArticleObsolescence.h"
#include "maintenance/SettlementRegister.h"
#include "maintenance/VatDataCodes.h"
#include "maintenance/VatLineListing.h"
#include "maintenance/VatTotalsByYear.h"
#include "console/BatchUi.h"
#include "session/Session.h"
#include "report/ViewerChoice.h"
#include "taxcode/GeneralCheck.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace corv;
using corv::test::RecordedStatement;
using corv::test::RecordingDriver;
using corv::test::TestHome;

namespace {

// Every question takes its default answer, the changes confirmed (the flows
// must send their updates); lists are answered with their first row.
class FlowUi : public BatchUi {
public:
    FlowUi() { setConfirmChanges(true); }
    QStringList said;
    Answer message(const QString& text, const QString& title, Icon icon, Buttons buttons, Answer defaultAnswer) override
    {
        said << text;
        return BatchUi::message(text, title, icon, buttons, defaultAnswer);
    }
    void processEvents() override {}
    bool openInViewer(const QString&, const QString&) override { return true; }
    // The last period of the settlements to make definitive.
    std::optional<QString> input(const QString& prompt, const QString&, const QString& defaultText) override
    {
        return prompt.startsWith(QLatin1String("Periodo finale")) ? QStringLiteral("062025") : defaultText;
    }
    QString showList(const Rs2ListResult& list) override { return list.lines.size() > 1 ? list.lines.at(1) : QString(); }
};

// The statement's text outside its string literals, and its literals.
struct Scanned {
    QString code;
    QStringList literals;
    bool doubleQuoted = false;
};

Scanned scan(const QString& sql)
{
    Scanned s;
    qsizetype done = 0;
    for (auto literals = corv::test::sqlLiteral().globalMatch(sql); literals.hasNext();) {
        const auto m = literals.next();
        s.code += sql.mid(done, m.capturedStart() - done) + QStringLiteral(" '' ");
        s.literals << m.captured(2);
        done = m.capturedEnd();
    }
    s.code += sql.mid(done);
    s.doubleQuoted = s.code.contains(QLatin1Char('"'));
    return s;
}

// What SQL Server would refuse or read otherwise than SQLite: empty when none.
QStringList problemsOf(const RecordedStatement& statement)
{
    QStringList problems;
    const Scanned s = scan(statement.sql);
    const QString upper = s.code.toUpper();
    static const std::pair<const char*, const char*> sqliteOnly[] = {
        {"\\bLIMIT\\b", "LIMIT"},         {"\\|\\|", "||"},
        {"\\bIFNULL\\s*\\(", "ifnull"},    {"\\bSTRFTIME\\s*\\(", "strftime"},
        {"\\bCOLLATE\\s+NOCASE\\b", "COLLATE NOCASE"}, {"\\bINSERT\\s+OR\\s+REPLACE\\b", "INSERT OR REPLACE"},
        {"\\bAUTOINCREMENT\\b", "AUTOINCREMENT"},      {"\\b(TRUE|FALSE)\\b", "TRUE/FALSE"},
        {"\\bSQLITE_MASTER\\b", "sqlite_master"}};
    for (const auto& [pattern, name] : sqliteOnly) {
        if (QRegularExpression(QLatin1String(pattern)).match(upper).hasMatch())
            problems << QStringLiteral("costrutto di SQLite: %1").arg(QLatin1String(name));
    }
    if (s.doubleQuoted)
        problems << QStringLiteral("stringa tra virgolette doppie");
    const auto marks = s.code.count(QLatin1Char('?'));
    if (marks != statement.values.size())
        problems << QStringLiteral("%1 segnaposto e %2 valori").arg(marks).arg(statement.values.size());
    if (marks > 2100)
        problems << QStringLiteral("%1 parametri (SQL Server ne accetta 2.100)").arg(marks);
    static const QRegularExpression dateLike(QStringLiteral("^(\\d{4}-\\d{2}-\\d{2}|\\d{2}/\\d{2}/\\d{4})"));
    for (const QString& literal : s.literals) {
        if (dateLike.match(literal).hasMatch())
            problems << QStringLiteral("data non nella forma 'AAAAMMGG': '%1'").arg(literal);
    }
    static const QRegularExpression view(QStringLiteral("^\\s*CREATE\\s+VIEW\\b"));
    if (view.match(upper).hasMatch() && upper.contains(QLatin1String("ORDER BY")) && !upper.contains(QLatin1String(" TOP ")))
        problems << QStringLiteral("ORDER BY nel corpo di una vista senza TOP");
    return problems;
}

TEST(SqlServerPath, EveryFlowSendsStatementsSqlServerTakes)
{
    RecordingDriver::install();
    TestHome home;
    makeRegistryFile(home.paths().registryFile())->write(RegistryRoot::LocalMachine, regkeys::kDatabase, "OLEDBProvider", "SQLOLEDB");
    FlowUi ui;
    auto ctx = home.context(ui);
    ConsoleState state;
    const auto flow = [](const char* name) { RecordingDriver::setFlow(QLatin1String(name)); };

    flow("avvio");
    ViewerEnvironment viewer;
    viewer.exists = [](const QString&) { return true; };
    Session session(*ctx);
    ASSERT_EQ(session.start(viewer), InitOutcome::Ready);
    ASSERT_TRUE(ctx->doArdea());
    ASSERT_EQ(ctx->connections().db(Connections::ESys).driverName(), "QODBC");

    flow("apertura console");
    ASSERT_TRUE(openConsole(session, state, {}));
    ASSERT_TRUE(ctx->dataOpen());

    flow("scelta azienda");
    EXPECT_EQ(CompanyOpening(*ctx).chooserRows().size(), 2);

    flow("tabelle di riferimento");
    state.lists[ConsoleState::ArdeaTab] = readArdeaReferences(*ctx);
    for (int i = 0; i < state.corvinaCompanies.size(); ++i)
        state.lists[ConsoleState::CorvinaTab] = readCorvinaReferences(*ctx, state.corvinaCompanies[i]);

    // A console command on the state, by its button (its right click with `right`).
    const auto run = [&](const char* name, bool right = false) {
        const ConsoleCommand& command = *findConsoleCommand(QLatin1String(name));
        return runConsoleCommand(*ctx, state, right ? consolecommands::rightClickOf(command) : command).outcome;
    };
    const auto eachCorvinaYear = [&](const std::function<void()>& work) {
        for (state.corvinaRow = 0; state.corvinaRow < state.corvinaCompanies.size(); ++state.corvinaRow)
            work();
        state.corvinaRow = 0;
    };
    using Outcome = CommandResult::Outcome;

    flow("righe IVA");
    state.dateFrom = "01/01/2025";
    state.dateTo = "31/12/2025";
    for (const char* row : {"000001C|", "22 |", "FV |"}) {
        const QChar kind = QLatin1Char(QByteArray(row).endsWith("C|") ? 'A' : QByteArray(row).startsWith("FV") ? 'C' : 'I');
        listArdeaVatLines(*ctx, state.fromDate(), state.toDate(), {kind, QLatin1String(row)});
    }
    eachCorvinaYear([&] {
        listCorvinaVatLines(*ctx, state.selectedCorvina(), {QLatin1Char('I'), QStringLiteral("22 |")});
        listCorvinaVatLines(*ctx, state.selectedCorvina(), {QLatin1Char('A'), QStringLiteral("000001C|")});
    });

    flow("ricerca articoli");
    for (const QString& typed : {QStringLiteral("vite"), QStringLiteral("50%"), QStringLiteral("A_B"), QStringLiteral("[X")})
        runConsoleCommand(*ctx, state, consolecommands::lookUpArticle(typed));

    flow("comandi della console");
    for (const char* name : {"Cmd_ArLeggi", "Cmd_CvLeggi", "Cmd_CvCombo"})
        run(name);

    flow("totali prima nota");
    for (const char* name : {"Cmd_ArPrimaNota", "Cmd_ArNatura"})
        EXPECT_EQ(run(name), Outcome::Done) << name;
    eachCorvinaYear([&] {
        EXPECT_EQ(run("Cmd_CvPrimaNota"), Outcome::Done);
        EXPECT_EQ(run("Cmd_CvPrimaNota", true), Outcome::Done);
    });

    flow("liquidazioni");
    eachCorvinaYear([&] { EXPECT_EQ(run("Cmd_CvLiquidazioni"), Outcome::Done); });
    EXPECT_EQ(run("Cmd_ArTotali", true), Outcome::Done);
    EXPECT_TRUE(ui.said.contains("Completata messa a Definitivo Liquidazioni !!"));

    flow("confronto fonti");
    eachCorvinaYear([&] {
        EXPECT_EQ(run("Cmd_CvConfronto"), Outcome::Done);
        // The settlements: the demo's Ardea company has none before 2024.
        EXPECT_EQ(run("Cmd_CvConfrontoLiq"), state.corvinaYear() >= 2024 ? Outcome::Done : Outcome::Declined);
    });

    flow("enti e CF esteri");
    for (const char* name : {"Cmd_ARPIEnti", "Cmd_CvPIEnti", "Cmd_AREster"})
        EXPECT_NE(run(name), Outcome::Failed) << name;

    flow("indicatori e date import");
    {
        FlagList ardea(*ctx, FlagSource::ArdeaVatCodes);
        EXPECT_TRUE(ardea.read(0));
        EXPECT_GT(ardea.apply(ardea.rowsToCorrect(2, "1=x"), 2, "1=x"), 0);
        FlagList vat(*ctx, FlagSource::CorvinaVatCodes, state.corvinaCompanies);
        EXPECT_TRUE(vat.read(0));
        EXPECT_GT(vat.apply({0, 1}, 0, "3=x"), 0);
        FlagList reasons(*ctx, FlagSource::CorvinaReasons, state.corvinaCompanies);
        EXPECT_TRUE(reasons.read(0));
        EXPECT_GT(reasons.setFlags({0, 1}, {"InVATData", "VATReverseCharge"}, true), 0);
        EXPECT_EQ(changeLastImportDates(*ctx, state.selectedCorvina()).outcome, Outcome::Done);
    }

    flow("manutenzione");
    {
        VatTotalsByYear totals(*ctx);
        EXPECT_TRUE(totals.readYears());
        EXPECT_TRUE(totals.read(2025));
        MaintenanceList list;
        SettlementRegister reg(*ctx, list);
        EXPECT_TRUE(reg.refresh());
        EXPECT_EQ(reg.setState({0}, QStringLiteral("Stampata")), 1);
        ArticleObsolescence stock(*ctx, list);
        ArticleSearch search;
        search.cutOff = QStringLiteral("01/01/2025");
        search.code = QStringLiteral("ART%");
        search.description = QStringLiteral("vario");
        search.group = QStringLiteral("ELE");
        EXPECT_TRUE(stock.search(search));
        search = ArticleSearch{};
        search.cutOff = QStringLiteral("01/01/2025");
        EXPECT_TRUE(stock.search(search));
        EXPECT_GT(stock.apply({0, 1}, search.cutOff), 0);
        search.alreadyObsolete = true;
        EXPECT_TRUE(stock.search(search));
        EXPECT_GT(stock.apply({0}, search.cutOff), 0);
        EXPECT_GT(stock.transferCosts(QStringLiteral("L1")), 0);
        eachCorvinaYear([&] {
            for (VatLineKind kind : {VatLineKind::Nature, VatLineKind::DocumentType}) {
                VatLineListing lines(*ctx, kind);
                lines.list(state.selectedCorvina(), lines.values()[0], true);
                lines.list(state.selectedCorvina(), lines.values()[2], false);
            }
            VatDataCodes codes(*ctx, state.selectedCorvina());
            if (codes.readCommunications() && !codes.communications().isEmpty()) {
                EXPECT_TRUE(codes.readRows(0));
                EXPECT_GT(codes.fillCodes(), 0);
                EXPECT_FALSE(codes.fillForeignCodes().isEmpty());
            }
            EXPECT_TRUE(codes.readVatCodes());
        });
    }

    flow("controllo PI/CF generale");
    GeneralCheckInput input;
    input.companyCode = "DEMO";
    input.documentDate = "01/01/2025";
    runGeneralCheck(*ctx, input);

    flow("chiusura");
    closeConsole(session, state);

    // Per flow, how many statements it sent; every problem, with its statement.
    const auto& statements = RecordingDriver::statements();
    std::map<QString, int> perFlow;
    QJsonArray all;
    QStringList problems;
    for (const RecordedStatement& statement : statements) {
        ++perFlow[statement.flow];
        all.append(QJsonObject{{"flow", statement.flow}, {"sql", statement.sql}, {"values", int(statement.values.size())}});
        for (const QString& problem : problemsOf(statement))
            problems << statement.flow + ": " + problem + "\n    " + statement.sql.simplified().left(300);
    }
    for (const auto& [name, count] : perFlow)
        std::cout << "  " << name.toStdString() << ": " << count << " istruzioni\n";
    std::cout << "  in tutto: " << statements.size() << " istruzioni -> " << CORVUTIL_STATEMENTS_FILE << "\n";
    EXPECT_EQ(perFlow.size(), 14u); // the close sends none
    EXPECT_GT(perFlow["enti e CF esteri"], 10);
    EXPECT_GT(perFlow["liquidazioni"], 3);
    EXPECT_GT(perFlow["controllo PI/CF generale"], 20);
    // Without MARS one result at a time: the check walks by keys there, never
    // by one statement held open while it writes.
    const bool keyset = std::any_of(statements.begin(), statements.end(), [](const RecordedStatement& s) {
        return s.flow == "controllo PI/CF generale" && s.sql.startsWith("SELECT c.cod_clifor FROM CO_CLIFOR");
    });
    EXPECT_TRUE(keyset);
    EXPECT_GT(perFlow["apertura console"], 20);
    EXPECT_TRUE(problems.isEmpty()) << problems.join("\n").toStdString();

    QFile file(CORVUTIL_STATEMENTS_FILE);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(QJsonDocument(all).toJson()), QJsonDocument(all).toJson().size());
}

TEST(SqlServerPath, TheChecksFindWhatSqlServerWouldRefuse)
{
    const auto problems = [](const QString& sql, QVariantList values = {}) { return problemsOf({"prova", sql, values}); };
    EXPECT_TRUE(problems("SELECT TOP 1 * FROM T WHERE d >= '20250101' AND c = N'x' AND k = ?", {1}).isEmpty());
    EXPECT_EQ(problems("SELECT * FROM T LIMIT 1"), QStringList{"costrutto di SQLite: LIMIT"});
    EXPECT_EQ(problems("SELECT a || b FROM T"), QStringList{"costrutto di SQLite: ||"});
    EXPECT_EQ(problems("SELECT * FROM T WHERE x = \"a\""), QStringList{"stringa tra virgolette doppie"});
    EXPECT_EQ(problems("SELECT * FROM T WHERE d >= '2025-01-01 00:00:00'"),
              QStringList{"data non nella forma 'AAAAMMGG': '2025-01-01 00:00:00'"});
    EXPECT_EQ(problems("SELECT * FROM T WHERE k = ? AND j = ?", {1}), QStringList{"2 segnaposto e 1 valori"});
    EXPECT_EQ(problems("CREATE VIEW V AS ( SELECT a FROM T ORDER BY a )"), QStringList{"ORDER BY nel corpo di una vista senza TOP"});
    EXPECT_TRUE(problems("CREATE VIEW V AS ( SELECT TOP 100 PERCENT a FROM T ORDER BY a )").isEmpty());
    // What stands in a literal is the data's, not the statement's.
    EXPECT_TRUE(problems("SELECT * FROM T WHERE c = N'LIMIT || \"x\" ?'").isEmpty());
}

} // namespace
