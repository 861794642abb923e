#include "DiskPrintWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace corv {

namespace {

template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

DiskPrintWindow::DiskPrintWindow(AppContext& ctx, QWidget* parent)
    : RecordWindow(ctx, QStringLiteral("F_DbP"), QStringLiteral("Stampe su Disco"), parent), archive_(ctx)
{
    folder_ = named(new QLineEdit(this), "Txt_Dir");
    extension_ = named(new QLineEdit(this), "Txt_Ext");
    extension_->setMaximumWidth(80);
    extensions_ = named(new QComboBox(this), "Cmb_Ext");
    extensions_->addItems(archive_.extensionChoices());
    extensions_->setCurrentIndex(-1);
    file_ = named(new QLineEdit(this), "Txt_FIL");
    auto* choose = named(new QPushButton(QStringLiteral("..."), this), "Cmd_Fil");
    choose->setToolTip(QStringLiteral("Scegli il file"));
    edit_ = named(new QPushButton(QStringLiteral("Visualizzatore"), this), "Cmd_Edit");
    view_ = named(new QPushButton(QStringLiteral("Visualizza"), this), "Cmd_View");
    auto* reprint = named(new QPushButton(QStringLiteral("Ristampa"), this), "Cmd_RePrint");

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Cartella"), this), 0, 0);
    grid->addWidget(folder_, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Estensione"), this), 1, 0);
    grid->addWidget(extension_, 1, 1);
    grid->addWidget(extensions_, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("File"), this), 2, 0);
    grid->addWidget(file_, 2, 1, 1, 2);
    grid->addWidget(choose, 2, 3);
    grid->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(edit_);
    buttons->addStretch();
    buttons->addWidget(view_);
    buttons->addWidget(reprint);
    body()->addLayout(grid);
    body()->addLayout(buttons);
    body()->addStretch();
    showFields();
    showViewer();

    connect(extensions_, &QComboBox::activated, this, [this](int index) { extension_->setText(extensions_->itemText(index)); });
    connect(choose, &QPushButton::clicked, this, [this] {
        takeFields();
        if (archive_.chooseFile())
            showFields();
    });
    connect(edit_, &QPushButton::clicked, this, [this] {
        if (archive_.chooseViewer(false))
            showViewer();
    });
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QPushButton::customContextMenuRequested, this, [this] {
        if (archive_.chooseViewer(true))
            showViewer();
    });
    connect(view_, &QPushButton::clicked, this, [this] {
        takeFields();
        archive_.view();
    });
    connect(reprint, &QPushButton::clicked, this, [this] {
        takeFields();
        archive_.reprint();
    });
    resize(640, 240);
}

void DiskPrintWindow::takeFields()
{
    archive_.folder = folder_->text();
    archive_.extension = extension_->text();
    archive_.file = file_->text();
}

void DiskPrintWindow::showFields()
{
    folder_->setText(archive_.folder);
    extension_->setText(archive_.extension);
    file_->setText(archive_.file);
}

void DiskPrintWindow::showViewer()
{
    edit_->setToolTip(archive_.viewerTip());
    view_->setToolTip(archive_.viewerTip());
}

void DiskPrintWindow::closeEvent(QCloseEvent* event)
{
    takeFields();
    archive_.close();
    RecordWindow::closeEvent(event);
}

} // namespace corv
