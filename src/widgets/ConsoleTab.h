#pragma once

#include "console/ConsoleState.h"

#include <QKeySequence>
#include <QWidget>

class QLayout;
class QPushButton;

namespace corv {

class AppContext;
class LinesTable;
struct ConsoleCommand;

// One source's page of the console: its command buttons, built from the rows
// of the command table for the tab, and its three reference lists.
// The keys of a tab's buttons, by their place on it: Ctrl+1 to Ctrl+9,
// Ctrl+0, then Ctrl+Shift+1 on.
QKeySequence consoleButtonKeys(int place);

class ConsoleTab : public QWidget {
    Q_OBJECT
public:
    // `top`: the source's own row above the buttons (folder, company), or none.
    ConsoleTab(ConsoleState::Tab tab, QLayout* top, QWidget* parent);

    void setLists(const ReferenceLists& lists);
    // Each button enabled as its command's row says for the state now.
    void enableButtons(const AppContext& ctx, const ConsoleState& state);

signals:
    // A click, or a right-click (a command of its own), on a button.
    void commandClicked(const ConsoleCommand& command);
    // A double-click on a row: "I" VAT code, "C" reason, "A" customer or supplier.
    void rowChosen(ConsoleState::Tab tab, QChar kind, const QString& row);
    // A right click on a list: its rows to a file.
    void exportRequested(LinesTable* list, bool withHeading);

private:
    LinesTable* vatCodes_ = nullptr;
    LinesTable* reasons_ = nullptr;
    LinesTable* subjects_ = nullptr;
    QList<std::pair<QPushButton*, const ConsoleCommand*>> buttons_;
};

} // namespace corv
