#include "print/PrintEngine.h"

#include "platform/FileReplace.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "report/ReportFile.h"
#include "settings/SettingsKeys.h"

#include <QFile>
#include <algorithm>
#include <cmath>

namespace corv {

namespace {

const QChar kEscape(27);
const QString kSample = QStringLiteral("Ttp;^Ç#]@?\"");

// The twelve values of a printer section with the plain settings: the page
// and colour as given, margins of 2 rows, Courier New at 12, 7 and 6 points.
QStringList plainProfile(const QString& length = QStringLiteral("66"), const QString& width = QStringLiteral("80"),
                         const QString& colour = QStringLiteral("0"))
{
    return {length, width, QStringLiteral("0"), colour, QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("Courier New"), QStringLiteral("12"),
            QStringLiteral("Courier New"), QStringLiteral("7"), QStringLiteral("Courier New"), QStringLiteral("6")};
}

double clampSize(double size, double fallback) { return size >= 1 && size <= 72 ? size : fallback; }

// Whole numbers of the profile are 16-bit integers; anything else (1e308, a
// NaN) never reaches an int conversion.
bool fitsProfileInteger(double value) { return std::isfinite(value) && value >= -32768 && value <= 32767; }

bool isCommandWord(const QString& line)
{
    return line.startsWith(QLatin1String("INIT")) || line == QLatin1String("EJEC") || line == QLatin1String("PAGE") || line == QLatin1String("STOP")
           || line == QLatin1String("LOGO") || line == QLatin1String("BREK");
}

// Whether a text line puts anything on paper: something besides blanks,
// control characters and font escapes.
bool hasInk(const QString& line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == kEscape)
            ++i; // the escape's code
        else if (line[i].unicode() > 0x20 && !line[i].isSpace())
            return true;
    }
    return false;
}

// A text field of the platform: trailing blanks and NULs dropped.
QString cleaned(QString text)
{
    while (!text.isEmpty() && (text.back() == QLatin1Char(' ') || text.back() == QChar(0)))
        text.chop(1);
    return text;
}

} // namespace

PrintEngine::PrintEngine(PrinterDevice& device, IniFile& settings, QString dumpPath, std::function<void(const QString&)> log)
    : device_(device), settings_(settings), dumpPath_(std::move(dumpPath)), log_(std::move(log))
{
}

bool PrintEngine::generic() const { return (printer_.device + printer_.driver).toUpper().contains(QLatin1String("GENER")); }

void PrintEngine::startUp()
{
    lineStep_ = 1.0;
    defaultPrinter_ = device_.defaultPrinter();
    // The file is made at start-up for other settings too: its printers are
    // missing when no default printer is named in it.
    if (settings_.read(keys::kPrinterInUse).trimmed().isEmpty())
        regenerate(false);
    loadProfile(QStringLiteral("0"));
}

int PrintEngine::clampedUsable(int rows)
{
    int usable = rows - profile_.top - profile_.bottom;
    if (usable < 1) {
        // Margins that leave no rows would eject a page per line.
        if (log_)
            log_(QStringLiteral("Stampante %1 : margini %2 + %3 oltre le %4 righe della pagina, ridotti a 0")
                     .arg(profile_.name).arg(profile_.top).arg(profile_.bottom).arg(rows));
        profile_.top = 0;
        profile_.bottom = 0;
        usable = std::max(rows, 1);
    }
    return usable;
}

