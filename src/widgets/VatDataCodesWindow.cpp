#include "VatDataCodesWindow.h"

#include "FormWidgets.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace corv {

namespace {

QPushButton* button(const char* name, const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

VatDataCodesWindow::VatDataCodesWindow(AppContext& ctx, const CorvinaCompany& company, QWidget* parent)
    : RecordWindow(ctx, QStringLiteral("F_CFPISuComDatIVA"), QStringLiteral("PI/CF su Comunicazione Dati Fatture"), parent), codes_(ctx, company)
{
    communications_ = new QComboBox(this);
    communications_->setObjectName(QStringLiteral("Cmb_DatiIVA"));
    lines_ = new PipeListView(QStringLiteral("Lst_IVA"), this);
    lines_->setContextMenuPolicy(Qt::CustomContextMenu);
    indicators_ = new QComboBox(this);
    indicators_->setObjectName(QStringLiteral("Cmb_Ind"));
    indicators_->addItems(VatDataCodes::indicators());
    values_ = new QComboBox(this);
    values_->setObjectName(QStringLiteral("Cmb_Val"));
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Comunicazione"), this));
    top->addWidget(communications_, 1);
    QPushButton* refresh = button("Cmd_Upd", QStringLiteral("Aggiorna"), this);
    QPushButton* fill = button("Cmd_Go", QStringLiteral("Compila PI/CF"), this);
    QPushButton* foreign = button("Cmd_Foreign", QStringLiteral("Compila CF Estero"), this);
    for (QPushButton* b : {refresh, fill, foreign})
        top->addWidget(b);
    auto* bottom = new QHBoxLayout;
    QPushButton* readVat = button("Cmd_ReadIVA", QStringLiteral("Codici IVA"), this);
    QPushButton* reread = button("Cmd_UpdFlg", QStringLiteral("Rileggi"), this);
    QPushButton* select = button("Cmd_SelOK", QStringLiteral("Seleziona"), this);
    QPushButton* none = button("Cmd_SelNo", QStringLiteral("Deseleziona"), this);
    bottom->addWidget(readVat);
    bottom->addWidget(reread);
    bottom->addWidget(indicators_);
    bottom->addWidget(values_, 1);
    bottom->addWidget(select);
    bottom->addWidget(none);
    body()->addLayout(top);
    body()->addWidget(lines_, 1);
    body()->addLayout(bottom);

    connect(communications_, &QComboBox::activated, this, [this](int index) {
        codes_.readRows(index);
        showLines();
    });
    connect(refresh, &QPushButton::clicked, this, &VatDataCodesWindow::readCommunications);
    connect(fill, &QPushButton::clicked, this, [this] {
        codes_.fillCodes();
        codes_.readRows(communications_->currentIndex());
        showLines();
    });
    connect(foreign, &QPushButton::clicked, this, [this] { codes_.fillForeignCodes(); });
    for (QPushButton* b : {readVat, reread}) {
        connect(b, &QPushButton::clicked, this, [this] {
            codes_.readVatCodes();
            showLines();
        });
    }
    connect(indicators_, &QComboBox::currentIndexChanged, this, [this](int index) {
        values_->clear();
        values_->addItems(VatDataCodes::indicatorValues(index));
    });
    connect(select, &QPushButton::clicked, this, [this] {
        const QList<int> rows = codes_.matching(indicators_->currentIndex(), values_->currentText());
        showLines();
        lines_->selectRows(rows);
    });
    connect(none, &QPushButton::clicked, this, [this] { lines_->selectRows({}); });
    connect(lines_, &QWidget::customContextMenuRequested, this, [this] { codes_.printList(indicators_->currentIndex()); });
    values_->addItems(VatDataCodes::indicatorValues(0));
    readCommunications();
    resize(1200, 600);
}

void VatDataCodesWindow::readCommunications()
{
    communications_->clear();
    if (codes_.readCommunications())
        communications_->addItems(codes_.communications());
    communications_->setCurrentIndex(-1);
}

void VatDataCodesWindow::showLines()
{
    lines_->setContent(codes_.heading(), codes_.lines());
    hint(QStringLiteral("Righe : %1").arg(codes_.lines().size()));
}

} // namespace corv
