#include "QtUi.h"

#include "DiskPrintWindow.h"
#include "StockSettlementWindow.h"
#include "VatLineWindow.h"
#include "VatDataCodesWindow.h"
#include "VatTotalsWindow.h"

#include "BackupWindow.h"
#include "FlagsWindow.h"
#include "WorkbenchWindow.h"
#include "FolderChooserDialog.h"

#include "ListWindow.h"
#include "ReportViewerWindow.h"
#include "SqlAccessDialog.h"
#include "WindowPlacement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QEventLoop>
#include <QFileDialog>
#include <QMainWindow>
#include <QDir>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>

namespace corv {

namespace {
// Ends a local event loop when its window closes.
class CloseWatcher : public QObject {
public:
    CloseWatcher(QEventLoop* loop, QObject* parent) : QObject(parent), loop_(loop) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            loop_->quit();
        return false;
    }

private:
    QEventLoop* loop_;
};
} // namespace

QString displayText(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void QtUi::hideSplash()
{
    if (splash_ && splash_->isVisible())
        splash_->hide();
}

QWidget* QtUi::windowInUse() const
{
    // The dialog or window the user works in, so that a question comes up
    // over it rather than over the console behind it.
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    QWidget* active = QApplication::activeWindow();
    if (active && active != splash_ && active->isVisible())
        return active;
    return window_;
}

void QtUi::setMainWindow(QWidget* window, QStatusBar* statusBar)
{
    window_ = window;
    statusBar_ = statusBar;
}

Ui::Answer QtUi::message(const QString& text, const QString& title, Icon icon, Buttons buttons,
                         Answer defaultAnswer)
{
    hideSplash();
    QMessageBox box(windowInUse());
    box.setWindowTitle(title.isEmpty() ? QStringLiteral("corvutil") : title);
    box.setText(displayText(text));
    switch (icon) {
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::None: break;
    }
    QMessageBox::StandardButtons standard;
    switch (buttons) {
    case Buttons::Ok: standard = QMessageBox::Ok; break;
    case Buttons::OkCancel: standard = QMessageBox::Ok | QMessageBox::Cancel; break;
    case Buttons::YesNo: standard = QMessageBox::Yes | QMessageBox::No; break;
    case Buttons::YesNoCancel: standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    }
    box.setStandardButtons(standard);
    const auto toStandard = [](Answer a) {
        switch (a) {
        case Answer::Ok: return QMessageBox::Ok;
        case Answer::Cancel: return QMessageBox::Cancel;
        case Answer::Yes: return QMessageBox::Yes;
        case Answer::No: return QMessageBox::No;
        }
        return QMessageBox::Ok;
    };
    if (standard.testFlag(toStandard(defaultAnswer)))
        box.setDefaultButton(toStandard(defaultAnswer));
    if (box.button(QMessageBox::Yes))
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Sì"));
    if (box.button(QMessageBox::Cancel))
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annulla"));
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int result = box.exec();
    QApplication::restoreOverrideCursor();
    switch (result) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
}

std::optional<QList<bool>> QtUi::askChoices(const QString& first, const QList<Choice>& choices, const QString& title)
{
    hideSplash();
    QDialog dialog(windowInUse());
    dialog.setObjectName(QStringLiteral("F_Scelte"));
    dialog.setWindowTitle(title.isEmpty() ? QStringLiteral("corvutil") : title);
    auto* layout = new QVBoxLayout(&dialog);
    auto* question = new QLabel(displayText(first), &dialog);
    QFont bold = question->font();
    bold.setBold(true);
    question->setFont(bold);
    layout->addWidget(question);
    QList<QCheckBox*> ticks;
    for (const Choice& choice : choices) {
        auto* tick = new QCheckBox(displayText(choice.text).remove(QLatin1Char('?')).trimmed(), &dialog);
        tick->setChecked(choice.defaultAnswer == Answer::Yes);
        layout->addWidget(tick);
        ticks << tick;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Esegui"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    QApplication::restoreOverrideCursor();
    if (!accepted)
        return std::nullopt;
    QList<bool> answers;
    for (const QCheckBox* tick : ticks)
        answers << tick->isChecked();
    return answers;
}

std::optional<QString> QtUi::input(const QString& prompt, const QString& title, const QString& defaultText)
{
    hideSplash();
    bool ok = false;
    const QString text = QInputDialog::getText(windowInUse(), title, displayText(prompt), QLineEdit::Normal,
                                               defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QStatusBar* QtUi::statusBarInUse() const
{
    // A sub-window's status goes to its own status bar.
    QWidget* inUse = windowInUse();
    if (auto* window = qobject_cast<QMainWindow*>(inUse); window && inUse != window_) {
        if (auto* own = window->findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly))
            return own;
    }
    return statusBar_;
}

void QtUi::status(const QString& text)
{
    if (QStatusBar* bar = statusBarInUse())
        bar->showMessage(text);
}

QProgressBar* QtUi::progressBar(QStatusBar* bar) const
{
    if (!bar)
        return nullptr;
    auto* progress = bar->findChild<QProgressBar*>(QStringLiteral("Prg_Avanzamento"));
    if (!progress) {
        progress = new QProgressBar(bar);
        progress->setObjectName(QStringLiteral("Prg_Avanzamento"));
        progress->setMaximumWidth(220);
        progress->setTextVisible(true);
        bar->addPermanentWidget(progress);
        progress->hide();
    }
    return progress;
}

void QtUi::progress(const ProgressState& state)
{
    QStatusBar* bar = statusBarInUse();
    QProgressBar* progress = progressBar(bar);
    QString text = state.text;
    if (progress) {
        if (state.total > 0) {
            const qint64 done = std::min(state.done, state.total);
            progress->setRange(0, 1000);
            progress->setValue(static_cast<int>(done * 1000 / state.total));
            progress->setFormat(QStringLiteral("%1 di %2 (%p%)").arg(done).arg(state.total));
            // The time left, once enough has gone by to tell it.
            if (done > 0 && state.elapsedMs >= 2000) {
                const qint64 left = state.elapsedMs * (state.total - done) / done / 1000;
                text += QStringLiteral("  - tempo residuo circa %1:%2").arg(left / 60).arg(left % 60, 2, 10, QLatin1Char('0'));
            }
        } else {
            progress->setRange(0, 0); // a count without a total: busy
        }
        progress->show();
    }
    if (bar)
        bar->showMessage(text);
}

void QtUi::hideProgress()
{
    for (QStatusBar* bar : {statusBar_.data(), statusBarInUse()}) {
        if (QProgressBar* progress = bar ? bar->findChild<QProgressBar*>(QStringLiteral("Prg_Avanzamento")) : nullptr)
            progress->hide();
    }
}

void QtUi::beep() { QApplication::beep(); }

void QtUi::busy(bool on)
{
    if (on) {
        if (busyDepth_++ == 0) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            // Busy from the start: a single long statement shows it too.
            if (QProgressBar* progress = progressBar(statusBar_)) {
                progress->setRange(0, 0);
                progress->show();
            }
        }
    } else if (busyDepth_ > 0 && --busyDepth_ == 0) {
        QApplication::restoreOverrideCursor();
        hideProgress();
    }
}

void QtUi::processEvents() { QApplication::processEvents(); }

bool QtUi::openInViewer(const QString& viewer, const QString& path)
{
    // The configured viewer when there is one and it starts; else the
    // program's own window, never a dead end.
    if (!viewer.isEmpty() && startExternalViewer(viewer, path))
        return true;
    return ReportViewerWindow::open(path, ctx_, windowInUse()) != nullptr;
}

QString QtUi::showList(const Rs2ListResult& list)
{
    if (!ctx_)
        return {};
    // The list is chosen from with the normal cursor, whatever runs behind it.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const QString chosen = showRecordsetList(*ctx_, list, windowInUse());
    QApplication::restoreOverrideCursor();
    return chosen;
}

std::optional<FolderChoice> QtUi::chooseFolder(FolderChooser& chooser)
{
    hideSplash();
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    FolderChooserDialog dialog(chooser, *this, windowInUse());
    dialog.exec();
    QApplication::restoreOverrideCursor();
    return dialog.choice();
}

bool QtUi::showForm(AppContext& ctx, const FormRequest& request)
{
    hideSplash();
    std::unique_ptr<QMainWindow> window;
    switch (request.kind) {
    case FormKind::ArdeaVatFlags:
        window = std::make_unique<FlagsWindow>(ctx, FlagSource::ArdeaVatCodes, request.corvinaCompanies, request.corvinaRow, window_);
        break;
    case FormKind::CorvinaVatFlags:
        window = std::make_unique<FlagsWindow>(ctx, FlagSource::CorvinaVatCodes, request.corvinaCompanies, request.corvinaRow, window_);
        break;
    case FormKind::CorvinaReasonFlags:
        window = std::make_unique<FlagsWindow>(ctx, FlagSource::CorvinaReasons, request.corvinaCompanies, request.corvinaRow, window_);
        break;
    case FormKind::CorvinaBackup: window = std::make_unique<BackupWindow>(ctx, window_); break;
    case FormKind::FiscalCodeWorkbench: window = std::make_unique<WorkbenchWindow>(ctx, window_); break;
    case FormKind::DiskPrintArchive: window = std::make_unique<DiskPrintWindow>(ctx, window_); break;
    case FormKind::VatTotals: window = std::make_unique<VatTotalsWindow>(ctx, window_); break;
    case FormKind::SettlementRegister: window = std::make_unique<StockSettlementWindow>(ctx, window_); break;
    case FormKind::VatNatureLines:
        window = std::make_unique<VatLineWindow>(ctx, VatLineKind::Nature, request.corvinaCompanies, request.corvinaRow, window_);
        break;
    case FormKind::DocumentTypeLines:
        window = std::make_unique<VatLineWindow>(ctx, VatLineKind::DocumentType, request.corvinaCompanies, request.corvinaRow, window_);
        break;
    case FormKind::VatDataCodes:
        window = std::make_unique<VatDataCodesWindow>(ctx, request.corvinaCompanies.value(request.corvinaRow), window_);
        break;
    }
    // Owned by the console and modal: the command ends when it is closed.
    window->setWindowFlag(Qt::Window);
    window->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    window->installEventFilter(new CloseWatcher(&loop, window.get()));
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    window->show();
    // Placed once its frame is known: the title bar always in reach.
    QTimer::singleShot(0, window.get(), [shown = window.get()] { keepOnScreen(shown); });
    loop.exec();
    QApplication::restoreOverrideCursor();
    return true;
}

std::optional<QString> QtUi::chooseFile(const FileRequest& request)
{
    hideSplash();
    // Qt's own dialog: its filter matches names without regard to case, and it
    // looks the same on every desktop.
    QFileDialog dialog(windowInUse(), request.title, request.folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails); // the glob of any case stays unseen
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(request.filterName + QStringLiteral(" (") + request.pattern + QLatin1Char(')'));
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

void QtUi::editLogin(SqlAccessForm& form)
{
    hideSplash();
    SqlAccessDialog dialog(form, window_);
    dialog.exec();
}

} // namespace corv
