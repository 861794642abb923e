#include "ConsoleWindow.h"

#include "CompanyChooserDialog.h"
#include "QtUi.h"
#include "WindowPlacement.h"
#include "process/AppContext.h"
#include "report/ReportFiles.h"
#include "process/Startup.h"
#include "util/TextUtil.h"
#include "ListWindow.h"
#include "console/ArticleLookup.h"
#include "console/ConsoleOpening.h"
#include "listview/Rs2List.h"
#include "console/ReferenceTables.h"
#include "console/VatListings.h"
#include "ardea/CompanyOpening.h"
#include "platform/Ui.h"
#include "taxcode/GeneralCheck.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStatusBar>
#include <QStringListModel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace corv {

namespace {

const QString kWindowName = QStringLiteral("F_Console");
const QString kEditorTip = QStringLiteral("Click-Dx per Scegliere Editor Testi");

QFont listFont()
{
    QFont font(QStringLiteral("Lucida Console"));
    if (!QFontInfo(font).fixedPitch())
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    return font;
}

QListView* makeListView(QWidget* parent, const QString& name, const QString& tip = {})
{
    auto* view = new QListView(parent);
    view->setObjectName(name);
    view->setModel(new QStringListModel(view));
    view->setFont(listFont());
    view->setUniformItemSizes(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->setToolTip(tip);
    return view;
}

QStringListModel* modelOf(QListView* view) { return static_cast<QStringListModel*>(view->model()); }

QString selectedRow(QListView* view)
{
    const QModelIndex index = view->currentIndex();
    return index.isValid() ? index.data().toString() : QString();
}

} // namespace

ConsoleWindow::ConsoleWindow(AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx)
{
    setObjectName(kWindowName);
    setWindowTitle(QStringLiteral("corvutil - Controlli IVA Ardea / Nembo / Corvina"));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Azienda Ardea :"), this));
    companyLabel_ = new QLabel(this);
    companyLabel_->setObjectName(QStringLiteral("Lbl_Azienda"));
    companyLabel_->setToolTip(QStringLiteral("Doppio click per cambiare azienda"));
    companyLabel_->installEventFilter(this);
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
    layout->addLayout(top);
    layout->addWidget(makeFilters());

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("Tab_Sorgenti"));
    tabs_->addTab(makeArdeaTab(), QStringLiteral("Ardea"));
    tabs_->addTab(makeNemboTab(), QStringLiteral("Nembo"));
    tabs_->addTab(makeCorvinaTab(), QStringLiteral("Corvina"));
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) { state_.tab = index; });
    layout->addWidget(tabs_, 3);

    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("Lbl_Head"));
    heading_->setFont(listFont());
    // A long heading must not widen the window: it scrolls with nothing, it is cut.
    heading_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    rowCount_ = new QLabel(this);
    rowCount_->setObjectName(QStringLiteral("Lbl_Righe"));
    auto* headingRow = new QHBoxLayout;
    headingRow->addWidget(heading_, 1);
    headingRow->addWidget(rowCount_);
    layout->addLayout(headingRow);
    resultList_ = makeListView(this, QStringLiteral("Lst_Risultati"));
    results_ = modelOf(resultList_);
    connect(resultList_, &QListView::customContextMenuRequested, this, [this] { exportList(resultList_, false); });
    layout->addWidget(resultList_, 2);
    auto* sortedList = makeListView(this, QStringLiteral("Lst_Ordinata"));
    sorted_ = modelOf(sortedList);
    sortedList->setVisible(false);
    connect(sortedList, &QListView::customContextMenuRequested, this, [this, sortedList] { exportList(sortedList, false); });
    layout->addWidget(sortedList);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    auto* quit = new QPushButton(QStringLiteral("Abbandona"), this);
    quit->setObjectName(QStringLiteral("Cmd_Abbandona"));
    connect(quit, &QPushButton::clicked, this, &QWidget::close);
    bottom->addWidget(quit);
    layout->addLayout(bottom);

    setCentralWidget(central);
    statusBar()->setObjectName(QStringLiteral("Pan_Stato"));
    resize(1100, 760);
}

