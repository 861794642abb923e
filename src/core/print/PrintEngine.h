#pragma once

#include "print/PrinterDevice.h"
#include "print/PrinterProfile.h"

#include <QFile>
#include <QList>
#include <QString>
#include <functional>

namespace corv {

class IniFile;

// The print engine: one text line at a time, each a command word (INIT,
// EJEC, PAGE, STOP, LOGO, BREK) or text with in-line font escapes, laid out
// on the page in character cells; the printer profiles of TLX_PRT.INI.
class PrintEngine {
public:
    // `settings`: TLX_PRT.INI; `dumpPath`: prt-ini.log; `log`: the run log.
    PrintEngine(PrinterDevice& device, IniFile& settings, QString dumpPath, std::function<void(const QString&)> log = {});

    // The start-up of the program: line step 1, the platform's default
    // printer, TLX_PRT.INI regenerated when it names no default printer,
    // the default profile loaded.
    void startUp();
    // One line of a print job (PrtLine).
    void line(const QString& text);
    // PrtIniLoad: the profile of "device,port" (or ";"), or of the default
    // printer for "0" or empty.
    PrinterProfile loadProfile(const QString& specification);
    // PrtIniRegen: TLX_PRT.INI rebuilt from the installed printers; with
    // `newOnly` only printers without a section get one.
    void regenerate(bool newOnly);
    // The reprint feeder: a report file printed from its first line, a page
    // ejected whenever the lines pass the usable rows. `said`: what the
    // device says at the end (where a PDF went); false, with the reason in
    // `error`, when the file cannot be read or the printer failed.
    bool printFile(const QString& path, QString* said = nullptr, QString* error = nullptr);

    // The state a caller may read or set.
    void armLandscape() { landscapeArmed_ = true; }
    void setCurrentRow(double row) { currentRow_ = row; }
    double currentRow() const { return currentRow_; }
    double lineStep() const { return lineStep_; }
    // The height of a row in the units of the page's scale: 1 (a cell), or
    // the measured line height in landscape.
    double rowHeight() const { return rowHeight_; }
    int usableRows() const { return usableRows_; }
    const PrinterProfile& profile() const { return profile_; }
    // What the last STOP's device said (a PDF's path).
    const QString& lastDocument() const { return lastDocument_; }

    // Longer lines are cut: no report line is this wide.
    static constexpr int kMaxLineLength = 1000;

private:
    void init(const QString& command);
    void text(const QString& text);
    void eject();
    void stop();
    // A font with the styles off; a font keeping the styles in force.
    void applyFont(const QString& name, double size);
    void setCurrentFont(const QString& name, double size);
    void applyLandscape(bool resetStep);
    void moveToRow();
    void applyEscape(QChar code);
    bool generic() const;
    int clampedUsable(int rows);
    // The twelve profile keys of a section, from values in their order, after
    // the keys of `first`; one write of the file.
    void writeSection(const QString& section, const QStringList& values, const QList<std::pair<QString, QString>>& first = {});
    struct FileShape {
        int widest = 0;       // the longest line, in characters
        long inkedLines = 0;  // text lines with something to print
    };
    // What a file holds; the file is read back to its start.
    static FileShape scan(QFile& file);
    // The document's font made small enough for lines this long.
    void fitWidth(int characters);

    PrinterDevice& device_;
    IniFile& settings_;
    QString dumpPath_;
    std::function<void(const QString&)> log_;
    PrinterProfile profile_;
    PrinterInfo printer_;
    QString defaultPrinter_;

    double currentRow_ = 0;
    double lineStep_ = 1.0;
    double rowHeight_ = 1.0;
    int usableRows_ = 62;
    int pageRows_ = 66;
    int pageColumns_ = 99;
    QString fontName_ = QStringLiteral("Courier New");
    double fontSize_ = 12;
    QString currentFontName_ = fontName_; // what the last escape chose
    double currentFontSize_ = fontSize_;
    bool bold_ = false, italic_ = false, underline_ = false;
    bool landscapeArmed_ = false;
    bool documentOpen_ = false;
    bool pagePending_ = false;
    QString lastDocument_;
};

} // namespace corv
