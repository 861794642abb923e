#pragma once

#include "console/ConsoleState.h"

#include <QMainWindow>

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStringListModel;
class QTabWidget;

namespace corv {

class AppContext;
struct ConsoleHooks;

// The console: the shared selection state (Ardea company, Corvina company and
// year, dates, source, Nembo folder) and the commands of the three tabs.
class ConsoleWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ConsoleWindow(AppContext& ctx, QWidget* parent = nullptr);

    // Runs the opening; false when the program must end.
    bool open();

    QTabWidget* tabs() const { return tabs_; }
    QStringListModel* results() const { return results_; }
    ConsoleState& state() { return state_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    struct SourceLists {
        QListView* vatCodes;
        QListView* reasons;
        QListView* subjects;
    };

private:
    QWidget* makeArdeaTab();
    QWidget* makeNemboTab();
    QWidget* makeCorvinaTab();
    QWidget* makeFilters();
    SourceLists makeLists(QWidget* page, const char* prefix);
    QPushButton* commandButton(QWidget* page, const char* name, const QString& caption, bool available);
    ConsoleHooks hooks();

    void showState();
    void showResults(const QString& heading, const QStringList& lines);
    void setList(QListView* view, const QStringList& rows);
    void readArdea();
    void readCorvina();
    void reloadCorvinaCompanies();
    void corvinaCompanyChosen(int row);
    void listLines(bool corvina, QChar kind, QListView* list);
    void exportList(QListView* list, bool withHeading);
    void runGeneralCheck();
    void changeArdeaCompany();
    void checkDates();
    void lookUpArticle();

    AppContext& ctx_;
    ConsoleState state_;
    QTabWidget* tabs_;
    QLabel* companyLabel_;
    QLabel* ardeaRelease_;
    QLabel* corvinaRelease_;
    QLabel* importDates_;
    QComboBox* corvinaCompanies_;
    QComboBox* sources_;
    QComboBox* nemboCompanies_;
    QLineEdit* nemboFolder_;
    QLineEdit* dateFrom_;
    QLineEdit* dateTo_;
    QLineEdit* article_;
    QLineEdit* articleName_;
    QList<QLineEdit*> numberFields_;
    SourceLists ardeaLists_{};
    SourceLists nemboLists_{};
    SourceLists corvinaLists_{};
    QLabel* heading_;
    QLabel* rowCount_;
    QListView* resultList_;
    QStringListModel* results_;
    QStringListModel* sorted_;
    bool opened_ = false;
    bool closed_ = false;
};

} // namespace corv
