#include "CommandLine.h"

namespace corv {

CommandLine CommandLine::parse(const QStringList& arguments)
{
    CommandLine options;
    options.home = qEnvironmentVariable("CORVUTIL_HOME");
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        const auto value = [&](QString& target) {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty()) {
                options.error = QStringLiteral("Manca la cartella dopo ") + arg;
                return;
            }
            target = arguments[++i];
        };
        if (arg == QLatin1String("--home"))
            value(options.home);
        else if (arg.startsWith(QLatin1String("--home=")))
            options.home = arg.mid(7);
        else if (arg == QLatin1String("--create-demo"))
            value(options.createDemo);
        else if (arg == QLatin1String("--large"))
            options.large = true;
        else if (arg == QLatin1String("--batch"))
            options.batch = true;
        else if (arg == QLatin1String("--exit-after-start"))
            options.exitAfterStart = true;
        else if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            options.help = true;
        else if (arg == QLatin1String("--version"))
            options.version = true;
        else
            options.error = QStringLiteral("Argomento non riconosciuto : ") + arg;
        if (!options.error.isEmpty())
            break;
    }
    return options;
}

QString CommandLine::usage()
{
    return QStringLiteral(
        "Uso: corvutil [opzioni]\n"
        "  --home DIR           cartella delle impostazioni e dei dati (anche CORVUTIL_HOME)\n"
        "  --create-demo DIR    crea un'installazione dimostrativa in DIR ed esce\n"
        "  --large              con --create-demo: l'installazione grande delle misure (100.000 clienti e fornitori)\n"
        "  --batch              nessuna finestra di dialogo: messaggi su stderr, risposte predefinite\n"
        "  --exit-after-start   chiude la console appena aperta (prove di avvio)\n"
        "  --version            mostra la release\n"
        "  --help               mostra questo aiuto\n"
        "\n"
        "       corvutil verifica-codici [CODICE ...]\n"
        "  verifica codici fiscali e partite IVA (dagli argomenti, o uno per riga da stdin)\n"
        "       corvutil componi-codice COGNOME NOME SESSO DATA COMUNE\n"
        "  compone il codice fiscale (SESSO M/F, DATA gg/mm/aaaa, COMUNE es. H501)\n");
}

} // namespace corv
