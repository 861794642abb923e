#pragma once

#include "forms/FolderChooser.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QFileSystemModel;
class QListWidget;
class QTreeView;

namespace corv {

class Ui;

// F_Fold: the drive list, the folder tree and the files of the folder over
// the chooser's logic. The tree shows folders only; the start folder is the
// caller's and the process's current directory is never changed.
class FolderChooserDialog : public QDialog {
    Q_OBJECT
public:
    FolderChooserDialog(FolderChooser& chooser, Ui& ui, QWidget* parent = nullptr);

    const std::optional<FolderChoice>& choice() const { return choice_; }

private:
    void showFolder(const QString& folder);
    void driveChosen(int index);
    void newFolder();
    void toggleFiles();
    void refreshFiles();

    FolderChooser& chooser_;
    Ui& ui_;
    QComboBox* drives_ = nullptr;
    QTreeView* folders_ = nullptr;
    QFileSystemModel* model_ = nullptr;
    QListWidget* files_ = nullptr;
    std::optional<FolderChoice> choice_;
};

} // namespace corv
