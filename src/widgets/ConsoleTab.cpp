#include "ConsoleTab.h"

#include "ConsoleWidgets.h"
#include "LinesTable.h"
#include "console/ConsoleCommands.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QMap>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

namespace corv {

namespace {
const char* const kListPrefix[] = {"Ar", "Nb", "Cv"};
const char* const kTabNames[] = {"Tab_Ardea", "Tab_Nembo", "Tab_Corvina"};

// The theme's icon for what a button does, Qt's own where the theme has none.
QIcon iconFor(const QString& objectName, const QStyle* style)
{
    const struct {
        const char* part;
        const char* theme;
        QStyle::StandardPixmap fallback;
    } icons[] = {
        {"Leggi", "document-open", QStyle::SP_DialogOpenButton},        {"PrimaNota", "x-office-spreadsheet", QStyle::SP_FileDialogDetailedView},
        {"PIEnti", "dialog-warning", QStyle::SP_MessageBoxWarning},     {"ChkCFPI", "dialog-warning", QStyle::SP_MessageBoxWarning},
        {"Ester", "edit-find-replace", QStyle::SP_FileDialogContentsView}, {"Flags", "preferences-system", QStyle::SP_FileDialogListView},
        {"Ind", "preferences-system", QStyle::SP_FileDialogListView},   {"Natura", "edit-find", QStyle::SP_FileDialogContentsView},
        {"Totali", "accessories-calculator", QStyle::SP_FileDialogInfoView}, {"Liquidazioni", "view-calendar", QStyle::SP_FileDialogInfoView},
        {"Cartella", "folder-open", QStyle::SP_DirOpenIcon},            {"ComDati", "mail-send", QStyle::SP_ArrowRight},
        {"Combo", "view-refresh", QStyle::SP_BrowserReload},            {"Backup", "document-save", QStyle::SP_DriveHDIcon},
        {"Confronto", "view-split-left-right", QStyle::SP_FileDialogDetailedView},
    };
    for (const auto& icon : icons) {
        if (objectName.contains(QLatin1String(icon.part)))
            return QIcon::fromTheme(QLatin1String(icon.theme), style->standardIcon(icon.fallback));
    }
    return {};
}

// The group a button stands in, by what it does: reading the source, checking
// the codes, the indicators, the comparisons, the database itself.
QString groupOf(const QString& objectName)
{
    const struct {
        const char* part;
        const char* group;
    } groups[] = {{"Confronto", "Confronti"}, {"PIEnti", "Controlli"}, {"ChkCFPI", "Controlli"}, {"Ester", "Controlli"},
                  {"Natura", "Controlli"},    {"ComDati", "Controlli"},  {"Flags", "Indicatori"},  {"Ind", "Indicatori"},
                  {"Backup", "Archivio"}};
    for (const auto& g : groups) {
        if (objectName.contains(QLatin1String(g.part)))
            return QString::fromUtf8(g.group);
    }
    return QStringLiteral("Lettura");
}

} // namespace

QKeySequence consoleButtonKeys(int place)
{
    static const Qt::Key digits[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5, Qt::Key_6, Qt::Key_7, Qt::Key_8, Qt::Key_9, Qt::Key_0};
    const Qt::KeyboardModifiers modifiers = place < 10 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier;
    return QKeySequence(modifiers | digits[place % 10]);
}

ConsoleTab::ConsoleTab(ConsoleState::Tab tab, QLayout* top, QWidget* parent) : QWidget(parent)
{
    setObjectName(QLatin1String(kTabNames[tab]));
    // The buttons in groups side by side, each two rows high.
    auto* buttons = new QHBoxLayout;
    QMap<QString, QGridLayout*> grids;
    QMap<QString, int> inGroup;
    int placed = 0;
    for (const ConsoleCommand& command : consoleCommands()) {
        if (command.tab != tab)
            continue;
        auto* button = new QPushButton(command.caption, this);
        button->setObjectName(command.objectName);
        const QKeySequence keys = consoleButtonKeys(placed);
        button->setIcon(iconFor(command.objectName, style()));
        button->setToolTip(command.toolTip);
        button->setStatusTip(command.caption + QStringLiteral(" : ") + keys.toString(QKeySequence::NativeText));
        // The key of a button works while its tab is shown, as a click (the
        // other tabs' pages are hidden, and with them their keys).
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, button, [button] {
            if (button->isEnabled() && button->isVisible())
                button->click();
        });
        button->setEnabled(command.available());
        connect(button, &QPushButton::clicked, this, [this, &command] { emit commandClicked(command); });
        if (command.rightClick) {
            button->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(button, &QPushButton::customContextMenuRequested, this,
                    [this, &command] { emit commandClicked(consolecommands::rightClickOf(command)); });
        }
        buttons_.append({button, &command});
        const QString group = groupOf(command.objectName);
        if (!grids.contains(group)) {
            auto* box = new QGroupBox(group, this);
            box->setObjectName(QStringLiteral("Grp_") + group);
            grids[group] = new QGridLayout(box);
            buttons->addWidget(box, group == QLatin1String("Lettura") ? 2 : 1);
        }
        const int at = inGroup[group]++;
        grids[group]->addWidget(button, at % 2, at / 2);
        ++placed;
    }
    const QString prefix = QStringLiteral("Lst_") + QLatin1String(kListPrefix[tab]);
    vatCodes_ = makeConsoleList(this, prefix + QStringLiteral("Iva"), QStringLiteral("Dbl-Click per documenti con Codice IVA selezionato"));
    reasons_ = makeConsoleList(this, prefix + QStringLiteral("Cau"), QStringLiteral("Dbl-Click per documenti con Causale Cont. selezionata"));
    subjects_ = makeConsoleList(this, prefix + QStringLiteral("CliFor"), QStringLiteral("Dbl-Click per documenti con Cli/For selezionato"));
    for (const auto& entry : {std::pair{vatCodes_, 'I'}, std::pair{reasons_, 'C'}, std::pair{subjects_, 'A'}}) {
        LinesTable* const list = entry.first;
        const char kind = entry.second;
        // The Nembo lists are listed by the Nembo tab's own commands.
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
