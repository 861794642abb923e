#include "journal/CorvinaJournalTotals.h"

#include "journal/RowLines.h"
#include "journal/SubjectCode.h"
#include "journal/VatListings.h"
#include "db/Connections.h"
#include "db/DbValues.h"
#include "db/Dialect.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "util/Feedback.h"
#include "util/TextUtil.h"

#include <QDateTime>

namespace corv {

namespace {

using Outcome = CommandResult::Outcome;

QString whereCompanyYear(const Dialect& dialect, const QString& company, int year)
{
    return QStringLiteral(" WHERE VATYear=%1").arg(year) + QStringLiteral(" AND CompanyCode=") + dialect.text(company);
}

bool withNature(int year) { return vatDataYear(year); }

// A document date as date-stamp text ("20250314_000000"): the lines sort by it.
void appendDateStamp(QString& line, const RowReader& reader, int column)
{
    if (const auto bytes = reader.bytes(column); bytes && bytes->size() >= 10 && (*bytes)[4] == '-' && (*bytes)[7] == '-') {
        const std::string_view t = *bytes;
        char stamp[15] = {t[0], t[1], t[2], t[3], t[5], t[6], t[8], t[9], '_', '0', '0', '0', '0', '0', '0'};
        if (t.size() >= 19) {
            const char time[6] = {t[11], t[12], t[14], t[15], t[17], t[18]};
            std::copy(time, time + 6, stamp + 9);
        }
        line.append(QLatin1StringView(stamp, 15));
        return;
    }
    const QVariant value = reader.value(column);
    if (value.isNull()) {
        line.append(QString(15, QLatin1Char(' ')));
        return;
    }
    const QDateTime when = value.typeId() == QMetaType::QDateTime ? value.toDateTime() : QDateTime(dateOf(value), QTime(0, 0));
    line.append(when.isValid() ? utl::dateStamp(when) : utl::PadRight(value.toString(), 15));
}

QString sumsTitle(const QString& company, int year)
{
    return QStringLiteral(" Az.: ") + company + QStringLiteral("  Anno : ") + QString::number(year) + QStringLiteral(" - ")
           + QStringLiteral("Totali per Codice IVA da Corvina (1=Clienti, 2=Fornitori)");
}

QString rule(QChar c) { return utl::RepeatChar(79, c); }

// The nature code takes 4 characters: "N2.1" and "N2.2" stay apart.
QString codeSumsHeading(int year)
{
    return QStringLiteral("C|") + (withNature(year) ? QStringLiteral("Nat.|") : QString())
           + QStringLiteral("C.IVA|Descrizione IVA     |  Imponibili|         IVA|%IVA |");
}

QString reasonSumsHeading() { return QStringLiteral(" Cod.|   Descrizione                |C|V|A|R|TIP|Es.|  -  Considera,Varcee,Autoft,Revcha"); }

bool addSums(AppContext& ctx, const QSqlDatabase& db, const QString& company, int year, CompactLines& lines)
{
    const Dialect& dialect = dialectOf(db);
    lines << rule(QLatin1Char('=')) << sumsTitle(company, year) << rule(QLatin1Char('-')) << codeSumsHeading(year);
    {
        RowReader reader(db);
        if (!execOrReport(ctx, reader, corvinaCodeSumsSql(dialect, company, year)))
            return false;
        RowColumns c(reader);
        bool first = true;
        QString previousType;
        while (reader.next()) {
            const QString type = reader.text(c.at("C1F2"));
            if (!first && type != previousType)
                lines << rule(QLatin1Char('-'));
            first = false;
            previousType = type;
            c.text("C1F2", 1);
            if (withNature(year))
                c.text("VATNatureType", 4);
            lines << c.text("CodIVA", 5).text("DesIva", 20).amount("Imponibili").amount("IVA").number("PercIVA", 5, 2).take();
        }
        if (!readToTheEnd(ctx, reader))
            return false;
    }
    lines << rule(QLatin1Char('-')) << QStringLiteral("C|  Imponibili|         IVA|");
    {
        RowReader reader(db);
        if (!execOrReport(ctx, reader, corvinaTypeSumsSql(dialect, company, year)))
            return false;
        RowColumns c(reader);
        while (reader.next())
            lines << c.text("C1F2", 1).amount("Imponibili").amount("IVA").take();
        if (!readToTheEnd(ctx, reader))
            return false;
    }
    lines << rule(QLatin1Char('-')) << reasonSumsHeading();
    RowReader reader(db);
    ctx.log().write(QStringLiteral("Apro Rs_Tmp"));
    if (!execOrReport(ctx, reader, corvinaReasonSumsSql(dialect, company, year)))
        return false;
    ctx.log().write(QStringLiteral("Aperto Rs_Tmp"));
    RowColumns c(reader);
    while (reader.next()) {
        c.text("CodCau", 5).text("DesCau", 30);
        if (withNature(year)) {
            c.text("InVATData", 1).text("VATVariationNote", 1).text("VATSelfInvoice", 1).text("VATReverseCharge", 1).text("VATDocumentType", 3)
                .text("ChargeabilityTax", 3);
        } else {
            c.line().blank(1).blank(1).blank(1).blank(1).blank(3).blank(3);
        }
        lines << c.amount("Imponibili").amount("IVA").take();
    }
    if (!readToTheEnd(ctx, reader))
        return false;
    lines << rule(QLatin1Char('='));
    return true;
}

} // namespace


QString corvinaJournalSql(const Dialect& dialect, const QString& company, int year)
{
    return QStringLiteral("SELECT *") + QStringLiteral(" FROM ") + corvinaLinesViewOf(year) + whereCompanyYear(dialect, company, year)
           + QStringLiteral(" ORDER BY CustSupplType, CustSupplCode, DocumentDate, DocumentNumber, ProtocolNumber");
}

QString corvinaCodeSumsSql(const Dialect& dialect, const QString& company, int year)
{
    const QString nature = withNature(year) ? QStringLiteral(", VATNatureType") : QString();
    return QStringLiteral("SELECT CustSupplType AS C1F2, VATCode AS CodIVA, VATName AS DesIva, VATPercentage AS PercIVA"
                          ", SUM(VATTaxable) AS Imponibili, SUM(VATAmount) AS IVA")
           + nature + QStringLiteral(" FROM ") + corvinaLinesViewOf(year) + whereCompanyYear(dialect, company, year)
           + QStringLiteral(" GROUP BY CustSupplType, VATCode, VATName, VATPercentage") + nature
           + QStringLiteral(" ORDER BY CustSupplType, VATCode, VATName, VATPercentage") + nature;
}

QString corvinaTypeSumsSql(const Dialect& dialect, const QString& company, int year)
{
    return QStringLiteral("SELECT CustSupplType AS C1F2, SUM(VATTaxable) AS Imponibili, SUM(VATAmount) AS IVA") + QStringLiteral(" FROM ")
           + corvinaLinesViewOf(year) + whereCompanyYear(dialect, company, year) + QStringLiteral(" GROUP BY CustSupplType")
           + QStringLiteral(" ORDER BY CustSupplType");
}

QString corvinaReasonSumsSql(const Dialect& dialect, const QString& company, int year)
{
    // The view of the years before 2017 has the reason's code and name only.
    const QString flags = withNature(year) ? QStringLiteral(", InVATData, VATVariationNote, VATSelfInvoice"
                                                            ", VATReverseCharge, VATDocumentType, ChargeabilityTax")
                                           : QString();
    return QStringLiteral("SELECT ReasonCode AS CodCau, ReasonName AS DesCau") + flags
           + QStringLiteral(", SUM(VATTaxable) AS Imponibili, SUM(VATAmount) AS IVA") + QStringLiteral(" FROM ") + corvinaLinesViewOf(year)
           + whereCompanyYear(dialect, company, year) + QStringLiteral(" GROUP BY ReasonCode, ReasonName") + flags
           + QStringLiteral(" ORDER BY ReasonCode, ReasonName") + flags;
}

QString corvinaJournalHeading(int year)
{
    using utl::PadRight;
    return PadRight(QStringLiteral("T"), 3) + PadRight(QStringLiteral("Codice"), 10) + QLatin1Char('|') + PadRight(QStringLiteral("Data Doc."), 15)
           + QLatin1Char('|') + PadRight(QStringLiteral("Rag. Soc."), 30) + QLatin1Char(' ') + PadRight(QStringLiteral("Cod. Fiscale"), 20)
           + QStringLiteral("| Protoc.|Num. Doc.   |Codice    |  Imponibile|         IVA| ") + PadRight(QStringLiteral("Descr. IVA"), 20)
           + QStringLiteral("|%IVA |") + (withNature(year) ? QStringLiteral("Nat.|") : QString());
}

QString summaryCode(const QString& code, bool nemboLayout)
{
    // Blanks around a code ("9  ") do not make it less numeric.
    const QString trimmed = code.trimmed();
    if (nemboLayout || !isDigitsOnly(trimmed))
        return utl::PadRight(code, 6);
    return subjectCode(trimmed); // longer codes whole
}

CommandResult totalCorvinaJournal(AppContext& ctx, const CorvinaJournalInput& input)
{
    Ui& ui = ctx.ui();
    const int year = input.company.year;
    const QString company = input.company.code;
    if (year == 0) {
        ui.beep();
        return {Outcome::Declined, {}};
    }
    const bool nemboLayout = input.nemboLayout;
    const QSqlDatabase db = ctx.connections().db(Connections::Corvina);
    RowReader reader(db);
    if (!execOrReport(ctx, reader, corvinaJournalSql(dialectOf(db), company, year)))
        return {Outcome::Failed, {}};
    RowColumns c(reader);
    const int type = c.at("CustSupplType"), code = c.at("CustSupplCode"), name = c.at("CompanyName"), fiscal = c.at("FiscalCode");
    const int vatNo = c.at("VATRegNo"), date = c.at("DocumentDate"), taxableAt = c.at("VATTaxable"), vatAt = c.at("VATAmount");

    CompactLines sorted;
    QList<QStringList> subjectRows;
    bool any = false;
    QString lastType, lastCode, lastName, lastVatNo, lastFiscal;
    Amount taxable, vat;
    auto summary = [&] {
        QString line = QStringLiteral("_") + utl::PadRight(lastType, 2) + QLatin1Char(' ') + summaryCode(lastCode, nemboLayout) + QLatin1Char(' ')
                       + utl::PadRight(lastName, 30, QLatin1Char('-')) + QStringLiteral(" |");
        utl::appendAmount(line, taxable, 2, 12);
        line += QLatin1Char(' ');
        utl::appendAmount(line, vat, 2, 12);
        sorted << line + utl::RepeatChar(10, QLatin1Char('-')) + utl::PadRight(lastVatNo, 16) + utl::PadRight(lastFiscal, 16) + QStringLiteral("| ");
        subjectRows << QStringList{lastType.trimmed(), summaryCode(lastCode, nemboLayout).trimmed(), lastName.trimmed(), taxable.toText(2, false),
                                   vat.toText(2, false), lastVatNo.trimmed(), lastFiscal.trimmed()};
        taxable = vat = Amount(); // each summary its own customer/supplier's totals
    };
    Feedback progress = ctx.feedback();
    while (reader.next()) {
        const QString rowType = reader.text(type), rowCode = reader.text(code);
        if (any && (rowType != lastType || rowCode != lastCode))
            summary();
        any = true;
        lastType = rowType;
        lastCode = rowCode;
        lastName = reader.text(name);
        lastVatNo = reader.text(vatNo);
        lastFiscal = reader.text(fiscal);
        const Amount rowTaxable = reader.amount(taxableAt).value_or(Amount()), rowVat = reader.amount(vatAt).value_or(Amount());
        taxable += rowTaxable;
        vat += rowVat;

        FixedLine& line = c.line();
        line.literal(utl::PadRight(rowType, 3)).literal(utl::PadRight(rowCode, 10)).literal(u"|");
        QString stamp;
        appendDateStamp(stamp, reader, date);
        line.literal(stamp).literal(u"|").literal(utl::PadRight(lastName, 30)).literal(u" ").text(lastFiscal, 20);
        c.right("ProtocolNumber", 8).text("DocumentNumber", 12).textAt(code, 10);
        line.number(rowTaxable, 12, 2).number(rowVat, 12, 2).literal(u" ");
        c.text("VATName", 20).number("VATPercentage", 5, 2);
        if (withNature(year))
            c.text("VATNatureType", 4);
        sorted << c.take();
        progress.step([&] { return QStringLiteral("Righe lette : %1").arg(sorted.size()); });
        if (ctx.stop().requested()) {
            ui.status(QStringLiteral("Lettura PN Corvina interrotta"));
            return {Outcome::Stopped, {}};
        }
    }
    if (!readToTheEnd(ctx, reader))
        return {ctx.stop().requested() ? Outcome::Stopped : Outcome::Failed, {}};
    reader.finish();
    if (any)
        summary();
    sorted.sortCaseInsensitive();
    ResultList results{corvinaJournalHeading(year), sorted};
    if (input.show)
        input.show(results);
    ui.processEvents();
    CommandResult result;
    result.sorted = std::move(sorted);
    result.dataColumns = {QStringLiteral("Tipo"), QStringLiteral("Codice"), QStringLiteral("Rag. Soc."), QStringLiteral("Imponibile"),
                          QStringLiteral("IVA"), QStringLiteral("P.IVA"), QStringLiteral("C.F.")};
    result.dataRows = std::move(subjectRows);
    result.dataName = QStringLiteral("PN_cv_%1_%2").arg(company).arg(year);
    const bool summed = addSums(ctx, db, company, year, results.lines);
    result.results = std::move(results);
    if (!summed) {
        result.outcome = Outcome::Failed;
        return result;
    }
    ui.beep();
    ui.status(QStringLiteral("FINE Lettura PN Corvina !!"));
    return result;
}

CommandResult sumCorvinaJournal(AppContext& ctx, const CorvinaCompany& company, const ResultList& shown)
{
    if (company.year == 0) {
        ctx.ui().beep();
        return {Outcome::Declined, {}};
    }
    ResultList results = shown;
    const bool summed = addSums(ctx, ctx.connections().db(Connections::Corvina), company.code, company.year, results.lines);
    CommandResult result(summed ? Outcome::Done : Outcome::Failed);
    result.results = std::move(results);
    return result;
}

} // namespace corv
