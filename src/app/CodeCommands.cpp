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
        taxcode::checkCodeStream(stdin, stdout, year);
        return 0;
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
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

int composeCode(int argc, char* argv[])
{
    if (argc != 7) {
        std::fputs("Uso: corvutil componi-codice COGNOME NOME SESSO(M/F) DATA(gg/mm/aaaa) COMUNE(es. H501)\n", stderr);
        return 2;
    }
    const auto arg = [&](int i) { return QString::fromLocal8Bit(argv[i]); };
    const taxcode::ComposedCode result = taxcode::composeFromText(arg(2), arg(3), arg(4), arg(5), arg(6));
    if (!result.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", result.error.toLocal8Bit().constData());
        return 2;
    }
    std::printf("%s\n", result.code.toLatin1().constData());
    return 0;
}

} // namespace

int runCodeCommand(int argc, char* argv[])
{
    if (argc < 2)
        return -1;
    if (std::strcmp(argv[1], "verifica-codici") == 0)
        return checkCodes(argc, argv);
    if (std::strcmp(argv[1], "componi-codice") == 0)
        return composeCode(argc, argv);
    return -1;
}

} // namespace corv
