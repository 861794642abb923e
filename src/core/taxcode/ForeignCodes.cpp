#include "taxcode/ForeignCodes.h"

#include "journal/RowLines.h"
#include "db/Connections.h"
#include "db/Dialect.h"
#include "db/FieldRow.h"
#include "db/KeysetReader.h"
#include "db/RowEditor.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "report/ReportFile.h"
#include "util/Feedback.h"
#include "util/TextUtil.h"

namespace corv {

namespace {

using Outcome = CommandResult::Outcome;
const QString kStripSet = QStringLiteral("#§@:*+");

// The subject's columns, aligned under the report's heading line.
QString subjectColumns(const FieldRow& row)
{
    return utl::PadRight(row.value(QStringLiteral("cod_anagra")).toString(), 7) + QLatin1Char('|')
           + utl::PadRight(row.value(QStringLiteral("des_ragsoc")).toString(), 24) + QLatin1Char('|')
           + utl::PadRight(row.value(QStringLiteral("cod_cfisc")).toString().trimmed(), 16) + QLatin1Char('|')
           + utl::PadRight(row.value(QStringLiteral("cod_piva")).toString().trimmed(), 15) + QLatin1Char('|')
           + utl::PadRight(row.value(QStringLiteral("cod_naz")).toString(), 6) + QLatin1Char('|');
}

class ForeignFill {
public:
    ForeignFill(AppContext& ctx, ReportFile& report, QString nations)
        : ctx_(ctx), report_(report), db_(ctx.connections().db(Connections::Company)), nations_(std::move(nations))
    {
    }
    bool run(const QString& table, const QString& label);
    bool stopped() const { return stopped_; }

private:
    AppContext& ctx_;
    ReportFile& report_;
    QSqlDatabase db_;
    QString nations_; // "'IT', 'SM'": quoted by the dialect
    bool stopped_ = false;
};

bool ForeignFill::run(const QString& table, const QString& label)
{
    const QString condition = QStringLiteral(" AND cod_cfisc_estero IS NULL AND not(cod_naz IN (") + nations_ + QStringLiteral("))");
    const QString where = QStringLiteral(" WHERE") + condition.mid(4);
    KeysetReader reader(db_, QStringLiteral("SELECT cod_anagra FROM ") + table + where + QStringLiteral(" ORDER BY cod_naz, des_ragsoc"),
                        QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE cod_anagra IN %1"), QStringLiteral("cod_anagra"));
    // Where the engine allows it, the whole walk in one statement, sorted
    // before the first row: the updates never move a row in it.
    reader.streamOn(QStringLiteral("SELECT * FROM ") + table + where + QStringLiteral(" ORDER BY cod_naz, des_ragsoc"), QString());
    if (!reader.start()) {
        ctx_.ui().critical(kReadFailure + QStringLiteral("\r\n") + reader.error());
        return false;
    }
    Feedback progress = ctx_.feedback();
    FieldRow row;
    while (reader.next(row)) {
        if (ctx_.stop().requested()) {
            stopped_ = true;
            return true;
        }
        const QString candidate = foreignCodeCandidate(row.value(QStringLiteral("cod_cfisc")).toString(), row.value(QStringLiteral("cod_piva")).toString());
        const QString stored = row.value(QStringLiteral("cod_cfisc_estero")).toString();
        if (candidate.isEmpty()) {
            report_.write(QStringLiteral("*** PROBLEMA con (") + label + QStringLiteral("): ") + subjectColumns(row));
        } else if (stored.size() < 2) {
            RowEditor editor(db_, table, QStringLiteral("cod_anagra"), row.value(QStringLiteral("cod_anagra")),
                             {{QStringLiteral("cod_cfisc_estero"), row.value(QStringLiteral("cod_cfisc_estero"))}});
            editor.set(QStringLiteral("cod_cfisc_estero"), candidate);
            QString error;
            if (editor.save(&error) == RowEditor::SaveResult::Failed) {
                ctx_.log().write(QStringLiteral("*** ERRORE aggiornamento ") + table + QStringLiteral(" : ") + error);
                ctx_.ui().critical(QStringLiteral("Errore di aggiornamento del database :\r\n") + error);
                return false;
            }
            report_.write(QStringLiteral("Corretto Estero  (") + label + QStringLiteral("): ") + subjectColumns(row) + QStringLiteral("| > CFEst: ")
                          + candidate);
        }
        progress.step([&] { return row.value(QStringLiteral("cod_anagra")).toString() + QLatin1Char(' ') + row.value(QStringLiteral("des_ragsoc")).toString(); });
    }
    if (!reader.error().isEmpty()) {
        ctx_.ui().critical(kReadFailure + QStringLiteral("\r\n") + reader.error());
        return false;
    }
    return true;
}

} // namespace

QString foreignCodeCandidate(const QString& fiscalCode, const QString& vatNumber)
{
    const QString cf = fiscalCode.trimmed(), pi = vatNumber.trimmed();
    const QString candidate = cf.isEmpty() ? pi : cf;
    return candidate.size() >= 2 ? utl::StripChars(candidate, kStripSet) : QString();
}

CommandResult fillForeignCodes(AppContext& ctx)
{
    Ui& ui = ctx.ui();
    if (!ui.askToChange(QStringLiteral("Confermi compilazione CF Estero su Ardea ?"))) {
        ui.beep();
        return {Outcome::Declined, {}};
    }
    const QSqlDatabase db = ctx.connections().db(Connections::Company);
    QStringList nations;
    if (!readRowLines(ctx, db, QStringLiteral("SELECT * FROM CA_NAZIONI WHERE ind_area_naz='0'"), {},
                      [](RowColumns& c, const RowReader& r) { return r.text(c.at("cod_naz")); }, nations))
        return {Outcome::Failed, {}};
    ui.status(QString());
    // Without them every foreign subject would be "not in" an empty list.
    if (nations.isEmpty()) {
        ui.critical(QStringLiteral("Nessuna Nazione dell'area Italiana in CA_NAZIONI : impossibile distinguere gli Esteri !!"));
        ui.beep();
        return {Outcome::Declined, {}};
    }
    QStringList quoted;
    for (const QString& nation : nations)
        quoted << dialectOf(db).text(nation);
    const QString shown = [&] {
        QStringList plain;
        for (const QString& nation : nations)
            plain << QLatin1Char('\'') + nation + QLatin1Char('\'');
        return plain.join(QStringLiteral(", "));
    }();
    if (!ui.askToChange(QStringLiteral("\r\nElenco codici Nazioni SOLO Italiane :\r\n\r\n") + shown + QStringLiteral("\r\n\r\n")
                     + QStringLiteral("Se è ERRATO, Abbandonare rispondendo NO !"))) {
        ui.beep();
        return {Outcome::Declined, {}};
    }
    ReportFile report(reportPath(ctx.paths(), QStringLiteral("\\CFEster.LOG")));
    const QString rule = utl::RepeatChar(125, QLatin1Char('='));
    report.write(QStringLiteral("                                                            C.F.             P.Iva           Naz    C.F.est."));
    report.write(rule);
    report.write(QStringLiteral("  ANAGRAFICHE Normali"));
    ForeignFill fill(ctx, report, quoted.join(QStringLiteral(", ")));
    bool ok = fill.run(QStringLiteral("CA_ANAGRAFICHE"), QStringLiteral("ANAGRA"));
    if (ok && !fill.stopped()) {
        report.write(rule);
        report.write(QStringLiteral("  ANAGRAFICHE Storiche"));
        ok = fill.run(QStringLiteral("CA_ANAGRAFICHE_STO"), QStringLiteral("ANASTO"));
    }
    if (fill.stopped())
        report.write(QStringLiteral("*** INTERROTTO dall'utente: le correzioni già salvate restano ***"));
    if (!report.close()) {
        ui.critical(report.failureText() + QStringLiteral("\r\n\r\nLe correzioni già salvate restano."));
        return {Outcome::Failed, {}};
    }
    ui.status(fill.stopped() ? QStringLiteral("Correzione CF Esteri Ardea INTERROTTA.") : QStringLiteral("Completata correzione CF Esteri Ardea."));
    return {!ok ? Outcome::Failed : fill.stopped() ? Outcome::Stopped : Outcome::Done, report.path()};
}

} // namespace corv
