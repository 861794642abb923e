#include "db/ViewService.h"

#include "app/RunLog.h"
#include "db/Connections.h"
#include "db/SideDatabase.h"

#include <QDateTime>
#include <QDir>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

namespace corv::views {

namespace {

bool run(const QSqlDatabase& db, const QString& sql, QString* error)
{
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    if (error)
        *error = query.lastError().text();
    return false;
}

bool hasRow(const QSqlDatabase& db, const QString& sql)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    return query.exec(sql) && query.next();
}

} // namespace

bool viewExists(const QSqlDatabase& db, const QString& name)
{
    if (engineOf(db) == Engine::Sqlite)
        return hasRow(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'view' AND name = ")
                              + Dialect::quote(name) + QStringLiteral(" COLLATE NOCASE"));
    return hasRow(db, QStringLiteral("SELECT * FROM sysobjects WHERE ID = Object_id(") + Dialect::quote(name)
                          + QStringLiteral(") and type = 'V'"));
}

bool objectExists(const QSqlDatabase& db, const QString& name)
{
    return hasRow(db, dialectOf(db).objectExistsQuery(name));
}

bool dropView(const QSqlDatabase& db, const QString& name, QString* error)
{
    if (!viewExists(db, name))
        return true;
    return run(db, QStringLiteral("DROP VIEW ") + Dialect::quoteIdentifier(name), error);
}

bool ensureReleaseTable(const QSqlDatabase& db, QString* error)
{
    if (objectExists(db, kReleaseTable))
        return true;
    return run(db,
               QStringLiteral("CREATE TABLE ") + kReleaseTable + QStringLiteral(" (")
                   + QStringLiteral("  des_nomeview       varchar(25) NOT NULL")
                   + QStringLiteral(", des_relview        varchar(12) NOT NULL")
                   + QStringLiteral(", dat_upd            datetime    NOT NULL DEFAULT 0")
                   + QStringLiteral(", CONSTRAINT          PK") + kReleaseTable
                   + QStringLiteral(" PRIMARY KEY (des_nomeview)") + QStringLiteral(" )"),
               error);
}

QString viewRelease(const QSqlDatabase& db, const QString& name)
{
    if (!ensureReleaseTable(db))
        return kNoRelease;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT * FROM ") + kReleaseTable + QStringLiteral(" WHERE des_nomeview=?"));
    query.addBindValue(name);
    if (!query.exec() || !query.next())
        return kNoRelease;
    return query.value(QStringLiteral("des_relview")).toString();
}

