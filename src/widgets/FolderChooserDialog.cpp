#include "FolderChooserDialog.h"

#include "platform/Ui.h"

#include <QComboBox>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace corv {

FolderChooserDialog::FolderChooserDialog(FolderChooser& chooser, Ui& ui, QWidget* parent) : QDialog(parent), chooser_(chooser), ui_(ui)
{
    setObjectName(QStringLiteral("F_Fold"));
    setWindowTitle(QStringLiteral("Scelta Cartella"));
    drives_ = new QComboBox(this);
    drives_->setObjectName(QStringLiteral("Drive1"));
    drives_->addItems(FolderChooser::driveEntries());
    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QString());
    folders_ = new QTreeView(this);
    folders_->setObjectName(QStringLiteral("Dir1"));
    folders_->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column)
        folders_->hideColumn(column);
    folders_->header()->hide();
    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("File1"));
    files_->setVisible(false);

    auto* newDir = new QPushButton(QStringLiteral("Nuova cartella"), this);
    newDir->setObjectName(QStringLiteral("Cmd_NewDir"));
    auto* view = new QPushButton(QStringLiteral("Files"), this);
    view->setObjectName(QStringLiteral("Cmd_View"));
    view->setToolTip(QStringLiteral("Click per vedere i Files"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Cmd_Ok"));
    ok->setDefault(true);
    auto* quit = new QPushButton(QStringLiteral("Annulla"), this);
    quit->setObjectName(QStringLiteral("Cmd_Quit"));

    auto* lists = new QHBoxLayout;
    lists->addWidget(folders_, 2);
    lists->addWidget(files_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(newDir);
    buttons->addWidget(view);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(quit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(drives_);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    resize(520, 420);

    connect(drives_, &QComboBox::activated, this, &FolderChooserDialog::driveChosen);
    connect(folders_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& index) {
        if (index.isValid()) {
            chooser_.setFolder(model_->filePath(index));
            refreshFiles();
        }
    });
    // The model reads folders in the background: once they are there, the
    // current folder is brought into view again.
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this] {
        // It sorts what it read a moment later: scroll after that.
        QTimer::singleShot(50, this, [this] { folders_->scrollTo(folders_->currentIndex(), QAbstractItemView::PositionAtCenter); });
    });
    connect(newDir, &QPushButton::clicked, this, &FolderChooserDialog::newFolder);
    connect(view, &QPushButton::clicked, this, &FolderChooserDialog::toggleFiles);
    connect(ok, &QPushButton::clicked, this, [this] {
        const QListWidgetItem* file = files_->currentItem();
        choice_ = chooser_.accept(file ? file->text() : QString());
        accept();
    });
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
    showFolder(chooser_.folder());
}

void FolderChooserDialog::showFolder(const QString& folder)
{
    const int drive = drives_->findText(chooser_.drive(), Qt::MatchStartsWith);
    if (drive >= 0)
        drives_->setCurrentIndex(drive);
    const QModelIndex index = model_->index(folder);
    // The folders on the way are opened, so the folder is in view.
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        folders_->expand(parent);
    folders_->setCurrentIndex(index);
    folders_->expand(index);
    folders_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    refreshFiles();
}

void FolderChooserDialog::driveChosen(int index)
{
    const QString problem = chooser_.changeDrive(drives_->itemText(index));
    if (!problem.isEmpty()) {
        ui_.critical(problem);
        return;
    }
    showFolder(chooser_.folder());
}

void FolderChooserDialog::newFolder()
{
    const std::optional<QString> name = ui_.input(QStringLiteral("Nuova Sottocartella :"), windowTitle(), QString());
    if (!name)
        return;
    QString message;
    switch (chooser_.createSubfolder(name->trimmed(), &message)) {
    case FolderChooser::NewFolder::Nothing: return;
    case FolderChooser::NewFolder::Created:
        showFolder(chooser_.folder());
        ui_.beep();
        return;
    case FolderChooser::NewFolder::Exists:
        ui_.critical(message);
        ui_.beep();
        return;
    case FolderChooser::NewFolder::BadName:
    case FolderChooser::NewFolder::Failed: ui_.critical(message); return;
    }
}

void FolderChooserDialog::toggleFiles()
{
    files_->setVisible(!files_->isVisible());
    refreshFiles();
}

void FolderChooserDialog::refreshFiles()
{
    if (!files_->isVisible())
        return;
    files_->clear();
    files_->addItems(chooser_.files());
}

} // namespace corv
