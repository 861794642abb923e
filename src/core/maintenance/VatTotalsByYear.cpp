#include "maintenance/VatTotalsByYear.h"

#include "db/Connections.h"
#include "db/RowReader.h"
#include "journal/RowLines.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "report/FixedLine.h"
#include "report/ReportFile.h"

#include <map>

namespace corv {

namespace {

const QString kCaption = QStringLiteral("Totali IVA");
const QString kSums = QStringLiteral(", SUM(s.val_imponibile) AS sum_impon, SUM(s.val_imposta) AS sum_iva");
const QString kFrom = QStringLiteral(" FROM CG_SALDI_IVA AS s LEFT JOIN CA_IVA AS i ON (i.cod_iva=s.cod_iva) WHERE s.num_anno=?");

// A column padded to its width but never cut: codes and years are whole.
void whole(FixedLine& line, const QString& value, int width)
{
    line.literal(value.leftJustified(width)).literal(u"|");
}

// A line of the lists: year, period (by code and period), register, code
// with its COM3000 indicator (not in the totals), the two sums and the
// description; columns found by name.
QString balanceLine(const RowReader& row, bool withPeriod, bool withCode)
{
    const auto text = [&](const char* column) { return row.text(row.indexOf(QLatin1String(column))).trimmed(); };
    FixedLine line;
    whole(line, QLatin1Char(' ') + text("num_anno"), 6);
    if (withPeriod)
        line.right(text("ind_periodo"), 2);
    whole(line, text("cod_reg_iva"), 1);
    if (withCode) {
        whole(line, text("cod_iva"), 3);
        whole(line, text("ind_tipo_3000"), 2);
    }
    for (const char* column : {"sum_impon", "sum_iva"}) {
        const int at = row.indexOf(QLatin1String(column));
        line.number(row.amount(at), row.text(at), 15, 2);
    }
    if (withCode)
        line.text(row.text(row.indexOf(QStringLiteral("des_iva"))), 30);
    return line.take();
}

// The COM3000 indicator as the report names it.
QString indicatorName(const QString& indicator)
{
    static const QStringList names = {QStringLiteral("No   |"), QStringLiteral("Imp. |"), QStringLiteral("NoImp|"), QStringLiteral("Escl.|"),
                                      QStringLiteral("NoEsp|")};
    bool number = false;
    const int at = indicator.trimmed().toInt(&number);
    return number && at >= 0 && at < names.size() ? names[at] : indicator.trimmed().leftJustified(5) + QLatin1Char('|');
}

} // namespace

VatTotalsByYear::VatTotalsByYear(AppContext& ctx) : ctx_(ctx) {}

bool VatTotalsByYear::query(const QString& sql, const std::function<QString(const RowReader&)>& line, QStringList& into)
{
    into.clear();
    RowReader reader(ctx_.connections().db(Connections::Company));
    if (!reader.exec(sql, {year_})) {
        ctx_.ui().critical(QStringLiteral("Errore nella lettura dei saldi IVA :\r\n") + reader.error(), kCaption);
        return false;
    }
    while (reader.next())
        into.append(line(reader));
    if (readToTheEnd(ctx_, reader, QStringLiteral("Errore nella lettura dei saldi IVA :")))
        return true;
    into.clear();
    return false;
}

bool VatTotalsByYear::readYears()
{
    years_.clear();
    RowReader reader(ctx_.connections().db(Connections::Company));
    if (!reader.exec(QStringLiteral("SELECT num_anno, COUNT(num_anno) AS Conta FROM CG_SALDI_IVA GROUP BY num_anno ORDER BY num_anno DESC"))) {
        ctx_.ui().critical(QStringLiteral("Errore nella lettura dei saldi IVA :\r\n") + reader.error(), kCaption);
        return false;
    }
    while (reader.next())
        years_.append(reader.text(0).trimmed() + QLatin1Char('|') + reader.text(1).trimmed());
    if (readToTheEnd(ctx_, reader, QStringLiteral("Errore nella lettura dei saldi IVA :")))
        return true;
    years_.clear();
    return false;
}

bool VatTotalsByYear::read(int year)
{
    year_ = year;
    codeIndicators_.clear();
    periodSums_.clear();
    std::map<std::pair<int, QString>, VatPeriodSums> sums;
    const auto addSums = [&sums](const RowReader& row) {
        const int period = row.text(row.indexOf(QStringLiteral("ind_periodo"))).trimmed().toInt();
        const QString reg = row.text(row.indexOf(QStringLiteral("cod_reg_iva"))).trimmed();
        VatPeriodSums& s = sums[{period, reg}];
        s.period = period;
        s.reg = reg;
        s.taxable += row.amount(row.indexOf(QStringLiteral("sum_impon"))).value_or(Amount());
        s.vat += row.amount(row.indexOf(QStringLiteral("sum_iva"))).value_or(Amount());
    };
    const bool ok =
        query(QStringLiteral("SELECT s.num_anno, s.ind_periodo, s.cod_reg_iva, s.cod_iva, i.ind_tipo_3000") + kSums + QStringLiteral(", i.des_iva")
                  + kFrom + QStringLiteral(" GROUP BY s.num_anno, s.ind_periodo, s.cod_reg_iva, s.cod_iva, i.ind_tipo_3000, i.des_iva"
                                           " ORDER BY s.cod_reg_iva, i.ind_tipo_3000, s.cod_iva, s.ind_periodo"),
              [&addSums](const RowReader& row) {
                  addSums(row);
                  return balanceLine(row, true, true);
              },
              byPeriod_)
        && query(QStringLiteral("SELECT s.num_anno, s.cod_reg_iva, s.cod_iva, i.ind_tipo_3000") + kSums + QStringLiteral(", i.des_iva") + kFrom
                     + QStringLiteral(" GROUP BY s.num_anno, s.cod_reg_iva, s.cod_iva, i.ind_tipo_3000, i.des_iva"
                                      " ORDER BY s.cod_reg_iva, i.ind_tipo_3000, s.cod_iva"),
                 [this](const RowReader& row) {
                     codeIndicators_.append(row.text(row.indexOf(QStringLiteral("ind_tipo_3000"))).trimmed());
                     return balanceLine(row, false, true);
                 },
                 byCode_)
        && query(QStringLiteral("SELECT s.num_anno, s.cod_reg_iva") + kSums + kFrom
                     + QStringLiteral(" AND i.ind_tipo_3000>'0' GROUP BY s.num_anno, s.cod_reg_iva ORDER BY s.cod_reg_iva"),
                 [](const RowReader& row) { return balanceLine(row, false, false); }, totals_);
    if (!ok) {
        byPeriod_.clear();
        byCode_.clear();
        totals_.clear();
        codeIndicators_.clear();
        return false;
    }
    for (auto& entry : sums)
        periodSums_.push_back(std::move(entry.second));
    return true;
}

QString VatTotalsByYear::writeReport()
{
    QStringList lines = {QStringLiteral("Anno %1 - Azienda: ").arg(year_) + ctx_.company().code, QString(30, QLatin1Char('=')),
                         QStringLiteral("------------------"), QStringLiteral("Totali IVA COM3000"), QStringLiteral("------------------"),
                         vattotals::kTotalHeader};
    lines += totals_;
    lines << QStringLiteral("---------------------------------") << QStringLiteral("Importi per Codice - SOLO COM3000")
          << vattotals::kCodeHeader + QString(30, QLatin1Char(' ')) + QStringLiteral("|C3000|");
    for (qsizetype i = 0; i < byCode_.size(); ++i) {
        // Only the codes of the communication: an indicator greater than "0".
        if (codeIndicators_.value(i) > QLatin1String("0"))
            lines << byCode_[i] + indicatorName(codeIndicators_[i]);
    }
    lines << QStringLiteral("------------------") << QStringLiteral("Importi per Codice") << vattotals::kCodeHeader;
    lines += byCode_;
    lines << QStringLiteral("----------------------------") << QStringLiteral("Importi per Codice / Periodo") << vattotals::kPeriodHeader;
    lines += byPeriod_;
    return writeAndPresentReport(ctx_.ui(), ctx_.viewer(), reportPath(ctx_.paths(), QStringLiteral("\\SUMIVA.TXT")), lines, kCaption);
}

} // namespace corv
