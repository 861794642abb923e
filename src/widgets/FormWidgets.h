#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QListView>

class QStringListModel;

namespace corv {

// The shared controls of the record windows.

// A list of "|"-separated rows in the fixed-pitch font, several rows
// selectable: select all, invert, select the rows whose field n holds (or
// does not hold) a value.
class PipeListView : public QListView {
    Q_OBJECT
public:
    PipeListView(const QString& objectName, QWidget* parent);
    void setRows(const QStringList& rows);
    QStringList rows() const;
    QList<int> selectedRowNumbers() const;
    void selectRows(const QList<int>& rows);
    void selectAllRows();
    void invertSelection();
    // Field n (from 1, blanks trimmed) equal to the value, or with `differs` different.
    void selectWhere(int field, const QString& value, bool differs = false);

private:
    QStringListModel* model_;
};

// A chooser of "code=description" values; the code is what is stored.
class CodeCombo : public QComboBox {
    Q_OBJECT
public:
    CodeCombo(const QString& objectName, QWidget* parent);
    // The text before "=" of the chosen value; empty when none is chosen.
    QString code() const;
};

// A date field with the "__/__/____" mask; a field showing only the mask is empty.
class DateField : public QLineEdit {
    Q_OBJECT
public:
    DateField(const QString& objectName, QWidget* parent);
    // The date typed as dd/mm/yyyy, or "__/__/____" when the field is empty.
    QString dateText() const;
    void setDateText(const QString& text);
};

} // namespace corv
