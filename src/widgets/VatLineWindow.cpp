#include "VatLineWindow.h"

#include "command/ConsoleLists.h"

#include "FormWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

namespace corv {

VatLineWindow::VatLineWindow(AppContext& ctx, VatLineKind kind, const CorvinaCompanies& companies, int selected, QWidget* parent)
    : RecordWindow(ctx, VatLineListing::objectNameOf(kind), VatLineListing::captionOf(kind), parent), listing_(ctx, kind), companyList_(companies)
{
    companies_ = new QComboBox(this);
    companies_->setObjectName(QStringLiteral("Cmb_COM"));
    for (const CorvinaCompany& company : companies)
        companies_->addItem(corvinaCompanyRow(company));
    companies_->setCurrentIndex(selected >= 0 && selected < companies.size() ? selected : 0);
    letShrink(companies_, 24);
    values_ = new CodeCombo(QStringLiteral("Cmb_Natura"), this);
    values_->addItems(listing_.values());
    values_->setCurrentIndex(-1);
    zero_ = new QCheckBox(QStringLiteral("Anche righe senza valore"), this);
    zero_->setObjectName(QStringLiteral("Chk_NatZero"));
    lines_ = new PipeListView(QStringLiteral("Lst"), this);
    lines_->setHeading(listing_.header());
    lines_->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* top = new QHBoxLayout;
    top->addWidget(companies_, 1);
    top->addWidget(values_, 1);
    top->addWidget(zero_);
    body()->addLayout(top);
    body()->addWidget(lines_, 1);
    connect(values_, &QComboBox::activated, this, &VatLineWindow::runListing);
    connect(companies_, &QComboBox::activated, this, &VatLineWindow::runListing);
    connect(zero_, &QCheckBox::clicked, this, [this] {
        if (values_->code() == QLatin1String("0"))
            runListing();
    });
    connect(lines_, &QWidget::customContextMenuRequested, this, [this] { listing_.listToViewer(companies_->currentText()); });
    resize(1300, 640);
}

void VatLineWindow::runListing()
{
    listing_.list(companyList_.value(companies_->currentIndex()), values_->currentText(), zero_->isChecked());
    lines_->setRows(listing_.lines());
    hint(QStringLiteral("Righe : %1").arg(listing_.lines().size()));
}

} // namespace corv
