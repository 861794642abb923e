#include "ConsoleWindow.h"

#include "platform/ThreadedUi.h"
#include "session/Session.h"

#include "CompanyChooserDialog.h"
#include "ConsoleTab.h"
#include "ConsoleWidgets.h"
#include "ChartWindow.h"
#include "KeysHelp.h"
#include "LinesTable.h"
#include "QtUi.h"
#include "WindowPlacement.h"
#include "console/ConsoleCommands.h"
#include "console/ConsoleOpening.h"
#include "journal/ReferenceTables.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "session/Startup.h"
#include "report/ReportFiles.h"
#include "util/TextUtil.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QEventLoop>
#include <QThread>
#include <memory>
#include <QShortcut>
#include <QStatusBar>
#include <QStringListModel>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace corv {

namespace {
const QString kWindowName = QStringLiteral("F_Console");
const QStringList kTabCaptions = {QStringLiteral("Ardea"), QStringLiteral("Nembo"), QStringLiteral("Corvina")};

// Enter, and Ctrl+V, Ctrl+I, Ctrl+C, typed anywhere on the console are discarded.
bool discardedKey(const QKeyEvent* key)
{
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        return true;
    return (key->modifiers() & Qt::ControlModifier)
           && (key->key() == Qt::Key_V || key->key() == Qt::Key_I || key->key() == Qt::Key_C);
}
} // namespace

ConsoleWindow::ConsoleWindow(AppContext& ctx, Session& session, QWidget* parent) : QMainWindow(parent), ctx_(ctx), session_(session)
{
    setObjectName(kWindowName);
    setWindowTitle(kConsoleTitle);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Azienda Ardea :"), this));
    companyLabel_ = new QLabel(this);
    companyLabel_->setObjectName(QStringLiteral("Lbl_Azienda"));
    companyLabel_->setToolTip(QStringLiteral("Doppio click per cambiare azienda"));
    QFont bold = companyLabel_->font();
    bold.setBold(true);
    companyLabel_->setFont(bold);
    top->addWidget(companyLabel_);
    top->addSpacing(20);
    top->addWidget(new QLabel(QStringLiteral("Rel. Programma :"), this));
    ardeaRelease_ = new QLabel(this);
    ardeaRelease_->setObjectName(QStringLiteral("Lbl_RelAr"));
    top->addWidget(ardeaRelease_);
    top->addStretch();
    sources_ = new QComboBox(this);
    sources_->setObjectName(QStringLiteral("Cmb_Source"));
    sources_->addItems(kSources);
    top->addWidget(sources_);
    layout->addLayout(top);

    filters_ = new ConsoleFilters(this);
    layout->addWidget(filters_);
    connect(filters_, &ConsoleFilters::hint, this, [this](const QString& text) { statusBar()->showMessage(text); });
    connect(filters_, &ConsoleFilters::datesIncoherent, this, [this] { ctx_.ui().message(QStringLiteral("Date incoerenti !")); });
    connect(filters_, &ConsoleFilters::articleF4, this,
            [this] { ctx_.ui().critical(QStringLiteral("F4 era usato da Nembo !! Usare F6 !!")); });
    connect(filters_, &ConsoleFilters::articleLookup, this,
            [this] { run(consolecommands::lookUpArticle(filters_->article()->text())); });

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("Tab_Sorgenti"));
    QLayout* tops[] = {nullptr, makeNemboRow(), makeCorvinaRow()};
    for (int tab = 0; tab < ConsoleState::TabCount; ++tab) {
        pages_[tab] = new ConsoleTab(static_cast<ConsoleState::Tab>(tab), tops[tab], this);
        connect(pages_[tab], &ConsoleTab::commandClicked, this, [this](const ConsoleCommand& command) { run(command); });
        connect(pages_[tab], &ConsoleTab::rowChosen, this,
                [this](ConsoleState::Tab source, QChar kind, const QString& row) { run(consolecommands::listLines(source, kind, row)); });
        connect(pages_[tab], &ConsoleTab::exportRequested, this, &ConsoleWindow::exportList);
        tabs_->addTab(pages_[tab], kTabCaptions[tab]);
    }
    layout->addWidget(tabs_, 3);

    resultList_ = makeConsoleList(this, QStringLiteral("Lst_Risultati"));
    // The count stands on a line of its own above the table, never over its heading.
    rowCount_ = new QLabel(this);
    rowCount_->setObjectName(QStringLiteral("Lbl_Righe"));
    rowCount_->setAlignment(Qt::AlignRight);
    layout->addWidget(rowCount_);
    connect(resultList_, &QWidget::customContextMenuRequested, this, [this] { exportLines(resultList_->lines()); });
    layout->addWidget(resultList_, 2);
    sortedList_ = makeConsoleList(this, QStringLiteral("Lst_Ordinata"));
    sortedList_->setVisible(false);
    connect(sortedList_, &QWidget::customContextMenuRequested, this, [this] { exportLines(sortedList_->lines()); });
    layout->addWidget(sortedList_);

    auto* bottom = new QHBoxLayout;
    stop_ = new QPushButton(QStringLiteral("Interrompi"), this);
    stop_->setObjectName(QStringLiteral("Cmd_Interrompi"));
    stop_->setToolTip(QStringLiteral("Ferma il comando in corso (Esc): ciò che ha già salvato resta"));
    stop_->setEnabled(false);
    connect(stop_, &QPushButton::clicked, this, &ConsoleWindow::requestStop);
    bottom->addWidget(stop_);
    bottom->addStretch();
    auto* quit = new QPushButton(QStringLiteral("Abbandona"), this);
    quit->setObjectName(QStringLiteral("Cmd_Abbandona"));
    connect(quit, &QPushButton::clicked, this, &QWidget::close);
    bottom->addWidget(quit);
    layout->addLayout(bottom);

    setCentralWidget(central);
    statusBar()->setObjectName(QStringLiteral("Pan_Stato"));
    resize(1100, 760);
    state_.resultsChanged = [this] { showResults(); };
    // F1: every key of the program.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, [this] {
        auto* keys = new KeysHelp(this);
        keys->setAttribute(Qt::WA_DeleteOnClose);
        keys->show();
    });
    // Esc stops the running command, wherever the focus is in the window.
    auto* stop = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    stop->setContext(Qt::WindowShortcut);
    connect(stop, &QShortcut::activated, this, [this] {
        if (running_)
            requestStop();
    });
    // Installed last, on the window's own controls: the filter never sees a
    // member that is not set yet.
    for (QWidget* child : central->findChildren<QWidget*>()) {
        if (child->focusPolicy() != Qt::NoFocus)
            child->installEventFilter(this);
    }
    companyLabel_->installEventFilter(this);
    corvinaCompanies_->installEventFilter(this);
}

