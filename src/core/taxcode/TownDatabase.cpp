#include "taxcode/TownDatabase.h"

#include "db/ScopedConnection.h"
#include "db/SideDatabase.h"
#include "platform/ExportFiles.h"
#include "context/AppContext.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace corv::towns {

namespace {

const QStringList kColumns = {QStringLiteral("cod_localita"),  QStringLiteral("cod_cap"),           QStringLiteral("des_localita"),
                              QStringLiteral("sig_prov"),      QStringLiteral("flg_provincia"),     QStringLiteral("sig_istat_loc"),
                              QStringLiteral("cod_localita_prov"), QStringLiteral("cod_iso")};

QVariant orNull(const QString& value) { return value.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(value); }

} // namespace

QString databasePath(const AppContext& ctx) { return ctx.paths().dataFile(QStringLiteral("LOCALITA.sqlite")); }
QString townsFile(const AppContext& ctx) { return ctx.paths().dataFile(QStringLiteral("LOCALITA.TXT")); }
QString nationsFile(const AppContext& ctx) { return ctx.paths().dataFile(QStringLiteral("NAZIONI.TXT")); }

bool createDatabase(const QString& path, QString* error)
{
    ScopedConnection connection(QStringLiteral("towns"));
    if (!connection.openSqliteFile(path, error))
        return false;
    QSqlQuery q(connection.db());
    if (q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS Localita (cod_localita TEXT COLLATE NOCASE NOT NULL PRIMARY KEY, cod_cap TEXT,"
                              " des_localita TEXT COLLATE NOCASE, sig_prov TEXT, flg_provincia TEXT, sig_istat_loc TEXT,"
                              " cod_localita_prov TEXT, cod_iso TEXT)")))
        return true;
    if (error)
        *error = q.lastError().text();
    return false;
}

QString normalized(const QString& value)
{
    const QString trimmed = value.trimmed();
    return trimmed == QLatin1String("_") ? QString() : trimmed;
}

RebuildResult rebuild(AppContext& ctx, const std::function<void(const QString&)>& progress)
{
    return rebuild(databasePath(ctx), townsFile(ctx), nationsFile(ctx), [&ctx](const QString& line) { ctx.log().write(line); }, progress);
}

