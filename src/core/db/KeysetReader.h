#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

namespace corv {

// Walks a result in its order without keeping a cursor open while the caller
// updates rows or runs lookups on the same connection (SQL Server without
// MARS allows one open result per connection). The keys are read first, in
// the walk's order; the rows are then fetched in batches by key and handed
// out in that order, each read afresh as a keyset cursor reads it.
class KeysetReader {
public:
    // keySql: the walk's statement selecting only the key column, in order.
    // rowSql: the full row statement with "%1" where "(?, ?, ...)" goes, for a
    // condition "key IN %1"; its rows must carry the key under keyField.
    KeysetReader(QSqlDatabase db, QString keySql, QString rowSql, QString keyField, int batchSize = 400);

    // False on a database error (see error()).
    bool start();
    // The next row; false at the end or on an error.
    bool next(QSqlRecord& row);
    const QString& error() const { return error_; }
    qsizetype count() const { return static_cast<qsizetype>(keys_.size()); }

private:
    bool fetchBatch();

    QSqlDatabase db_;
    QString keySql_;
    QString rowSql_;
    QString keyField_;
    int batchSize_;
    std::vector<QString> keys_;
    std::size_t nextKey_ = 0;
    std::deque<QSqlRecord> ready_;
    QHash<QString, int> served_;
    QString error_;
};

} // namespace corv
