#include "RecordingDriver.h"

#include "db/SqliteFunctions.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>
#include <sqlite3.h>

namespace corv::test {

namespace {

std::vector<RecordedStatement>& recorded()
{
    static std::vector<RecordedStatement> all;
    return all;
}
QString& currentFlow()
{
    static QString flow;
    return flow;
}

void keep(const QString& sql, const QVariantList& values)
{
    recorded().push_back({currentFlow(), sql, values});
}

// The value of one "Key=value" of an ODBC string; the folder and the catalog
// this driver reads are never braced.
QString odbcValue(const QString& text, const QString& key)
{
    const QRegularExpression value(QStringLiteral("(?:^|;)\\s*") + key + QStringLiteral("=([^;]*)"), QRegularExpression::CaseInsensitiveOption);
    return value.match(text).captured(1);
}

// sysobjects and Object_id as the statements use them, over sqlite_master.
void lowerFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    sqlite3_result_text(ctx, text ? QByteArray(text).toLower().constData() : "", -1, SQLITE_TRANSIENT);
}

class RecordingResult : public QSqlResult {
public:
    explicit RecordingResult(const RecordingDriver* driver) : QSqlResult(driver), inner_(driver->innerDatabase()) {}

protected:
    QVariant data(int i) override { return inner_.value(i); }
    bool isNull(int i) override { return inner_.isNull(i); }
    bool reset(const QString& sql) override
    {
        keep(sql, {});
        return run(sql, {});
    }
    bool prepare(const QString& sql) override
    {
        setQuery(sql);
        return true;
    }
    bool exec() override
    {
        const QVariantList values = boundValues();
        keep(lastQuery(), values);
        return run(lastQuery(), values);
    }
    bool fetch(int i) override { return moved(inner_.seek(i)); }
    bool fetchFirst() override { return moved(inner_.first()); }
    bool fetchLast() override { return moved(inner_.last()); }
    bool fetchNext() override { return moved(inner_.next()); }
    int size() override { return -1; }
    int numRowsAffected() override { return inner_.numRowsAffected(); }
    QSqlRecord record() const override { return inner_.record(); }

private:
    bool run(const QString& sql, const QVariantList& values)
    {
        inner_.prepare(sqlServerToSqlite(sql));
        for (const QVariant& v : values)
            inner_.addBindValue(v);
        const bool ok = inner_.exec();
        if (!ok)
            setLastError(QSqlError(inner_.lastError().text(), {}, QSqlError::StatementError));
        setSelect(inner_.isSelect());
        setActive(ok);
        setAt(QSql::BeforeFirstRow);
        return ok;
    }
    bool moved(bool ok)
    {
        setAt(ok ? inner_.at() : QSql::AfterLastRow);
        return ok;
    }
    QSqlQuery inner_;
};

} // namespace

RecordingDriver::RecordingDriver()
{
    static std::atomic<int> counter{0};
    inner_ = QStringLiteral("recording-inner-%1").arg(++counter);
}

RecordingDriver::~RecordingDriver() { close(); }

void RecordingDriver::install()
{
    QSqlDatabase::registerSqlDriver(QStringLiteral("QODBC"), new QSqlDriverCreator<RecordingDriver>);
}

void RecordingDriver::setFlow(const QString& flow) { currentFlow() = flow; }

const std::vector<RecordedStatement>& RecordingDriver::statements() { return recorded(); }

bool RecordingDriver::hasFeature(DriverFeature feature) const
{
    switch (feature) {
    case PreparedQueries:
    case PositionalPlaceholders:
    case Unicode:
    case Transactions:
        return true;
    default:
        return false;
    }
}

bool RecordingDriver::open(const QString& db, const QString&, const QString&, const QString&, int, const QString&)
{
    const QString file = odbcValue(db, QStringLiteral("Server")) + QLatin1Char('/') + odbcValue(db, QStringLiteral("Database"))
                         + QStringLiteral(".sqlite");
    QSqlDatabase inner = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), inner_);
    innerDb_ = inner;
    inner.setDatabaseName(file);
    if (!inner.open()) {
        setLastError(inner.lastError());
        setOpenError(true);
        return false;
    }
    registerSqlServerFunctions(inner);
    sqlite3* handle = sqliteHandleOf(inner);
    sqlite3_create_function_v2(handle, "object_id", 1, SQLITE_UTF8, nullptr, lowerFunction, nullptr, nullptr, nullptr);
    QSqlQuery(inner).exec(QStringLiteral("CREATE TEMP VIEW sysobjects AS SELECT lower(name) AS ID, name,"
                                         " CASE type WHEN 'view' THEN 'V' ELSE 'U' END AS type FROM sqlite_master"));
    setOpen(true);
    setOpenError(false);
    return true;
}

// Called while Qt removes the outer connection (its list of connections
// locked): the inner one is only closed, its name stays registered.
void RecordingDriver::close()
{
    if (innerDb_.isValid())
        innerDb_.close();
    setOpen(false);
}

QSqlResult* RecordingDriver::createResult() const { return new RecordingResult(this); }

QStringList RecordingDriver::tables(QSql::TableType type) const { return innerDb_.tables(type); }

QSqlRecord RecordingDriver::record(const QString& table) const { return innerDb_.record(table); }

const QRegularExpression& sqlLiteral()
{
    static const QRegularExpression literal(QStringLiteral("(\\bN)?'((?:[^']|'')*)'"));
    return literal;
}

QString sqlServerToSqlite(const QString& sql)
{
    // Literals lose their N; 'YYYYMMDD' becomes SQLite's date text.
    static const QRegularExpression date(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})$"));
    QString out;
    qsizetype done = 0;
    for (auto literals = sqlLiteral().globalMatch(sql); literals.hasNext();) {
        const auto m = literals.next();
        const auto d = date.match(m.captured(2));
        out += sql.mid(done, m.capturedStart() - done) + QLatin1Char('\'')
               + (d.hasMatch() ? QStringLiteral("%1-%2-%3 00:00:00").arg(d.captured(1), d.captured(2), d.captured(3)) : m.captured(2)) + QLatin1Char('\'');
        done = m.capturedEnd();
    }
    out += sql.mid(done);
    static const QRegularExpression percent(QStringLiteral("\\bTOP\\s*\\(?\\s*100\\s*\\)?\\s*PERCENT\\b"), QRegularExpression::CaseInsensitiveOption);
    out.remove(percent);
    static const QRegularExpression top(QStringLiteral("^\\s*SELECT\\s+TOP\\s+(\\d+)\\s+"), QRegularExpression::CaseInsensitiveOption);
    if (const auto m = top.match(out); m.hasMatch())
        out = QStringLiteral("SELECT ") + out.mid(m.capturedEnd()) + QStringLiteral(" LIMIT ") + m.captured(1);
    static const QRegularExpression view(QStringLiteral("^\\s*(CREATE VIEW\\s+\\S+\\s+AS)\\s*\\((.*)\\)\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    if (const auto m = view.match(out); m.hasMatch())
        out = m.captured(1) + QLatin1Char(' ') + m.captured(2);
    out.replace(QStringLiteral("ISNULL("), QStringLiteral("COALESCE("), Qt::CaseInsensitive);
    return out;
}

} // namespace corv::test
