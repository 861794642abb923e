#include "ConsoleWidgets.h"

#include "LinesTable.h"
#include "console/ConsoleState.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace corv {

QFont consoleListFont()
{
    QFont font(QStringLiteral("Lucida Console"));
    if (!QFontInfo(font).fixedPitch())
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    return font;
}

LinesTable* makeConsoleList(QWidget* parent, const QString& name, const QString& toolTip)
{
    auto* table = new LinesTable(name, parent);
    table->setToolTip(toolTip);
    return table;
}

ConsoleFilters::ConsoleFilters(QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    dateFrom_ = dateField("Dat_Ini", QStringLiteral("Data Iniziale Documento"));
    dateTo_ = dateField("Dat_Fin", QStringLiteral("Data Finale Documento"));
    grid->addWidget(new QLabel(QStringLiteral("Da data Reg. :"), this), 0, 0);
    grid->addWidget(dateFrom_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("A data Reg. :"), this), 0, 2);
    grid->addWidget(dateTo_, 0, 3);

    // Document number and article fields: kept and reset with the others.
    static const struct {
        const char* name;
        const char* prompt;
        const char* value;
        bool digits;
        const char* caption;
    } numbers[] = {{"Txt_NumIni", "Numero Iniziale.", "0", true, "Dal N. :"}, {"Txt_NumFin", "Numero Finale.", "", true, "Al N. :"},
                   {"Txt_Serie", "Serie.", "*", false, "Serie :"},           {"Txt_NumIni2", "Numero Iniziale.", "0", true, "Dal N. :"},
                   {"Txt_NumFin2", "Numero Finale.", "0", true, "Al N. :"},  {"Txt_Serie2", "Serie.", "*", false, "Serie :"}};
    auto* numbersRow = new QHBoxLayout;
    for (const auto& n : numbers) {
        numbersRow->addWidget(new QLabel(QLatin1String(n.caption), this));
        auto* field = new QLineEdit(QLatin1String(n.value), this);
        field->setObjectName(QLatin1String(n.name));
        field->setProperty("prompt", QLatin1String(n.prompt));
        field->setMaximumWidth(70);
        field->installEventFilter(this);
        if (n.digits)
            field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), field));
        else
            connect(field, &QLineEdit::textEdited, field, [field](const QString& text) {
                if (text != text.toUpper())
                    field->setText(text.toUpper());
            });
        numbersRow->addWidget(field);
    }
    numbersRow->addStretch();
    grid->addLayout(numbersRow, 1, 0, 1, 8);
    article_ = new QLineEdit(this);
    article_->setObjectName(QStringLiteral("Txt_Articolo"));
    article_->installEventFilter(this);
    articleName_ = new QLineEdit(this);
    articleName_->setObjectName(QStringLiteral("Txt_DesArt"));
    articleName_->setReadOnly(true);
    grid->addWidget(new QLabel(QStringLiteral("Articolo :"), this), 2, 0);
    grid->addWidget(article_, 2, 1, 1, 2);
    grid->addWidget(articleName_, 2, 3, 1, 4);
}

QLineEdit* ConsoleFilters::dateField(const char* name, const QString& prompt)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(QLatin1String(name));
    field->setInputMask(QStringLiteral("99/99/9999;_"));
    field->setText(kEmptyDate);
    field->setProperty("prompt", prompt);
    field->setMaximumWidth(110);
    field->installEventFilter(this);
    return field;
}

QString ConsoleFilters::fromText() const { return dateFrom_->displayText(); }
QString ConsoleFilters::toText() const { return dateTo_->displayText(); }

void ConsoleFilters::setDates(const QString& from, const QString& to)
{
    dateFrom_->setText(from);
    dateTo_->setText(to);
    checkedRange_ = fromText() + toText();
}

// Leaving a date field checks the range; the message box itself takes the
// focus away again, so a range is judged once, until one of its dates changes.
void ConsoleFilters::checkDates()
{
    const QString range = fromText() + toText();
    if (range == checkedRange_)
        return;
    checkedRange_ = range;
    if (!dateRangeCoherent(fromText(), toText()))
        emit datesIncoherent();
}

bool ConsoleFilters::eventFilter(QObject* watched, QEvent* event)
{
    const QVariant prompt = watched->property("prompt");
    if (event->type() == QEvent::FocusIn && prompt.isValid()) {
        emit hint(prompt.toString());
    } else if (event->type() == QEvent::FocusOut && prompt.isValid()) {
        emit hint(QString());
        if (watched == dateFrom_ || watched == dateTo_)
            checkDates();
    } else if (watched == article_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F4) {
            emit articleF4();
            return true;
        }
        if (key == Qt::Key_F6) {
            emit articleLookup();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace corv
