#include "console/ConsoleCommands.h"
#include "maintenance/VatLineListing.h"

#include "backup/CorvinaBackup.h"
#include "journal/ArdeaJournalTotals.h"
#include "journal/ArticleLookup.h"
#include "journal/CorvinaJournalTotals.h"
#include "journal/NatureCheck.h"
#include "journal/Settlements.h"
#include "comparison/SourceComparison.h"
#include "console/ConsoleOpening.h"
#include "journal/ReferenceTables.h"
#include "journal/VatListings.h"
#include "legacy/ExportDatabase.h"
#include "legacy/ExportFolder.h"
#include "legacy/LegacyReferences.h"
#include "legacy/LegacyTotals.h"
#include "listview/Rs2List.h"
#include "platform/Ui.h"

#include <QFileInfo>
#include "context/AppContext.h"
#include "report/ReportFile.h"
#include "settings/SettingsKeys.h"
#include "taxcode/ForeignCodes.h"
#include "taxcode/GeneralCheck.h"
#include "taxcode/PublicBodies.h"
#include "util/TextUtil.h"

namespace corv {

namespace {

using Outcome = CommandResult::Outcome;
const QString kEditorTip = QStringLiteral("Click-Dx per Scegliere Editor Testi");

CommandResult readArdea(AppContext& ctx, ConsoleState& state)
{
    state.lists[ConsoleState::ArdeaTab] = readArdeaReferences(ctx);
    return {};
}

CommandResult readCorvina(AppContext& ctx, ConsoleState& state)
{
    state.setResults({});
    state.lists[ConsoleState::CorvinaTab] = readCorvinaReferences(ctx, state);
    return {};
}

// The Corvina company list read again, the last choice selected; what showed
// the previous rows (lists, results) is emptied.
CommandResult reloadCorvinaCompanies(AppContext& ctx, ConsoleState& state)
{
    QString failure;
    if (!loadCorvinaCompanies(ctx, state, &failure)) {
        reportCorvinaFailure(ctx, failure);
        return {CommandResult::Outcome::Failed, {}};
    }
    state.corvinaRow = static_cast<int>(state.corvinaRows.indexOf(ctx.corvSettings().read(keys::kLastCorvinaRow)));
    state.lists[ConsoleState::CorvinaTab] = {};
    state.setResults({});
    return {};
}

CommandResult generalCheck(AppContext& ctx, ConsoleState& state)
{
    GeneralCheckInput input;
    input.companyCode = ctx.company().code;
    input.documentDate = state.dateFrom;
    input.clearResults = [&state] { state.setResults({}); };
    const GeneralCheckResult result = runGeneralCheck(ctx, input);
    CommandResult outcome;
    outcome.outcome = !result.ran ? Outcome::Declined : result.stopped ? Outcome::Stopped : result.completed ? Outcome::Done : Outcome::Failed;
    return outcome;
}

CommandResult compareSourcesOfConsole(AppContext& ctx, ConsoleState& state) { return compareSources(ctx, comparisonRequestOf(state)); }

// A command that opens a record window over the console's selection.
CommandWork openForm(FormKind kind)
{
    return [kind](AppContext& ctx, ConsoleState& state) {
        const bool shown = ctx.ui().showForm(ctx, FormRequest{kind, state.corvinaRows, state.corvinaRow});
        return CommandResult{shown ? CommandResult::Outcome::Done : CommandResult::Outcome::Declined, {}};
    };
}

QList<ConsoleCommand> makeTable()
{
    using Tab = ConsoleState::Tab;
    const Tab ardea = ConsoleState::ArdeaTab, nembo = ConsoleState::NemboTab, corvina = ConsoleState::CorvinaTab;
    return {
        {QStringLiteral("Cmd_ArLeggi"), QStringLiteral("Leggi dati per Corvina"), ardea, CommandNeeds::ArdeaData, readArdea,
         QStringLiteral("Legge da Ardea: Codici IVA, Cau.Con. e CliFor Area ITA\n") + kEditorTip, openForm(FormKind::DiskPrintArchive),
         CommandNeeds::Nothing},
        {QStringLiteral("Cmd_ArPrimaNota"), QStringLiteral("Leggi dati Prima Nota IVA"), ardea, CommandNeeds::ArdeaData, totalArdeaJournal,
         QStringLiteral("Totali IVA per Cli/For della Prima Nota Ardea (date di registrazione)")},
        {QStringLiteral("Cmd_ARPIEnti"), QStringLiteral("Controllo PI/CF Enti (8/9)"), ardea, CommandNeeds::ArdeaData, checkArdeaPublicBodies,
         QStringLiteral("PI che iniziano per 8/9 (Enti, Associazioni): elenco e spostamento su CF\nClick-Dx per l'ultimo report e la verifica codici"),
         [](AppContext& ctx, ConsoleState& state) {
             // The last report first, when there is one; then the workbench.
             if (const QString report = ardeaPublicBodiesReportPath(ctx); QFileInfo::exists(report))
                 presentReport(ctx.ui(), ctx.viewer(), report);
             return openForm(FormKind::FiscalCodeWorkbench)(ctx, state);
         }},
        {QStringLiteral("Cmd_ARChkCFPI"), QStringLiteral("Controllo PI/CF Generiche"), ardea, CommandNeeds::ArdeaData, generalCheck,
         QStringLiteral("Controllo di CF e PI di clienti e fornitori, con le correzioni automatiche\n") + kEditorTip, openForm(FormKind::DiskPrintArchive),
         CommandNeeds::Nothing},
        {QStringLiteral("Cmd_AREster"), QStringLiteral("Compila CF Estero"), ardea, CommandNeeds::ArdeaData, fillForeignCodes,
         QStringLiteral("Compila il CF Estero mancante dei soggetti Esteri da CF o PI")},
        {QStringLiteral("Cmd_ArFlagsIva"), QStringLiteral("Flags Codici IVA"), ardea, CommandNeeds::ArdeaData, openForm(FormKind::ArdeaVatFlags),
         QStringLiteral("Indicatori dei Codici IVA Ardea: elenco e modifica a blocchi")},
        {QStringLiteral("Cmd_ArNatura"), QStringLiteral("Verifica Natura IVA"), ardea, CommandNeeds::ArdeaData, checkJournalNatures,
         QStringLiteral("Righe IVA della Prima Nota senza Natura IVA")},
        {QStringLiteral("Cmd_ArTotali"), QStringLiteral("Totali IVA"), ardea, CommandNeeds::ArdeaData, openForm(FormKind::VatTotals),
         QStringLiteral("Click-DX per messa in Definitivo Liquidazioni"), makeSettlementsDefinitive},
        {QStringLiteral("Cmd_ArLiquidazioni"), QStringLiteral("Liquidazioni"), ardea, CommandNeeds::ArdeaData, openForm(FormKind::SettlementRegister),
         QStringLiteral("Stato delle Liquidazioni IVA e obsolescenza degli Articoli")},
        {QStringLiteral("Cmd_NbCartella"), QStringLiteral("..."), nembo, CommandNeeds::Nothing, chooseNemboFolder,
         QStringLiteral("Scelta della Cartella dell'Export di Nembo")},
        {QStringLiteral("Cmd_NbLeggi"), QStringLiteral("Leggi dati per Corvina"), nembo, CommandNeeds::LegacyCompany, readNemboReferences,
         QStringLiteral("Legge dall'Export di Nembo: Codici IVA, Cau.Con. e Clienti/Fornitori\n") + kEditorTip, openForm(FormKind::DiskPrintArchive),
         CommandNeeds::Nothing},
        {QStringLiteral("Cmd_NbPrimaNota"), QStringLiteral("Leggi dati Prima Nota IVA"), nembo, CommandNeeds::LegacyCompany, totalNemboJournal,
         QStringLiteral("Click-Dx per Creare/Aggiornare MDB"), createNemboExportDatabase},
        {QStringLiteral("Cmd_PIEnti"), QStringLiteral("Controllo PI/CF Enti (8/9)"), nembo, CommandNeeds::LegacyCompany, checkNemboPublicBodies,
         QStringLiteral("PI che iniziano per 8/9 (Enti, Associazioni) nei Clienti e Fornitori di Nembo\nClick-Dx per la verifica codici"),
         openForm(FormKind::FiscalCodeWorkbench)},
        {QStringLiteral("Cmd_NbLiquidazioni"), QStringLiteral("Liquidazioni"), nembo, CommandNeeds::LegacyCompany, listNemboSettlements, {}},
        {QStringLiteral("Cmd_CvLeggi"), QStringLiteral("Leggi dati da Corvina"), corvina, CommandNeeds::Corvina, readCorvina, kEditorTip,
         openForm(FormKind::DiskPrintArchive), CommandNeeds::Nothing},
        {QStringLiteral("Cmd_CvPrimaNota"), QStringLiteral("Leggi dati Prima Nota IVA"), corvina, CommandNeeds::Corvina, totalCorvinaJournal,
         QStringLiteral("Click-DX per Somme Codici IVA"), sumCorvinaJournal},
        {QStringLiteral("Cmd_CvPIEnti"), QStringLiteral("Controllo PI/CF Enti (8/9)"), corvina, CommandNeeds::Corvina, checkCorvinaPublicBodies,
         QStringLiteral("PI che iniziano per 8/9 (Enti, Associazioni) nei Clienti e Fornitori Corvina\nClick-Dx per la verifica codici"),
         openForm(FormKind::FiscalCodeWorkbench)},
        {QStringLiteral("Cmd_CvIndIva"), QStringLiteral("Indicatori IVA"), corvina, CommandNeeds::Corvina, openForm(FormKind::CorvinaVatFlags),
         QStringLiteral("Natura IVA dei Codici IVA Corvina: elenco e modifica a blocchi\nClick-Dx per i movimenti per Natura IVA"),
         openForm(FormKind::VatNatureLines)},
        {QStringLiteral("Cmd_CvIndCau"), QStringLiteral("Indicatori CauCon"), corvina, CommandNeeds::Corvina, openForm(FormKind::CorvinaReasonFlags),
         QStringLiteral("Indicatori delle Causali Corvina: elenco e modifica a blocchi\nClick-Dx per i movimenti per Tipo Documento"),
         [](AppContext& ctx, ConsoleState& state) {
             // The document types exist from 2017 on.
             if (state.corvinaYear() != 0 && state.corvinaYear() < 2017) {
                 ctx.ui().critical(VatLineListing::notBefore2017Message());
                 ctx.ui().beep();
                 return CommandResult{CommandResult::Outcome::Declined, {}};
             }
             return openForm(FormKind::DocumentTypeLines)(ctx, state);
         }},
        {QStringLiteral("Cmd_CvComDati"), QStringLiteral("PI/CF su Com.Dati Fatture"), corvina, CommandNeeds::Corvina, openForm(FormKind::VatDataCodes),
         QStringLiteral("Codici fiscali e Partite IVA mancanti nella Comunicazione Dati Fatture, CF Esteri")},
        {QStringLiteral("Cmd_CvLiquidazioni"), QStringLiteral("Liquidazioni"), corvina, CommandNeeds::Corvina, listCorvinaSettlements, {}},
        {QStringLiteral("Cmd_CvCombo"), QStringLiteral("Aggiorna il Combo"), corvina, CommandNeeds::Corvina, reloadCorvinaCompanies, {}},
        {QStringLiteral("Cmd_CvBackup"), QStringLiteral("Backup DB Corvina"), corvina, CommandNeeds::Corvina, backupCorvina,
         QStringLiteral("Click-DX per Ultime Date Import dati"), changeLastImportDates},
        {QStringLiteral("Cmd_CvConfronto"), QStringLiteral("Confronto fonti"), corvina, CommandNeeds::BothSources, compareSourcesOfConsole,
         QStringLiteral("Totali IVA per Cli/For di Ardea e di Corvina a confronto, con le differenze\n"
                        "(anno dell'azienda Corvina scelta; le date di registrazione, se indicate)")},
    };
}

} // namespace

const QList<ConsoleCommand>& consoleCommands()
{
    static const QList<ConsoleCommand> table = makeTable();
    return table;
}

const ConsoleCommand* findConsoleCommand(const QString& objectName)
{
    for (const ConsoleCommand& command : consoleCommands()) {
        if (command.objectName.compare(objectName, Qt::CaseInsensitive) == 0)
            return &command;
    }
    return nullptr;
}

bool commandCanRun(const AppContext& ctx, CommandNeeds needs)
{
    switch (needs) {
    case CommandNeeds::Nothing: return true;
    case CommandNeeds::ArdeaData: return ctx.doArdea && ctx.dataOpen;
    case CommandNeeds::Corvina: return ctx.corvinaOpen;
    case CommandNeeds::BothSources: return ctx.doArdea && ctx.dataOpen && ctx.corvinaOpen;
    case CommandNeeds::LegacyCompany: return true; // the state's part is looked at below
    }
    return false;
}

bool commandEnabled(const AppContext& ctx, const ConsoleState& state, const ConsoleCommand& command)
{
    if (!command.available())
        return false;
    if (command.needs == CommandNeeds::BothSources)
        return commandCanRun(ctx, command.needs) && state.corvinaYear() != 0;
    return true;
}

CommandResult runConsoleCommand(AppContext& ctx, ConsoleState& state, const ConsoleCommand& command)
{
    Ui& ui = ctx.ui();
    const bool legacyMissing = command.needs == CommandNeeds::LegacyCompany && state.nemboCompany().isEmpty();
    if (!command.run || !commandCanRun(ctx, command.needs) || legacyMissing) {
        ui.beep();
        return {Outcome::Declined, {}};
    }
    ctx.stop().clear();
    ui.busy(true);
    CommandResult result = command.run(ctx, state);
    ui.busy(false);
    if (!result.reportPath.isEmpty())
        presentReport(ui, ctx.viewer(), result.reportPath);
    ctx.stop().clear();
    return result;
}

namespace consolecommands {

ConsoleCommand rightClickOf(const ConsoleCommand& command)
{
    ConsoleCommand right = command;
    right.run = command.rightClick;
    right.needs = command.rightClickNeeds.value_or(command.needs);
    right.rightClick = {};
    right.rightClickNeeds.reset();
    return right;
}

ConsoleCommand listLines(ConsoleState::Tab tab, QChar kind, const QString& row)
{
    const bool corvina = tab == ConsoleState::CorvinaTab;
    ConsoleCommand command{QStringLiteral("Lst_Righe"), {}, tab, corvina ? CommandNeeds::Corvina : CommandNeeds::ArdeaData, {}, {}};
    if (row.isEmpty())
        return command; // nothing chosen: the runner beeps
    command.run = [corvina, kind, row](AppContext& ctx, ConsoleState& state) {
        const ListingRequest request{kind, row};
        const Listing listing = corvina ? listCorvinaVatLines(ctx, state, request) : listArdeaVatLines(ctx, state, request);
        if (listing.ran)
            state.setResults({listing.heading, listing.lines});
        return CommandResult{listing.failed ? Outcome::Failed : Outcome::Done, {}};
    };
    return command;
}

ConsoleCommand lookUpArticle(const QString& typed)
{
    ConsoleCommand command{QStringLiteral("Txt_Articolo"), {}, ConsoleState::ArdeaTab, CommandNeeds::ArdeaData, {}, {}};
    command.run = [typed](AppContext& ctx, ConsoleState& state) {
        Rs2ListOptions options;
        options.title = QStringLiteral("TABIVA");
        options.noHeader = true;
        const QSqlDatabase db = ctx.connections().db(Connections::Company);
        const Rs2ListResult list = Rs2List(ctx, db, articleLookupSql(dialectOf(db), typed), options);
        if (!list.ok)
            return CommandResult{Outcome::Failed, {}};
        const QString chosen = ctx.ui().showList(list);
        if (chosen.isEmpty())
            return CommandResult{Outcome::Declined, {}}; // cancelled: the field stays as it was
        const QString code = utl::field(chosen, QStringLiteral("|"), 1);
        // A choice outside the articles (the heading rule) or an unknown code.
        const QString description = code.isEmpty() || code.startsWith(QLatin1Char('=')) ? QString() : articleDescription(ctx, code);
        if (description.isEmpty()) {
            state.articleName = QStringLiteral("-- ERRORE ! --");
            ctx.ui().beep();
            return CommandResult{Outcome::Failed, {}};
        }
        state.article = code;
        state.articleName = description;
        return CommandResult{};
    };
    return command;
}

} // namespace consolecommands

} // namespace corv