PrinterProfile PrintEngine::loadProfile(const QString& specification)
{
    QString name = specification.trimmed();
    if (name.isEmpty() || name == QLatin1String("0"))
        name = settings_.read(keys::kPrinterInUse).left(256);
    const QChar separator = name.contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(',');
    const qsizetype at = name.indexOf(separator);
    const QString device = cleaned(at < 0 ? name : name.left(at)).trimmed();
    const QString port = cleaned(at < 0 ? QString() : name.mid(at + 1));
    PrinterProfile p;
    p.name = name;
    for (const PrinterInfo& printer : device_.printers()) {
        if (printer.device == device && printer.port == port) {
            printer_ = printer;
            device_.select(printer);
            p.driver = printer.driver;
            p.device = printer.device;
            p.port = printer.port;
            break;
        }
    }
    const QString section = device + QLatin1Char(',') + port;
    if (!settings_.hasSection(section)) {
        writeSection(section, plainProfile());
    }
    const auto number = [&](const char* key, const char* fallback = "") {
        return settings_.read(section, QLatin1String(key), QLatin1String(fallback)).trimmed().toDouble();
    };
    // A whole number out of any reason is taken as the plain value, and said.
    const auto integer = [&](const char* key, int plain, const char* fallback = "") {
        const double value = number(key, fallback);
        if (fitsProfileInteger(value))
            return static_cast<int>(value);
        if (log_)
            log_(QStringLiteral("Stampante %1 : %2=%3 fuori misura, letto come %4")
                     .arg(section, QLatin1String(key), settings_.read(section, QLatin1String(key)).trimmed().left(40))
                     .arg(plain));
        return plain;
    };
    p.pageLength = integer("Lunghezza", 66);
    p.pageWidth = integer("Larghezza", 80);
    p.landscape = integer("Landscape", 0, "0");
    p.colourMode = integer("Colore", 0);
    // Margins the page can hold; font sizes a printer can print.
    p.top = std::clamp(integer("Top", 2), 0, 200);
    p.bottom = std::clamp(integer("Bottom", 2), 0, 200);
    p.normalFont = settings_.read(section, QStringLiteral("FontNorm")).trimmed();
    p.normalSize = clampSize(number("FontNSiz"), 12);
    p.compressedFont = settings_.read(section, QStringLiteral("FontComp")).trimmed();
    p.compressedSize = clampSize(number("FontCSiz"), 7);
    p.superFont = settings_.read(section, QStringLiteral("FontSComp"), QStringLiteral("Courier New")).trimmed();
    p.superSize = clampSize(number("FontSCSiz", "6"), 6);
    for (QString* font : {&p.normalFont, &p.compressedFont, &p.superFont}) {
        if (font->isEmpty())
            *font = QStringLiteral("Courier New");
    }
    profile_ = p;
    usableRows_ = clampedUsable(profile_.pageLength);

    const QStringList dump = {specification.isEmpty() ? QStringLiteral("0") : specification,
                              QStringLiteral("Nom=") + p.name,
                              QStringLiteral("Dev=") + p.device,
                              QStringLiteral("Por=") + p.port,
                              QStringLiteral("Color=%1").arg(p.colourMode),
                              QStringLiteral("Len=%1").arg(p.pageLength),
                              QStringLiteral("Lar=%1").arg(p.pageWidth),
                              QStringLiteral("Land  =%1").arg(p.landscape),
                              QStringLiteral("Top=%1").arg(profile_.top),
                              QStringLiteral("Bot=%1").arg(profile_.bottom),
                              QStringLiteral("CNo=") + p.normalFont,
                              QStringLiteral("DNo=%1").arg(p.normalSize),
                              QStringLiteral("PNo=%1").arg(p.normalExtra),
                              QStringLiteral("CCp=") + p.compressedFont,
                              QStringLiteral("DCp=%1").arg(p.compressedSize),
                              QStringLiteral("PCp=%1").arg(p.compressedExtra),
                              QStringLiteral("CSCp=") + p.superFont,
                              QStringLiteral("DSCp=%1").arg(p.superSize),
                              QStringLiteral("PSCp=%1").arg(p.superExtra),
                              QStringLiteral("Act=") + p.spare,
                              QStringLiteral("Cha=") + p.characterMode,
                              QStringLiteral("Testa=") + section};
    ReportFile::writeAll(dumpPath_, dump);

    const QStringList loaded = {QString::number(p.pageLength), QString::number(p.pageWidth), QString::number(p.landscape),
                                QString::number(p.colourMode), QString::number(profile_.top), QString::number(profile_.bottom),
                                p.normalFont, QString::number(p.normalSize), p.compressedFont, QString::number(p.compressedSize),
                                p.superFont, QString::number(p.superSize)};
    writeSection(keys::kPrinterDefaultSection, loaded, {{keys::kPrinterInUse.name, p.name}});
    return profile_;
}

void PrintEngine::regenerate(bool newOnly)
{
    const QList<PrinterInfo> printers = device_.printers();
    if (!newOnly) {
        settings_.write(keys::kSystemPrinter, defaultPrinter_.isEmpty() ? device_.defaultPrinter() : defaultPrinter_);
        settings_.removeSection(keys::kPrinterDefaultSection);
        // The printer in use; before any, the platform's default; else the first.
        QString current = printer_.device + QLatin1Char(',') + printer_.port;
        if (printer_.device.isEmpty()) {
            const QStringList parts = (defaultPrinter_.isEmpty() ? device_.defaultPrinter() : defaultPrinter_).split(QLatin1Char(','));
            const auto isDefault = [&](const PrinterInfo& p) { return parts.size() >= 3 && p.device == parts.first() && p.port == parts.last(); };
            const auto found = std::find_if(printers.begin(), printers.end(), isDefault);
            if (found != printers.end())
                current = found->device + QLatin1Char(',') + found->port;
            else if (!printers.isEmpty())
                current = printers.first().device + QLatin1Char(',') + printers.first().port;
        }
        writeSection(keys::kPrinterDefaultSection, plainProfile(), {{keys::kPrinterInUse.name, current}});
    }
    for (const PrinterInfo& printer : printers) {
        const QString section = printer.device + QLatin1Char(',') + printer.port;
        if (newOnly && settings_.hasSection(section))
            continue;
        device_.select(printer);
        device_.setPaperA4();
        const QSizeF page = device_.pageInches();
        const int rows = static_cast<int>(page.height() * 6);
        const int columns = static_cast<int>(page.width() * 10);
        const QString length = rows >= 72 ? QStringLiteral("72") : rows >= 66 ? QStringLiteral("66") : rows >= 61 ? QStringLiteral("61") : QStringLiteral("-1");
        const QString width = columns >= 133 ? QStringLiteral("136") : columns >= 120 ? QStringLiteral("132") : columns >= 79 ? QStringLiteral("80")
                                                                                                                               : QStringLiteral("-1");
        settings_.removeSection(section);
        writeSection(section, plainProfile(length, width, QString::number(printer.colourMode)));
    }
    if (!printer_.device.isEmpty())
        device_.select(printer_);
}

