#include "platform/FileReplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace corv {

namespace {

bool fail(QString* reason, const QString& why)
{
    if (reason)
        *reason = why;
    return false;
}

} // namespace

QString createTemporaryBeside(const QString& target, QString* reason)
{
    const QFileInfo info(target);
    // Hidden, and named after the file it will become, so that a leftover of
    // a killed run is recognisable.
    QTemporaryFile file(info.absoluteDir().filePath(QLatin1Char('.') + info.fileName() + QStringLiteral(".XXXXXX.tmp")));
    file.setAutoRemove(false);
    if (!file.open()) {
        fail(reason, file.errorString());
        return {};
    }
    file.close();
    return file.fileName();
}

bool putInPlace(const QString& temporary, const QString& target, QString* reason)
{
    const auto discard = [&](const QString& why) {
        QFile::remove(temporary);
        return fail(reason, why);
    };
#ifdef Q_OS_UNIX
    // On disk before it replaces the old file: a crash never leaves a short one.
    const int fd = ::open(QFile::encodeName(temporary).constData(), O_RDONLY);
    if (fd < 0)
        return discard(QStringLiteral("file temporaneo scomparso : ") + temporary);
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    if (!synced)
        return discard(QStringLiteral("spazio su disco esaurito"));
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0)
        return discard(QStringLiteral("impossibile sostituire ") + QDir::toNativeSeparators(target));
#else
    if (QFile::exists(target) && !QFile::remove(target))
        return discard(QStringLiteral("impossibile sostituire ") + QDir::toNativeSeparators(target));
    if (!QFile::rename(temporary, target))
        return discard(QStringLiteral("impossibile sostituire ") + QDir::toNativeSeparators(target));
#endif
    return true;
}

bool sameFile(const QString& a, const QString& b)
{
#ifdef Q_OS_UNIX
    // Hard links too: the same device and inode.
    struct stat first {}, second {};
    if (::stat(QFile::encodeName(a).constData(), &first) != 0 || ::stat(QFile::encodeName(b).constData(), &second) != 0)
        return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
#else
    const QString left = QFileInfo(a).canonicalFilePath();
    return !left.isEmpty() && left.compare(QFileInfo(b).canonicalFilePath(), Qt::CaseInsensitive) == 0;
#endif
}

} // namespace corv
