#include "ReportViewerWindow.h"

#include "context/AppContext.h"
#include "platform/TextFile.h"
#include "QtPrinterDevice.h"
#include "print/PrintEngine.h"
#include "report/ReportFiles.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStatusBar>
#include <QTextBlock>
#include <QToolBar>
#include <QUrl>

namespace corv {

namespace {
const QString kCaption = QStringLiteral("Visualizzatore");
}

ReportViewerWindow* ReportViewerWindow::open(const QString& path, AppContext* ctx, QWidget* parent)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    QString text = decodeText(file.readAll());
    // The lines as the file holds them, without their CR LF.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    auto* window = new ReportViewerWindow(path, ctx, parent);
    window->text_->setPlainText(text);
    window->statusBar()->showMessage(QStringLiteral("%1 righe").arg(window->text_->blockCount()));
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

ReportViewerWindow::ReportViewerWindow(const QString& path, AppContext* ctx, QWidget* parent)
    : QMainWindow(parent, Qt::Window), path_(path), ctx_(ctx), text_(new QPlainTextEdit(this)), find_(new QLineEdit(this))
{
    setObjectName(QStringLiteral("F_Report"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QFileInfo(path).fileName() + QStringLiteral(" - Report"));
    text_->setObjectName(QStringLiteral("Txt_Report"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setCentralWidget(text_);

    auto* bar = addToolBar(QStringLiteral("Report"));
    bar->setObjectName(QStringLiteral("TB_Report"));
    bar->setMovable(false);
    bar->addWidget(new QLabel(QStringLiteral("Trova : "), this));
    find_->setObjectName(QStringLiteral("Txt_Trova"));
    find_->setMaximumWidth(240);
    bar->addWidget(find_);
    const auto action = [&](const QString& text, const QString& icon, const QKeySequence& keys, auto slot) {
        auto* a = bar->addAction(QIcon::fromTheme(icon), text, this, slot);
        a->setShortcut(keys);
        a->setToolTip(text + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) + QLatin1Char(')'));
        return a;
    };
    const auto next = [this] {
        if (!find_->text().isEmpty() && !findNext(find_->text()))
            statusBar()->showMessage(QStringLiteral("\"%1\" non trovato").arg(find_->text()));
    };
    action(QStringLiteral("Trova successivo"), QStringLiteral("go-down-search"), QKeySequence::FindNext, next);
    connect(find_, &QLineEdit::returnPressed, this, next);
    auto* focusFind = new QAction(this);
    focusFind->setShortcut(QKeySequence::Find);
    connect(focusFind, &QAction::triggered, this, [this] { find_->setFocus(); find_->selectAll(); });
    addAction(focusFind);
    bar->addSeparator();
    action(QStringLiteral("Vai alla riga…"), QStringLiteral("go-jump"), QKeySequence(Qt::CTRL | Qt::Key_G), [this] {
        bool ok = false;
        const int line = QInputDialog::getInt(this, QStringLiteral("Vai alla riga"), QStringLiteral("Riga (1 - %1) :").arg(text_->blockCount()),
                                              text_->textCursor().blockNumber() + 1, 1, text_->blockCount(), 1, &ok);
        if (ok)
            goToLine(line);
    });
    action(QStringLiteral("Stampa"), QStringLiteral("document-print"), QKeySequence::Print, [this] { print(); });
    action(QStringLiteral("PDF…"), QStringLiteral("application-pdf"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), [this] {
        const QString pdf = QFileDialog::getSaveFileName(this, QStringLiteral("Report in PDF"), path_.left(path_.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".pdf"),
                                                         QStringLiteral("Documenti PDF (*.pdf)"));
        QString error;
        if (pdf.isEmpty())
            return;
        if (exportPdf(pdf, &error))
            statusBar()->showMessage(QStringLiteral("Scritto ") + QDir::toNativeSeparators(pdf));
        else
            QMessageBox::critical(this, kCaption, error);
    });
    action(QStringLiteral("Apri con…"), QStringLiteral("document-open"), QKeySequence(Qt::CTRL | Qt::Key_E), [this] { openWith(); });
    auto* close = new QAction(this);
    close->setShortcut(Qt::Key_Escape);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);
    resize(1000, 650);
}

bool ReportViewerWindow::findNext(const QString& what)
{
    if (text_->find(what))
        return true;
    QTextCursor top = text_->textCursor();
    top.movePosition(QTextCursor::Start);
    text_->setTextCursor(top);
    return text_->find(what);
}

bool ReportViewerWindow::goToLine(int line)
{
    const QTextBlock block = text_->document()->findBlockByNumber(line - 1);
    if (!block.isValid())
        return false;
    text_->setTextCursor(QTextCursor(block));
    text_->centerCursor();
    return true;
}

void ReportViewerWindow::print()
{
    PrintEngine* engine = ctx_ ? ctx_->printEngine() : nullptr;
    if (!engine) {
        QMessageBox::warning(this, kCaption, QStringLiteral("Nessuna stampante disponibile."));
        return;
    }
    QString said, error;
    if (!engine->printFile(path_, &said, &error))
        QMessageBox::critical(this, kCaption, error);
    else
        statusBar()->showMessage(said.isEmpty() ? QStringLiteral("Report stampato") : said);
}

bool startExternalViewer(const QString& viewer, const QString& path)
{
    if (viewer.isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    const auto [program, arguments] = viewerInvocation(viewer, path);
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

bool ReportViewerWindow::exportPdf(const QString& pdfPath, QString* error)
{
    // The printer profiles' page and fonts, as "corvutil stampa --pdf" prints.
    ReportPrint printed;
    return printReportFile(ctx_ ? ctx_->paths() : AppPaths::standard(), path_, pdfPath, printed, error);
}

void ReportViewerWindow::openWith()
{
    // The external viewer chosen for the program, else the desktop's application for text files.
    if (!startExternalViewer(ctx_ ? ctx_->viewer() : QString(), path_))
        QMessageBox::warning(this, kCaption, QStringLiteral("Nessun programma esterno apre il file :\r\n") + QDir::toNativeSeparators(path_));
}

} // namespace corv
