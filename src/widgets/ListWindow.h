#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QListView;
class QStringListModel;

namespace corv {

class AppContext;
struct Rs2ListResult;

// The list window F_List over the lines of a recordset list: search, keep
// matching, remove before/after, font size, view, save and pipe view.
class ListWindow : public QDialog {
    Q_OBJECT
public:
    ListWindow(AppContext& ctx, const Rs2ListResult& list, QWidget* parent = nullptr);

    // The selected line when closed with OK; empty when cancelled.
    const QString& selectedRow() const { return selected_; }
    QStringList lines() const;

protected:
    void done(int result) override;

private:
    void setLines(const QStringList& lines);
    void updateCount();
    int currentRow() const;
    // The row chosen for OK: selected, and a row of data; -1 when none.
    int chosenRow() const;
    void search();
    void keepMatching();
    void removeLines(bool before);
    void changeFont(double step);
    void viewAll();
    void saveLines();
    void pipeView(int row);

    AppContext& ctx_;
    QString listName_;
    QString caption_;
    QListView* list_;
    QStringListModel* model_;
    QLineEdit* search_;
    QLabel* count_;
    QLabel* heading_;
    QString selected_;
    qsizetype headLines_ = 0;
};

// Shows a recordset list modally and returns the row chosen (empty on cancel).
QString showRecordsetList(AppContext& ctx, const Rs2ListResult& list, QWidget* parent = nullptr);

} // namespace corv
