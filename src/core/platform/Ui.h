#pragma once

#include "platform/CorvinaCompany.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace corv {

class AppContext;
class FolderChooser;
class SqlAccessForm;
struct Rs2ListResult;

// The record windows a command opens (their logic lives in the core).
enum class FormKind { ArdeaVatFlags, CorvinaVatFlags, CorvinaReasonFlags, CorvinaBackup, FiscalCodeWorkbench, DiskPrintArchive,
                      VatTotals, SettlementRegister, VatNatureLines, DocumentTypeLines, VatDataCodes };
struct FormRequest {
    FormKind kind;
    CorvinaCompanies corvinaCompanies; // the console's Corvina companies
    int corvinaRow = -1;               // the one selected
};

// What the folder chooser hands back.
struct FolderChoice {
    QString drive;  // the mount root of the folder's volume
    QString folder;
    QString file;   // the file selected in its list, empty when none
};

// What a file-open dialog shows: its title, the filter's name and pattern
// (a glob such as "*.[dD][bB][pP]"), the extension added to a typed name,
// and the folder it starts in.
struct FileRequest {
    QString title;
    QString filterName;
    QString pattern;
    QString defaultSuffix;
    QString folder;
};

// The one way a command talks to the user. The Qt implementation shows real
// windows, the scripted one (tests) answers from a script and records what was
// said, the batch one answers with defaults and writes messages to stderr.
// How far a long command has come: what it does, the steps done and, when
// known, their total (0: not known), and the time it has taken.
struct ProgressState {
    QString text;
    qint64 done = 0;
    qint64 total = 0;
    qint64 elapsedMs = 0;
};

class Ui {
public:
    enum class Icon { None, Information, Question, Exclamation, Critical };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Ui() = default;

    virtual Answer message(const QString& text, const QString& title = {}, Icon icon = Icon::None,
                           Buttons buttons = Buttons::Ok, Answer defaultAnswer = Answer::Ok) = 0;
    // std::nullopt when the user cancelled the input box.
    virtual std::optional<QString> input(const QString& prompt, const QString& title,
                                         const QString& defaultText) = 0;
    virtual void status(const QString& text) = 0;
    // A long command's progress; a port without a progress bar shows its text.
    virtual void progress(const ProgressState& state) { status(state.text); }
    virtual void beep() = 0;
    virtual void busy(bool on) = 0;
    virtual void processEvents() = 0;
    // Shows a report without waiting for the user: in the configured text
    // viewer, or in the program's own report window when none is configured
    // or it cannot be started. False when the report could not be shown.
    virtual bool openInViewer(const QString& viewer, const QString& path) = 0;
    // Shows the SQL Server login window modally over the given form.
    virtual void editLogin(SqlAccessForm& form) = 0;
    // Shows a recordset's lines in the list viewer (modal); the line the user
    // chose with OK, empty when cancelled.
    virtual QString showList(const Rs2ListResult& list) = 0;
    // Shows the folder chooser (modal) over its logic; the choice made with
    // OK, nullopt when it was closed without one.
    virtual std::optional<FolderChoice> chooseFolder(FolderChooser& chooser) = 0;
    // Shows a record window and returns when it is closed; false when no
    // window can be shown (unattended runs).
    virtual bool showForm(AppContext& ctx, const FormRequest& request) = 0;
    // The platform's file-open dialog; the chosen file's full path, nullopt
    // when cancelled (or when nobody can choose).
    virtual std::optional<QString> chooseFile(const FileRequest& request) = 0;

    // False when nobody can answer (unattended runs): a question whose answer
    // would be kept in the settings must not be asked then.
    virtual bool interactive() const { return true; }

    // A question whose Yes changes a database or a saved file. Unattended
    // runs answer No unless told to confirm, and say what was not done.
    virtual Answer confirmChange(const QString& text, const QString& title = {}, Answer defaultAnswer = Answer::Yes)
    {
        return message(text, title, Icon::Question, Buttons::YesNo, defaultAnswer);
    }

    // Several Yes/No questions that come before one command: the first says
    // whether it runs at all, the others are its options, each with its
    // default and whether its Yes changes data. A window may show them in one
    // dialog; here they are asked one by one. Nullopt when the first is
    // answered No; otherwise the answers to the options, in order.
    struct Choice {
        QString text;
        Answer defaultAnswer = Answer::Yes;
        bool changesData = false;
    };
    virtual std::optional<QList<bool>> askChoices(const QString& first, const QList<Choice>& choices, const QString& title = {})
    {
        if (message(first, title, Icon::Question, Buttons::YesNo, Answer::Yes) != Answer::Yes)
            return std::nullopt;
        QList<bool> answers;
        for (const Choice& c : choices)
            answers << ((c.changesData ? confirmChange(c.text, title, c.defaultAnswer)
                                       : message(c.text, title, Icon::Question, Buttons::YesNo, c.defaultAnswer)) == Answer::Yes);
        return answers;
    }

    // Conveniences for the shapes used everywhere.
    bool askYesNo(const QString& text, const QString& title = {}, Icon icon = Icon::Question)
    {
        return message(text, title, icon, Buttons::YesNo, Answer::Yes) == Answer::Yes;
    }
    bool askToChange(const QString& text, const QString& title = {}) { return confirmChange(text, title) == Answer::Yes; }
    void critical(const QString& text, const QString& title = {})
    {
        message(text, title, Icon::Critical, Buttons::Ok, Answer::Ok);
    }
};

} // namespace corv
