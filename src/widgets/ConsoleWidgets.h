#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;

namespace corv {

class LinesTable;

// The fixed-pitch font of the console's lists ("Lucida Console" where it is).
QFont consoleListFont();
// A read-only table of the console's lines in its font, one row chosen at a time.
LinesTable* makeConsoleList(QWidget* parent, const QString& name, const QString& toolTip = {});

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
