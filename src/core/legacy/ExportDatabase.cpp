#include "legacy/ExportDatabase.h"

#include "db/ScopedConnection.h"
#include "db/SideDatabase.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "report/ReportFile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>

namespace corv {

namespace legacy {

QString exportDatabasePath(const QString& folder) { return sideDatabaseFile(QDir(folder).filePath(QStringLiteral("NB_Corvina.MDB"))); }

bool ensureVatCodeTable(const QString& databaseFile, const QString& logFile, QString* error)
{
    ScopedConnection connection(QStringLiteral("tabiva"));
    if (!createSideDatabase(databaseFile, error) || !openSideDatabase(connection, databaseFile, error))
        return false;
    const QSqlDatabase db = connection.db();
    if (sideTableExists(db, QStringLiteral("TABIVA")))
        return true;
    appendLogLine(logFile, QStringLiteral("+++ ") + QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" - Creo Tabella ")
                               + QStringLiteral("TABIVA") + QStringLiteral(" (") + databaseFile + QLatin1Char(')'));
    // Every text column of SQLite takes an empty text: the zero-length
    // property the columns need elsewhere has nothing to set here.
    QSqlQuery create(db);
    if (create.exec(QStringLiteral("CREATE TABLE ") + QStringLiteral("TABIVA") + QStringLiteral(" (")
                    + QStringLiteral("cod_iva varchar(2) NOT NULL, des_iva varchar(20) NOT NULL"
                                     ", prc_iva FLOAT DEFAULT 0, prc_indet FLOAT DEFAULT 0"
                                     ", ind_iva11_1 varchar(5) NULL, ind_iva11_2 varchar(5) NULL, ind_iva11_3 varchar(5) NULL"
                                     ", ind_iva11_4 varchar(5) NULL, ind_iva11_5 varchar(5) NULL"
                                     ", flg_monteacq INT DEFAULT 0, cod_iva_vent varchar(3) NULL"
                                     ", ind_libero1 varchar(1) NULL, ind_libero2 varchar(1) NULL"
                                     ", flg_ivaesente INT DEFAULT 0, flg_ivaplafond INT DEFAULT 0, prc_ivab13 FLOAT DEFAULT 0"
                                     ", flg_iva_agricola INT DEFAULT 0, ind_tipoiva varchar(1) NULL"
                                     ", flg_acq_intra INT DEFAULT 0, flg_cassa_prev INT DEFAULT 0, des_iva2 varchar(20) NULL"
                                     ", ind_tipo_plafond varchar(1) NULL, ind_ag_viaggio varchar(2) NULL"
                                     ", ind_allcli77 varchar(1) NULL, ind_allfor78 varchar(1) NULL"
                                     ", ind_allcli101 varchar(1) NULL, ind_allfor102 varchar(1) NULL"
                                     ", prc_com_agri FLOAT DEFAULT 0, ind_tipoop_att varchar(1) NULL"
                                     ", ind_tipoop_pass varchar(1) NULL, ind_tipooma varchar(1) NULL, ind_com3000 varchar(1) NULL")
                    + QStringLiteral(")")))
        return true;
    if (error)
        *error = create.lastError().text();
    return false;
}

bool folderWritable(const QString& folder)
{
    if (folder.isEmpty() || !QDir(folder).exists())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("corvutil-XXXXXX.tmp")));
    return probe.open();
}

} // namespace legacy

CommandResult createNemboExportDatabase(AppContext& ctx, const QString& folder)
{
    using Outcome = CommandResult::Outcome;
    Ui& ui = ctx.ui();
    if (folder.isEmpty())
        return {Outcome::Declined, {}};
    if (!legacy::folderWritable(folder)) {
        ui.critical(QStringLiteral("Percorso NON Scrivibile !!"));
        ui.beep();
        return {Outcome::Declined, {}};
    }
    if (!ui.askToChange(QStringLiteral("Confermi Generazione/Aggiornamento MDB con Dati di Nembo ?"))) {
        ui.beep();
        return {Outcome::Declined, {}};
    }
    const QString path = legacy::exportDatabasePath(folder);
    // Made anew: the engine's journal files of the old one go with it.
    for (const QString& file : {path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm")}) {
        if (QFile::exists(file) && !QFile::remove(file)) {
            ui.critical(QStringLiteral("Impossibile cancellare il file :\r\n") + file);
            return {Outcome::Failed, {}};
        }
    }
    QString error;
    if (!legacy::ensureVatCodeTable(path, ctx.paths().dataFile(QStringLiteral("UpdTDB.LOG")), &error)) {
        ui.critical(QStringLiteral("Impossibile creare il database :\r\n") + path + QStringLiteral("\r\n") + error);
        return {Outcome::Failed, {}};
    }
    ui.status(QStringLiteral("Creato ") + path);
    return {};
}

} // namespace corv
