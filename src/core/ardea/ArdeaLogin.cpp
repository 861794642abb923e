#include "ardea/ArdeaLogin.h"

#include "context/AppContext.h"
#include "db/ConnectionString.h"
#include "ardea/SqlAccessForm.h"
#include "platform/Ui.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>

namespace corv {

namespace {

const QString kEndSuffix = QStringLiteral("\r\n\r\nINTERRUZIONE PROGRAMMA !");

} // namespace

ArdeaLogin::ArdeaLogin(AppContext& ctx) : ctx_(ctx) {}

void ArdeaLogin::readLoginFromIni()
{
    const IniFile ardea = ctx_.ardeaSettings();
    LoginState& login = ctx_.login();
    login.server = withoutEnclosingQuotes(ardea.read(keys::kLoginServer), true);
    login.user = ardea.read(keys::kLoginUser);
    login.password = ardea.read(keys::kLoginPassword);
}

void ArdeaLogin::reportFailure(const QString& routine, const QString& step, const QString& error, bool show)
{
    ctx_.log().write(QStringLiteral("*** ERRORE ") + routine + QStringLiteral(" [") + step + QStringLiteral("] : ")
                     + error);
    if (show)
        ctx_.ui().critical(QStringLiteral("Errore in ") + routine + QStringLiteral(" - Fase : ") + step
                               + QStringLiteral("\r\n\r\n") + error,
                           routine);
}

InitOutcome ArdeaLogin::AR_InitLib(bool messages)
{
    RunLog& log = ctx_.log();
    LoginState& login = ctx_.login();
    ArdeaInstallation& installation = ctx_.installation();
    Ui& ui = ctx_.ui();

    login.provider = installation.Dove_AR(DoveKind::Provider);
    if (login.provider.isEmpty())
        login.provider = QStringLiteral("SQLOLEDB.1");
    log.write(QStringLiteral("§   -----    AR_InitLib  -------"));

    log.write(QStringLiteral("-* AR_ProgDir"));
    login.programDir = installation.Dove_AR(DoveKind::Installation);
    log.write(QStringLiteral("-> AR_ProgDir : >") + login.programDir + QLatin1Char('<'));
    log.write(QStringLiteral("Risultato - AR_ProgDir: >") + login.programDir + QLatin1Char('<'));
    log.write(QStringLiteral("Dopo AR_ProgDir : ") + login.programDir + QLatin1Char('<'));
    if (login.programDir.isEmpty()) {
        if (messages)
            ui.critical(QStringLiteral("AR NON INSTALLATO  !!!!\r\rIMPOSSIBILE ESEGUIRE IL PROGRAMMA !!"),
                        QStringLiteral("Proc_AR:AR_InitLib"));
        return InitOutcome::Unavailable;
    }

    const auto logLogin = [&] {
        log.write(QStringLiteral("     AR_Ini : ") + ini::kArdea + QLatin1Char('<'));
        log.write(QStringLiteral("     DB_Srv : ") + login.server + QLatin1Char('<'));
        log.write(QStringLiteral("     Us_Id : ") + login.user + QLatin1Char('<'));
        log.write(QStringLiteral("     Us_Pwd : ") + maskedPassword(login.password) + QLatin1Char('<'));
    };
    readLoginFromIni();
    logLogin();

    while (login.server.isEmpty() || login.user.isEmpty()) {
        log.write(QStringLiteral("--- Richiamo  F_SQLAccess ---"));
        SqlAccessForm form(ctx_.ardeaSettings(), ctx_.loginBackup(), ui, installation.registryServer());
        ui.editLogin(form);
        if (form.abandoned())
            return InitOutcome::EndProgram;
        readLoginFromIni();
        logLogin();
    }

    for (auto step : {&ArdeaLogin::resolveServer, &ArdeaLogin::resolveUser, &ArdeaLogin::resolvePassword}) {
        if ((this->*step)(messages) == InitOutcome::EndProgram)
            return InitOutcome::EndProgram;
    }

    log.write(QStringLiteral("InitLib       User           Us_Id  : ") + login.user + QLatin1Char('<'));
    log.write(QStringLiteral("InitLib       Password       Us_Pwd : ") + maskedPassword(login.password) + QLatin1Char('<'));
    log.write(QStringLiteral("InitLib       DataSource     DB_Srv : ") + login.server + QLatin1Char('<'));
    log.write(QStringLiteral("InitLib       Catalog Azi    Db_Azi : ") + login.companyDatabase + QLatin1Char('<'));

    const auto systemString = [&](const QString& catalog) {
        return systemConnectionString(login.provider, login.user, login.password, catalog, login.server);
    };
    if (!openSystemConnection(Connections::ESys, QStringLiteral("eSYS"), systemString(QStringLiteral("eSYS")))) {
        if (messages)
            reportFailure(QStringLiteral("AR_InitLib"), QStringLiteral("Cn_eSYS"), lastError_, true);
        systemClose();
        return InitOutcome::Unavailable;
    }

    {
        const QSqlDatabase sys = ctx_.connections().db(Connections::ESys);
        QSqlQuery release(sys);
        release.setForwardOnly(true);
        const QString sql = dialectOf(sys).selectTop(1, QStringLiteral("* FROM TS_VERSIONE ORDER BY num_versione DESC"));
        if (!release.exec(sql)) {
            reportFailure(QStringLiteral("AR_InitLib"), QStringLiteral("TS_VERSIONE"), release.lastError().text(), messages);
            systemClose();
            return InitOutcome::Unavailable;
        }
        login.ardeaRelease = release.next() ? release.value(QStringLiteral("num_versione")).toString() : QString();
    }

    for (const auto& [which, catalog] : {std::pair{Connections::EConn, QStringLiteral("eCONNESSIONI")},
                                         std::pair{Connections::ESess, QStringLiteral("eSESSIONI")}}) {
        if (!openSystemConnection(which, catalog, systemString(catalog))) {
            reportFailure(QStringLiteral("AR_InitLib"), Connections::label(which), lastError_, messages);
            systemClose();
            return InitOutcome::Unavailable;
        }
    }

    log.write(QStringLiteral("- Prima di AR_ClearACCESSI"));
    clearAccesses();

    IniFile backup = ctx_.loginBackup();
    // The login that worked, kept for the login window's restore: one write.
    saveSettings(ui, backup, {{keys::kLoginServer, login.server}, {keys::kLoginUser, login.user}, {keys::kLoginPassword, login.password}});
    return InitOutcome::Ready;
}

InitOutcome ArdeaLogin::endWith(const QString& text, bool messages)
{
    if (messages)
        ctx_.ui().critical(text + kEndSuffix, QStringLiteral("AR_InitLib"));
    return InitOutcome::EndProgram;
}

// The registry's stored server, user and password are encoded; we show no
// decoded hint, so the prompts carry none.
InitOutcome ArdeaLogin::resolveServer(bool messages)
{
    LoginState& login = ctx_.login();
    ctx_.log().write(QStringLiteral("Prima di T_Guess 1 (Server)"));
    ctx_.installation().Dove_AR(DoveKind::ServerHint);
    while (login.server.isEmpty()) {
        const QString answer = GetLoginData(QStringLiteral("Server"), QString());
        if (answer == QLatin1String("-1"))
            return endWith(QStringLiteral("IMPOSSIBILE Determinare il DB SERVER !!"), messages);
        login.server = QLatin1Char('\'') + answer + QLatin1Char('\'');
        IniFile ardea = ctx_.ardeaSettings();
        saveSetting(ctx_.ui(), ardea, keys::kLoginServer, login.server);
    }
    return InitOutcome::Ready;
}

InitOutcome ArdeaLogin::resolveUser(bool messages)
{
    LoginState& login = ctx_.login();
    ctx_.log().write(QStringLiteral("Prima di T_Guess 2 (Utente)"));
    ctx_.installation().Dove_AR(DoveKind::UserHint);
    while (login.user.isEmpty()) {
        const QString answer = GetLoginData(QStringLiteral("User"), QString());
        if (answer == QLatin1String("-1"))
            return endWith(QStringLiteral("IMPOSSIBILE Determinare il NOME UTENTE !!"), messages);
        IniFile ardea = ctx_.ardeaSettings();
        saveSetting(ctx_.ui(), ardea, keys::kLoginUser, login.user);
    }
    return InitOutcome::Ready;
}

InitOutcome ArdeaLogin::resolvePassword(bool messages)
{
    LoginState& login = ctx_.login();
    ctx_.log().write(QStringLiteral("Prima di T_Guess 3 (Password)"));
    ctx_.installation().Dove_AR(DoveKind::PasswordHint);
    while (login.password.isEmpty()) {
        IniFile ardea = ctx_.ardeaSettings();
        if (ardea.readInt(keys::kNullPassword, 0) == 1)
            break;
        const QString answer = GetLoginData(QStringLiteral("Pwd"), QString());
        if (answer.isEmpty()) {
            if (ctx_.ui().askYesNo(QStringLiteral("SICURO DI CONFERMARE PASSWORD NULLA ?"), QStringLiteral("Proc_AR"))) {
                saveSetting(ctx_.ui(), ardea, keys::kNullPassword, QStringLiteral("1"));
                break;
            }
            continue;
        }
        if (answer == QLatin1String("-1")) {
            login.password.clear();
            return endWith(QStringLiteral("IMPOSSIBILE Determinare la PASSWORD UTENTE !!"), messages);
        }
        saveSetting(ctx_.ui(), ardea, keys::kLoginPassword, login.password);
    }
    return InitOutcome::Ready;
}

bool ArdeaLogin::openSystemConnection(int which, const QString&, const QString& connectionString)
{
    const auto name = static_cast<Connections::Name>(which);
    const QString label = Connections::label(name);
    const QString shown = maskConnectionPassword(connectionString);
    RunLog& log = ctx_.log();
    log.write(QStringLiteral("- Inizio ") + label);
    log.write(QStringLiteral("     Cn_Str ") + label + QStringLiteral(" : ") + shown + QLatin1Char('<'));
    log.write(QStringLiteral("- Prima di Open : ") + shown);
    lastError_.clear();
    if (!ctx_.connections().open(name, connectionString, &lastError_)) {
        log.write(QStringLiteral("- Errore Open : ") + lastError_);
        return false;
    }
    log.write(QStringLiteral("- Dopo Open"));
    return true;
}

void ArdeaLogin::clearAccesses()
{
    const QString product = ctx_.login().productName;
    if (product.isEmpty() || product == QLatin1String("x/ARDEA") || product == QLatin1String("x/"))
        return;
    QSqlQuery remove(ctx_.connections().db(Connections::ESys));
    remove.prepare(QStringLiteral("DELETE FROM TS_ACCESSI WHERE cod_utente='adme' AND nomecomputer=? AND des_nomeprodotto=?"));
    remove.addBindValue(QSysInfo::machineHostName());
    remove.addBindValue(product);
    if (!remove.exec())
        ctx_.log().write(QStringLiteral("*** ERRORE AR_ClearACCESSI : ") + remove.lastError().text());
}

QString ArdeaLogin::GetLoginData(const QString& kind, const QString& hint)
{
    const QString upper = kind.toUpper();
    Ui& ui = ctx_.ui();
    if (!ui.interactive()) {
        // Nobody to type the value: the start ends, and no default answer is
        // ever written to the settings as if it had been given.
        ui.critical(QStringLiteral("Manca il dato di accesso a SQL Server \"") + kind
                        + QStringLiteral("\" in ARDEA_Z.INI e nessuno può inserirlo (modalità non interattiva).\r\n"
                                         "Nessuna impostazione è stata modificata."),
                    QStringLiteral("GetLoginData"));
        return QStringLiteral("-1");
    }
    QString hintText;
    if (!hint.isEmpty())
        hintText = QStringLiteral("\r\n (   ") + hint + QStringLiteral("   ??   )");
    else if (upper == QLatin1String("PWD"))
        hintText = QStringLiteral("\r\n (   PASSWORD NULLA  ??   )");

    QString title, prompt, defaultValue;
    if (upper == QLatin1String("SERVER")) {
        title = QStringLiteral("Inserire Server (GetLoginData)");
        prompt = QStringLiteral("Nome SERVER/Istanza Nominata (NO Barre: \\ )");
        defaultValue = ctx_.installation().Dove_AR(DoveKind::DbServer);
        if (defaultValue.isEmpty())
            defaultValue = QSysInfo::machineHostName();
    } else if (upper == QLatin1String("USER")) {
        title = QStringLiteral("Inserire Utente (GetLoginData)");
        prompt = QStringLiteral("Nome Utente");
        defaultValue = QStringLiteral("sa");
    } else if (upper == QLatin1String("PWD")) {
        title = QStringLiteral("Inserire Password (GetLoginData)");
        prompt = QStringLiteral("Password Utente");
    } else {
        ui.critical(QStringLiteral("ERRORE RICHIAMANDO GetLoginData: ") + kind);
        return QStringLiteral("-1");
    }

    QString answer;
    for (;;) {
        answer = ui.input(prompt + hintText, title, defaultValue).value_or(QString()).trimmed();
        if (!answer.isEmpty())
            break;
        if (upper == QLatin1String("PWD")
            && ui.askYesNo(QStringLiteral("CONFERMI PASSWORD NULLA ?"), QStringLiteral("Proc_AR"))) {
            IniFile ardea = ctx_.ardeaSettings();
            saveSetting(ui, ardea, keys::kNullPassword, QStringLiteral("1"));
            break;
        }
        if (ui.askYesNo(QStringLiteral("NESSUN valore inserito !\r\rConfermi abbandono operazione ??"),
                        QStringLiteral("GetLoginData - ") + kind)) {
            answer = QStringLiteral("-1");
            break;
        }
    }

    LoginState& login = ctx_.login();
    if (upper == QLatin1String("SERVER"))
        login.server = answer;
    else if (upper == QLatin1String("USER"))
        login.user = answer;
    else
        login.password = answer;
    return answer;
}

bool ArdeaLogin::ARRecOpen()
{
    LoginState& login = ctx_.login();
    if (login.server.isEmpty() || login.user.isEmpty())
        readLoginFromIni();
    const QString provider = ctx_.installation().provider();
    const auto dataString = [&](const QString& catalog) {
        return dataConnectionString(provider, login.user, login.password, catalog, login.server);
    };
    QString error;
    const auto fail = [&](const char* step, const QString& database = {}) {
        if (!database.isEmpty())
            ctx_.unavailableDatabase = database + QStringLiteral(" non disponibile : ") + error;
        reportFailure(QStringLiteral("ARRecOpen"), QLatin1String(step), error, true);
        return false;
    };

    ctx_.setDataOpen(false);
    ctx_.unavailableDatabase.clear();
    if (!ctx_.connections().open(Connections::Corvina, dataString(kCorvinaCatalog), &error))
        return fail("Corv", QStringLiteral("Database Corvina (") + kCorvinaCatalog + QLatin1Char(')'));
    ctx_.setCorvinaOpen(true);

    if (ctx_.doArdea()) {
        if (!ctx_.connections().open(Connections::Company, dataString(login.companyDatabase), &error))
            return fail("eAzi", QStringLiteral("Database dell'azienda Ardea (") + login.companyDatabase + QLatin1Char(')'));
        if (!ctx_.connections().open(Connections::Common, dataString(login.commonDatabase), &error))
            return fail("eCOM", QStringLiteral("Database comune Ardea (") + login.commonDatabase + QLatin1Char(')'));
        ctx_.installation().Dove_AR(DoveKind::CompanyWork);
        QSqlQuery test(ctx_.connections().db(Connections::Company));
        test.setForwardOnly(true);
        if (!test.exec(QStringLiteral("SELECT * FROM CO_AZIENDA_PAR"))) {
            error = test.lastError().text();
            return fail("AZIENDA");
        }
    }
    ctx_.setDataOpen(true);
    return true;
}

void ArdeaLogin::systemClose()
{
    Connections& connections = ctx_.connections();
    connections.close(Connections::ESess);
    connections.close(Connections::EConn);
    connections.close(Connections::ESys);
}

void ArdeaLogin::dataClose()
{
    Connections& connections = ctx_.connections();
    if (ctx_.doArdea()) {
        connections.close(Connections::Common);
        connections.close(Connections::Company);
    }
    if (ctx_.corvinaOpen()) {
        connections.close(Connections::Corvina);
        ctx_.setCorvinaOpen(false);
    }
    ctx_.setDataOpen(false);
}

} // namespace corv
