#include "maintenance/VatLineListing.h"

#include "journal/VatListings.h"
#include "db/ConnectionString.h"
#include "db/Connections.h"
#include "db/RowReader.h"
#include "journal/RowLines.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "report/FixedLine.h"
#include "report/ReportFiles.h"
#include "util/Feedback.h"

namespace corv {

namespace {

const QStringList kNatures = {QStringLiteral("0=Non Definito"),
                              QStringLiteral("1= N1 : Escl. Ex. Art. 15              "),
                              QStringLiteral("2= N2 : Non Soggetto                   "),
                              QStringLiteral("3= N3 : Non Imponibile                 "),
                              QStringLiteral("4= N4 : Esenti                         "),
                              QStringLiteral("5= N5 : Regime Margine IVA non esposta "),
                              QStringLiteral("6= N6 : Inversione contabile (Rev.Cha.)"),
                              QStringLiteral("7= N7 : IVA Assolta in altro stato UE  ")};
const QStringList kDocumentTypes = {QStringLiteral("0=Non Definito"),
                                    QStringLiteral("1= TD01 : Fattura                        "),
                                    QStringLiteral("2= TD04 : Nota di Credito                "),
                                    QStringLiteral("3= TD05 : Nota di Debito                 "),
                                    QStringLiteral("4= TD07 : Fattura semplificata           "),
                                    QStringLiteral("5= TD08 : Nota di credito semplificata   "),
                                    QStringLiteral("6= TD10 : Fattura Acq. INTRA Beni        "),
                                    QStringLiteral("7= TD11 : Fattura Acq. INTRA Servizi     ")};
const QString kHeader = QStringLiteral("C/F Cod. C/F   N.Doc        Ft/Nc   Data Doc. C.IVA %IVA   Des. IVA            Imponib.     IVA          ");
const QString kTail = QStringLiteral(" Rag.Soc.                      Cau. Contab.");

// A column of the space-separated layout: the value in the width less one
// (numbers right-aligned, never cut), then a blank.
void putColumn(QString& line, const QString& value, int width, bool number = false)
{
    if (number)
        FixedLine::appendRightAligned(line, value, width - 1);
    else
        FixedLine::appendPadded(line, value, width - 1);
    line += QLatin1Char(' ');
}

} // namespace

VatLineListing::VatLineListing(AppContext& ctx, VatLineKind kind) : ctx_(ctx), kind_(kind) {}

QString VatLineListing::objectNameOf(VatLineKind kind) { return kind == VatLineKind::Nature ? QStringLiteral("F_NatIVA") : QStringLiteral("F_TipDoc"); }

QString VatLineListing::captionOf(VatLineKind kind)
{
    return kind == VatLineKind::Nature ? QStringLiteral("Movimenti per Natura IVA") : QStringLiteral("Movimenti per Tipo Documento");
}

QStringList VatLineListing::values() const { return kind_ == VatLineKind::Nature ? kNatures : kDocumentTypes; }

QString VatLineListing::header() const
{
    // The document types list the operation and reverse-charge types there.
    return kHeader + (kind_ == VatLineKind::Nature ? QStringLiteral(" AFt  R.C ") : QStringLiteral(" TOp RCh  ")) + kTail;
}

bool VatLineListing::list(const CorvinaCompany& chosen, const QString& value, bool zeroTicked)
{
    lines_.clear(); // before any stop: no lines of another choice stay
    const QString company = chosen.code;
    const int year = chosen.year;
    const QString code = value.section(QLatin1Char('='), 0, 0).trimmed();
    if (company.isEmpty() || year == 0 || code.isEmpty())
        return false;
    if (code == QLatin1String("0") && !zeroTicked)
        return false; // lines without a nature (or type) only on request
    if (kind_ == VatLineKind::DocumentType && !vatDataYear(year)) {
        ctx_.ui().critical(notBefore2017Message());
        ctx_.ui().beep();
        return false;
    }
    if (!viewsChecked_) {
        // Once per window: a view that cannot be made shows in the read below.
        ensureCorvinaViews(ctx_);
        viewsChecked_ = true;
    }
    const QString column = kind_ == VatLineKind::DocumentType ? QStringLiteral("VATDocumentType")
                           : !vatDataYear(year)              ? QStringLiteral("VATOpType")
                                                              : QStringLiteral("VATNatureType");
    const QString select = QStringLiteral("SELECT *");
    const QString from = QStringLiteral(" FROM ") + corvinaLinesViewOf(year);
    // Code 0 also takes the lines whose VAT code (or reason) has no row: their value is Null.
    const QString where = QStringLiteral(" WHERE VATYear=? AND CompanyCode=?") + QStringLiteral(" AND (") + column + QStringLiteral("=?")
                          + (code == QLatin1String("0") ? QStringLiteral(" OR ") + column + QStringLiteral(" IS NULL)") : QStringLiteral(")"));
    const QString order = QStringLiteral(" ORDER BY CustSupplType, CustSupplCode, DocumentDate, DocumentNumber, ProtocolNumber");
    const QString label = objectName() + QStringLiteral(".Cmb_Natura_Click : ");
    ctx_.log().write(label + QStringLiteral("T_Sel =") + select);
    ctx_.log().write(label + QStringLiteral("T_Fro =") + from);
    ctx_.log().write(label + QStringLiteral("T_Whe =") + where + QStringLiteral(" [%1, %2, %3]").arg(year).arg(company, code));
    ctx_.log().write(label + QStringLiteral("T_Ord =") + order);
    ctx_.log().write(label + QStringLiteral("CnFis =") + maskConnectionPassword(connectionStringOf(ctx_.connections().db(Connections::Corvina))));
    RowReader reader(ctx_.connections().db(Connections::Corvina));
    if (!reader.exec(select + from + where + order, {year, company, code})) {
        ctx_.ui().critical(QStringLiteral("Errore nella lettura delle righe IVA :\r\n") + reader.error(), caption());
        return false;
    }
    const auto at = [&](const char* name) { return reader.indexOf(QLatin1String(name)); };
    const bool nature = kind_ == VatLineKind::Nature;
    const int type = at("CustSupplType"), customer = at("CustSupplCode"), number = at("DocumentNumber"), protocol = at("ProtocolNumber");
    const int date = at("DocumentDate"), vatCode = at("VATCode"), rate = at("VATPercentage"), vatName = at("VATName");
    const int taxable = at("VATTaxable"), tax = at("VATAmount"), name = at("CompanyName"), reason = at("ReasonCode"), reasonName = at("ReasonName");
    const int flag1 = at(nature ? "VATSelfInvoice" : "OperationType");
    const int flag2 = at(nature ? "VATReverseCharge" : "ReverseChargeType");
    const auto text = [&](int column) { return column >= 0 ? reader.text(column).trimmed() : QString(); };
    const auto left = [&](QString& line, int column, int width) { putColumn(line, text(column), width); };
    const auto amount = [&](QString& line, int column, int width) {
        FixedLine cell;
        cell.number(reader.value(column), width - 1, 2);
        putColumn(line, cell.str().chopped(1).trimmed(), width, true);
    };
    Feedback progress = ctx_.feedback();
    while (reader.next()) {
        QString line;
        line.reserve(200);
        left(line, type, 4);
        left(line, customer, 11);
        left(line, number, 13);
        left(line, protocol, 8);
        // The date fills "Data Doc. "; the VAT code after it starts with a blank.
        FixedLine documentDate;
        documentDate.date(reader.value(date), 10);
        line += documentDate.str().chopped(1);
        putColumn(line, QLatin1Char(' ') + text(vatCode), 6);
        amount(line, rate, 7);
        left(line, vatName, 20);
        amount(line, taxable, 13);
        amount(line, tax, 13);
        line += QLatin1Char(' ');
        left(line, flag1, 4);
        line += QLatin1Char(' ');
        left(line, flag2, 4);
        line += QLatin1Char(' ');
        left(line, name, 30);
        left(line, reason, 6);
        line += text(reasonName);
        lines_.append(line);
        if (!progress.step([&] { return QStringLiteral("Righe lette : %1").arg(lines_.size()); })) {
            ctx_.ui().status(QStringLiteral("Lettura interrotta : righe lette %1").arg(lines_.size()));
            return true; // the rows read so far stay listed
        }
    }
    if (!readToTheEnd(ctx_, reader, QStringLiteral("Errore nella lettura delle righe IVA :"))) {
        lines_.clear();
        return false;
    }
    ctx_.ui().status(QStringLiteral("Righe trovate : %1").arg(lines_.size()));
    return true;
}

QString VatLineListing::listToViewer(const QString& companyRow)
{
    if (lines_.isEmpty()) {
        ctx_.ui().beep();
        return {};
    }
    return listToFile(ctx_.ui(), QStringList{QStringLiteral("Righe Documenti per Natura IVA : ") + companyRow, header()} + lines_, ctx_.viewer(),
                      ctx_.paths());
}

} // namespace corv
