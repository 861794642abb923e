#include "CodeCommands.h"

#include "taxcode/CodeListChecker.h"
#include "taxcode/FiscalCodeRules.h"

#include <QDate>
#include <QString>
#include <cstdio>
#include <cstring>
#include <string>

namespace corv {

namespace {

int checkCodes(int argc, char* argv[])
{
    const int year = QDate::currentDate().year();
    if (argc <= 2) {
        const taxcode::CodeStreamResult result = taxcode::checkCodeStream(stdin, stdout, year);
        if (result.readFailed)
            std::fputs("Impossibile leggere i codici dall'ingresso standard\n", stderr);
        if (result.writeFailed)
            std::fputs("Impossibile scrivere i risultati sull'uscita standard\n", stderr);
        return result.readFailed || result.writeFailed ? 1 : 0;
    }
    std::string out;
    for (int i = 2; i < argc; ++i) {
        std::string_view code(argv[i]);
        while (!code.empty() && code.front() == ' ')
            code.remove_prefix(1);
        while (!code.empty() && code.back() == ' ')
            code.remove_suffix(1);
        taxcode::appendCodeLine(code, year, out);
        out.push_back('\n');
    }
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        std::fputs("Impossibile scrivere i risultati sull'uscita standard\n", stderr);
        return 1;
    }
    return 0;
}

const char* const kComposeUsage = "Uso: corvutil componi-codice COGNOME NOME SESSO(M/F) DATA(gg/mm/aaaa) COMUNE(es. H501)\n";

int composeCode(int argc, char* argv[])
{
    if (argc != 7) {
        std::fputs(kComposeUsage, stderr);
        return 2;
    }
    const auto arg = [&](int i) { return QString::fromLocal8Bit(argv[i]); };
    const taxcode::ComposedCode result = taxcode::composeFromText(arg(2), arg(3), arg(4), arg(5), arg(6));
    if (!result.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", result.error.toUtf8().constData());
        return 2;
    }
    const QByteArray line = result.code.toUtf8() + '\n';
    if (std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout) != static_cast<std::size_t>(line.size())
        || std::fflush(stdout) != 0) {
        std::fputs("Impossibile scrivere il risultato sull'uscita standard\n", stderr);
        return 1;
    }
    return 0;
}

} // namespace

static bool asksForHelp(int argc, char* argv[])
{
    return argc >= 3 && (std::strcmp(argv[2], "--help") == 0 || std::strcmp(argv[2], "-h") == 0);
}

int runCheckCodes(int argc, char* argv[])
{
    if (asksForHelp(argc, argv)) {
        std::fputs("Uso: corvutil verifica-codici [CODICE ...]\n"
                   "  verifica codici fiscali e partite IVA, dagli argomenti o uno per riga dall'ingresso standard;\n"
                   "  una riga per codice: codice, tipo, esito CF, esito PI, carattere di controllo, dati di nascita\n",
                   stdout);
        return 0;
    }
    return checkCodes(argc, argv);
}

int runComposeCode(int argc, char* argv[])
{
    if (asksForHelp(argc, argv)) {
        std::fputs(kComposeUsage, stdout);
        return 0;
    }
    return composeCode(argc, argv);
}

} // namespace corv