QWidget* ConsoleWindow::makeFilters()
{
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto dateField = [&](const char* name, const QString& prompt) {
        auto* field = new QLineEdit(box);
        field->setObjectName(QLatin1String(name));
        field->setInputMask(QStringLiteral("99/99/9999;_"));
        field->setText(kEmptyDate);
        field->setProperty("prompt", prompt);
        field->installEventFilter(this);
        field->setMaximumWidth(110);
        return field;
    };
    dateFrom_ = dateField("Dat_Ini", QStringLiteral("Data Iniziale Documento"));
    dateTo_ = dateField("Dat_Fin", QStringLiteral("Data Finale Documento"));
    grid->addWidget(new QLabel(QStringLiteral("Da data Reg. :"), box), 0, 0);
    grid->addWidget(dateFrom_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("A data Reg. :"), box), 0, 2);
    grid->addWidget(dateTo_, 0, 3);
    sources_ = new QComboBox(box);
    sources_->setObjectName(QStringLiteral("Cmb_Source"));
    sources_->addItems(kSources);
    connect(sources_, &QComboBox::currentIndexChanged, this, [this](int index) { state_.source = index; });
    grid->addWidget(sources_, 0, 4);

    // Document number and article fields: kept and reset with the others.
    static const struct {
        const char* name;
        const char* prompt;
        const char* value;
        bool digits;
        const char* caption;
    } numbers[] = {{"Txt_NumIni", "Numero Iniziale.", "0", true, "Dal N. :"}, {"Txt_NumFin", "Numero Finale.", "", true, "Al N. :"},
                   {"Txt_Serie", "Serie.", "*", false, "Serie :"},           {"Txt_NumIni2", "Numero Iniziale.", "0", true, "Dal N. :"},
                   {"Txt_NumFin2", "Numero Finale.", "0", true, "Al N. :"},  {"Txt_Serie2", "Serie.", "*", false, "Serie :"}};
    int column = 0;
    auto* numbersRow = new QHBoxLayout;
    for (const auto& n : numbers) {
        numbersRow->addWidget(new QLabel(QLatin1String(n.caption), box));
        auto* field = new QLineEdit(QLatin1String(n.value), box);
        field->setObjectName(QLatin1String(n.name));
        field->setProperty("prompt", QLatin1String(n.prompt));
        field->setProperty("initial", QLatin1String(n.value));
        field->setMaximumWidth(70);
        if (n.digits)
            field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), field));
        else
            connect(field, &QLineEdit::textEdited, field, [field](const QString& text) {
                if (text != text.toUpper())
                    field->setText(text.toUpper());
            });
        field->installEventFilter(this);
        numberFields_ << field;
        numbersRow->addWidget(field);
        ++column;
    }
    numbersRow->addStretch();
    grid->addLayout(numbersRow, 1, 0, 1, 8);
    article_ = new QLineEdit(box);
    article_->setObjectName(QStringLiteral("Txt_Articolo"));
    article_->installEventFilter(this);
    articleName_ = new QLineEdit(box);
    articleName_->setObjectName(QStringLiteral("Txt_DesArt"));
    articleName_->setReadOnly(true);
    grid->addWidget(new QLabel(QStringLiteral("Articolo :"), box), 2, 0);
    grid->addWidget(article_, 2, 1, 1, 2);
    grid->addWidget(articleName_, 2, 3, 1, 4);
    return box;
}

ConsoleWindow::SourceLists ConsoleWindow::makeLists(QWidget* page, const char* prefix)
{
    const QString p = QLatin1String(prefix);
    return {makeListView(page, QStringLiteral("Lst_") + p + QStringLiteral("Iva"), QStringLiteral("Dbl-Click per documenti con Codice IVA selezionato")),
            makeListView(page, QStringLiteral("Lst_") + p + QStringLiteral("Cau"), QStringLiteral("Dbl-Click per documenti con Causale Cont. selezionata")),
            makeListView(page, QStringLiteral("Lst_") + p + QStringLiteral("CliFor"), QStringLiteral("Dbl-Click per documenti con Cli/For selezionato"))};
}

// The three reference lists side by side, the customers and suppliers wider.
static QHBoxLayout* listsRow(const ConsoleWindow::SourceLists& lists)
{
    auto* row = new QHBoxLayout;
    row->addWidget(lists.vatCodes, 1);
    row->addWidget(lists.reasons, 1);
    row->addWidget(lists.subjects, 2);
    return row;
}

