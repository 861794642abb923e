#include "FlagsWindow.h"

#include "ConsoleWidgets.h"
#include "FormWidgets.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "report/ReportFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>

namespace corv {

FlagsWindow::FlagsWindow(AppContext& ctx, FlagSource source, const CorvinaCompanies& companies, int corvinaRow, QWidget* parent)
    // No record table of the template: these windows change their records through their lists.
    : RecordWindow(ctx, flagListDescription(source).objectName, flagListDescription(source).caption, parent),
      list_(ctx, source, companies)
{
    const FlagListDescription& d = list_.description();
    sources_ = new QComboBox(this);
    sources_->setObjectName(QStringLiteral("Cmb_COM"));
    sources_->setFont(consoleListFont());
    sources_->addItems(list_.sources());
    if (source != FlagSource::ArdeaVatCodes && corvinaRow >= 0 && corvinaRow < sources_->count())
        sources_->setCurrentIndex(corvinaRow);

    rows_ = new PipeListView(QStringLiteral("Lst_IVA"), this);
    rows_->setHeading(d.header);
    rows_->setToolTip(QStringLiteral("Click-DX per la stampa dell'elenco"));

    indicators_ = new QComboBox(this);
    indicators_->setObjectName(QStringLiteral("Cmb_Ind"));
    for (const FlagIndicator& indicator : d.indicators)
        indicators_->addItem(indicator.name);
    indicators_->setCurrentIndex(-1);
    values_ = new CodeCombo(QStringLiteral("Cmb_Val"), this);

    const auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    QPushButton* readButton = button("Cmd_ReadIVA", QStringLiteral("Leggi"));
    QPushButton* go = button("Cmd_Go", d.applyCaption);
    QPushButton* selectButton = button("Cmd_SelOK", d.selectCaption);
    QPushButton* deselect = button("Cmd_SelNo", QStringLiteral("Deseleziona tutto"));
    QPushButton* update = button("Cmd_UpdFlg", QStringLiteral("Aggiorna Lista"));

    auto* top = new QHBoxLayout;
    top->addWidget(sources_, 1);
    top->addWidget(readButton);
    body()->addLayout(top);
    body()->addWidget(rows_, 1);
    auto* choices = new QGridLayout;
    choices->addWidget(new QLabel(QStringLiteral("Indicatore da Impostare"), this), 0, 0);
    choices->addWidget(indicators_, 0, 1);
    choices->addWidget(new QLabel(QStringLiteral("Valore"), this), 1, 0);
    choices->addWidget(values_, 1, 1);
    body()->addLayout(choices);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {selectButton, deselect, go, update})
        buttons->addWidget(b);
    body()->addLayout(buttons);

    if (source == FlagSource::CorvinaReasons) {
        auto* boxes = new QHBoxLayout;
        for (const BooleanFlag& flag : kReasonFlags) {
            auto* box = new QCheckBox(QString::fromUtf8(flag.caption), this);
            box->setObjectName(QLatin1String(flag.box));
            boxes->addWidget(box);
            flags_ << box;
        }
        QPushButton* invert = button("Cmd_Invert", QStringLiteral("Inverti"));
        QPushButton* setTrue = button("Cmd_SetTrue", QStringLiteral("Set TRUE"));
        boxes->addWidget(invert);
        boxes->addWidget(setTrue);
        body()->addLayout(boxes);
        const auto flagsCommand = [this](bool invertFlags) {
            QStringList columns;
            for (int i = 0; i < flags_.size(); ++i) {
                if (flags_[i]->isChecked())
                    columns << QLatin1String(kReasonFlags[i].column);
            }
            const QList<int> selected = rows_->selectedRowNumbers();
            if (!selected.isEmpty() && !columns.isEmpty() && !confirmChange(selected.size()))
                return;
            saidChanged(list_.setFlags(selected, columns, invertFlags), selected.size());
            showRows();
        };
        connect(invert, &QPushButton::clicked, this, [flagsCommand] { flagsCommand(true); });
        connect(setTrue, &QPushButton::clicked, this, [flagsCommand] { flagsCommand(false); });
    }

    connect(readButton, &QPushButton::clicked, this, &FlagsWindow::read);
    connect(update, &QPushButton::clicked, this, &FlagsWindow::read);
    connect(indicators_, &QComboBox::activated, this, &FlagsWindow::indicatorChosen);
    connect(deselect, &QPushButton::clicked, rows_, &QAbstractItemView::clearSelection);
    connect(selectButton, &QPushButton::clicked, this, [this, source] {
        if (source == FlagSource::CorvinaReasons) {
            rows_->invertSelection(); // "Inverti Selezione"
            return;
        }
        if (values_->currentIndex() < 0)
            return;
        const QList<int> rows = list_.rowsToCorrect(indicators_->currentIndex(), values_->currentText());
        showRows();
        rows_->selectRows(rows);
    });
    connect(go, &QPushButton::clicked, this, [this] {
        const QList<int> selected = rows_->selectedRowNumbers();
        const QString value = values_->currentIndex() < 0 ? QString() : values_->currentText();
        // The guards of the command speak first; a change is asked with its size.
        if (!selected.isEmpty() && !value.isEmpty() && !confirmChange(selected.size()))
            return;
        const int changed = list_.apply(selected, indicators_->currentIndex(), value);
        if (!selected.isEmpty() && !value.isEmpty())
            saidChanged(changed, selected.size());
        showRows();
    });
    connect(rows_, &QWidget::customContextMenuRequested, this, &FlagsWindow::report);
    resize(760, 620);
}

FlagsWindow::~FlagsWindow() = default;

bool FlagsWindow::confirmChange(qsizetype codes)
{
    return ctx_.ui().askToChange(codes == 1 ? QStringLiteral("Confermi la modifica di 1 codice ?")
                                            : QStringLiteral("Confermi la modifica di %1 codici ?").arg(codes));
}

void FlagsWindow::saidChanged(int changed, qsizetype selected)
{
    hint(QStringLiteral("Codici modificati : %1 di %2").arg(changed).arg(selected));
}

void FlagsWindow::read()
{
    list_.read(sources_->currentIndex());
    showRows();
}

void FlagsWindow::showRows() { rows_->setRows(list_.rows()); }

void FlagsWindow::indicatorChosen(int index)
{
    values_->clear();
    if (index >= 0 && index < list_.description().indicators.size())
        values_->addItems(list_.description().indicators[index].values);
    values_->setCurrentIndex(-1);
}

void FlagsWindow::report()
{
    const QString path = list_.report(rows_->selectedRowNumbers());
    if (!path.isEmpty())
        presentReport(ctx_.ui(), ctx_.viewer(), path);
}

} // namespace corv
