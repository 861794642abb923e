#include "report/RunLog.h"

#include "report/ReportFile.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>

namespace corv {

namespace {

// Whatever a caller hands over, a connection string's password never reaches
// the log in clear: its value, quoted or not, becomes asterisks.
QString withoutPasswords(const QString& text)
{
    if (!text.contains(QLatin1String("pwd"), Qt::CaseInsensitive) && !text.contains(QLatin1String("password"), Qt::CaseInsensitive))
        return text;
    static const QRegularExpression secret(QStringLiteral("(\\b(?:pwd|password)\\s*=\\s*)(\"(?:[^\"]|\"\")*\"|'(?:[^']|'')*'|\\{[^}]*\\}|[^;]*)"),
                                           QRegularExpression::CaseInsensitiveOption);
    QString masked = text;
    masked.replace(secret, QStringLiteral("\\1********"));
    return masked;
}

} // namespace

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
    appendLogLine(path_, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz ")) + withoutPasswords(text), true);
}

void RunLog::write(const QString& text)
{
    if (path_.isEmpty())
        return;
    appendLogLine(path_, QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz ")) + withoutPasswords(text));
}

QString maskedPassword(const QString& password)
{
    return password.isEmpty() ? QString() : QStringLiteral("********");
}

} // namespace corv
