#include "KeysHelp.h"

#include "ConsoleTab.h"
#include "console/ConsoleCommands.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace corv {

namespace {

QString row(const QString& keys, const QString& what)
{
    return QStringLiteral("<tr><td width='28%' style='padding-right:16px'><b>") + keys.toHtmlEscaped() + QStringLiteral("</b></td><td>") + what.toHtmlEscaped()
           + QStringLiteral("</td></tr>");
}

QString section(const QString& title) { return QStringLiteral("<tr><td colspan='2'><h3>") + title.toHtmlEscaped() + QStringLiteral("</h3></td></tr>"); }

} // namespace

KeysHelp::KeysHelp(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("F_Aiuto"));
    setWindowTitle(QStringLiteral("Tasti di corvutil"));
    html_ = QStringLiteral("<table width='100%'>");
    html_ += section(QStringLiteral("Console"));
    html_ += row(QStringLiteral("F1"), QStringLiteral("Questo elenco dei tasti"));
    html_ += row(QStringLiteral("Esc"), QStringLiteral("Interrompe il comando in corso (ciò che ha già salvato resta)"));
    html_ += row(QStringLiteral("Doppio click"), QStringLiteral("Sulle righe di Codici IVA, Causali e Cli/For: i documenti della riga"));
    html_ += row(QStringLiteral("Click sull'intestazione"), QStringLiteral("Ordina l'elenco per quella colonna (di nuovo: al contrario)"));
    html_ += row(QStringLiteral("Click destro"), QStringLiteral("Su un elenco: le sue righe in un file; su alcuni pulsanti: il loro secondo comando"));
    const QString tabs[] = {QStringLiteral("Scheda Ardea"), QStringLiteral("Scheda Nembo"), QStringLiteral("Scheda Corvina")};
    for (int tab = 0; tab < ConsoleState::TabCount; ++tab) {
        html_ += section(tabs[tab]);
        int place = 0;
        for (const ConsoleCommand& command : consoleCommands()) {
            if (command.tab != tab)
                continue;
            const QString tip = command.toolTip.isEmpty() ? QString() : QStringLiteral(" - ") + QString(command.toolTip).replace(QLatin1Char('\n'), QLatin1Char(' '));
            html_ += row(consoleButtonKeys(place++).toString(QKeySequence::NativeText), command.caption + tip);
        }
    }
    html_ += section(QStringLiteral("Finestra dei report"));
    html_ += row(QStringLiteral("Ctrl+F, F3"), QStringLiteral("Trova, trova successivo"));
    html_ += row(QStringLiteral("Ctrl+G"), QStringLiteral("Vai alla riga"));
    html_ += row(QStringLiteral("Ctrl+P"), QStringLiteral("Stampa"));
    html_ += row(QStringLiteral("Ctrl+Maiusc+P"), QStringLiteral("Il report in un file PDF"));
    html_ += row(QStringLiteral("Ctrl+E"), QStringLiteral("Apri con il visualizzatore esterno"));
    html_ += row(QStringLiteral("Esc"), QStringLiteral("Chiude"));
    html_ += section(QStringLiteral("Finestre dei record"));
    html_ += row(QStringLiteral("Ctrl+C"), QStringLiteral("Copia le righe scelte di un elenco, come sono"));
    html_ += row(QStringLiteral("Ctrl+Canc, Maiusc+F11, Maiusc+F12"), QStringLiteral("Elimina, salva e nuovo, salva (dove la finestra ha un archivio)"));
    html_ += QStringLiteral("</table>");
    auto* browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("Txt_Tasti"));
    browser->setHtml(html_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser);
    layout->addWidget(buttons);
    resize(720, 640);
}

QString KeysHelp::text() const
{
    QTextDocument document;
    document.setHtml(html_);
    return document.toPlainText();
}

} // namespace corv
