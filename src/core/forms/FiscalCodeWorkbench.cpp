#include "forms/FiscalCodeWorkbench.h"

#include "util/MaskedDate.h"
#include "db/Dialect.h"
#include "db/ScopedConnection.h"
#include "db/SideDatabase.h"
#include "listview/Rs2List.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "report/ReportFile.h"
#include "taxcode/FiscalCodeRules.h"
#include "taxcode/TaxCodeChecks.h"
#include "taxcode/TownDatabase.h"
#include "util/Feedback.h"
#include "util/TextUtil.h"

#include <QDate>
#include <QFileInfo>

namespace corv {

FiscalCodeWorkbench::FiscalCodeWorkbench(AppContext& ctx) : ctx_(ctx) {}

void FiscalCodeWorkbench::compose()
{
    if (composing_)
        return; // no re-entry: a change made here composes nothing again
    composing_ = true;
    if (const auto date = maskedDate(f_.birthDate); date && date->isValid() && !f_.sex.isEmpty())
        f_.dateGroup = taxcode::dateSexGroup(*date, f_.sex[0]);
    const QString groups = f_.surnameGroup + f_.nameGroup + f_.dateGroup + f_.townCode;
    if (groups.size() == 15) {
        const QString check(utl::FiscalCodeCheckChar(QStringView(groups)));
        if (check != f_.checkChar)
            f_.checkChar = check;
        f_.composed = groups + f_.checkChar;
    } else {
        f_.composed = groups + f_.checkChar; // partial: the check character stays as it was
    }
    composing_ = false;
    notify();
}

void FiscalCodeWorkbench::setSurname(const QString& text)
{
    f_.surname = text;
    f_.surnameGroup = taxcode::letterGroup(text, false);
    compose();
    ctx_.ui().status(QString());
}

void FiscalCodeWorkbench::setName(const QString& text)
{
    f_.name = text;
    f_.nameGroup = taxcode::letterGroup(text, true);
    compose();
    ctx_.ui().status(QString());
}

void FiscalCodeWorkbench::setSex(const QString& sex)
{
    f_.sex = sex;
    compose();
}

void FiscalCodeWorkbench::setBirthDate(const QString& text)
{
    f_.birthDate = text.trimmed().isEmpty() ? kEmptyDate : text;
    compose();
}

void FiscalCodeWorkbench::setTownCode(const QString& text)
{
    f_.townCode = text.trimmed().toUpper();
    compose();
}

void FiscalCodeWorkbench::setCheckChar(const QString& text)
{
    f_.checkChar = text.left(1).toUpper();
    compose();
}

void FiscalCodeWorkbench::setDateGroup(const QString& text)
{
    f_.dateGroup = text.toUpper();
    compose();
    // Read back once the group is whole: typing its first characters says nothing.
    if (!maskedDate(f_.birthDate) && f_.dateGroup.size() == 5)
        readBirthData();
}

void FiscalCodeWorkbench::readBirthData()
{
    QString error;
    const auto data = taxcode::birthDataFromGroup(f_.dateGroup, QDate::currentDate().year(), &error);
    if (!data) {
        ctx_.ui().critical(error.isEmpty() ? taxcode::kBadStructure : error);
        return;
    }
    if (const auto date = maskedDate(f_.birthDate); date && date->isValid()) {
        if (!ctx_.ui().askYesNo(QStringLiteral("Sostituisco data di nascita ?")))
            return;
    }
    // The date and the sex the group holds.
    f_.birthDate = data->date.toString(QStringLiteral("dd/MM/yyyy"));
    f_.sex = QString(data->sex);
    compose();
}

void FiscalCodeWorkbench::takeTown(const QString& row)
{
    const QStringList fields = row.split(QLatin1Char('|'));
    f_.townCode = fields.value(0).trimmed().toUpper();
    f_.townName = fields.value(2).trimmed();
    compose();
}

namespace {

// The town rows offered in the list viewer; the row chosen, empty when none.
QString chooseTown(AppContext& ctx, const QString& title, const QString& condition)
{
    ScopedConnection connection(QStringLiteral("towns-list"));
    if (!openSideDatabase(connection, towns::databasePath(ctx)))
        return {};
    Rs2ListOptions options;
    options.title = title;
    const Rs2ListResult list = Rs2List(ctx, connection.db(), QStringLiteral("SELECT * FROM Localita") + condition, options);
    return list.ok ? ctx.ui().showList(list) : QString();
}

// `column` holds the text typed, taken as plain text: "%" and "_" are no wildcards.
QString containsCondition(const QString& column, const QString& text)
{
    QString typed = text;
    typed.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('%'), QStringLiteral("\\%")).replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return column + QStringLiteral(" LIKE ") + Dialect::of(Engine::Sqlite).quote(QLatin1Char('%') + typed + QLatin1Char('%')) + QStringLiteral(" ESCAPE '\\'");
}

} // namespace

