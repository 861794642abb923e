#include "console/UnattendedCommands.h"

#include "context/AppContext.h"
#include "maintenance/VatTotalsByYear.h"
#include "platform/Ui.h"

#include <algorithm>

namespace corv {

namespace {

// "Totali IVA" without its window: the year asked (or the newest with
// movements), its lists and SUMIVA.TXT.
CommandResult vatTotalsOfYear(AppContext& ctx, ConsoleState&, const UnattendedValues& values)
{
    using Outcome = CommandResult::Outcome;
    VatTotalsByYear totals(ctx);
    if (!totals.readYears())
        return {Outcome::Failed};
    int year = values.vatYear;
    if (year == 0 && !totals.years().isEmpty())
        year = totals.years().first().section(QLatin1Char('|'), 0, 0).trimmed().toInt();
    const bool known = std::any_of(totals.years().begin(), totals.years().end(),
                                   [year](const QString& row) { return row.section(QLatin1Char('|'), 0, 0).trimmed().toInt() == year; });
    if (!known) {
        ctx.ui().critical(year == 0 ? QStringLiteral("Nessun anno con movimenti IVA") : QStringLiteral("Nessun movimento IVA nell'anno %1").arg(year));
        return {Outcome::Declined};
    }
    if (!totals.read(year))
        return {Outcome::Failed};
    const QString path = totals.writeReport();
    if (path.isEmpty())
        return {Outcome::Failed};
    CommandResult result(Outcome::Done);
    result.writtenReports << path; // already handed to the viewer
    return result;
}

} // namespace

const QList<UnattendedCommand>& unattendedCommands()
{
    static const QList<UnattendedCommand> table = {
        {QStringLiteral("ardea-leggi"), QStringLiteral("Cmd_ArLeggi")},
        {QStringLiteral("ardea-totali"), QStringLiteral("Cmd_ArPrimaNota"), false, QStringLiteral("Cmd_ArLeggi")},
        {QStringLiteral("ardea-enti"), QStringLiteral("Cmd_ARPIEnti"), true},
        {QStringLiteral("controllo-generale"), QStringLiteral("Cmd_ARChkCFPI"), true},
        {QStringLiteral("ardea-cf-esteri"), QStringLiteral("Cmd_AREster"), true},
        {QStringLiteral("ardea-nature"), QStringLiteral("Cmd_ArNatura")},
        {QStringLiteral("totali-iva-anno"), QStringLiteral("Cmd_ArTotali"), false, {}, vatTotalsOfYear},
        {QStringLiteral("nembo-leggi"), QStringLiteral("Cmd_NbLeggi")},
        {QStringLiteral("nembo-totali"), QStringLiteral("Cmd_NbPrimaNota"), false, QStringLiteral("Cmd_NbLeggi")},
        {QStringLiteral("nembo-enti"), QStringLiteral("Cmd_PIEnti")},
        {QStringLiteral("nembo-liquidazioni"), QStringLiteral("Cmd_NbLiquidazioni")},
        {QStringLiteral("corvina-leggi"), QStringLiteral("Cmd_CvLeggi")},
        {QStringLiteral("corvina-totali"), QStringLiteral("Cmd_CvPrimaNota")},
        {QStringLiteral("corvina-enti"), QStringLiteral("Cmd_CvPIEnti")},
        {QStringLiteral("corvina-liquidazioni"), QStringLiteral("Cmd_CvLiquidazioni")},
        {QStringLiteral("confronto"), QStringLiteral("Cmd_CvConfronto")},
    };
    return table;
}

const UnattendedCommand* findUnattendedCommand(const QString& name)
{
    for (const UnattendedCommand& command : unattendedCommands()) {
        if (command.name.compare(name, Qt::CaseInsensitive) == 0 || command.objectName.compare(name, Qt::CaseInsensitive) == 0)
            return &command;
    }
    return nullptr;
}

QString needsText(CommandNeeds needs)
{
    switch (needs) {
    case CommandNeeds::Nothing:
        return QStringLiteral("nulla");
    case CommandNeeds::ArdeaData:
        return QStringLiteral("azienda Ardea");
    case CommandNeeds::Corvina:
        return QStringLiteral("Corvina");
    case CommandNeeds::BothSources:
        return QStringLiteral("azienda Ardea, azienda e anno Corvina");
    case CommandNeeds::LegacyCompany:
        return QStringLiteral("cartella e azienda Nembo");
    }
    return {};
}

QString tabName(ConsoleState::Tab tab)
{
    switch (tab) {
    case ConsoleState::ArdeaTab:
        return QStringLiteral("Ardea");
    case ConsoleState::NemboTab:
        return QStringLiteral("Nembo");
    default:
        return QStringLiteral("Corvina");
    }
}

} // namespace corv
