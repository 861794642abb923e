#include "Subcommands.h"

#include "CodeCommands.h"
#include "CompareCommand.h"
#include "PrintCommand.h"
#include "UnattendedCommand.h"

#include <cstring>

namespace corv {

const std::vector<Subcommand>& subcommands()
{
    static const std::vector<Subcommand> table = {
        {"confronta", "corvutil confronta [--home DIR] [--azienda CODICE] [--anno AAAA] [--dal gg/mm/aaaa] [--al gg/mm/aaaa] [--fonti ...]",
         "confronta i totali IVA per Cli/For di Ardea, Corvina (e Nembo)", runCompareCommand},
        {"esegui", "corvutil esegui [--home DIR] [opzioni] COMANDO [COMANDO ...]",
         "esegue i comandi della console in ordine, senza finestre (l'elenco con --elenco)", runUnattendedCommand},
        {"stampa", "corvutil stampa FILE [--pdf FILE.pdf] [--home DIR]", "stampa un report sulla stampante predefinita o in un file PDF",
         runPrintCommand},
        {"verifica-codici", "corvutil verifica-codici [CODICE ...]",
         "verifica codici fiscali e partite IVA (dagli argomenti, o uno per riga da stdin)", runCheckCodes},
        {"componi-codice", "corvutil componi-codice COGNOME NOME SESSO DATA COMUNE",
         "compone il codice fiscale (SESSO M/F, DATA gg/mm/aaaa, COMUNE es. H501)", runComposeCode},
    };
    return table;
}

const Subcommand* findSubcommand(int argc, char* argv[])
{
    if (argc < 2)
        return nullptr;
    for (const Subcommand& command : subcommands()) {
        if (std::strcmp(argv[1], command.name) == 0)
            return &command;
    }
    return nullptr;
}

QString subcommandsHelp()
{
    QString text = QStringLiteral("Comandi senza finestra (ognuno con il proprio --help):\n");
    for (const Subcommand& command : subcommands())
        text += QStringLiteral("  ") + QString::fromUtf8(command.synopsis) + QStringLiteral("\n      ") + QString::fromUtf8(command.summary)
                + QLatin1Char('\n');
    return text;
}

} // namespace corv
