#pragma once

#include "forms/FolderChooser.h"
#include "platform/Ui.h"

#include <QString>
#include <QStringList>
#include <any>
#include <deque>
#include <functional>

#include <ostream>

// Readable QString values in test failure messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace corv::test {

// The user-interaction port for tests: it answers from a script given in
// advance, records everything said, and fails the test on a prompt that the
// script did not expect (or on script steps left unused at its end).
class ScriptedUi : public Ui {
public:
    struct Said {
        QString title;
        QString text;
        Icon icon;
    };

    ~ScriptedUi() override;

    // The next message must contain `text`; it is answered with `answer`.
    ScriptedUi& expectMessage(const QString& text, Answer answer = Answer::Ok);
    // The next prompt must contain `prompt`; nullopt cancels the input box.
    ScriptedUi& expectInput(const QString& prompt, std::optional<QString> answer);
    // The next login window is handled by `action` (fill fields, save, abandon).
    ScriptedUi& expectLogin(std::function<void(SqlAccessForm&)> action);
    // The next list shown must have `caption` in its caption; `chosen` picks
    // the line returned (given the lines), nullopt cancels.
    ScriptedUi& expectList(const QString& caption, std::function<std::optional<QString>(const QStringList&)> chosen);

    Answer message(const QString& text, const QString& title, Icon icon, Buttons buttons,
                   Answer defaultAnswer) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    void status(const QString& text) override { statuses.append(text); }
    void beep() override { ++beeps; }
    void busy(bool) override {}
    void processEvents() override
    {
        ++eventRuns;
        if (onProcessEvents)
            onProcessEvents();
    }
    bool openInViewer(const QString& viewer, const QString& path) override;
    void editLogin(SqlAccessForm& form) override;
    QString showList(const Rs2ListResult& list) override;
    // The next folder chooser is handled by `action` (it may browse, make a
    // folder, and accept); nullopt closes it without a choice.
    ScriptedUi& expectFolder(std::function<std::optional<FolderChoice>(FolderChooser&)> action);
    std::optional<FolderChoice> chooseFolder(FolderChooser& chooser) override;
    // Records the windows asked for; `onForm` may act on each.
    bool showForm(AppContext& ctx, const FormRequest& request) override
    {
        formsShown.push_back(request);
        if (onForm)
            onForm(ctx, request);
        return true;
    }
    std::vector<FormRequest> formsShown;
    // The next file-open dialog must have `title`; `chosen` answers it
    // (nullopt cancels). Every request is kept in fileRequests.
    ScriptedUi& expectFile(const QString& title, std::function<std::optional<QString>(const FileRequest&)> chosen);
    std::optional<QString> chooseFile(const FileRequest& request) override;
    std::vector<FileRequest> fileRequests;
    std::function<void(AppContext&, const FormRequest&)> onForm;

    bool interactive() const override { return !unattended; }
    bool finished() const { return steps_.empty(); }

    std::vector<Said> said;       // every message, in order
    QStringList prompts;          // every input prompt, in order
    QStringList inputDefaults;    // the default text of each prompt
    QStringList statuses;
    QStringList opened;           // "viewer|path" for each report opened
    QStringList listsShown;       // the caption of each list shown
    int beeps = 0;
    bool unattended = false; // as an unattended run: nobody answers
    int eventRuns = 0;
    // Runs whenever a command lets pending events run: a test's way to act
    // "while the command is running".
    std::function<void()> onProcessEvents;

private:
    struct Step {
        enum Kind { Message, Input, Login, List, Folder, File } kind;
        QString expected;
        Answer answer = Answer::Ok;
        std::optional<QString> text;
        std::any handler; // the std::function that answers a window, a list or a dialog
    };
    ScriptedUi& push(Step step);
    bool take(Step::Kind kind, const QString& shown, Step& step);
    // The handler of the next step of `kind`, when it came as expected.
    template <typename Handler>
    Handler takeHandler(Step::Kind kind, const QString& shown)
    {
        Step step;
        return take(kind, shown, step) ? std::any_cast<Handler>(step.handler) : Handler();
    }

    std::deque<Step> steps_;
};

} // namespace corv::test
