// The town database rebuilt from a LOCALITA.TXT of 100,000 lines, in a process
// of its own (timed whole by scripts/bench/towns.sh):  town_bench FOLDER [prepare]
// Prints "righe N", the towns written.
// "prepare" writes the two text files into FOLDER (scripts/bench/towns.sh runs
// awk over the same file beside the rebuild).
#include "BenchSupport.h"
#include "taxcode/TownDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstring>

using namespace corv;

// Ten times the towns of a country: enough that the rebuild, not the
// program's start, is what the clock measures.
constexpr int kTowns = 100000;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "Uso: town_bench CARTELLA [prepare]\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (argc > 2 && std::strcmp(argv[2], "prepare") == 0) {
        QFile towns(folder.filePath(QStringLiteral("LOCALITA.TXT"))), nations(folder.filePath(QStringLiteral("NAZIONI.TXT")));
        if (!towns.open(QIODevice::WriteOnly) || !nations.open(QIODevice::WriteOnly))
            return 1;
        for (int i = 0; i < kTowns; ++i) {
            const QString code = QStringLiteral("%1%2").arg(QChar(u'A' + i / 10000)).arg(i % 10000, 4, 10, QLatin1Char('0'));
            towns.write(QStringLiteral("%1|x|x|%2|COMUNE NUMERO %3|PR|N|x|x|x|%4|%1\r\n").arg(code).arg(10000 + i).arg(i).arg(100000 + i).toLatin1());
        }
        for (int i = 0; i < 200; ++i)
            nations.write(QStringLiteral("Z%1|COMUNE NUMERO %2|X%3\r\n").arg(i, 3, 10, QLatin1Char('0')).arg(i * 7).arg(i).toLatin1());
        return towns.flush() && nations.flush() ? 0 : 1;
    }
    const QString database = folder.filePath(QStringLiteral("LOCALITA.sqlite"));
    QFile::remove(database);
    if (!towns::createDatabase(database))
        return 1;
    const towns::RebuildResult result = towns::rebuild(database, folder.filePath(QStringLiteral("LOCALITA.TXT")),
                                                       folder.filePath(QStringLiteral("NAZIONI.TXT")), [](const QString&) {});
    if (!result.ok)
        return 1;
    return printRows(result.towns);
}
