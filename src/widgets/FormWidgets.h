#pragma once

#include "LinesTable.h"

#include <QComboBox>
#include <QLineEdit>

namespace corv {

// The shared controls of the record windows.

// A table of "|"-separated rows, several rows selectable by clicking them:
// select all, invert, select the rows whose field n holds (or does not hold)
// a value.
class PipeListView : public LinesTable {
    Q_OBJECT
public:
    PipeListView(const QString& objectName, QWidget* parent);
};

// A box of choices that gives up width to the window rather than widening
// it to its longest choice (the list that opens shows them whole).
void letShrink(QComboBox* box, int characters = 16);

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
