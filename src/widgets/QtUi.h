#pragma once

#include "platform/Ui.h"

#include <QPointer>

class QProgressBar;
class QStatusBar;
class QWidget;

namespace corv {

class AppContext;

// The user-interaction port on real windows.
class QtUi : public Ui {
public:
    QtUi() = default;

    // The window whose status bar and modality the port uses.
    void setMainWindow(QWidget* window, QStatusBar* statusBar);

    Answer message(const QString& text, const QString& title, Icon icon, Buttons buttons,
                   Answer defaultAnswer) override;
    // The questions in one dialog: the first as its text, the options as
    // ticks with their defaults.
    std::optional<QList<bool>> askChoices(const QString& first, const QList<Choice>& choices, const QString& title) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    void status(const QString& text) override;
    // The bar beside the status text: a percentage and the time left when the
    // total is known, a busy indicator otherwise (and during a single long
    // statement, from the start of a command).
    void progress(const ProgressState& state) override;
    void beep() override;
    void busy(bool on) override;
    void processEvents() override;
    bool openInViewer(const QString& viewer, const QString& path) override;
    void editLogin(SqlAccessForm& form) override;
    QString showList(const Rs2ListResult& list) override;
    std::optional<FolderChoice> chooseFolder(FolderChooser& chooser) override;
    bool showForm(AppContext& ctx, const FormRequest& request) override;
    std::optional<QString> chooseFile(const FileRequest& request) override;
    // The list viewer keeps its placement in the settings of this context.
    void setContext(AppContext* ctx) { ctx_ = ctx; }
    // A window (the splash) that must never stand above a dialog: it is
    // hidden before the first one.
    void setSplash(QWidget* splash) { splash_ = splash; }

    // The window questions and messages are parented to: the active dialog
    // or window of the program, the main window when none is.
    QWidget* windowInUse() const;

private:
    // The status bar of the window in use: its own for a sub-window.
    QStatusBar* statusBarInUse() const;
    // Its progress bar, made the first time.
    QProgressBar* progressBar(QStatusBar* bar) const;
    void hideProgress();

private:
    QPointer<QWidget> window_;
    QPointer<QStatusBar> statusBar_;
    int busyDepth_ = 0;
    AppContext* ctx_ = nullptr;
    QPointer<QWidget> splash_;
    void hideSplash();
};

// Message texts break their lines with CR and CR LF; Qt wants LF.
QString displayText(const QString& text);

} // namespace corv
