#include "db/SqliteFunctions.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>
#include <sqlite3.h>

#include <cstring>

namespace corv {

namespace {

// Dates are stored as 'YYYY-MM-DD hh:mm:ss' text: the parts are read by
// position, which also accepts a bare 'YYYY-MM-DD'.
int datePart(sqlite3_value* value, int offset, int length)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    if (!text || static_cast<int>(std::strlen(text)) < offset + length)
        return -1;
    int result = 0;
    for (int i = offset; i < offset + length; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        result = result * 10 + (text[i] - '0');
    }
    return result;
}

template <int Offset, int Length>
void datePartFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const int part = datePart(argv[0], Offset, Length);
    if (part < 0)
        sqlite3_result_null(ctx);
    else
        sqlite3_result_int(ctx, part);
}

// SQL Server's LEN ignores trailing blanks.
void lenFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])));
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == QLatin1Char(' '))
        --n;
    sqlite3_result_int64(ctx, n);
}

} // namespace

sqlite3* sqliteHandleOf(const QSqlDatabase& db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.data());
}

bool registerSqlServerFunctions(const QSqlDatabase& db)
{
    sqlite3* sqlite = sqliteHandleOf(db);
    return sqlite && registerSqlServerFunctions(sqlite);
}

bool registerSqlServerFunctions(sqlite3* sqlite)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    bool ok = true;
    ok &= sqlite3_create_function_v2(sqlite, "year", 1, flags, nullptr, datePartFunction<0, 4>, nullptr, nullptr, nullptr) == SQLITE_OK;
    ok &= sqlite3_create_function_v2(sqlite, "month", 1, flags, nullptr, datePartFunction<5, 2>, nullptr, nullptr, nullptr) == SQLITE_OK;
    ok &= sqlite3_create_function_v2(sqlite, "day", 1, flags, nullptr, datePartFunction<8, 2>, nullptr, nullptr, nullptr) == SQLITE_OK;
    ok &= sqlite3_create_function_v2(sqlite, "len", 1, flags, nullptr, lenFunction, nullptr, nullptr, nullptr) == SQLITE_OK;
    return ok;
}

} // namespace corv
