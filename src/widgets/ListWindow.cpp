#include "ListWindow.h"

#include "LinesTable.h"
#include "WindowPlacement.h"
#include "context/AppContext.h"
#include "util/TextUtil.h"
#include "listview/ListFiles.h"
#include "listview/ListLines.h"
#include "listview/Rs2List.h"
#include "platform/Ui.h"

#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace corv {

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

ListWindow::ListWindow(AppContext& ctx, const Rs2ListResult& list, QWidget* parent)
    : QDialog(parent), ctx_(ctx), listName_(list.listName), caption_(list.caption), headLines_(list.headLines)
{
    setObjectName(QStringLiteral("F_List"));
    setWindowTitle(list.caption);
    heading_ = list.heading;
    head_ = new QLabel(this);
    head_->setObjectName(QStringLiteral("Lbl_Testa"));
    head_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    head_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    list_ = new LinesTable(QStringLiteral("Lst_Lista"), this);
    list_->setHeading(QString(heading_).replace(QLatin1Char('!'), QLatin1Char('|')));
    search_ = new QLineEdit(list.searchText, this);
    search_->setObjectName(QStringLiteral("Txt_Cerca"));
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("Lbl_Qta"));
    count_->setContextMenuPolicy(Qt::CustomContextMenu);

    auto* tools = new QHBoxLayout;
    tools->addWidget(search_, 1);
    QPushButton* find = button(this, "Cmd_Cerca", QStringLiteral("Cerca"));
    QPushButton* keep = button(this, "Cmd_Lascia", QStringLiteral("Lascia"));
    QPushButton* before = button(this, "Cmd_Before", QStringLiteral("Elimina prec."));
    QPushButton* after = button(this, "Cmd_After", QStringLiteral("Elimina succ."));
    QPushButton* bigger = button(this, "Cmd_Big", QStringLiteral("A+"));
    QPushButton* smaller = button(this, "Cmd_Litt", QStringLiteral("A-"));
    QPushButton* view = button(this, "Cmd_View", QStringLiteral("Visualizza"));
    for (QPushButton* b : {find, keep, before, after, bigger, smaller, view})
        tools->addWidget(b);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(count_);
    bottom->addStretch();
    QPushButton* ok = button(this, "Cmd_Ok", QStringLiteral("OK"));
    QPushButton* cancel = button(this, "Cmd_Cancel", QStringLiteral("Annulla"));
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(head_);
    layout->addWidget(list_, 1);
    layout->addLayout(bottom);

    connect(find, &QPushButton::clicked, this, &ListWindow::search);
    connect(search_, &QLineEdit::returnPressed, this, &ListWindow::search);
    connect(keep, &QPushButton::clicked, this, &ListWindow::keepMatching);
    connect(before, &QPushButton::clicked, this, [this] { removeLines(true); });
    connect(after, &QPushButton::clicked, this, [this] { removeLines(false); });
    connect(bigger, &QPushButton::clicked, this, [this] { changeFont(1); });
    connect(smaller, &QPushButton::clicked, this, [this] { changeFont(-1); });
    connect(view, &QPushButton::clicked, this, &ListWindow::viewAll);
    // The right button on "Visualizza": the reports written to disk.
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->setToolTip(QStringLiteral("Click-Dx per le stampe su disco"));
    connect(view, &QPushButton::customContextMenuRequested, this,
            [this] { ctx_.ui().showForm(ctx_, FormRequest{FormKind::DiskPrintArchive, {}, -1}); });
    connect(count_, &QLabel::customContextMenuRequested, this, &ListWindow::saveLines);
    connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = list_->indexAt(at);
        pipeView(index.isValid() ? static_cast<int>(headLines_ + list_->linesModel()->lineIndex(index.row())) : -1);
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        const int row = chosenRow();
        selected_ = row >= 0 ? lines_.at(row) : QString();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        selected_.clear();
        reject();
    });

    resize(1000, 600);
    restoreWindowPlacement(this, ctx_.corvSettings(), listName_ + QString(), 0, 0, kListPlacementSection);
    const Placement stored = Placement::parse(ctx_.corvSettings().read(kListPlacementSection, listName_ + QStringLiteral("_Size"),
                                                                      QStringLiteral("0|1|1|1500|1500|8,25|")));
    if (stored.fontSize && *stored.fontSize > 0) {
        QFont font = list_->font();
        font.setPointSizeF(*stored.fontSize);
        list_->setFont(font);
    }
    setLines(list.lines);
}

