#include "ScriptedUi.h"

#include "ardea/SqlAccessForm.h"
#include "listview/Rs2List.h"

#include <gtest/gtest.h>

namespace corv::test {

ScriptedUi::~ScriptedUi()
{
    for (const Step& step : steps_)
        ADD_FAILURE() << "expected " << kindName(step.kind) << " never came: " << step.expected.toStdString();
}

const char* ScriptedUi::kindName(Step::Kind kind)
{
    switch (kind) {
    case Step::Message: return "message";
    case Step::Input: return "input box";
    case Step::Login: return "login window";
    case Step::List: return "list";
    case Step::Folder: return "folder chooser";
    case Step::File: return "file dialog";
    }
    return "?";
}

ScriptedUi& ScriptedUi::expectMessage(const QString& text, Answer answer)
{
    steps_.push_back({Step::Message, text, answer, std::nullopt, {}, {}});
    return *this;
}

ScriptedUi& ScriptedUi::expectInput(const QString& prompt, std::optional<QString> answer)
{
    steps_.push_back({Step::Input, prompt, Answer::Ok, std::move(answer), {}, {}});
    return *this;
}

ScriptedUi& ScriptedUi::expectLogin(std::function<void(SqlAccessForm&)> action)
{
    steps_.push_back({Step::Login, QStringLiteral("F_SQLAccess"), Answer::Ok, std::nullopt, std::move(action), {}});
    return *this;
}

ScriptedUi& ScriptedUi::expectList(const QString& caption, std::function<std::optional<QString>(const QStringList&)> chosen)
{
    steps_.push_back({Step::List, caption, Answer::Ok, std::nullopt, {}, std::move(chosen)});
    return *this;
}

ScriptedUi& ScriptedUi::expectFolder(std::function<std::optional<FolderChoice>(FolderChooser&)> action)
{
    Step step{Step::Folder, QStringLiteral("F_Fold"), Answer::Ok, std::nullopt, {}, {}};
    step.folder = std::move(action);
    steps_.push_back(std::move(step));
    return *this;
}

ScriptedUi& ScriptedUi::expectFile(const QString& title, std::function<std::optional<QString>(const FileRequest&)> chosen)
{
    Step step{Step::File, title, Answer::Ok, std::nullopt, {}, {}};
    step.file = std::move(chosen);
    steps_.push_back(std::move(step));
    return *this;
}

std::optional<QString> ScriptedUi::chooseFile(const FileRequest& request)
{
    fileRequests.push_back(request);
    Step step;
    if (!take(Step::File, request.title, step) || !step.file)
        return std::nullopt;
    return step.file(request);
}

std::optional<FolderChoice> ScriptedUi::chooseFolder(FolderChooser& chooser)
{
    Step step;
    if (!take(Step::Folder, QStringLiteral("F_Fold"), step) || !step.folder)
        return std::nullopt;
    return step.folder(chooser);
}

QString ScriptedUi::showList(const Rs2ListResult& list)
{
    listsShown << list.caption;
    Step step;
    if (!take(Step::List, list.caption, step) || !step.chosen)
        return {};
    return step.chosen(list.lines).value_or(QString());
}

bool ScriptedUi::take(Step::Kind kind, const QString& shown, Step& step)
{
    if (steps_.empty()) {
        ADD_FAILURE() << "unexpected " << kindName(kind) << ": " << shown.toStdString();
        return false;
    }
    step = steps_.front();
    steps_.pop_front();
    if (step.kind != kind || !shown.contains(step.expected)) {
        ADD_FAILURE() << "expected " << kindName(step.kind) << " with \"" << step.expected.toStdString()
                      << "\", got " << kindName(kind) << ": " << shown.toStdString();
        return false;
    }
    return true;
}

Ui::Answer ScriptedUi::message(const QString& text, const QString& title, Icon icon, Buttons buttons,
                               Answer)
{
    said.push_back({title, text, icon});
    Step step;
    if (!take(Step::Message, text, step))
        return buttons == Buttons::Ok ? Answer::Ok : (buttons == Buttons::YesNo ? Answer::No : Answer::Cancel);
    return step.answer;
}

std::optional<QString> ScriptedUi::input(const QString& prompt, const QString&, const QString& defaultText)
{
    prompts << prompt;
    inputDefaults << defaultText;
    Step step;
    if (!take(Step::Input, prompt, step))
        return std::nullopt;
    return step.text;
}

bool ScriptedUi::openInViewer(const QString& viewer, const QString& path)
{
    opened << viewer + QLatin1Char('|') + path;
    return true;
}

void ScriptedUi::editLogin(SqlAccessForm& form)
{
    Step step;
    if (take(Step::Login, QStringLiteral("F_SQLAccess"), step) && step.login)
        step.login(form);
    else
        form.abandon();
}

} // namespace corv::test
