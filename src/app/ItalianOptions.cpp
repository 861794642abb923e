#include "ItalianOptions.h"

#include "util/MaskedDate.h"

namespace corv {

QCommandLineOption helpOption() { return QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}); }

QString parseOptions(QCommandLineParser& parser, const QStringList& arguments, const QList<QCommandLineOption>& options)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(options);
    // A value that is itself an option means the value was left out.
    for (const QCommandLineOption& option : options) {
        if (option.valueName().isEmpty())
            continue;
        const QString name = QStringLiteral("--") + option.names().first();
        for (int i = 1; i < arguments.size(); ++i) {
            const bool alone = arguments[i] == name
                               && (i + 1 >= arguments.size() || arguments[i + 1].isEmpty() || arguments[i + 1].startsWith(QLatin1String("--")));
            if (alone || arguments[i] == name + QLatin1Char('='))
                return QStringLiteral("Manca il valore dopo ") + name;
        }
    }
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return QStringLiteral("Argomento non riconosciuto : ") + (unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--"))
                   + unknown.first();
        return QStringLiteral("Argomenti non validi : ") + arguments.mid(1).join(QLatin1Char(' '));
    }
    return {};
}

QString exportFormatOf(const QString& value)
{
    const QString format = value.trimmed().toLower();
    return format == QLatin1String("csv") || format == QLatin1String("json") ? format : QString();
}

namespace {
void fail(QString& error, const QString& reason)
{
    if (error.isEmpty())
        error = reason;
}
} // namespace

void readYear(const QCommandLineParser& parser, const QCommandLineOption& option, int& year, QString& error)
{
    if (!parser.isSet(option))
        return;
    bool number = false;
    year = parser.value(option).toInt(&number);
    if (!number || year < 1990 || year > 9999)
        fail(error, QStringLiteral("Anno non valido : ") + parser.value(option));
}

void readDate(const QCommandLineParser& parser, const QCommandLineOption& option, QDate& date, QString& error)
{
    if (!parser.isSet(option))
        return;
    const QString text = parser.value(option).trimmed();
    const auto read = maskedDate(text);
    if (!read || !read->isValid())
        fail(error, QStringLiteral("Data non valida : ") + text + QStringLiteral(" (gg/mm/aaaa)"));
    else
        date = *read;
}

void checkDateRange(const QDate& from, const QDate& to, QString& error)
{
    if (from.isValid() && to.isValid() && to < from)
        fail(error, QStringLiteral("Date incoerenti !"));
}

void readExportFormat(const QCommandLineParser& parser, const QCommandLineOption& option, QString& format, QString& error)
{
    if (!parser.isSet(option))
        return;
    format = exportFormatOf(parser.value(option));
    if (format.isEmpty())
        fail(error, QStringLiteral("Formato non valido : ") + parser.value(option) + QStringLiteral(" (csv oppure json)"));
}

} // namespace corv