void FiscalCodeWorkbench::lookUpTown()
{
    const QString code = f_.townCode.trimmed();
    if (code.isEmpty())
        return;
    const QStringList rows = towns::find(ctx_, code, false);
    if (rows.isEmpty()) {
        // No such town: the name of the previous one does not stay beside the new code.
        f_.townName.clear();
        compose();
        return;
    }
    QString row = rows.first();
    if (rows.size() > 1) {
        const QString chosen = chooseTown(ctx_, QStringLiteral("Localita"),
                                          QStringLiteral(" WHERE ") + containsCondition(QStringLiteral("cod_localita"), code)
                                              + QStringLiteral(" ORDER BY des_localita"));
        if (chosen.isEmpty() || chosen.trimmed().startsWith(QLatin1Char('='))) {
            f_.townName.clear(); // cancelled: no town chosen
            compose();
            return;
        }
        row = chosen;
    }
    takeTown(row);
}

void FiscalCodeWorkbench::searchTown()
{
    Ui& ui = ctx_.ui();
    const QString text = f_.townFind.trimmed();
    if (text.isEmpty()) {
        ui.beep();
        return;
    }
    if (!QFileInfo::exists(towns::databasePath(ctx_))) {
        ui.critical(towns::kDatabaseMessage);
        ui.beep();
        return;
    }
    if (towns::find(ctx_, text, true).isEmpty()) {
        ui.critical(QLatin1Char('<') + text + QStringLiteral(">\r\nNESSUNA Località trovata !!"));
        return;
    }
    const QString chosen = chooseTown(ctx_, QStringLiteral("RICERCA_Località"),
                                      QStringLiteral(" WHERE ") + containsCondition(QStringLiteral("cod_localita"), text) + QStringLiteral(" OR ")
                                          + containsCondition(QStringLiteral("des_localita"), text) + QStringLiteral(" ORDER BY cod_localita"));
    if (!chosen.isEmpty() && !chosen.trimmed().startsWith(QLatin1Char('=')))
        takeTown(chosen);
}

void FiscalCodeWorkbench::rebuildTowns()
{
    Ui& ui = ctx_.ui();
    if (!QFileInfo::exists(towns::databasePath(ctx_))) {
        ui.critical(towns::kDatabaseMessage);
        ui.beep();
        return;
    }
    if (!ui.askToChange(QStringLiteral("Confermi rilettura File Località ?"))) {
        ui.beep();
        return;
    }
    Feedback progress = ctx_.feedback();
    const towns::RebuildResult result = towns::rebuild(ctx_, [&](const QString& key) { progress.step([&] { return key; }); });
    if (!result.ok) {
        ui.critical(result.error);
        return;
    }
    ui.status(QStringLiteral("Termine Lettura LOCALITA.TXT"));
}

void FiscalCodeWorkbench::copyOriginal()
{
    if (!ctx_.ui().askYesNo(QStringLiteral("Confermi Copia Originale su prova ?"))) {
        ctx_.ui().beep();
        return;
    }
    f_.test = f_.original;
    notify();
}

void FiscalCodeWorkbench::clear()
{
    if (!ctx_.ui().askYesNo(QStringLiteral("Confermi pulizia dati ?"))) {
        ctx_.ui().beep();
        return;
    }
    f_ = Fields();
    notify();
}

QString FiscalCodeWorkbench::writeSheet()
{
    const QString code = f_.composed;
    const QString birth = maskedDate(f_.birthDate) ? f_.birthDate : QString();
    const QStringList lines = {QStringLiteral("**********************"),
                               QStringLiteral("*** Codice Fiscale ***"),
                               QStringLiteral("**********************"),
                               QStringLiteral("Cognome             : ") + f_.surname,
                               QStringLiteral("Nome                : ") + f_.name,
                               QStringLiteral("Sesso               : ") + f_.sex,
                               QStringLiteral("Data di Nascita     : ") + birth,
                               QStringLiteral("Località di nascita : ") + f_.townName,
                               QStringLiteral("Codice località     : ") + f_.townCode,
                               QStringLiteral("Codice Fiscale      : ") + code,
                               QStringLiteral("Codice Fiscale      : ") + code.left(3) + QLatin1Char(' ') + code.mid(3, 3) + QLatin1Char(' ')
                                   + code.mid(6, 5) + QLatin1Char(' ') + code.mid(11)};
    const QString path = reportPath(ctx_.paths(), QStringLiteral("\\CODFISC.TXT"));
    QString failure;
    if (!ReportFile::writeAll(path, lines, &failure)) {
        ctx_.ui().critical(failure);
        return {};
    }
    presentReport(ctx_.ui(), ctx_.viewer(), path);
    return path;
}

} // namespace corv