QPushButton* ConsoleWindow::commandButton(QWidget* page, const char* name, const QString& caption, bool available)
{
    auto* b = new QPushButton(caption, page);
    b->setObjectName(QLatin1String(name));
    // Commands of later releases are shown, not yet offered.
    b->setEnabled(available);
    if (!available)
        b->setToolTip(QStringLiteral("Non ancora disponibile"));
    return b;
}

QWidget* ConsoleWindow::makeArdeaTab()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("Tab_Ardea"));
    ardeaLists_ = makeLists(page, "Ar");
    QHBoxLayout* lists = listsRow(ardeaLists_);
    auto* buttons = new QGridLayout;
    QPushButton* read = commandButton(page, "Cmd_ArLeggi", QStringLiteral("Leggi dati per Corvina"), true);
    read->setToolTip(QStringLiteral("Legge da Ardea: Codici IVA, Cau.Con. e CliFor Area ITA\n") + kEditorTip);
    connect(read, &QPushButton::clicked, this, &ConsoleWindow::readArdea);
    QPushButton* check = commandButton(page, "Cmd_ARChkCFPI", QStringLiteral("Controllo PI/CF Generiche"), true);
    connect(check, &QPushButton::clicked, this, &ConsoleWindow::runGeneralCheck);
    const QList<QPushButton*> all = {read,
                                     commandButton(page, "Cmd_ArPrimaNota", QStringLiteral("Leggi dati Prima Nota IVA"), false),
                                     commandButton(page, "Cmd_ArEnti", QStringLiteral("Controllo PI/CF Enti (8/9)"), false),
                                     check,
                                     commandButton(page, "Cmd_ArCFEstero", QStringLiteral("Compila CF Estero"), false),
                                     commandButton(page, "Cmd_ArFlagsIva", QStringLiteral("Flags Codici IVA"), false),
                                     commandButton(page, "Cmd_ArNatura", QStringLiteral("Verifica Natura IVA"), false),
                                     commandButton(page, "Cmd_ArTotali", QStringLiteral("Totali IVA"), false),
                                     commandButton(page, "Cmd_ArLiquidazioni", QStringLiteral("Liquidazioni"), false)};
    for (int i = 0; i < all.size(); ++i)
        buttons->addWidget(all[i], i / 5, i % 5);
    for (QListView* list : {ardeaLists_.vatCodes, ardeaLists_.reasons, ardeaLists_.subjects}) {
        const QChar kind = list == ardeaLists_.vatCodes ? QLatin1Char('I') : list == ardeaLists_.reasons ? QLatin1Char('C') : QLatin1Char('A');
        connect(list, &QListView::doubleClicked, this, [this, kind, list] { listLines(false, kind, list); });
        connect(list, &QListView::customContextMenuRequested, this,
                [this, list] { exportList(list, list == ardeaLists_.subjects); });
    }
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(buttons);
    layout->addLayout(lists, 1);
    return page;
}

QWidget* ConsoleWindow::makeNemboTab()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("Tab_Nembo"));
    nemboFolder_ = new QLineEdit(page);
    nemboFolder_->setObjectName(QStringLiteral("Txt_Cartella"));
    nemboFolder_->setReadOnly(true);
    nemboCompanies_ = new QComboBox(page);
    nemboCompanies_->setObjectName(QStringLiteral("Cmb_AziNembo"));
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(QStringLiteral("Cartella dell'Export :"), page));
    folderRow->addWidget(nemboFolder_, 1);
    folderRow->addWidget(commandButton(page, "Cmd_NbCartella", QStringLiteral("..."), false));
    folderRow->addWidget(new QLabel(QStringLiteral("Azienda :"), page));
    folderRow->addWidget(nemboCompanies_);
    auto* buttons = new QHBoxLayout;
    for (const auto& [name, caption] : {std::pair{"Cmd_NbLeggi", "Leggi dati per Corvina"}, std::pair{"Cmd_NbPrimaNota", "Leggi dati Prima Nota IVA"},
                                        std::pair{"Cmd_NbEnti", "Controllo PI/CF Enti (8/9)"}, std::pair{"Cmd_NbLiquidazioni", "Liquidazioni"}})
        buttons->addWidget(commandButton(page, name, QLatin1String(caption), false));
    nemboLists_ = makeLists(page, "Nb");
    QHBoxLayout* lists = listsRow(nemboLists_);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(folderRow);
    layout->addLayout(buttons);
    layout->addLayout(lists, 1);
    return page;
}

