#include "FormWidgets.h"

#include "ConsoleWidgets.h"
#include "util/MaskedDate.h"
#include "forms/FlagLists.h"
#include "util/TextUtil.h"

namespace corv {

PipeListView::PipeListView(const QString& objectName, QWidget* parent) : LinesTable(objectName, parent)
{
    setSelectionMode(QAbstractItemView::MultiSelection);
}

void letShrink(QComboBox* box, int characters)
{
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(characters);
}

CodeCombo::CodeCombo(const QString& objectName, QWidget* parent) : QComboBox(parent)
{
    setObjectName(objectName);
    setFont(consoleListFont());
    letShrink(this);
}

QString CodeCombo::code() const { return currentIndex() < 0 ? QString() : flagValueCode(currentText()); }

DateField::DateField(const QString& objectName, QWidget* parent) : QLineEdit(parent)
{
    setObjectName(objectName);
    setInputMask(QStringLiteral("99/99/9999;_"));
}

QString DateField::dateText() const
{
    const QString shown = text();
    return QString(shown).remove(QLatin1Char('/')).remove(QLatin1Char('_')).trimmed().isEmpty() ? kEmptyDate : shown;
}

void DateField::setDateText(const QString& value)
{
    if (value == dateText())
        return;
    setText(value == kEmptyDate ? QString() : value);
}

} // namespace corv
