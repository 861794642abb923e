#include "report/TableExport.h"

#include "report/ReportFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace corv {

namespace {

QStringList fieldsOf(const QString& line)
{
    QStringList fields = line.split(QLatin1Char('|'));
    if (line.endsWith(QLatin1Char('|')))
        fields.removeLast(); // every field is followed by its bar
    for (QString& field : fields)
        field = field.trimmed();
    return fields;
}

// Column names, each unique: a blank or repeated name takes its position.
QStringList columnNames(const QString& heading)
{
    QStringList names = fieldsOf(heading);
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i].isEmpty() || names.indexOf(names[i]) < i)
            names[i] = (names[i].isEmpty() ? QStringLiteral("colonna") : names[i]) + QString::number(i + 1);
    }
    return names;
}

QJsonValue jsonValue(const QString& field)
{
    // Italian numbers: thousands by dots, decimals after a comma. Codes with
    // leading zeros stay text, so that "000123" keeps its zeros.
    static const QRegularExpression number(QStringLiteral("^-?(0|[1-9]\\d{0,2}(\\.\\d{3})*|[1-9]\\d*)(,\\d+)?$"));
    if (!number.match(field).hasMatch())
        return field;
    bool ok = false;
    const double value = QString(field).remove(QLatin1Char('.')).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok ? QJsonValue(value) : QJsonValue(field);
}

} // namespace

QString csvField(const QString& text)
{
    static const QRegularExpression special(QStringLiteral("[;\"\r\n]"));
    if (!text.contains(special))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

bool writeJson(const QString& path, const QByteArray& json, QString* failure)
{
    QString text = QString::fromUtf8(json);
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return ReportFile::writeAll(path, text.split(QLatin1Char('\n')), failure);
}

QStringList tableCsv(const QString& heading, const QStringList& lines)
{
    QStringList out;
    QStringList names = columnNames(heading);
    for (QString& name : names)
        name = csvField(name);
    out << names.join(QLatin1Char(';'));
    for (const QString& line : lines) {
        QStringList fields = fieldsOf(line);
        for (QString& field : fields)
            field = csvField(field);
        out << fields.join(QLatin1Char(';'));
    }
    return out;
}

QByteArray tableJson(const QString& heading, const QStringList& lines)
{
    const QStringList names = columnNames(heading);
    QJsonArray rows;
    for (const QString& line : lines) {
        const QStringList fields = fieldsOf(line);
        QJsonObject row;
        for (qsizetype i = 0; i < fields.size(); ++i)
            row.insert(i < names.size() ? names[i] : QStringLiteral("colonna%1").arg(i + 1), jsonValue(fields[i]));
        rows.append(row);
    }
    return QJsonDocument(rows).toJson(QJsonDocument::Indented);
}

bool writeTableExport(const QString& path, const QString& format, const QString& heading, const QStringList& lines, QString* failure)
{
    if (format == QLatin1String("json"))
        return writeJson(path, tableJson(heading, lines), failure);
    return ReportFile::writeAll(path, tableCsv(heading, lines), failure);
}

} // namespace corv
