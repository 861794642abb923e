#include "backup/CorvinaBackup.h"

#include "backup/Archive.h"
#include "db/ConnectionString.h"
#include "db/Connections.h"
#include "db/Dialect.h"
#include "db/ScopedConnection.h"
#include "db/SqliteFunctions.h"
#include "platform/IniFile.h"
#include "platform/Registry.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "settings/SettingsKeys.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace corv {

namespace backup {

BackupSettings BackupSettings::read(const IniFile& settings)
{
    BackupSettings s;
    s.execute = keys::kBackupExecute.read(settings).compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0;
    s.destination = keys::kBackupDestination.read(settings);
    s.path0 = keys::kBackupPath0.read(settings);
    s.path1 = keys::kBackupPath1.read(settings);
    s.systemDatabases = keys::kBackupSystemDatabases.read(settings) == QLatin1String("1");
    return s;
}

bool BackupSettings::write(IniFile& settings) const
{
    return settings.writeAll({keys::kBackupExecute(execute ? QStringLiteral("True") : QStringLiteral("False")), keys::kBackupDestination(destination),
                              keys::kBackupPath0(path0), keys::kBackupPath1(path1),
                              keys::kBackupSystemDatabases(systemDatabases ? QStringLiteral("1") : QStringLiteral("0"))});
}

QString productBackupFolder(const Registry& registry)
{
    return registry.read(RegistryRoot::CurrentUser, regkeys::kBackupRestore, QStringLiteral("PercorsoUltimoBackup"));
}

bool openBackupChoices(IniFile& settings, const Registry& registry, BackupSettings& choices)
{
    choices = BackupSettings::read(settings);
    if (!settings.contains(keys::kBackupPath1.key))
        choices.path1 = keys::kBackupPath1InWindow;
    choices.path0 = productBackupFolder(registry);
    choices.execute = false;
    return settings.write(keys::kBackupExecute.key, QStringLiteral("False"));
}

QStringList backupDatabases(bool systemDatabases)
{
    QStringList databases;
    if (systemDatabases)
        databases << QStringLiteral("PelionFramework_Corvina_3") << QStringLiteral("PelionSession_Corvina_3");
    return databases << kCorvinaCatalog;
}

QString backupFileName(const QString& folder, bool systemDatabases, const QDate& day, const QString& company, const QString& release)
{
    return QDir(folder).filePath(QStringLiteral("CORV") + (systemDatabases ? QStringLiteral("sys") : QString()) + QLatin1Char('_')
                                 + day.toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('-') + company + QLatin1Char('_')
                                 + QString(release).remove(QLatin1Char('.')) + QStringLiteral("_CorvUTIL.bak"));
}

int removeLeftovers(const QString& folder)
{
    if (folder.trimmed().isEmpty())
        return 0;
    // What a backup killed midway leaves: its work folder of snapshots and
    // the archive it had begun.
    int removed = 0;
    QDir dir(folder);
    for (const QFileInfo& work : dir.entryInfoList({QStringLiteral("corvutil-backup-*")}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
        removed += QDir(work.filePath()).removeRecursively() ? 1 : 0;
    for (const QFileInfo& begun : dir.entryInfoList({QStringLiteral("CORV*_CorvUTIL.bak.tmp")}, QDir::Files | QDir::Hidden))
        removed += QFile::remove(begun.filePath()) ? 1 : 0;
    return removed;
}

QStringList sqlServerBackupStatements(const QString& file, bool systemDatabases)
{
    static const QMap<QString, QString> options = {
        {QStringLiteral("PelionFramework_Corvina_3"),
         QStringLiteral(" WITH NOFORMAT, NOINIT,  NAME = N'Corv/ Framework', DESCRIPTION = N'Framework', SKIP, NOREWIND, NOUNLOAD,  STATS = 10")},
        {QStringLiteral("PelionSession_Corvina_3"),
         QStringLiteral(" WITH NOFORMAT, NOINIT,  NAME = N'Corv/ Session', DESCRIPTION = N'Session', SKIP, NOREWIND, NOUNLOAD,  STATS = 10")},
        {kCorvinaCatalog,
         QStringLiteral(" WITH NOFORMAT, NOINIT,  NAME = N'Corv/ Corvina_3', DESCRIPTION = N'Corvina3', SKIP, NOREWIND, NOUNLOAD,  STATS = 10")}};
    QStringList statements;
    const QString quotedFile = QString(file).replace(QLatin1Char('\''), QStringLiteral("''"));
    for (const QString& database : backupDatabases(systemDatabases))
        statements << QStringLiteral(" BACKUP DATABASE [") + database + QStringLiteral("] TO  DISK = N'") + quotedFile + QLatin1Char('\'')
                          + options.value(database);
    return statements;
}

} // namespace backup

namespace {

using Outcome = CommandResult::Outcome;
const QString kDone = QStringLiteral("BACKUP Corvina Completato !");

QString corvinaRelease(AppContext& ctx)
{
    QSqlQuery q(ctx.connections().db(Connections::Corvina));
    q.setForwardOnly(true);
    if (q.exec(QStringLiteral("SELECT * FROM CorvinaRelease") + QStringLiteral(" ORDER BY DatRelease DESC")) && q.next())
        return q.value(QStringLiteral("Release")).toString();
    return {};
}

// One run: the databases into a file of a temporary name beside the final one.
class BackupRun {
public:
    BackupRun(AppContext& ctx, QString target, bool system) : ctx_(ctx), target_(std::move(target)), system_(system) {}
    bool run(QString& failure);

private:
    bool sqlServer(QString& failure);
    bool sqlite(QString& failure);
    void progress(int done, int total)
    {
        ctx_.ui().status(QStringLiteral("Backup : [") + QString(done, QLatin1Char('+')) + QString(total - done, QLatin1Char('-')) + QLatin1Char(']'));
        ctx_.ui().processEvents();
    }

    AppContext& ctx_;
    QString target_;
    bool system_;
};

bool BackupRun::run(QString& failure)
{
    const QSqlDatabase corvina = ctx_.connections().db(Connections::Corvina);
    return engineOf(corvina) == Engine::SqlServer ? sqlServer(failure) : sqlite(failure);
}

bool BackupRun::sqlServer(QString& failure)
{
    const QSqlDatabase db = ctx_.connections().db(Connections::Corvina);
    const QStringList statements = backup::sqlServerBackupStatements(target_, system_);
    ctx_.log().write(QStringLiteral("---  ---  >>  Comando BACKUP : ") + statements.join(QStringLiteral("\r\n")));
    for (int i = 0; i < statements.size(); ++i) {
        progress(i, static_cast<int>(statements.size()));
        QSqlQuery q(db);
        if (!q.exec(statements[i])) {
            failure = q.lastError().text();
            return false;
        }
        // The server's messages come as results: read them all, so the
        // backup is over before the next statement.
        while (q.nextResult()) {
        }
    }
    return true;
}

// A consistent copy of the database as it is now, page by page through the
// engine's online backup (what a writer commits meanwhile is not in it, and
// the writer does not wait for the copy).
bool snapshotInto(const QSqlDatabase& db, const QString& file, QString& failure)
{
    sqlite3* source = sqliteHandleOf(db);
    if (!source) {
        failure = QStringLiteral("collegamento SQLite non raggiungibile");
        return false;
    }
    sqlite3* target = nullptr;
    if (sqlite3_open_v2(file.toUtf8().constData(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        failure = QString::fromUtf8(sqlite3_errmsg(target));
        sqlite3_close(target);
        return false;
    }
    sqlite3_backup* copy = sqlite3_backup_init(target, "main", source, "main");
    int result = copy ? sqlite3_backup_step(copy, -1) : sqlite3_errcode(target);
    if (copy && sqlite3_backup_finish(copy) != SQLITE_OK && result == SQLITE_DONE)
        result = sqlite3_errcode(target);
    if (result != SQLITE_DONE)
        failure = QString::fromUtf8(sqlite3_errstr(result));
    if (sqlite3_close(target) != SQLITE_OK && result == SQLITE_DONE) {
        failure = QStringLiteral("chiusura della copia non riuscita : ") + file;
        return false;
    }
    return result == SQLITE_DONE;
}

bool BackupRun::sqlite(QString& failure)
{
    const QSqlDatabase corvina = ctx_.connections().db(Connections::Corvina);
    const auto spec = parseConnectionString(connectionStringOf(corvina));
    if (!spec) {
        failure = QStringLiteral("collegamento Corvina non riconosciuto");
        return false;
    }
    // Each database's snapshot, then all of them into one archive.
    QTemporaryDir work(QFileInfo(target_).absolutePath() + QStringLiteral("/corvutil-backup-XXXXXX"));
    if (!work.isValid()) {
        failure = work.errorString();
        return false;
    }
    const QStringList databases = backup::backupDatabases(system_);
    ctx_.log().write(QStringLiteral("---  ---  >>  Comando BACKUP : ") + databases.join(QStringLiteral(", ")) + QStringLiteral(" -> ") + target_);
    ArchiveWriter archive(target_);
    for (int i = 0; i < databases.size(); ++i) {
        progress(i, static_cast<int>(databases.size()));
        const QString source = QDir(spec->server).filePath(databases[i] + QStringLiteral(".sqlite"));
        if (!QFileInfo::exists(source)) {
            failure = QStringLiteral("database mancante : ") + source;
            return false;
        }
        ScopedConnection connection(QStringLiteral("backup"));
        if (!connection.open(dataConnectionString(spec->provider, spec->user, spec->password, databases[i], spec->server), &failure))
            return false;
        const QString snapshot = work.filePath(databases[i] + QStringLiteral(".sqlite"));
        if (!snapshotInto(connection.db(), snapshot, failure))
            return false;
        if (!archive.addFile(databases[i] + QStringLiteral(".sqlite"), snapshot)) {
            failure = archive.error();
            return false;
        }
        QFile::remove(snapshot);
    }
    if (!archive.close()) {
        failure = archive.error();
        return false;
    }
    return true;
}

} // namespace

CommandResult runCorvinaBackup(AppContext& ctx, const backup::BackupSettings& settings)
{
    Ui& ui = ctx.ui();
    const QString folder = settings.folder().trimmed();
    if (folder.isEmpty()) {
        ui.critical(QStringLiteral("Nessuna cartella di destinazione per il Backup : indicarla nella finestra del Backup !!"));
        ui.beep();
        return {Outcome::Declined, {}};
    }
    if (!QDir().mkpath(folder)) {
        ui.critical(QStringLiteral("Impossibile creare la cartella del Backup :\r\n") + folder);
        return {Outcome::Failed, {}};
    }
    const QString file = backup::backupFileName(folder, settings.systemDatabases, QDate::currentDate(), ctx.company().code, corvinaRelease(ctx));
    if (QFileInfo::exists(file)
        && ui.confirmChange(QStringLiteral("File di Backup Già esistente !\r\n\r\nSOSTITUISCO ?"), {}, Ui::Answer::No)
               != Ui::Answer::Yes) {
        ui.beep();
        return {Outcome::Declined, {}};
    }
    ui.status(QStringLiteral("BACKUP Corvina In Corso !"));
    ui.processEvents();
    // Written beside the old file under another name; the old one goes only
    // when the new one is whole. What an interrupted backup left goes first.
    if (const int removed = backup::removeLeftovers(folder))
        ctx.log().write(QStringLiteral("Backup : rimossi %1 resti di un backup interrotto in ").arg(removed) + folder);
    const QString temporary = file + QStringLiteral(".tmp");
    QString failure;
    BackupRun run(ctx, temporary, settings.systemDatabases);
    bool ok = run.run(failure);
    if (ok && std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(file).constData()) != 0) {
        failure = QStringLiteral("impossibile rinominare ") + temporary + QStringLiteral(" in ") + file;
        ok = false;
    }
    if (!ok) {
        QFile::remove(temporary);
        ctx.log().write(QStringLiteral("*** BACKUP Corvina NON riuscito : ") + failure);
        ui.status(QStringLiteral("BACKUP Corvina NON riuscito !!"));
        ui.critical(QStringLiteral("BACKUP Corvina NON riuscito !!\r\n\r\n") + failure
                    + (QFileInfo::exists(file) ? QStringLiteral("\r\n\r\nIl backup precedente resta in ") + file : QString()));
        return {Outcome::Failed, {}};
    }
    ui.status(kDone);
    ui.beep();
    ui.message(kDone + QStringLiteral("\r\n\r\nIn ") + file, {}, Ui::Icon::Information);
    return {};
}

CommandResult backupCorvina(AppContext& ctx, const CorvinaCompanies& companies, int selected)
{
    if (!ctx.ui().showForm(ctx, FormRequest{FormKind::CorvinaBackup, companies, selected}))
        return {Outcome::Declined, {}};
    const backup::BackupSettings settings = backup::BackupSettings::read(ctx.corvSettings());
    ctx.log().write(QStringLiteral("Finestra Backup chiusa : Esegui = ") + (settings.execute ? QStringLiteral("True") : QStringLiteral("False")));
    if (!settings.execute)
        return {Outcome::Declined, {}};
    return runCorvinaBackup(ctx, settings);
}

CommandResult changeLastImportDates(AppContext& ctx, const CorvinaCompany& company)
{
    Ui& ui = ctx.ui();
    if (company.year == 0) {
        ui.beep();
        return {Outcome::Declined, {}};
    }
    const QSqlDatabase db = ctx.connections().db(Connections::Corvina);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    // The company row by its whole key: code, year and group.
    q.prepare(QStringLiteral("SELECT VATLastImportDate, VATDataLastImportDate, CompanyCode, VATYear, CompanyName") + QStringLiteral(" FROM Company")
              + QStringLiteral(" WHERE CompanyCode=? AND VATYear=? AND CompanyGroupCode=?"));
    q.addBindValue(company.code);
    q.addBindValue(company.year);
    q.addBindValue(company.group);
    if (!q.exec()) {
        ui.critical(QStringLiteral("Errore di lettura dal database :\r\n") + q.lastError().text());
        return {Outcome::Failed, {}};
    }
    if (!q.next())
        return {Outcome::Declined, {}};
    const auto asked = [&](int column, const QString& prompt, const QString& title) -> std::optional<QDate> {
        const QDate stored = QDateTime::fromString(q.value(column).toString().left(19), Qt::ISODate).date();
        const QDate shown = stored.isValid() ? stored : QDate::fromString(q.value(column).toString().left(10), QStringLiteral("yyyy-MM-dd"));
        const QString defaultText = (shown.isValid() ? shown : QDate::currentDate()).toString(QStringLiteral("dd/MM/yyyy"));
        const auto answer = ui.input(prompt, title, defaultText);
        if (!answer)
            return std::nullopt;
        // Only a day as dd/mm/yyyy.
        const QDate date = QDate::fromString(answer->trimmed(), QStringLiteral("dd/MM/yyyy"));
        return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
    };
    const auto settlements = asked(0, QStringLiteral("Nuova data Ultimo Import LIQUIDAZIONI :"), QStringLiteral("Cambio data Liquidazioni"));
    const auto data = asked(1, QStringLiteral("Nuova data Ultimo Import DATI FATTURE :"), QStringLiteral("Cambio data Dati Fatture"));
    q.finish();
    for (const auto& [date, column] : {std::pair{settlements, QStringLiteral("VATLastImportDate")}, std::pair{data, QStringLiteral("VATDataLastImportDate")}}) {
        if (!date)
            continue; // no date given: the field stays as it is
        QSqlQuery update(db);
        update.prepare(QStringLiteral("UPDATE Company SET ") + column + QStringLiteral("=? WHERE CompanyCode=? AND VATYear=? AND CompanyGroupCode=?"));
        update.addBindValue(dialectOf(db).dateParameter(*date));
        update.addBindValue(company.code);
        update.addBindValue(company.year);
        update.addBindValue(company.group);
        if (!update.exec()) {
            ui.critical(QStringLiteral("Errore di aggiornamento del database :\r\n") + update.lastError().text());
            return {Outcome::Failed, {}};
        }
    }
    return {};
}

} // namespace corv
