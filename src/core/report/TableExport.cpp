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

namespace {

QStringList rowsCsv(QStringList columns, const QList<QStringList>& rows)
{
    for (QString& name : columns)
        name = csvField(name);
    QStringList out = {columns.join(QLatin1Char(';'))};
    for (QStringList fields : rows) {
        for (QString& field : fields)
            field = csvField(field);
        out << fields.join(QLatin1Char(';'));
    }
    return out;
}

QByteArray rowsJson(const QStringList& columns, const QList<QStringList>& rows)
{
    QJsonArray array;
    for (const QStringList& fields : rows) {
        QJsonObject row;
        for (qsizetype i = 0; i < fields.size(); ++i)
            row.insert(i < columns.size() ? columns[i] : QStringLiteral("colonna%1").arg(i + 1), jsonValue(fields[i]));
        array.append(row);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

QList<QStringList> rowsOf(const QStringList& lines)
{
    QList<QStringList> rows;
    for (const QString& line : lines)
        rows << fieldsOf(line);
    return rows;
}

} // namespace

QStringList tableCsv(const QString& heading, const QStringList& lines) { return rowsCsv(columnNames(heading), rowsOf(lines)); }

QByteArray tableJson(const QString& heading, const QStringList& lines) { return rowsJson(columnNames(heading), rowsOf(lines)); }

bool writeRowsExport(const QString& path, const QString& format, const QStringList& columns, const QList<QStringList>& rows, QString* failure)
{
    if (format == QLatin1String("json"))
        return writeJson(path, rowsJson(columns, rows), failure);
    return ReportFile::writeAll(path, rowsCsv(columns, rows), failure);
}

bool writeTableExport(const QString& path, const QString& format, const QString& heading, const QStringList& lines, QString* failure)
{
    return writeRowsExport(path, format, columnNames(heading), rowsOf(lines), failure);
}

} // namespace corv