QWidget* ConsoleWindow::makeCorvinaTab()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("Tab_Corvina"));
    corvinaCompanies_ = new QComboBox(page);
    corvinaCompanies_->setObjectName(QStringLiteral("Cmb_Aziende"));
    corvinaCompanies_->setFont(listFont());
    corvinaCompanies_->setProperty("prompt", QStringLiteral("Selezionare l'Azienda Corvina"));
    corvinaCompanies_->installEventFilter(this);
    connect(corvinaCompanies_, &QComboBox::activated, this, &ConsoleWindow::corvinaCompanyChosen);
    corvinaRelease_ = new QLabel(page);
    corvinaRelease_->setObjectName(QStringLiteral("Lbl_RelCv"));
    importDates_ = new QLabel(page);
    importDates_->setObjectName(QStringLiteral("Lbl_DateImport"));
    importDates_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(importDates_, &QLabel::customContextMenuRequested, this, [this] {
        changeImportDates(ctx_, state_);
    });
    auto* companyRow = new QHBoxLayout;
    companyRow->addWidget(corvinaCompanies_, 1);
    companyRow->addWidget(new QLabel(QStringLiteral("Rel. Programma :"), page));
    companyRow->addWidget(corvinaRelease_);
    companyRow->addWidget(importDates_);

    auto* buttons = new QGridLayout;
    QPushButton* read = commandButton(page, "Cmd_CvLeggi", QStringLiteral("Leggi dati da Corvina"), true);
    read->setToolTip(kEditorTip);
    connect(read, &QPushButton::clicked, this, &ConsoleWindow::readCorvina);
    QPushButton* reload = commandButton(page, "Cmd_CvCombo", QStringLiteral("Aggiorna il Combo"), true);
    connect(reload, &QPushButton::clicked, this, &ConsoleWindow::reloadCorvinaCompanies);
    const QList<QPushButton*> all = {read,
                                     commandButton(page, "Cmd_CvPrimaNota", QStringLiteral("Leggi dati Prima Nota IVA"), false),
                                     commandButton(page, "Cmd_CvEnti", QStringLiteral("Controllo PI/CF Enti (8/9)"), false),
                                     commandButton(page, "Cmd_CvIndIva", QStringLiteral("Indicatori IVA"), false),
                                     commandButton(page, "Cmd_CvIndCau", QStringLiteral("Indicatori CauCon"), false),
                                     commandButton(page, "Cmd_CvComDati", QStringLiteral("PI/CF su Com.Dati Fatture"), false),
                                     commandButton(page, "Cmd_CvLiquidazioni", QStringLiteral("Liquidazioni"), false),
                                     reload,
                                     commandButton(page, "Cmd_CvBackup", QStringLiteral("Backup DB Corvina"), false)};
    for (int i = 0; i < all.size(); ++i)
        buttons->addWidget(all[i], i / 5, i % 5);
    corvinaLists_ = makeLists(page, "Cv");
    for (QListView* list : {corvinaLists_.vatCodes, corvinaLists_.reasons, corvinaLists_.subjects}) {
        const QChar kind = list == corvinaLists_.vatCodes ? QLatin1Char('I') : list == corvinaLists_.reasons ? QLatin1Char('C') : QLatin1Char('A');
        connect(list, &QListView::doubleClicked, this, [this, kind, list] { listLines(true, kind, list); });
        connect(list, &QListView::customContextMenuRequested, this, [this, list] { exportList(list, false); });
    }
    QHBoxLayout* lists = listsRow(corvinaLists_);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(companyRow);
    layout->addLayout(buttons);
    layout->addLayout(lists, 1);
    return page;
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
    if (!openConsole(ctx_, state_, hooks()))
        return false;
    opened_ = true;
    restoreWindowPlacement(this, ctx_.corvSettings(), kWindowName);
    showState();
    return true;
}

