#include "console/UnattendedCommands.h"

#include "context/AppContext.h"
#include "backup/CorvinaBackup.h"
#include "journal/Settlements.h"
#include "forms/FlagLists.h"
#include "maintenance/ArticleObsolescence.h"
#include "maintenance/SettlementRegister.h"
#include "report/ReportFiles.h"
#include "taxcode/TownDatabase.h"
#include "maintenance/VatDataCodes.h"
#include "maintenance/VatLineListing.h"
#include "maintenance/VatTotalsByYear.h"
#include "platform/CorvinaCompany.h"
#include "platform/Ui.h"
#include "report/TableExport.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace corv {

namespace {

// A value of a list of choices as given on the command line: its code
// ("1") or the name after it ("N1", "TD04").
bool valueNamed(const QString& value, const QString& given)
{
    const QString wanted = given.trimmed();
    return flagValueCode(value).trimmed().compare(wanted, Qt::CaseInsensitive) == 0
           || value.section(QLatin1Char('='), 1).section(QLatin1Char(':'), 0, 0).trimmed().compare(wanted, Qt::CaseInsensitive) == 0;
}

// The rows also for a program, when asked: beside `besides` (its extension
// replaced) and among the files the command wrote. False when they could not
// be written (told).
bool exportRows(AppContext& ctx, const UnattendedValues& values, const QString& besides, const QString& heading, const QStringList& lines,
                CommandResult& result)
{
    if (values.exportFormat.isEmpty())
        return true;
    const QFileInfo file(besides);
    const QString path = file.dir().filePath(file.completeBaseName() + QLatin1Char('.') + values.exportFormat);
    QString failure;
    if (!writeTableExport(path, values.exportFormat, heading, lines, &failure)) {
        ctx.ui().critical(failure);
        return false;
    }
    result.writtenReports << path;
    return true;
}

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

// "Liquidazioni" of the Ardea tab without its window: the register of every
// settlement to a text file.
CommandResult settlementRegisterList(AppContext& ctx, ConsoleState&, const UnattendedValues& values)
{
    MaintenanceList list;
    SettlementRegister settlements(ctx, list);
    if (!settlements.refresh())
        return {CommandResult::Outcome::Failed};
    const QString path = settlements.listToViewer(ctx.company().code + QStringLiteral(" - ") + ctx.company().name);
    if (path.isEmpty())
        return {CommandResult::Outcome::Failed};
    CommandResult result(CommandResult::Outcome::Done);
    result.writtenReports << path;
    if (!exportRows(ctx, values, path, SettlementRegister::heading(), list.lines, result))
        result.outcome = CommandResult::Outcome::Failed;
    return result;
}

// The VAT lines of a nature or a document type of the chosen Corvina company
// and year, to a text file, as the right click on their list writes them.
CommandResult vatLinesOf(VatLineKind kind, AppContext& ctx, ConsoleState& state, const UnattendedValues& values)
{
    VatLineListing listing(ctx, kind);
    // "N2" or "TD04" as the communications name them ("0": none given).
    const auto nameOf = [](const QString& value) {
        return flagValueCode(value).trimmed() == QLatin1String("0") ? QStringLiteral("0")
                                                                    : value.section(QLatin1Char('='), 1).section(QLatin1Char(':'), 0, 0).trimmed();
    };
    QString chosen;
    for (const QString& value : listing.values()) {
        if (valueNamed(value, values.listingValue))
            chosen = value;
    }
    if (chosen.isEmpty()) {
        QStringList codes;
        for (const QString& value : listing.values())
            codes << nameOf(value);
        ctx.ui().critical(QStringLiteral("Valore da elencare non valido : \"") + values.listingValue + QStringLiteral("\" (--valore ")
                          + codes.join(QLatin1Char(',')) + QLatin1Char(')'));
        return {CommandResult::Outcome::Declined};
    }
    if (!listing.list(state.selectedCorvina(), chosen, true) && listing.lines().isEmpty()) {
        CommandResult none(CommandResult::Outcome::Done);
        return none; // nothing of that kind: no file
    }
    const QString path = listing.listToViewer(corvinaCompanyRow(state.selectedCorvina()));
    if (path.isEmpty())
        return {CommandResult::Outcome::Failed};
    CommandResult result(CommandResult::Outcome::Done);
    result.writtenReports << path;
    // Lines without a nature (or type) are what the communications refuse.
    if (nameOf(chosen) == QLatin1String("0"))
        result.findings = static_cast<int>(listing.lines().size());
    return result;
}

// "Backup DB Corvina" without its window: the choices kept by the window (the
// databases, the destination), or the folder given.
CommandResult corvinaBackupOf(AppContext& ctx, ConsoleState&, const UnattendedValues& values)
{
    const IniFile settings = ctx.corvSettings();
    backup::BackupSettings choices = backup::BackupSettings::read(settings);
    choices.path0 = backup::productBackupFolder(ctx.registry());
    if (!values.backupFolder.isEmpty()) {
        choices.destination = 1;
        choices.path1 = values.backupFolder;
    }
    choices.execute = true;
    CommandResult result = runCorvinaBackup(ctx, choices);
    return result;
}

// The right click on "Totali IVA" with the period given: in a window, typing
// the period is the consent; here it is asked as a change.
CommandResult settlementsToDefinitive(AppContext& ctx, ConsoleState&, const UnattendedValues& values)
{
    const auto last = parseSettlementPeriod(values.settlementPeriod);
    if (!last) {
        ctx.ui().critical(QStringLiteral("Periodo NON Valido !! : ") + values.settlementPeriod);
        return {CommandResult::Outcome::Declined};
    }
    if (ctx.ui().confirmChange(QStringLiteral("Metto a Definitivo le liquidazioni provvisorie fino al periodo %1/%2 ?")
                                   .arg(last->month, 2, 10, QLatin1Char('0'))
                                   .arg(last->year),
                               QStringLiteral("Messa in Definitivo Liquidazioni"))
        != Ui::Answer::Yes)
        return {CommandResult::Outcome::Declined};
    return makeSettlementsDefinitiveUpTo(ctx, *last);
}

// "Verifica Natura IVA" as its button runs it; its rows counted as findings.
CommandResult naturesMissing(AppContext& ctx, ConsoleState& state, const UnattendedValues&)
{
    CommandResult result = findConsoleCommand(QStringLiteral("Cmd_ArNatura"))->run(ctx, state);
    if (result.outcome == CommandResult::Outcome::Done && !state.results.lines.isEmpty()) {
        result.findings = static_cast<int>(state.results.lines.size());
        result.dataName = QStringLiteral("NatureMancanti_") + ctx.company().code; // the list's file, unattended
    }
    return result;
}

// "PI/CF su Com.Dati Fatture" without its window: the customers' codes into
// the rows of a communication that lack them. In the window the button is the
// consent; here it is asked as a change.
CommandResult vatDataCodesOf(AppContext& ctx, ConsoleState& state, const UnattendedValues& values)
{
    using Outcome = CommandResult::Outcome;
    VatDataCodes codes(ctx, state.selectedCorvina());
    if (!codes.readCommunications())
        return {Outcome::Failed};
    qsizetype index = values.communication == 0 && !codes.communications().isEmpty() ? 0 : -1;
    for (qsizetype i = 0; i < codes.communications().size() && index < 0; ++i) {
        if (codes.communications()[i].section(QLatin1Char('|'), 0, 0).toInt() == values.communication)
            index = i;
    }
    if (index < 0) {
        ctx.ui().critical(values.communication == 0 ? QStringLiteral("Nessuna comunicazione dati fatture per l'azienda e l'anno")
                                                    : QStringLiteral("Comunicazione dati fatture %1 non trovata").arg(values.communication));
        return {Outcome::Declined};
    }
    const int number = codes.communications()[index].section(QLatin1Char('|'), 0, 0).toInt();
    if (!codes.readRows(static_cast<int>(index)))
        return {Outcome::Failed};
    if (codes.lines().isEmpty())
        return {Outcome::Done}; // every row has its codes
    if (ctx.ui().confirmChange(QStringLiteral("Compilo P.IVA/C.F. dei clienti su %1 righe della comunicazione %2 ?").arg(codes.lines().size()).arg(number),
                               QStringLiteral("PI/CF su Com.Dati Fatture"))
        != Ui::Answer::Yes)
        return {Outcome::Declined};
    const int changed = codes.fillCodes();
    ctx.ui().message(QStringLiteral("Righe compilate : %1").arg(changed), QStringLiteral("PI/CF su Com.Dati Fatture"));
    return {Outcome::Done};
}

// "Flags Codici IVA" and "Indicatori IVA" without their windows: every code
// of the company's list whose indicator differs from the value is set to it.
CommandResult flagCorrection(FlagSource source, AppContext& ctx, ConsoleState& state, const UnattendedValues& values)
{
    using Outcome = CommandResult::Outcome;
    Ui& ui = ctx.ui();
    FlagList flags(ctx, source, state.corvinaCompanies);
    const QList<FlagIndicator>& indicators = flags.description().indicators;
    int indicator = -1;
    QStringList settable;
    for (int i = 0; i < indicators.size(); ++i) {
        if (indicators[i].column.isEmpty())
            continue; // shown, never set
        settable << indicators[i].column;
        if (indicators[i].column.compare(values.indicator, Qt::CaseInsensitive) == 0
            || indicators[i].name.compare(values.indicator, Qt::CaseInsensitive) == 0 || QString::number(i + 1) == values.indicator.trimmed())
            indicator = i;
    }
    if (indicator < 0) {
        ui.critical(QStringLiteral("Indicatore non valido : ") + values.indicator + QStringLiteral(" (") + settable.join(QStringLiteral(", ")) + QLatin1Char(')'));
        return {Outcome::Declined};
    }
    const auto chosen = std::find_if(indicators[indicator].values.begin(), indicators[indicator].values.end(),
                                     [&](const QString& value) { return valueNamed(value, values.listingValue); });
    if (chosen == indicators[indicator].values.end()) {
        ui.critical(QStringLiteral("Valore non valido per ") + indicators[indicator].name + QStringLiteral(" : ") + values.listingValue);
        return {Outcome::Declined};
    }
    // The company's own list: its common database in Ardea, the chosen company and year in Corvina.
    const int from = source == FlagSource::ArdeaVatCodes ? static_cast<int>(flags.sources().indexOf(ctx.login().commonDatabase)) : state.corvinaRow;
    if (from < 0) {
        ui.critical(QStringLiteral("Elenco dei codici dell'azienda non trovato"));
        return {Outcome::Declined};
    }
    if (!flags.read(from))
        return {Outcome::Failed};
    const QList<int> rows = flags.rowsToCorrect(indicator, *chosen);
    if (rows.isEmpty())
        return {Outcome::Done};
    if (ui.confirmChange(QStringLiteral("Imposto %1 = %2 su %3 codici di %4 ?")
                             .arg(indicators[indicator].name, chosen->trimmed())
                             .arg(rows.size())
                             .arg(flags.sourceName()),
                         flags.description().caption)
        != Ui::Answer::Yes)
        return {Outcome::Declined};
    const int changed = flags.apply(rows, indicator, *chosen);
    ui.message(QStringLiteral("Codici modificati : %1").arg(changed), flags.description().caption);
    return {changed == rows.size() ? Outcome::Done : Outcome::Failed};
}

// "CF Estero" of the same window: the foreign subjects' empty foreign fiscal
// codes filled for the chosen Corvina company and year (asked as a change).
CommandResult vatDataForeignCodesOf(AppContext& ctx, ConsoleState& state, const UnattendedValues&)
{
    VatDataCodes codes(ctx, state.selectedCorvina());
    const QString report = codes.fillForeignCodes();
    if (report.isEmpty())
        return {CommandResult::Outcome::Declined};
    CommandResult result(CommandResult::Outcome::Done);
    result.writtenReports << report; // already handed to the viewer
    return result;
}

// The register's "Imposta" without its window: the settlements named moved to
// the state (asked as a change); one the register lacks is said, nothing else
// changes then.
CommandResult settlementStateOf(AppContext& ctx, ConsoleState&, const UnattendedValues& values)
{
    using Outcome = CommandResult::Outcome;
    MaintenanceList list;
    SettlementRegister settlements(ctx, list);
    if (!settlements.refresh())
        return {Outcome::Failed};
    QList<int> chosen;
    QStringList missing;
    for (const QString& named : values.settlementPeriods) {
        const int month = named.section(QLatin1Char('/'), 0, 0).toInt();
        const int year = named.section(QLatin1Char('/'), 1, 1).toInt();
        const qsizetype before = chosen.size();
        for (int i = 0; i < settlements.settlements().size(); ++i) {
            const SettlementRegister::Settlement& s = settlements.settlements()[i];
            if (s.year == year && s.period.trimmed().toInt() == month)
                chosen << i;
        }
        if (chosen.size() == before)
            missing << named;
    }
    if (!missing.isEmpty()) {
        ctx.ui().critical(QStringLiteral("Liquidazioni non presenti nel registro : ") + missing.join(QStringLiteral(", ")));
        return {Outcome::Declined};
    }
    const QStringList states = SettlementRegister::stateChoices();
    const auto state = std::find_if(states.begin(), states.end(), [&](const QString& name) {
        return name.startsWith(values.settlementState.trimmed().left(1), Qt::CaseInsensitive) && !values.settlementState.trimmed().isEmpty();
    });
    if (state == states.end()) {
        ctx.ui().critical(QStringLiteral("Stato non valido : ") + values.settlementState + QStringLiteral(" (") + states.join(QStringLiteral(", ")) + QLatin1Char(')'));
        return {Outcome::Declined};
    }
    const int changed = settlements.setState(chosen, *state);
    ctx.ui().message(QStringLiteral("Liquidazioni impostate a '%1' : %2").arg(*state).arg(changed), QStringLiteral("Liquidazioni"));
    return {Outcome::Done};
}

// The article search of the stock window without it: the articles with
// nothing since the cut-off, to a list file; with `stamp`, then stamped
// obsolete at that date (asked as a change).
CommandResult obsoleteArticles(AppContext& ctx, const UnattendedValues& values, bool stamp)
{
    using Outcome = CommandResult::Outcome;
    MaintenanceList list;
    ArticleObsolescence articles(ctx, list);
    ArticleSearch search;
    search.cutOff = values.articleCutOff;
    search.code = values.articleCode;
    if (!articles.search(search))
        return {ctx.stop().requested() ? Outcome::Stopped : Outcome::Failed};
    CommandResult result(Outcome::Done);
    result.findings = static_cast<int>(list.lines.size());
    if (list.lines.isEmpty())
        return result;
    const QString path = listToFile(ctx.ui(), QStringList{ArticleObsolescence::heading()} + list.lines, ctx.viewer(), ctx.paths());
    if (path.isEmpty())
        return {Outcome::Failed};
    result.writtenReports << path;
    if (!exportRows(ctx, values, path, ArticleObsolescence::heading(), list.lines, result))
        return {Outcome::Failed};
    if (stamp) {
        QList<int> every;
        for (int i = 0; i < list.lines.size(); ++i)
            every << i;
        const int changed = articles.apply(every, values.articleCutOff);
        ctx.ui().message(QStringLiteral("Articoli resi obsoleti : %1").arg(changed), QStringLiteral("Articoli"));
        result.findings = 0; // what was found is now stamped
    }
    return result;
}

// "Indicatori CauCon" without its window: the flags named by `indicator`
// (columns or captions, comma-separated) set on the reasons named, for the
// chosen Corvina company and year (asked as a change).
CommandResult reasonFlagsOf(AppContext& ctx, ConsoleState& state, const UnattendedValues& values)
{
    using Outcome = CommandResult::Outcome;
    Ui& ui = ctx.ui();
    QStringList columns, known;
    for (const QString& wanted : values.indicator.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const auto flag = std::find_if(std::begin(kReasonFlags), std::end(kReasonFlags), [&](const BooleanFlag& f) {
            return wanted.trimmed().compare(QLatin1String(f.column), Qt::CaseInsensitive) == 0
                   || wanted.trimmed().compare(QString::fromUtf8(f.caption), Qt::CaseInsensitive) == 0;
        });
        if (flag == std::end(kReasonFlags)) {
            for (const BooleanFlag& f : kReasonFlags)
                known << QString::fromUtf8(f.column);
            ui.critical(QStringLiteral("Indicatore non valido : ") + wanted + QStringLiteral(" (") + known.join(QStringLiteral(", ")) + QLatin1Char(')'));
            return {Outcome::Declined};
        }
        columns << QString::fromUtf8(flag->column);
    }
    FlagList flags(ctx, FlagSource::CorvinaReasons, state.corvinaCompanies);
    if (!flags.read(state.corvinaRow))
        return {Outcome::Failed};
    QList<int> rows;
    QStringList missing;
    for (const QString& reason : values.reasons) {
        const qsizetype at = flags.keys().indexOf(reason.trimmed());
        if (at < 0)
            missing << reason;
        else
            rows << static_cast<int>(at);
    }
    if (!missing.isEmpty()) {
        ui.critical(QStringLiteral("Causali non trovate : ") + missing.join(QStringLiteral(", ")));
        return {Outcome::Declined};
    }
    if (ui.confirmChange(QStringLiteral("Imposto %1 sulle causali %2 ?").arg(columns.join(QStringLiteral(", ")), values.reasons.join(QStringLiteral(", "))),
                         flags.description().caption)
        != Ui::Answer::Yes)
        return {Outcome::Declined};
    const int changed = flags.setFlags(rows, columns, false);
    ui.message(QStringLiteral("Causali modificate : %1").arg(changed), flags.description().caption);
    return {changed == rows.size() ? Outcome::Done : Outcome::Failed};
}

// "Rilettura Località" of the fiscal code workbench without it: the town
// table rebuilt from LOCALITA.TXT and NAZIONI.TXT (asked as a change).
CommandResult townRebuild(AppContext& ctx, ConsoleState&, const UnattendedValues&)
{
    using Outcome = CommandResult::Outcome;
    Ui& ui = ctx.ui();
    if (!QFileInfo::exists(towns::databasePath(ctx))) {
        ui.critical(towns::kDatabaseMessage);
        return {Outcome::Failed};
    }
    if (!ui.askToChange(QStringLiteral("Confermi rilettura File Località ?")))
        return {Outcome::Declined};
    Feedback progress = ctx.feedback();
    const towns::RebuildResult result = towns::rebuild(ctx, [&](const QString& key) { progress.step([&] { return key; }); });
    if (!result.ok) {
        ui.critical(result.error);
        return {ctx.stop().requested() ? Outcome::Stopped : Outcome::Failed};
    }
    ui.message(QStringLiteral("Località lette : %1, scartate : %2, nazioni : %3, senza località : %4")
                   .arg(result.towns)
                   .arg(result.skipped)
                   .arg(result.nations)
                   .arg(result.unmatched),
               QStringLiteral("Località"));
    return {Outcome::Done};
}

} // namespace

