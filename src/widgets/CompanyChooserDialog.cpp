#include "CompanyChooserDialog.h"

#include "WindowPlacement.h"
#include "context/AppContext.h"
#include "util/TextUtil.h"
#include "ardea/CompanyOpening.h"
#include "platform/Ui.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace corv {

namespace {
const QString kName = QStringLiteral("F_Aziende");
}

CompanyChooserDialog::CompanyChooserDialog(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(kName);
    setWindowTitle(QStringLiteral("Scelta Azienda Ardea"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("Lst_Aziende"));
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* activate = new QPushButton(QStringLiteral("Attiva Azienda"), this);
    activate->setObjectName(QStringLiteral("Cmd_Attiva"));
    auto* refresh = new QPushButton(QStringLiteral("Aggiorna"), this);
    refresh->setObjectName(QStringLiteral("Cmd_Aggiorna"));
    auto* close = new QPushButton(QStringLiteral("Chiudi"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(activate);
    buttons->addWidget(refresh);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    connect(activate, &QPushButton::clicked, this, &CompanyChooserDialog::activateSelected);
    connect(list_, &QListWidget::itemActivated, this, &CompanyChooserDialog::activateSelected);
    connect(refresh, &QPushButton::clicked, this, &CompanyChooserDialog::fill);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(900, 400);
    restoreWindowPlacement(this, ctx_.corvSettings(), kName);
    fill();
}

void CompanyChooserDialog::fill()
{
    list_->clear();
    list_->addItems(CompanyOpening(ctx_).chooserRows());
}

void CompanyChooserDialog::activateSelected()
{
    QListWidgetItem* item = list_->currentItem();
    if (!item) {
        ctx_.ui().beep();
        return;
    }
    if (CompanyOpening(ctx_).activate(utl::field(item->text(), QStringLiteral("|"), 1)))
        accept();
}

void CompanyChooserDialog::done(int result)
{
    IniFile settings = ctx_.corvSettings();
    saveWindowPlacement(this, settings, kName);
    QDialog::done(result);
}

} // namespace corv
