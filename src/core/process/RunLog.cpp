#include "process/RunLog.h"

#include "report/ReportFile.h"

#include <QDateTime>
#include <QFile>

namespace corv {

RunLog::RunLog(QString path) : path_(std::move(path)) {}

void RunLog::startRun(const QString& text)
{
    if (path_.isEmpty())
        return;
    const QString previous = path_ + QStringLiteral(".1");
    if (QFile::exists(path_)) {
        QFile::remove(previous);
        QFile::rename(path_, previous);
    }
    appendLogLine(path_, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz ")) + text, true);
}

void RunLog::write(const QString& text)
{
    if (path_.isEmpty())
        return;
    appendLogLine(path_, QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz ")) + text);
}

QString maskedPassword(const QString& password)
{
    return password.isEmpty() ? QString() : QStringLiteral("********");
}

} // namespace corv
