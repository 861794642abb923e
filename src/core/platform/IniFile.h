#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

namespace corv {

// A key of an INI file: its section and its name.
struct IniKey {
    QString section;
    QString name;
};

// An INI file with the semantics of the Windows private-profile functions:
// section and key names compare without regard to case, a missing file or key
// yields the caller's default, values are trimmed, and writing one key keeps
// every other line of the file (comments and order included). The file is read
// again whenever it changed on disk (its lines are kept between calls
// otherwise), so several writers stay in step and a large file is parsed once.
class IniFile {
public:
    explicit IniFile(QString path, bool ownerOnly = false);

    const QString& path() const { return path_; }
    bool exists() const;
    // True when the file is missing or holds no key at all.
    bool isEmpty() const;

    QString read(const QString& section, const QString& key, const QString& defaultValue = {}) const;
    // Like GetPrivateProfileInt: the leading number of the value, 0 when the
    // value does not start with one, the default when the key is missing.
    int readInt(const QString& section, const QString& key, int defaultValue) const;
    bool contains(const QString& section, const QString& key) const;
    QStringList keys(const QString& section) const;
    // True when the section holds at least one key.
    bool hasSection(const QString& section) const { return !keys(section).isEmpty(); }

    // False when the file could not be written (a full disk, a folder that
    // cannot be written): the file stays as it was and lastError() says why.
    // A value never spans lines: line breaks in it become blanks, so a value
    // can never create keys of its own.
    bool write(const QString& section, const QString& key, const QString& value);
    // Several keys of one section in a single write of the file.
    bool writeKeys(const QString& section, const QList<std::pair<QString, QString>>& values);
    // Several keys of any sections in a single write of the file.
    bool writeAll(const QList<std::pair<IniKey, QString>>& values);
    const QString& lastError() const { return lastError_; }
    // The section and its keys removed; false when the file could not be written.
    bool removeSection(const QString& section);

    QString read(const IniKey& key, const QString& defaultValue = {}) const { return read(key.section, key.name, defaultValue); }
    int readInt(const IniKey& key, int defaultValue) const { return readInt(key.section, key.name, defaultValue); }
    bool contains(const IniKey& key) const { return contains(key.section, key.name); }
    bool write(const IniKey& key, const QString& value) { return write(key.section, key.name, value); }

private:
    std::optional<QString> stored(const QString& section, const QString& key) const;
    QStringList lines() const;
    // The file's new lines written in place (and remembered); false on failure.
    bool store(const QStringList& all);
    // Index of the key's line inside the section, or -1; sectionEnd receives the
    // index after the section's last key (or -1 when the section is missing).
    int findKey(const QStringList& lines, const QString& section, const QString& key,
                int* sectionEnd) const;

    QString path_;
    bool ownerOnly_;
    QString lastError_;
};

} // namespace corv
