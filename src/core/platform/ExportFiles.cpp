#include "platform/ExportFiles.h"

#include "platform/TextFile.h"

#include <QDir>
#include <algorithm>

namespace corv::legacy {

QString exportFilePath(const QString& folder, const QString& company, const QString& kind)
{
    if (folder.isEmpty() || company.isEmpty())
        return {};
    const QString wanted = QStringLiteral("TR") + company + kind;
    const QDir dir(folder);
    if (dir.exists(wanted))
        return dir.filePath(wanted);
    // The name as the folder spells it.
    const QStringList files = dir.entryList({wanted}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& file : files) {
        if (file.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.filePath(file);
    }
    return {};
}

QStringList exportCompanies(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    QDir dir(folder);
    dir.setNameFilters({QStringLiteral("TR???AZI")});
    dir.setFilter(QDir::Files);
    QStringList companies;
    const QStringList files = dir.entryList();
    for (const QString& file : files) {
        if (file.size() == 8)
            companies << file.mid(2, 3);
    }
    std::sort(companies.begin(), companies.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    companies.erase(std::unique(companies.begin(), companies.end(),
                                [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }),
                    companies.end());
    return companies;
}

void ExportRecord::assign(QByteArrayView line)
{
    line_.resize(0);
    line_.append(line.data(), line.size());
    starts_.resize(0);
    starts_.append(0);
    ascii_ = true;
    const char* data = line_.constData();
    for (qsizetype i = 0, n = line_.size(); i < n; ++i) {
        const char c = data[i];
        if (c == '|')
            starts_.append(i + 1);
        else if (static_cast<unsigned char>(c) >= 0x80)
            ascii_ = false;
    }
}

QByteArrayView ExportRecord::bytes(int position) const
{
    if (position < 1 || position > starts_.size())
        return {};
    const qsizetype start = starts_[position - 1];
    const qsizetype end = position < starts_.size() ? starts_[position] - 1 : line_.size();
    return QByteArrayView(line_.constData() + start, end - start);
}

QString ExportRecord::field(int position) const
{
    const QByteArrayView value = bytes(position);
    return ascii_ ? QString::fromLatin1(value) : decodeText(value.toByteArray());
}

QString ExportRecord::text() const { return ascii_ ? QString::fromLatin1(line_) : decodeText(line_); }

ExportReader::ExportReader(const QString& path) : file_(path)
{
    if (!path.isEmpty())
        file_.open(QIODevice::ReadOnly);
}

bool ExportReader::fill()
{
    if (atEnd_)
        return false;
    buffer_.remove(0, position_);
    position_ = 0;
    constexpr qsizetype kBlock = 1 << 20;
    const qsizetype kept = buffer_.size();
    buffer_.resize(kept + kBlock);
    const qint64 got = file_.read(buffer_.data() + kept, kBlock);
    if (got < 0) {
        failed_ = true;
        atEnd_ = true;
        buffer_.resize(kept);
        return false;
    }
    buffer_.resize(kept + got);
    if (got == 0)
        atEnd_ = true;
    return got > 0;
}

bool ExportReader::next(ExportRecord& record)
{
    if (!file_.isOpen())
        return false;
    while (true) {
        qsizetype end = buffer_.indexOf('\n', position_);
        while (end < 0) {
            if (!fill()) {
                if (position_ >= buffer_.size())
                    return false;
                end = buffer_.size(); // the last line, without its line end
                break;
            }
            end = buffer_.indexOf('\n', position_);
        }
        QByteArrayView line(buffer_.constData() + position_, end - position_);
        position_ = std::min(end + 1, buffer_.size());
        ++lineNumber_;
        while (!line.isEmpty() && (line.back() == '\r' || line.back() == '\n'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        record.assign(line);
        return true;
    }
}

} // namespace corv::legacy