const QList<UnattendedCommand>& unattendedCommands()
{
    static const QList<UnattendedCommand> table = {
        {QStringLiteral("ardea-leggi"), QStringLiteral("Cmd_ArLeggi")},
        {QStringLiteral("ardea-totali"), QStringLiteral("Cmd_ArPrimaNota"), false, QStringLiteral("Cmd_ArLeggi")},
        {QStringLiteral("ardea-enti"), QStringLiteral("Cmd_ARPIEnti"), true},
        {QStringLiteral("localita-ricarica"), QStringLiteral("Cmd_ARPIEnti"), true, {}, townRebuild, {}, true},
        {QStringLiteral("controllo-generale"), QStringLiteral("Cmd_ARChkCFPI"), true},
        {QStringLiteral("ardea-cf-esteri"), QStringLiteral("Cmd_AREster"), true},
        {QStringLiteral("ardea-nature"), QStringLiteral("Cmd_ArNatura"), false, {}, naturesMissing},
        {QStringLiteral("indicatori-iva-ardea"), QStringLiteral("Cmd_ArFlagsIva"), true, {},
         [](AppContext& c, ConsoleState& s, const UnattendedValues& v) { return flagCorrection(FlagSource::ArdeaVatCodes, c, s, v); },
         {QStringLiteral("--indicatore"), QStringLiteral("--valore")}},
        {QStringLiteral("totali-iva-anno"), QStringLiteral("Cmd_ArTotali"), false, {}, vatTotalsOfYear},
        {QStringLiteral("liquidazioni-elenco"), QStringLiteral("Cmd_ArLiquidazioni"), false, {}, settlementRegisterList},
        // The window's second button: after the first, so the button's name names the first.
        {QStringLiteral("liquidazioni-stato"), QStringLiteral("Cmd_ArLiquidazioni"), true, {}, settlementStateOf,
         {QStringLiteral("--stato"), QStringLiteral("--periodi")}},
        {QStringLiteral("articoli-obsoleti"), QStringLiteral("Cmd_ArLiquidazioni"), false, {},
         [](AppContext& c, ConsoleState&, const UnattendedValues& v) { return obsoleteArticles(c, v, false); }, {QStringLiteral("--data-obsolescenza")}},
        {QStringLiteral("articoli-obsoleti-marca"), QStringLiteral("Cmd_ArLiquidazioni"), true, {},
         [](AppContext& c, ConsoleState&, const UnattendedValues& v) { return obsoleteArticles(c, v, true); }, {QStringLiteral("--data-obsolescenza")}},
        {QStringLiteral("liquidazioni-definitive"), QStringLiteral("Cmd_ArTotali"), true, {}, settlementsToDefinitive, {QStringLiteral("--periodo")}, true},
        {QStringLiteral("nembo-leggi"), QStringLiteral("Cmd_NbLeggi")},
        {QStringLiteral("nembo-totali"), QStringLiteral("Cmd_NbPrimaNota"), false, QStringLiteral("Cmd_NbLeggi")},
        {QStringLiteral("nembo-enti"), QStringLiteral("Cmd_PIEnti")},
        {QStringLiteral("nembo-liquidazioni"), QStringLiteral("Cmd_NbLiquidazioni")},
        {QStringLiteral("corvina-leggi"), QStringLiteral("Cmd_CvLeggi")},
        {QStringLiteral("corvina-totali"), QStringLiteral("Cmd_CvPrimaNota")},
        {QStringLiteral("corvina-enti"), QStringLiteral("Cmd_CvPIEnti")},
        {QStringLiteral("corvina-liquidazioni"), QStringLiteral("Cmd_CvLiquidazioni")},
        {QStringLiteral("indicatori-iva-corvina"), QStringLiteral("Cmd_CvIndIva"), true, {},
         [](AppContext& c, ConsoleState& s, const UnattendedValues& v) { return flagCorrection(FlagSource::CorvinaVatCodes, c, s, v); },
         {QStringLiteral("--indicatore"), QStringLiteral("--valore")}},
        {QStringLiteral("indicatori-causali"), QStringLiteral("Cmd_CvIndCau"), true, {}, reasonFlagsOf,
         {QStringLiteral("--indicatore"), QStringLiteral("--causali")}},
        {QStringLiteral("righe-natura"), QStringLiteral("Cmd_CvIndIva"), false, {},
         [](AppContext& c, ConsoleState& s, const UnattendedValues& v) { return vatLinesOf(VatLineKind::Nature, c, s, v); },
         QStringList{QStringLiteral("--valore")}, true},
        {QStringLiteral("righe-tipo-documento"), QStringLiteral("Cmd_CvIndCau"), false, {},
         [](AppContext& c, ConsoleState& s, const UnattendedValues& v) { return vatLinesOf(VatLineKind::DocumentType, c, s, v); },
         QStringList{QStringLiteral("--valore")}, true},
        {QStringLiteral("confronto"), QStringLiteral("Cmd_CvConfronto")},
        {QStringLiteral("confronto-liquidazioni"), QStringLiteral("Cmd_CvConfrontoLiq")},
        {QStringLiteral("corvina-backup"), QStringLiteral("Cmd_CvBackup"), true, {}, corvinaBackupOf},
        {QStringLiteral("com-dati-codici"), QStringLiteral("Cmd_CvComDati"), true, {}, vatDataCodesOf},
        // The window's second button: after the first, so the button's name names the first.
        {QStringLiteral("com-dati-cf-esteri"), QStringLiteral("Cmd_CvComDati"), true, {}, vatDataForeignCodesOf},
    };
    return table;
}

const UnattendedCommand* findUnattendedCommand(const QString& name)
{
    for (const UnattendedCommand& command : unattendedCommands()) {
        if (command.name.compare(name, Qt::CaseInsensitive) == 0 || (!command.rightClick && command.objectName.compare(name, Qt::CaseInsensitive) == 0))
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
