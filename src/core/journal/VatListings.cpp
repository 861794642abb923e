#include "journal/VatListings.h"

#include "context/AppContext.h"
#include "util/Feedback.h"
#include "db/FieldRow.h"
#include "util/TextUtil.h"
#include "journal/RowLines.h"
#include "views/ViewService.h"
#include "platform/Ui.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace corv {

namespace {

QString keyOf(const ListingRequest& request) { return utl::field(request.row, QStringLiteral("|"), 1); }


void showCount(AppContext& ctx, const Listing& listing)
{
    if (!listing.lines.isEmpty())
        ctx.ui().status(QStringLiteral("Trovate %1 registrazioni.").arg(listing.lines.size()));
}

} // namespace


QString corvinaListingSql(const Dialect& dialect, const QString& company, int year, const ListingRequest& request)
{
    const QString key = keyOf(request);
    QString sql = QStringLiteral("SELECT * FROM ") + corvinaLinesViewOf(year)
                  + QStringLiteral(" WHERE VATYear=%1").arg(year) + QStringLiteral(" AND CompanyCode=") + dialect.text(company);
    if (request.kind == QLatin1Char('C'))
        sql += QStringLiteral(" AND ReasonCode=") + dialect.text(key);
    else if (request.kind == QLatin1Char('I'))
        sql += QStringLiteral(" AND VATCode=") + dialect.text(key);
    else if (request.kind == QLatin1Char('A'))
        sql += QStringLiteral(" AND CustSupplCode=") + dialect.text(key.left(key.size() - 1).trimmed()) + QStringLiteral(" AND CustSupplType=")
               + (key.endsWith(QLatin1Char('C')) ? QStringLiteral("1") : QStringLiteral("2"));
    return sql + QStringLiteral(" ORDER BY DocumentDate, DocumentNumber, ProtocolNumber");
}

QString ardeaListingSql(const Dialect& dialect, const QDate& from, const QDate& to, const ListingRequest& request)
{
    const QString key = keyOf(request);
    QString conditions;
    if (from.isValid())
        conditions += QStringLiteral(" AND dat_registrazione>=") + dialect.dateLiteral(from);
    if (to.isValid())
        conditions += QStringLiteral(" AND dat_registrazione<=") + dialect.dateLiteral(to);
    if (request.kind == QLatin1Char('C'))
        conditions += QStringLiteral(" AND cod_caucon=") + dialect.text(key);
    else if (request.kind == QLatin1Char('I'))
        conditions += QStringLiteral(" AND cod_iva=") + dialect.text(key);
    else if (request.kind == QLatin1Char('A'))
        conditions += QStringLiteral(" AND cod_clifor=") + dialect.text(key.left(key.size() - 1).trimmed()) + QStringLiteral(" AND ind_clifor=")
                      + dialect.text(key.right(1));
    QString sql = QStringLiteral("SELECT * FROM XEBV_PNRIVA");
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.mid(5);
    return sql + QStringLiteral(" ORDER BY dat_doc, num_protocollo, sig_serie_prot, des_num_doc, sig_serie_doc");
}

QString corvinaListingHeading()
{
    return QStringLiteral("Data Doc. | Num.Doc. |Protocollo|") + utl::PadRight(QStringLiteral("Rag.Soc."), 29) + QLatin1Char(' ')
           + QStringLiteral("|C/F|Codice       |") + QStringLiteral("  Imponibile|        IVA |C.IVA | Descr.IVA          |CauCon| Descr.CauCon       |%IVA |")
           + QStringLiteral("Natura|");
}

QString ardeaListingHeading()
{
    return QStringLiteral("Data Doc. |  Num.Doc.  |Serie|Protocollo|Serie|") + utl::PadRight(QStringLiteral("Rag.Soc."), 29) + QLatin1Char(' ')
           + QStringLiteral("|C/F|Codice|") + QStringLiteral("  Imponibile|        IVA |C.IVA| %IVA| Descr.IVA          |CauCon| Descr.CauCon       |")
           + QStringLiteral("Natura| Des. Natura IVA    |");
}

Listing listCorvinaVatLines(AppContext& ctx, const CorvinaCompany& company, const ListingRequest& request)
{
    Listing listing;
    if (request.row.isEmpty())
        return listing;
    listing.ran = true;
    const int year = company.year;
    const bool withNature = vatDataYear(year);
    listing.heading = corvinaListingHeading();
    const auto line = [withNature](RowColumns& c, const RowReader&) {
        c.date("DocumentDate", 10).text("DocumentNumber", 10).text("ProtocolNumber", 10).text("CompanyName", 30)
            .text("CustSupplType", 3).text("CustSupplCode", 13).amount("VATTaxable").amount("VATAmount").line().literal(u" ");
        c.text("VATCode", 5).text("VATName", 20).text("ReasonCode", 6).text("ReasonName", 20).text("VATPercentage", 5);
        if (withNature)
            c.text("VATNatureType", 6);
        return c.take();
    };
    listing.failed = !readRowLines(ctx, ctx.connections().db(Connections::Corvina), corvinaListingSql(dialectOf(ctx.connections().db(Connections::Corvina)), company.code, year, request), {},
                                   line, listing.lines, QStringLiteral("Errore di lettura delle righe IVA Corvina :"));
    showCount(ctx, listing);
    return listing;
}

Listing listArdeaVatLines(AppContext& ctx, const QDate& from, const QDate& to, const ListingRequest& request)
{
    Listing listing;
    if (request.row.isEmpty())
        return listing;
    listing.ran = true;
    ctx.ui().status(QStringLiteral("Lettura righe IVA da Ardea in corso..."));
    listing.heading = ardeaListingHeading();
    const QSqlDatabase db = ctx.connections().db(Connections::Company);
    const auto line = [](RowColumns& c, const RowReader&) {
        return c.date("dat_doc", 10).text("des_num_doc", 12).text("sig_serie_doc", 5).text("num_protocollo", 10)
            .text("sig_serie_prot", 5).text("des_ragsoc", 30).text("ind_clifor", 3).text("cod_clifor", 6)
            .amount("val_imponibile").amount("val_iva").text("cod_iva", 5).text("prc_iva", 5)
            .text("des_iva", 20).text("cod_caucon", 6).text("des_caucon", 20).text("cod_natura_iva", 6)
            .text("des_natura_iva", 20).take();
    };
    if (!readRowLines(ctx, db, ardeaListingSql(dialectOf(db), from, to, request), {}, line, listing.lines,
                      QStringLiteral("Errore di lettura delle righe IVA Ardea :"))) {
        listing.failed = true;
        return listing;
    }
    if (listing.lines.isEmpty()) {
        ctx.ui().status(QStringLiteral("NESSUN dato trovato !!"));
        ctx.ui().beep();
    }
    showCount(ctx, listing);
    return listing;
}

} // namespace corv
