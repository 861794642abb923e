#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryFile>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace corv {

class RowReader;

// One value of a spooled row, as the engine gave it.
struct SpooledCell {
    enum Kind : char { Null = 'N', Integer = 'I', Real = 'F', Text = 'T', Binary = 'B' };
    Kind kind = Null;
    std::int64_t integer = 0;
    double real = 0;
    std::string_view text; // UTF-8; valid until the next row is read

    // The value as text (numbers as the engine writes them).
    QString toText() const;
};

// The rows of a statement kept between the read that learns their widths and
// the pass that writes them: in memory up to some megabytes, on disk beyond,
// so that the statement runs once and the memory does not grow with the
// number of rows.
class RowSpool {
public:
    // Up to memoryLimit bytes of rows stay in memory (the default: 32 MiB).
    explicit RowSpool(std::size_t memoryLimit = std::size_t(32) << 20);
    bool isOpen() const { return ok_; }

    // Writing, row by row. The cell written is handed back (its text good
    // until the reader moves on).
    SpooledCell add(const RowReader& reader, int column);
    void add(const SpooledCell& cell);
    // Done writing: back to the first row for reading. False on a disk error.
    bool rewind();

    // Reading: the next row's `columns` cells; false at the end or on an error.
    bool next(int columns, std::vector<SpooledCell>& cells);

private:
    bool flush();
    bool fill(std::size_t needed);
    void put(const void* data, std::size_t size)
    {
        if (used_ + size > static_cast<std::size_t>(out_.size()))
            makeRoom(size);
        std::memcpy(out_.data() + used_, data, size);
        used_ += size;
    }
    void makeRoom(std::size_t size);

    QTemporaryFile file_;
    QByteArray buffer_;     // reading
    QByteArray out_;        // writing: its first used_ bytes
    std::size_t used_ = 0;
    QByteArray textCopy_;   // a value the Qt driver gave, kept for the cell handed back
    qsizetype at_ = 0;
    std::vector<std::pair<qsizetype, std::uint32_t>> texts_; // where a row's texts lie in the buffer
    std::size_t memoryLimit_;
    bool flushed_ = false; // some rows went to the file: the spool no longer fits in memory
    bool ok_ = false;
};

} // namespace corv
