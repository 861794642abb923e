#include "demo/DemoData.h"

#include "demo/DemoInstallation.h"
#include "demo/DemoJournal.h"
#include "demo/DemoMaintenance.h"
#include "demo/DemoSettlements.h"
#include "db/ScopedConnection.h"
#include "demo/DemoRegistry.h"

#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <functional>

namespace corv {

namespace {

// Runs `fill` on a catalog inside one transaction.
bool withCatalog(const QString& file, QString* error, const std::function<bool(QSqlDatabase&)>& fill)
{
    ScopedConnection catalog(QStringLiteral("demo-data"));
    if (!catalog.openSqliteFile(file, error))
        return false;
    QSqlDatabase db = catalog.db();
    bool ok = db.transaction();
    if (ok) {
        ok = fill(db);
        if (ok)
            ok = db.commit();
        else
            db.rollback();
    }
    if (!ok && error && error->isEmpty())
        *error = db.lastError().text();
    return ok;
}

// Inserts one row; the statement's placeholders take the values in order.
bool insert(QSqlDatabase& db, const QString& sql, const QVariantList& values, QString* error)
{
    QSqlQuery query(db);
    query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (query.exec())
        return true;
    if (error)
        *error = query.lastError().text() + QStringLiteral("\n") + sql;
    return false;
}

} // namespace

const std::vector<DemoCatalog>& demoCatalogs()
{
    static const std::vector<DemoCatalog> catalogs = {
        {QStringLiteral("eSYS"), QStringLiteral("eSYS")},
        {QStringLiteral("eCONNESSIONI"), QStringLiteral("eCONNESSIONI")},
        {QStringLiteral("eSESSIONI"), QStringLiteral("eSESSIONI")},
        {QStringLiteral("AR_DEMO"), QStringLiteral("company")},
        {QStringLiteral("AR_PROVA"), QStringLiteral("company")},
        {QStringLiteral("AR_COMUNE"), QStringLiteral("common")},
        {QStringLiteral("Corvina_3"), QStringLiteral("Corvina_3")},
        {QStringLiteral("PelionFramework_Corvina_3"), QStringLiteral("framework")},
        {QStringLiteral("PelionSession_Corvina_3"), QStringLiteral("session")},
    };
    return catalogs;
}

bool fillDemoData(const QString& dbFolder, const DemoOptions& options, QString* error)
{
    const auto file = [&](const char* name) { return dbFolder + QLatin1String(name) + QStringLiteral(".sqlite"); };

    bool ok = withCatalog(file("eSYS"), error, [&](QSqlDatabase& db) {
        return insert(db, QStringLiteral("INSERT INTO TS_VERSIONE VALUES (?, ?)"),
                      {QStringLiteral("06.10.00.0000"), QStringLiteral("2025-03-01 00:00:00")}, error)
               && insert(db, QStringLiteral("INSERT INTO TS_VERSIONE VALUES (?, ?)"),
                         {QStringLiteral("06.12.01.0004"), QStringLiteral("2026-09-15 00:00:00")}, error)
               && insert(db, QStringLiteral("INSERT INTO TS_AZIENDE VALUES (?, ?, ?, ?)"),
                         {kDemoCompany, QStringLiteral("AR_DEMO"), QStringLiteral("AR_COMUNE"), 1}, error)
               && insert(db, QStringLiteral("INSERT INTO TS_AZIENDE_INFO VALUES (?, ?)"),
                         {kDemoCompany, QStringLiteral("Ferramenta Rossi & Figli S.r.l.")}, error)
               && insert(db, QStringLiteral("INSERT INTO TS_AZIENDE VALUES (?, ?, ?, ?)"),
                         {QStringLiteral("PROVA"), QStringLiteral("AR_PROVA"), QStringLiteral("AR_COMUNE"), 1}, error)
               && insert(db, QStringLiteral("INSERT INTO TS_AZIENDE_INFO VALUES (?, ?)"),
                         {QStringLiteral("PROVA"), QStringLiteral("Azienda di Prova dell'Installazione Dimostrativa S.p.A.")}, error);
    });
    for (const char* company : {"AR_DEMO", "AR_PROVA"}) {
        const QString code = QLatin1String(company) == QLatin1String("AR_DEMO") ? kDemoCompany : QStringLiteral("PROVA");
        ok = ok && withCatalog(file(company), error, [&](QSqlDatabase& db) {
            const bool demo = code == kDemoCompany;
            const QLocale italian(QLocale::Italian, QLocale::Italy);
            options.say(QStringLiteral("Azienda %1 : %2 clienti e fornitori, %3 righe IVA, %4 articoli, %5 movimenti di magazzino")
                            .arg(code, italian.toString(demo ? options.subjects : 40), italian.toString(demo ? options.vatRows : 300),
                                 italian.toString(demo ? options.articles : 20), italian.toString(demo ? options.movements : 100)));
            return insert(db, QStringLiteral("INSERT INTO CO_VERSIONE VALUES (?, ?)"),
                          {QStringLiteral("06.12.01.0004"), QStringLiteral("2026-09-15 00:00:00")}, error)
                   && insert(db, QStringLiteral("INSERT INTO CA_VERSIONE VALUES (?, ?)"),
                             {QStringLiteral("06.12.01.0002"), QStringLiteral("2026-09-01 00:00:00")}, error)
                   && insert(db, QStringLiteral("INSERT INTO CO_AZIENDA_PAR VALUES (?, ?, ?, ?, ?)"),
                             {code, 2, QStringLiteral("EUR"), QStringLiteral("PDC01"), QStringLiteral("IT")}, error)
                   && fillDemoRegistry(db, demo ? options.subjects : 40, demo, error)
                   && fillDemoJournal(db, demo ? options.vatRows : 300, demo, error)
                   && fillDemoSettlements(db, demo, error)
                   && fillDemoMaintenance(db, demo ? options.articles : 20, demo ? options.movements : 100, error);
        });
    }
    ok = ok && withCatalog(file("AR_COMUNE"), error, [&](QSqlDatabase& db) {
        if (!insert(db, QStringLiteral("INSERT INTO CA_VERSIONE VALUES (?, ?)"),
                    {QStringLiteral("06.12.01.0002"), QStringLiteral("2026-09-01 00:00:00")}, error))
            return false;
        // The shared VAT codes with their flags; some left to correct.
        const struct {
            const char *code, *name;
            int rate;
            const char *kind3000, *attachment;
            int declared;
            const char *kind, *intra;
        } codes[] = {{"22", "IVA 22%", 22, "1", "0", 1, "I", " "},        {"10", "IVA 10%", 10, "1", "0", 1, "I", " "},
                     {"4", "IVA 4%", 4, "1", "0", 1, "I", " "},           {"E15", "Esente art.15", 0, "3", "2", 1, "E", " "},
                     {"NS2", "Non soggetto art.7", 0, "0", "3", 2, "N", "S"}, {"NI8", "Non imp. art.8", 0, "2", "1", 1, "N", " "},
                     {"E10", "Esente art.10", 0, "3", "2", 0, "E", " "},  {"RC", "Reverse charge 22%", 22, "1", "4", 1, "C", "B"},
                     {"FC", "Fuori campo IVA", 0, "0", "3", 0, "N", " "}};
        for (const auto& c : codes) {
            if (!insert(db, QStringLiteral("INSERT INTO CA_IVA (cod_iva, des_iva, prc_iva, ind_tipo_3000, ind_allegato, ind_dich_per, ind_tipo_iva,"
                                           " ind_opeintra, prc_indetraibile, dat_obsoleto) VALUES (?, ?, ?, ?, ?, ?, ?, ?, 0, NULL)"),
                        {QLatin1String(c.code), QLatin1String(c.name), c.rate, QLatin1String(c.kind3000), QLatin1String(c.attachment), c.declared,
                         QLatin1String(c.kind), QLatin1String(c.intra)},
                        error))
                return false;
        }
        return true;
    });
    options.say(QStringLiteral("Corvina : anagrafiche, prima nota e liquidazioni dell'azienda %1").arg(kDemoCompany));
    ok = ok && withCatalog(file("Corvina_3"), error, [&](QSqlDatabase& db) {
        ScopedConnection company(QStringLiteral("demo-company"));
        if (!company.openSqliteFile(file("AR_DEMO"), error) || !fillDemoCorvina(db, company.db(), kDemoCompany, error)
            || !fillDemoCorvinaSettlements(db, company.db(), kDemoCompany, error) || !fillDemoInvoiceData(db, kDemoCompany, error))
            return false;
        return insert(db, QStringLiteral("INSERT INTO CorvinaRelease VALUES (?, ?)"),
                      {QStringLiteral("3.4.2"), QStringLiteral("2026-06-30 00:00:00")}, error)
               && insert(db, QStringLiteral("INSERT INTO Company VALUES (?, ?, ?, ?, ?, ?)"),
                         {kDemoCompany, 2016, QStringLiteral("Ferramenta Rossi & Figli S.r.l."), QStringLiteral(""),
                          QStringLiteral("2017-02-10 00:00:00"), QStringLiteral("2017-02-12 00:00:00")}, error)
               && insert(db, QStringLiteral("INSERT INTO Company VALUES (?, ?, ?, ?, ?, ?)"),
                         {kDemoCompany, 2025, QStringLiteral("Ferramenta Rossi & Figli S.r.l."), QStringLiteral(""),
                          QStringLiteral("2026-02-14 00:00:00"), QStringLiteral("2026-02-16 00:00:00")}, error);
    });
    return ok;
}

} // namespace corv
