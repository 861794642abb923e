#include "listview/Rs2List.h"

#include "util/Amount.h"
#include "process/AppContext.h"
#include "util/Progress.h"
#include "process/RunLog.h"
#include "report/FixedLine.h"
#include "report/ReportFile.h"
#include "util/TextUtil.h"
#include "db/ConnectionString.h"
#include "db/DbValues.h"
#include "db/RowReader.h"
#include "platform/Ui.h"

#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <sqlite3.h>

#include <algorithm>
#include <vector>

namespace corv {

namespace {

int sizeIn(const QString& declared)
{
    static const QRegularExpression size(QStringLiteral("\\(\\s*(\\d+)"));
    const auto m = size.match(declared);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

int scaleIn(const QString& declared)
{
    static const QRegularExpression scale(QStringLiteral("\\(\\s*\\d+\\s*,\\s*(\\d+)"));
    const auto m = scale.match(declared);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// A date as the lists show it, dd/mm/yyyy (and hh:mm:ss for timestamps).
// SQLite's 'YYYY-MM-DD hh:mm:ss' text is rearranged by position: parsing
// through QDateTime costs a time-zone lookup per value.
QString displayDate(const QVariant& value, bool withTime)
{
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().toString(withTime ? QStringLiteral("dd/MM/yyyy HH:mm:ss") : QStringLiteral("dd/MM/yyyy"));
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    const QString text = value.toString();
    if (text.size() < 10 || text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-'))
        return text;
    QString shown = text.mid(8, 2) + QLatin1Char('/') + text.mid(5, 2) + QLatin1Char('/') + text.left(4);
    if (withTime && text.size() >= 19)
        shown += QLatin1Char(' ') + text.mid(11, 8);
    return shown;
}

// Appends one value formatted by its column's kind.
void appendValue(QString& line, const RowReader& rows, int c, const ColumnDescriptor& column, int maxWidth)
{
    using Line = FixedLine;
    const bool null = rows.isNull(c);
    const auto bytes = rows.bytes(c);
    switch (column.kind.unicode()) {
    case 'N':
        if (null)
            Line::appendPadded(line, {}, column.width);
        else
            utl::appendAmount(line, rows.amount(c), column.decimals, column.width);
        return;
    case 'D':
        if (null)
            Line::appendPadded(line, {}, column.width);
        else if (!bytes || !Line::appendIsoDate(line, *bytes, column.width))
            Line::appendPadded(line, displayDate(rows.value(c), column.width >= 20), column.width);
        return;
    case 'I':
        Line::appendPadded(line, rows.text(c), 38);
        return;
    case 'B':
        line.append(QStringLiteral("....."));
        return;
    default: {
        int width = column.width;
        if (maxWidth > 0 && width > maxWidth)
            width = maxWidth;
        if (bytes)
            Line::appendPaddedUtf8(line, *bytes, width);
        else
            Line::appendPadded(line, null ? QString() : rows.text(c), width);
        return;
    }
    }
}

} // namespace

ColumnType columnTypeFromDeclared(const QString& declaredType)
{
    const QString t = declaredType.trimmed().toUpper();
    ColumnType type;
    type.definedSize = sizeIn(t);
    type.precision = scaleIn(t);
    if (t.startsWith(QLatin1String("TINYINT")))
        type.cls = ColumnType::Byte;
    else if (t.startsWith(QLatin1String("SMALLINT")))
        type.cls = ColumnType::SmallInteger;
    else if (t.startsWith(QLatin1String("BIGINT")))
        type.cls = ColumnType::BigInteger;
    else if (t.contains(QLatin1String("INT")))
        type.cls = ColumnType::Integer;
    else if (t.startsWith(QLatin1String("BIT")) || t.startsWith(QLatin1String("BOOL")))
        type.cls = ColumnType::Boolean;
    else if (t.startsWith(QLatin1String("FLOAT")) || t.startsWith(QLatin1String("DOUBLE")))
        type.cls = ColumnType::Double;
    else if (t.startsWith(QLatin1String("REAL")))
        type.cls = ColumnType::Single;
    else if (t.startsWith(QLatin1String("DECIMAL")) || t.startsWith(QLatin1String("NUMERIC")) || t.contains(QLatin1String("MONEY"))
             || t.startsWith(QLatin1String("CURRENCY")))
        type.cls = ColumnType::Decimal;
    else if (t.startsWith(QLatin1String("DATETIME")) || t.startsWith(QLatin1String("TIMESTAMP")) || t.startsWith(QLatin1String("SMALLDATETIME")))
        type.cls = ColumnType::Timestamp;
    else if (t.startsWith(QLatin1String("DATE")) || t.startsWith(QLatin1String("TIME")))
        type.cls = ColumnType::Date;
    else if (t.startsWith(QLatin1String("UNIQUEIDENTIFIER")) || t.startsWith(QLatin1String("GUID")))
        type.cls = ColumnType::Guid;
    else if (t.contains(QLatin1String("BLOB")) || t.contains(QLatin1String("BINARY")) || t.startsWith(QLatin1String("IMAGE")))
        type.cls = ColumnType::Binary;
    else if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("TEXT")) || t.contains(QLatin1String("CLOB")))
        type.cls = ColumnType::Text;
    return type;
}

ColumnType columnTypeFromField(const QSqlField& field)
{
    ColumnType type;
    type.definedSize = field.length();
    type.precision = field.precision();
    switch (field.metaType().id()) {
    case QMetaType::Short: case QMetaType::UShort: type.cls = ColumnType::SmallInteger; break;
    case QMetaType::Int: case QMetaType::UInt: type.cls = ColumnType::Integer; break;
    case QMetaType::LongLong: case QMetaType::ULongLong: type.cls = ColumnType::BigInteger; break;
    case QMetaType::UChar: case QMetaType::SChar: type.cls = ColumnType::Byte; break;
    case QMetaType::Float: type.cls = ColumnType::Single; break;
    case QMetaType::Double: type.cls = field.precision() > 0 ? ColumnType::Decimal : ColumnType::Double; break;
    case QMetaType::QDate: case QMetaType::QTime: type.cls = ColumnType::Date; break;
    case QMetaType::QDateTime: type.cls = ColumnType::Timestamp; break;
    case QMetaType::Bool: type.cls = ColumnType::Boolean; break;
    case QMetaType::QUuid: type.cls = ColumnType::Guid; break;
    case QMetaType::QByteArray: type.cls = ColumnType::Binary; break;
    case QMetaType::QString: type.cls = ColumnType::Text; break;
    default: type.cls = ColumnType::Other; break;
    }
    return type;
}

int clampMaxColumnWidth(int maxWidth)
{
    if (maxWidth <= 0)
        return 0;
    return std::clamp(maxWidth, 10, 255);
}

ColumnDescriptor describeColumn(const ColumnType& type, const QString& name, int decimals, int maxWidth)
{
    int defined = type.definedSize;
    if (defined > 66000)
        defined = maxWidth;
    switch (type.cls) {
    case ColumnType::SmallInteger:
    case ColumnType::Integer:
    case ColumnType::BigInteger: {
        // Precision above 5: the old engine's long integers.
        const bool isLong = type.cls != ColumnType::SmallInteger && (type.precision < 0 || type.precision > 5);
        return {QLatin1Char('N'), 10, 0, isLong ? QStringLiteral("LONG") : QStringLiteral("Integer")};
    }
    case ColumnType::Single:
    case ColumnType::Decimal:
        return decimals > 0 ? ColumnDescriptor{QLatin1Char('N'), 11 + decimals, decimals, QStringLiteral("Single")}
                            : ColumnDescriptor{QLatin1Char('N'), 14, 4, QStringLiteral("Single")};
    case ColumnType::Double:
        return decimals > 0 ? ColumnDescriptor{QLatin1Char('N'), 12 + decimals, decimals, QStringLiteral("Double")}
                            : ColumnDescriptor{QLatin1Char('N'), 20, 6, QStringLiteral("Double")};
    case ColumnType::Date:
        return {QLatin1Char('D'), 10, 0, QStringLiteral("Date/Time")};
    case ColumnType::Timestamp:
        return {QLatin1Char('D'), 20, 0, QStringLiteral("Date/Time")};
    case ColumnType::Boolean:
        return {QLatin1Char('L'), std::max(6, static_cast<int>(name.size())), 0, QStringLiteral("Boolean")};
    case ColumnType::Byte:
        return {QLatin1Char('N'), 3, 0, QStringLiteral("Byte")};
    case ColumnType::Guid:
        return {QLatin1Char('I'), defined, 0, QStringLiteral("String * 38")};
    case ColumnType::Binary:
        return {QLatin1Char('B'), 5, 0, QStringLiteral("Binary")};
    case ColumnType::Text: {
        int width = defined;
        if (maxWidth > 0 && width > maxWidth)
            width = maxWidth;
        return {QLatin1Char('S'), width, 0,
                type.definedSize > 66000 ? QStringLiteral("MEMO") : QStringLiteral("String * %1").arg(type.definedSize)};
    }
    case ColumnType::Other:
        break;
    }
    return {QLatin1Char('S'), defined, 0, QStringLiteral("Else------")};
}

QStringList sqlClauseLines(const QString& sql)
{
    QString text = sql.toUpper().simplified();
    const int union_ = static_cast<int>(text.indexOf(QLatin1String(" UNION ")));
    if (union_ >= 0)
        text = text.left(union_);
    struct Mark {
        int at;
        const char* word;
    };
    std::vector<Mark> marks;
    for (const char* word : {"SELECT ", " FROM ", " WHERE ", " GROUP BY ", " ORDER "}) {
        const int at = static_cast<int>(text.indexOf(QLatin1String(word)));
        if (at >= 0)
            marks.push_back({at, word});
    }
    std::sort(marks.begin(), marks.end(), [](const Mark& a, const Mark& b) { return a.at < b.at; });
    QStringList lines;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const int end = i + 1 < marks.size() ? marks[i + 1].at : static_cast<int>(text.size());
        QString clause = text.mid(marks[i].at, end - marks[i].at).trimmed();
        clause.replace(QLatin1String(" LEFT JOIN"), QLatin1String(" LEFT_JOIN"));
        clause.replace(QLatin1String(" RIGHT JOIN"), QLatin1String(" RIGHT_JOIN"));
        clause.replace(QLatin1String(" INNER JOIN"), QLatin1String(" INNER_JOIN"));
        clause.replace(QLatin1String(" JOIN"), QLatin1String("\n  JOIN"));
        clause.replace(QLatin1String(" LEFT_JOIN"), QLatin1String("\n  LEFT JOIN"));
        clause.replace(QLatin1String(" RIGHT_JOIN"), QLatin1String("\n  RIGHT JOIN"));
        clause.replace(QLatin1String(" INNER_JOIN"), QLatin1String("\n  INNER JOIN"));
        for (const QString& line : clause.split(QLatin1Char('\n')))
            lines << QStringLiteral("- ") + line;
    }
    return lines;
}

QString listFileName(const QString& title)
{
    return utl::translateChars(title, QStringLiteral(" /\\:+"), QStringLiteral("_--.-")) + QStringLiteral(".DBP");
}

Rs2ListResult Rs2List(AppContext& ctx, const QSqlDatabase& db, const QString& sql, const Rs2ListOptions& options)
{
    Rs2ListResult result;
    Ui& ui = ctx.ui();
    const QString title = options.title;
    result.listName = title.isEmpty() ? QStringLiteral("RS2LIST") : title;
    const QString logPath = reportPath(ctx.paths(), QStringLiteral("\\RS2LIST_") + QString(result.listName).replace(QLatin1Char('/'), QLatin1Char('_'))
                                                 + QStringLiteral(".LOG"));
    const auto log = [&](const QString& text, bool first = false) { appendLogLine(logPath, text, first); };
    const auto refuse = [&](const QString& message) {
        if (!options.silent)
            ui.critical(message, QStringLiteral("Rs2List :") + title);
        ui.beep();
        return result;
    };
    if (!db.isValid())
        return refuse(QStringLiteral("Recorset Nullo !"));
    if (!db.isOpen())
        return refuse(QStringLiteral("Recordset Chiuso !"));
    log(QStringLiteral("----- Rs2List -----  ") + title, true);

    RowReader reader(db);
    RowReader* source = &reader;
    if (!reader.exec(sql)) {
        log(QStringLiteral("*** ERRORE : ") + reader.error());
        return refuse(QStringLiteral("Recordset Chiuso !\r\n") + reader.error());
    }
    const int columns = std::min(reader.columnCount(), 255);
    QStringList names;
    for (int c = 0; c < columns; ++c)
        names << reader.columnName(c);
    const int maxWidth = clampMaxColumnWidth(options.maxColumnWidth);
    result.caption = QStringLiteral("Lista ") + (title.isEmpty() ? QStringLiteral("RS2LIST   ") : result.listName);

    // Unsized text columns (SQLite's TEXT) take the width of their widest value.
    const long limit = options.maxRecords > 0 ? options.maxRecords : -1;
    std::vector<ColumnType> types;
    std::vector<int> unsized;
    for (int c = 0; c < columns; ++c) {
        const QString declared = reader.declaredType(c);
        ColumnType type = !declared.isEmpty() ? columnTypeFromDeclared(declared) : columnTypeFromField(reader.field(c));
        if (type.cls == ColumnType::Other && dialectOf(db).untypedColumnsAreText())
            type.cls = ColumnType::Text;
        if (type.cls == ColumnType::Text && type.definedSize < 0)
            unsized.push_back(c);
        types.push_back(type);
    }
    if (!unsized.empty()) {
        // One quick pass over the raw text measures them; then the rows are read again.
        std::vector<int> widest(unsized.size(), 1);
        long measured = 0;
        if (reader.isNative()) {
            while ((limit < 0 || measured < limit) && reader.next()) {
                ++measured;
                for (std::size_t i = 0; i < unsized.size(); ++i) {
                    if (const auto bytes = reader.bytes(unsized[i])) {
                        int characters = 0;
                        for (char ch : *bytes)
                            characters += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
                        widest[i] = std::max(widest[i], characters);
                    }
                }
            }
            reader.rewind();
        } else {
            std::fill(widest.begin(), widest.end(), 255);
        }
        for (std::size_t i = 0; i < unsized.size(); ++i)
            types[static_cast<std::size_t>(unsized[i])].definedSize = widest[i];
    }
    std::vector<ColumnDescriptor> descriptors;
    for (int c = 0; c < columns; ++c)
        descriptors.push_back(describeColumn(types[static_cast<std::size_t>(c)], names[c], options.decimals, maxWidth));

    qsizetype lineWidth = columns;
    for (const ColumnDescriptor& d : descriptors)
        lineWidth += std::max(d.width, 38);
    Progress progress(ui);
    QStringList rows;
    std::vector<QVariant> first;
    std::size_t fetched = 0;
    while ((limit < 0 || static_cast<long>(fetched) < limit) && source->next()) {
        ++fetched;
        if (first.empty()) {
            for (int c = 0; c < columns; ++c)
                first.push_back(source->value(c));
        }
        if (options.oneFieldPerLine) {
            for (int c = 0; c < columns; ++c) {
                QString value = source->text(c);
                value.replace(QLatin1Char('\n'), QChar(127));
                QString line = utl::PadRight(names[c], 25) + QLatin1Char('|') + value;
                if (line.size() < 101)
                    line += QLatin1Char('<');
                rows << line;
            }
            rows << QStringLiteral("  Fine Record : ") << utl::RepeatChar(60, QLatin1Char('='));
            continue;
        }
        QString line;
        line.reserve(lineWidth);
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                line += QLatin1Char('|');
            appendValue(line, *source, c, descriptors[static_cast<std::size_t>(c)], maxWidth);
        }
        rows << line;
        progress.step([&] { return QStringLiteral("Righe lette : %1").arg(rows.size()); });
    }
    reader.finish();
    const qsizetype perRecord = options.oneFieldPerLine ? columns + 2 : 1;
    qsizetype count = rows.size() / perRecord;
    if (options.maxRecords <= 0 && !options.silent && count > 1000) {
        const QString answer = ui.input(QStringLiteral("Quanti ne visualizzo ? (Consiglio 500)"), QStringLiteral("TROPPI RECORDS !"),
                                        QString::number(count)).value_or(QStringLiteral("0"));
        bool ok = false;
        const long wanted = answer.trimmed().toLong(&ok);
        count = ok && wanted > 0 ? std::min<qsizetype>(count, wanted) : 0;
        rows = rows.mid(0, count * perRecord);
    }

