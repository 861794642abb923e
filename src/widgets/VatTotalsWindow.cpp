#include "VatTotalsWindow.h"

#include "ChartWindow.h"
#include "context/AppContext.h"

#include "FormWidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace corv {

VatTotalsWindow::VatTotalsWindow(AppContext& ctx, QWidget* parent)
    : RecordWindow(ctx, QStringLiteral("F_TotIVA"), QStringLiteral("Totali IVA"), parent), totals_(ctx)
{
    years_ = new QComboBox(this);
    years_->setObjectName(QStringLiteral("Cmb_Anni"));
    auto* refresh = new QPushButton(QStringLiteral("Aggiorna"), this);
    refresh->setObjectName(QStringLiteral("Cmd_Upd"));
    auto* chart = new QPushButton(QIcon::fromTheme(QStringLiteral("x-office-spreadsheet")), QStringLiteral("Grafico"), this);
    chart->setObjectName(QStringLiteral("Cmd_Grafico"));
    chart->setToolTip(QStringLiteral("Imponibile e IVA dell'anno per periodo e registro, in un grafico"));
    auto* print = new QPushButton(QStringLiteral("Stampa"), this);
    print->setObjectName(QStringLiteral("Cmd_Print"));
    print->setToolTip(QStringLiteral("Scrive e apre il report SUMIVA.TXT"));
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Anno"), this));
    top->addWidget(years_);
    top->addWidget(refresh);
    top->addStretch();
    top->addWidget(chart);
    top->addWidget(print);

    byPeriod_ = new PipeListView(QStringLiteral("Lst_Per"), this);
    byCode_ = new PipeListView(QStringLiteral("Lst_Cod"), this);
    totalsList_ = new PipeListView(QStringLiteral("Lst_Tot"), this);
    byPeriod_->setHeading(vattotals::kPeriodHeader);
    byCode_->setHeading(vattotals::kCodeHeader);
    totalsList_->setHeading(vattotals::kTotalHeader);
    auto* grid = new QGridLayout;
    grid->addWidget(byPeriod_, 0, 0, 2, 1);
    grid->addWidget(byCode_, 0, 1);
    grid->addWidget(totalsList_, 1, 1);
    body()->addLayout(top);
    body()->addLayout(grid, 1);

    if (totals_.readYears())
        years_->addItems(totals_.years());
    connect(years_, &QComboBox::currentIndexChanged, this, &VatTotalsWindow::showYear);
    connect(refresh, &QPushButton::clicked, this, &VatTotalsWindow::showYear);
    connect(chart, &QPushButton::clicked, this, [this] { showChart(chartData(), this); });
    connect(print, &QPushButton::clicked, this, [this] {
        if (totals_.year() == 0)
            showYear();
        totals_.writeReport();
    });
    showYear();
    resize(1300, 640);
}

void VatTotalsWindow::showYear()
{
    const int year = years_->currentText().section(QLatin1Char('|'), 0, 0).toInt();
    if (year == 0 || !totals_.read(year)) {
        byPeriod_->setRows({});
        byCode_->setRows({});
        totalsList_->setRows({});
        return;
    }
    byPeriod_->setRows(totals_.byPeriod());
    byCode_->setRows(totals_.byCode());
    totalsList_->setRows(totals_.totals());
    hint(QStringLiteral("Anno %1 : %2 righe per periodo, %3 per codice").arg(year).arg(totals_.byPeriod().size()).arg(totals_.byCode().size()));
}

ChartData VatTotalsWindow::chartData() const
{
    // One bar per register for the taxable amount and one for the VAT, by period.
    static const QMap<QString, QString> names = {{QStringLiteral("V"), QStringLiteral("vendite")}, {QStringLiteral("A"), QStringLiteral("acquisti")},
                                                 {QStringLiteral("C"), QStringLiteral("corrispettivi")}};
    ChartData chart;
    chart.title = QStringLiteral("Totali IVA %1 per periodo - Azienda %2").arg(totals_.year()).arg(ctx_.company().code);
    QList<int> periods;
    QStringList registers;
    for (const VatPeriodSums& s : totals_.periodSums()) {
        if (!periods.contains(s.period))
            periods << s.period;
        if (!registers.contains(s.reg))
            registers << s.reg;
    }
    std::sort(periods.begin(), periods.end());
    for (int period : periods)
        chart.categories << QStringLiteral("%1").arg(period, 2, 10, QLatin1Char('0'));
    for (const QString& reg : registers) {
        const QString name = names.value(reg, QStringLiteral("registro ") + reg);
        chart.seriesNames << QStringLiteral("Imponibile ") + name << QStringLiteral("IVA ") + name;
        QList<double> taxable(periods.size(), 0.0), vat(periods.size(), 0.0);
        for (const VatPeriodSums& s : totals_.periodSums()) {
            if (s.reg != reg)
                continue;
            const qsizetype at = periods.indexOf(s.period);
            taxable[at] = static_cast<double>(s.taxable.units()) / 10000.0;
            vat[at] = static_cast<double>(s.vat.units()) / 10000.0;
        }
        chart.series << taxable << vat;
    }
    return chart;
}

} // namespace corv
