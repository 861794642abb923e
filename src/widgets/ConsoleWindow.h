#pragma once

#include "console/ConsoleState.h"

#include <QMainWindow>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStringListModel;
class QTabWidget;

namespace corv {

class Session;

class AppContext;
class ConsoleFilters;
class ConsoleTab;
class LinesTable;
struct CommandResult;
struct ConsoleCommand;
struct ConsoleHooks;

// The console: the shared selection state (Ardea company, Corvina company and
// year, dates, source, Nembo folder), the commands of the three tabs built
// from the command table, and the lists the commands fill.
class ConsoleWindow : public QMainWindow {
    Q_OBJECT
public:
    // `session`: started; the window opens the sources through it and closes them.
    ConsoleWindow(AppContext& ctx, Session& session, QWidget* parent = nullptr);
    ~ConsoleWindow() override;

    // Runs the opening; false when the program must end.
    bool open();
    // Runs a command as its button does: the state taken from the window,
    // the buttons locked while it works, what it filled shown.
    CommandResult run(const ConsoleCommand& command);
    // A request to end the program from outside (a termination signal): the
    // running command is stopped and the window closes when it has ended.
    void requestQuit();

    QTabWidget* tabs() const { return tabs_; }
    // The result list's lines as the window shows them.
    QStringList results() const;
    ConsoleState& state() { return state_; }
    bool running() const { return running_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The command on a thread of its own, the window answering meanwhile.
    CommandResult runOnOwnThread(const ConsoleCommand& command);
    void requestStop();
    QLayout* makeNemboRow();
    QLayout* makeCorvinaRow();

    void captureState();
    void showState();
    void showResults();
    void exportList(LinesTable* list, bool withHeading);
    void exportLines(const CompactLines& lines);
    void corvinaCompanyChosen(int row);
    void changeArdeaCompany();
    void changeImportDates();
    ConsoleHooks hooks();

    AppContext& ctx_;
    Session& session_;
    ConsoleState state_;
    QTabWidget* tabs_ = nullptr;
    QLabel* companyLabel_ = nullptr;
    QLabel* ardeaRelease_ = nullptr;
    QLabel* corvinaRelease_ = nullptr;
    QLabel* importDates_ = nullptr;
    QComboBox* corvinaCompanies_ = nullptr;
    QComboBox* sources_ = nullptr;
    QComboBox* nemboCompanies_ = nullptr;
    QLineEdit* nemboFolder_ = nullptr;
    ConsoleFilters* filters_ = nullptr;
    ConsoleTab* pages_[ConsoleState::TabCount] = {};
    QLabel* rowCount_ = nullptr;
    LinesTable* resultList_ = nullptr;
    LinesTable* sortedList_ = nullptr;
    QPushButton* stop_ = nullptr;
    bool opened_ = false;
    bool closed_ = false;
    bool running_ = false;
    bool closeWhenDone_ = false;
};

} // namespace corv
