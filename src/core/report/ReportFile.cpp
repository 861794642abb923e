#include "report/ReportFile.h"

#include "platform/AppPaths.h"
#include "platform/TextFile.h"
#include "platform/Ui.h"
#include "util/TextUtil.h"

#include <QDir>
#include <QFile>

namespace corv {

namespace {
constexpr qsizetype kBufferSize = 1 << 16;
const QByteArray kLineEnd = QByteArrayLiteral("\r\n");
} // namespace


QByteArray encodeLine(QStringView line)
{
    QByteArray bytes = line.toUtf8();
    bytes += kLineEnd;
    return bytes;
}

QString reportPath(const AppPaths& paths, const QString& name) { return paths.dataFile(name); }

QString companyReportPath(const AppPaths& paths, const QString& prefix, const QString& company, const QString& extension)
{
    return reportPath(paths, prefix + company + extension);
}

QString stampedReportPath(const AppPaths& paths, const QString& prefix, const QString& extension, const QDateTime& when)
{
    const QString base = prefix + utl::dateStamp(when);
    QString path = reportPath(paths, base + extension);
    for (int n = 2; QFile::exists(path); ++n)
        path = reportPath(paths, base + QLatin1Char('_') + QString::number(n) + extension);
    return path;
}

QString writeFailureText(const QString& path, const QString& reason)
{
    QString text = QStringLiteral("Impossibile scrivere il file :\r\n") + QDir::toNativeSeparators(path);
    if (!reason.isEmpty())
        text += QStringLiteral("\r\n(") + reason + QLatin1Char(')');
    return text;
}

ReportFile::ReportFile(QString path) : path_(std::move(path)) {}

// A report never closed (its command ended on an error first) is dropped:
// the previous one stays rather than one cut short.
ReportFile::~ReportFile()
{
    if (!closed_ && file_)
        file_->cancelWriting();
}

void ReportFile::fail(const QString& reason)
{
    if (!failed_)
        reason_ = reason;
    failed_ = true;
    buffer_.clear();
    if (file_)
        file_->cancelWriting();
}

bool ReportFile::open()
{
    file_ = std::make_unique<QSaveFile>(path_);
    // Unbuffered: Qt's own buffer hides a short write at flush time (a full
    // disk then looks like success); our buffer is written and checked here.
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        fail(file_->errorString());
        return false;
    }
    buffer_.reserve(kBufferSize + 512);
    return true;
}

bool ReportFile::flushBuffer()
{
    if (buffer_.isEmpty())
        return true;
    if (file_->write(buffer_) != buffer_.size()) {
        fail(writeErrorOf(*file_));
        return false;
    }
    buffer_.clear();
    return true;
}

bool ReportFile::write(QStringView line)
{
    if (failed_ || closed_)
        return false;
    if (!file_ && !open())
        return false;
    buffer_ += line.toUtf8();
    buffer_ += kLineEnd;
    return buffer_.size() < kBufferSize || flushBuffer();
}

bool ReportFile::writeLines(const QStringList& lines)
{
    for (const QString& line : lines) {
        if (!write(line))
            return false;
    }
    return true;
}

bool ReportFile::close()
{
    if (closed_)
        return !failed_;
    closed_ = true;
    if (failed_)
        return false;
    if (!file_ && !open())
        return false;
    if (!flushBuffer())
        return false;
    if (!file_->commit()) {
        fail(file_->errorString());
        return false;
    }
    // Reports name customers, codes and amounts: for their owner only.
    QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

QString ReportFile::failureText() const { return writeFailureText(path_, reason_); }

bool ReportFile::writeAll(const QString& path, const QStringList& lines, QString* failure)
{
    ReportFile file(path);
    file.writeLines(lines);
    const bool ok = file.close();
    if (!ok && failure)
        *failure = file.failureText();
    return ok;
}

bool appendLogLine(const QString& path, QStringView text, bool startOfRun)
{
    if (path.isEmpty())
        return false;
    QFile file(path);
    const QIODevice::OpenMode mode =
        QIODevice::WriteOnly | QIODevice::Unbuffered | (startOfRun ? QIODevice::Truncate : QIODevice::Append);
    // Created readable by its owner only, like the login files.
    if (!file.open(mode, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;
    if (startOfRun)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner); // a log made before
    const QByteArray line = encodeLine(text);
    return writeFully(file, line);
}

bool presentReport(Ui& ui, const QString& viewer, const QString& path)
{
    if (ui.openInViewer(viewer, path))
        return true;
    ui.critical(QStringLiteral("Impossibile avviare il visualizzatore di testi") + (viewer.isEmpty() ? QString() : QStringLiteral(" \"") + viewer + QLatin1Char('"'))
                    + QStringLiteral(".\r\nIl file si trova in :\r\n") + QDir::toNativeSeparators(path),
                QStringLiteral("Visualizzatore"));
    return false;
}

QString writeAndPresentReport(Ui& ui, const QString& viewer, const QString& path, const QStringList& lines, const QString& caption)
{
    QString failure;
    if (!ReportFile::writeAll(path, lines, &failure)) {
        ui.critical(failure, caption);
        return {};
    }
    presentReport(ui, viewer, path);
    return path;
}

} // namespace corv
