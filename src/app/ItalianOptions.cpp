#include "ItalianOptions.h"

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

} // namespace corv
