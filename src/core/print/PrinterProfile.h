#pragma once

#include <QString>

namespace corv {

class IniFile;

// The current printer's settings, as TLX_PRT.INI keeps them per printer.
struct PrinterProfile {
    QString name;    // device and port joined by ","
    QString driver;
    QString device;
    int pageLength = 66; // Lunghezza: rows at 6 per inch
    int pageWidth = 80;  // Larghezza: columns at 10 per inch
    int landscape = 0;   // 1: may print in landscape
    int top = 2;
    int bottom = 2;
    QString characterMode;
    QString spare;
    QString port;
    QString normalFont = QStringLiteral("Courier New");
    double normalSize = 12;
    int normalExtra = 0;
    QString compressedFont = QStringLiteral("Courier New");
    double compressedSize = 7;
    int compressedExtra = 0;
    QString superFont = QStringLiteral("Courier New");
    double superSize = 6;
    int superExtra = 0;
    int colourMode = 0;
};

// The twelve keys of a printer section, in the order written.
inline const char* const kProfileKeys[] = {"Lunghezza", "Larghezza", "Landscape", "Colore",   "Top",       "Bottom",
                                           "FontNorm",  "FontNSiz",  "FontComp",  "FontCSiz", "FontSComp", "FontSCSiz"};

} // namespace corv