ConsoleWindow::~ConsoleWindow() = default;

QStringList ConsoleWindow::results() const { return resultList_->rows(); }

QLayout* ConsoleWindow::makeNemboRow()
{
    nemboFolder_ = new QLineEdit(this);
    nemboFolder_->setObjectName(QStringLiteral("Txt_Cartella"));
    nemboFolder_->setReadOnly(true);
    nemboCompanies_ = new QComboBox(this);
    nemboCompanies_->setObjectName(QStringLiteral("Cmb_AziNembo"));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Cartella dell'Export :"), this));
    row->addWidget(nemboFolder_, 1);
    row->addWidget(new QLabel(QStringLiteral("Azienda :"), this));
    row->addWidget(nemboCompanies_);
    return row;
}

QLayout* ConsoleWindow::makeCorvinaRow()
{
    corvinaCompanies_ = new QComboBox(this);
    corvinaCompanies_->setObjectName(QStringLiteral("Cmb_Aziende"));
    corvinaCompanies_->setFont(consoleListFont());
    // The rows are long: the box gives up width to the import dates shown
    // beside it rather than widening the console when a company is chosen.
    corvinaCompanies_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    corvinaCompanies_->setMinimumContentsLength(30);
    connect(corvinaCompanies_, &QComboBox::activated, this, &ConsoleWindow::corvinaCompanyChosen);
    corvinaRelease_ = new QLabel(this);
    corvinaRelease_->setObjectName(QStringLiteral("Lbl_RelCv"));
    importDates_ = new QLabel(this);
    importDates_->setObjectName(QStringLiteral("Lbl_DateImport"));
    importDates_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(importDates_, &QLabel::customContextMenuRequested, this, &ConsoleWindow::changeImportDates);
    auto* row = new QHBoxLayout;
    row->addWidget(corvinaCompanies_, 1);
    row->addWidget(new QLabel(QStringLiteral("Rel. Programma :"), this));
    row->addWidget(corvinaRelease_);
    row->addWidget(importDates_);
    return row;
}

