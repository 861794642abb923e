#include "console/BatchUi.h"

#include "forms/FolderChooser.h"

#include "ardea/SqlAccessForm.h"
#include "listview/Rs2List.h"

#include <QCoreApplication>
#include <cstdio>

namespace corv {

namespace {
// A message on one line, as stderr and the run log take it.
QString oneLine(QString text) { return text.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\r'), QLatin1Char(' ')); }
} // namespace

BatchUi::BatchUi() : err_(stderr) {}

Ui::Answer BatchUi::message(const QString& text, const QString& title, Icon, Buttons,
                            Answer defaultAnswer)
{
    const QString flat = oneLine(text);
    err_ << (title.isEmpty() ? QString() : title + QLatin1String(": ")) << flat << Qt::endl;
    logAnswer(flat, defaultAnswer);
    return defaultAnswer;
}

void BatchUi::logAnswer(const QString& question, Answer answer) const
{
    if (!answerLog_)
        return;
    static const char* const names[] = {"OK", "Annulla", "Sì", "No"};
    const int index = static_cast<int>(answer);
    answerLog_(QStringLiteral("Risposta senza utente : ") + question + QStringLiteral(" -> ")
               + (index >= 0 && index < 4 ? QString::fromUtf8(names[index]) : QString::number(index)));
}

Ui::Answer BatchUi::confirmChange(const QString& text, const QString& title, Answer defaultAnswer)
{
    if (confirmChanges_)
        return message(text, title, Icon::Question, Buttons::YesNo, Answer::Yes);
    Q_UNUSED(defaultAnswer);
    // Nobody asked: nothing is changed, and the run says what it did not do.
    const QString flat = oneLine(text);
    err_ << (title.isEmpty() ? QString() : title + QLatin1String(": ")) << flat << QLatin1String(" -> No : modifica NON eseguita senza conferma esplicita")
         << Qt::endl;
    ++skippedChanges_;
    logAnswer(flat, Answer::No);
    return Answer::No;
}

std::optional<QString> BatchUi::input(const QString& prompt, const QString& title,
                                      const QString& defaultText)
{
    err_ << title << QLatin1String(": ") << prompt << QLatin1String(" -> ") << defaultText << Qt::endl;
    if (answerLog_) {
        answerLog_(QStringLiteral("Risposta senza utente : ") + oneLine(prompt) + QStringLiteral(" -> \"") + defaultText + QLatin1Char('"'));
    }
    return defaultText;
}

void BatchUi::processEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

std::optional<FolderChoice> BatchUi::chooseFolder(FolderChooser&)
{
    err_ << QLatin1String("Scelta della cartella: nessuno può sceglierla in modalità non interattiva") << Qt::endl;
    return std::nullopt;
}

bool BatchUi::showForm(AppContext&, const FormRequest&)
{
    err_ << QLatin1String("Finestra non disponibile in modalità non interattiva") << Qt::endl;
    return false;
}

bool BatchUi::openInViewer(const QString&, const QString& path)
{
    err_ << QLatin1String("Report: ") << path << Qt::endl;
    return true;
}

// Nobody to choose a line: the list is written out and nothing is chosen.
QString BatchUi::showList(const Rs2ListResult& list)
{
    err_ << list.caption << QLatin1String(" (") << list.lines.size() << QLatin1String(" righe)") << Qt::endl;
    for (const QString& line : list.lines)
        err_ << line << Qt::endl;
    return {};
}

void BatchUi::editLogin(SqlAccessForm& form)
{
    err_ << QLatin1String("Accesso SQL Server richiesto: abbandono (modalità non interattiva)") << Qt::endl;
    form.abandon();
}

} // namespace corv
