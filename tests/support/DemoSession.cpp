#include "DemoSession.h"

#include <QSqlError>
#include <QSqlQuery>

namespace corv::test {

ViewerEnvironment quietViewer()
{
    ViewerEnvironment environment;
    environment.associatedTextProgram = [] { return QStringLiteral("viewer"); };
    environment.fallbackViewer = QStringLiteral("viewer");
    environment.exists = [](const QString&) { return true; };
    return environment;
}

void DemoSession::SetUp()
{
    // The one opening sequence, as the window and the command line open.
    ASSERT_EQ(session.start(quietViewer()), InitOutcome::Ready);
    ASSERT_TRUE(ctx->doArdea());
    ASSERT_TRUE(session.open({QStringLiteral("DEMO"), {}}));
    state.corvinaCompanies = session.corvinaCompanies();
    state.corvinaRelease = session.corvinaRelease();
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

QStringList DemoSession::column(const QSqlDatabase& db, const QString& sql)
{
    QSqlQuery q(db);
    EXPECT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().text().toStdString();
    QStringList values;
    while (q.next())
        values << (q.value(0).isNull() ? QStringLiteral("NULL") : q.value(0).toString());
    return values;
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
