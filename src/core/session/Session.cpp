#include "session/Session.h"

#include "ardea/CompanyOpening.h"
#include "ardea/JournalView.h"
#include "context/AppContext.h"
#include "corvina/CorvinaCompanies.h"
#include "corvina/CorvinaViews.h"
#include "session/Startup.h"

namespace corv {

Session::Session(AppContext& ctx) : ctx_(ctx) {}

Session::~Session() { close(); }

InitOutcome Session::start(const ViewerEnvironment& viewerEnvironment)
{
    // Started even when the login is given up: the run log and the system
    // connections opened so far are closed by close().
    const InitOutcome outcome = startUp(ctx_, viewerEnvironment);
    state_ = State::Started;
    return outcome;
}

void Session::prepareJournalView()
{
    QString error;
    if (!ensureJournalView(ctx_.connections().db(Connections::Company), false, &error))
        ctx_.log().write(QStringLiteral("*** ERRORE creazione ") + kJournalView + QStringLiteral(" : ") + error);
}

bool Session::open(const SessionOpening& how)
{
    RunLog& log = ctx_.log();
    log.write(QStringLiteral("Apertura Console"));
    CompanyOpening company(ctx_);
    company.showChooser = how.showChooser;
    if (ctx_.doArdea()) {
        if (!how.company.isEmpty()) {
            QString code = how.company;
            if (!company.AziOpen(code))
                return false;
        } else if (!company.InitARProc()) {
            return false;
        }
    }
    log.write(QStringLiteral("Prima di ARRecOpen"));
    ArdeaLogin login(ctx_);
    const bool opened = login.ARRecOpen();
    if (ctx_.doArdea()) {
        if (!opened) {
            login.systemClose();
            return false;
        }
        if (ctx_.company().code.isEmpty() && !changeCompany(how.showChooser))
            return false;
        prepareJournalView();
    }
    corvinaCompanies_.clear();
    corvinaRelease_.clear();
    corvinaFailure_.clear();
    if (ctx_.corvinaOpen()) {
        QString error;
        if (!ensureCorvinaViews(ctx_, &error))
            log.write(QStringLiteral("*** ERRORE viste Corvina : ") + error);
        reloadCorvinaCompanies(&corvinaFailure_);
    }
    state_ = State::Open;
    return true;
}

bool Session::reloadCorvinaCompanies(QString* error)
{
    return readCorvinaCompanies(ctx_, corvinaCompanies_, &corvinaRelease_, error);
}

bool Session::changeCompany(const std::function<void()>& showChooser)
{
    if (CompanyOpening(ctx_).chooserUnavailable())
        return false;
    ArdeaLogin login(ctx_);
    login.dataClose();
    if (showChooser)
        showChooser();
    if (!login.ARRecOpen())
        return false;
    prepareJournalView();
    return true;
}

void Session::close()
{
    if (state_ == State::Closed)
        return;
    closeConnections(ctx_);
    state_ = State::Closed;
}

} // namespace corv
