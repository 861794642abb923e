#pragma once

#include "RecordWindow.h"
#include "forms/DiskPrintArchive.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace corv {

// F_DbP, the disk print archive: a report file found by folder and
// extension, viewed in the text viewer or reprinted; the viewer chosen here
// serves the whole program. Its choices are written back when it closes.
class DiskPrintWindow : public RecordWindow {
    Q_OBJECT
public:
    explicit DiskPrintWindow(AppContext& ctx, QWidget* parent = nullptr);

    DiskPrintArchive& archive() { return archive_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void takeFields();
    void showFields();
    void showViewer();

    DiskPrintArchive archive_;
    QLineEdit* folder_ = nullptr;
    QLineEdit* extension_ = nullptr;
    QComboBox* extensions_ = nullptr;
    QLineEdit* file_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* view_ = nullptr;
};

} // namespace corv
