#pragma once

#include "RecordWindow.h"
#include "command/CommandResult.h"
#include "maintenance/VatTotalsByYear.h"

class QComboBox;

namespace corv {

class PipeListView;

// "Totali IVA": a year of the open Ardea company's VAT balances in three
// lists (by code and period, by code, COM3000 totals by register) and the
// report SUMIVA.TXT.
class VatTotalsWindow : public RecordWindow {
    Q_OBJECT
public:
    explicit VatTotalsWindow(AppContext& ctx, QWidget* parent = nullptr);

    // The year's figures for the chart: taxable and VAT by period and register.
    ChartData chartData() const;

private:
    void showYear();

    VatTotalsByYear totals_;
    QComboBox* years_ = nullptr;
    PipeListView* byPeriod_ = nullptr;
    PipeListView* byCode_ = nullptr;
    PipeListView* totalsList_ = nullptr;
};

} // namespace corv
