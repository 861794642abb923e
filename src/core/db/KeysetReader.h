#pragma once

#include "db/FieldRow.h"
#include "db/RowReader.h"

#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <deque>
#include <map>
#include <memory>
#include <vector>

namespace corv {

// Walks a result in its order without keeping a cursor open while the caller
// updates rows or runs lookups on the same connection (SQL Server without
// MARS allows one open result per connection). The keys are read first, in
// the walk's order; the rows are then fetched in batches by key and handed
// out in that order. A key the caller has changed rows of since its batch was
// read (invalidate) is read again when its next row is reached, as a keyset
// cursor shows each row as it is when reached.
class KeysetReader {
public:
    // keySql: the walk's statement selecting only the key column, in order.
    // rowSql: the full row statement with "%1" where "(?, ?, ...)" goes, for a
    // condition "key IN %1"; its rows must carry the key under keyField.
    // batchSize: 0 takes the engine's own (bound by its parameters per statement).
    KeysetReader(QSqlDatabase db, QString keySql, QString rowSql, QString keyField, int batchSize = 0);
    ~KeysetReader();
    KeysetReader(const KeysetReader&) = delete;
    KeysetReader& operator=(const KeysetReader&) = delete;

    // On an engine whose connection writes while it reads (SQLite) the rows
    // come instead from walkSql, the whole walk in one forward-only
    // statement (it must sort through the engine's own sorter, so that the
    // rows the caller updates never move in it), and countSql, when given,
    // counts them for the progress; a key invalidated is read again by itself, with the
    // row statement, when its next row is reached. Called before start().
    void streamOn(QString walkSql, QString countSql);
    // False on a database error (see error()).
    bool start();
    // The next row (its values named by the row statement's columns); false
    // at the end or on an error.
    bool next(FieldRow& row);
    // The rows of this key were changed: read them again when reached.
    void invalidate(const QVariant& key);
    const QString& error() const { return error_; }
    qsizetype count() const { return walk_ ? walkCount_ : static_cast<qsizetype>(keys_.size()); }

private:
    using Values = QList<QVariant>;
    struct Pending {
        Values values;
        QString key;   // case folded
        int occurrence; // which of the key's rows
    };
    bool fetchBatch();
    bool startWalk();
    // The columns named once for every row; false when the key column is missing.
    bool nameColumns(const QStringList& names);
    bool nextWalked(FieldRow& row);
    bool fetch(const QString& key, std::vector<Values>& rows);
    bool fetch(const std::vector<QString>& keys, QHash<QString, std::vector<Values>>& rows);
    QSqlQuery* statementFor(std::size_t keys);

    QSqlDatabase db_;
    QString keySql_;
    QString rowSql_;
    QString keyField_;
    int batchSize_;
    std::vector<QString> keys_;
    std::size_t nextKey_ = 0;
    std::deque<Pending> ready_;
    QHash<QString, int> served_;
    QSet<QString> stale_;
    QString error_;
    FieldIndex fields_; // the row statement's columns, found on its first result
    int keyAt_ = -1;
    std::map<std::size_t, std::unique_ptr<QSqlQuery>> prepared_; // by number of keys
    QString walkSql_;
    QString countSql_;
    std::unique_ptr<RowReader> walk_;
    qsizetype walkCount_ = 0;
    int walkColumns_ = 0;
    QHash<QString, std::vector<Values>> reread_; // the rows of invalidated keys, read again
};

} // namespace corv
