#include "backup/Archive.h"

#include <QDateTime>
#include <QFile>

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace corv {

namespace {

constexpr qint64 kBlock = 1 << 20;

struct EntryDeleter {
    void operator()(archive_entry* entry) const { archive_entry_free(entry); }
};
using Entry = std::unique_ptr<archive_entry, EntryDeleter>;

// The data regions of a file (offset, length); one region for a file without
// holes, none for a file of holes only.
std::vector<std::pair<qint64, qint64>> dataRegions(int fd, qint64 size)
{
    std::vector<std::pair<qint64, qint64>> regions;
#if defined(SEEK_DATA) && defined(SEEK_HOLE)
    qint64 at = 0;
    while (at < size) {
        const off_t data = ::lseek(fd, at, SEEK_DATA);
        if (data < 0)
            break; // no more data: the rest is a hole (or the system cannot tell)
        const off_t hole = ::lseek(fd, data, SEEK_HOLE);
        const qint64 end = hole < 0 ? size : std::min<qint64>(hole, size);
        if (end > data)
            regions.emplace_back(data, end - data);
        at = end;
    }
    if (regions.empty() && ::lseek(fd, 0, SEEK_DATA) < 0 && errno != ENXIO)
        regions.emplace_back(0, size); // holes unknown to this file system: all data
    ::lseek(fd, 0, SEEK_SET);
#else
    Q_UNUSED(fd);
    if (size > 0)
        regions.emplace_back(0, size);
#endif
    return regions;
}

} // namespace

ArchiveWriter::ArchiveWriter(const QString& path) : path_(path)
{
    fd_ = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        fail(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    archive_ = archive_write_new();
    // Restricted pax: plain ustar headers, pax extensions only where a member
    // needs them (a size beyond 8 GiB, a long or non-ASCII name, holes).
    if (archive_write_set_format_pax_restricted(archive_) != ARCHIVE_OK || archive_write_open_fd(archive_, fd_) != ARCHIVE_OK)
        failFromArchive();
}

ArchiveWriter::~ArchiveWriter()
{
    if (archive_)
        archive_write_free(archive_);
    if (fd_ >= 0)
        ::close(fd_);
}

bool ArchiveWriter::fail(const QString& reason)
{
    if (error_.isEmpty())
        error_ = reason.isEmpty() ? QStringLiteral("errore di scrittura dell'archivio") : reason;
    return false;
}

bool ArchiveWriter::failFromArchive()
{
    const int code = archive_ ? archive_errno(archive_) : 0;
    // A full disk is said as such.
    if (code == ENOSPC || code == EFBIG || code == EDQUOT)
        return fail(QStringLiteral("spazio su disco esaurito"));
    const char* text = archive_ ? archive_error_string(archive_) : nullptr;
    return fail(text ? QString::fromLocal8Bit(text) : QString());
}

bool ArchiveWriter::addFile(const QString& name, const QString& sourcePath)
{
    if (!ok())
        return false;
    const int source = ::open(QFile::encodeName(sourcePath).constData(), O_RDONLY | O_CLOEXEC);
    if (source < 0)
        return fail(QStringLiteral("impossibile leggere ") + sourcePath);
    struct SourceCloser {
        int fd;
        ~SourceCloser() { ::close(fd); }
    } closer{source};
    struct stat info {};
    if (::fstat(source, &info) != 0)
        return fail(QStringLiteral("impossibile leggere ") + sourcePath);
    const qint64 size = info.st_size;
    const auto regions = dataRegions(source, size);

    Entry entry(archive_entry_new());
    archive_entry_set_pathname_utf8(entry.get(), name.toUtf8().constData());
    archive_entry_set_filetype(entry.get(), AE_IFREG);
    archive_entry_set_perm(entry.get(), 0600);
    archive_entry_set_size(entry.get(), size);
    archive_entry_set_mtime(entry.get(), QDateTime::currentSecsSinceEpoch(), 0);
    const bool sparse = !(regions.size() == 1 && regions.front() == std::pair<qint64, qint64>(0, size));
    if (sparse) {
        for (const auto& [offset, length] : regions)
            archive_entry_sparse_add_entry(entry.get(), offset, length);
    }
    if (archive_write_header(archive_, entry.get()) < ARCHIVE_OK)
        return failFromArchive();

    std::vector<char> buffer(static_cast<std::size_t>(kBlock));
    // The writer takes the member's whole length in order and leaves out the
    // bytes of its holes: a hole is handed over as zeros it does not write.
    const std::vector<char> zeros(static_cast<std::size_t>(kBlock), 0);
    qint64 fed = 0;
    const auto skipTo = [&](qint64 offset) {
        while (fed < offset) {
            const qint64 step = std::min(offset - fed, kBlock);
            if (archive_write_data(archive_, zeros.data(), static_cast<std::size_t>(step)) != step)
                return false;
            fed += step;
        }
        return true;
    };
    for (const auto& [offset, length] : regions) {
        if (!skipTo(offset))
            return failFromArchive();
        if (::lseek(source, offset, SEEK_SET) != offset)
            return fail(QStringLiteral("impossibile leggere ") + sourcePath);
        for (qint64 left = length; left > 0;) {
            const ssize_t got = ::read(source, buffer.data(), static_cast<std::size_t>(std::min(left, kBlock)));
            if (got <= 0)
                return fail(QStringLiteral("impossibile leggere ") + sourcePath);
            if (archive_write_data(archive_, buffer.data(), static_cast<std::size_t>(got)) != got)
                return failFromArchive();
            left -= got;
            fed += got;
        }
    }
    if (!skipTo(size))
        return failFromArchive();
    if (archive_write_finish_entry(archive_) < ARCHIVE_OK)
        return failFromArchive();
    return true;
}

bool ArchiveWriter::close()
{
    if (!ok())
        return false;
    if (archive_write_close(archive_) != ARCHIVE_OK)
        return failFromArchive();
    archive_write_free(archive_);
    archive_ = nullptr;
    // On disk before the archive is called complete.
    const bool synced = ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!synced || !closed)
        return fail(QStringLiteral("spazio su disco esaurito"));
    return true;
}

namespace {

struct ReaderDeleter {
    void operator()(archive* a) const { archive_read_free(a); }
};

std::unique_ptr<archive, ReaderDeleter> openForReading(const QString& path)
{
    std::unique_ptr<archive, ReaderDeleter> reader(archive_read_new());
    archive_read_support_format_tar(reader.get());
    if (archive_read_open_filename(reader.get(), QFile::encodeName(path).constData(), 1 << 16) != ARCHIVE_OK)
        return nullptr;
    return reader;
}

} // namespace

QList<ArchiveMember> archiveMembers(const QString& path)
{
    QList<ArchiveMember> members;
    auto reader = openForReading(path);
    if (!reader)
        return members;
    archive_entry* entry = nullptr;
    while (archive_read_next_header(reader.get(), &entry) == ARCHIVE_OK)
        members.append({QString::fromUtf8(archive_entry_pathname_utf8(entry)), archive_entry_size(entry)});
    return members;
}

bool extractArchiveMember(const QString& archivePath, const QString& name, const QString& target)
{
    auto reader = openForReading(archivePath);
    if (!reader)
        return false;
    archive_entry* entry = nullptr;
    while (archive_read_next_header(reader.get(), &entry) == ARCHIVE_OK) {
        if (QString::fromUtf8(archive_entry_pathname_utf8(entry)) != name)
            continue;
        const int out = ::open(QFile::encodeName(target).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (out < 0)
            return false;
        bool ok = true;
        const void* data = nullptr;
        size_t length = 0;
        la_int64_t offset = 0;
        int status = ARCHIVE_OK;
        // Blocks at their offsets: a member's holes stay holes in the file.
        while (ok && (status = archive_read_data_block(reader.get(), &data, &length, &offset)) == ARCHIVE_OK)
            ok = ::pwrite(out, data, length, offset) == static_cast<ssize_t>(length);
        ok = ok && status == ARCHIVE_EOF && ::ftruncate(out, archive_entry_size(entry)) == 0;
        return ::close(out) == 0 && ok;
    }
    return false;
}

} // namespace corv