QStringList ListWindow::lines() const { return lines_; }

void ListWindow::setLines(const QStringList& lines)
{
    lines_ = lines;
    const qsizetype head = std::min(headLines_, lines_.size());
    head_->setText(lines_.mid(0, head).join(QLatin1Char('\n')));
    head_->setVisible(head > 0);
    list_->setContent(list_->heading(), lines_.mid(head));
    updateCount();
}

void ListWindow::updateCount() { count_->setText(listlines::countText(lines_.size())); }

int ListWindow::currentRow() const
{
    const QModelIndex current = list_->currentIndex();
    return current.isValid() ? static_cast<int>(headLines_ + list_->linesModel()->lineIndex(current.row())) : -1;
}

void ListWindow::setCurrentLine(qsizetype line)
{
    const int row = list_->linesModel()->rowOfLine(line - headLines_);
    list_->setCurrentIndex(list_->model()->index(row, 0));
}

int ListWindow::chosenRow() const
{
    // A row the user selected: the head lines are not rows of the table.
    const QModelIndex current = list_->currentIndex();
    if (!current.isValid() || !list_->selectionModel()->isSelected(current))
        return -1;
    return currentRow();
}

void ListWindow::search()
{
    // The rows of data only, from the one after the current line.
    const QStringList data = lines_.mid(headLines_);
    const int current = currentRow();
    const qsizetype found = listlines::findNext(data, current < 0 ? -1 : current - headLines_, search_->text());
    if (found < 0) {
        ctx_.ui().beep();
        return;
    }
    setCurrentLine(headLines_ + found);
}

void ListWindow::keepMatching()
{
    if (search_->text().trimmed().isEmpty() || lines_.isEmpty()) {
        ctx_.ui().beep();
        return;
    }
    headLines_ = listlines::headAfterKeep(lines_, headLines_, search_->text());
    setLines(listlines::keepMatching(lines_, search_->text()));
    ctx_.ui().beep();
}

void ListWindow::removeLines(bool before)
{
    const int row = currentRow();
    if (row < 0) {
        ctx_.ui().beep();
        return;
    }
    if (!ctx_.ui().askYesNo(before ? QStringLiteral("Confermi eliminazione righe PRECEDENTI ?")
                                   : QStringLiteral("Confermi eliminazione righe SUCCESSIVE ?")))
        return;
    headLines_ = before ? listlines::headAfterRemoveBefore(headLines_, row) : listlines::headAfterRemoveAfter(headLines_, row);
    setLines(before ? listlines::removeBefore(lines_, row) : listlines::removeAfter(lines_, row));
}

void ListWindow::changeFont(double step)
{
    QFont font = list_->font();
    const double size = font.pointSizeF();
    const double next = std::max(4.0, size + step);
    font.setPointSizeF(next);
    list_->setFont(font);
    findChild<QPushButton*>(QStringLiteral("Cmd_Big"))->setToolTip(QStringLiteral("Aumenta il Carattere : %1->%2").arg(next).arg(next + 1));
    findChild<QPushButton*>(QStringLiteral("Cmd_Litt"))->setToolTip(QStringLiteral("Riduce il Carattere : %1->%2").arg(next).arg(next - 1));
}

void ListWindow::viewAll() { listfiles::viewList(ctx_, caption_, heading_, lines_); }

void ListWindow::saveLines() { listfiles::saveList(ctx_, listName_, lines_); }

void ListWindow::pipeView(int row)
{
    if (row >= 0)
        listfiles::pipeViewLine(ctx_, caption_, heading_, lines_.at(row));
}

void ListWindow::done(int result)
{
    IniFile settings = ctx_.corvSettings();
    saveWindowPlacement(this, settings, listName_, kListPlacementSection, list_->font().pointSizeF());
    QDialog::done(result);
}

QString showRecordsetList(AppContext& ctx, const Rs2ListResult& list, QWidget* parent)
{
    ListWindow window(ctx, list, parent);
    QTimer::singleShot(0, &window, [&window] { keepOnScreen(&window); });
    window.exec();
    return window.selectedRow();
}

} // namespace corv
