#include "console/ReferenceTables.h"

#include "app/AppContext.h"
#include "app/Progress.h"
#include "db/FieldRow.h"
#include "console/ConsoleState.h"
#include "console/RowFormat.h"
#include "app/TextUtil.h"
#include "platform/Ui.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlRecord>

namespace corv {

namespace {

// Field positions are looked up once per result: QSqlQuery::value(name)
// rebuilds the record at every call.
struct At {
    const QSqlQuery& query;
    FieldIndex index;
    explicit At(const QSqlQuery& q) : query(q) { index.build(q.record()); }
    QVariant operator()(const QSqlQuery&, const char* name) const { return query.value(index.of(QLatin1String(name))); }
};

// Runs a query and turns every record into one row.
template <typename MakeRow>
QStringList readRows(AppContext& ctx, const QSqlDatabase& db, const QString& sql, MakeRow makeRow,
                     const QVariantList& values = {})
{
    QStringList rows;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(sql);
    for (const QVariant& v : values)
        query.addBindValue(v);
    if (!query.exec()) {
        ctx.log().write(QStringLiteral("*** ERRORE lettura : ") + query.lastError().text() + QStringLiteral(" - ") + sql);
        ctx.ui().critical(QStringLiteral("Errore di lettura dal database :\r\n") + query.lastError().text());
        return rows;
    }
    Progress progress(ctx.ui());
    const At at(query);
    while (query.next()) {
        rows << makeRow(query, at);
        progress.step([&] { return QStringLiteral("Lettura righe : %1").arg(rows.size()); });
    }
    return rows;
}


} // namespace

QString ardeaSubjectHeading()
{
    return QStringLiteral("  Cod. | Rag.Soc.                          |   | PI             | CF             | | |Naz|"
                          "                    |                    | Località           |   | |                         | | | |   |   |   |");
}

ReferenceLists readArdeaReferences(AppContext& ctx)
{
    ReferenceLists lists;
    const QSqlDatabase db = ctx.connections().db(Connections::Company);
    const Dialect& dialect = dialectOf(db);
    lists.vatCodes = readRows(ctx, db, QStringLiteral("SELECT * FROM CA_IVA ORDER BY prc_iva, cod_iva"), [](const QSqlQuery& q, const At& at) {
        return textColumn(at(q, "cod_iva"), 3) + textColumn(at(q, "des_iva"), 25) + numberColumn(at(q, "prc_iva"), 6, 2)
               + textColumn(at(q, "ind_tipo_3000"), 3) + textColumn(at(q, "ind_tipo_iva"), 3) + textColumn(at(q, "ind_allegato"), 3);
    });
    ctx.ui().processEvents();
    lists.reasons = readRows(ctx, db, QStringLiteral("SELECT * FROM CO_CAUCON WHERE cod_reg_iva>'' ORDER BY cod_caucon"),
                             [](const QSqlQuery& q, const At& at) {
                                 return textColumn(at(q, "cod_caucon"), 3) + textColumn(at(q, "des_caucon"), 20)
                                        + textColumn(at(q, "cod_reg_iva"), 1) + QStringLiteral(" |")
                                        + textColumn(at(q, "ind_tipo_oper_iva"), 1);
                             });
    ctx.ui().processEvents();
    const QString sql =
        QStringLiteral("SELECT ") + dialect.concat({QStringLiteral("c.cod_clifor"), QStringLiteral("c.ind_clifor")})
        + QStringLiteral(" AS cod_clifor, a.des_ragsoc, '??" "?' AS xx1"
                         ", a.cod_piva, a.cod_cfisc, a.flg_pers_fis, a.ind_tipo_diciva AS ind_consfin, a.cod_naz_res"
                         ", a.des_nome, a.des_cogn, a.des_localita_res, n.ind_area_naz"
                         ", a.ind_sesso, a.cod_cfisc_estero, a.flg_piva_ver, a.flg_nores_nocfis, c.flg_allegato"
                         ", c.cod_iva, a.flg_nores_nocfis, c.cod_caurit"
                         " FROM CO_CLIFOR AS c"
                         " LEFT JOIN CA_ANAGRAFICHE AS a ON (a.cod_anagra=c.cod_clifor)"
                         " LEFT JOIN CA_NAZIONI AS n ON (a.cod_naz=n.cod_naz)"
                         " WHERE ind_area_naz='0'"
                         " ORDER BY c.cod_clifor, c.ind_clifor");
    static const int widths[] = {7, 35, 3, 16, 16, 1, 1, 3, 20, 20, 20, 3, 1, 25, 1, 1, 1, 3, 3, 3};
    lists.subjects = readRows(ctx, db, sql, [](const QSqlQuery& q, const At& at) {
        QString row;
        for (int i = 0; i < 20; ++i)
            row += textColumn(q.value(i), widths[i]);
        return row;
    });
    ctx.ui().processEvents();
    return lists;
}

ReferenceLists readCorvinaReferences(AppContext& ctx, const ConsoleState& state)
{
    ReferenceLists lists;
    const int year = state.corvinaYear();
    if (year == 0) {
        ctx.ui().beep();
        ctx.ui().status(QStringLiteral("NESSUN ANNO NEL COMBO AZIENDE !!"));
        return lists;
    }
    const QSqlDatabase db = ctx.connections().db(Connections::Corvina);
    lists.vatCodes = readRows(
        ctx, db, QStringLiteral("SELECT * FROM VATCode WHERE VATYear=? AND CompanyGroupCode=? ORDER BY VATPercentage, VATCode"),
        [](const QSqlQuery& q, const At& at) {
            return textColumn(at(q, "VATCode"), 3) + textColumn(at(q, "VATName"), 20) + numberColumn(at(q, "VATPercentage"), 7, 3)
                   + textColumn(at(q, "VATNatureType"), 3) + textColumn(at(q, "C3Type"), 3) + textColumn(at(q, "OperationType"), 3)
                   + textColumn(at(q, "NonDeductVATPerc"), 4);
        },
        {year, state.corvinaGroup()});
    ctx.ui().processEvents();
    lists.reasons = readRows(
        ctx, db, QStringLiteral("SELECT * FROM AccountingRsn WHERE VATYear=? AND CompanyGroupCode=? ORDER BY ReasonCode, CompanyGroupCode"),
        [](const QSqlQuery& q, const At& at) {
            return textColumn(at(q, "ReasonCode"), 3) + textColumn(at(q, "ReasonName"), 20) + textColumn(at(q, "InC3"), 1)
                   + textColumn(at(q, "VariationNote"), 1) + textColumn(at(q, "Selfinvoice"), 1) + textColumn(at(q, "ReverseCharge"), 1);
        },
        {year, state.corvinaGroup()});
    ctx.ui().processEvents();
    lists.subjects = readRows(
        ctx, db, QStringLiteral("SELECT * FROM CustomerSupplier WHERE VATYear=? AND CompanyCode=? ORDER BY CustSupplCode, CustSupplType"),
        [](const QSqlQuery& q, const At& at) {
            const QString letter = at(q, "CustSupplType").toString() == QLatin1String("1") ? QStringLiteral("C") : QStringLiteral("F");
            return utl::PadRight(at(q, "CustSupplCode").toString(), 6) + letter + QLatin1Char('|')
                   + utl::PadRight(at(q, "CompanyName").toString(), 40) + QStringLiteral("|?|") + textColumn(at(q, "VATRegNo"), 16)
                   + textColumn(at(q, "FiscalCode"), 16) + textColumn(at(q, "ISOCode"), 3) + textColumn(at(q, "PhysicalPerson"), 1)
                   + textColumn(at(q, "C3SubjectType"), 1) + textColumn(at(q, "CompanyCode"), 6);
        },
        {year, state.corvinaCompany()});
    ctx.ui().processEvents();
    return lists;
}

} // namespace corv
