#pragma once

#include <QFile>
#include <QString>

namespace corv {

// Writes a report file line by line (UTF-8, CR LF), buffered: the first line
// starts the file anew, as the log operation's start-of-run line does.
class ReportWriter {
public:
    explicit ReportWriter(QString path);
    ~ReportWriter();

    const QString& path() const { return path_; }
    // False when the file cannot be written.
    bool write(const QString& line);
    bool close();

private:
    QString path_;
    QFile file_;
    bool failed_ = false;
};

} // namespace corv
