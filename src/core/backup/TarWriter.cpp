#include "backup/TarWriter.h"

#include "platform/TextFile.h"

#include <QDateTime>
#include <QFileInfo>
#include <array>
#include <cstring>
#include <unistd.h>

namespace corv {

namespace {

constexpr qint64 kBlock = 512;

void octal(char* field, int width, qint64 value)
{
    // Right-aligned octal digits, the last byte a terminator.
    std::snprintf(field, static_cast<std::size_t>(width), "%0*llo", width - 1, static_cast<unsigned long long>(value));
}

qint64 parseOctal(const char* field, int width)
{
    qint64 value = 0;
    for (int i = 0; i < width && field[i] >= '0' && field[i] <= '7'; ++i)
        value = value * 8 + (field[i] - '0');
    return value;
}

} // namespace

TarWriter::TarWriter(const QString& path) : file_(path)
{
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        fail(file_.errorString());
}

bool TarWriter::fail(const QString& reason)
{
    if (error_.isEmpty())
        error_ = reason.isEmpty() ? QStringLiteral("errore di scrittura") : reason;
    return false;
}

bool TarWriter::write(const char* data, qint64 size)
{
    if (!ok())
        return false;
    return file_.write(data, size) == size || fail(writeErrorOf(file_));
}

bool TarWriter::addFile(const QString& name, const QString& sourcePath)
{
    const QByteArray entry = name.toUtf8();
    if (entry.size() > 100)
        return fail(QStringLiteral("nome troppo lungo per l'archivio : ") + name);
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        return fail(source.fileName() + QStringLiteral(" : ") + source.errorString());
    const qint64 size = source.size();
    std::array<char, kBlock> header{};
    std::memcpy(header.data(), entry.constData(), static_cast<std::size_t>(entry.size()));
    octal(header.data() + 100, 8, 0644);
    octal(header.data() + 108, 8, 0);
    octal(header.data() + 116, 8, 0);
    octal(header.data() + 124, 12, size);
    octal(header.data() + 136, 12, QDateTime::currentSecsSinceEpoch());
    header[156] = '0';
    std::memcpy(header.data() + 257, "ustar", 6);
    std::memcpy(header.data() + 263, "00", 2);
    // The checksum counts its own field as blanks.
    std::memset(header.data() + 148, ' ', 8);
    unsigned sum = 0;
    for (char c : header)
        sum += static_cast<unsigned char>(c);
    std::snprintf(header.data() + 148, 8, "%06o", sum);
    header[155] = ' ';
    if (!write(header.data(), kBlock))
        return false;
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    qint64 copied = 0;
    while (copied < size) {
        const qint64 got = source.read(buffer.data(), buffer.size());
        if (got <= 0)
            return fail(source.fileName() + QStringLiteral(" : ") + source.errorString());
        if (!write(buffer.constData(), got))
            return false;
        copied += got;
    }
    const qint64 padding = (kBlock - size % kBlock) % kBlock;
    static const std::array<char, kBlock> zeros{};
    return write(zeros.data(), padding);
}

bool TarWriter::close()
{
    static const std::array<char, kBlock * 2> zeros{};
    if (!write(zeros.data(), kBlock * 2))
        return false;
    if (!file_.flush() || ::fsync(file_.handle()) != 0)
        return fail(writeErrorOf(file_));
    file_.close();
    return ok();
}

QList<TarMember> tarMembers(const QString& path)
{
    QList<TarMember> members;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return members;
    std::array<char, kBlock> header{};
    while (file.read(header.data(), kBlock) == kBlock && header[0] != '\0') {
        TarMember member{QString::fromUtf8(header.data(), static_cast<qsizetype>(strnlen(header.data(), 100))), parseOctal(header.data() + 124, 12)};
        members << member;
        file.seek(file.pos() + (member.size + kBlock - 1) / kBlock * kBlock);
    }
    return members;
}

bool extractTarMember(const QString& archive, const QString& name, const QString& target)
{
    QFile file(archive);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    std::array<char, kBlock> header{};
    while (file.read(header.data(), kBlock) == kBlock && header[0] != '\0') {
        const QString member = QString::fromUtf8(header.data(), static_cast<qsizetype>(strnlen(header.data(), 100)));
        const qint64 size = parseOctal(header.data() + 124, 12);
        if (member != name) {
            file.seek(file.pos() + (size + kBlock - 1) / kBlock * kBlock);
            continue;
        }
        QFile out(target);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        qint64 left = size;
        QByteArray buffer(1 << 20, Qt::Uninitialized);
        while (left > 0) {
            const qint64 got = file.read(buffer.data(), std::min<qint64>(left, buffer.size()));
            if (got <= 0 || out.write(buffer.constData(), got) != got)
                return false;
            left -= got;
        }
        return out.flush();
    }
    return false;
}

} // namespace corv
