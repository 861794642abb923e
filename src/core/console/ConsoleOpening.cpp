#include "console/ConsoleOpening.h"

#include "context/AppContext.h"
#include "session/Startup.h"
#include "console/ConsoleState.h"
#include "platform/ExportFiles.h"
#include "journal/VatListings.h"
#include "ardea/ArdeaLogin.h"
#include "ardea/CompanyOpening.h"
#include "ardea/JournalView.h"
#include "views/ViewService.h"
#include "platform/Ui.h"

#include <QDir>
#include "settings/SettingsKeys.h"

namespace corv {

namespace {

void prepareJournalView(AppContext& ctx)
{
    QString error;
    if (!ensureJournalView(ctx.connections().db(Connections::Company), false, &error))
        ctx.log().write(QStringLiteral("*** ERRORE creazione ") + kJournalView + QStringLiteral(" : ") + error);
}

} // namespace

bool openConsole(AppContext& ctx, ConsoleState& state, const ConsoleHooks& hooks)
{
    RunLog& log = ctx.log();
    log.write(QStringLiteral("Apertura Console"));
    CompanyOpening company(ctx);
    company.showChooser = hooks.showChooser;
    if (ctx.doArdea && !company.InitARProc())
        return false;

    IniFile settings = ctx.corvSettings();
    state.nemboFolder = settings.read(keys::kNemboFolder);
    state.nemboCompanies = legacy::exportCompanies(state.nemboFolder);
    state.nemboRow = state.nemboCompanies.isEmpty() ? -1 : 0;
    state.source = 1;

    log.write(QStringLiteral("Prima di ARRecOpen"));
    ArdeaLogin login(ctx);
    const bool opened = login.ARRecOpen();
    if (ctx.doArdea) {
        state.tab = ConsoleState::ArdeaTab;
        if (!opened) {
            login.systemClose();
            return false;
        }
        if (ctx.company().code.isEmpty() && !changeCompany(ctx, hooks))
            return false;
        prepareJournalView(ctx);
    } else {
        state.tab = ConsoleState::CorvinaTab;
    }

    state.dateFrom = kEmptyDate;
    state.dateTo = kEmptyDate;
    state.corvinaCompanies.clear();
    state.corvinaRow = -1;
    state.corvinaEnabled = ctx.corvinaOpen;
    if (ctx.corvinaOpen) {
        QString error;
        if (!ensureCorvinaViews(ctx, &error))
            log.write(QStringLiteral("*** ERRORE viste Corvina : ") + error);
        QString failure;
        if (!loadCorvinaCompanies(ctx, state, &failure))
            reportCorvinaFailure(ctx, failure);
    }
    restoreConsoleSettings(state, settings);
    return true;
}

void reportCorvinaFailure(AppContext& ctx, const QString& error)
{
    ctx.ui().critical(QStringLiteral("Impossibile leggere le aziende dal database Corvina :\r\n") + error
                          + QStringLiteral("\r\n\r\nIl database può essere danneggiato o non aggiornato."),
                      QStringLiteral("Corvina"));
}

bool changeCompany(AppContext& ctx, const ConsoleHooks& hooks)
{
    if (CompanyOpening(ctx).chooserUnavailable())
        return false;
    ArdeaLogin login(ctx);
    login.dataClose();
    if (hooks.showChooser)
        hooks.showChooser();
    if (!login.ARRecOpen())
        return false;
    prepareJournalView(ctx);
    return true;
}

bool closeConsole(AppContext& ctx, const ConsoleState& state)
{
    IniFile settings = ctx.corvSettings();
    const bool saved = saveConsoleSettings(state, settings);
    closeConnections(ctx);
    return saved;
}

void reportUnsavedSettings(AppContext& ctx, const IniFile& settings)
{
    ctx.ui().critical(QStringLiteral("Impossibile salvare le scelte della console nel file :\r\n") + QDir::toNativeSeparators(settings.path())
                          + QStringLiteral("\r\n(") + settings.lastError() + QStringLiteral(")\r\nAl prossimo avvio valgono le scelte salvate in precedenza."),
                      QStringLiteral("Impostazioni"));
}

} // namespace corv
