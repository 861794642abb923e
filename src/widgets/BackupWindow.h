#pragma once

#include "RecordWindow.h"
#include "backup/CorvinaBackup.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace corv {

// The backup window: the two destinations (the product's last backup folder
// and one of the user's), the system databases, and the start button. It
// keeps its choices in the settings; the console runs the backup after it.
class BackupWindow : public RecordWindow {
    Q_OBJECT
public:
    explicit BackupWindow(AppContext& ctx, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    backup::BackupSettings choices_;
    QRadioButton* destinations_[2] = {};
    QLineEdit* paths_[2] = {};
    QCheckBox* system_ = nullptr;
    bool started_ = false;
};

} // namespace corv
