#include "StockSettlementWindow.h"

#include "FormWidgets.h"
#include "settings/Settings.h"
#include "platform/IniFile.h"
#include "platform/Ui.h"
#include "context/AppContext.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace corv {

namespace {

const char* const kFilterNames[] = {"GruM", "SGruM", "Linea"};

template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

StockSettlementWindow::StockSettlementWindow(AppContext& ctx, QWidget* parent)
    : RecordWindow(ctx, QStringLiteral("F_StLiq"), QStringLiteral("Liquidazioni e Articoli"), parent), register_(ctx, list_), stock_(ctx, list_)
{
    company_ = named(new QLabel(ctx.company().code + QStringLiteral(" - ") + ctx.company().name, this), "Lbl_Azi");
    lines_ = new PipeListView(QStringLiteral("Lst_Mov"), this);
    lines_->setContextMenuPolicy(Qt::CustomContextMenu);
    body()->addWidget(company_);
    body()->addWidget(lines_, 1);
    auto* sides = new QHBoxLayout;
    sides->addWidget(buildSettlementSide());
    sides->addWidget(buildStockSide(), 1);
    body()->addLayout(sides);
    connect(lines_, &QWidget::customContextMenuRequested, this, [this] { register_.listToViewer(company_->text()); });
    register_.refresh();
    showList();
    resize(1300, 760);
}

QWidget* StockSettlementWindow::buildSettlementSide()
{
    auto* box = new QGroupBox(QStringLiteral("Liquidazioni"), this);
    auto* grid = new QGridLayout(box);
    state_ = named(new QComboBox(box), "Cmb_StLiq");
    state_->addItems(SettlementRegister::stateChoices());
    auto* set = named(new QPushButton(QStringLiteral("Imposta Stato"), box), "Cmd_SET");
    auto* all = named(new QPushButton(QStringLiteral("Seleziona tutto"), box), "Cmd_SelAll");
    auto* invert = named(new QPushButton(QStringLiteral("Inverti selezione"), box), "Cmd_SelInv");
    auto* listed = named(new QPushButton(QStringLiteral("Elenco"), box), "Cmd_Elenco");
    auto* refresh = named(new QPushButton(QStringLiteral("Liquidazioni"), box), "Cmd_RefLiq");
    refresh->setToolTip(QStringLiteral("Rilegge le liquidazioni nell'elenco"));
    grid->addWidget(state_, 0, 0);
    grid->addWidget(set, 0, 1);
    grid->addWidget(all, 1, 0);
    grid->addWidget(invert, 1, 1);
    grid->addWidget(refresh, 2, 0);
    grid->addWidget(listed, 2, 1);
    connect(set, &QPushButton::clicked, this, [this] {
        register_.setState(lines_->selectedRowNumbers(), state_->currentText());
        showList();
    });
    connect(all, &QPushButton::clicked, lines_, &PipeListView::selectAllRows);
    connect(invert, &QPushButton::clicked, lines_, &PipeListView::invertSelection);
    connect(listed, &QPushButton::clicked, this, [this] { register_.listToViewer(company_->text()); });
    connect(refresh, &QPushButton::clicked, this, [this] {
        register_.refresh();
        showList();
    });
    return box;
}

QWidget* StockSettlementWindow::buildStockSide()
{
    IniFile settings = ctx_.corvSettings();
    auto* box = new QGroupBox(QStringLiteral("Articoli da Obsolescenza"), this);
    auto* grid = new QGridLayout(box);
    cutOff_ = new DateField(QStringLiteral("Dat_Obs"), box);
    cutOff_->setDateText(keys::kObsolescenceDate.read(settings));
    alreadyObsolete_ = named(new QCheckBox(QStringLiteral("Articoli già obsoleti"), box), "Chk_YetObs");
    code_ = named(new QLineEdit(box), "Txt_CodArt");
    matchMode_ = named(new QComboBox(box), "Cmb_ConfArt");
    matchMode_->addItems(ArticleObsolescence::matchModes());
    matchMode_->setCurrentIndex(keys::kArticleMatchMode.read(settings));
    description_ = named(new QLineEdit(box), "Txt_DesArt");
    grid->addWidget(new QLabel(QStringLiteral("Data"), box), 0, 0);
    grid->addWidget(cutOff_, 0, 1);
    grid->addWidget(alreadyObsolete_, 0, 2, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Codice"), box), 1, 0);
    grid->addWidget(code_, 1, 1);
    grid->addWidget(matchMode_, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Descrizione"), box), 2, 0);
    grid->addWidget(description_, 2, 1, 1, 2);
    const QString captions[] = {QStringLiteral("Gruppo"), QStringLiteral("Sottogruppo"), QStringLiteral("Linea")};
    const char* fieldNames[] = {"Txt_GruM", "Txt_SGruM", "Txt_Linea"};
    const char* labelNames[] = {"Lbl_GruM", "Lbl_SGruM", "Lbl_Linea"};
    for (int i = 0; i < 3; ++i) {
        const QString which = QLatin1String(kFilterNames[i]);
        filters_[i] = named(new QLineEdit(settings.read(keys::kStockSection, filterKey(which)), box), fieldNames[i]);
        filters_[i]->setToolTip(QStringLiteral("Doppio click o F6 per l'elenco"));
        filterNames_[i] = named(new QLabel(stock_.describe(which, filters_[i]->text()), box), labelNames[i]);
        auto* pick = new QPushButton(QStringLiteral("..."), box);
        pick->setObjectName(QStringLiteral("Cmd_") + which);
        pick->setMaximumWidth(32);
        grid->addWidget(new QLabel(captions[i], box), 3 + i, 0);
        grid->addWidget(filters_[i], 3 + i, 1);
        grid->addWidget(pick, 3 + i, 2, Qt::AlignLeft);
        grid->addWidget(filterNames_[i], 3 + i, 3);
        connect(pick, &QPushButton::clicked, this, [this, which] { lookUp(which); });
        connect(filters_[i], &QLineEdit::editingFinished, this,
                [this, i, which] { filterNames_[i]->setText(stock_.describe(which, filters_[i]->text())); });
    }
    searchButton_ = named(new QPushButton(QStringLiteral("Cerca Articoli"), box), "Cmd_ArtObs");
    stopButton_ = named(new QPushButton(QStringLiteral("Stop"), box), "Cmd_Stop");
    stopButton_->setEnabled(false);
    auto* apply = named(new QPushButton(QStringLiteral("Applica"), box), "Cmd_Go");
    apply->setToolTip(QStringLiteral("Obsolescenza alla data, o rimozione per gli articoli già obsoleti"));
    priceList_ = named(new QComboBox(box), "Cmb_List");
    priceList_->addItems(stock_.priceLists());
    auto* transfer = named(new QPushButton(QStringLiteral("Listino -> Costo Std"), box), "Cmd_Lst2Std");
    valuation_ = named(new QComboBox(box), "Cmb_Valor");
    valuation_->addItems(ArticleObsolescence::valuationCriteria());
    valuation_->setCurrentIndex(keys::kValuationCriterion.read(settings));
    auto* adjust = named(new QPushButton(QStringLiteral("Rettifiche Inventario"), box), "Cmd_CreaRettInv");
    adjust->setEnabled(false);
    adjust->setToolTip(QStringLiteral("Non disponibile: le rettifiche d'inventario non sono ancora definite"));
    // The search on one row, the costs on the next: the window fits a small screen.
    auto* buttons = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(searchButton_), static_cast<QWidget*>(stopButton_), static_cast<QWidget*>(apply)})
        buttons->addWidget(w);
    buttons->addStretch();
    auto* costs = new QHBoxLayout;
    costs->addWidget(new QLabel(QStringLiteral("Listino"), box));
    costs->addWidget(priceList_);
    costs->addWidget(transfer);
    costs->addWidget(valuation_);
    costs->addWidget(adjust);
    costs->addStretch();
    for (QComboBox* combo : {priceList_, valuation_})
        letShrink(combo, 12);
    grid->addLayout(buttons, 6, 0, 1, 4);
    grid->addLayout(costs, 7, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    connect(searchButton_, &QPushButton::clicked, this, &StockSettlementWindow::search);
    connect(stopButton_, &QPushButton::clicked, this, [this] { ctx_.stop().request(); });
    connect(apply, &QPushButton::clicked, this, [this] {
        stock_.apply(lines_->selectedRowNumbers(), cutOff_->dateText());
        // The list shows the articles as they were found; their new state is in the database.
    });
    connect(transfer, &QPushButton::clicked, this, [this] { stock_.transferCosts(priceList_->currentText()); });
    connect(valuation_, &QComboBox::currentIndexChanged, this, [this](int index) {
        IniFile s = ctx_.corvSettings();
        saveSetting(ctx_.ui(), s, keys::kValuationCriterion.key, QString::number(index));
    });
    return box;
}

QString StockSettlementWindow::filterKey(const QString& which) const { return ctx_.company().name + QLatin1Char('_') + which; }

void StockSettlementWindow::lookUp(const QString& which)
{
    const int i = which == QLatin1String("GruM") ? 0 : which == QLatin1String("SGruM") ? 1 : 2;
    if (const auto choice = stock_.lookUp(which, filters_[0]->text())) {
        filters_[i]->setText(choice->code);
        filterNames_[i]->setText(choice->description);
    }
}

void StockSettlementWindow::showList()
{
    lines_->setContent(list_.heading, list_.lines);
}

void StockSettlementWindow::search()
{
    ArticleSearch s;
    s.cutOff = cutOff_->dateText();
    s.alreadyObsolete = alreadyObsolete_->isChecked();
    s.code = code_->text();
    s.matchMode = matchMode_->currentIndex();
    s.description = description_->text();
    s.group = filters_[0]->text();
    s.subgroup = filters_[1]->text();
    s.line = filters_[2]->text();
    lines_->setRows({});
    searchButton_->setEnabled(false);
    stopButton_->setEnabled(true);
    stock_.search(s);
    searchButton_->setEnabled(true);
    stopButton_->setEnabled(false);
    showList();
}

void StockSettlementWindow::closeEvent(QCloseEvent* event)
{
    IniFile settings = ctx_.corvSettings();
    QList<std::pair<IniKey, QString>> choices = {keys::kObsolescenceDate(cutOff_->dateText()), keys::kArticleMatchMode(matchMode_->currentIndex())};
    for (int i = 0; i < 3; ++i)
        choices.append({{keys::kStockSection, filterKey(QLatin1String(kFilterNames[i]))}, filters_[i]->text().trimmed()});
    if (!settings.writeAll(choices))
        ctx_.ui().critical(QStringLiteral("Impossibile salvare le scelte della finestra nel file :\r\n") + settings.path() + QStringLiteral("\r\n(")
                               + settings.lastError() + QLatin1Char(')'),
                           QStringLiteral("Impostazioni"));
    RecordWindow::closeEvent(event);
}

} // namespace corv
