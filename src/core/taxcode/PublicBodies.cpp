#include "taxcode/PublicBodies.h"

#include "journal/RowLines.h"
#include "db/Connections.h"
#include "db/Dialect.h"
#include "db/FieldRow.h"
#include "db/KeysetReader.h"
#include "db/RowEditor.h"
#include "platform/ExportFiles.h"
#include "listview/Rs2List.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "report/FixedLine.h"
#include "report/ReportFile.h"
#include "util/Feedback.h"
#include "util/TextUtil.h"

#include <QFileInfo>

namespace corv {

namespace {

using Outcome = CommandResult::Outcome;
const QString kBodiesTitle = QStringLiteral("PI Enti/Associazioni");

bool allDigits(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

bool bodyCode(const QString& vatNumber) { return vatNumber.startsWith(QLatin1Char('8')) || vatNumber.startsWith(QLatin1Char('9')); }

} // namespace

QString ardeaPublicBodiesReportPath(AppContext& ctx)
{
    return companyReportPath(ctx.paths(), QStringLiteral("\\PI_EntiAR_"), ctx.company().code, QStringLiteral(".log"));
}

namespace {

QString ardeaReportPath(AppContext& ctx) { return ardeaPublicBodiesReportPath(ctx); }

// The walk of the move: every role of every subject whose current or
// historical VAT number begins with 8 or 9.
QString walkFrom()
{
    return QStringLiteral(" FROM CO_CLIFOR AS c"
                          " LEFT JOIN CA_ANAGRAFICHE AS a ON (a.cod_anagra=c.cod_clifor)"
                          " LEFT JOIN CA_ANAGRAFICHE_STO AS s ON (s.cod_anagra=c.cod_clifor)"
                          " LEFT JOIN CA_NAZIONI AS n ON (a.cod_naz=n.cod_naz)");
}
QString walkColumns()
{
    return QStringLiteral("SELECT a.cod_anagra, c.ind_clifor, a.des_ragsoc, a.flg_pers_fis, a.cod_cfisc, a.cod_piva, a.ind_tipo_diciva"
                          ", s.cod_cfisc AS cod_cfisc_s, s.cod_piva AS cod_piva_s, s.ind_tipo_diciva AS ind_tipo_diciva_s"
                          ", s.flg_pers_fis AS flg_pers_fis_s, c.flg_allegato, c.ind_tipo_diciva AS ind_tipo_diciva_cf");
}
QString walkCondition()
{
    return QStringLiteral(" WHERE (a.cod_piva LIKE '9%' OR a.cod_piva LIKE '8%' "
                          " OR s.cod_piva LIKE '9%' OR s.cod_piva LIKE '8%') AND n.ind_area_naz='0'");
}

// The move of one subject, current and historical registry apart.
class BodyMove {
public:
    BodyMove(AppContext& ctx, ReportFile& report) : ctx_(ctx), report_(report), db_(ctx.connections().db(Connections::Company)) {}

    bool run();
    int findings() const { return findings_; }
    bool stopped() const { return stopped_; }

private:
    // Moves one registry's VAT number; true when its VAT number is now empty.
    bool move(const FieldRow& row, const QString& table, const char* suffix, const QString& label, const QString& code, QString& moves,
              bool& emptied);
    void note(const QString& code, const QString& text)
    {
        report_.write(code + QStringLiteral(": ") + text);
        ++findings_;
    }
    bool saved(RowEditor& editor, const QString& table);

