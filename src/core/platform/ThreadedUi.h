#pragma once

#include "platform/Ui.h"

namespace corv {

// The user-interaction port for a command that runs on a thread of its own:
// every question, message and window is handed to the window's thread and
// waited for, the status and the beep are posted without waiting, and
// pending events are the window's own business. On the window's thread it
// calls the port it wraps directly.
class ThreadedUi : public Ui {
public:
    explicit ThreadedUi(Ui& inner) : inner_(inner) {}

    Answer message(const QString& text, const QString& title, Icon icon, Buttons buttons, Answer defaultAnswer) override;
    Answer confirmChange(const QString& text, const QString& title, Answer defaultAnswer) override;
    std::optional<QList<bool>> askChoices(const QString& first, const QList<Choice>& choices, const QString& title) override;
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& defaultText) override;
    void status(const QString& text) override;
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
    bool interactive() const override { return inner_.interactive(); }

    Ui& inner() { return inner_; }

private:
    Ui& inner_;
};

// Whether the caller runs on the thread of the application's windows.
bool onWindowThread();

} // namespace corv
