#include "BackupWindow.h"

#include "console/ConsoleOpening.h"
#include "platform/IniFile.h"
#include "context/AppContext.h"
#include "settings/SettingsKeys.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace corv {

BackupWindow::BackupWindow(AppContext& ctx, QWidget* parent) : RecordWindow(ctx, QStringLiteral("F_BckEF"), QStringLiteral("Backup DB Corvina"), parent)
{
    IniFile settings = ctx.corvSettings();
    if (!backup::openBackupChoices(settings, ctx.registry(), choices_))
        reportUnsavedSettings(ctx, settings);
    auto* grid = new QGridLayout;
    const char* optionNames[] = {"Opt_Dest0", "Opt_Dest1"};
    const char* pathNames[] = {"Txt_Path0", "Txt_Path1"};
    const QString captions[] = {QStringLiteral("Cartella dell'ultimo Backup di Corvina"), QStringLiteral("Altra cartella")};
    for (int i = 0; i < 2; ++i) {
        destinations_[i] = new QRadioButton(captions[i], this);
        destinations_[i]->setObjectName(QLatin1String(optionNames[i]));
        paths_[i] = new QLineEdit(i == 0 ? choices_.path0 : choices_.path1, this);
        paths_[i]->setObjectName(QLatin1String(pathNames[i]));
        grid->addWidget(destinations_[i], i, 0);
        grid->addWidget(paths_[i], i, 1);
    }
    paths_[0]->setReadOnly(true); // the product's own, read anew at each opening
    destinations_[choices_.destination]->setChecked(true);
    system_ = new QCheckBox(QStringLiteral("Includi i database di sistema (Framework e Session)"), this);
    system_->setObjectName(QStringLiteral("Chk_DBSys"));
    system_->setChecked(choices_.systemDatabases);
    grid->addWidget(system_, 2, 0, 1, 2);
    auto* start = new QPushButton(QStringLiteral("Avvia Backup"), this);
    start->setObjectName(QStringLiteral("Cmd_Start"));
    grid->addWidget(start, 3, 1, Qt::AlignRight);
    body()->addLayout(grid);
    body()->addStretch();
    connect(start, &QPushButton::clicked, this, [this] {
        started_ = true;
        close();
    });
    resize(620, 260);
}

void BackupWindow::closeEvent(QCloseEvent* event)
{
    choices_.execute = started_;
    choices_.destination = destinations_[1]->isChecked() ? 1 : 0;
    choices_.path0 = paths_[0]->text();
    choices_.path1 = paths_[1]->text();
    choices_.systemDatabases = system_->isChecked();
    IniFile settings = ctx_.corvSettings();
    if (!choices_.write(settings))
        reportUnsavedSettings(ctx_, settings);
    RecordWindow::closeEvent(event);
}

} // namespace corv
