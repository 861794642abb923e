#include "QtPrinterDevice.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace corv {

namespace {

const QString kPdfDevice = QStringLiteral("PDF corvutil");
// A quarter inch above and below, a tenth at the sides: 66 rows of 80 columns on A4.
const QMarginsF kPdfMargins(0.1, 0.25, 0.1, 0.25);

} // namespace

QtPrinterDevice::QtPrinterDevice(QString fallbackFolder)
    : fallbackFolder_(std::move(fallbackFolder)), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    select(pdfPrinter());
    font_ = fixedPitchFont(QStringLiteral("Courier New"), 12);
}

QtPrinterDevice::~QtPrinterDevice()
{
    if (painter_ && painter_->isActive())
        painter_->end();
}

PrinterInfo QtPrinterDevice::pdfPrinter()
{
    PrinterInfo pdf;
    pdf.device = kPdfDevice;
    pdf.driver = QStringLiteral("PDF");
    pdf.port = QStringLiteral("FILE:");
    pdf.pageInches = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, kPdfMargins, QPageLayout::Inch).paintRect(QPageLayout::Inch).size();
    pdf.colourMode = 2;
    return pdf;
}

QFont QtPrinterDevice::fixedPitchFont(const QString& name, double points)
{
    QFont font(name);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(points);
    if (!QFontInfo(font).fixedPitch()) {
        // Reports line up in columns: a proportional substitute would break them.
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSizeF(points);
    }
    return font;
}

QList<PrinterInfo> QtPrinterDevice::printers()
{
    if (printers_)
        return *printers_;
    QList<PrinterInfo> list;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
        PrinterInfo printer;
        printer.device = info.printerName();
        printer.driver = info.makeAndModel().isEmpty() ? info.printerName() : info.makeAndModel();
        printer.port = info.location().isEmpty() ? QStringLiteral("CUPS:") : info.location();
        printer.pageInches = info.defaultPageSize().rect(QPageSize::Inch).size();
        printer.colourMode = info.supportedColorModes().contains(QPrinter::Color) ? 2 : 1;
        list.append(printer);
    }
    list.append(pdfPrinter()); // always there: machines without printers print to PDF
    printers_ = list;
    return list;
}

QString QtPrinterDevice::defaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull()) {
        for (const PrinterInfo& printer : printers()) {
            if (printer.device == info.printerName())
                return printer.device + QLatin1Char(',') + printer.driver + QLatin1Char(',') + printer.port;
        }
    }
    const PrinterInfo pdf = pdfPrinter();
    return pdf.device + QLatin1Char(',') + pdf.driver + QLatin1Char(',') + pdf.port;
}

bool QtPrinterDevice::toPdf() const { return !pdfOutput_.isEmpty() || selected_.device == kPdfDevice; }

void QtPrinterDevice::select(const PrinterInfo& printer)
{
    if (begun_)
        return; // a document is being printed: its printer stays
    selected_ = printer;
    if (toPdf()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setPageMargins(kPdfMargins, QPageLayout::Inch);
    } else {
        printer_->setOutputFormat(QPrinter::NativeFormat);
        printer_->setPrinterName(printer.device);
    }
}

void QtPrinterDevice::setPaperA4() { printer_->setPageSize(QPageSize(QPageSize::A4)); }

void QtPrinterDevice::setCopies(int copies)
{
    if (!begun_)
        printer_->setCopyCount(std::max(copies, 1));
}

void QtPrinterDevice::setLandscape(bool landscape)
{
    // While printing, the orientation applies from the next page.
    printer_->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void QtPrinterDevice::setFont(const QString& name, double points, bool bold, bool italic, bool underline)
{
    font_ = fixedPitchFont(name, points);
    font_.setBold(bold);
    font_.setItalic(italic);
    font_.setUnderline(underline);
    metrics_.reset();
}

const QFontMetricsF& QtPrinterDevice::metrics()
{
    if (!metrics_)
        metrics_.emplace(font_, printer_.get());
    return *metrics_;
}

QRectF QtPrinterDevice::paintRect() const { return printer_->pageLayout().paintRectPixels(printer_->resolution()); }

QSizeF QtPrinterDevice::pageInches() { return printer_->pageLayout().paintRect(QPageLayout::Inch).size(); }

void QtPrinterDevice::setScale(double wide, double high)
{
    const QRectF page = paintRect();
    units_ = QSizeF(wide > 0 ? page.width() / wide : 1, high > 0 ? page.height() / high : 1);
}

void QtPrinterDevice::moveTo(double x, double y) { position_ = QPointF(x * units_.width(), y * units_.height()); }

QString QtPrinterDevice::pdfPath() const
{
    if (!pdfOutput_.isEmpty())
        return pdfOutput_;
    if (!sourceName_.isEmpty()) {
        const QFileInfo source(sourceName_);
        return source.absoluteDir().filePath(source.completeBaseName() + QStringLiteral(".pdf"));
    }
    return QDir(fallbackFolder_).filePath(QStringLiteral("Stampa_") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss"))
                                          + QStringLiteral(".pdf"));
}

bool QtPrinterDevice::begin()
{
    if (begun_)
        return !beginFailed_;
    begun_ = true;
    failed_ = false;
    if (toPdf()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(pdfPath());
    }
    painter_ = std::make_unique<QPainter>();
    beginFailed_ = !painter_->begin(printer_.get());
    failed_ = beginFailed_;
    return !beginFailed_;
}

void QtPrinterDevice::printText(const QString& text)
{
    if (text.isEmpty() || !begin())
        return;
    painter_->setFont(font_);
    const double baseline = position_.y() + metrics().ascent();
    const double advance = metrics().horizontalAdvance(text);
    const double room = paintRect().width() - position_.x();
    if (advance > room && room > 0) {
        // A line wider than the page is narrowed to fit rather than cut.
        painter_->save();
        painter_->translate(position_.x(), baseline);
        painter_->scale(room / advance, 1);
        painter_->drawText(QPointF(0, 0), text);
        painter_->restore();
        position_.rx() += room;
        return;
    }
    painter_->drawText(QPointF(position_.x(), baseline), text);
    position_.rx() += advance;
}

double QtPrinterDevice::textHeight(const QString&) { return units_.height() > 0 ? metrics().height() / units_.height() : 0; }

double QtPrinterDevice::textWidth(const QString& text) { return units_.width() > 0 ? metrics().horizontalAdvance(text) / units_.width() : 0; }

void QtPrinterDevice::newPage()
{
    // A page before anything was printed is the first one.
    if (begun_ && !beginFailed_)
        printer_->newPage();
}

QString QtPrinterDevice::endDocument()
{
    if (!begun_)
        return {};
    const bool pdf = toPdf();
    const QString path = pdf ? printer_->outputFileName() : QString();
    bool ended = !beginFailed_ && painter_->end();
    painter_.reset();
    begun_ = false;
    beginFailed_ = false;
    sourceName_.clear();
    if (pdf)
        ended = ended && QFileInfo(path).size() > 0;
    failed_ = !ended;
    lastPdf_ = pdf && ended ? path : QString();
    if (pdf)
        return (ended ? QStringLiteral("Stampa salvata nel file PDF :\r\n") : QStringLiteral("Impossibile scrivere il file PDF :\r\n"))
               + QDir::toNativeSeparators(path);
    return ended ? QString() : QStringLiteral("Stampa non riuscita sulla stampante : ") + selected_.device;
}

} // namespace corv
