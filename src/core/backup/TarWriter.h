#pragma once

#include <QFile>
#include <QString>

namespace corv {

// Writes a tar archive (POSIX ustar) that standard tools open: `tar -xf`.
// Every write is checked; a failure stays failed and says why.
class TarWriter {
public:
    explicit TarWriter(const QString& path);
    bool ok() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }
    // Adds a file under a name of at most 100 characters, copied in blocks.
    bool addFile(const QString& name, const QString& sourcePath);
    // The two closing blocks, flushed and put on disk.
    bool close();

private:
    bool write(const char* data, qint64 size);
    bool fail(const QString& reason);

    QFile file_;
    QString error_;
};

// The members of a tar archive and their sizes, read back (for checks).
struct TarMember {
    QString name;
    qint64 size = 0;
};
QList<TarMember> tarMembers(const QString& path);
// Extracts one member to a file; false when it is not there or cannot be written.
bool extractTarMember(const QString& archive, const QString& name, const QString& target);

} // namespace corv
