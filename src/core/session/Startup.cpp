#include "session/Startup.h"

#include "print/PrintEngine.h"

#include "context/AppContext.h"
#include "report/ViewerChoice.h"
#include "platform/Ui.h"

namespace corv {

InitOutcome startUp(AppContext& ctx, const ViewerEnvironment& viewerEnvironment)
{
    RunLog& log = ctx.log();
    log.startRun(QStringLiteral("===== Inizio Corvina ====="));

    IniFile settings = ctx.corvSettings();
    ctx.setViewer(chooseViewer(settings, viewerEnvironment, ctx.ui(), &log));
    // The print engine: its codes, the default printer, its profile.
    if (PrintEngine* engine = ctx.printEngine())
        engine->startUp();

    log.write(QStringLiteral("Prima di AR_InitLib"));
    ArdeaLogin login(ctx);
    const InitOutcome outcome = login.AR_InitLib(true);
    if (outcome == InitOutcome::EndProgram) {
        log.write(QStringLiteral("Accesso abbandonato : fine programma"));
        return outcome;
    }
    ctx.setArdeaReached(outcome == InitOutcome::Ready);
    log.write(QStringLiteral("Dopo AR_InitLib - Do_Ardea=") + (ctx.doArdea() ? QStringLiteral("True") : QStringLiteral("False")));
    if (ctx.doArdea())
        log.write(QStringLiteral("Dopo InitARProc"));
    else
        ctx.ui().critical(QStringLiteral("Ardea NON Disponibile !!"), QStringLiteral("Sub Main"));
    return outcome;
}

void closeConnections(AppContext& ctx)
{
    ArdeaLogin login(ctx);
    if (ctx.dataOpen() || ctx.corvinaOpen())
        login.dataClose();
    login.systemClose();
    ctx.log().write(QStringLiteral("===== Fine Corvina ====="));
}

} // namespace corv
