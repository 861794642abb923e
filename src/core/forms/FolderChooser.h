#pragma once

#include "platform/Ui.h"

#include <QString>
#include <QStringList>

namespace corv {

class IniFile;


// The logic of the folder chooser F_Fold, its window apart: the drives (the
// mounted volumes), the current folder, the new subfolder, and the choice
// remembered under the caller's key in the settings file. It never changes
// the process's current directory.
class FolderChooser {
public:
    FolderChooser(IniFile& settings, QString key, const QString& startFolder);

    // The mounted volumes, as the drive list shows them: the root, and the
    // volume's name in brackets when it has one. Pseudo file systems are left out.
    static QStringList driveEntries();
    // The root of a drive entry (the text before " [").
    static QString driveRoot(const QString& entry);
    // The drive holding a folder (the root of its volume).
    static QString driveOf(const QString& folder);

    const QString& key() const { return key_; }
    const QString& folder() const { return folder_; }
    QString drive() const { return driveOf(folder_); }
    void setFolder(const QString& folder);
    // The folder moves to the root of the drive; the message ("Cambio Drive :
    // …") when it cannot.
    QString changeDrive(const QString& entry);
    // The files of the current folder, by name.
    QStringList files() const;

    // A new subfolder of the current folder. Empty when made; otherwise the
    // message: an existing name, a name that is no plain folder name (a path
    // separator, "." or ".."), or the system's refusal.
    enum class NewFolder { Created, Nothing, Exists, BadName, Failed };
    NewFolder createSubfolder(const QString& name, QString* message = nullptr);

    // "OK": the choice stored under the caller's key and handed back.
    FolderChoice accept(const QString& selectedFile);

    // The folder last chosen under a key; empty when none.
    static QString lastFolder(const IniFile& settings, const QString& key);

private:
    IniFile& settings_;
    QString key_;
    QString folder_;
};

} // namespace corv
