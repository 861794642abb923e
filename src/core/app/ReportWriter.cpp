#include "app/ReportWriter.h"

namespace corv {

ReportWriter::ReportWriter(QString path) : path_(std::move(path)), file_(path_) {}

ReportWriter::~ReportWriter() { close(); }

bool ReportWriter::write(const QString& line)
{
    if (failed_)
        return false;
    if (!file_.isOpen() && !file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        failed_ = true;
        return false;
    }
    const QByteArray bytes = line.toUtf8() + "\r\n";
    failed_ = file_.write(bytes) != bytes.size();
    return !failed_;
}

bool ReportWriter::close()
{
    if (!file_.isOpen())
        return !failed_;
    failed_ = !file_.flush() || failed_;
    file_.close();
    return !failed_;
}

} // namespace corv
