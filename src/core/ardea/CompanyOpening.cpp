#include "ardea/CompanyOpening.h"

#include "context/AppContext.h"
#include "report/FixedLine.h"
#include "util/TextUtil.h"
#include "db/DbValues.h"
#include "db/ScopedConnection.h"
#include "platform/Ui.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QSqlError>
#include <QSqlQuery>

namespace corv {

CompanyOpening::CompanyOpening(AppContext& ctx) : ctx_(ctx) {}

bool CompanyOpening::AziOpen(QString& code)
{
    Ui& ui = ctx_.ui();
    while (code.isEmpty()) {
        const QString last = ctx_.registry().read(RegistryRoot::CurrentUser, regkeys::kLastLogin, QStringLiteral("Azienda"));
        if (ui.message(QStringLiteral("ERRORE Recuperando i Dati Azienda !! (") + code + QStringLiteral(")\r\rAttivo azienda ")
                           + last + QStringLiteral(" ?"),
                       QStringLiteral("Func. : AziOpen"), Ui::Icon::Exclamation, Ui::Buttons::YesNo, Ui::Answer::Yes)
            != Ui::Answer::Yes)
            return false;
        code = last;
        if (last.isEmpty())
            break;
    }
    CompanyState& company = ctx_.company();
    LoginState& login = ctx_.login();
    company.code.clear();
    company.name.clear();
    company.level.clear();
    company.sameDatabase = false;
    login.companyDatabase.clear();
    login.commonDatabase.clear();

    QSqlQuery query(ctx_.connections().db(Connections::ESys));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT * FROM TS_AZIENDE AS a inner join TS_AZIENDE_INFO AS i on (a.cod_azienda = i.cod_anagra)"
                                 " WHERE cod_azienda =?"));
    query.addBindValue(code);
    int found = 0;
    if (query.exec()) {
        while (query.next()) {
            if (++found > 1)
                break;
            company.code = textOf(query.value(QStringLiteral("cod_azienda")));
            company.name = textOf(query.value(QStringLiteral("des_ragsoc")));
            company.level = textOf(query.value(QStringLiteral("num_livello")));
            login.companyDatabase = textOf(query.value(QStringLiteral("des_database")));
            login.commonDatabase = textOf(query.value(QStringLiteral("des_database_com")));
        }
    } else {
        ctx_.log().write(QStringLiteral("*** ERRORE AziOpen : ") + query.lastError().text());
    }
    if (found == 1) {
        company.sameDatabase = login.commonDatabase == login.companyDatabase;
        ctx_.installation().setCompanyCode(company.code);
        return true;
    }
    // Only the company's own fields go: the folders and settings read at the
    // start stay for the next opening.
    company.code.clear();
    company.name.clear();
    company.level.clear();
    login.companyDatabase.clear();
    login.commonDatabase.clear();
    ui.critical(QStringLiteral("ERRORE Recuperando i Dati Azienda !! (") + code + QLatin1Char(')'),
                QStringLiteral("Func. : AziOpen"));
    return false;
}

QString CompanyOpening::AziARDEA(bool readOnly)
{
    Registry& registry = ctx_.registry();
    const QString registryCompany = registry.read(RegistryRoot::CurrentUser, regkeys::kLastLogin, QStringLiteral("Azienda"));
    if (registryCompany.isEmpty()) {
        ctx_.ui().beep();
        ctx_.ui().critical(QStringLiteral("Azienda Ardea NON Definita !!"), QStringLiteral("AziArdea"));
        if (chooserUnavailable())
            return {};
        if (showChooser)
            showChooser();
        if (!ctx_.company().code.isEmpty() && registry.contains(RegistryRoot::CurrentUser, regkeys::kLogin, QStringLiteral("UltimaAzienda")))
            registry.write(RegistryRoot::CurrentUser, regkeys::kLogin, QStringLiteral("Azienda"), ctx_.company().code);
    } else if (readOnly) {
        return registryCompany;
    }
    const QString ardeaCode = ctx_.ardeaSettings().read(keys::kArdeaCompany, QStringLiteral("demor"));
    IniFile settings = ctx_.corvSettings();
    QString code = settings.read(keys::kCompany);
    // An empty code makes AziOpen offer the company of the last Ardea login.
    AziOpen(code);
    if (code.isEmpty()) {
        code = ardeaCode;
        saveSetting(ctx_.ui(), settings, keys::kCompany, code);
    }
    if (!AziOpen(code))
        ctx_.ui().critical(QStringLiteral("DISASTRO APRENDO L'AZIENDA !!"), QStringLiteral("AziARDEA - AziOpen"));
    return code;
}

bool CompanyOpening::chooserUnavailable()
{
    if (ctx_.ui().interactive())
        return false;
    ctx_.ui().critical(QStringLiteral("Nessuna azienda Ardea da aprire e nessuno può sceglierla (modalità non interattiva).\r\n"
                                      "Avviare il programma senza --batch e scegliere l'azienda."),
                       QStringLiteral("AziArdea"));
    return true;
}

