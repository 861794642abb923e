#include "ConsoleTab.h"

#include "ConsoleWidgets.h"
#include "LinesTable.h"
#include "console/ConsoleCommands.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace corv {

namespace {
const char* const kListPrefix[] = {"Ar", "Nb", "Cv"};
const char* const kTabNames[] = {"Tab_Ardea", "Tab_Nembo", "Tab_Corvina"};
} // namespace

ConsoleTab::ConsoleTab(ConsoleState::Tab tab, QLayout* top, QWidget* parent) : QWidget(parent)
{
    setObjectName(QLatin1String(kTabNames[tab]));
    auto* buttons = new QGridLayout;
    // Two rows of buttons, five across at least, so that a tab's last buttons
    // (the two comparisons of Corvina) stay side by side.
    const auto onTab = std::count_if(consoleCommands().begin(), consoleCommands().end(), [tab](const ConsoleCommand& c) { return c.tab == tab; });
    const int columns = std::max(5, static_cast<int>(onTab + 1) / 2);
    int placed = 0;
    for (const ConsoleCommand& command : consoleCommands()) {
        if (command.tab != tab)
            continue;
        auto* button = new QPushButton(command.caption, this);
        button->setObjectName(command.objectName);
        button->setToolTip(command.toolTip);
        button->setEnabled(command.available());
        connect(button, &QPushButton::clicked, this, [this, &command] { emit commandClicked(command); });
        if (command.rightClick) {
            button->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(button, &QPushButton::customContextMenuRequested, this,
                    [this, &command] { emit commandClicked(consolecommands::rightClickOf(command)); });
        }
        buttons_.append({button, &command});
        buttons->addWidget(button, placed / columns, placed % columns);
        ++placed;
    }
    const QString prefix = QStringLiteral("Lst_") + QLatin1String(kListPrefix[tab]);
    vatCodes_ = makeConsoleList(this, prefix + QStringLiteral("Iva"), QStringLiteral("Dbl-Click per documenti con Codice IVA selezionato"));
    reasons_ = makeConsoleList(this, prefix + QStringLiteral("Cau"), QStringLiteral("Dbl-Click per documenti con Causale Cont. selezionata"));
    subjects_ = makeConsoleList(this, prefix + QStringLiteral("CliFor"), QStringLiteral("Dbl-Click per documenti con Cli/For selezionato"));
    for (auto [list, kind] : {std::pair{vatCodes_, 'I'}, std::pair{reasons_, 'C'}, std::pair{subjects_, 'A'}}) {
        // The legacy archive's lines are listed by the commands of its own Part.
        if (tab != ConsoleState::NemboTab)
            connect(list, &QAbstractItemView::doubleClicked, this,
                    [this, tab, kind, list] { emit rowChosen(tab, QLatin1Char(kind), list->currentLine()); });
        const bool withHeading = tab == ConsoleState::ArdeaTab && kind == 'A';
        connect(list, &QWidget::customContextMenuRequested, this, [this, list, withHeading] { emit exportRequested(list, withHeading); });
    }
    auto* lists = new QHBoxLayout;
    lists->addWidget(vatCodes_, 1);
    lists->addWidget(reasons_, 1);
    lists->addWidget(subjects_, 2);
    auto* layout = new QVBoxLayout(this);
    if (top)
        layout->addLayout(top);
    layout->addLayout(buttons);
    layout->addLayout(lists, 1);
}

void ConsoleTab::enableButtons(const AppContext& ctx, const ConsoleState& state)
{
    for (const auto& [button, command] : buttons_)
        button->setEnabled(commandEnabled(ctx, state, *command));
}

void ConsoleTab::setLists(const ReferenceLists& lists)
{
    vatCodes_->setContent(lists.vatCodesHeading, lists.vatCodes);
    reasons_->setContent(lists.reasonsHeading, lists.reasons);
    subjects_->setContent(lists.subjectsHeading, lists.subjects);
}

} // namespace corv
