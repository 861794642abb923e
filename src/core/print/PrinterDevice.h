#pragma once

#include <QList>
#include <QSizeF>
#include <QString>

namespace corv {

// An installed printer as the platform lists it.
struct PrinterInfo {
    QString device;
    QString driver;
    QString port;
    QSizeF pageInches{8.27, 11.69}; // the printable page, portrait, on A4
    int colourMode = 1;             // 1 monochrome, 2 colour
};

// What the print engine needs of a printer: the installed ones, the page
// set-up, fonts, positions in units of a scale laid over the page, text,
// pages and the end of a document. The widgets layer drives a real printer
// (and a PDF file); tests record what the engine asked.
class PrinterDevice {
public:
    virtual ~PrinterDevice() = default;

    virtual QList<PrinterInfo> printers() = 0;
    // The platform's default printer: device, driver and port joined by ",".
    virtual QString defaultPrinter() = 0;
    virtual void select(const PrinterInfo& printer) = 0;
    // The file the next document comes from (a PDF printer writes beside it).
    virtual void setSourceName(const QString&) {}
    // The file a document from `source` would be written to; empty when it
    // goes to a printer.
    virtual QString outputFileFor(const QString& /*source*/) { return {}; }
    // A job: the documents of one printed file (a STOP or LOGO line inside it
    // ends one and the next line starts another). A device that writes a
    // file keeps every document of the job in it, page after page.
    virtual void beginJob() {}
    // The job's end: what the user should be told of it, or empty to keep
    // what the last document said.
    virtual QString endJob() { return {}; }

    virtual void setPaperA4() = 0;
    virtual void setCopies(int copies) = 0;
    virtual void setLandscape(bool landscape) = 0;
    virtual void setDraftQuality() = 0;
    virtual void setFont(const QString& name, double points, bool bold, bool italic, bool underline) = 0;
    // The printable page in inches, as oriented now.
    virtual QSizeF pageInches() = 0;
    // The page divided into `wide` x `high` units: positions and heights are in them.
    virtual void setScale(double wide, double high) = 0;
    virtual void moveTo(double x, double y) = 0;
    // Prints at the position; the position moves to the text's end.
    virtual void printText(const QString& text) = 0;
    virtual double textHeight(const QString& text) = 0;
    // The width of the text in the current font, in the units of the scale.
    virtual double textWidth(const QString& text) = 0;
    virtual void newPage() = 0;
    // The document printed; what the user should be told (where a PDF was
    // written, or why it could not be), or empty.
    virtual QString endDocument() = 0;
    // Whether the document just ended (within a job: any document of the
    // job) failed, its file not written.
    virtual bool documentFailed() const { return false; }
};

} // namespace corv
