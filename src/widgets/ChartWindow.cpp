#include "ChartWindow.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>

namespace corv {

ChartWindow::ChartWindow(const ChartData& data, QWidget* parent) : QWidget(parent, Qt::Window), data_(data), view_(new QChartView(this))
{
    setObjectName(QStringLiteral("F_Grafico"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(data.title);
    auto* chart = new QChart;
    chart->setTitle(data.title);
    auto* bars = new QBarSeries;
    double low = 0, high = 0;
    for (qsizetype s = 0; s < data.series.size(); ++s) {
        auto* set = new QBarSet(data.seriesNames.value(s));
        for (double value : data.series[s]) {
            *set << value;
            low = std::min(low, value);
            high = std::max(high, value);
        }
        bars->append(set);
    }
    chart->addSeries(bars);
    auto* categories = new QBarCategoryAxis;
    categories->append(data.categories);
    categories->setLabelsAngle(data.categories.size() > 12 ? -60 : 0);
    chart->addAxis(categories, Qt::AlignBottom);
    bars->attachAxis(categories);
    auto* values = new QValueAxis;
    values->setRange(low, high > low ? high : low + 1);
    values->setLabelFormat(QStringLiteral("%.0f"));
    values->applyNiceNumbers();
    chart->addAxis(values, Qt::AlignLeft);
    bars->attachAxis(values);
    chart->legend()->setAlignment(Qt::AlignBottom);
    view_->setChart(chart);
    view_->setRenderHint(QPainter::Antialiasing);

    auto* save = new QPushButton(QIcon::fromTheme(QStringLiteral("document-save")), QStringLiteral("Salva PNG…"), this);
    save->setObjectName(QStringLiteral("Cmd_SalvaPng"));
    auto* close = new QPushButton(QStringLiteral("Chiudi"), this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(save, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Salva il grafico"), QDir::homePath() + QStringLiteral("/grafico.png"),
                                                          QStringLiteral("Immagini PNG (*.png)"));
        if (!path.isEmpty() && !savePng(path))
            QMessageBox::critical(this, windowTitle(), QStringLiteral("Impossibile scrivere il file :\r\n") + QDir::toNativeSeparators(path));
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);
    resize(900, 560);
}

bool ChartWindow::savePng(const QString& path) const
{
    // Drawn at the view's size, written whole or not at all.
    const QPixmap picture = view_->grab();
    QSaveFile file(path);
    return !picture.isNull() && file.open(QIODevice::WriteOnly) && picture.save(&file, "PNG") && file.commit();
}

ChartWindow* showChart(const ChartData& data, QWidget* parent)
{
    if (data.categories.isEmpty())
        return nullptr;
    auto* window = new ChartWindow(data, parent);
    window->show();
    return window;
}

} // namespace corv
