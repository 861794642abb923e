#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <memory>

namespace corv {

class Ui;
struct AppPaths;

// Every text file the program writes for the user goes through here: reports,
// list files, the run log and the other logs. Lines are UTF-8 and end with
// CR LF; every write, flush and close is checked.

// A line as the files hold it.
QByteArray encodeLine(QStringView line);

// Report file names of the program folder. A name may begin with "\" as the
// commands spell them ("\PICF_GenAR_DEMO.log").
QString reportPath(const AppPaths& paths, const QString& name);
// prefix + company code + extension: "\PICF_GenAR_" + "DEMO" + ".log".
QString companyReportPath(const AppPaths& paths, const QString& prefix, const QString& company, const QString& extension);
// prefix + date stamp + extension, with "_2", "_3"... when the name is taken.
QString stampedReportPath(const AppPaths& paths, const QString& prefix, const QString& extension,
                          const QDateTime& when = QDateTime::currentDateTime());

// A report written from its first line to its last: the file is started anew
// and replaces the previous one only when closed successfully, so a full disk
// never leaves a report cut short that looks complete; the old one stays.
class ReportFile {
public:
    explicit ReportFile(QString path);
    ~ReportFile();
    ReportFile(const ReportFile&) = delete;
    ReportFile& operator=(const ReportFile&) = delete;

    const QString& path() const { return path_; }
    // False once anything failed; later writes are ignored.
    bool write(QStringView line);
    bool writeLines(const QStringList& lines);
    // Flushes and puts the file in place. False when any step failed. A
    // report destroyed without being closed is dropped.
    bool close();
    bool failed() const { return failed_; }
    // The Italian message for a failure, with the path and the system's reason.
    QString failureText() const;

    // A whole file in one call; false (the old file kept) on failure.
    static bool writeAll(const QString& path, const QStringList& lines, QString* failure = nullptr);

private:
    bool open();
    bool flushBuffer();
    void fail(const QString& reason);

    QString path_;
    std::unique_ptr<QSaveFile> file_;
    QByteArray buffer_;
    bool failed_ = false;
    bool closed_ = false;
    QString reason_;
};

// The log operation: appends one line to a log file; the start-of-run line
// starts the file anew. False when the line could not be written.
bool appendLogLine(const QString& path, QStringView text, bool startOfRun = false);

// Hands a finished report to the user: it opens in the text viewer. When no
// viewer can be started the user is told where the report is. False then.
bool presentReport(Ui& ui, const QString& viewer, const QString& path);
// A whole report written and handed to the viewer; its path, or empty when
// it could not be written (the user told, under `caption`).
QString writeAndPresentReport(Ui& ui, const QString& viewer, const QString& path, const QStringList& lines, const QString& caption);

// "Impossibile scrivere il file :" + path, with the reason when known.
QString writeFailureText(const QString& path, const QString& reason = {});

} // namespace corv
