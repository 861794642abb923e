#pragma once

#include <QString>

namespace corv {

class AppContext;

// How the login resolution ended.
enum class InitOutcome {
    Ready,       // system catalogs open: Do_Ardea is True
    Unavailable, // no Ardea installation, or its catalogs could not be opened
    EndProgram,  // the user gave up the login: the program must end
};

// Resolves the SQL Server login and opens the process-wide connections of the
// Ardea installation; also closes them.
class ArdeaLogin {
public:
    explicit ArdeaLogin(AppContext& ctx);

    // AR_InitLib: login from ARDEA_Z.INI, the login window and prompts, then the
    // system catalogs. Messages only when `messages` is true.
    InitOutcome AR_InitLib(bool messages);

    // GetLoginData: prompts for one value of kind "SERVER", "USER" or "PWD"
    // (any case) and stores it; "-1" when the user gave up. An unknown kind is
    // reported and also gives "-1".
    QString GetLoginData(const QString& kind, const QString& hint);

    // The three guesses of AR_InitLib, each prompting while its value is empty:
    // a server typed at the prompt is kept (and stored) between single
    // quotes; an empty password stands when NullPwd is 1 or is confirmed.
    InitOutcome resolveServer(bool messages);
    InitOutcome resolveUser(bool messages);
    InitOutcome resolvePassword(bool messages);

    // ARRecOpen: the Corvina connection, and with Ardea the company and common
    // connections, then a test read of the company parameters. False on the
    // first failure, reported with the name of its step.
    bool ARRecOpen();

    // The close routines; both ignore every error.
    void systemClose();
    void dataClose();

private:
    void readLoginFromIni();
    bool openSystemConnection(int which, const QString& catalog, const QString& connectionString);
    void reportFailure(const QString& routine, const QString& step, const QString& error, bool show);
    void clearAccesses();
    InitOutcome endWith(const QString& text, bool messages);

    AppContext& ctx_;
    QString lastError_;
};

} // namespace corv
