#pragma once

#include "platform/IniFile.h"

#include <QString>

namespace corv {

class Ui;

// The logic of the SQL Server login window (F_SQLAccess): its three fields,
// filled from ARDEA_Z.INI or from the backup of the last working login, saved
// back to ARDEA_Z.INI. The window only shows the fields and calls these.
class SqlAccessForm {
public:
    SqlAccessForm(IniFile ardeaSettings, IniFile loginBackup, Ui& ui, QString registryServer);

    QString server;
    QString user;
    QString password;
    bool showPassword = false;

    // The server the registry names, shown in the window's label.
    const QString& serverLabel() const { return serverLabel_; }

    // First activation: the fields from ARDEA_Z.INI, or, when that is missing or
    // empty and a backup exists, from the backup if the user agrees.
    void activate();
    // "Ripristina": the fields from the backup; a missing backup is reported.
    void restoreFromBackup();
    // "Salva": writes the fields to ARDEA_Z.INI.
    void save();
    // "Abbandona".
    void abandon() { abandoned_ = true; }
    // The window is being closed: unsaved edits may be saved.
    void close();

    // True until the user saves: closing the window any other way abandons.
    bool abandoned() const { return abandoned_; }
    bool edited() const;

private:
    void fillFrom(const IniFile& file);
    void remember();

    IniFile ardea_;
    IniFile backup_;
    Ui& ui_;
    QString serverLabel_;
    bool abandoned_ = true;
    QString loadedServer_, loadedUser_, loadedPassword_;
};

// Text without one pair of enclosing single quotes (or double quotes when
// `doubleToo`); a quote at one end only is kept.
QString withoutEnclosingQuotes(const QString& text, bool doubleToo);

} // namespace corv
