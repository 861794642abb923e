#pragma once

#include "command/CommandResult.h"

#include <QWidget>

class QChartView;

namespace corv {

// Bars where people would rather look than read: a chart of the figures a
// command or a window hands over, with "Salva PNG…" to keep it as a picture.
class ChartWindow : public QWidget {
    Q_OBJECT
public:
    explicit ChartWindow(const ChartData& data, QWidget* parent = nullptr);
    // The chart as a PNG picture; false when it cannot be written.
    bool savePng(const QString& path) const;
    const ChartData& data() const { return data_; }

private:
    ChartData data_;
    QChartView* view_;
};

// Opened beside the window that asked, and closed with it.
ChartWindow* showChart(const ChartData& data, QWidget* parent);

} // namespace corv