bool setViewRelease(const QSqlDatabase& db, const QString& name, const QString& release, QString* error)
{
    if (!ensureReleaseTable(db, error))
        return false;
    const QVariant now = engineOf(db) == Engine::Sqlite
                             ? QVariant(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                             : QVariant(QDateTime::currentDateTime());
    QSqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE ") + kReleaseTable + QStringLiteral(" SET des_relview=?, dat_upd=? WHERE des_nomeview=?"));
    query.addBindValue(release);
    query.addBindValue(now);
    query.addBindValue(name);
    if (query.exec() && query.numRowsAffected() > 0)
        return true;
    query.prepare(QStringLiteral("INSERT INTO ") + kReleaseTable + QStringLiteral(" (des_nomeview, des_relview, dat_upd) VALUES (?, ?, ?)"));
    query.addBindValue(name);
    query.addBindValue(release);
    query.addBindValue(now);
    if (query.exec())
        return true;
    if (error)
        *error = query.lastError().text();
    return false;
}

QString viewBodyFor(const QSqlDatabase& db, const QString& selectText)
{
    if (engineOf(db) != Engine::Sqlite)
        return selectText;
    static const QRegularExpression top(QStringLiteral("\\bTOP\\s*\\(?\\s*100\\s*\\)?\\s*PERCENT\\b"),
                                        QRegularExpression::CaseInsensitiveOption);
    QString body = selectText;
    return body.remove(top);
}

bool createView(const QSqlDatabase& db, const QString& name, const QString& selectText, const QString& release,
                QString* error)
{
    const QString trimmedName = name.trimmed();
    const QString text = selectText.trimmed();
    if (!ensureReleaseTable(db, error) || !dropView(db, trimmedName, error))
        return false;
    // SQLite takes no parentheses around a view's body.
    const QString sql = engineOf(db) == Engine::Sqlite
                            ? QStringLiteral("CREATE VIEW ") + trimmedName + QStringLiteral(" AS ") + viewBodyFor(db, text)
                            : QStringLiteral("CREATE VIEW ") + trimmedName + QStringLiteral(" AS ( ") + text + QStringLiteral(" )");
    if (!run(db, sql, error))
        return false;
    return setViewRelease(db, trimmedName, release, error);
}

bool ensureView(const QSqlDatabase& db, const QString& name, const QString& selectText, const QString& required,
                bool force, QString* error)
{
    if (force && !setViewRelease(db, name, kNoRelease, error))
        return false;
    if (viewRelease(db, name) < required)
        return createView(db, name, selectText, required, error);
    return true;
}

QString journalViewText()
{
    return QStringLiteral("SELECT TOP (100) PERCENT"
                          "  i.prg_prinota, i.prg_prinota_riga, i.num_riga"
                          ", i.cod_caucon, cc.des_caucon"
                          ", CASE WHEN cc.ind_tipo_oper_iva IN ('1','3','7') THEN -1 ELSE 1 END AS ind_nc"
                          ", i.cod_iva, ci.des_iva, ci.prc_iva"
                          ", i.num_reg_iva, i.cod_reg_iva, i.ind_sogg_revcham, ci.ind_dich_per"
                          ", i.dat_comp_iva, p.dat_registrazione, p.dat_doc, p.des_num_doc, p.sig_serie_doc"
                          ", p.num_protocollo, p.sig_serie_prot"
                          ", p.ind_clifor, p.cod_clifor, an.des_ragsoc, an.cod_naz, i.ind_area_naz, n.des_naz"
                          ", i.val_imponibile, i.val_imponibile * (CASE WHEN cc.ind_tipo_oper_iva IN ('1','3','7') THEN -1 ELSE 1 END) AS val_impondoc, i.val_iva, i.val_imponibile + i.val_iva AS val_imptot"
                          ", i.cod_natura_iva, ni.des_natura_iva"
                          " FROM CG_PRINOTAR_IVA AS i"
                          " LEFT JOIN CG_PRINOTAT AS p ON (p.prg_prinota=i.prg_prinota)"
                          " LEFT JOIN CA_CAUCON AS cc ON (cc.cod_caucon=i.cod_caucon)"
                          " LEFT JOIN CA_IVA AS ci ON (ci.cod_iva=i.cod_iva)"
                          " LEFT JOIN CA_ANAGRAFICHE AS an ON (an.cod_anagra=p.cod_clifor)"
                          " LEFT JOIN CA_NAZIONI AS n ON (n.cod_naz=an.cod_naz)"
                          " LEFT JOIN CA_PIACONT AS pc ON (pc.cod_piacont=i.cod_piacont_contr)"
                          " LEFT JOIN CA_NATURA_IVA AS ni ON (ni.cod_natura_iva=i.cod_natura_iva)"
                          " WHERE ci.ind_dich_per=1 AND NOT (cc.ind_gestione_iva IN ('03', '02','11'))"
                          " AND i.cod_reg_iva IN('V','C','A')"
                          "  ");
}

bool ensureJournalView(const QSqlDatabase& companyDb, bool force, QString* error)
{
    return ensureView(companyDb, kJournalView, journalViewText(), kJournalViewRelease, force, error);
}

bool ensureVatCodeTable(const QString& databaseFile, const QString& logFolder, QString* error)
{
    static std::atomic<int> counter{0};
    const QString name = QStringLiteral("corv-tabiva-%1").arg(++counter);
    bool ok = false;
    if (createSideDatabase(databaseFile, error) && openSideDatabase(name, databaseFile, error)) {
        const QSqlDatabase db = QSqlDatabase::database(name, false);
        ok = sideTableExists(db, QStringLiteral("TABIVA"));
        if (!ok) {
            utl::logLine(QStringLiteral("+++ ") + QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))
                             + QStringLiteral(" - Creo Tabella TABIVA (") + databaseFile + QLatin1Char(')'),
                         false, QDir(logFolder).filePath(QStringLiteral("UpdTDB.LOG")));
            // Empty texts are allowed in every text column of SQLite: the
            // zero-length property of the old engine has nothing to do here.
            ok = run(db,
                     QStringLiteral("CREATE TABLE TABIVA (cod_iva varchar(2) NOT NULL, des_iva varchar(20) NOT NULL"
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
                                    ", ind_tipoop_pass varchar(1) NULL, ind_tipooma varchar(1) NULL, ind_com3000 varchar(1) NULL)"),
                     error);
        }
    }
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace corv::views
