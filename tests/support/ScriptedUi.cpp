#include "ScriptedUi.h"

#include "ardea/SqlAccessForm.h"
#include "listview/Rs2List.h"

#include <gtest/gtest.h>

namespace corv::test {

namespace {
const char* const kKindNames[] = {"message", "input box", "login window", "list", "folder chooser", "file dialog"};
} // namespace

ScriptedUi::~ScriptedUi()
{
    for (const Step& step : steps_)
        ADD_FAILURE() << "expected " << kKindNames[step.kind] << " never came: " << step.expected.toStdString();
}

ScriptedUi& ScriptedUi::push(Step step)
{
    steps_.push_back(std::move(step));
    return *this;
}

ScriptedUi& ScriptedUi::expectMessage(const QString& text, Answer answer) { return push({Step::Message, text, answer, std::nullopt, {}}); }

ScriptedUi& ScriptedUi::expectInput(const QString& prompt, std::optional<QString> answer)
{
    return push({Step::Input, prompt, Answer::Ok, std::move(answer), {}});
}

ScriptedUi& ScriptedUi::expectLogin(std::function<void(SqlAccessForm&)> action)
{
    return push({Step::Login, QStringLiteral("F_SQLAccess"), Answer::Ok, std::nullopt, std::move(action)});
}

ScriptedUi& ScriptedUi::expectList(const QString& caption, std::function<std::optional<QString>(const QStringList&)> chosen)
{
    return push({Step::List, caption, Answer::Ok, std::nullopt, std::move(chosen)});
}

ScriptedUi& ScriptedUi::expectFolder(std::function<std::optional<FolderChoice>(FolderChooser&)> action)
{
    return push({Step::Folder, QStringLiteral("F_Fold"), Answer::Ok, std::nullopt, std::move(action)});
}

ScriptedUi& ScriptedUi::expectFile(const QString& title, std::function<std::optional<QString>(const FileRequest&)> chosen)
{
    return push({Step::File, title, Answer::Ok, std::nullopt, std::move(chosen)});
}

std::optional<QString> ScriptedUi::chooseFile(const FileRequest& request)
{
    fileRequests.push_back(request);
    const auto chosen = takeHandler<std::function<std::optional<QString>(const FileRequest&)>>(Step::File, request.title);
    return chosen ? chosen(request) : std::nullopt;
}

std::optional<FolderChoice> ScriptedUi::chooseFolder(FolderChooser& chooser)
{
    const auto action = takeHandler<std::function<std::optional<FolderChoice>(FolderChooser&)>>(Step::Folder, QStringLiteral("F_Fold"));
    return action ? action(chooser) : std::nullopt;
}

QString ScriptedUi::showList(const Rs2ListResult& list)
{
    listsShown << list.caption;
    const auto chosen = takeHandler<std::function<std::optional<QString>(const QStringList&)>>(Step::List, list.caption);
    return chosen ? chosen(list.lines).value_or(QString()) : QString();
}

void ScriptedUi::editLogin(SqlAccessForm& form)
{
    const auto action = takeHandler<std::function<void(SqlAccessForm&)>>(Step::Login, QStringLiteral("F_SQLAccess"));
    action ? action(form) : form.abandon();
}

bool ScriptedUi::take(Step::Kind kind, const QString& shown, Step& step)
{
    if (steps_.empty()) {
        ADD_FAILURE() << "unexpected " << kKindNames[kind] << ": " << shown.toStdString();
        return false;
    }
    step = steps_.front();
    steps_.pop_front();
    if (step.kind != kind || !shown.contains(step.expected)) {
        ADD_FAILURE() << "expected " << kKindNames[step.kind] << " with \"" << step.expected.toStdString() << "\", got "
                      << kKindNames[kind] << ": " << shown.toStdString();
        return false;
    }
    return true;
}

Ui::Answer ScriptedUi::message(const QString& text, const QString& title, Icon icon, Buttons buttons, Answer)
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
    return take(Step::Input, prompt, step) ? step.text : std::nullopt;
}

bool ScriptedUi::openInViewer(const QString& viewer, const QString& path)
{
    opened << viewer + QLatin1Char('|') + path;
    return true;
}

} // namespace corv::test
