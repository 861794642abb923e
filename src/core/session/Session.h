#pragma once

#include "ardea/ArdeaLogin.h"
#include "platform/CorvinaCompany.h"

#include <QString>
#include <functional>

namespace corv {

class AppContext;
struct ViewerEnvironment;

// How the sources are opened: the Ardea company to open (empty: the one kept
// in the settings, else the company chooser) and the chooser itself.
struct SessionOpening {
    QString company;
    std::function<void()> showChooser; // modal; empty where nobody can choose
};

// The one opening sequence of the sources, for the window, every command of
// the command line and the test fixtures: the start (run log, text viewer,
// printer, login and the Ardea system connections), the opening (the Ardea
// company and its databases, Corvina, the program's views, Corvina's
// companies) and the close, in that order. A session closes what it opened
// when it goes.
class Session {
public:
    enum class State { Closed, Started, Open };

    explicit Session(AppContext& ctx);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // EndProgram when the user gave up the login (close() then ends the run).
    InitOutcome start(const ViewerEnvironment& viewerEnvironment);
    // False when the program cannot go on: Ardea reached but its databases
    // could not be opened (the reason in the context's unavailableDatabase).
    bool open(const SessionOpening& how);
    // Another Ardea company: the data connections closed, the chooser shown,
    // the connections and the journal view opened again.
    bool changeCompany(const std::function<void()>& showChooser);
    // Corvina's companies read again.
    bool reloadCorvinaCompanies(QString* error = nullptr);
    void close();

    State state() const { return state_; }
    AppContext& context() { return ctx_; }
    // What the opening found in Corvina; `corvinaFailure` says why its
    // companies could not be read (empty when they were).
    const CorvinaCompanies& corvinaCompanies() const { return corvinaCompanies_; }
    const QString& corvinaRelease() const { return corvinaRelease_; }
    const QString& corvinaFailure() const { return corvinaFailure_; }

private:
    void prepareJournalView();

    AppContext& ctx_;
    State state_ = State::Closed;
    CorvinaCompanies corvinaCompanies_;
    QString corvinaRelease_;
    QString corvinaFailure_;
};

} // namespace corv