void PrintEngine::writeSection(const QString& section, const QStringList& values, const QList<std::pair<QString, QString>>& first)
{
    QList<std::pair<QString, QString>> keys = first;
    for (int i = 0; i < 12; ++i)
        keys.append({QLatin1String(kProfileKeys[i]), values.value(i)});
    settings_.writeKeys(section, keys);
}

void PrintEngine::applyFont(const QString& name, double size)
{
    bold_ = italic_ = underline_ = false;
    setCurrentFont(name, size);
}

void PrintEngine::setCurrentFont(const QString& name, double size)
{
    currentFontName_ = name;
    currentFontSize_ = size;
    device_.setFont(name, size, bold_, italic_, underline_);
}

void PrintEngine::applyLandscape(bool resetStep)
{
    applyFont(profile_.superFont, profile_.superSize);
    fontName_ = profile_.superFont;
    fontSize_ = profile_.superSize;
    device_.setLandscape(true);
    device_.setScale(185, 45);
    double height = 1.2 * device_.textHeight(kSample);
    if (!(height > 0))
        height = 45.0 / std::max(pageRows_, 1); // no measure: one cell
    // Rows are lines of this height, so that the current row and the usable
    // rows are counted in one unit.
    rowHeight_ = height;
    if (resetStep)
        lineStep_ = 1.0;
    usableRows_ = clampedUsable(static_cast<int>(45 / height));
}

void PrintEngine::moveToRow() { device_.moveTo(0, currentRow_ * rowHeight_); }

void PrintEngine::init(const QString& command)
{
    // A second INIT in one job: a new page, the job goes on.
    const bool newPage = documentOpen_;
    const bool compressed = command.size() > 4 && command[4] == QLatin1Char('C');
    fontName_ = compressed ? profile_.compressedFont : profile_.normalFont;
    fontSize_ = compressed ? profile_.compressedSize : profile_.normalSize;
    lineStep_ = 1.0;
    rowHeight_ = 1.0;
    applyFont(fontName_, fontSize_);
    if (!generic())
        device_.setDraftQuality();
    device_.setCopies(1);
    device_.setLandscape(false);
    device_.setPaperA4();
    const QSizeF page = device_.pageInches();
    // Character cells: 1/12 inch wide, 1/6 inch high.
    pageRows_ = static_cast<int>(page.height() * 6);
    pageColumns_ = static_cast<int>(page.width() * 12);
    device_.setScale(page.width() * 12, page.height() * 6);
    usableRows_ = clampedUsable(pageRows_);
    currentRow_ = profile_.top;
    if (landscapeArmed_ && profile_.landscape == 1)
        applyLandscape(true);
    moveToRow();
    documentOpen_ = true;
    pagePending_ = newPage;
}

void PrintEngine::applyEscape(QChar code)
{
    switch (code.unicode()) {
    case '0': applyFont(profile_.normalFont, profile_.normalSize); return;
    case '1': setCurrentFont(profile_.normalFont, profile_.normalSize); return;
    case '2': setCurrentFont(profile_.compressedFont, profile_.compressedSize); return;
    case '3': italic_ = true; break;
    case '4': bold_ = true; break;
    case '5': underline_ = true; break;
    case '6': setCurrentFont(profile_.superFont, profile_.superSize); return;
    default: return; // swallowed with its escape
    }
    // A style keeps the font and size in use, not the job's.
    setCurrentFont(currentFontName_, currentFontSize_);
}

