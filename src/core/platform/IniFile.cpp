#include "platform/IniFile.h"

#include "platform/TextFile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRegularExpression>

namespace corv {

namespace {

bool isSectionLine(const QString& trimmed, QString* name)
{
    if (!trimmed.startsWith(QLatin1Char('[')))
        return false;
    const int close = trimmed.indexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    if (name)
        *name = trimmed.mid(1, close - 1).trimmed();
    return true;
}

bool splitKeyLine(const QString& line, QString* key, QString* value)
{
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')))
        return false;
    const int eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    if (key)
        *key = line.left(eq).trimmed();
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return true;
}

} // namespace

IniFile::IniFile(QString path, bool ownerOnly) : path_(std::move(path)), ownerOnly_(ownerOnly) {}

bool IniFile::exists() const { return QFileInfo::exists(path_); }

namespace {

// The lines of the files read so far, kept while the file stays as it was.
struct CachedLines {
    QDateTime modified;
    qint64 size = -1;
    QStringList lines;
};
QMutex cacheLock;
QHash<QString, CachedLines>& cache()
{
    static QHash<QString, CachedLines> files;
    return files;
}

QStringList parseLines(QString text)
{
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    static const QRegularExpression eol(QStringLiteral("\r\n|\n|\r"));
    QStringList result = text.split(eol);
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

} // namespace

QStringList IniFile::lines() const
{
    const QFileInfo info(path_);
    if (!info.isFile())
        return {};
    QMutexLocker locker(&cacheLock);
    CachedLines& cached = cache()[info.absoluteFilePath()];
    if (cached.size == info.size() && cached.modified == info.lastModified())
        return cached.lines;
    QString text;
    if (!readTextFile(path_, text)) {
        cache().remove(info.absoluteFilePath());
        return {};
    }
    cached = {info.lastModified(), info.size(), parseLines(text)};
    return cached.lines;
}

int IniFile::findKey(const QStringList& lines, const QString& section, const QString& key,
                     int* sectionEnd) const
{
    bool inSection = false;
    int end = -1;
    int found = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QString trimmed = lines[i].trimmed();
        QString name;
        if (isSectionLine(trimmed, &name)) {
            if (inSection && found >= 0)
                break;
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            if (inSection && end < 0)
                end = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        QString k;
        if (splitKeyLine(lines[i], &k, nullptr)) {
            end = i + 1;
            if (found < 0 && k.compare(key, Qt::CaseInsensitive) == 0)
                found = i;
        }
    }
    if (sectionEnd)
        *sectionEnd = end;
    return found;
}

std::optional<QString> IniFile::stored(const QString& section, const QString& key) const
{
    const QStringList all = lines();
    const int at = findKey(all, section, key, nullptr);
    if (at < 0)
        return std::nullopt;
    QString value;
    splitKeyLine(all[at], nullptr, &value);
    return value;
}

QString IniFile::read(const QString& section, const QString& key, const QString& defaultValue) const
{
    return stored(section, key).value_or(defaultValue);
}

bool IniFile::contains(const QString& section, const QString& key) const
{
    return findKey(lines(), section, key, nullptr) >= 0;
}

int IniFile::readInt(const QString& section, const QString& key, int defaultValue) const
{
    const auto value = stored(section, key);
    if (!value)
        return defaultValue;
    static const QRegularExpression leading(QStringLiteral("^[+-]?\\d+"));
    const auto match = leading.match(*value);
    bool ok = false;
    const int number = match.hasMatch() ? match.captured(0).toInt(&ok) : 0;
    return ok ? number : 0;
}

QStringList IniFile::keys(const QString& section) const
{
    QStringList result;
    bool inSection = false;
    for (const QString& line : lines()) {
        QString name;
        if (isSectionLine(line.trimmed(), &name)) {
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        QString k;
        if (inSection && splitKeyLine(line, &k, nullptr))
            result << k;
    }
    return result;
}

bool IniFile::removeSection(const QString& section)
{
    QStringList all = lines();
    QStringList kept;
    bool inSection = false, removed = false;
    for (const QString& line : all) {
        QString name;
        if (isSectionLine(line.trimmed(), &name))
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
        if (inSection) {
            removed = true;
            continue;
        }
        kept << line;
    }
    if (!removed)
        return true;
    return store(kept);
}

bool IniFile::isEmpty() const
{
    for (const QString& line : lines()) {
        if (!isSectionLine(line.trimmed(), nullptr) && splitKeyLine(line, nullptr, nullptr))
            return false;
    }
    return true;
}

bool IniFile::write(const QString& section, const QString& key, const QString& value) { return writeKeys(section, {{key, value}}); }

bool IniFile::writeKeys(const QString& section, const QList<std::pair<QString, QString>>& values)
{
    QList<std::pair<IniKey, QString>> keyed;
    keyed.reserve(values.size());
    for (const auto& [key, value] : values)
        keyed.append({IniKey{section, key}, value});
    return writeAll(keyed);
}

bool IniFile::writeAll(const QList<std::pair<IniKey, QString>>& values)
{
    QStringList all = lines();
    for (const auto& [iniKey, value] : values) {
        const QString& section = iniKey.section;
        const QString& key = iniKey.name;
        int sectionEnd = -1;
        const int at = findKey(all, section, key, &sectionEnd);
        QString flat = value;
        flat.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        const QString line = key + QLatin1Char('=') + flat;
        if (at >= 0) {
            all[at] = line;
        } else if (sectionEnd >= 0) {
            all.insert(sectionEnd, line);
        } else {
            if (!all.isEmpty() && !all.last().trimmed().isEmpty())
                all << QString();
            all << QLatin1Char('[') + section + QLatin1Char(']') << line;
        }
    }
    return store(all);
}

bool IniFile::store(const QStringList& all)
{
    lastError_.clear();
    const bool written = writeTextFileAtomically(path_, all.join(QLatin1String("\r\n")) + QLatin1String("\r\n"), ownerOnly_, &lastError_);
    // What this write put there is known: the next read need not parse it.
    const QFileInfo info(path_);
    QMutexLocker locker(&cacheLock);
    if (written)
        cache()[info.absoluteFilePath()] = {info.lastModified(), info.size(), all};
    else
        cache().remove(info.absoluteFilePath());
    return written;
}

} // namespace corv
