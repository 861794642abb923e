#include "comparison/ComparisonExport.h"

#include "comparison/SourceComparison.h"
#include "report/ReportFile.h"
#include "report/TableExport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace corv {

namespace {

QString csvAmount(Amount amount) { return amount.toText(2, false); }

QJsonValue jsonAmount(Amount amount) { return static_cast<double>(amount.units()) / 10000.0; }

} // namespace

QStringList comparisonCsv(const Comparison& comparison)
{
    QStringList heading = {QStringLiteral("Cli/For"), QStringLiteral("Rag. Soc.")};
    for (const QString& source : comparison.sources)
        heading << QStringLiteral("Imp. ") + source << QStringLiteral("IVA ") + source;
    for (qsizetype s = 1; s < comparison.sources.size(); ++s)
        heading << QStringLiteral("Diff. Imp. ") + comparison.sources[s] << QStringLiteral("Diff. IVA ") + comparison.sources[s];
    heading << QStringLiteral("Segnalazione");
    QStringList lines = {heading.join(QLatin1Char(';'))};
    for (const ComparisonRow& row : comparison.rows) {
        QStringList fields = {csvField(row.key), csvField(row.name)};
        for (const auto& totals : row.totals)
            fields << (totals ? csvAmount(totals->taxable) : QString()) << (totals ? csvAmount(totals->vat) : QString());
        const KeyTotals none;
        const KeyTotals& reference = row.totals.empty() || !row.totals[0] ? none : *row.totals[0];
        for (std::size_t s = 1; s < row.totals.size(); ++s) {
            const KeyTotals& other = row.totals[s] ? *row.totals[s] : none;
            fields << csvAmount(other.taxable - reference.taxable) << csvAmount(other.vat - reference.vat);
        }
        fields << csvField(row.mark);
        lines << fields.join(QLatin1Char(';'));
    }
    return lines;
}

QByteArray comparisonJson(const Comparison& comparison)
{
    QJsonArray rows;
    for (const ComparisonRow& row : comparison.rows) {
        QJsonObject totals;
        for (std::size_t s = 0; s < row.totals.size() && s < std::size_t(comparison.sources.size()); ++s) {
            const auto& t = row.totals[s];
            totals.insert(comparison.sources[qsizetype(s)],
                          t ? QJsonValue(QJsonObject{{QStringLiteral("imponibile"), jsonAmount(t->taxable)}, {QStringLiteral("iva"), jsonAmount(t->vat)}})
                            : QJsonValue(QJsonValue::Null));
        }
        rows.append(QJsonObject{{QStringLiteral("codice"), row.key},
                                {QStringLiteral("ragioneSociale"), row.name},
                                {QStringLiteral("fonti"), totals},
                                {QStringLiteral("differisce"), !row.mark.isEmpty()},
                                {QStringLiteral("segnalazione"), row.mark}});
    }
    const QJsonObject document{{QStringLiteral("fonti"), QJsonArray::fromStringList(comparison.sources)},
                               {QStringLiteral("confrontati"), comparison.compared},
                               {QStringLiteral("conDifferenze"), comparison.differing},
                               {QStringLiteral("righe"), rows}};
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

bool writeComparisonExport(const QString& path, const Comparison& comparison, QString* failure)
{
    if (path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
        return writeJson(path, comparisonJson(comparison), failure);
    return ReportFile::writeAll(path, comparisonCsv(comparison), failure);
}

} // namespace corv
