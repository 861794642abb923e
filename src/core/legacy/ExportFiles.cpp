#include "legacy/ExportFiles.h"

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

ExportRecord::ExportRecord(QByteArray line) : line_(std::move(line))
{
    starts_.append(0);
    for (qsizetype i = 0; i < line_.size(); ++i) {
        if (line_[i] == '|')
            starts_.append(i + 1);
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

QString ExportRecord::field(int position) const { return decodeText(bytes(position).toByteArray()); }

QString ExportRecord::text() const { return decodeText(line_); }

ExportReader::ExportReader(const QString& path) : file_(path)
{
    if (!path.isEmpty())
        file_.open(QIODevice::ReadOnly);
}

bool ExportReader::next(ExportRecord& record)
{
    if (!file_.isOpen())
        return false;
    while (true) {
        QByteArray line = file_.readLine();
        if (line.isEmpty()) {
            failed_ = !file_.atEnd();
            return false;
        }
        ++lineNumber_;
        while (!line.isEmpty() && (line.endsWith('\n') || line.endsWith('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        record = ExportRecord(std::move(line));
        return true;
    }
}

} // namespace corv::legacy