bool CompanyOpening::InitARProc()
{
    CompanyState& company = ctx_.company();
    ArdeaInstallation& installation = ctx_.installation();
    company.stepLabel = QStringLiteral("InitARProc-INIT");
    company.stepLabel = QStringLiteral("InitARProc-AR_Azi");
    const QString code = AziARDEA(false);
    if (code.isEmpty())
        return false;
    if (company.code.isEmpty())
        company.code = code;
    company.stepLabel = QStringLiteral("InitARProc-AR_PubDir");
    company.publicFolder = installation.Dove_AR(DoveKind::PublicTemp);
    company.stepLabel = QStringLiteral("InitARProc-AR_VBADir");
    company.macroFolder = installation.Dove_AR(DoveKind::Macros);
    company.stepLabel = QStringLiteral("InitARProc-AR_Q5kDir - Manca Connessione Server");
    company.workFolder = installation.Dove_AR(DoveKind::Work);
    company.stepLabel = QStringLiteral("InitARProc-AR_Q5kAziDir - Manca Connessione Server");
    company.companyWorkFolder = installation.Dove_AR(DoveKind::CompanyWork);
    company.stepLabel = QStringLiteral("InitARProc-NomeProdotto");
    if (ctx_.login().productName.isEmpty())
        ctx_.login().productName = QStringLiteral("x/ARDEA");
    company.stepLabel = QStringLiteral("InitARProc-AziPar");
    company.parameterCode = company.code;
    company.currency = QStringLiteral("EURO");
    company.name40 = utl::PadRight(company.name, 40);
    company.stepLabel = QStringLiteral("InitARProc-EXIT");
    return true;
}

QStringList CompanyOpening::chooserRows()
{
    QStringList rows;
    QSqlQuery query(ctx_.connections().db(Connections::ESys));
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT a.cod_azienda, i.des_ragsoc, a.des_database, a.des_database_com "
                                   " FROM TS_AZIENDE AS a LEFT JOIN TS_AZIENDE_INFO AS i ON (a.cod_azienda = i.cod_anagra)"
                                   " ORDER BY a.cod_azienda"))) {
        ctx_.log().write(QStringLiteral("*** ERRORE Elenco Aziende : ") + query.lastError().text());
        return rows;
    }
    struct Entry {
        QString code, name, database, common;
    };
    QList<Entry> entries;
    while (query.next())
        entries.append({textOf(query.value(0)), textOf(query.value(1)), textOf(query.value(2)), textOf(query.value(3))});
    query.finish();
    for (const Entry& e : entries) {
        ctx_.log().write(QStringLiteral("Leggo dati Azienda : ") + e.code + QStringLiteral(" - ") + e.name);
        rows << FixedLine()
                    .text(e.code, 10)
                    .text(e.name, 30)
                    .text(e.database, 20)
                    .text(e.common, 20)
                    .text(companyDataRelease(e.database), 15)
                    .text(sharedDataRelease(e.database), 15)
                    .take();
        ctx_.ui().processEvents();
    }
    return rows;
}

bool CompanyOpening::activate(const QString& code)
{
    Ui& ui = ctx_.ui();
    if (!ui.askYesNo(QStringLiteral("ATTENZIONE  !!!\r\rVERIFICARE CHE Ardea SIA CHIUSO E CHE NON CI SIANO ALTRE FINESTRE "
                                    "APERTE !!\r\rCONFERMI ?"))
        || !ui.askYesNo(QStringLiteral("CONFERMI PASSAGGIO AD AZIENDA : ") + code)) {
        ui.beep();
        return false;
    }
    // The company becomes the one to open next time only once it opened:
    // a company that cannot be opened must not stand in the way of later starts.
    QString opened = code;
    if (!AziOpen(opened))
        return false;
    IniFile settings = ctx_.corvSettings();
    saveSetting(ui, settings, keys::kCompany, opened);
    return true;
}

QString CompanyOpening::releaseOf(const QString& database, const char* table)
{
    const LoginState& login = ctx_.login();
    const QString provider = ctx_.installation().provider();
    // The common release is read through the common string with the company
    // database as catalog: both strings have the same form.
    const QString connection = companyConnectionString(provider, login.user, login.password, database, login.server);
    ScopedConnection release(QStringLiteral("release"));
    if (!release.open(connection))
        return {};
    const QSqlDatabase db = release.db();
    return textOf(firstRecord(db, dialectOf(db).selectTop(1, QStringLiteral("num_versione FROM ") + QLatin1String(table)
                                                                 + QStringLiteral(" ORDER BY num_versione DESC")))
                      .value(0));
}

QString CompanyOpening::companyDataRelease(const QString& database) { return releaseOf(database, "CO_VERSIONE"); }

QString CompanyOpening::sharedDataRelease(const QString& database) { return releaseOf(database, "CA_VERSIONE"); }

} // namespace corv
