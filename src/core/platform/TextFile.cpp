#include "platform/TextFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

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

bool writeTextFileAtomically(const QString& path, const QString& text, bool ownerOnly)
{
    if (ownerOnly && !QFile::exists(path)) {
        // Create the file with owner-only rights first: QSaveFile keeps the
        // permissions of the file it replaces, so the password never sits in a
        // world-readable file, not even for a moment.
        QFile seed(path);
        if (!seed.open(QIODevice::WriteOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
            return false;
        seed.close();
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.toUtf8());
    if (!file.commit())
        return false;
    if (ownerOnly)
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

} // namespace corv
