#pragma once

#include <QMainWindow>

class QListView;
class QStringListModel;
class QTabWidget;

namespace corv {

class AppContext;

// The console: one tab per source, the result list and "Abbandona". Closing
// it closes the connections and saves its placement.
class ConsoleWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ConsoleWindow(AppContext& ctx, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    QStringListModel* results() const { return results_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* makeTab(const QString& name);

    AppContext& ctx_;
    QTabWidget* tabs_;
    QListView* resultList_;
    QStringListModel* results_;
    bool closed_ = false;
};

} // namespace corv
