#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListView;
class QScrollArea;
class QStringListModel;

namespace corv {

// The fixed-pitch font of the console's lists ("Lucida Console" where it is).
QFont consoleListFont();
// A read-only list in the console's font, its rows in a string model.
QListView* makeConsoleList(QWidget* parent, const QString& name, const QString& toolTip = {});
QStringListModel* modelOf(QListView* view);
QString selectedRow(QListView* view);
// Replaces a list's rows with one model call, however many there are.
void setRows(QListView* view, const QStringList& rows);

// The result list's heading: it scrolls sideways with the list under it,
// and the row count beside it stays in view.
class ResultHeading : public QWidget {
    Q_OBJECT
public:
    ResultHeading(QListView* list, QWidget* parent);
    void show(const QString& heading, qsizetype rows, bool any);
    QString text() const;

private:
    QScrollArea* area_;
    QLabel* heading_;
    QLabel* count_;
};

// The console's filter fields: document dates, number and series fields and
// the article. The dates are checked when one is left (once per change).
class ConsoleFilters : public QWidget {
    Q_OBJECT
public:
    explicit ConsoleFilters(QWidget* parent);

    QLineEdit* dateFrom() const { return dateFrom_; }
    QLineEdit* dateTo() const { return dateTo_; }
    QLineEdit* article() const { return article_; }
    QLineEdit* articleName() const { return articleName_; }
    // The date fields' text with an empty field shown as the empty mask.
    QString fromText() const;
    QString toText() const;
    void setDates(const QString& from, const QString& to);

signals:
    // A field's prompt for the status bar; empty when it is left.
    void hint(const QString& text);
    void datesIncoherent();
    void articleLookup();
    void articleF4();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* dateField(const char* name, const QString& prompt);
    void checkDates();

    QLineEdit* dateFrom_ = nullptr;
    QLineEdit* dateTo_ = nullptr;
    QLineEdit* article_ = nullptr;
    QLineEdit* articleName_ = nullptr;
    QString checkedRange_; // the range last checked: one message per mistake
};

} // namespace corv
