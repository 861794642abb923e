#pragma once

#include <QDialog>

namespace corv {

// F1 on the console: every key of the program in one window, the buttons of
// each tab with theirs, the lists' and the report window's.
class KeysHelp : public QDialog {
    Q_OBJECT
public:
    explicit KeysHelp(QWidget* parent = nullptr);
    // The window's text, for a test to read.
    QString text() const;

private:
    QString html_;
};

} // namespace corv
