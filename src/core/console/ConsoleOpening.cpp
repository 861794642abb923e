#include "console/ConsoleOpening.h"

#include "context/AppContext.h"
#include "session/Session.h"
#include "console/ConsoleState.h"
#include "platform/ExportFiles.h"
#include "platform/Ui.h"

#include <QDir>
#include "settings/SettingsKeys.h"

namespace corv {

bool openConsole(Session& session, ConsoleState& state, const ConsoleHooks& hooks)
{
    AppContext& ctx = session.context();
    if (!session.open({hooks.company, hooks.showChooser}))
        return false;
    IniFile settings = ctx.corvSettings();
    state.nemboFolder = settings.read(keys::kNemboFolder);
    state.nemboCompanies = legacy::exportCompanies(state.nemboFolder);
    state.nemboRow = state.nemboCompanies.isEmpty() ? -1 : 0;
    state.source = 1;
    state.tab = ctx.doArdea() ? ConsoleState::ArdeaTab : ConsoleState::CorvinaTab;
    state.dateFrom = kEmptyDate;
    state.dateTo = kEmptyDate;
    state.corvinaCompanies = session.corvinaCompanies();
    state.corvinaRelease = session.corvinaRelease();
    state.corvinaRow = -1;
    state.corvinaEnabled = ctx.corvinaOpen();
    if (ctx.corvinaOpen() && !session.corvinaFailure().isEmpty())
        reportCorvinaFailure(ctx, session.corvinaFailure());
    restoreConsoleSettings(state, settings);
    return true;
}

void reportCorvinaFailure(AppContext& ctx, const QString& error)
{
    ctx.ui().critical(QStringLiteral("Impossibile leggere le aziende dal database Corvina :\r\n") + error
                          + QStringLiteral("\r\n\r\nIl database può essere danneggiato o non aggiornato."),
                      QStringLiteral("Corvina"));
}

bool changeCompany(Session& session, const ConsoleHooks& hooks) { return session.changeCompany(hooks.showChooser); }

bool closeConsole(Session& session, const ConsoleState& state)
{
    IniFile settings = session.context().corvSettings();
    const bool saved = saveConsoleSettings(state, settings);
    session.close();
    return saved;
}

void reportUnsavedSettings(AppContext& ctx, const IniFile& settings)
{
    ctx.ui().critical(QStringLiteral("Impossibile salvare le scelte della console nel file :\r\n") + QDir::toNativeSeparators(settings.path())
                          + QStringLiteral("\r\n(") + settings.lastError() + QStringLiteral(")\r\nAl prossimo avvio valgono le scelte salvate in precedenza."),
                      QStringLiteral("Impostazioni"));
}

} // namespace corv