    AppContext& ctx_;
    ReportFile& report_;
    QSqlDatabase db_;
    int findings_ = 0;
    bool failed_ = false;
    bool stopped_ = false;
};

bool BodyMove::saved(RowEditor& editor, const QString& table)
{
    QString error;
    if (editor.save(&error) != RowEditor::SaveResult::Failed)
        return true;
    ctx_.log().write(QStringLiteral("*** ERRORE aggiornamento ") + table + QStringLiteral(" : ") + error);
    ctx_.ui().critical(QStringLiteral("Errore di aggiornamento del database :\r\n") + error, kBodiesTitle);
    failed_ = true;
    return false;
}

bool BodyMove::move(const FieldRow& row, const QString& table, const char* suffix, const QString& label, const QString& code, QString& moves,
                    bool& emptied)
{
    emptied = false;
    const auto value = [&](const char* column) { return row.value(QLatin1String(column) + QLatin1String(suffix)); };
    QString pi = value("cod_piva").toString().trimmed();
    if (!pi.isEmpty() && !allDigits(pi)) {
        note(code, (*suffix ? QStringLiteral(" - PI STO NON Numerica !! ") : QStringLiteral(" - PI     NON Numerica !! ")) + pi);
        pi.clear();
    }
    // Only a VAT number of its own that begins with 8 or 9 moves: the walk
    // also brings subjects whose other registry has one.
    if (pi.isEmpty() || !bodyCode(pi))
        return true;
    QVariantMap original;
    for (const char* column : {"cod_cfisc", "cod_piva", "flg_pers_fis", "ind_tipo_diciva"})
        original.insert(QLatin1String(column), value(column));
    RowEditor editor(db_, table, QStringLiteral("cod_anagra"), row.value(QStringLiteral("cod_anagra")), original);
    const QString cf = value("cod_cfisc").toString().trimmed();
    if (!cf.isEmpty() && cf != pi) {
        note(code, label + cf + QStringLiteral(" NON Vuoto !! PI: ") + pi + QStringLiteral(" - "));
        return true;
    }
    if (cf == pi) {
        editor.set(QStringLiteral("cod_piva"), QVariant(QMetaType::fromType<QString>()));
        moves += QStringLiteral(" PI<->CF");
    } else {
        editor.set(QStringLiteral("cod_cfisc"), pi);
        editor.set(QStringLiteral("cod_piva"), QVariant(QMetaType::fromType<QString>()));
        editor.set(QStringLiteral("flg_pers_fis"), QStringLiteral("0"));
        moves += QStringLiteral(" PI->CF");
    }
    if (editor.value(QStringLiteral("cod_piva")).toString().trimmed().isEmpty()) {
        editor.set(QStringLiteral("ind_tipo_diciva"), QStringLiteral("C"));
        emptied = true;
    }
    return saved(editor, table);
}

bool BodyMove::run()
{
    const QString keySql = QStringLiteral("SELECT a.cod_anagra") + walkFrom() + walkCondition() + QStringLiteral(" ORDER BY a.cod_anagra");
    const QString rowSql = walkColumns() + walkFrom() + QStringLiteral(" WHERE a.cod_anagra IN %1 ORDER BY a.cod_anagra, c.ind_clifor");
    KeysetReader reader(db_, keySql, rowSql, QStringLiteral("cod_anagra"));
    if (!reader.start()) {
        ctx_.ui().critical(kReadFailure + QStringLiteral("\r\n") + reader.error(), kBodiesTitle);
        return false;
    }
    FieldRow row;
    QString last;
    bool customerKind = false; // the subject's current VAT number is gone: every role declares "C"
    Feedback feedback = ctx_.feedback();
    while (!failed_ && reader.next(row)) {
        const QString code = row.value(QStringLiteral("cod_anagra")).toString();
        if (code != last) {
            // Between two subjects: what was moved stays moved.
            if (feedback.stopRequested()) {
                stopped_ = true;
                report_.write(QStringLiteral("*** Interrotto dall'utente"));
                return true;
            }
            last = code;
            QString moves;
            bool historicalEmptied = false;
            if (!move(row, QStringLiteral("CA_ANAGRAFICHE"), "", QStringLiteral("CF    "), code, moves, customerKind)
                || !move(row, QStringLiteral("CA_ANAGRAFICHE_STO"), "_s", QStringLiteral("CFSTO "), code, moves, historicalEmptied))
                return false;
            if (customerKind || historicalEmptied)
                reader.invalidate(code);
            feedback.step([&] { return code + moves; });
        }
        if (customerKind) {
            RowEditor role(db_, QStringLiteral("CO_CLIFOR"),
                           RowKey{{QStringLiteral("ind_clifor"), row.value(QStringLiteral("ind_clifor"))}, {QStringLiteral("cod_clifor"), code}},
                           QVariantMap{{QStringLiteral("ind_tipo_diciva"), row.value(QStringLiteral("ind_tipo_diciva_cf"))}});
            role.set(QStringLiteral("ind_tipo_diciva"), QStringLiteral("C"));
            if (!saved(role, QStringLiteral("CO_CLIFOR")))
                return false;
        }
    }
    if (!reader.error().isEmpty()) {
        ctx_.ui().critical(kReadFailure + QStringLiteral("\r\n") + reader.error(), kBodiesTitle);
        return false;
    }
    return !failed_;
}

} // namespace

QString ardeaPublicBodiesSql(const Dialect& dialect)
{
    return QStringLiteral("SELECT ") + dialect.concat({QStringLiteral("c.cod_clifor"), QStringLiteral("c.ind_clifor")})
           + QStringLiteral(" AS cod_clifor, a.des_ragsoc, a.cod_piva, a.cod_cfisc"
                            ", a.cod_naz, n.ind_area_naz, a.flg_pers_fis, a.ind_tipo_diciva, c.ind_tipo_diciva AS ind_tipo_diciva_cf"
                            ", c.flg_allegato"
                            " FROM CO_CLIFOR AS c"
                            " LEFT JOIN CA_ANAGRAFICHE AS a ON (a.cod_anagra=c.cod_clifor)"
                            " LEFT JOIN CA_NAZIONI AS n ON (a.cod_naz=n.cod_naz)"
                            " WHERE (a.cod_piva LIKE '9%' OR a.cod_piva LIKE '8%') AND n.ind_area_naz='0'"
                            " ORDER BY a.cod_piva, c.cod_clifor, c.ind_clifor");
}

QString ardeaPublicBodiesHeading()
{
    return QStringLiteral("Cod. CF| Rag.Soc.                                                   | P.I.           | C.F.           |=<>|Naz|AreaN|PF |Dic|DCF|EsAll|");
}

QString nemboPublicBodiesHeading()
{
    return QStringLiteral("Cod. CF | Rag.Soc.                                                   | P.I.           | C.F.           |PF|Cf|NR|Naz|");
}

CommandResult checkArdeaPublicBodies(AppContext& ctx, const ResultsSink& show)
{
    Ui& ui = ctx.ui();
    if (show)
        show({ardeaPublicBodiesHeading(), {}});
    ui.status(QString());
    const QSqlDatabase db = ctx.connections().db(Connections::Company);
    QStringList lines;
    if (!readRowLines(ctx, db, ardeaPublicBodiesSql(dialectOf(db)), {}, [](RowColumns& c, const RowReader& r) {
            c.text("cod_clifor", 7).text("des_ragsoc", 60).text("cod_piva", 16).text("cod_cfisc", 16);
            const QString pi = r.text(c.at("cod_piva")), cf = r.text(c.at("cod_cfisc"));
            c.line().literal(pi == cf ? u" = |" : u"<> |");
            return c.text("cod_naz", 3).text("ind_area_naz", 5).text("flg_pers_fis", 3).text("ind_tipo_diciva", 3).text("ind_tipo_diciva_cf", 3)
                .text("flg_allegato", 5).take();
        }, lines))
        return {Outcome::Failed, {}};
    // The list stays before the user while the check asks and moves.
    const ResultList found{ardeaPublicBodiesHeading(), lines};
    if (show)
        show(found);
    const auto handBack = [&found](CommandResult result) {
        result.results = found;
        result.sorted = CompactLines();
        return result;
    };
    ReportFile report(ardeaReportPath(ctx));
    report.write(QStringLiteral("***** Inizio Controllo PI Enti per Azienda : ") + ctx.company().code);
    if (lines.isEmpty()) {
        ui.beep();
        ui.message(QStringLiteral("\r\nNessuna PI Apparente Italiana Presente !"), kConsoleTitle);
        ui.status(QStringLiteral("Termine Controllo PI Enti (8/9)"));
        ui.beep();
        if (!report.close())
            ui.critical(report.failureText());
        return handBack({});
    }
    ui.message(QStringLiteral("ATTENZIONE !!\r\nPresenti codici con PI errata in quanto in realtà\r\nè un CODICE FISCALE di persone NON FISICHE\r\n"
                              "e NON Titolari di Partita Iva !!"),
               kBodiesTitle, Ui::Icon::Critical);
    if (!ui.askToChange(QStringLiteral("Confermi spostamento Automatico PI su CF, se inizia per 8/9 ?"))) {
        ui.message(QStringLiteral("ATTENZIONE !!\r\nDalla gestione ANAGRAFICHE COMUNI\r\ncopiare sul gestionale la PI sul CF e cancellare la PI,\r\n"
                                  "modificare eventualmente anche gli indicatori specificati sopra."),
                   kBodiesTitle, Ui::Icon::Information);
        ui.beep();
        if (!report.close())
            ui.critical(report.failureText());
        return handBack(Outcome::Declined);
    }
    Rs2ListOptions options;
    options.title = QStringLiteral("PI_Enti");
    const Rs2ListResult list = Rs2List(ctx, db, walkColumns() + walkFrom() + walkCondition() + QStringLiteral(" ORDER BY a.cod_anagra"), options);
    if (list.ok)
        ui.showList(list);
    BodyMove move(ctx, report);
    const bool done = move.run();
    if (!report.close()) {
        ui.critical(report.failureText() + QStringLiteral("\r\n\r\nLe correzioni già salvate restano."), kBodiesTitle);
        return handBack(Outcome::Failed);
    }
    QString status = QStringLiteral("Terminato CF / PI Enti !!");
    ui.status(status);
    ui.beep();
    CommandResult result{move.stopped() ? Outcome::Stopped : done ? Outcome::Done : Outcome::Failed, {}};
    result.findings = move.findings();
    if (move.findings() > 0) {
        ui.status(status + QStringLiteral(" - %1 Segnalazioni !!").arg(move.findings()));
        ui.beep();
        presentReport(ui, ctx.viewer(), report.path());
    }
    ui.status(QStringLiteral("Termine Controllo PI Enti (8/9)."));
    return handBack(result);
}

CommandResult checkCorvinaPublicBodies(AppContext& ctx, const CorvinaCompany& company, const ResultsSink& show)
{
    Ui& ui = ctx.ui();
    if (show)
        show({});
    if (company.year == 0) {
        ui.beep();
        ui.status(QStringLiteral("NESSUN ANNO NEL COMBO AZIENDE !!"));
        return {Outcome::Declined, {}};
    }
    QStringList lines;
    const QString sql = QStringLiteral("SELECT * FROM CustomerSupplier") + QStringLiteral(" WHERE VATYear=?") + QStringLiteral(" AND CompanyCode=?")
                        + QStringLiteral(" AND (VATRegNo LIKE '8%' OR VATRegNo LIKE '9%')") + QStringLiteral(" ORDER BY CustSupplCode, CustSupplType");
    if (!readRowLines(ctx, ctx.connections().db(Connections::Corvina), sql, {company.year, company.code},
                      [](RowColumns& c, const RowReader& r) {
                          const QString type = r.text(c.at("CustSupplType")).trimmed();
                          c.line().literal(r.text(c.at("CustSupplCode")) + (type == QLatin1String("1") ? u'C' : u'F')).literal(u"|");
                          c.text("CompanyName", 40).line().literal(u"?|");
                          return c.text("VATRegNo", 16).text("FiscalCode", 16).text("PhysicalPerson", 1).text("C3SubjectType", 1).take();
                      },
                      lines))
        return {Outcome::Failed, {}};
    ui.status(QString());
    CommandResult result;
    if (lines.isEmpty()) {
        ui.message(QStringLiteral("Nessuna PI apparente rilevata !!"));
        return result;
    }
    result.results = ResultList{QString(), lines};
    result.findings = static_cast<int>(lines.size());
    return result;
}

CommandResult checkNemboPublicBodies(AppContext& ctx, const QString& folder, const QString& company, const ResultsSink& show)
{
    CompactLines lines;
    for (const auto& [kind, letter] : {std::pair{"CLI", "|C|"}, std::pair{"FOR", "|F|"}}) {
        legacy::ExportReader reader(legacy::exportFilePath(folder, company, QLatin1String(kind)));
        legacy::ExportRecord record;
        while (reader.next(record)) {
            // The reader's fields: name 3, VAT number 6, fiscal code 7.
            const QString vatNumber = record.field(6).trimmed();
            if (!bodyCode(vatNumber))
                continue;
            FixedLine line(160);
            line.literal(utl::PadLeft(record.field(1).trimmed(), 6, QLatin1Char('0'))).literal(QString::fromLatin1(letter));
            line.text(record.field(3), 60).text(vatNumber, 16).text(record.field(7), 16).text(record.field(31), 2).text(record.field(151), 2)
                .text(record.field(157), 2).text(record.field(12), 3);
            lines << line.take();
        }
    }
    CommandResult result;
    result.results = ResultList{nemboPublicBodiesHeading(), lines};
    if (show)
        show(*result.results); // before the warning, which speaks of it
    if (!lines.isEmpty()) {
        ctx.ui().message(QStringLiteral("ATTENZIONE !!\r\nPresenti Codici con PI errata in quanto in realtà\r\nè un CODICE FISCALE di Persona NON FISICHE\r\n"
                                        "e Consumatore Finale !!\r\nDalla gestione ANAGRAFICHE COMUNI di Nembo\r\ncopiare la PI sul CF e cancellare la PI,\r\n"
                                        "modificare eventualmente anche gli indicatori specificati sopra.\r\n"
                                        "( ATTENZIONE : Controllate colonna NAZIONE per Esteri !! )"),
                         kBodiesTitle, Ui::Icon::Critical);
    }
    result.findings = static_cast<int>(lines.size());
    return result;
}

} // namespace corv
