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

// Runs a query and turns every record into one row.
template <typename MakeRow>
QStringList readRows(AppContext& ctx, const QSqlDatabase& db, const QString& sql, MakeRow makeRow,
                     const QVariantList& values = {})
{
    QStringList rows;
    RowReader reader(db);
    if (!reader.exec(sql, values)) {
        ctx.log().write(QStringLiteral("*** ERRORE lettura : ") + reader.error() + QStringLiteral(" - ") + sql);
        ctx.ui().critical(QStringLiteral("Errore di lettura dal database :\r\n") + reader.error());
        return rows;
    }
    const RowColumns columns(reader);
    Progress progress(ctx.ui());
    while (reader.next()) {
        rows << makeRow(columns, reader);
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
    lists.vatCodes = readRows(ctx, db, QStringLiteral("SELECT * FROM CA_IVA ORDER BY prc_iva, cod_iva"), [](const RowColumns& c, const RowReader& r) {
        Q_UNUSED(r);
        return c.text("cod_iva", 3) + c.text("des_iva", 25) + c.number("prc_iva", 6, 2) + c.text("ind_tipo_3000", 3)
               + c.text("ind_tipo_iva", 3) + c.text("ind_allegato", 3);
    });
    ctx.ui().processEvents();
    lists.reasons = readRows(ctx, db, QStringLiteral("SELECT * FROM CO_CAUCON WHERE cod_reg_iva>'' ORDER BY cod_caucon"),
                             [](const RowColumns& c, const RowReader& r) {
                                 Q_UNUSED(r);
                                 return c.text("cod_caucon", 3) + c.text("des_caucon", 20) + c.text("cod_reg_iva", 1)
                                        + QStringLiteral(" |") + c.text("ind_tipo_oper_iva", 1);
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
    lists.subjects = readRows(ctx, db, sql, [](const RowColumns&, const RowReader& r) {
        QString row;
        row.reserve(200);
        for (int i = 0; i < 20; ++i)
            row += paddedColumn(r.text(i), widths[i]);
        return row;
    });
    ctx.ui().status(QString()); // the progress text is done with
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
        [](const RowColumns& c, const RowReader& r) {
            Q_UNUSED(r);
            return c.text("VATCode", 3) + c.text("VATName", 20) + c.number("VATPercentage", 7, 3) + c.text("VATNatureType", 3)
                   + c.text("C3Type", 3) + c.text("OperationType", 3) + c.text("NonDeductVATPerc", 4);
        },
        {year, state.corvinaGroup()});
    ctx.ui().processEvents();
    lists.reasons = readRows(
        ctx, db, QStringLiteral("SELECT * FROM AccountingRsn WHERE VATYear=? AND CompanyGroupCode=? ORDER BY ReasonCode, CompanyGroupCode"),
        [](const RowColumns& c, const RowReader& r) {
            Q_UNUSED(r);
            return c.text("ReasonCode", 3) + c.text("ReasonName", 20) + c.text("InC3", 1) + c.text("VariationNote", 1)
                   + c.text("Selfinvoice", 1) + c.text("ReverseCharge", 1);
        },
        {year, state.corvinaGroup()});
    ctx.ui().processEvents();
    lists.subjects = readRows(
        ctx, db, QStringLiteral("SELECT * FROM CustomerSupplier WHERE VATYear=? AND CompanyCode=? ORDER BY CustSupplCode, CustSupplType"),
        [](const RowColumns& c, const RowReader& r) {
            const QString letter =
                r.text(r.indexOf(QStringLiteral("CustSupplType"))) == QLatin1String("1") ? QStringLiteral("C") : QStringLiteral("F");
            return utl::PadRight(r.text(r.indexOf(QStringLiteral("CustSupplCode"))), 6) + letter + QLatin1Char('|')
                   + utl::PadRight(r.text(r.indexOf(QStringLiteral("CompanyName"))), 40) + QStringLiteral("|?|") + c.text("VATRegNo", 16)
                   + c.text("FiscalCode", 16) + c.text("ISOCode", 3) + c.text("PhysicalPerson", 1) + c.text("C3SubjectType", 1)
                   + c.text("CompanyCode", 6);
        },
        {year, state.corvinaCompany()});
    ctx.ui().status(QString());
    ctx.ui().processEvents();
    return lists;
}

} // namespace corv
