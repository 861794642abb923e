#include "WorkbenchWindow.h"

#include "ConsoleWidgets.h"
#include "FormWidgets.h"
#include "forms/RecordForm.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace corv {

QLineEdit* WorkbenchWindow::field(const char* name, const QString& hint, int maxLength)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(name));
    edit->setToolTip(hint);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    edit->installEventFilter(this);
    return edit;
}

WorkbenchWindow::WorkbenchWindow(AppContext& ctx, QWidget* parent)
    : RecordWindow(ctx, QStringLiteral("F_VerCFPI"), QStringLiteral("Verifica Codice Fiscale / Partita IVA"), parent), bench_(ctx)
{
    surname_ = field("Txt_Cog", QStringLiteral("Cognome"));
    name_ = field("Txt_Nome", QStringLiteral("Nome"));
    sex_ = new QComboBox(this);
    sex_->setObjectName(QStringLiteral("Cmb_Sex"));
    sex_->addItems({QStringLiteral("M"), QStringLiteral("F")});
    birth_ = new DateField(QStringLiteral("Dat_Nas"), this);
    birth_->setToolTip(QStringLiteral("Data di nascita (gg/mm/aaaa)"));
    birth_->installEventFilter(this);
    townCode_ = field("Txt_LocCod", QStringLiteral("Codice del Comune o dello Stato estero"), 4);
    townFind_ = field("Txt_LocFind", QStringLiteral("Testo da cercare nelle località"));
    townName_ = new QLabel(this);
    townName_->setObjectName(QStringLiteral("Lbl_DesLoc"));
    surnameGroup_ = field("Txt_AbbrCog", QStringLiteral("Lettere del cognome"), 3);
    nameGroup_ = field("Txt_AbbrNome", QStringLiteral("Lettere del nome"), 3);
    dateGroup_ = field("Txt_CodDat", QStringLiteral("Anno, mese e giorno (+40 per le donne)"), 5);
    check_ = field("Txt_Ctrl", QStringLiteral("Carattere di controllo"), 1);
    composed_ = new QLabel(this);
    composed_->setObjectName(QStringLiteral("Lbl_Calc"));
    composed_->setFont(consoleListFont());
    composed_->setToolTip(QStringLiteral("Click per stampare il Codice Fiscale"));
    composed_->installEventFilter(this);
    readDate_ = new QLabel(QStringLiteral("Data/Sesso da codice"), this);
    readDate_->setObjectName(QStringLiteral("Lbl_CodData"));
    readDate_->setToolTip(QStringLiteral("Click per leggere data di nascita e sesso dal codice"));
    readDate_->installEventFilter(this);
    original_ = field("Txt_CFOrig", QStringLiteral("Codice di riferimento"), 16);
    test_ = field("Txt_CFTest", QStringLiteral("Codice di prova"), 16);
    for (QLineEdit* code : {surnameGroup_, nameGroup_, dateGroup_, check_, original_, test_})
        code->setFont(consoleListFont());

    auto* find = new QPushButton(QStringLiteral("Cerca"), this);
    find->setObjectName(QStringLiteral("Cmd_FLoc"));
    find->setToolTip(QStringLiteral("Click: cerca località - Click-DX: rilegge LOCALITA.TXT"));
    find->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* copy = new QPushButton(QStringLiteral("Copia"), this);
    copy->setObjectName(QStringLiteral("Cmd_CpCF"));
    auto* clear = new QPushButton(QStringLiteral("Pulisci"), this);
    clear->setObjectName(QStringLiteral("Cmd_Clr"));

    auto* grid = new QGridLayout;
    int row = 0;
    const auto add = [&](const QString& label, QWidget* w, QWidget* extra = nullptr) {
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(w, row, 1);
        if (extra)
            grid->addWidget(extra, row, 2);
        ++row;
    };
    add(QStringLiteral("Cognome :"), surname_, surnameGroup_);
    add(QStringLiteral("Nome :"), name_, nameGroup_);
    add(QStringLiteral("Sesso :"), sex_);
    add(QStringLiteral("Data di nascita :"), birth_, dateGroup_);
    add(QStringLiteral("Località :"), townCode_, townName_);
    add(QStringLiteral("Cerca località :"), townFind_, find);
    add(QStringLiteral("Controllo :"), check_, readDate_);
    add(QStringLiteral("Codice Fiscale :"), composed_);
    add(QStringLiteral("CF originale :"), original_, copy);
    add(QStringLiteral("CF di prova :"), test_, clear);
    body()->addLayout(grid);
    body()->addStretch();

    connect(surname_, &QLineEdit::textEdited, this, [this](const QString& t) { bench_.setSurname(t); });
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& t) { bench_.setName(t); });
    connect(sex_, &QComboBox::activated, this, [this] { bench_.setSex(sex_->currentText()); });
    connect(birth_, &QLineEdit::textEdited, this, [this] { bench_.setBirthDate(birth_->dateText()); });
    connect(townCode_, &QLineEdit::textEdited, this, [this](const QString& t) { bench_.setTownCode(t); });
    connect(townCode_, &QLineEdit::editingFinished, this, [this] { bench_.lookUpTown(); });
    connect(townFind_, &QLineEdit::textEdited, this, [this](const QString& t) { bench_.setTownFind(t); });
    connect(dateGroup_, &QLineEdit::textEdited, this, [this](const QString& t) { bench_.setDateGroup(t); });
    connect(check_, &QLineEdit::textEdited, this, [this](const QString& t) { bench_.setCheckChar(t); });
    connect(original_, &QLineEdit::textEdited, this, [this](const QString& t) { bench_.setOriginal(t); });
    connect(test_, &QLineEdit::textEdited, this, [this](const QString& t) { bench_.setTest(t); });
    connect(find, &QPushButton::clicked, this, [this] { bench_.searchTown(); });
    connect(find, &QPushButton::customContextMenuRequested, this, [this] { bench_.rebuildTowns(); });
    connect(copy, &QPushButton::clicked, this, [this] { bench_.copyOriginal(); });
    connect(clear, &QPushButton::clicked, this, [this] {
        bench_.clear();
        form_.load();
    });
    bench_.changed = [this] { showFields(); };
    showFields();
    resize(700, 460);
}

void WorkbenchWindow::showFields()
{
    if (showing_)
        return;
    showing_ = true;
    const FiscalCodeWorkbench::Fields& f = bench_.fields();
    const auto put = [](QLineEdit* edit, const QString& text) {
        if (edit->text() != text)
            edit->setText(text);
    };
    put(surname_, f.surname);
    put(name_, f.name);
    sex_->setCurrentText(f.sex);
    birth_->setDateText(f.birthDate);
    put(townCode_, f.townCode);
    put(townFind_, f.townFind);
    townName_->setText(f.townName);
    put(surnameGroup_, f.surnameGroup);
    put(nameGroup_, f.nameGroup);
    put(dateGroup_, f.dateGroup);
    put(check_, f.checkChar);
    put(original_, f.original);
    put(test_, f.test);
    composed_->setText(f.composed);
    showing_ = false;
}

bool WorkbenchWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == composed_) {
            bench_.writeSheet();
            return true;
        }
        if (watched == readDate_) {
            bench_.readBirthData();
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn) {
        if (auto* w = qobject_cast<QWidget*>(watched); w && w->window() == this && !w->toolTip().isEmpty())
            hint(w->toolTip());
    }
    return RecordWindow::eventFilter(watched, event);
}

} // namespace corv
