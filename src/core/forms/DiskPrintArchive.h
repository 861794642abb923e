#pragma once

#include <QString>
#include <QStringList>

namespace corv {

class AppContext;

// The logic of the disk print archive F_DbP, its window apart: the folder,
// extension and file of a report written to disk, the text viewer, and the
// report viewed or reprinted through the print engine. The choices are kept
// in the settings section "Stampe su Disco".
class DiskPrintArchive {
public:
    explicit DiskPrintArchive(AppContext& ctx);

    // Txt_Dir, Txt_Ext, Txt_FIL as the window shows them.
    QString folder;
    QString extension;
    QString file;

    // Cmb_Ext: the extra extensions of the settings, then "LOG" and "TXT".
    const QStringList& extensionChoices() const { return extensionChoices_; }
    const QString& viewer() const { return viewer_; }
    // The tip of the view and viewer buttons.
    QString viewerTip() const;

    // Cmd_Fil: a file of the extension chosen in the folder; false when none.
    bool chooseFile();
    // Cmd_Edit (and the right button on Cmd_View): a new text viewer for the
    // whole program; false when none was chosen.
    bool chooseViewer(bool fromRightButton);
    // Cmd_View: the file in the viewer; a missing file beeps.
    bool view();
    // Cmd_RePrint: after the question, the file through the reprint feeder.
    bool reprint();
    // The window's closing: the choices written back; false (and told) when
    // the settings cannot be written.
    bool close();

    // A glob that matches the extension in any case ("DBP" is
    // "*.[dD][bB][pP]"); "*" for an empty extension.
    static QString anyCasePattern(const QString& extension);

private:
    QString currentFile() const;

    AppContext& ctx_;
    QStringList extensionChoices_;
    QString viewer_;
};

} // namespace corv
