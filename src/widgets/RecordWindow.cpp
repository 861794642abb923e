#include "RecordWindow.h"

#include "QtUi.h"
#include "WindowPlacement.h"
#include "forms/RecordForm.h"
#include "platform/Ui.h"
#include "context/AppContext.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace corv {

RecordWindow::RecordWindow(AppContext& ctx, RecordForm& form, const QString& objectName, const QString& caption, bool showRecordFields,
                           QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), form_(form)
{
    build(objectName, caption, showRecordFields);
}

RecordWindow::RecordWindow(AppContext& ctx, const QString& objectName, const QString& caption, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), ownForm_(std::make_unique<RecordForm>(ctx.ui(), nullptr)), form_(*ownForm_)
{
    build(objectName, caption, false);
}

void RecordWindow::build(const QString& objectName, const QString& caption, bool showRecordFields)
{
    setObjectName(objectName);
    // What the window is, and for which company.
    const QString company = ctx_.company().code;
    setWindowTitle(company.isEmpty() ? caption : caption + QStringLiteral(" - Azienda ") + company);
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildMenus();
    buildToolBar();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* fields = new QGridLayout;
    code_ = new QLineEdit(this);
    code_->setObjectName(QStringLiteral("Txt_Cod"));
    code_->setToolTip(QStringLiteral("Codice"));
    description_ = new QLineEdit(this);
    description_->setObjectName(QStringLiteral("Txt_Des"));
    description_->setToolTip(QStringLiteral("Descrizione"));
    fields->addWidget(new QLabel(QStringLiteral("Codice :"), this), 0, 0);
    fields->addWidget(code_, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Descr. :"), this), 1, 0);
    fields->addWidget(description_, 1, 1);
    auto* fieldsBox = new QWidget(this);
    fieldsBox->setLayout(fields);
    fieldsBox->setVisible(showRecordFields);
    layout->addWidget(fieldsBox);
    body_ = new QVBoxLayout;
    layout->addLayout(body_, 1);
    setCentralWidget(central);

    mode_ = new QLabel(this);
    mode_->setObjectName(QStringLiteral("Pan_Status"));
    statusBar()->addPermanentWidget(mode_);
    for (const auto& [name, text] : {std::pair{"Pan_F6", "F6 = Ricerca"}, std::pair{"Pan_F8", "F8 = Elenco"}, std::pair{"Pan_Azi", ""}}) {
        auto* panel = new QLabel(QString::fromUtf8(text), this);
        panel->setObjectName(QLatin1String(name));
        if (QLatin1String(name) == QLatin1String("Pan_Azi"))
            panel->setText(ctx_.company().code);
        statusBar()->addPermanentWidget(panel);
    }

    connect(code_, &QLineEdit::textEdited, this, [this](const QString& text) { form_.setCode(text); });
    connect(description_, &QLineEdit::textEdited, this, [this](const QString& text) { form_.setDescription(text); });
    connect(code_, &QLineEdit::editingFinished, this, [this] { form_.readRecord(); });
    for (QLineEdit* field : {code_, description_})
        field->installEventFilter(this);
    form_.changed = [this] { refresh(); };
    form_.load();
    if (!form_.bound()) {
        // A window with no record table of its own offers no record actions
        // and no search keys: nothing that would only beep.
        for (const char* name : {"M_New", "M_SaveNew", "M_Save", "M_Del", "M_Ripr", "M_Elim", "M_RecPrec", "M_RecSucc", "M_Prt", "TB_New",
                                 "TB_SaveNew", "TB_Save", "TB_Elim", "TB_Ripr", "TB_Prev", "TB_Succ", "TB_Prt"})
            action(name)->setVisible(false);
        findChild<QToolBar*>(QStringLiteral("TB_Record"))->hide();
        for (const char* name : {"Pan_F6", "Pan_F8"})
            findChild<QLabel*>(QLatin1String(name))->hide();
        for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
            if (menu->title() == QLatin1String("&Modifica"))
                menu->menuAction()->setVisible(false);
        }
    }
    restoreWindowPlacement(this, ctx_.corvSettings(), objectName);
    // The window's keys, on the window: each beeps, then runs its operation.
    const struct {
        QKeySequence keys;
        std::function<void()> run;
    } keys[] = {{QKeySequence(Qt::CTRL | Qt::Key_Delete), [this] { form_.remove(); }},
                {QKeySequence(Qt::SHIFT | Qt::Key_F11), [this] { form_.saveAndNew(); }},
                {QKeySequence(Qt::SHIFT | Qt::Key_F12), [this] { form_.save(); }},
                {QKeySequence(Qt::Key_F9), [] {}}};
    for (const auto& [sequence, run] : keys) {
        auto* shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, run = run] {
            ctx_.ui().beep();
            run();
        });
    }
}

RecordWindow::~RecordWindow()
{
    form_.changed = nullptr;
}

QAction* RecordWindow::addAction(const char* name, const QString& text)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    return action;
}

QAction* RecordWindow::action(const char* name) const { return findChild<QAction*>(QLatin1String(name)); }

void RecordWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(addAction("M_New", QStringLiteral("&Nuovo")));
    file->addAction(addAction("M_SaveNew", QStringLiteral("Sal&va e nuovo")));
    file->addAction(addAction("M_Save", QStringLiteral("&Salva")));
    file->addSeparator();
    file->addAction(addAction("M_Close", QStringLiteral("&Chiudi")));
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Modifica"));
    for (const auto& [name, text] : {std::pair{"M_Del", "Elimina Record"}, std::pair{"M_Ripr", "Ripristina"}, std::pair{"M_Elim", "Elimina"},
                                     std::pair{"M_RecPrec", "Record Precedente"}, std::pair{"M_RecSucc", "Record Successivo"},
                                     std::pair{"M_Prt", "Stampa"}})
        edit->addAction(addAction(name, QString::fromUtf8(text)));
    QMenu* help = menuBar()->addMenu(QStringLiteral("&?"));
    help->addAction(addAction("M_Info", QStringLiteral("I&nformazioni su ...")));

    connect(action("M_New"), &QAction::triggered, this, [this] { form_.newRecord(); });
    connect(action("M_SaveNew"), &QAction::triggered, this, [this] { form_.saveAndNew(); });
    connect(action("M_Save"), &QAction::triggered, this, [this] { form_.save(); });
    connect(action("M_Close"), &QAction::triggered, this, &QWidget::close);
    for (const char* name : {"M_Del", "M_Elim"})
        connect(action(name), &QAction::triggered, this, [this] { form_.remove(); });
    connect(action("M_Ripr"), &QAction::triggered, this, [this] { form_.restore(); });
    connect(action("M_RecPrec"), &QAction::triggered, this, [this] { form_.previous(); });
    connect(action("M_RecSucc"), &QAction::triggered, this, [this] { form_.next(); });
    connect(action("M_Prt"), &QAction::triggered, this, [this] { print(); });
    connect(action("M_Info"), &QAction::triggered, this, [this] {
        ctx_.ui().message(QStringLiteral("corvutil - Controlli IVA Ardea / Nembo / Corvina"), QStringLiteral("Informazioni"), Ui::Icon::Information);
    });
}

void RecordWindow::buildToolBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("Record"));
    bar->setObjectName(QStringLiteral("TB_Record"));
    bar->setMovable(false);
    const struct {
        const char* name;
        const char* tip;
        QStyle::StandardPixmap icon;
        const char* menu;
    } buttons[] = {{"TB_New", "Nuovo", QStyle::SP_FileIcon, "M_New"},
                   {"TB_SaveNew", "Salva e nuovo", QStyle::SP_DialogSaveButton, "M_SaveNew"},
                   {"TB_Save", "Salva", QStyle::SP_DialogSaveButton, "M_Save"},
                   {"TB_Elim", "Elimina", QStyle::SP_TrashIcon, "M_Elim"},
                   {"TB_Ripr", "Ripristina", QStyle::SP_BrowserReload, "M_Ripr"},
                   {"TB_Prev", "Record Precedente", QStyle::SP_ArrowBack, "M_RecPrec"},
                   {"TB_Succ", "Record Successivo", QStyle::SP_ArrowForward, "M_RecSucc"},
                   {"TB_Prt", "Stampa", QStyle::SP_FileDialogDetailedView, "M_Prt"}};
    for (const auto& b : buttons) {
        QAction* button = addAction(b.name, QString::fromUtf8(b.tip));
        button->setIcon(style()->standardIcon(b.icon));
        button->setToolTip(QString::fromUtf8(b.tip));
        bar->addAction(button);
        QAction* menu = action(b.menu);
        connect(button, &QAction::triggered, menu, &QAction::trigger);
    }
}

void RecordWindow::refresh()
{
    if (refreshing_)
        return;
    refreshing_ = true;
    if (code_->text() != form_.code())
        code_->setText(form_.code());
    if (description_->text() != form_.description())
        description_->setText(form_.description());
    mode_->setText(form_.modeText());
    action("TB_New")->setEnabled(form_.newEnabled());
    action("M_New")->setEnabled(form_.newEnabled());
    for (const char* name : {"TB_SaveNew", "TB_Save", "M_SaveNew", "M_Save"})
        action(name)->setEnabled(form_.saveEnabled());
    for (const char* name : {"TB_Elim", "M_Elim", "M_Del"})
        action(name)->setEnabled(form_.deleteEnabled());
    for (const char* name : {"TB_Ripr", "M_Ripr"})
        action(name)->setEnabled(form_.restoreEnabled());
    for (const char* name : {"TB_Prev", "TB_Succ", "M_RecPrec", "M_RecSucc"})
        action(name)->setEnabled(form_.recordsEnabled());
    refreshing_ = false;
}

void RecordWindow::hint(const QString& text) { statusBar()->showMessage(text); }

void RecordWindow::print() { form_.save(); }

bool RecordWindow::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == code_ || watched == description_) && event->type() == QEvent::FocusIn)
        hint(static_cast<QWidget*>(watched)->toolTip());
    if (event->type() == QEvent::ShortcutOverride) {
        // The window's keys come before its controls' (a text field would
        // take Ctrl+Del for deleting a word).
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && (key->modifiers() & Qt::ControlModifier)) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void RecordWindow::showEvent(QShowEvent* event)
{
    // Every field of the window, its own and a description's, leaves the
    // window's keys to it.
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->focusPolicy() != Qt::NoFocus)
            child->installEventFilter(this);
    }
    QMainWindow::showEvent(event);
}

void RecordWindow::closeEvent(QCloseEvent* event)
{
    IniFile settings = ctx_.corvSettings();
    saveWindowPlacement(this, settings, objectName());
    event->accept();
}

} // namespace corv
