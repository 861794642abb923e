#include "legacy/LegacyVatTable.h"

#include "db/ScopedConnection.h"
#include "db/SideDatabase.h"
#include "report/ReportFile.h"

#include <QDate>
#include <QDir>
#include <QSqlError>
#include <QSqlQuery>

namespace corv {

bool ensureVatCodeTable(const QString& databaseFile, const QString& logFolder, QString* error)
{
    if (!createSideDatabase(databaseFile, error))
        return false;
    ScopedConnection connection(QStringLiteral("tabiva"));
    if (!openSideDatabase(connection, databaseFile, error))
        return false;
    const QSqlDatabase db = connection.db();
    if (sideTableExists(db, QStringLiteral("TABIVA")))
        return true;
    appendLogLine(QDir(logFolder).filePath(QStringLiteral("UpdTDB.LOG")),
                  QStringLiteral("+++ ") + QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" - Creo Tabella TABIVA (")
                      + databaseFile + QLatin1Char(')'));
    // SQLite allows empty texts in every text column: no zero-length property to set.
    QSqlQuery create(db);
    if (create.exec(QStringLiteral("CREATE TABLE TABIVA (cod_iva varchar(2) NOT NULL, des_iva varchar(20) NOT NULL"
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
                                   ", ind_tipoop_pass varchar(1) NULL, ind_tipooma varchar(1) NULL, ind_com3000 varchar(1) NULL)")))
        return true;
    if (error)
        *error = create.lastError().text();
    return false;
}

} // namespace corv
