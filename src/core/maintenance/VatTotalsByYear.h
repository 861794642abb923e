#pragma once

#include "util/Amount.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace corv {

class AppContext;

// "Totali IVA": the VAT balances of the open Ardea company for a year, by
// VAT code and period, by VAT code, and by register for the codes of the
// annual communication (COM3000), and the report SUMIVA.TXT.
namespace vattotals {
inline const QString kPeriodHeader = QStringLiteral(" Anno |Me|R|Cod|i3|    Imponibile |           IVA |");
inline const QString kCodeHeader = QStringLiteral(" Anno |R|Cod|i3|    Imponibile |           IVA |");
inline const QString kTotalHeader = QStringLiteral(" Anno |R|    Imponibile |           IVA |");
} // namespace vattotals

// A period's taxable amount and VAT in one register, summed over its codes.
struct VatPeriodSums {
    int period = 0;
    QString reg;
    Amount taxable, vat;
};

class VatTotalsByYear {
public:
    explicit VatTotalsByYear(AppContext& ctx);

    // The year chooser: "year|rows", newest first; false (told) on an error.
    bool readYears();
    const QStringList& years() const { return years_; }
    // The three lists of a year; false (told) on an error, the lists empty.
    bool read(int year);
    int year() const { return year_; }
    const QStringList& byPeriod() const { return byPeriod_; }
    const QStringList& byCode() const { return byCode_; }
    const QStringList& totals() const { return totals_; }
    // The year's sums by period and register, in that order: the chart's data.
    const std::vector<VatPeriodSums>& periodSums() const { return periodSums_; }
    // SUMIVA.TXT written and opened in the text viewer; its path, empty when
    // it could not be written (told).
    QString writeReport();

private:
    bool query(const QString& sql, const std::function<QString(const class RowReader&)>& line, QStringList& into);

    AppContext& ctx_;
    QStringList years_;
    int year_ = 0;
    QStringList byPeriod_, byCode_, totals_;
    QStringList codeIndicators_; // the COM3000 indicator of each byCode_ line
    std::vector<VatPeriodSums> periodSums_;
};

} // namespace corv