void PrintEngine::text(const QString& raw)
{
    if (!documentOpen_)
        init(QStringLiteral("INIT")); // text before INIT: a job of the normal font
    if (pagePending_) {
        device_.newPage(); // the page starts with its first line
        pagePending_ = false;
    }
    QString line = raw.left(kMaxLineLength);
    for (QChar& c : line) {
        if (c.unicode() < 0x20 && c != kEscape)
            c = QLatin1Char(' ');
    }
    moveToRow();
    qsizetype from = 0;
    while (true) {
        const qsizetype escape = line.indexOf(kEscape, from);
        if (escape < 0) {
            if (from < line.size())
                device_.printText(line.mid(from));
            break;
        }
        if (escape > from)
            device_.printText(line.mid(from, escape - from));
        if (escape + 1 < line.size())
            applyEscape(line[escape + 1]); // an escape at the line's end is nothing
        from = escape + 2;
    }
    currentRow_ += lineStep_;
    moveToRow();
}

void PrintEngine::eject()
{
    if (!documentOpen_)
        return;
    pagePending_ = true;
    applyFont(fontName_, fontSize_);
    if (landscapeArmed_ && profile_.landscape == 1)
        applyLandscape(false);
    if (!generic())
        device_.setDraftQuality();
    currentRow_ = profile_.top;
}

void PrintEngine::stop()
{
    if (!documentOpen_)
        return; // a second STOP ends nothing
    applyFont(fontName_, fontSize_);
    lastDocument_ = device_.endDocument();
    device_.setCopies(1);
    if (!generic())
        device_.setLandscape(false);
    landscapeArmed_ = false;
    rowHeight_ = 1.0;
    device_.setScale(pageColumns_, pageRows_);
    usableRows_ = clampedUsable(pageRows_);
    documentOpen_ = false;
    pagePending_ = false;
}

void PrintEngine::line(const QString& text)
{
    if (text.startsWith(QLatin1String("INIT")))
        init(text);
    else if (text == QLatin1String("EJEC"))
        eject();
    else if (text == QLatin1String("PAGE"))
        currentRow_ = profile_.top;
    else if (text == QLatin1String("STOP") || text == QLatin1String("LOGO"))
        stop();
    else if (text == QLatin1String("BREK"))
        return;
    else
        this->text(text);
}

PrintEngine::FileShape PrintEngine::scan(QFile& file)
{
    FileShape shape;
    while (!file.atEnd()) {
        QByteArray bytes = file.readLine();
        while (bytes.endsWith('\n') || bytes.endsWith('\r'))
            bytes.chop(1);
        const QString line = decodeText(bytes);
        shape.widest = std::max(shape.widest, static_cast<int>(std::min<qsizetype>(line.size(), kMaxLineLength)));
        if (!isCommandWord(line) && hasInk(line.left(kMaxLineLength)))
            ++shape.inkedLines;
    }
    file.seek(0);
    return shape;
}

void PrintEngine::fitWidth(int characters)
{
    if (characters <= 0)
        return;
    const double width = device_.textWidth(QString(characters, QLatin1Char('M')));
    if (!(width > pageColumns_))
        return;
    // A report wider than the page takes a smaller font rather than losing
    // its right-hand columns; EJEC keeps it.
    fontSize_ = std::max(4.0, std::floor(fontSize_ * pageColumns_ / width * 2) / 2);
    applyFont(fontName_, fontSize_);
    if (log_)
        log_(QStringLiteral("Stampa di righe di %1 caratteri : carattere %2 di %3 punti").arg(characters).arg(fontName_).arg(fontSize_));
}

bool PrintEngine::printFile(const QString& path, QString* said, QString* error)
{
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    // A printer writing a file must never write over the document it prints.
    const QString output = device_.outputFileFor(path);
    if (!output.isEmpty() && sameFile(output, path))
        return fail(QStringLiteral("Il file di stampa coincide con il documento da stampare, che resta com'è :\r\n") + path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Impossibile leggere il documento :\r\n") + path + QStringLiteral("\r\n(") + file.errorString() + QLatin1Char(')'));
    const FileShape shape = scan(file);
    if (shape.inkedLines == 0)
        return fail(QStringLiteral("Nulla da stampare : il documento ha solo righe vuote o comandi di stampa :\r\n") + path);
    device_.setSourceName(path);
    device_.beginJob();
    line(QStringLiteral("INIT"));
    fitWidth(shape.widest);
    lineStep_ = 0.9;
    currentRow_ = 0;
    device_.moveTo(0, 0);
    while (!file.atEnd()) {
        QByteArray bytes = file.readLine();
        while (bytes.endsWith('\n') || bytes.endsWith('\r'))
            bytes.chop(1);
        line(decodeText(bytes));
        if (currentRow_ > usableRows_) {
            line(QStringLiteral("EJEC"));
            device_.moveTo(0, 0);
        }
    }
    line(QStringLiteral("STOP"));
    const QString job = device_.endJob();
    if (!job.isEmpty())
        lastDocument_ = job;
    if (device_.documentFailed())
        return fail(lastDocument_);
    if (said)
        *said = lastDocument_;
    return true;
}

} // namespace corv
