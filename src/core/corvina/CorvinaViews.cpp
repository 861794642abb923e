#include "corvina/CorvinaViews.h"

#include "context/AppContext.h"
#include "db/Connections.h"
#include "views/ViewService.h"

#include <QStringList>

namespace corv {

QString corvinaLinesViewText()
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("SELECT r.CompanyCode, r.VATYear, r.CompanyGroupCode, r.VATCode"
                          ", r.ModelCode, r.ReasonCode, c.ReasonName, r.CustSupplType, r.CustSupplCode, a.CompanyName"
                          ", r.RecordingDate, r.RecordingNumber, r.VATTaxable, r.VATAmount"
                          ", i.VATName, i.VATPercentage, i.OperationType AS VATOpType, i.C3Type"
                          ", r.PreviousYearsChange, r.NonDeductVATPerc, r.OperationType"
                          ", r.C3UsageType, r.VATSubjectType, r.GroupingCode, r.ReverseChargeType"
                          ", r.SelfInvoiceType"
                          ", r.DocumentDate, r.DocumentNumber, r.ProtocolNumber, r.VATRegisterId"
                          ", a.CustSupplType AS CF, a.VATRegNo, a.FiscalCode, a.PhysicalPerson, a.C3SubjectType"
                          ", a.ISOCode, a.GroupingCode AS GroupAnag, a.City, a.ResidenceISOCode, a.FiscalAddressISOCode"
                          ", a.ForeignFiscalCode")
           + crlf + QStringLiteral(" FROM VATAttachmentRow AS r") + crlf
           + QStringLiteral(" LEFT JOIN VATCode as i ON (r.VATCode=i.VATCode AND r.VATYear=i.VATYear AND r.CompanyGroupCode=i.CompanyGroupCode)")
           + crlf
           + QStringLiteral(" LEFT JOIN CustomerSupplier AS a ON (r.CustSupplCode=a.CustSupplCode AND r.CustSupplType=a.CustSupplType"
                            " AND r.VATYear=a.VATYear AND r.CompanyCode=a.CompanyCode)")
           + crlf
           + QStringLiteral(" LEFT JOIN AccountingRsn as c ON (r.ReasonCode=c.ReasonCode AND r.VATYear=c.VATYear"
                            " AND r.CompanyGroupCode=c.CompanyGroupCode)")
           + QStringLiteral("  ");
}

QString corvinaLinesView17Text()
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("SELECT TOP 100 PERCENT r.CompanyCode, r.VATYear, d.CompanyGroupCode, r.VATCode"
                          ", d.ModelCode, d.ReasonCode, d.CustSupplType, d.CustSupplCode, a.CompanyName"
                          ", r.DocCumulative, r.DocCumulativeRow, r.VATTaxable, r.VATAmount"
                          ", i.VATName, i.VATPercentage, i.OperationType AS VATOpType, i.VATNatureType"
                          ", i.NonDeductVATPerc, i.OperationType, i.NotTaxable"
                          ", a.GroupingCode, r.ReverseChargeType"
                          ", d.DocumentDate, d.DocumentNumber, d.ProtocolNumber, d.VATRegisterId"
                          ", c.ReasonName, c.InVATData, c.VATSelfInvoice, c.VATReverseCharge, c.VATDocumentType"
                          ", c.VATVariationNote, c.ChargeabilityTax"
                          ", a.CustSupplType AS CF, a.VATRegNo, a.FiscalCode, a.PhysicalPerson, a.VATDataExclusion"
                          ", a.ISOCode, a.GroupingCode AS GroupAnag, a.City, a.ResidenceISOCode, a.FiscalAddressISOCode"
                          ", a.ForeignFiscalCode")
           + crlf + QStringLiteral(" FROM VATDataRows AS r") + crlf
           + QStringLiteral(" LEFT JOIN VATData as d ON (r.CompanyCode=d.CompanyCode AND r.VATYear=d.VATYear AND r.DocCumulative=d.DocCumulative)")
           + crlf
           + QStringLiteral(" LEFT JOIN VATCode as i ON (r.VATCode=i.VATCode AND r.VATYear=i.VATYear AND r.CompanyGroupCode=i.CompanyGroupCode)")
           + crlf
           + QStringLiteral(" LEFT JOIN AccountingRsn as c ON (d.ReasonCode=c.ReasonCode AND r.VATYear=c.VATYear"
                            " AND r.CompanyGroupCode=c.CompanyGroupCode)")
           + crlf
           + QStringLiteral(" LEFT JOIN CustomerSupplier AS a ON (d.CustSupplCode=a.CustSupplCode AND d.CustSupplType=a.CustSupplType"
                            " AND r.VATYear=a.VATYear AND r.CompanyCode=a.CompanyCode)")
           + QStringLiteral("  ")
           + QStringLiteral(" ORDER BY r.CompanyCode, r.VATYear, d.CustSupplCode, d.CustSupplType"
                            ", d.DocumentDate, d.DocumentNumber, r.VATCode");
}

bool ensureCorvinaViews(AppContext& ctx, QString* error)
{
    // Each view on its own: one that cannot be made leaves the other be made.
    const QSqlDatabase db = ctx.connections().db(Connections::Corvina);
    QString first, second;
    const bool old = views::ensureView(db, kCorvinaLinesView, corvinaLinesViewText(), kCorvinaLinesViewRelease, false, &first);
    const bool recent = views::ensureView(db, kCorvinaLinesView17, corvinaLinesView17Text(), kCorvinaLinesView17Release, false, &second);
    if (error) {
        QStringList errors;
        if (!old)
            errors << kCorvinaLinesView + QStringLiteral(" : ") + first;
        if (!recent)
            errors << kCorvinaLinesView17 + QStringLiteral(" : ") + second;
        *error = errors.join(QStringLiteral("\r\n"));
    }
    return old && recent;
}

QString corvinaLinesViewOf(int year) { return vatDataYear(year) ? kCorvinaLinesView17 : kCorvinaLinesView; }

} // namespace corv
