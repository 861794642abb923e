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
    // Windows-1252: Latin-1 but for 0x80-0x9F, where it keeps the euro sign,
    // the typographic quotes and dashes (the five unused codes stay as they are).
    static const char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    text.resize(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = byte >= 0x80 && byte < 0xA0 ? QChar(high[byte - 0x80]) : QChar(byte);
    }
    return text;
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
