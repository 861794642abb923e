#include "ConsoleWindow.h"

#include "WindowPlacement.h"
#include "app/AppContext.h"
#include "app/ReportFiles.h"
#include "app/Startup.h"
#include "platform/Ui.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStatusBar>
#include <QStringListModel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace corv {

namespace {
const QString kWindowName = QStringLiteral("F_Console");

QFont listFont()
{
    QFont font(QStringLiteral("Lucida Console"));
    if (!QFontInfo(font).fixedPitch())
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    return font;
}
} // namespace

ConsoleWindow::ConsoleWindow(AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx)
{
    setObjectName(kWindowName);
    setWindowTitle(QStringLiteral("corvutil - Controlli IVA"));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    auto* heading = new QLabel(this);
    heading->setObjectName(QStringLiteral("Lbl_Ardea"));
    const LoginState& login = ctx_.login();
    heading->setText(ctx_.doArdea ? QStringLiteral("Rel. Programma : ") + login.ardeaRelease
                                  : QStringLiteral("Ardea NON Disponibile"));
    layout->addWidget(heading);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("Tab_Sorgenti"));
    for (const char* name : {"Ardea", "Nembo", "Corvina"})
        tabs_->addTab(makeTab(QLatin1String(name)), QLatin1String(name));
    layout->addWidget(tabs_, 1);

    results_ = new QStringListModel(this);
    resultList_ = new QListView(this);
    resultList_->setObjectName(QStringLiteral("Lst_Risultati"));
    resultList_->setModel(results_);
    resultList_->setFont(listFont());
    resultList_->setUniformItemSizes(true);
    resultList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultList_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(resultList_, &QListView::customContextMenuRequested, this, [this] {
        listToFile(ctx_.ui(), results_->stringList(), ctx_.viewer(), ctx_.paths());
    });
    layout->addWidget(resultList_, 2);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    auto* quit = new QPushButton(QStringLiteral("Abbandona"), this);
    quit->setObjectName(QStringLiteral("Cmd_Abbandona"));
    connect(quit, &QPushButton::clicked, this, &QWidget::close);
    bottom->addWidget(quit);
    layout->addLayout(bottom);

    setCentralWidget(central);
    statusBar()->setObjectName(QStringLiteral("Pan_Stato"));
    resize(900, 650);

    // Without Ardea the Corvina tab comes first.
    tabs_->setCurrentIndex(ctx_.doArdea ? 0 : 2);
    restoreWindowPlacement(this, ctx_.corvSettings(), kWindowName);
}

QWidget* ConsoleWindow::makeTab(const QString& name)
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("Tab_") + name);
    return page;
}

void ConsoleWindow::closeEvent(QCloseEvent* event)
{
    if (!closed_) {
        closed_ = true;
        closeConnections(ctx_);
        IniFile settings = ctx_.corvSettings();
        saveWindowPlacement(this, settings, kWindowName);
    }
    event->accept();
}

} // namespace corv
