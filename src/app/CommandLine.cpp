#include "CommandLine.h"

#include "ItalianOptions.h"
#include "Subcommands.h"

#include <QCommandLineParser>

namespace corv {

CommandLine CommandLine::parse(const QStringList& arguments)
{
    CommandLine options;
    QCommandLineParser parser;
    const QCommandLineOption home(QStringLiteral("home"), {}, QStringLiteral("DIR"));
    const QCommandLineOption createDemo(QStringLiteral("create-demo"), {}, QStringLiteral("DIR"));
    const QCommandLineOption command(QStringLiteral("comando"), {}, QStringLiteral("NOME"));
    const QCommandLineOption large(QStringLiteral("large"));
    const QCommandLineOption batch(QStringLiteral("batch"));
    const QCommandLineOption exitAfterStart(QStringLiteral("exit-after-start"));
    const QCommandLineOption help = helpOption();
    const QCommandLineOption version(QStringLiteral("version"));
    options.error = parseOptions(parser, arguments, {home, createDemo, command, large, batch, exitAfterStart, help, version});
    if (!options.error.isEmpty())
        return options;
    if (!parser.positionalArguments().isEmpty()) {
        options.error = QStringLiteral("Argomento non riconosciuto : ") + parser.positionalArguments().first();
        return options;
    }
    options.home = parser.isSet(home) ? parser.value(home) : qEnvironmentVariable("CORVUTIL_HOME");
    options.createDemo = parser.value(createDemo);
    options.command = parser.value(command);
    options.large = parser.isSet(large);
    options.batch = parser.isSet(batch);
    options.exitAfterStart = parser.isSet(exitAfterStart);
    options.help = parser.isSet(help);
    options.version = parser.isSet(version);
    if (parser.isSet(home) && options.home.isEmpty())
        options.error = QStringLiteral("Manca il valore dopo --home");
    else if (parser.isSet(createDemo) && options.createDemo.isEmpty())
        options.error = QStringLiteral("Manca il valore dopo --create-demo");
    return options;
}

QString CommandLine::usage()
{
    return QStringLiteral(
        "Uso: corvutil [opzioni]\n"
        "  --home DIR           cartella delle impostazioni e dei dati (anche CORVUTIL_HOME)\n"
        "  --create-demo DIR    crea un'installazione dimostrativa in DIR ed esce\n"
        "  --large              con --create-demo: l'installazione grande delle misure (100.000 clienti e fornitori)\n"
        "  --batch              nessuna finestra di dialogo: messaggi su stderr, risposte predefinite (No a ogni modifica)\n"
        "  --comando NOME       esegue il comando della console NOME (es. Cmd_ArLeggi) appena aperta, poi chiude\n"
        "  --exit-after-start   chiude la console appena aperta (prove di avvio)\n"
        "  --version            mostra la release\n"
        "  --help               mostra questo aiuto\n"
        "\n") + subcommandsHelp();
}

} // namespace corv
