#include "console/UnattendedCommands.h"

namespace corv {

const QList<UnattendedCommand>& unattendedCommands()
{
    static const QList<UnattendedCommand> table = {
        {QStringLiteral("ardea-leggi"), QStringLiteral("Cmd_ArLeggi")},
        {QStringLiteral("ardea-totali"), QStringLiteral("Cmd_ArPrimaNota"), false, QStringLiteral("Cmd_ArLeggi")},
        {QStringLiteral("ardea-enti"), QStringLiteral("Cmd_ARPIEnti"), true},
        {QStringLiteral("controllo-generale"), QStringLiteral("Cmd_ARChkCFPI"), true},
        {QStringLiteral("ardea-cf-esteri"), QStringLiteral("Cmd_AREster"), true},
        {QStringLiteral("ardea-nature"), QStringLiteral("Cmd_ArNatura")},
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
