#include "VatTotalsWindow.h"

#include "FormWidgets.h"

#include <QComboBox>
#include <QFontDatabase>
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
    auto* print = new QPushButton(QStringLiteral("Stampa"), this);
    print->setObjectName(QStringLiteral("Cmd_Print"));
    print->setToolTip(QStringLiteral("Scrive e apre il report SUMIVA.TXT"));
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Anno"), this));
    top->addWidget(years_);
    top->addWidget(refresh);
    top->addStretch();
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

} // namespace corv
