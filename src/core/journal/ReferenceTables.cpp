#include "journal/ReferenceTables.h"

#include "context/AppContext.h"
#include "util/Feedback.h"
#include "db/FieldRow.h"
#include "journal/RowLines.h"
#include "util/TextUtil.h"
#include "platform/Ui.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace corv {

namespace {

// Runs a query and turns every record into one row.
QStringList readRows(AppContext& ctx, const QSqlDatabase& db, const QString& sql,
                     const std::function<QString(RowColumns&, const RowReader&)>& makeRow, const QVariantList& values = {})
{
    QStringList rows;
    readRowLines(ctx, db, sql, values, makeRow, rows);
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
    lists.vatCodesHeading = QStringLiteral("Cod|Descrizione|% IVA|3000|Tipo|All.|");
    lists.reasonsHeading = QStringLiteral("Cod|Descrizione|Reg.||Op.|");
    lists.subjectsHeading = ardeaSubjectHeading();
    const QSqlDatabase db = ctx.connections().db(Connections::Company);
    const Dialect& dialect = dialectOf(db);
    lists.vatCodes = readRows(ctx, db, QStringLiteral("SELECT * FROM CA_IVA ORDER BY prc_iva, cod_iva"), [](RowColumns& c, const RowReader&) {
        return c.text("cod_iva", 3).text("des_iva", 25).number("prc_iva", 6, 2).text("ind_tipo_3000", 3)
            .text("ind_tipo_iva", 3).text("ind_allegato", 3).take();
    });
    ctx.ui().processEvents();
    lists.reasons = readRows(ctx, db, QStringLiteral("SELECT * FROM CO_CAUCON WHERE cod_reg_iva>'' ORDER BY cod_caucon"),
                             [](RowColumns& c, const RowReader&) {
                                 c.text("cod_caucon", 3).text("des_caucon", 20).text("cod_reg_iva", 1).line().literal(u" |");
                                 return c.text("ind_tipo_oper_iva", 1).take();
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
    lists.subjects = readRows(ctx, db, sql, [](RowColumns& c, const RowReader&) {
        for (int i = 0; i < 20; ++i)
            c.textAt(i, widths[i]);
        return c.take();
    });
    ctx.ui().status(QString()); // the progress text is done with
    ctx.ui().processEvents();
    return lists;
}

ReferenceLists readCorvinaReferences(AppContext& ctx, const CorvinaCompany& company)
{
    ReferenceLists lists;
    const int year = company.year;
    if (year == 0) {
        ctx.ui().beep();
        ctx.ui().status(QStringLiteral("NESSUN ANNO NEL COMBO AZIENDE !!"));
        return lists;
    }
    lists.vatCodesHeading = QStringLiteral("Cod|Descrizione|% IVA|Nat.|C3|Op.|% Ind.|");
    lists.reasonsHeading = QStringLiteral("Cod|Descrizione|C3|Var.|Autof.|R.C.|");
    lists.subjectsHeading = QStringLiteral("Codice|Rag.Soc.||P.IVA|Cod.Fisc.|ISO|P.F.|Tipo C3|Azienda|");
    const QSqlDatabase db = ctx.connections().db(Connections::Corvina);
    lists.vatCodes = readRows(
        ctx, db, QStringLiteral("SELECT * FROM VATCode WHERE VATYear=? AND CompanyGroupCode=? ORDER BY VATPercentage, VATCode"),
        [](RowColumns& c, const RowReader&) {
            return c.text("VATCode", 3).text("VATName", 20).number("VATPercentage", 7, 3).text("VATNatureType", 3)
                .text("C3Type", 3).text("OperationType", 3).text("NonDeductVATPerc", 4).take();
        },
        {year, company.group});
    ctx.ui().processEvents();
    lists.reasons = readRows(
        ctx, db, QStringLiteral("SELECT * FROM AccountingRsn WHERE VATYear=? AND CompanyGroupCode=? ORDER BY ReasonCode, CompanyGroupCode"),
        [](RowColumns& c, const RowReader&) {
            return c.text("ReasonCode", 3).text("ReasonName", 20).text("InC3", 1).text("VariationNote", 1)
                .text("Selfinvoice", 1).text("ReverseCharge", 1).take();
        },
        {year, company.group});
    ctx.ui().processEvents();
    lists.subjects = readRows(
        ctx, db, QStringLiteral("SELECT * FROM CustomerSupplier WHERE VATYear=? AND CompanyCode=? ORDER BY CustSupplCode, CustSupplType"),
        [](RowColumns& c, const RowReader& r) {
            const QChar letter = r.text(c.at("CustSupplType")) == QLatin1String("1") ? QLatin1Char('C') : QLatin1Char('F');
            c.line().text(utl::PadRight(r.text(c.at("CustSupplCode")), 6) + letter, 7);
            c.text("CompanyName", 40).line().literal(u"?|");
            return c.text("VATRegNo", 16).text("FiscalCode", 16).text("ISOCode", 3).text("PhysicalPerson", 1).text("C3SubjectType", 1)
                .text("CompanyCode", 6).take();
        },
        {year, company.code});
    ctx.ui().status(QString());
    ctx.ui().processEvents();
    return lists;
}

} // namespace corv
