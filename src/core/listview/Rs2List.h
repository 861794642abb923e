#pragma once

#include <QChar>
#include <QSqlDatabase>
#include <QSqlField>
#include <QString>
#include <QStringList>

namespace corv {

class AppContext;

// How a column is shown: kind letter ("N" number, "D" date, "L" logical,
// "S" text, "I" GUID, "B" binary), width, decimals and type name.
struct ColumnDescriptor {
    QChar kind;
    int width = 0;
    int decimals = 0;
    QString typeName;
};

// What the engine says of a column: its class, defined size and precision.
struct ColumnType {
    enum Class { SmallInteger, Integer, BigInteger, Byte, Decimal, Single, Double, Date, Timestamp, Boolean, Guid, Binary, Text, Other };
    Class cls = Other;
    int definedSize = -1; // -1 when the engine does not say
    int precision = -1;
};

// The type of a column from SQLite's declared type ("varchar(25)", "DATETIME", ...).
ColumnType columnTypeFromDeclared(const QString& declaredType);
// The type of a column from what the Qt driver reports (SQL Server through ODBC).
ColumnType columnTypeFromField(const QSqlField& field);

// A positive maximum column width is forced into 10..255; 0 means none.
int clampMaxColumnWidth(int maxWidth);
// The descriptor of a column; `decimals` are the caller's for single and
// double columns (0 keeps 4 and 6), `maxWidth` the clamped maximum.
ColumnDescriptor describeColumn(const ColumnType& type, const QString& name, int decimals, int maxWidth);

// The SQL cut into its clauses, one "- " line each, joins on lines of their own.
QStringList sqlClauseLines(const QString& sql);

struct Rs2ListOptions {
    QString title;
    long maxRecords = 0;
    int maxColumnWidth = 0;
    bool silent = false;
    bool noHeader = false;
    int decimals = 0;
    bool oneFieldPerLine = false;
    // A text starting with "#": the rest goes into the window's search box.
    QString presetSearch;
};

struct Rs2ListResult {
    bool ok = false;
    QString listName;
    QString caption;
    QString heading;
    QStringList lines;
    // The lines before the first row (connection, statement, columns): shown,
    // never chosen.
    qsizetype headLines = 0;
    QString fileWritten; // silent mode: the ".DBP" file
    QString searchText;  // what the window's search box starts with
    qsizetype lineCount = 0; // the rows' lines (written to the file in silent mode)
    bool stopped = false;    // the user stopped it: ok is false, nothing is shown or written
};

// Rs2List: runs `sql` on `db` and turns the records into fixed-width lines
// (header, column catalogue, rows), logging the statement and the columns to
// "RS2LIST_<name>.LOG". Silent with a title: the lines go to "<title>.DBP"
// in the program folder instead of a window, as they are made. The statement
// runs once; its rows wait on disk while their widths are learnt. Long results stream from a
// forward-only read; pending events run a few times a second.
Rs2ListResult Rs2List(AppContext& ctx, const QSqlDatabase& db, const QString& sql, const Rs2ListOptions& options);

// The ".DBP" file name made from a title.
QString listFileName(const QString& title);

} // namespace corv
