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
    const auto fixed = [this](const QString& title, std::initializer_list<std::pair<const char*, const char*>> keys) {
        html_ += section(title);
        for (const auto& [key, text] : keys)
            html_ += row(QString::fromUtf8(key), QString::fromUtf8(text));
    };
    fixed(QStringLiteral("Console"),
          {{"F1", "Questo elenco dei tasti"},
           {"Esc", "Interrompe il comando in corso (ciò che ha già salvato resta)"},
           {"Doppio click", "Sulle righe di Codici IVA, Causali e Cli/For: i documenti della riga"},
           {"Click sull'intestazione", "Ordina l'elenco per quella colonna (di nuovo: al contrario)"},
           {"Click destro", "Su un elenco: le sue righe in un file; su alcuni pulsanti: il loro secondo comando"}});
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
    fixed(QStringLiteral("Finestra dei report"), {{"Ctrl+F, F3", "Trova, trova successivo"},
                                                  {"Ctrl+G", "Vai alla riga"},
                                                  {"Ctrl+P", "Stampa"},
                                                  {"Ctrl+Maiusc+P", "Il report in un file PDF"},
                                                  {"Ctrl+E", "Apri con il visualizzatore esterno"},
                                                  {"Esc", "Chiude"}});
    fixed(QStringLiteral("Finestre dei record"),
          {{"Ctrl+C", "Copia le righe scelte di un elenco, come sono"},
           {"Ctrl+Canc, Maiusc+F11, Maiusc+F12", "Elimina, salva e nuovo, salva (dove la finestra ha un archivio)"}});
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
