#pragma once

#include "TestHome.h"
#include "console/ConsoleCommands.h"
#include "console/ConsoleState.h"
#include "report/ViewerChoice.h"
#include "session/Session.h"
#include "context/AppContext.h"

#include <QSqlDatabase>
#include <gtest/gtest.h>

namespace corv::test {

// A viewer choice that finds the viewer "viewer" and says nothing.
ViewerEnvironment quietViewer();

// The demo installation as the console works on it: the login resolved, the
// DEMO company open, the Corvina, company and common connections open and
// the Corvina companies listed.
class DemoSession : public ::testing::Test {
protected:
    TestHome home;
    ScriptedUi ui;
    std::unique_ptr<AppContext> ctx = home.context(ui);
    Session session{*ctx};
    ConsoleState state;

    void SetUp() override;

    QSqlDatabase company() const { return ctx->connections().db(Connections::Company); }
    QSqlDatabase corvina() const { return ctx->connections().db(Connections::Corvina); }

public:
    static void exec(const QSqlDatabase& db, const QString& sql);
    static int scalar(const QSqlDatabase& db, const QString& sql);
    // The first value of every row, a Null as "NULL".
    static QStringList column(const QSqlDatabase& db, const QString& sql);

protected:
    // Selects the Corvina company row of the year.
    void selectYear(int year);
    // A console command run as its button runs it, over the state.
    CommandResult run(const QString& objectName);
    CommandResult runRightClick(const QString& objectName);
};

} // namespace corv::test
