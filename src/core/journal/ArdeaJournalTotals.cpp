#include "journal/ArdeaJournalTotals.h"

#include "journal/RowLines.h"
#include "journal/SubjectTotals.h"
#include "db/Connections.h"
#include "db/Dialect.h"
#include "db/RowReader.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "report/ReportFile.h"
#include "report/RowColumns.h"
#include "util/Feedback.h"
#include "util/TextUtil.h"

namespace corv {

namespace {

using Outcome = CommandResult::Outcome;

// " AND t.dat_registrazione>=..." for each end of the range that holds a date.
QString dateConditions(const Dialect& dialect, const QDate& from, const QDate& to)
{
    QString conditions;
    if (from.isValid())
        conditions += QStringLiteral(" AND t.dat_registrazione>=") + dialect.dateLiteral(from);
    if (to.isValid())
        conditions += QStringLiteral(" AND t.dat_registrazione<=") + dialect.dateLiteral(to);
    return conditions.isEmpty() ? QString() : QStringLiteral(" WHERE") + conditions.mid(4);
}

// A number as plain text, the way a value prints without a format: no
// thousands, the decimals it has ("1234,5", "22").
QString plainNumber(Amount value)
{
    QString text = value.toText(4, false);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char(',')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

// A plain number right-aligned in its width (never cut); `blankWhenZero` for
// the VAT rate of exempt codes.
void appendPlain(FixedLine& line, const RowReader& reader, int column, int width, bool blankWhenZero = false)
{
    QString text;
    if (const auto value = reader.amount(column))
        text = blankWhenZero && value->units() == 0 ? QString() : plainNumber(*value);
    else
        text = reader.text(column);
    line.right(text, width);
}

QString registerTotalsHeading() { return QStringLiteral("R|NR|CI | Descr. IVA         | Perc.| Imponibile |        IVA |     Totale |"); }

// The totals per register and code, below the journal's rows.
bool addRegisterTotals(AppContext& ctx, const QSqlDatabase& db, const QString& sql, CompactLines& lines)
{
    RowReader reader(db);
    if (!execOrReport(ctx, reader, sql))
        return false;
    RowColumns columns(reader);
    const QString rule = utl::RepeatChar(76, QLatin1Char('='));
    bool first = true;
    QString previousRegister;
    while (reader.next()) {
        const QString reg = reader.text(columns.at("cod_reg_iva"));
        if (first) {
            lines << rule << registerTotalsHeading() << rule + QStringLiteral(" - Totali per Registro e Codice IVA");
        } else if (reg != previousRegister) {
            lines << utl::RepeatChar(76, QLatin1Char('-'));
        }
        first = false;
        previousRegister = reg;
        lines << columns.text("cod_reg_iva", 1).text("num_reg_iva", 2).text("cod_iva", 3).text("des_iva", 20).number("prc_iva", 6, 2)
                     .amount("val_totimp").amount("val_totiva").amount("val_totale").take();
    }
    return readToTheEnd(ctx, reader);
}

} // namespace

QString ardeaJournalFrom()
{
    return QStringLiteral(" FROM CG_PRINOTAR_IVA AS ri"
                          " LEFT JOIN CG_PRINOTAT AS t ON (t.prg_prinota=ri.prg_prinota)"
                          " LEFT JOIN CO_CLIFOR AS c ON (c.cod_clifor=t.cod_clifor AND c.ind_clifor=t.ind_clifor)"
                          " LEFT JOIN CA_ANAGRAFICHE AS a ON (a.cod_anagra=c.cod_clifor)");
}

QString ardeaJournalSql(const Dialect& dialect, const QDate& dateFrom, const QDate& dateTo)
{
    return QStringLiteral("SELECT t.prg_prinota, ri.prg_prinota_riga, ri.num_riga, t.dat_registrazione"
                          ", t.ind_clifor, t.cod_clifor"
                          ", a.des_ragsoc, t.cod_caucon, cc.des_caucon"
                          ", CASE WHEN cc.ind_tipo_oper_iva IN ('1','3','7') THEN -1 ELSE 1 END AS ind_nc"
                          ", ri.cod_iva, i.des_iva, i.prc_iva"
                          ", ri.val_imponibile, ri.val_iva, ri.cod_reg_iva, ri.num_reg_iva, ri.cod_natura_iva"
                          ", ni.des_natura_iva")
           + ardeaJournalFrom()
           + QStringLiteral(" LEFT JOIN CA_IVA AS i ON (i.cod_iva=ri.cod_iva)"
                            " LEFT JOIN CO_CAUCON AS cc ON (cc.cod_caucon=ri.cod_caucon)"
                            " LEFT JOIN CA_NATURA_IVA as ni ON (ri.cod_natura_iva=ni.cod_natura_iva)")
           + dateConditions(dialect, dateFrom, dateTo)
           + QStringLiteral(" ORDER BY t.ind_clifor, a.des_ragsoc, t.cod_clifor, t.dat_registrazione, t.des_num_doc, ri.cod_iva");
}

QString ardeaRegisterTotalsSql(const Dialect& dialect, const QDate& dateFrom, const QDate& dateTo)
{
    return QStringLiteral("SELECT ri.cod_iva, i.des_iva, i.prc_iva, ri.cod_reg_iva, ri.num_reg_iva"
                          ", SUM(ri.val_imponibile) AS val_totimp"
                          ", SUM(ri.val_iva) AS val_totiva"
                          ", SUM(ri.val_imponibile + ri.val_iva) AS val_totale"
                          " FROM CG_PRINOTAR_IVA AS ri"
                          " LEFT JOIN CG_PRINOTAT AS t ON (t.prg_prinota=ri.prg_prinota)"
                          " LEFT JOIN CA_IVA AS i ON (i.cod_iva=ri.cod_iva)")
           + dateConditions(dialect, dateFrom, dateTo)
           + QStringLiteral(" GROUP BY ri.cod_iva, i.des_iva, i.prc_iva, ri.cod_reg_iva, ri.num_reg_iva"
                            " ORDER BY ri.cod_reg_iva DESC, ri.num_reg_iva, ri.cod_iva, i.des_iva, i.prc_iva");
}

QString ardeaJournalHeading()
{
    return QStringLiteral("Prg_Prn |Ri| Data Reg.|T|CodClF|Rag. Soc.           |Cau|Descr. CauCon  |R|NR|IVA|  %IVA|Imponib. |      IVA|N.I.|Natura IVA  |Descr. IVA     |");
}

CommandResult totalArdeaJournal(AppContext& ctx, const ArdeaJournalInput& input)
{
    Ui& ui = ctx.ui();
    if (!input.referencesRead) {
        ui.critical(QStringLiteral("MANCANO DATI TABELLE ! Leggere prima i Dati per Corvina !!"));
        ui.beep();
        return {Outcome::Declined, {}};
    }
    const QSqlDatabase db = ctx.connections().db(Connections::Company);
    const Dialect& dialect = dialectOf(db);
    if (input.show)
        input.show({ardeaJournalHeading(), {}});
    RowReader reader(db);
    if (!execOrReport(ctx, reader, ardeaJournalSql(dialect, input.from, input.to)))
        return {Outcome::Failed, {}};

    ResultList results{ardeaJournalHeading(), {}};
    std::unique_ptr<ReportFile> report;
    SubjectTotals totals([&report](const QString& line) { report->write(line); });
    QList<QStringList> subjectRows;
    totals.setRows(&subjectRows);
    RowColumns columns(reader);
    const int type = columns.at("ind_clifor"), code = columns.at("cod_clifor"), name = columns.at("des_ragsoc");
    const int taxable = columns.at("val_imponibile"), vat = columns.at("val_iva"), rate = columns.at("prc_iva");
    Feedback progress = ctx.feedback();
    bool stopped = false;
    while (reader.next()) {
        if (!report) {
            report = std::make_unique<ReportFile>(companyReportPath(ctx.paths(), QStringLiteral("\\PN_ar_"), ctx.company().code, QStringLiteral(".LOG")));
            report->write(u"*****  Inizio PN_Ar  *****");
            report->write(SubjectTotals::heading());
            report->write(SubjectTotals::rule(QLatin1Char('-')));
        }
        // The sign column of credit notes is read with the row but the totals
        // take the amounts as stored, as the journal's own reports do.
        totals.add(reader.text(type) + reader.text(code), reader.text(name), reader.amount(taxable).value_or(Amount()),
                   reader.amount(vat).value_or(Amount()));
        columns.text("prg_prinota", 8).text("num_riga", 2).date("dat_registrazione", 10).textAt(type, 1).textAt(code, 6).textAt(name, 20)
            .text("cod_caucon", 3).text("des_caucon", 15).text("cod_reg_iva", 1).text("num_reg_iva", 2).text("cod_iva", 3);
        appendPlain(columns.line(), reader, rate, 6, true);
        appendPlain(columns.line(), reader, taxable, 9);
        appendPlain(columns.line(), reader, vat, 9);
        results.lines << columns.text("cod_natura_iva", 4).text("des_natura_iva", 12).text("des_iva", 15).take();
        progress.step([&] { return QStringLiteral("Righe lette : %1").arg(results.lines.size()); });
        if (ctx.stop().requested()) {
            stopped = true;
            break;
        }
    }
    if (!stopped && !readToTheEnd(ctx, reader)) {
        if (!ctx.stop().requested())
            return {Outcome::Failed, {}};
        stopped = true; // the statement interrupted by the stop
    }
    reader.finish();
    if (stopped) {
        // A report cut short is dropped: the previous one stays.
        CommandResult stoppedResult(Outcome::Stopped);
        stoppedResult.results = std::move(results);
        ui.status(QStringLiteral("Lettura PN da Ardea interrotta"));
        return stoppedResult;
    }
    totals.finish();
    const bool totalsRead = addRegisterTotals(ctx, db, ardeaRegisterTotalsSql(dialect, input.from, input.to), results.lines);
    CommandResult result(Outcome::Done, report ? report->path() : QString());
    result.results = std::move(results);
    result.dataColumns = SubjectTotals::rowColumns();
    result.dataRows = std::move(subjectRows);
    if (report && !report->close()) {
        ui.critical(report->failureText());
        result.outcome = Outcome::Failed;
        result.reportPath.clear();
        return result;
    }
    if (!totalsRead) {
        result.outcome = Outcome::Failed;
        return result;
    }
    ui.beep();
    ui.status(QStringLiteral("Termine Lettura PN da Ardea !!"));
    return result;
}

} // namespace corv
