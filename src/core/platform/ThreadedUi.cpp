#include "platform/ThreadedUi.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace corv {

bool onWindowThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

namespace {

// Runs `work` on the window's thread, waiting for it (a question) or not (a status).
template <typename Work>
void runOnWindowThread(Work&& work, Qt::ConnectionType connection)
{
    if (corv::onWindowThread()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::forward<Work>(work), connection);
}

template <typename Work>
void onWindowThreadWaiting(Work&& work) { runOnWindowThread(std::forward<Work>(work), Qt::BlockingQueuedConnection); }

template <typename Work>
void onWindowThreadLater(Work&& work) { runOnWindowThread(std::forward<Work>(work), Qt::QueuedConnection); }

} // namespace

Ui::Answer ThreadedUi::message(const QString& text, const QString& title, Icon icon, Buttons buttons, Answer defaultAnswer)
{
    Answer answer = defaultAnswer;
    onWindowThreadWaiting([&] { answer = inner_.message(text, title, icon, buttons, defaultAnswer); });
    return answer;
}

Ui::Answer ThreadedUi::confirmChange(const QString& text, const QString& title, Answer defaultAnswer)
{
    Answer answer = defaultAnswer;
    onWindowThreadWaiting([&] { answer = inner_.confirmChange(text, title, defaultAnswer); });
    return answer;
}

std::optional<QList<bool>> ThreadedUi::askChoices(const QString& first, const QList<Choice>& choices, const QString& title)
{
    std::optional<QList<bool>> answers;
    onWindowThreadWaiting([&] { answers = inner_.askChoices(first, choices, title); });
    return answers;
}

std::optional<QString> ThreadedUi::input(const QString& prompt, const QString& title, const QString& defaultText)
{
    std::optional<QString> answer;
    onWindowThreadWaiting([&] { answer = inner_.input(prompt, title, defaultText); });
    return answer;
}

void ThreadedUi::status(const QString& text)
{
    onWindowThreadLater([this, text] { inner_.status(text); });
}

void ThreadedUi::progress(const ProgressState& state)
{
    onWindowThreadLater([this, state] { inner_.progress(state); });
}

void ThreadedUi::beep()
{
    onWindowThreadLater([this] { inner_.beep(); });
}

void ThreadedUi::busy(bool on)
{
    onWindowThreadLater([this, on] { inner_.busy(on); });
}

void ThreadedUi::processEvents()
{
    // A command's own thread has no events to run: the window runs its own.
    if (onWindowThread())
        inner_.processEvents();
}

bool ThreadedUi::openInViewer(const QString& viewer, const QString& path)
{
    bool opened = false;
    onWindowThreadWaiting([&] { opened = inner_.openInViewer(viewer, path); });
    return opened;
}

void ThreadedUi::editLogin(SqlAccessForm& form)
{
    onWindowThreadWaiting([&] { inner_.editLogin(form); });
}

QString ThreadedUi::showList(const Rs2ListResult& list)
{
    QString chosen;
    onWindowThreadWaiting([&] { chosen = inner_.showList(list); });
    return chosen;
}

std::optional<FolderChoice> ThreadedUi::chooseFolder(FolderChooser& chooser)
{
    std::optional<FolderChoice> choice;
    onWindowThreadWaiting([&] { choice = inner_.chooseFolder(chooser); });
    return choice;
}

bool ThreadedUi::showForm(AppContext& ctx, const FormRequest& request)
{
    bool shown = false;
    onWindowThreadWaiting([&] { shown = inner_.showForm(ctx, request); });
    return shown;
}

std::optional<QString> ThreadedUi::chooseFile(const FileRequest& request)
{
    std::optional<QString> chosen;
    onWindowThreadWaiting([&] { chosen = inner_.chooseFile(request); });
    return chosen;
}

} // namespace corv
