#include "legacy/LegacyReferences.h"

#include "platform/TextFile.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "report/FixedLine.h"
#include "util/Amount.h"
#include "util/Feedback.h"
#include "util/TextUtil.h"

namespace corv {

namespace legacy {

namespace {

void column(FixedLine& line, const ExportRecord& record, int position, int width) { line.text(record.field(position), width); }

} // namespace

QString vatCodeRow(const ExportRecord& civ)
{
    FixedLine line(64);
    column(line, civ, 1, 3);
    column(line, civ, 2, 20);
    // The rate is written with a decimal comma and listed with a point
    // ("22,00" as 22.00); anything that is no number prints blank.
    const QString typed = civ.field(3).trimmed();
    const auto rate = Amount::parse(QString(typed).replace(QLatin1Char(','), QLatin1Char('.')));
    if (rate && !typed.isEmpty())
        line.right(rate->toText(2, false).replace(QLatin1Char(','), QLatin1Char('.')), 6);
    else
        line.blank(6);
    column(line, civ, 29, 1);
    column(line, civ, 30, 1);
    column(line, civ, 32, 1);
    return line.take();
}

QString reasonRow(const ExportRecord& cac)
{
    FixedLine line(40);
    column(line, cac, 1, 3);
    column(line, cac, 2, 20);
    column(line, cac, 13, 1);
    column(line, cac, 14, 1);
    column(line, cac, 15, 1);
    return line.take();
}

bool reasonListed(const ExportRecord& cac) { return cac.field(14) > QLatin1String("0"); }

QString subjectRow(const ExportRecord& record, QChar type)
{
    FixedLine line(256);
    line.literal(utl::PadLeft(record.field(1), 6)).literal(QString(type)).literal(u"|");
    static const int layout[][2] = {{3, 35},   {13, 1},  {6, 16},  {7, 16},  {31, 3},  {151, 1}, {12, 3},  {4, 20},  {5, 20},  {10, 25},
                                    {118, 1},  {32, 1},  {37, 20}, {38, 1},  {41, 1},  {60, 1},  {75, 3},  {105, 1}, {157, 1}, {131, 4}};
    for (const auto& [position, width] : layout)
        column(line, record, position, width);
    return line.take();
}

QString vatIndicatorMismatch(const ExportRecord& civ)
{
    if (civ.field(30) == civ.field(29))
        return {};
    return QStringLiteral("C.Iva: ") + civ.field(1) + QStringLiteral("   Ind_Com3000 <> Ind_Iva  :  ") + civ.field(29) + QStringLiteral(" <> ")
           + civ.field(30);
}

ReferenceLists readLegacyReferences(AppContext& ctx, const QString& folder, const QString& company)
{
    ReferenceLists lists;
    // The export's fields by their number where the record gives no name.
    lists.vatCodesHeading = QStringLiteral("Cod|Descrizione|% IVA|3000|IVA|C32|");
    lists.reasonsHeading = QStringLiteral("Cod|Descrizione|C13|C14|C15|");
    lists.subjectsHeading = QStringLiteral("Codice|Rag.Soc.|C13|C6|C7|C31|C151|C12|C4|C5|C10|C118|C32|C37|C38|C41|C60|C75|C105|C157|C131|");
    Ui& ui = ctx.ui();
    Feedback progress = ctx.feedback();
    const auto each = [&](const char* kind, const std::function<void(const ExportRecord&)>& take) {
        ExportReader reader(exportFilePath(folder, company, QLatin1String(kind)));
        ExportRecord record;
        while (reader.next(record)) {
            take(record);
            progress.step([&] { return QStringLiteral("Righe lette : %1").arg(reader.lineNumber()); });
        }
    };
    each("CIV", [&](const ExportRecord& r) {
        if (const QString mismatch = vatIndicatorMismatch(r); !mismatch.isEmpty())
            ui.message(mismatch);
        lists.vatCodes << vatCodeRow(r);
    });
    each("CAC", [&](const ExportRecord& r) {
        if (reasonListed(r))
            lists.reasons << reasonRow(r);
    });
    each("CLI", [&](const ExportRecord& r) { lists.subjects << subjectRow(r, QLatin1Char('C')); });
    each("FOR", [&](const ExportRecord& r) { lists.subjects << subjectRow(r, QLatin1Char('F')); });
    ui.status(QString());
    ui.processEvents();
    return lists;
}

} // namespace legacy

CommandResult readNemboReferences(AppContext& ctx, const QString& folder, const QString& company)
{
    CommandResult result;
    result.lists = legacy::readLegacyReferences(ctx, folder, company);
    return result;
}

CommandResult listNemboSettlements(AppContext& ctx, const QString& folder, const QString& company)
{
    const QString path = legacy::exportFilePath(folder, company, QStringLiteral("LCO"));
    if (path.isEmpty()) {
        ctx.ui().beep();
        return {CommandResult::Outcome::Declined, {}};
    }
    // Every line as it is, blank ones too.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ctx.ui().critical(QStringLiteral("Impossibile leggere il file :\r\n") + path + QStringLiteral("\r\n") + file.errorString());
        return {CommandResult::Outcome::Failed, {}};
    }
    CompactLines lines;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        lines << decodeText(line);
    }
    CommandResult result;
    result.results = ResultList{QString(), lines};
    return result;
}

} // namespace corv
