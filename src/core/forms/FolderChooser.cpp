#include "forms/FolderChooser.h"

#include "platform/IniFile.h"
#include "settings/SettingsKeys.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>

namespace corv {

namespace {

bool pseudoFileSystem(const QByteArray& type)
{
    static const QByteArrayList pseudo = {"proc",    "sysfs",      "devtmpfs", "devpts",  "cgroup",   "cgroup2", "securityfs", "pstore",
                                          "bpf",     "tracefs",    "debugfs",  "mqueue",  "hugetlbfs", "configfs", "fusectl",   "autofs",
                                          "binfmt_misc", "efivarfs", "nsfs",   "rpc_pipefs", "selinuxfs", "ramfs"};
    return pseudo.contains(type);
}

} // namespace

FolderChooser::FolderChooser(IniFile& settings, QString key, const QString& startFolder) : settings_(settings), key_(std::move(key))
{
    setFolder(startFolder.isEmpty() || !QDir(startFolder).exists() ? QDir::homePath() : startFolder);
}

QStringList FolderChooser::driveEntries()
{
    QStringList entries;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady() || pseudoFileSystem(volume.fileSystemType()))
            continue;
        const QString name = volume.name();
        entries << volume.rootPath() + (name.isEmpty() ? QString() : QStringLiteral(" [") + name + QLatin1Char(']'));
    }
    std::sort(entries.begin(), entries.end());
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    return entries;
}

QString FolderChooser::driveRoot(const QString& entry)
{
    const qsizetype bracket = entry.indexOf(QStringLiteral(" ["));
    return bracket < 0 ? entry : entry.left(bracket);
}

QString FolderChooser::driveOf(const QString& folder) { return QStorageInfo(folder).rootPath(); }

void FolderChooser::setFolder(const QString& folder) { folder_ = QDir::cleanPath(QFileInfo(folder).absoluteFilePath()); }

QString FolderChooser::changeDrive(const QString& entry)
{
    const QString root = driveRoot(entry);
    const QFileInfo info(root);
    if (!info.isDir() || !info.isReadable())
        return QStringLiteral("Cambio Drive : ") + root + QStringLiteral(" non accessibile");
    setFolder(root);
    return {};
}

QStringList FolderChooser::files() const { return QDir(folder_).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase); }

FolderChooser::NewFolder FolderChooser::createSubfolder(const QString& name, QString* message)
{
    const auto say = [message](const QString& text) {
        if (message)
            *message = text;
    };
    if (name.isEmpty())
        return NewFolder::Nothing;
    if (name == QLatin1String(".") || name == QLatin1String("..") || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
        || name.contains(QChar(0))) {
        say(QStringLiteral("Nome di cartella non valido : ") + name);
        return NewFolder::BadName;
    }
    QDir dir(folder_);
    if (QFileInfo::exists(dir.filePath(name))) {
        say(QStringLiteral("Cartella o file già esistente !"));
        return NewFolder::Exists;
    }
    if (!dir.mkdir(name)) {
        say(QStringLiteral("Impossibile creare la cartella : ") + dir.filePath(name));
        return NewFolder::Failed;
    }
    return NewFolder::Created;
}

FolderChoice FolderChooser::accept(const QString& selectedFile)
{
    const FolderChoice choice{drive(), folder_, selectedFile};
    settings_.write(keys::kChooserDriveSection, key_, choice.drive);
    settings_.write(keys::kChooserFolderSection, key_, choice.folder);
    settings_.write(keys::kChooserFileSection, key_, choice.file);
    return choice;
}

QString FolderChooser::lastFolder(const IniFile& settings, const QString& key) { return settings.read(keys::kChooserFolderSection, key); }

} // namespace corv