void ConsoleWindow::showState()
{
    companyLabel_->setText(ctx_.doArdea ? ctx_.company().code : QStringLiteral("Ardea NON Disponibile"));
    ardeaRelease_->setText(ctx_.doArdea ? ctx_.login().ardeaRelease : QString());
    nemboFolder_->setText(state_.nemboFolder);
    nemboCompanies_->clear();
    nemboCompanies_->addItems(state_.nemboCompanies);
    dateFrom_->setText(state_.dateFrom);
    dateTo_->setText(state_.dateTo);
    sources_->setCurrentIndex(state_.source);
    corvinaRelease_->setText(state_.corvinaRelease);
    corvinaCompanies_->clear();
    corvinaCompanies_->addItems(state_.corvinaRows);
    corvinaCompanies_->setCurrentIndex(state_.corvinaRow);
    importDates_->setText(displayText(importDateLabel(ctx_, state_)));
    tabs_->setTabEnabled(ConsoleState::CorvinaTab, state_.corvinaEnabled);
    tabs_->setCurrentIndex(state_.tab);
}

void ConsoleWindow::setList(QListView* view, const QStringList& rows)
{
    modelOf(view)->setStringList(rows); // one call, however many rows
}

void ConsoleWindow::showResults(const QString& heading, const QStringList& lines)
{
    heading_->setText(heading);
    results_->setStringList(lines);
    rowCount_->setText(heading.isEmpty() && lines.isEmpty() ? QString() : QStringLiteral("%1 Righe.").arg(lines.size()));
}

void ConsoleWindow::readArdea()
{
    if (!ctx_.dataOpen || !ctx_.doArdea) {
        ctx_.ui().beep();
        return;
    }
    for (QListView* list : {ardeaLists_.vatCodes, ardeaLists_.reasons, ardeaLists_.subjects})
        setList(list, {});
    ctx_.ui().busy(true);
    const ReferenceLists lists = readArdeaReferences(ctx_);
    ctx_.ui().busy(false);
    setList(ardeaLists_.vatCodes, lists.vatCodes);
    setList(ardeaLists_.reasons, lists.reasons);
    setList(ardeaLists_.subjects, lists.subjects);
}

void ConsoleWindow::readCorvina()
{
    state_.corvinaRow = corvinaCompanies_->currentIndex();
    showResults(QString(), {});
    for (QListView* list : {corvinaLists_.vatCodes, corvinaLists_.reasons, corvinaLists_.subjects})
        setList(list, {});
    ctx_.ui().busy(true);
    const ReferenceLists lists = readCorvinaReferences(ctx_, state_);
    ctx_.ui().busy(false);
    setList(corvinaLists_.vatCodes, lists.vatCodes);
    setList(corvinaLists_.reasons, lists.reasons);
    setList(corvinaLists_.subjects, lists.subjects);
}

void ConsoleWindow::reloadCorvinaCompanies()
{
    if (!ctx_.corvinaOpen) {
        ctx_.ui().beep();
        return;
    }
    loadCorvinaCompanies(ctx_, state_);
    state_.corvinaRow = static_cast<int>(state_.corvinaRows.indexOf(ctx_.corvSettings().read(keys::kLastCorvinaRow)));
    corvinaCompanies_->clear();
    corvinaCompanies_->addItems(state_.corvinaRows);
    corvinaCompanies_->setCurrentIndex(state_.corvinaRow);
}

void ConsoleWindow::corvinaCompanyChosen(int row)
{
    state_.corvinaRow = row;
    showResults(QString(), {});
    for (QListView* list : {corvinaLists_.vatCodes, corvinaLists_.reasons, corvinaLists_.subjects})
        setList(list, {});
    importDates_->setText(displayText(importDateLabel(ctx_, state_)));
}

void ConsoleWindow::listLines(bool corvina, QChar kind, QListView* list)
{
    const QString row = selectedRow(list);
    if (row.isEmpty()) {
        ctx_.ui().beep();
        return;
    }
    state_.dateFrom = dateFrom_->displayText();
    state_.dateTo = dateTo_->displayText();
    ctx_.ui().busy(true);
    const Listing listing = corvina ? listCorvinaVatLines(ctx_, state_, {kind, row}) : listArdeaVatLines(ctx_, state_, {kind, row});
    ctx_.ui().busy(false);
    if (listing.ran)
        showResults(listing.heading, listing.lines);
}

