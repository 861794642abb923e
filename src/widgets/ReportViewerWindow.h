#pragma once

#include <QMainWindow>

class QLineEdit;
class QPlainTextEdit;

namespace corv {

class AppContext;

// The program's own report viewer: the report's lines as the file holds
// them, read-only in a fixed-pitch font, with find, go to line, print
// through the print engine and "Apri con…" the external viewer. Opened when
// no external viewer is configured or the configured one cannot be started.
class ReportViewerWindow : public QMainWindow {
    Q_OBJECT
public:
    // Reads the file; false (and nothing shown) when it cannot be read.
    static ReportViewerWindow* open(const QString& path, AppContext* ctx, QWidget* parent);

    QPlainTextEdit* text() const { return text_; }
    // The next occurrence after the cursor, from the top when none is below;
    // false when the text holds none.
    bool findNext(const QString& what);
    // Puts the cursor on the line (1 first); false past the last line.
    bool goToLine(int line);
    // The report through the print engine into a PDF file; false with the reason.
    bool exportPdf(const QString& pdfPath, QString* error);

private:
    ReportViewerWindow(const QString& path, AppContext* ctx, QWidget* parent);
    void print();
    void openWith();

    QString path_;
    AppContext* ctx_;
    QPlainTextEdit* text_;
    QLineEdit* find_;
};

// Starts a text viewer on a file without waiting: the given program or
// command, or, when none is given, the desktop's application for text files.
// False when nothing could be started.
bool startExternalViewer(const QString& viewer, const QString& path);

} // namespace corv
