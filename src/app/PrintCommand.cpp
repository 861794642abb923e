#include "PrintCommand.h"

#include "ItalianOptions.h"
#include "QtPrinterDevice.h"
#include "platform/AppPaths.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <cstring>

namespace corv {

namespace {

constexpr int kNothingPrinted = 1;
constexpr int kWrongArguments = 2;

QString usage()
{
    return QStringLiteral("Uso: corvutil stampa FILE [--pdf FILE.pdf] [--home DIR]\n"
                          "  stampa un report sulla stampante predefinita di TLX_PRT.INI, o nel file PDF indicato\n"
                          "  (la stampante \"PDF corvutil\" scrive il PDF accanto al report); stampa il percorso del PDF scritto\n");
}

int print(const QString& file, const QString& pdf, const QString& home)
{
    QTextStream err(stderr);
    const AppPaths paths = home.isEmpty() ? AppPaths::standard() : AppPaths::forHome(home);
    if (!paths.ensure()) {
        err << "Impossibile creare la cartella dei dati : " << paths.dataDir << Qt::endl;
        return kNothingPrinted;
    }
    const QFileInfo info(file);
    if (!info.isFile()) {
        err << "File da stampare non trovato : " << file << Qt::endl;
        return kNothingPrinted;
    }
    if (info.size() == 0) {
        err << "File vuoto, nulla da stampare : " << file << Qt::endl;
        return kNothingPrinted;
    }
    ReportPrint printed;
    QString error;
    if (!printReportFile(paths, info.absoluteFilePath(), pdf, printed, &error)) {
        err << error << Qt::endl;
        return kNothingPrinted;
    }
    if (!printed.settingsError.isEmpty())
        err << "Impostazioni di stampa non salvate : " << printed.settingsError << Qt::endl;
    QTextStream out(stdout);
    if (!printed.pdfWritten.isEmpty())
        out << QDir::toNativeSeparators(printed.pdfWritten) << Qt::endl;
    out.flush();
    return out.status() == QTextStream::Ok ? 0 : kNothingPrinted;
}

} // namespace

int runPrintCommand(int argc, char* argv[])
{
    // Fonts and printers need the GUI library, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvutil"));
    QCommandLineParser parser;
    const QCommandLineOption home(QStringLiteral("home"), {}, QStringLiteral("DIR"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), {}, QStringLiteral("FILE"));
    const QCommandLineOption help = helpOption();
    const QStringList arguments = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (const QString error = parseOptions(parser, arguments.mid(0, 1) + arguments.mid(2), {home, pdf, help}); !error.isEmpty()) {
        err << error << "\n" << usage();
        return kWrongArguments;
    }
    if (parser.isSet(help)) {
        QTextStream(stdout) << usage();
        return 0;
    }
    if (parser.positionalArguments().size() != 1) {
        err << usage();
        return kWrongArguments;
    }
    if (parser.isSet(pdf) && parser.value(pdf).trimmed().isEmpty()) {
        err << "Manca il nome del file PDF\n" << usage();
        return kWrongArguments;
    }
    return print(parser.positionalArguments().first(), parser.value(pdf), parser.isSet(home) ? parser.value(home) : qEnvironmentVariable("CORVUTIL_HOME"));
}

} // namespace corv
