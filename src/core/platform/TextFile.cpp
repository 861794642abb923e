#include "platform/TextFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace corv {

QString decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

bool readTextFile(const QString& path, QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    text = decodeText(file.readAll());
    return true;
}

bool writeFully(QFileDevice& file, const QByteArray& bytes) { return file.write(bytes) == bytes.size(); }

QString writeErrorOf(const QFileDevice& file)
{
    // A short write sets no error of its own: the disk is full or the file
    // has reached the size the system allows.
    return file.error() == QFileDevice::NoError ? QStringLiteral("spazio su disco esaurito") : file.errorString();
}

bool writeTextFileAtomically(const QString& path, const QString& text, bool ownerOnly, QString* reason)
{
    const auto fail = [&](const QString& why) {
        if (reason)
            *reason = why;
        return false;
    };
    if (ownerOnly && !QFile::exists(path)) {
        // Create the file with owner-only rights first: QSaveFile keeps the
        // permissions of the file it replaces, so the password never sits in a
        // world-readable file, not even for a moment.
        QFile seed(path);
        if (!seed.open(QIODevice::WriteOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
            return fail(seed.errorString());
        seed.close();
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    if (!writeFully(file, text.toUtf8())) {
        const QString why = writeErrorOf(file);
        file.cancelWriting();
        return fail(why);
    }
#ifdef Q_OS_UNIX
    // On disk before it replaces the old file: a crash never leaves an empty one.
    if (::fsync(file.handle()) != 0) {
        file.cancelWriting();
        return fail(QStringLiteral("spazio su disco esaurito"));
    }
#endif
    if (!file.commit())
        return fail(file.errorString());
    if (ownerOnly)
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

} // namespace corv
