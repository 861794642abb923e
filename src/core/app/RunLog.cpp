#include "app/RunLog.h"

#include <QDateTime>
#include <QFile>

namespace corv {

bool utl::logLine(const QString& text, bool startOfRun, const QString& path)
{
    if (path.isEmpty())
        return false;
    QFile file(path);
    const QIODevice::OpenMode mode =
        QIODevice::WriteOnly | (startOfRun ? QIODevice::Truncate : QIODevice::Append);
    if (!file.open(mode))
        return false;
    const QByteArray line = text.toUtf8() + "\r\n";
    return file.write(line) == line.size();
}

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
    utl::logLine(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz "))
                     + text,
                 true, path_);
}

void RunLog::write(const QString& text)
{
    if (path_.isEmpty())
        return;
    utl::logLine(QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz ")) + text, false,
                 path_);
}

QString maskedPassword(const QString& password)
{
    return password.isEmpty() ? QString() : QStringLiteral("********");
}

} // namespace corv
