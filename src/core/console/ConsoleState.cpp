#include "console/ConsoleState.h"

#include "corvina/CorvinaCompanies.h"

#include "context/AppContext.h"
#include "report/FixedLine.h"
#include "util/TextUtil.h"
#include "db/DbValues.h"
#include "platform/IniFile.h"
#include "platform/Ui.h"
#include "settings/SettingsKeys.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>

namespace corv {

namespace {

// The selected Company record, through the statement of the import-date label.
bool selectCompany(QSqlQuery& query, const ConsoleState& state)
{
    query.prepare(QStringLiteral("SELECT * FROM Company WHERE CompanyCode=? AND VATYear=? AND CompanyGroupCode=?"));
    query.addBindValue(state.corvinaCompany());
    query.addBindValue(state.corvinaYear());
    query.addBindValue(state.corvinaGroup());
    return query.exec() && query.next();
}
} // namespace

CorvinaCompany ConsoleState::selectedCorvina() const
{
    return corvinaRow >= 0 && corvinaRow < corvinaCompanies.size() ? corvinaCompanies[corvinaRow] : CorvinaCompany();
}

QString ConsoleState::selectedCorvinaRow() const
{
    return corvinaRow >= 0 && corvinaRow < corvinaCompanies.size() ? corvinaCompanyRow(corvinaCompanies[corvinaRow]) : QString();
}

QStringList ConsoleState::corvinaRowTexts() const
{
    QStringList rows;
    rows.reserve(corvinaCompanies.size());
    for (const CorvinaCompany& company : corvinaCompanies)
        rows << corvinaCompanyRow(company);
    return rows;
}



void restoreConsoleSettings(ConsoleState& state, const IniFile& settings)
{
    state.dateFrom = keys::kDateFrom.read(settings);
    state.dateTo = keys::kDateTo.read(settings);
    const QString last = keys::kLastCorvinaRow.read(settings);
    state.corvinaRow = last.isEmpty() ? -1 : static_cast<int>(state.corvinaRowTexts().indexOf(last));
    state.source = keys::kSource.read(settings);
    // A tab out of range leaves the opening's choice.
    if (const auto tab = keys::kLastTab.inRange(settings))
        state.tab = *tab;
}

bool saveConsoleSettings(const ConsoleState& state, IniFile& settings)
{
    return settings.writeAll({keys::kDateFrom(state.dateFrom), keys::kDateTo(state.dateTo), keys::kLastCorvinaRow(state.selectedCorvinaRow()),
                              keys::kSource(state.source), keys::kLastTab(state.tab)});
}

bool loadCorvinaCompanies(AppContext& ctx, ConsoleState& state, QString* error)
{
    state.corvinaRow = -1;
    return readCorvinaCompanies(ctx, state.corvinaCompanies, &state.corvinaRelease, error);
}

QString importDateLabel(AppContext& ctx, const ConsoleState& state)
{
    if (state.selectedCorvinaRow().isEmpty())
        return {};
    QSqlQuery query(ctx.connections().db(Connections::Corvina));
    query.setForwardOnly(true);
    if (!selectCompany(query, state))
        return {};
    return QStringLiteral("Liq.:") + dateText(query.value(QStringLiteral("VATLastImportDate"))) + QStringLiteral("\r\n - Dati:")
           + dateText(query.value(QStringLiteral("VATDataLastImportDate"))) + QStringLiteral("\r\n - Click-Dx per cambio date");
}

void changeImportDates(AppContext& ctx, const ConsoleState& state)
{
    Ui& ui = ctx.ui();
    const QString title = QStringLiteral("Cambio data Liquidazioni");
    const QString defaultDate = QStringLiteral("01/01/") + QString::number(QDate::currentDate().year());
    const QString settlements = ui.input(QStringLiteral("Nuova data import Liquidazioni :\r\n(Spazi per ignorare !)"), title,
                                         defaultDate).value_or(QString()).trimmed();
    const QString rows = ui.input(QStringLiteral("Nuova data import Righe :\r\n(Spazi per ignorare !)"), title, defaultDate)
                             .value_or(QString()).trimmed();
    if (settlements.isEmpty() && rows.isEmpty()) {
        ui.beep();
        return;
    }
    QString question = QStringLiteral("Confermi sostituzione :\r\n\r\n");
    if (!settlements.isEmpty())
        question += QStringLiteral("Data Liquidazioni : ") + settlements + QStringLiteral("\r\n");
    if (!rows.isEmpty())
        question += QStringLiteral("Data Righe IVA    : ") + rows + QStringLiteral("\r\n");
    if (!ui.askToChange(question)) {
        ui.beep();
        return;
    }
    const QSqlDatabase db = ctx.connections().db(Connections::Corvina);
    {
        QSqlQuery probe(db);
        probe.setForwardOnly(true);
        if (!selectCompany(probe, state))
            return;
    }
    for (const auto& [text, column] : {std::pair{settlements, QStringLiteral("VATLastImportDate")},
                                       std::pair{rows, QStringLiteral("VATDataLastImportDate")}}) {
        const QDate date = QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
        if (!date.isValid())
            continue; // an answer that is no date leaves its field as it is
        QSqlQuery update(db);
        update.prepare(QStringLiteral("UPDATE Company SET ") + column
                       + QStringLiteral("=? WHERE CompanyCode=? AND VATYear=? AND CompanyGroupCode=?"));
        update.addBindValue(dialectOf(db).dateParameter(date));
        update.addBindValue(state.corvinaCompany());
        update.addBindValue(state.corvinaYear());
        update.addBindValue(state.corvinaGroup());
        if (!update.exec())
            ui.critical(QStringLiteral("Errore aggiornando le date di import :\r\n") + update.lastError().text());
    }
}

} // namespace corv
