#pragma once

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <vector>

namespace corv::test {

// One statement as the program sent it on the SQL Server path.
struct RecordedStatement {
    QString flow;
    QString sql;
    QVariantList values; // bound in order
};

// A SQL driver registered under the name of Qt's ODBC driver ("QODBC"): it
// records every statement as sent, with its bound values, and runs it on the
// demo installation's SQLite file of the same catalog (the ODBC string's
// Server is the folder, Database the catalog), after the few changes SQLite
// needs (TOP, Unicode literals, 'YYYYMMDD' dates, sysobjects...). The results
// only have to let each flow go on: the statements are what is checked.
class RecordingDriver : public QSqlDriver {
public:
    RecordingDriver();
    ~RecordingDriver() override;

    // Makes every QODBC connection of the process a recording one.
    static void install();
    // The flow the next statements belong to, and all statements so far.
    static void setFlow(const QString& flow);
    static const std::vector<RecordedStatement>& statements();

    bool hasFeature(DriverFeature feature) const override;
    bool open(const QString& db, const QString& user, const QString& password, const QString& host, int port,
              const QString& options) override;
    void close() override;
    QSqlResult* createResult() const override;
    QStringList tables(QSql::TableType type) const override;
    QSqlRecord record(const QString& table) const override;

    // The SQLite connection the statements run on.
    QSqlDatabase innerDatabase() const { return innerDb_; }

private:
    QString inner_;
    QSqlDatabase innerDb_;
};

// The statement as SQLite takes it.
QString sqlServerToSqlite(const QString& sql);
// A string literal of a statement, its N prefix apart: N'it''s' has "it''s" as its second capture.
const QRegularExpression& sqlLiteral();

} // namespace corv::test
