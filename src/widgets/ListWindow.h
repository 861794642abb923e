#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace corv {

class AppContext;
class LinesTable;
struct Rs2ListResult;

// The list window F_List over the lines of a recordset list: search, keep
// matching, remove before/after, font size, view, save and pipe view. The
// rows of data are a table (columns named by the heading, sorted by a click);
// the head lines above them (connection, statement) are shown apart and are
// never a choice.
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
    // The current row's place among all the lines, head lines included; -1 when none.
    int currentRow() const;
    void setCurrentLine(qsizetype line);
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
    LinesTable* list_;
    QStringList lines_;
    QString heading_; // the columns' names, "!" between them
    QLabel* head_;
    QLineEdit* search_;
    QLabel* count_;
    QString selected_;
    qsizetype headLines_ = 0;
};

// Shows a recordset list modally and returns the row chosen (empty on cancel).
QString showRecordsetList(AppContext& ctx, const Rs2ListResult& list, QWidget* parent = nullptr);

} // namespace corv
