#include "util/CompactLines.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace corv {

CompactLines::CompactLines(const QStringList& lines)
{
    ends_.reserve(lines.size());
    for (const QString& line : lines)
        append(line);
}

void CompactLines::append(QStringView line)
{
    // Report lines are nearly always plain ASCII: copied without a conversion.
    const qsizetype start = text_.size();
    text_.resize(start + line.size());
    char* out = text_.data() + start;
    for (const QChar c : line) {
        if (c.unicode() >= 0x80) {
            text_.resize(start);
            text_.append(line.toUtf8());
            break;
        }
        *out++ = static_cast<char>(c.unicode());
    }
    ends_.append(text_.size());
}

void CompactLines::append(const CompactLines& other)
{
    const qsizetype base = text_.size();
    text_.append(other.text_);
    ends_.reserve(ends_.size() + other.ends_.size());
    for (qsizetype end : other.ends_)
        ends_.append(base + end);
}

void CompactLines::clear()
{
    text_.clear();
    ends_.clear();
}

QByteArrayView CompactLines::utf8At(qsizetype index) const
{
    const qsizetype begin = index == 0 ? 0 : ends_[index - 1];
    return QByteArrayView(text_.constData() + begin, ends_[index] - begin);
}

QString CompactLines::at(qsizetype index) const { return QString::fromUtf8(utf8At(index)); }

QStringList CompactLines::toStringList() const
{
    QStringList lines;
    lines.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        lines << at(i);
    return lines;
}

namespace {
// Letters compare without case (ASCII; bytes beyond it as they are).
bool lessCaseInsensitive(QByteArrayView a, QByteArrayView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        auto fold = [](char c) { return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c); };
        const unsigned char x = fold(a[i]), y = fold(b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}
} // namespace

void CompactLines::sortCaseInsensitive()
{
    std::vector<qsizetype> order(static_cast<std::size_t>(size()));
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(), [this](qsizetype a, qsizetype b) { return lessCaseInsensitive(utf8At(a), utf8At(b)); });
    CompactLines sorted;
    sorted.text_.reserve(text_.size());
    sorted.ends_.reserve(ends_.size());
    for (qsizetype index : order) {
        sorted.text_.append(utf8At(index));
        sorted.ends_.append(sorted.text_.size());
    }
    *this = std::move(sorted);
}

} // namespace corv