    if (!options.noHeader) {
        const QStringList parts = maskConnectionPassword(db.databaseName()).split(QLatin1Char(';'), Qt::SkipEmptyParts).mid(0, 10);
        for (const QString& part : parts) {
            result.lines << part;
            log(QStringLiteral(" - ") + part);
        }
        result.lines << sqlClauseLines(sql);
        result.lines << utl::RepeatChar(71, QLatin1Char('-'));
        result.lines << QStringLiteral("%1 Record(s) nel Recordset.").arg(count);
    }
    QString heading;
    for (int c = 0; c < columns; ++c) {
        const ColumnDescriptor& d = descriptors[static_cast<std::size_t>(c)];
        const QString firstValue = first.empty() ? QString() : QStringLiteral(" >") + textOf(first[static_cast<std::size_t>(c)]);
        const QString catalogue = QStringLiteral("%1 %2 %3 %4 %5").arg(c + 1, 3).arg(utl::PadRight(names[c], 25), utl::PadRight(d.typeName, 12))
                                      .arg(d.width, 5).arg(d.decimals, 3) + firstValue;
        if (!options.noHeader)
            result.lines << catalogue;
        log(catalogue);
        heading += utl::PadRight(names[c], d.kind == QLatin1Char('I') ? 38 : d.kind == QLatin1Char('B') ? 5 : d.width) + QLatin1Char('!');
    }
    result.heading = heading;
    const QString rule = utl::RepeatChar(static_cast<int>(heading.size()), QLatin1Char('='));
    result.lines << rule;
    log(rule);
    result.lines << rows;
    result.ok = true;

    if (options.silent && !title.isEmpty() && !result.lines.isEmpty()) {
        result.fileWritten = reportPath(ctx.paths(), listFileName(title));
        if (!ReportFile::writeAll(result.fileWritten, result.lines))
            result.fileWritten.clear();
    }
    return result;
}

} // namespace corv
