#include "listview/Rs2List.h"

#include "util/Amount.h"
#include "context/AppContext.h"
#include "util/Feedback.h"
#include "report/RunLog.h"
#include "report/FixedLine.h"
#include "listview/RowSpool.h"
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

#include <QLocale>
#include <algorithm>
#include <cmath>
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

// The amount of a spooled number; nullopt for what no amount holds.
std::optional<Amount> amountOf(const SpooledCell& cell)
{
    switch (cell.kind) {
    case SpooledCell::Integer: return Amount::fromInteger(cell.integer);
    case SpooledCell::Real: return Amount::fromDouble(cell.real);
    case SpooledCell::Text: return Amount::fromVariant(cell.toText());
    default: return Amount();
    }
}

// A floating value with more decimals than an amount keeps (the six of a
// double column), in the Italian layout; the thousands separators go when
// they do not fit.
QString realText(double value, int decimals, int width)
{
    static const QLocale italian(QLocale::Italian, QLocale::Italy);
    QString text = italian.toString(value, 'f', decimals);
    if (text.size() > width)
        text.remove(QLatin1Char('.'));
    return text;
}

// Appends one value formatted by its column's kind.
void appendValue(QString& line, const SpooledCell& cell, const ColumnDescriptor& column, int maxWidth)
{
    using Line = FixedLine;
    const bool null = cell.kind == SpooledCell::Null;
    switch (column.kind.unicode()) {
    case 'N':
        if (null)
            Line::appendPadded(line, {}, column.width);
        else if (cell.kind == SpooledCell::Real && column.decimals > 4 && std::abs(cell.real) < 1e15)
            Line::appendRightAligned(line, realText(cell.real, column.decimals, column.width), column.width);
        else if (const auto amount = amountOf(cell))
            utl::appendAmount(line, *amount, column.decimals, column.width);
        else
            Line::appendRightAligned(line, cell.toText().trimmed(), column.width);
        return;
    case 'D':
        if (null)
            Line::appendPadded(line, {}, column.width);
        else if (cell.kind != SpooledCell::Text || !Line::appendIsoDate(line, cell.text, column.width))
            Line::appendPadded(line, cell.toText(), column.width);
        return;
    case 'I':
        Line::appendPadded(line, cell.toText(), 38);
        return;
    case 'B':
        line.append(QStringLiteral("....."));
        return;
    default: {
        int width = column.width;
        if (maxWidth > 0 && width > maxWidth)
            width = maxWidth;
        if (cell.kind == SpooledCell::Text)
            Line::appendPaddedUtf8(line, cell.text, width);
        else
            Line::appendPadded(line, cell.toText(), width);
        return;
    }
    }
}

// What the values of a column without a declared type were, to give it one.
struct Seen {
    bool integer = false, real = false, text = false, date = false, time = false;
    int widest = 1;

