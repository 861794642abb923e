#pragma once

#include "platform/AppPaths.h"
#include "print/PrinterDevice.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <memory>
#include <optional>

class QPainter;
class QPrinter;

namespace corv {

// The print engine's printer on Qt: the system's printers (QPrinterInfo) and
// a PDF printer that is always there, which writes the document beside the
// report it comes from (same name, ".pdf"). Fonts are fixed-pitch: a font
// the system lacks is replaced by a monospace one, never a proportional one.
class QtPrinterDevice : public PrinterDevice {
public:
    // `fallbackFolder`: where a PDF goes when the document comes from no file.
    explicit QtPrinterDevice(QString fallbackFolder);
    ~QtPrinterDevice() override;

    // The PDF printer as the printer list names it.
    static PrinterInfo pdfPrinter();
    // The next documents go to this PDF file, whatever the printer chosen.
    void setPdfOutput(const QString& path) { pdfOutput_ = path; }
    // The font used for a requested one (the replacement when it is not fixed-pitch).
    static QFont fixedPitchFont(const QString& name, double points);

    QList<PrinterInfo> printers() override;
    QString defaultPrinter() override;
    void select(const PrinterInfo& printer) override;
    void setSourceName(const QString& path) override { sourceName_ = path; }
    QString outputFileFor(const QString& source) override;
    void beginJob() override;
    QString endJob() override;
    void setPaperA4() override;
    void setCopies(int copies) override;
    void setLandscape(bool landscape) override;
    void setDraftQuality() override {}
    void setFont(const QString& name, double points, bool bold, bool italic, bool underline) override;
    QSizeF pageInches() override;
    void setScale(double wide, double high) override;
    void moveTo(double x, double y) override;
    void printText(const QString& text) override;
    double textHeight(const QString& text) override;
    double textWidth(const QString& text) override;
    void newPage() override;
    QString endDocument() override;
    bool documentFailed() const override { return failed_; }
    // The PDF file of the last document written to one; empty when none.
    const QString& lastPdfPath() const { return lastPdf_; }

private:
    bool toPdf() const;
    QString pdfPath(const QString& source) const;
    bool begin();
    // The PDF written so far ended and put in place; what to tell the user.
    QString finishPdf();
    QRectF paintRect() const;
    // The current font measured on the printer, kept until the font changes.
    const QFontMetricsF& metrics();

    QString fallbackFolder_;
    QString pdfOutput_;
    QString sourceName_;
    QString lastPdf_;
    QString pdfTarget_;    // where the PDF being written goes when complete
    QString pdfTemporary_; // where it is written meanwhile
    PrinterInfo selected_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    std::optional<QFontMetricsF> metrics_;
    std::optional<QList<PrinterInfo>> printers_; // asked of the system once
    QSizeF units_{1, 1}; // device pixels per scale unit
    QPointF position_;   // in device pixels, from the printable area's corner
    bool failed_ = false;
    bool inJob_ = false;
    bool jobFailed_ = false;
    QString jobFailure_;
    bool jobPageDue_ = false; // a document of the job ended: the next starts a page
    bool begun_ = false;
    bool beginFailed_ = false;
};

// A report file printed by a print engine of its own over the printer
// profiles of the installation (TLX_PRT.INI), into `pdf` when one is given:
// what "corvutil stampa" and the report window's "PDF…" do. What the engine
// said and the PDF written come back; false with the reason.
struct ReportPrint {
    QString said;
    QString pdfWritten;
    QString settingsError; // the profiles could not be saved (the print went on)
};
bool printReportFile(const AppPaths& paths, const QString& file, const QString& pdf, ReportPrint& result, QString* error);

} // namespace corv
