#pragma once

#include <QList>
#include <QString>

struct archive;

namespace corv {

// Writes a tar archive in the POSIX pax format, which standard tools open
// (`tar -xf`) and which holds members of any size (the plain tar size field
// ends at 8 GiB). The file is created readable by its owner only; every write
// is checked, and a failure stays failed and says why. Holes of a sparse
// source are recorded as holes, not written out.
class ArchiveWriter {
public:
    explicit ArchiveWriter(const QString& path);
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    bool ok() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }
    // Adds a file under `name`, copied in blocks.
    bool addFile(const QString& name, const QString& sourcePath);
    // The archive ended, flushed and put on disk.
    bool close();

private:
    bool fail(const QString& reason);
    bool failFromArchive();

    QString path_;
    int fd_ = -1;
    struct archive* archive_ = nullptr;
    QString error_;
};

// The members of an archive and their sizes, read back (for checks).
struct ArchiveMember {
    QString name;
    qint64 size = 0;
};
QList<ArchiveMember> archiveMembers(const QString& path);
// Extracts one member to a file (holes stay holes); false when it is not
// there or cannot be written.
bool extractArchiveMember(const QString& archive, const QString& name, const QString& target);

} // namespace corv