    void add(const SpooledCell& cell, bool typing)
    {
        switch (cell.kind) {
        case SpooledCell::Null: return;
        case SpooledCell::Integer:
            integer = true;
            widest = std::max(widest, static_cast<int>(QString::number(cell.integer).size()));
            return;
        case SpooledCell::Real:
            real = true;
            widest = std::max(widest, static_cast<int>(cell.toText().size()));
            return;
        case SpooledCell::Binary:
            text = true;
            return;
        case SpooledCell::Text: break;
        }
        int characters = 0;
        for (char ch : cell.text)
            characters += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
        widest = std::max(widest, characters);
        if (!typing)
            return;
        const std::string_view t = cell.text;
        const bool iso = t.size() >= 10 && t[4] == '-' && t[7] == '-';
        (iso ? date : text) = true;
        time = time || (iso && t.size() >= 19);
    }
    // SUM and COUNT give numbers, MAX of a date gives date text.
    ColumnType::Class inferred() const
    {
        if (text || ((integer || real) && date))
            return ColumnType::Text;
        if (date)
            return time ? ColumnType::Timestamp : ColumnType::Date;
        if (real)
            return ColumnType::Double;
        if (integer)
            return ColumnType::BigInteger;
        return ColumnType::Text;
    }
};

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
        // A precision above 5 marks a long integer.
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
    if (options.presetSearch.startsWith(QLatin1Char('#')))
        result.searchText = options.presetSearch.mid(1);

    RowReader reader(db);
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

    // What the engine says of the columns; a column of no declared type
    // (SQLite's computed ones) takes the kind of its values, a text column of
    // no size (or of a huge one) the width of its widest value.
    std::vector<ColumnType> types;
    std::vector<bool> untyped, unsized;
    for (int c = 0; c < columns; ++c) {
        const QString declared = reader.declaredType(c);
        ColumnType type = !declared.isEmpty() ? columnTypeFromDeclared(declared) : columnTypeFromField(reader.field(c));
        untyped.push_back(type.cls == ColumnType::Other && dialectOf(db).untypedColumnsAreText());
        unsized.push_back(untyped.back() || (type.cls == ColumnType::Text && (type.definedSize <= 0 || type.definedSize > 66000)));
        types.push_back(type);
    }

    // The rows are read once: kept on disk while widths and kinds are learnt.
    RowSpool spool;
    if (!spool.isOpen())
        return refuse(QStringLiteral("Impossibile creare il file temporaneo della lista"));
    std::vector<Seen> seen(static_cast<std::size_t>(columns));
    QStringList first;
    const long limit = options.maxRecords > 0 ? options.maxRecords : -1;
    long count = 0;
    Feedback progress = ctx.feedback();
    // The progress every 32 rows (a row takes a microsecond or two); a stop
    // is still seen at every row.
    const auto going = [&progress](long row, const auto& makeText) {
        return (row & 31) == 1 ? progress.step(makeText) : !progress.stopRequested();
    };
    while ((limit < 0 || count < limit) && reader.next()) {
        ++count;
        for (int c = 0; c < columns; ++c) {
            const SpooledCell cell = spool.add(reader, c);
            if (first.size() < columns)
                first << cell.toText();
            if (unsized[static_cast<std::size_t>(c)])
                seen[static_cast<std::size_t>(c)].add(cell, untyped[static_cast<std::size_t>(c)]);
        }
        if (!going(count, [&] { return QStringLiteral("Righe lette : %1").arg(count); }))
            break;
    }
    if (reader.failed() && !progress.stopRequested())
        return refuse(QStringLiteral("Errore di lettura dal database :\r\n") + reader.error());
    reader.finish();
    if (progress.stopRequested()) {
        // Stopped: no list of part of the rows, no list file.
        log(QStringLiteral("*** Lista interrotta dall'utente"));
        result.stopped = true;
        return result;
    }
    if (!spool.rewind())
        return refuse(QStringLiteral("Impossibile scrivere il file temporaneo della lista (disco pieno ?)"));
    std::vector<ColumnDescriptor> descriptors;
    for (int c = 0; c < columns; ++c) {
        ColumnType type = types[static_cast<std::size_t>(c)];
        const Seen& column = seen[static_cast<std::size_t>(c)];
        if (untyped[static_cast<std::size_t>(c)])
            type.cls = column.inferred();
        if (unsized[static_cast<std::size_t>(c)] && type.cls == ColumnType::Text)
            type.definedSize = type.definedSize > 66000 && maxWidth > 0 ? type.definedSize : column.widest;
        descriptors.push_back(describeColumn(type, names[c], options.decimals, maxWidth));
    }

    if (options.maxRecords <= 0 && !options.silent && count > 1000) {
        const QString answer = ui.input(QStringLiteral("Quanti ne visualizzo ? (Consiglio 500)"), QStringLiteral("TROPPI RECORDS !"),
                                        QString::number(count)).value_or(QStringLiteral("0"));
        bool ok = false;
        const long wanted = answer.trimmed().toLong(&ok);
        count = ok && wanted > 0 ? std::min(count, wanted) : 0;
    }

    QStringList head;
    if (!options.noHeader) {
        const QString connection = connectionStringOf(db);
        const QStringList parts = maskConnectionPassword(connection).split(QLatin1Char(';'), Qt::SkipEmptyParts).mid(0, 10);
        for (const QString& part : parts) {
            head << part;
            log(QStringLiteral(" - ") + part);
        }
        for (const QString& clause : sqlClauseLines(sql)) {
            head << clause;
            log(clause);
        }
        head << utl::RepeatChar(71, QLatin1Char('-'));
        head << QStringLiteral("%1 Record(s) nel Recordset.").arg(count);
    }
    QString heading;
    for (int c = 0; c < columns; ++c) {
        const ColumnDescriptor& d = descriptors[static_cast<std::size_t>(c)];
        const ColumnType& t = types[static_cast<std::size_t>(c)];
        const QString firstValue = first.isEmpty() ? QString() : QStringLiteral(" >") + first[c];
        const QString catalogue = QStringLiteral("%1 %2 %3 %4 %5").arg(c + 1, 3).arg(utl::PadRight(names[c], 25), utl::PadRight(d.typeName, 12))
                                      .arg(std::max(t.definedSize, 0), 5).arg(std::max(t.precision, 0), 3) + firstValue;
        if (!options.noHeader)
            head << catalogue;
        log(catalogue);
        heading += utl::PadRight(names[c], d.kind == QLatin1Char('I') ? 38 : d.kind == QLatin1Char('B') ? 5 : d.width) + QLatin1Char('!');
    }
    result.heading = heading;
    const QString rule = utl::RepeatChar(static_cast<int>(heading.size()), QLatin1Char('='));
    head << rule;
    log(rule);

    // The lines: into the list file as they are made (silent), or into the window.
    const bool toFile = options.silent && !title.isEmpty();
    std::unique_ptr<ReportFile> file;
    if (toFile) {
        result.fileWritten = reportPath(ctx.paths(), listFileName(title));
        file = std::make_unique<ReportFile>(result.fileWritten);
        file->writeLines(head);
    } else {
        result.lines = head;
        result.headLines = head.size();
    }
    const auto addLine = [&](const QString& line) {
        if (file)
            file->write(line);
        else
            result.lines << line;
        ++result.lineCount;
    };
    qsizetype lineWidth = columns;
    for (const ColumnDescriptor& d : descriptors)
        lineWidth += std::max(d.width, 38);
    std::vector<SpooledCell> cells;
    QString line;
    for (long row = 0; row < count && spool.next(columns, cells); ++row) {
        if (options.oneFieldPerLine) {
            for (int c = 0; c < columns; ++c) {
                QString value = cells[static_cast<std::size_t>(c)].toText();
                value.replace(QLatin1Char('\n'), QChar(127)).replace(QLatin1Char('\r'), QChar(127));
                QString fieldLine = utl::PadRight(names[c], 25) + QLatin1Char('|') + value;
                if (fieldLine.size() < 101)
                    fieldLine += QLatin1Char('<');
                addLine(fieldLine);
            }
            addLine(QStringLiteral("  Fine Record : "));
            addLine(utl::RepeatChar(60, QLatin1Char('=')));
            continue;
        }
        line.clear();
        line.reserve(lineWidth);
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                line += QLatin1Char('|');
            appendValue(line, cells[static_cast<std::size_t>(c)], descriptors[static_cast<std::size_t>(c)], maxWidth);
        }
        addLine(line);
        if (!going(row + 1, [&] { return QStringLiteral("Righe scritte : %1").arg(row + 1); })) {
            // The list file cut short is dropped: an earlier one stays.
            log(QStringLiteral("*** Lista interrotta dall'utente"));
            result.stopped = true;
            result.fileWritten.clear();
            return result;
        }
    }
    if (file && !file->close()) {
        if (!options.silent)
            ui.critical(file->failureText(), QStringLiteral("Rs2List :") + title);
        log(QStringLiteral("*** ERRORE : ") + file->failureText());
        result.fileWritten.clear();
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace corv