ConsoleHooks ConsoleWindow::hooks()
{
    return {[this] {
        CompanyChooserDialog chooser(ctx_, isVisible() ? this : nullptr);
        chooser.exec();
    }};
}

bool ConsoleWindow::open()
{
    if (!openConsole(session_, state_, hooks()))
        return false;
    opened_ = true;
    restoreWindowPlacement(this, ctx_.corvSettings(), kWindowName);
    showState();
    return true;
}

void ConsoleWindow::captureState()
{
    state_.dateFrom = filters_->fromText();
    state_.dateTo = filters_->toText();
    state_.corvinaRow = corvinaCompanies_->currentIndex();
    state_.nemboRow = nemboCompanies_->currentIndex();
    state_.source = sources_->currentIndex();
    state_.tab = tabs_->currentIndex();
}

void ConsoleWindow::showState()
{
    companyLabel_->setText(ctx_.doArdea() ? ctx_.company().code : QStringLiteral("Ardea NON Disponibile"));
    // The title says for which company too.
    setWindowTitle(ctx_.doArdea() && !ctx_.company().code.isEmpty() ? kConsoleTitle + QStringLiteral(" - Azienda ") + ctx_.company().code
                                                                      : kConsoleTitle);
    ardeaRelease_->setText(ctx_.doArdea() ? ctx_.login().ardeaRelease : QString());
    nemboFolder_->setText(state_.nemboFolder);
    nemboCompanies_->clear();
    nemboCompanies_->addItems(state_.nemboCompanies);
    nemboCompanies_->setCurrentIndex(state_.nemboRow);
    filters_->setDates(state_.dateFrom, state_.dateTo);
    filters_->article()->setText(state_.article);
    filters_->articleName()->setText(state_.articleName);
    sources_->setCurrentIndex(state_.source);
    corvinaRelease_->setText(state_.corvinaRelease);
    corvinaCompanies_->clear();
    corvinaCompanies_->addItems(state_.corvinaRowTexts());
    corvinaCompanies_->setCurrentIndex(state_.corvinaRow);
    importDates_->setText(displayText(importDateLabel(ctx_, state_)));
    for (int tab = 0; tab < ConsoleState::TabCount; ++tab) {
        pages_[tab]->setLists(state_.lists[tab]);
        pages_[tab]->enableButtons(ctx_, state_);
    }
    tabs_->setTabEnabled(ConsoleState::CorvinaTab, state_.corvinaEnabled);
    tabs_->setCurrentIndex(state_.tab);
    showResults();
}

void ConsoleWindow::showResults()
{
    const bool any = !state_.results.heading.isEmpty() || !state_.results.lines.isEmpty();
    rowCount_->setText(any ? QStringLiteral("%1 Righe.").arg(state_.results.lines.size()) : QString());
    resultList_->setContent(state_.results.heading, state_.results.lines);
    sortedList_->setContent(state_.results.heading, state_.sorted);
}

CommandResult ConsoleWindow::run(const ConsoleCommand& command)
{
    if (running_) {
        ctx_.ui().beep();
        return {CommandResult::Outcome::Declined, {}};
    }
    captureState();
    state_.article = filters_->article()->text();
    running_ = true;
    // While it runs only the stop button answers: pending events run a few
    // times a second, and a second command must not start inside the first.
    tabs_->setEnabled(false);
    filters_->setEnabled(false);
    stop_->setEnabled(true);
    const CommandResult result = dynamic_cast<ThreadedUi*>(&ctx_.ui()) ? runOnOwnThread(command) : runConsoleCommand(ctx_, state_, command);
    stop_->setEnabled(false);
    filters_->setEnabled(true);
    tabs_->setEnabled(true);
    running_ = false;
    showState();
    // A chart the command drew, beside its report.
    if (result.chart && result.outcome == CommandResult::Outcome::Done && !closeWhenDone_)
        showChart(*result.chart, this);
    if (closeWhenDone_) // once the caller has seen the result
        QTimer::singleShot(0, this, &QWidget::close);
    return result;
}

void ConsoleWindow::requestStop()
{
    // Between two rows the command looks at the request; a statement running
    // now is interrupted where the engine allows it.
    ctx_.stop().request();
    ctx_.connections().interruptOtherThreads();
}

