#include "platform/SingleInstance.h"

#include <QDir>
#include <QFileInfo>

namespace corv {

SingleInstance::SingleInstance(const QString& lockPath) : path_(lockPath), lock_(lockPath)
{
    lock_.setStaleLockTime(0); // a copy that runs for days must not lose its lock
}

SingleInstance::Result SingleInstance::acquire()
{
    if (lock_.tryLock(0))
        return Result::Acquired;
    return lock_.error() == QLockFile::LockFailedError ? Result::AlreadyRunning : Result::CannotCreate;
}

QString SingleInstance::failureText(Result result) const
{
    if (result == Result::AlreadyRunning)
        return QString::fromUtf8(kAlreadyRunningMessage);
    return QStringLiteral("Impossibile avviare il programma: non si può creare il file di controllo nella cartella dei dati :\r\n")
           + QDir::toNativeSeparators(QFileInfo(path_).absolutePath())
           + QStringLiteral("\r\n(cartella in sola lettura o disco pieno ?)");
}

} // namespace corv
