#include "journal/Settlements.h"

#include "journal/RowLines.h"
#include "db/Connections.h"
#include "db/RowEditor.h"
#include "platform/Ui.h"
#include "context/AppContext.h"

#include <algorithm>
#include <vector>

namespace corv {

namespace {

using Outcome = CommandResult::Outcome;
const QString kDefinitiveTitle = QStringLiteral("AR_LiqDef");

struct Summary {
    int year = 0;
    QString type;
    QString period;
    int periodNumber = 0;
    QString state;
};

} // namespace

QString corvinaSettlementsSql()
{
    return QStringLiteral("SELECT * FROM VATSettlement") + QStringLiteral(" WHERE CompanyCode=?") + QStringLiteral(" AND VATYear=?")
           + QStringLiteral(" AND CompanyGroupCode=?");
}

QString corvinaSettlementsHeading()
{
    return QStringLiteral("M.|   Op.Attive|  Op.Passive| IVA Clienti|   IVA Forn.|Deb./Cred.T.|   IVA Split|Deb./Cred.N.|");
}

CommandResult listCorvinaSettlements(AppContext& ctx, const CorvinaCompany& company)
{
    Ui& ui = ctx.ui();
    if (company.year == 0) {
        ui.beep();
        return {Outcome::Declined, {}};
    }
    ui.processEvents();
    QStringList lines;
    const bool read = readRowLines(ctx, ctx.connections().db(Connections::Corvina), corvinaSettlementsSql(),
                                   {company.code, company.year, company.group},
                                   [](RowColumns& c, const RowReader& reader) {
                                       c.right("ReferenceMonth", 2).amount("TotalActiveOperationsAmount").amount("TotalPassiveOperationsAmount")
                                           .amount("ChargeableVATAmount").amount("DeductedVATAmount");
                                       // The sign is Corvina's: the listing neither changes nor reads it.
                                       const auto net = reader.amount(c.at("DebitCreditAmount")), split = reader.amount(c.at("VATSplitPayment"));
                                       if (net && split)
                                           c.line().number(*net + *split, 12, 2);
                                       else
                                           c.line().blank(12);
                                       return c.amount("VATSplitPayment").amount("DebitCreditAmount").take();
                                   }, lines);
    ui.status(QString());
    CommandResult result;
    if (!read) {
        result.outcome = Outcome::Failed;
        result.results = ResultList{};
        return result;
    }
    if (lines.isEmpty()) {
        const QString stars = QStringLiteral("****************************************");
        result.results = ResultList{QString(), QStringList{stars, QStringLiteral("*** Nessuna Liquidazione presente !! ***"), stars}};
        ui.beep();
        return result;
    }
    result.results = ResultList{corvinaSettlementsHeading(), lines};
    return result;
}

std::optional<SettlementPeriod> parseSettlementPeriod(const QString& text)
{
    if (text.size() != 6)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const SettlementPeriod period{text.left(2).toInt(), text.mid(2).toInt()};
    if (period.month < 1 || period.month > 14 || period.year < 1990)
        return std::nullopt;
    return period;
}

bool settlementWithin(int year, const QString& periodType, const QString& period, const SettlementPeriod& last)
{
    if (year != last.year)
        return year < last.year;
    bool numeric = false;
    const int number = period.trimmed().toInt(&numeric);
    if (!numeric || number < 1)
        return false;
    if (number >= 13) // the further periods of the year, as given
        return number <= last.month;
    if (periodType.trimmed().compare(QLatin1String("M"), Qt::CaseInsensitive) == 0)
        return number <= last.month;
    return 3 * number <= last.month; // a quarter, when its last month is within
}

CommandResult makeSettlementsDefinitive(AppContext& ctx)
{
    Ui& ui = ctx.ui();
    const QString prompt = QStringLiteral("Periodo finale per Liquidazioni in Definitivo\r\n(MMAAAA  -  Es.: 062017 = Giugno 2017)\r\n"
                                          "(MM=13, MM=14)\r\n(Spazi per abbandonare)");
    const QString answer = ui.input(prompt, QStringLiteral("Messa in Definitivo Liquidazioni"), QString()).value_or(QString()).trimmed();
    const auto last = parseSettlementPeriod(answer);
    if (!last) {
        ui.critical(QStringLiteral("Periodo NON Valido !!"), kDefinitiveTitle);
        ui.beep();
        return {Outcome::Declined, {}};
    }
    return makeSettlementsDefinitiveUpTo(ctx, *last);
}

CommandResult makeSettlementsDefinitiveUpTo(AppContext& ctx, const SettlementPeriod& last)
{
    Ui& ui = ctx.ui();
    // Every provisional summary up to the year, chosen here: periods compare
    // as numbers and quarters by their last month.
    const QSqlDatabase db = ctx.connections().db(Connections::Company);
    RowReader reader(db);
    if (!execOrReport(ctx, reader, QStringLiteral("SELECT * FROM CG_LIQUIDT_RIEP WHERE ind_stato_liq=? AND num_anno<=?"),
                      {QStringLiteral("P"), last.year}))
        return {Outcome::Failed, {}};
    std::vector<Summary> chosen;
    RowColumns c(reader);
    const int year = c.at("num_anno"), type = c.at("ind_tipo_periodo"), period = c.at("ind_periodo"), stateAt = c.at("ind_stato_liq");
    while (reader.next()) {
        Summary s{reader.value(year).toInt(), reader.text(type), reader.text(period), reader.text(period).trimmed().toInt(), reader.text(stateAt)};
        if (settlementWithin(s.year, s.type, s.period, last))
            chosen.push_back(std::move(s));
    }
    if (!readToTheEnd(ctx, reader))
        return {Outcome::Failed, {}};
    reader.finish();
    if (chosen.empty()) {
        ui.critical(QStringLiteral("Nessun Periodo da mettere a Definitivo !!"), kDefinitiveTitle);
        ui.beep();
        return {};
    }
    std::stable_sort(chosen.begin(), chosen.end(), [](const Summary& a, const Summary& b) {
        return a.year != b.year ? a.year < b.year : a.periodNumber < b.periodNumber;
    });
    // Each summary by itself: those already made definitive stay so when a
    // later one fails.
    QStringList notSaved;
    for (const Summary& s : chosen) {
        RowEditor editor(db, QStringLiteral("CG_LIQUIDT_RIEP"),
                         RowKey{{QStringLiteral("num_anno"), s.year}, {QStringLiteral("ind_tipo_periodo"), s.type}, {QStringLiteral("ind_periodo"), s.period}},
                         QVariantMap{{QStringLiteral("ind_stato_liq"), s.state}});
        editor.set(QStringLiteral("ind_stato_liq"), QStringLiteral("D"));
        QString error;
        const RowEditor::SaveResult saved = editor.save(&error);
        if (saved == RowEditor::SaveResult::Failed) {
            ctx.log().write(QStringLiteral("*** ERRORE aggiornamento CG_LIQUIDT_RIEP : ") + error);
            ui.critical(QStringLiteral("Errore di aggiornamento del database :\r\n") + error, kDefinitiveTitle);
            return {Outcome::Failed, {}};
        }
        // Changed by someone else since it was read, or gone: left, and said.
        if (saved == RowEditor::SaveResult::ChangedElsewhere || saved == RowEditor::SaveResult::NoRow)
            notSaved << QStringLiteral("%1/%2").arg(s.period.trimmed()).arg(s.year);
    }
    if (!notSaved.isEmpty()) {
        ui.critical(QStringLiteral("Liquidazioni NON messe a Definitivo, modificate da un altro utente o non più presenti :\r\n")
                        + notSaved.join(QStringLiteral(", ")),
                    kDefinitiveTitle);
        return {Outcome::Failed, {}};
    }
    ui.message(QStringLiteral("Completata messa a Definitivo Liquidazioni !!"), kDefinitiveTitle);
    return {};
}

} // namespace corv
