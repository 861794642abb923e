#include "QtPrinterDevice.h"

#include "platform/FileReplace.h"
#include "platform/IniFile.h"
#include "print/PrintEngine.h"
#include "settings/SettingsKeys.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
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
// A quarter inch above and below, a tenth at the sides: A4 leaves 8.07 by
// 11.19 inches, 67 rows of 1/6 inch and 96 cells of 1/12 (80 columns at 10 to the inch).
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

QString QtPrinterDevice::outputFileFor(const QString& source) { return toPdf() ? pdfPath(source) : QString(); }

QString QtPrinterDevice::pdfPath(const QString& sourceName) const
{
    if (!pdfOutput_.isEmpty())
        return pdfOutput_;
    if (!sourceName.isEmpty()) {
        const QFileInfo source(sourceName);
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
        // Written under a temporary name beside its place, put there when
        // complete: a full disk or a killed run keeps the previous PDF.
        pdfTarget_ = pdfPath(sourceName_);
        pdfTemporary_ = createTemporaryBeside(pdfTarget_);
        if (pdfTemporary_.isEmpty()) {
            beginFailed_ = failed_ = true;
            return false;
        }
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(pdfTemporary_);
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
    if (jobPageDue_) {
        printer_->newPage();
        jobPageDue_ = false;
    }
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

void QtPrinterDevice::beginJob()
{
    inJob_ = true;
    jobFailed_ = false;
    jobFailure_.clear();
    jobPageDue_ = false;
}

QString QtPrinterDevice::endJob()
{
    inJob_ = false;
    jobPageDue_ = false;
    const QString said = begun_ ? finishPdf() : QString();
    sourceName_.clear();
    // The job failed when any of its documents did: the first failure is told.
    failed_ = failed_ || jobFailed_;
    jobFailed_ = false;
    return failed_ && !jobFailure_.isEmpty() ? jobFailure_ : said;
}

namespace {

// A PDF is complete when its last bytes hold the end-of-file marker: a write
// that failed midway (a full disk) leaves the file without it.
bool endsLikeAPdf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 16)
        return false;
    file.seek(file.size() - std::min<qint64>(file.size(), 32));
    return file.readAll().contains("%%EOF");
}

} // namespace

QString QtPrinterDevice::finishPdf()
{
    const bool pdf = toPdf();
    QString reason = beginFailed_ ? QStringLiteral("impossibile creare il file nella sua cartella") : QString();
    bool ended = !beginFailed_ && painter_->end();
    painter_.reset();
    begun_ = false;
    beginFailed_ = false;
    if (pdf) {
        ended = ended && endsLikeAPdf(pdfTemporary_);
        if (ended)
            ended = putInPlace(pdfTemporary_, pdfTarget_, &reason);
        else if (!pdfTemporary_.isEmpty())
            QFile::remove(pdfTemporary_);
        if (!ended && reason.isEmpty())
            reason = QStringLiteral("file incompleto : spazio su disco esaurito o scrittura non riuscita");
    }
    failed_ = !ended;
    lastPdf_ = pdf && ended ? pdfTarget_ : QString();
    QString said;
    if (pdf) {
        const QString target = QDir::toNativeSeparators(pdfTarget_);
        pdfTemporary_.clear();
        said = ended ? QStringLiteral("Stampa salvata nel file PDF :\r\n") + target
                     : QStringLiteral("Impossibile scrivere il file PDF :\r\n") + target + QStringLiteral("\r\n(") + reason + QLatin1Char(')')
                           + (QFileInfo::exists(pdfTarget_) ? QStringLiteral("\r\nIl file precedente resta com'era.") : QString());
    } else if (!ended) {
        said = QStringLiteral("Stampa non riuscita sulla stampante : ") + selected_.device;
    }
    if (failed_ && !jobFailed_) {
        jobFailed_ = inJob_;
        jobFailure_ = said;
    }
    return said;
}

QString QtPrinterDevice::endDocument()
{
    if (!begun_)
        return {};
    if (inJob_ && toPdf()) {
        // A document within a printed file: the next one follows in the same PDF.
        jobPageDue_ = true;
        return {};
    }
    const QString said = finishPdf();
    if (!inJob_)
        sourceName_.clear();
    return said;
}

bool printReportFile(const AppPaths& paths, const QString& file, const QString& pdf, ReportPrint& result, QString* error)
{
    QtPrinterDevice device(paths.dataDir);
    if (!pdf.isEmpty())
        device.setPdfOutput(QFileInfo(pdf).absoluteFilePath());
    IniFile settings(paths.iniPath(ini::kPrinters));
    PrintEngine engine(device, settings, paths.dataFile(QStringLiteral("prt-ini.log")));
    engine.startUp();
    if (!engine.printFile(QFileInfo(file).absoluteFilePath(), &result.said, error))
        return false;
    result.pdfWritten = device.lastPdfPath();
    result.settingsError = settings.lastError();
    return true;
}

} // namespace corv
