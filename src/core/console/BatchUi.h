#pragma once

#include "platform/Ui.h"

#include <QTextStream>
#include <functional>

namespace corv {

// For the command line and unattended runs: messages go to stderr, every
// question takes its default answer but those whose Yes would change data,
// which are answered No unless changes are confirmed; input boxes take their
// default text and the login window is abandoned (there is nobody to type a
// password).
class BatchUi : public Ui {
public:
    BatchUi();

    Answer message(const QString& text, const QString& title, Icon icon, Buttons buttons,
                   Answer defaultAnswer) override;
    Answer confirmChange(const QString& text, const QString& title, Answer defaultAnswer) override;
    // Told explicitly that the questions which change data are answered Yes.
    void setConfirmChanges(bool confirm) { confirmChanges_ = confirm; }
    // The changes left undone for want of that confirmation.
    int skippedChanges() const { return skippedChanges_; }
    // Where every question and the answer it took are written (the run log).
    void setAnswerLog(std::function<void(const QString&)> log) { answerLog_ = std::move(log); }
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    void status(const QString&) override {}
    void beep() override {}
    void busy(bool) override {}
    // Pending events still run: a request to end the program arrives as one.
    void processEvents() override;
    bool openInViewer(const QString& viewer, const QString& path) override;
    void editLogin(SqlAccessForm& form) override;
    bool interactive() const override { return false; }
    QString showList(const Rs2ListResult& list) override;
    // Nobody to choose a folder: none is chosen.
    std::optional<FolderChoice> chooseFolder(FolderChooser& chooser) override;
    bool showForm(AppContext& ctx, const FormRequest& request) override;
    std::optional<QString> chooseFile(const FileRequest&) override { return std::nullopt; }

private:
    void logAnswer(const QString& question, Answer answer) const;

    QTextStream err_;
    bool confirmChanges_ = false;
    int skippedChanges_ = 0;
    std::function<void(const QString&)> answerLog_;
};

} // namespace corv
