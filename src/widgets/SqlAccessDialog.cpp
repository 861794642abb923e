#include "SqlAccessDialog.h"

#include "ardea/SqlAccessForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corv {

SqlAccessDialog::SqlAccessDialog(SqlAccessForm& form, QWidget* parent) : QDialog(parent), form_(form)
{
    setObjectName(QStringLiteral("F_SQLAccess"));
    setWindowTitle(QStringLiteral("Accesso a SQL Server"));
    server_ = new QLineEdit(this);
    server_->setObjectName(QStringLiteral("Txt_Server"));
    user_ = new QLineEdit(this);
    user_->setObjectName(QStringLiteral("Txt_Utente"));
    password_ = new QLineEdit(this);
    password_->setObjectName(QStringLiteral("Txt_Password"));
    password_->setEchoMode(QLineEdit::Password);
    showPassword_ = new QCheckBox(QStringLiteral("Mostra caratteri"), this);
    showPassword_->setObjectName(QStringLiteral("Chk_Mostra"));
    serverLabel_ = new QLabel(this);
    serverLabel_->setObjectName(QStringLiteral("Lbl_Server"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Server registrato :"), serverLabel_);
    fields->addRow(QStringLiteral("Server :"), server_);
    fields->addRow(QStringLiteral("Utente :"), user_);
    fields->addRow(QStringLiteral("Password :"), password_);
    fields->addRow(QString(), showPassword_);

    auto* save = new QPushButton(QStringLiteral("Salva"), this);
    save->setObjectName(QStringLiteral("Cmd_Salva"));
    auto* restore = new QPushButton(QStringLiteral("Ripristina"), this);
    restore->setObjectName(QStringLiteral("Cmd_Ripristina"));
    auto* abandon = new QPushButton(QStringLiteral("Abbandona"), this);
    abandon->setObjectName(QStringLiteral("Cmd_Abbandona"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(restore);
    buttons->addStretch();
    buttons->addWidget(abandon);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(save, &QPushButton::clicked, this, [this] {
        takeFields();
        form_.save();
        closing_ = true;
        accept();
    });
    connect(restore, &QPushButton::clicked, this, [this] {
        form_.restoreFromBackup();
        showFields();
    });
    connect(abandon, &QPushButton::clicked, this, [this] {
        form_.abandon();
        closing_ = true;
        QDialog::reject();
    });
    connect(showPassword_, &QCheckBox::toggled, this, [this](bool on) {
        form_.showPassword = on;
        password_->setEchoMode(on ? QLineEdit::Normal : QLineEdit::Password);
    });
}

void SqlAccessDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (activated_)
        return;
    activated_ = true;
    serverLabel_->setText(form_.serverLabel());
    form_.activate();
    showFields();
}

void SqlAccessDialog::showFields()
{
    server_->setText(form_.server);
    user_->setText(form_.user);
    password_->setText(form_.password);
}

void SqlAccessDialog::takeFields()
{
    form_.server = server_->text().trimmed();
    form_.user = user_->text().trimmed();
    form_.password = password_->text();
}

void SqlAccessDialog::closeEvent(QCloseEvent* event)
{
    if (!closing_) {
        takeFields();
        form_.close();
    }
    QDialog::closeEvent(event);
}

void SqlAccessDialog::reject()
{
    // Escape or the close box: offer to save edits, as closing does.
    if (!closing_) {
        takeFields();
        form_.close();
        closing_ = true;
    }
    QDialog::reject();
}

} // namespace corv