CommandResult ConsoleWindow::runOnOwnThread(const ConsoleCommand& command)
{
    // The command works on a copy of the console's state, on a thread of its
    // own with connections of its own: the window repaints, can be moved and
    // answers the stop while a long statement runs. Its questions come here
    // through the threaded port; the lists it shows while it works are posted.
    ConsoleState work = state_;
    work.resultsChanged = [this, &work] {
        const ResultList shown = work.results;
        const CompactLines sorted = work.sorted;
        QMetaObject::invokeMethod(
            this,
            [this, shown, sorted] {
                state_.results = shown;
                state_.sorted = sorted;
                showResults();
            },
            Qt::QueuedConnection);
    };
    CommandResult result;
    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        result = runConsoleCommand(ctx_, work, command);
        ctx_.connections().releaseThread();
    }));
    connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec(); // the lists posted before the end are shown before it
    thread->wait();
    work.resultsChanged = state_.resultsChanged;
    state_ = std::move(work);
    return result;
}

void ConsoleWindow::exportLines(const CompactLines& lines)
{
    listToFile(ctx_.ui(), lines.toStringList(), ctx_.viewer(), ctx_.paths());
}

void ConsoleWindow::exportList(LinesTable* list, bool withHeading)
{
    QStringList rows = list->rows();
    if (withHeading && !rows.isEmpty()) {
        const QString heading = ardeaSubjectHeading();
        rows.prepend(utl::RepeatChar(static_cast<int>(heading.size()), QLatin1Char('-')));
        rows.prepend(heading);
    }
    listToFile(ctx_.ui(), rows, ctx_.viewer(), ctx_.paths());
}

void ConsoleWindow::corvinaCompanyChosen(int row)
{
    state_.corvinaRow = row;
    state_.lists[ConsoleState::CorvinaTab] = {};
    state_.results = {};
    captureState();
    showState();
}

void ConsoleWindow::changeArdeaCompany()
{
    if (running_ || !ctx_.doArdea()) {
        ctx_.ui().beep();
        return;
    }
    companyLabel_->setText(QStringLiteral("-wait-"));
    if (!changeCompany(session_, hooks()))
        ctx_.ui().critical(QStringLiteral("Impossibile aprire i database dell'azienda ") + ctx_.company().code);
    // The lists of the company left behind mean nothing now.
    state_.lists[ConsoleState::ArdeaTab] = {};
    state_.results = {};
    captureState();
    showState();
}

void ConsoleWindow::changeImportDates()
{
    if (running_)
        return;
    captureState();
    corv::changeImportDates(ctx_, state_);
    importDates_->setText(displayText(importDateLabel(ctx_, state_)));
}

void ConsoleWindow::requestQuit()
{
    if (running_) {
        requestStop();
        closeWhenDone_ = true;
        return;
    }
    close();
}

bool ConsoleWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && event->type() == QEvent::ShortcutOverride) {
            event->ignore(); // Esc belongs to the window (its stop shortcut)
            return true;
        }
        return discardedKey(key);
    }
    if (watched == companyLabel_ && event->type() == QEvent::MouseButtonDblClick) {
        changeArdeaCompany();
        return true;
    }
    if (watched == corvinaCompanies_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        statusBar()->showMessage(event->type() == QEvent::FocusIn ? QStringLiteral("Selezionare l'Azienda Corvina") : QString());
    return QMainWindow::eventFilter(watched, event);
}

void ConsoleWindow::closeEvent(QCloseEvent* event)
{
    if (running_) {
        // Nothing is closed under a running command: it is asked to stop, and
        // the window closes when it has ended.
        event->ignore();
        if (ctx_.ui().askYesNo(QStringLiteral("Un comando è in corso.\r\nLo interrompo e chiudo il programma ?"))) {
            requestStop();
            closeWhenDone_ = true;
        }
        return;
    }
    if (!closed_) {
        closed_ = true;
        captureState();
        bool saved = true;
        if (opened_)
            saved = closeConsole(session_, state_);
        else
            session_.close();
        IniFile settings = ctx_.corvSettings();
        saved = saveWindowPlacement(this, settings, kWindowName) && saved;
        if (!saved)
            reportUnsavedSettings(ctx_, settings);
    }
    event->accept();
}

} // namespace corv
