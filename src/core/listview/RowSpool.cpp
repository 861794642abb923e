#include "listview/RowSpool.h"

#include "db/RowReader.h"

#include <QDateTime>
#include <algorithm>
#include <cstring>

namespace corv {

namespace {
constexpr qsizetype kBufferSize = 1 << 20;

} // namespace

QString SpooledCell::toText() const
{
    switch (kind) {
    case Integer: return QString::number(integer);
    case Real: return QString::number(real, 'g', 15);
    case Text: return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    case Binary: return QStringLiteral(".....");
    case Null: break;
    }
    return {};
}

RowSpool::RowSpool(std::size_t memoryLimit) : memoryLimit_(std::max<std::size_t>(memoryLimit, 64))
{
    out_.resize(static_cast<qsizetype>(std::min<std::size_t>(kBufferSize, memoryLimit_)));
    ok_ = file_.open();
}

void RowSpool::makeRoom(std::size_t size)
{
    // A small result stays in memory; past the limit everything goes to the
    // file, a buffer at a time, so the memory never grows with the rows.
    if (flushed_ || used_ + size > memoryLimit_)
        flush();
    if (used_ + size > static_cast<std::size_t>(out_.size())) // grown, its new bytes left as they are
        out_.resize(static_cast<qsizetype>(std::max<std::size_t>(static_cast<std::size_t>(out_.size()) * 2, used_ + size)));
}

SpooledCell RowSpool::add(const RowReader& reader, int column)
{
    SpooledCell cell;
    using Storage = RowReader::Storage;
    if (const auto storage = reader.storage(column)) {
        switch (*storage) {
        case Storage::Null: cell.kind = SpooledCell::Null; break;
        case Storage::Integer:
            cell.kind = SpooledCell::Integer;
            cell.integer = reader.integerAt(column);
            break;
        case Storage::Real:
            cell.kind = SpooledCell::Real;
            cell.real = reader.realAt(column);
            break;
        case Storage::Text:
            cell.kind = SpooledCell::Text;
            cell.text = reader.textAt(column);
            break;
        case Storage::Blob: cell.kind = SpooledCell::Binary; break;
        }
    } else if (reader.isNull(column)) {
        cell.kind = SpooledCell::Null;
    } else {
        // Through the Qt driver: what the engine typed as a number stays one.
        const QVariant value = reader.value(column);
        switch (value.typeId()) {
        case QMetaType::Int: case QMetaType::LongLong: case QMetaType::Short: case QMetaType::UShort: case QMetaType::UInt:
        case QMetaType::UChar: case QMetaType::SChar:
            cell.kind = SpooledCell::Integer;
            cell.integer = value.toLongLong();
            break;
        case QMetaType::Double: case QMetaType::Float:
            cell.kind = SpooledCell::Real;
            cell.real = value.toDouble();
            break;
        case QMetaType::QByteArray:
            cell.kind = SpooledCell::Binary;
            break;
        default:
            textCopy_ = (value.typeId() == QMetaType::QDateTime ? value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                         : value.typeId() == QMetaType::QDate   ? value.toDate().toString(QStringLiteral("yyyy-MM-dd"))
                                                                 : value.toString())
                            .toUtf8();
            cell.kind = SpooledCell::Text;
            cell.text = std::string_view(textCopy_.constData(), static_cast<std::size_t>(textCopy_.size()));
            break;
        }
    }
    add(cell);
    return cell;
}

void RowSpool::add(const SpooledCell& cell)
{
    // The kind and what follows it in one copy.
    char head[1 + sizeof(std::int64_t)];
    head[0] = static_cast<char>(cell.kind);
    switch (cell.kind) {
    case SpooledCell::Integer:
        std::memcpy(head + 1, &cell.integer, sizeof cell.integer);
        put(head, 1 + sizeof cell.integer);
        break;
    case SpooledCell::Real:
        std::memcpy(head + 1, &cell.real, sizeof cell.real);
        put(head, 1 + sizeof cell.real);
        break;
    case SpooledCell::Text: {
        const auto size = static_cast<std::uint32_t>(cell.text.size());
        std::memcpy(head + 1, &size, sizeof size);
        put(head, 1 + sizeof size);
        put(cell.text.data(), cell.text.size());
        break;
    }
    case SpooledCell::Null:
    case SpooledCell::Binary: put(head, 1); break;
    }
}

bool RowSpool::flush()
{
    flushed_ = true;
    if (ok_ && used_ > 0)
        ok_ = file_.write(out_.constData(), static_cast<qint64>(used_)) == static_cast<qint64>(used_);
    used_ = 0;
    return ok_;
}

bool RowSpool::rewind()
{
    at_ = 0;
    if (!flushed_) {
        // All in memory: read from there, the file stays empty.
        out_.truncate(static_cast<qsizetype>(used_));
        buffer_ = std::move(out_); // leaves the writing buffer empty
        used_ = 0;
        return ok_;
    }
    if (!flush() || !file_.seek(0))
        return ok_ = false;
    out_ = QByteArray();
    buffer_.reserve(kBufferSize + 8192);
    return true;
}

// At least `needed` unread bytes in the buffer, unless the file ends first.
// The buffer only grows here: offsets into it stay good for the whole row.
bool RowSpool::fill(std::size_t needed)
{
    const qsizetype left = buffer_.size() - at_;
    if (left >= static_cast<qsizetype>(needed))
        return true;
    const qsizetype want = std::max<qsizetype>(kBufferSize, static_cast<qsizetype>(needed) - left);
    const qsizetype old = buffer_.size();
    buffer_.resize(old + want);
    const qint64 got = file_.read(buffer_.data() + old, want);
    buffer_.resize(old + std::max<qint64>(got, 0));
    return buffer_.size() - at_ >= static_cast<qsizetype>(needed);
}

bool RowSpool::next(int columns, std::vector<SpooledCell>& cells)
{
    // What earlier rows used goes; this row's text is pointed at only once
    // the whole row is in the buffer, which may move while it grows.
    if (flushed_ && at_ > kBufferSize) {
        buffer_.remove(0, at_);
        at_ = 0;
    }
    cells.resize(static_cast<std::size_t>(columns));
    std::vector<std::pair<qsizetype, std::uint32_t>>& texts = texts_;
    texts.assign(static_cast<std::size_t>(columns), {0, 0});
    for (int c = 0; c < columns; ++c) {
        if (!fill(1))
            return false;
        SpooledCell& cell = cells[static_cast<std::size_t>(c)];
        cell.kind = static_cast<SpooledCell::Kind>(buffer_[at_++]);
        switch (cell.kind) {
        case SpooledCell::Integer:
            if (!fill(sizeof cell.integer))
                return false;
            std::memcpy(&cell.integer, buffer_.constData() + at_, sizeof cell.integer);
            at_ += sizeof cell.integer;
            break;
        case SpooledCell::Real:
            if (!fill(sizeof cell.real))
                return false;
            std::memcpy(&cell.real, buffer_.constData() + at_, sizeof cell.real);
            at_ += sizeof cell.real;
            break;
        case SpooledCell::Text: {
            std::uint32_t size = 0;
            if (!fill(sizeof size))
                return false;
            std::memcpy(&size, buffer_.constData() + at_, sizeof size);
            at_ += sizeof size;
            if (!fill(size))
                return false;
            texts[static_cast<std::size_t>(c)] = {at_, size};
            at_ += size;
            break;
        }
        case SpooledCell::Null:
        case SpooledCell::Binary: break;
        default: return false;
        }
    }
    for (int c = 0; c < columns; ++c) {
        if (cells[static_cast<std::size_t>(c)].kind == SpooledCell::Text) {
            const auto [offset, size] = texts[static_cast<std::size_t>(c)];
            cells[static_cast<std::size_t>(c)].text = std::string_view(buffer_.constData() + offset, size);
        }
    }
    return true;
}

} // namespace corv
