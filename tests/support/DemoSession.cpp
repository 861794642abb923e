#include "DemoSession.h"

#include "ardea/ArdeaLogin.h"
#include "ardea/CompanyOpening.h"

#include <QSqlError>
#include <QSqlQuery>

namespace corv::test {

void DemoSession::SetUp()
{
    ArdeaLogin login(*ctx);
    ASSERT_EQ(login.AR_InitLib(true), InitOutcome::Ready);
    ctx->doArdea = true;
    QString code = "DEMO";
    ASSERT_TRUE(CompanyOpening(*ctx).AziOpen(code));
    ASSERT_TRUE(login.ARRecOpen());
    ASSERT_TRUE(loadCorvinaCompanies(*ctx, state));
}

void DemoSession::exec(const QSqlDatabase& db, const QString& sql)
{
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().text().toStdString();
}

int DemoSession::scalar(const QSqlDatabase& db, const QString& sql)
{
    QSqlQuery q(db);
    return q.exec(sql) && q.next() ? q.value(0).toInt() : -1;
}

CommandResult DemoSession::run(const QString& objectName)
{
    const ConsoleCommand* command = findConsoleCommand(objectName);
    EXPECT_NE(command, nullptr) << objectName.toStdString();
    return command ? runConsoleCommand(*ctx, state, *command) : CommandResult(CommandResult::Outcome::Failed);
}

CommandResult DemoSession::runRightClick(const QString& objectName)
{
    const ConsoleCommand* command = findConsoleCommand(objectName);
    EXPECT_NE(command, nullptr) << objectName.toStdString();
    return command ? runConsoleCommand(*ctx, state, consolecommands::rightClickOf(*command)) : CommandResult(CommandResult::Outcome::Failed);
}

void DemoSession::selectYear(int year)
{
    for (int i = 0; i < state.corvinaCompanies.size(); ++i) {
        if (state.corvinaCompanies[i].year == year)
            state.corvinaRow = i;
    }
    ASSERT_EQ(state.corvinaYear(), year);
}

} // namespace corv::test