RebuildResult rebuild(const QString& path, const QString& townsText, const QString& nationsText, const std::function<void(const QString&)>& log,
                      const std::function<void(const QString&)>& progress)
{
    RebuildResult result;
    if (!QFileInfo::exists(path)) {
        result.error = kDatabaseMessage;
        return result;
    }
    // Both files first: a missing one changes nothing.
    for (const QString& file : {townsText, nationsText}) {
        if (!QFileInfo::exists(file)) {
            result.error = QStringLiteral("File '") + QFileInfo(file).fileName() + QStringLiteral("' NON Esistente !!");
            return result;
        }
    }
    ScopedConnection connection(QStringLiteral("towns"));
    if (!openSideDatabase(connection, path, &result.error))
        return result;
    QSqlDatabase db = connection.db();
    if (!db.transaction()) {
        result.error = db.lastError().text();
        return result;
    }
    const auto failed = [&](const QSqlQuery& q) {
        result.error = q.lastError().text();
        db.rollback();
        return result;
    };
    // A town already there takes the file's values (its nation code stays):
    // one statement a line, the town database being SQLite's whatever the
    // installation's engine.
    QSqlQuery store(db);
    store.prepare(QStringLiteral("INSERT INTO Localita (cod_localita, cod_cap, des_localita, sig_prov, flg_provincia, sig_istat_loc, cod_localita_prov)"
                                 " VALUES (?, ?, ?, ?, ?, ?, ?) ON CONFLICT (cod_localita) DO UPDATE SET cod_cap=excluded.cod_cap,"
                                 " des_localita=excluded.des_localita, sig_prov=excluded.sig_prov, flg_provincia=excluded.flg_provincia,"
                                 " sig_istat_loc=excluded.sig_istat_loc, cod_localita_prov=excluded.cod_localita_prov"));
    legacy::ExportReader towns(townsText);
    legacy::ExportReader nations(nationsText);
    // Both readable first (a folder of that name, a file without permission):
    // a town file that cannot be read is a failure, never "0 towns".
    for (const auto* reader : {&towns, &nations}) {
        if (!reader->isOpen()) {
            result.error = QStringLiteral("Impossibile leggere il file '") + QFileInfo(reader == &towns ? townsText : nationsText).fileName()
                           + QStringLiteral("' : ") + reader->errorString();
            db.rollback();
            return result;
        }
    }
    legacy::ExportRecord record;
    while (towns.next(record)) {
        const QString key = normalized(record.field(1));
        if (key.isEmpty()) {
            log(QStringLiteral("LOCALITA.TXT riga %1 senza codice : saltata").arg(towns.lineNumber()));
            ++result.skipped;
            continue;
        }
        if (progress)
            progress(key);
        store.bindValue(0, key);
        int at = 1;
        for (int field : {4, 5, 6, 7, 11, 12})
            store.bindValue(at++, orNull(normalized(record.field(field))));
        if (!store.exec())
            return failed(store);
        ++result.towns;
    }
    if (towns.failed()) {
        result.error = QStringLiteral("Errore di lettura di LOCALITA.TXT : ") + towns.errorString();
        db.rollback();
        return result;
    }
    // Each nation finds its town by name: through an index, not a scan of
    // every town per nation.
    QSqlQuery index(db);
    if (!index.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS Localita_des_localita ON Localita (des_localita)")))
        return failed(index);
    QSqlQuery iso(db);
    iso.prepare(QStringLiteral("UPDATE LOCALITA SET cod_iso=? WHERE des_localita=?"));
    while (nations.next(record)) {
        const QString name = normalized(record.field(2)), code = normalized(record.field(3));
        iso.addBindValue(orNull(code));
        iso.addBindValue(name);
        if (!iso.exec())
            return failed(iso);
        if (iso.numRowsAffected() <= 0) {
            log(QStringLiteral("Manca corrispondenza Nazione : ") + name + QLatin1Char('=') + code);
            ++result.unmatched;
        } else {
            ++result.nations;
        }
    }
    if (!db.commit()) {
        result.error = db.lastError().text();
        return result;
    }
    result.ok = true;
    return result;
}

QStringList find(const AppContext& ctx, const QString& text, bool byName, QString* error)
{
    QStringList rows;
    const QString path = databasePath(ctx);
    if (!QFileInfo::exists(path))
        return rows;
    ScopedConnection connection(QStringLiteral("towns"));
    if (!openSideDatabase(connection, path, error))
        return rows;
    QSqlQuery q(connection.db());
    q.setForwardOnly(true);
    // What the user typed is plain text: "%" and "_" are no wildcards.
    QString typed = text;
    typed.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('%'), QStringLiteral("\\%")).replace(QLatin1Char('_'), QStringLiteral("\\_"));
    const QString pattern = QLatin1Char('%') + typed + QLatin1Char('%');
    if (byName) {
        q.prepare(QStringLiteral("SELECT * FROM Localita WHERE cod_localita LIKE ? ESCAPE '\\' OR des_localita LIKE ? ESCAPE '\\' ORDER BY cod_localita"));
        q.addBindValue(pattern);
        q.addBindValue(pattern);
    } else {
        q.prepare(QStringLiteral("SELECT * FROM LOCALITA WHERE cod_localita LIKE ? ESCAPE '\\' ORDER BY des_localita"));
        q.addBindValue(pattern);
    }
    if (!q.exec()) {
        if (error)
            *error = q.lastError().text();
        return rows;
    }
    while (q.next()) {
        QStringList fields;
        for (const QString& column : kColumns)
            fields << q.value(column).toString();
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
}

} // namespace corv::towns