void ConsoleWindow::exportList(QListView* list, bool withHeading)
{
    QStringList rows = modelOf(list)->stringList();
    if (withHeading && !rows.isEmpty()) {
        const QString heading = ardeaSubjectHeading();
        rows.prepend(utl::RepeatChar(static_cast<int>(heading.size()), QLatin1Char('-')));
        rows.prepend(heading);
    }
    listToFile(ctx_.ui(), rows, ctx_.viewer(), ctx_.paths());
}

void ConsoleWindow::runGeneralCheck()
{
    if (!ctx_.dataOpen || !ctx_.doArdea) {
        ctx_.ui().beep();
        return;
    }
    GeneralCheckInput input;
    input.companyCode = ctx_.company().code;
    input.documentDate = dateFrom_->displayText();
    input.clearResults = [this] { showResults(QString(), {}); };
    corv::runGeneralCheck(ctx_, input);
}

void ConsoleWindow::changeArdeaCompany()
{
    if (!ctx_.doArdea) {
        ctx_.ui().beep();
        return;
    }
    companyLabel_->setText(QStringLiteral("-wait-"));
    if (!changeCompany(ctx_, hooks()))
        ctx_.ui().critical(QStringLiteral("Impossibile aprire i database dell'azienda ") + ctx_.company().code);
    companyLabel_->setText(ctx_.company().code);
}

void ConsoleWindow::lookUpArticle()
{
    if (!ctx_.dataOpen || !ctx_.doArdea) {
        ctx_.ui().beep();
        return;
    }
    Rs2ListOptions options;
    options.title = QStringLiteral("TABIVA");
    options.noHeader = true;
    const Rs2ListResult list = Rs2List(ctx_, ctx_.connections().db(Connections::Company), articleLookupSql(article_->text()), options);
    if (!list.ok)
        return;
    const QString chosen = showRecordsetList(ctx_, list, this);
    const QString code = utl::field(chosen, QStringLiteral("|"), 1);
    // A choice outside the articles (the heading rule) or an unknown code.
    const QString description = code.isEmpty() || code.startsWith(QLatin1Char('=')) ? QString() : articleDescription(ctx_, code);
    if (description.isEmpty()) {
        articleName_->setText(QStringLiteral("-- ERRORE ! --"));
        ctx_.ui().beep();
        return;
    }
    article_->setText(code);
    articleName_->setText(description);
}

void ConsoleWindow::checkDates()
{
    if (!dateRangeCoherent(dateFrom_->displayText(), dateTo_->displayText()))
        ctx_.ui().message(QStringLiteral("Date incoerenti !"));
}

bool ConsoleWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == companyLabel_ && event->type() == QEvent::MouseButtonDblClick) {
        changeArdeaCompany();
        return true;
    }
    if (event->type() == QEvent::FocusIn && watched->property("prompt").isValid()) {
        statusBar()->showMessage(watched->property("prompt").toString());
    } else if (event->type() == QEvent::FocusOut && watched->property("prompt").isValid()) {
        statusBar()->clearMessage();
        if (watched == dateFrom_ || watched == dateTo_)
            checkDates();
    } else if (watched == article_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F4) {
            ctx_.ui().critical(QStringLiteral("F4 era usato da Nembo !! Usare F6 !!"));
            return true;
        }
        if (key == Qt::Key_F6) {
            lookUpArticle();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void ConsoleWindow::keyPressEvent(QKeyEvent* event)
{
    // Enter and Ctrl+V, Ctrl+I, Ctrl+C typed on the window itself are discarded.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter
        || (event->modifiers() & Qt::ControlModifier
            && (event->key() == Qt::Key_V || event->key() == Qt::Key_I || event->key() == Qt::Key_C))) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void ConsoleWindow::closeEvent(QCloseEvent* event)
{
    if (!closed_) {
        closed_ = true;
        state_.dateFrom = dateFrom_->displayText();
        state_.dateTo = dateTo_->displayText();
        state_.corvinaRow = corvinaCompanies_->currentIndex();
        state_.source = sources_->currentIndex();
        state_.tab = tabs_->currentIndex();
        if (opened_) {
            closeConsole(ctx_, state_);
        } else {
            closeConnections(ctx_);
        }
        IniFile settings = ctx_.corvSettings();
        saveWindowPlacement(this, settings, kWindowName);
    }
    event->accept();
}

} // namespace corv
