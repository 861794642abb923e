// The print engine's line interpreter under libFuzzer: any bytes as the
// lines of a print job (command words, escapes, control characters, invalid
// UTF-8, absurd lengths) and as a report fed to the reprint feeder, on a
// recording printer. Every job must end, never with more pages than its
// text lines plus its ejects plus one.
#include "RecordingPrinter.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "print/PrintEngine.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

using namespace corv;

namespace {

// One engine on a portrait profile, one on a landscape one: loaded once, as
// profile loading writes its files.
struct Printer {
    QTemporaryDir dir;
    IniFile settings{dir.filePath(QStringLiteral("TLX_PRT.INI"))};
    test::RecordingPrinter printer;
    PrintEngine engine{printer, settings, dir.filePath(QStringLiteral("prt-ini.log"))};
    explicit Printer(bool landscape)
    {
        engine.startUp();
        settings.write(QStringLiteral("Laser Ufficio,LPT1:"), QStringLiteral("Landscape"), landscape ? QStringLiteral("1") : QStringLiteral("0"));
        engine.loadProfile(QStringLiteral("0"));
    }
};

struct Setup {
    int argc = 1;
    char name[8] = "fuzz";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
    Printer portrait{false};
    Printer landscape{true};
};

bool counted(const QString& line)
{
    for (const char* word : {"STOP", "LOGO", "BREK", "PAGE", "EJEC"}) {
        if (line == QLatin1String(word))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Setup setup;
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const std::uint8_t mode = data[0];
    Printer& chosen = (mode & 2) ? setup.landscape : setup.portrait;
    test::RecordingPrinter& printer = chosen.printer;
    PrintEngine& engine = chosen.engine;
    printer.pages = 0;
    printer.events.clear();
    printer.heightOfText = (mode & 4) ? 0 : 1.5; // a height of 0 must not divide by zero
    if (mode & 2)
        engine.armLandscape();
    long lines = 0, ejects = 0;
    if (mode & 1) {
        // The reprint feeder over the bytes as a report file.
        QFile file(chosen.dir.filePath(QStringLiteral("report.txt")));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
        file.close();
        for (const QByteArray& raw : bytes.split('\n')) {
            const QString line = decodeText(raw);
            lines += counted(line);
            ejects += 1 + line.startsWith(QLatin1String("INIT")); // the feeder's own ejects at most one a line
        }
        engine.printFile(file.fileName());
    } else {
        for (const QByteArray& raw : bytes.split('\n')) {
            const QString line = decodeText(raw);
            lines += counted(line);
            ejects += line == QLatin1String("EJEC") || line.startsWith(QLatin1String("INIT"));
            engine.line(line);
        }
        engine.line(QStringLiteral("STOP"));
    }
    if (printer.pages > lines + ejects + 1)
        std::abort();
    if (engine.usableRows() < 1 || !(engine.lineStep() > 0))
        std::abort();
    return 0;
}
