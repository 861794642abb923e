#include "console/ConsoleCommands.h"

#include "report/TableExport.h"
#include "maintenance/VatLineListing.h"

#include "backup/CorvinaBackup.h"
#include "journal/ArdeaJournalTotals.h"
#include "journal/ArticleLookup.h"
#include "journal/CorvinaJournalTotals.h"
#include "journal/NatureCheck.h"
#include "journal/Settlements.h"
#include "comparison/SettlementComparison.h"
#include "comparison/SourceComparison.h"
#include "console/ConsoleOpening.h"
#include "journal/ReferenceTables.h"
#include "journal/VatListings.h"
#include "forms/FolderChooser.h"
#include "legacy/ExportDatabase.h"
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
#include "platform/ExportFiles.h"

namespace corv {

namespace {

using Outcome = CommandResult::Outcome;
const QString kEditorTip = QStringLiteral("Click-Dx per Scegliere Editor Testi");

// What a command hands back, stored where the console shows it: the
// reference lists of the command's tab, the result list, the sorted lines.
CommandResult keep(ConsoleState& state, ConsoleState::Tab tab, CommandResult result)
{
    if (result.lists)
        state.lists[tab] = *result.lists;
    if (result.sorted)
        state.sorted = *result.sorted;
    if (result.results)
        state.setResults(*result.results);
    return result;
}

// The result list as a command shows it while it works.
ResultsSink showIn(ConsoleState& state)
{
    return [&state](const ResultList& list) { state.setResults(list); };
}

CommandResult readArdea(AppContext& ctx, ConsoleState& state)
{
    state.lists[ConsoleState::ArdeaTab] = readArdeaReferences(ctx);
    return {};
}

CommandResult readCorvina(AppContext& ctx, ConsoleState& state)
{
    state.setResults({});
    state.lists[ConsoleState::CorvinaTab] = readCorvinaReferences(ctx, state.selectedCorvina());
    return {};
}

CommandResult totalArdea(AppContext& ctx, ConsoleState& state)
{
    const ArdeaJournalInput input{state.lists[ConsoleState::ArdeaTab].read(), state.fromDate(), state.toDate(), showIn(state)};
    return keep(state, ConsoleState::ArdeaTab, totalArdeaJournal(ctx, input));
}

CommandResult totalCorvina(AppContext& ctx, ConsoleState& state)
{
    state.sorted.clear();
    const CorvinaJournalInput input{state.selectedCorvina(), state.source == 1, showIn(state)};
    return keep(state, ConsoleState::CorvinaTab, totalCorvinaJournal(ctx, input));
}

CommandResult sumCorvina(AppContext& ctx, ConsoleState& state)
{
    return keep(state, ConsoleState::CorvinaTab, sumCorvinaJournal(ctx, state.selectedCorvina(), state.results));
}

CommandResult checkNatures(AppContext& ctx, ConsoleState& state) { return keep(state, ConsoleState::ArdeaTab, checkJournalNatures(ctx, showIn(state))); }

CommandResult corvinaSettlements(AppContext& ctx, ConsoleState& state)
{
    return keep(state, ConsoleState::CorvinaTab, listCorvinaSettlements(ctx, state.selectedCorvina()));
}

CommandResult ardeaBodies(AppContext& ctx, ConsoleState& state) { return keep(state, ConsoleState::ArdeaTab, checkArdeaPublicBodies(ctx, showIn(state))); }

CommandResult corvinaBodies(AppContext& ctx, ConsoleState& state)
{
    return keep(state, ConsoleState::CorvinaTab, checkCorvinaPublicBodies(ctx, state.selectedCorvina(), showIn(state)));
}

CommandResult nemboBodies(AppContext& ctx, ConsoleState& state)
{
    return keep(state, ConsoleState::NemboTab, checkNemboPublicBodies(ctx, state.nemboFolder, state.nemboCompany(), showIn(state)));
}

CommandResult nemboReferences(AppContext& ctx, ConsoleState& state)
{
    return keep(state, ConsoleState::NemboTab, readNemboReferences(ctx, state.nemboFolder, state.nemboCompany()));
}

CommandResult nemboSettlements(AppContext& ctx, ConsoleState& state)
{
    return keep(state, ConsoleState::NemboTab, listNemboSettlements(ctx, state.nemboFolder, state.nemboCompany()));
}

CommandResult nemboJournal(AppContext& ctx, ConsoleState& state)
{
    state.sorted.clear();
    const NemboJournalInput input{state.nemboFolder, state.nemboCompany(), state.lists[ConsoleState::NemboTab]};
    return keep(state, ConsoleState::NemboTab, totalNemboJournal(ctx, input));
}

CommandResult nemboExportDatabase(AppContext& ctx, ConsoleState& state) { return createNemboExportDatabase(ctx, state.nemboFolder); }

// The picture button of the Nembo tab: the folder chooser on the folder last
// chosen; the chosen folder becomes the export folder (kept in the settings)
// and its companies are listed, the first selected.
CommandResult chooseNemboFolder(AppContext& ctx, ConsoleState& state)
{
    IniFile settings = ctx.corvSettings();
    const QString last = FolderChooser::lastFolder(settings, keys::kNemboChooserKey);
    FolderChooser chooser(settings, keys::kNemboChooserKey, last.isEmpty() ? state.nemboFolder : last);
    const std::optional<FolderChoice> choice = ctx.ui().chooseFolder(chooser);
    if (!choice)
        return {CommandResult::Outcome::Declined, {}};
    state.nemboFolder = choice->folder;
    const bool saved = settings.write(keys::kNemboFolder, choice->folder);
    state.nemboCompanies = legacy::exportCompanies(state.nemboFolder);
    state.nemboRow = state.nemboCompanies.isEmpty() ? -1 : 0;
    // The lists of the folder left behind mean nothing now.
    state.lists[ConsoleState::NemboTab] = {};
    if (!saved)
        reportUnsavedSettings(ctx, settings);
    return {};
}

CommandResult foreignCodes(AppContext& ctx, ConsoleState&) { return fillForeignCodes(ctx); }

CommandResult definitiveSettlements(AppContext& ctx, ConsoleState&) { return makeSettlementsDefinitive(ctx); }

CommandResult backup(AppContext& ctx, ConsoleState& state) { return backupCorvina(ctx, state.corvinaCompanies, state.corvinaRow); }

CommandResult importDates(AppContext& ctx, ConsoleState& state) { return changeLastImportDates(ctx, state.selectedCorvina()); }

// The Corvina company list read again, the last choice selected; what showed
// the previous rows (lists, results) is emptied.
CommandResult reloadCorvinaCompanies(AppContext& ctx, ConsoleState& state)
{
    QString failure;
    if (!loadCorvinaCompanies(ctx, state, &failure)) {
        reportCorvinaFailure(ctx, failure);
        return {CommandResult::Outcome::Failed, {}};
    }
    state.corvinaRow = static_cast<int>(state.corvinaRowTexts().indexOf(keys::kLastCorvinaRow.read(ctx.corvSettings())));
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
    // The check hands its report to the viewer itself; the command line tells what it found.
    outcome.findings = result.findings;
    if (!result.reportPath.isEmpty())
        outcome.writtenReports << result.reportPath;
    if (!state.exportFormat.isEmpty() && !result.findingRows.isEmpty() && !result.reportPath.isEmpty()) {
        // The findings also for a program, beside the report.
        QList<QStringList> rows;
        for (const GeneralCheckFinding& f : result.findingRows)
            rows << QStringList{f.type, f.code, f.name, QString(f.text).replace(QLatin1String("\r\n"), QLatin1String(" / ")).simplified()};
        const QString path = result.reportPath.left(result.reportPath.lastIndexOf(QLatin1Char('.'))) + QLatin1Char('.') + state.exportFormat;
        QString failure;
        if (!writeRowsExport(path, state.exportFormat, {QStringLiteral("Tipo"), QStringLiteral("Codice"), QStringLiteral("Rag. Soc."), QStringLiteral("Segnalazione")},
                             rows, &failure)) {
            ctx.ui().critical(failure);
            outcome.outcome = Outcome::Failed;
        } else {
            outcome.writtenReports << path;
        }
    }
    return outcome;
}

CommandResult compareSourcesOfConsole(AppContext& ctx, ConsoleState& state);

// A command that opens a record window over the console's selection.
CommandWork openForm(FormKind kind)
{
    return [kind](AppContext& ctx, ConsoleState& state) {
        const bool shown = ctx.ui().showForm(ctx, FormRequest{kind, state.corvinaCompanies, state.corvinaRow});
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
        {QStringLiteral("Cmd_ArPrimaNota"), QStringLiteral("Leggi dati Prima Nota IVA"), ardea, CommandNeeds::ArdeaData, totalArdea,
         QStringLiteral("Totali IVA per Cli/For della Prima Nota Ardea (date di registrazione)")},
        {QStringLiteral("Cmd_ARPIEnti"), QStringLiteral("Controllo PI/CF Enti (8/9)"), ardea, CommandNeeds::ArdeaData, ardeaBodies,
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
        {QStringLiteral("Cmd_AREster"), QStringLiteral("Compila CF Estero"), ardea, CommandNeeds::ArdeaData, foreignCodes,
         QStringLiteral("Compila il CF Estero mancante dei soggetti Esteri da CF o PI")},
        {QStringLiteral("Cmd_ArFlagsIva"), QStringLiteral("Flags Codici IVA"), ardea, CommandNeeds::ArdeaData, openForm(FormKind::ArdeaVatFlags),
         QStringLiteral("Indicatori dei Codici IVA Ardea: elenco e modifica a blocchi")},
        {QStringLiteral("Cmd_ArNatura"), QStringLiteral("Verifica Natura IVA"), ardea, CommandNeeds::ArdeaData, checkNatures,
         QStringLiteral("Righe IVA della Prima Nota senza Natura IVA")},
        {QStringLiteral("Cmd_ArTotali"), QStringLiteral("Totali IVA"), ardea, CommandNeeds::ArdeaData, openForm(FormKind::VatTotals),
         QStringLiteral("Click-DX per messa in Definitivo Liquidazioni"), definitiveSettlements},
        {QStringLiteral("Cmd_ArLiquidazioni"), QStringLiteral("Liquidazioni"), ardea, CommandNeeds::ArdeaData, openForm(FormKind::SettlementRegister),
         QStringLiteral("Stato delle Liquidazioni IVA e obsolescenza degli Articoli")},
        {QStringLiteral("Cmd_NbCartella"), QStringLiteral("..."), nembo, CommandNeeds::Nothing, chooseNemboFolder,
         QStringLiteral("Scelta della Cartella dell'Export di Nembo")},
        {QStringLiteral("Cmd_NbLeggi"), QStringLiteral("Leggi dati per Corvina"), nembo, CommandNeeds::LegacyCompany, nemboReferences,
         QStringLiteral("Legge dall'Export di Nembo: Codici IVA, Cau.Con. e Clienti/Fornitori\n") + kEditorTip, openForm(FormKind::DiskPrintArchive),
         CommandNeeds::Nothing},
        {QStringLiteral("Cmd_NbPrimaNota"), QStringLiteral("Leggi dati Prima Nota IVA"), nembo, CommandNeeds::LegacyCompany, nemboJournal,
         QStringLiteral("Click-Dx per Creare/Aggiornare MDB"), nemboExportDatabase},
        {QStringLiteral("Cmd_PIEnti"), QStringLiteral("Controllo PI/CF Enti (8/9)"), nembo, CommandNeeds::LegacyCompany, nemboBodies,
         QStringLiteral("PI che iniziano per 8/9 (Enti, Associazioni) nei Clienti e Fornitori di Nembo\nClick-Dx per la verifica codici"),
         openForm(FormKind::FiscalCodeWorkbench)},
        {QStringLiteral("Cmd_NbLiquidazioni"), QStringLiteral("Liquidazioni"), nembo, CommandNeeds::LegacyCompany, nemboSettlements, {}},
        {QStringLiteral("Cmd_CvLeggi"), QStringLiteral("Leggi dati da Corvina"), corvina, CommandNeeds::Corvina, readCorvina, kEditorTip,
         openForm(FormKind::DiskPrintArchive), CommandNeeds::Nothing},
        {QStringLiteral("Cmd_CvPrimaNota"), QStringLiteral("Leggi dati Prima Nota IVA"), corvina, CommandNeeds::Corvina, totalCorvina,
         QStringLiteral("Click-DX per Somme Codici IVA"), sumCorvina},
        {QStringLiteral("Cmd_CvPIEnti"), QStringLiteral("Controllo PI/CF Enti (8/9)"), corvina, CommandNeeds::Corvina, corvinaBodies,
         QStringLiteral("PI che iniziano per 8/9 (Enti, Associazioni) nei Clienti e Fornitori Corvina\nClick-Dx per la verifica codici"),
         openForm(FormKind::FiscalCodeWorkbench)},
        {QStringLiteral("Cmd_CvIndIva"), QStringLiteral("Indicatori IVA"), corvina, CommandNeeds::Corvina, openForm(FormKind::CorvinaVatFlags),
         QStringLiteral("Natura IVA dei Codici IVA Corvina: elenco e modifica a blocchi\nClick-Dx per i movimenti per Natura IVA"),
         openForm(FormKind::VatNatureLines)},
        {QStringLiteral("Cmd_CvIndCau"), QStringLiteral("Indicatori CauCon"), corvina, CommandNeeds::Corvina, openForm(FormKind::CorvinaReasonFlags),
         QStringLiteral("Indicatori delle Causali Corvina: elenco e modifica a blocchi\nClick-Dx per i movimenti per Tipo Documento"),
         [](AppContext& ctx, ConsoleState& state) {
             // The document types exist from 2017 on.
             if (state.corvinaYear() != 0 && !vatDataYear(state.corvinaYear())) {
                 ctx.ui().critical(VatLineListing::notBefore2017Message());
                 ctx.ui().beep();
                 return CommandResult{CommandResult::Outcome::Declined, {}};
             }
             return openForm(FormKind::DocumentTypeLines)(ctx, state);
         }},
        {QStringLiteral("Cmd_CvComDati"), QStringLiteral("PI/CF su Com.Dati Fatture"), corvina, CommandNeeds::Corvina, openForm(FormKind::VatDataCodes),
         QStringLiteral("Codici fiscali e Partite IVA mancanti nella Comunicazione Dati Fatture, CF Esteri")},
        {QStringLiteral("Cmd_CvLiquidazioni"), QStringLiteral("Liquidazioni"), corvina, CommandNeeds::Corvina, corvinaSettlements, {}},
        {QStringLiteral("Cmd_CvCombo"), QStringLiteral("Aggiorna il Combo"), corvina, CommandNeeds::Corvina, reloadCorvinaCompanies, {}},
        {QStringLiteral("Cmd_CvBackup"), QStringLiteral("Backup DB Corvina"), corvina, CommandNeeds::Corvina, backup,
         QStringLiteral("Click-DX per Ultime Date Import dati"), importDates},
        {QStringLiteral("Cmd_CvConfronto"), QStringLiteral("Confronto fonti"), corvina, CommandNeeds::BothSources, compareSourcesOfConsole,
         QStringLiteral("Totali IVA per Cli/For di Ardea e di Corvina a confronto, con le differenze\n"
                        "(anno dell'azienda Corvina scelta; le date di registrazione, se indicate)")},
        {QStringLiteral("Cmd_CvConfrontoLiq"), QStringLiteral("Confronto liquidazioni"), corvina, CommandNeeds::BothSources,
         [](AppContext& ctx, ConsoleState& state) { return compareSettlements(ctx, {state.selectedCorvina()}); },
         QStringLiteral("Liquidazioni di Ardea e di Corvina a confronto, periodo per periodo, con le differenze\n"
                        "(anno dell'azienda Corvina scelta)")},
    };
}

} // namespace

ComparisonRequest comparisonRequestOf(const ConsoleState& state)
{
    ComparisonRequest request = ComparisonRequest::ofYear(state.corvinaCompany(), state.corvinaYear(), state.fromDate(), state.toDate());
    request.nemboFolder = state.nemboFolder;
    request.nemboCompany = state.nemboCompany();
    request.exportFormat = state.exportFormat;
    return request;
}

namespace {
CommandResult compareSourcesOfConsole(AppContext& ctx, ConsoleState& state) { return compareSources(ctx, comparisonRequestOf(state)); }
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
    case CommandNeeds::ArdeaData: return ctx.doArdea() && ctx.dataOpen();
    case CommandNeeds::Corvina: return ctx.corvinaOpen();
    case CommandNeeds::BothSources: return ctx.doArdea() && ctx.dataOpen() && ctx.corvinaOpen();
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
    // A command cut short by the user's stop ends stopped, not failed.
    if (result.outcome == Outcome::Failed && ctx.stop().requested())
        result.outcome = Outcome::Stopped;
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
        const Listing listing = corvina ? listCorvinaVatLines(ctx, state.selectedCorvina(), request)
                                        : listArdeaVatLines(ctx, state.fromDate(), state.toDate(), request);
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
