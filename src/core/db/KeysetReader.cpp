#include "db/KeysetReader.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace corv {

KeysetReader::KeysetReader(QSqlDatabase db, QString keySql, QString rowSql, QString keyField, int batchSize)
    : db_(std::move(db)), keySql_(std::move(keySql)), rowSql_(std::move(rowSql)), keyField_(std::move(keyField)),
      batchSize_(batchSize)
{
}

bool KeysetReader::start()
{
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    if (!query.exec(keySql_)) {
        error_ = query.lastError().text();
        return false;
    }
    while (query.next())
        keys_.push_back(query.value(0).toString());
    return true;
}

bool KeysetReader::fetchBatch()
{
    // Distinct keys of the batch; a key that joins several rows comes once.
    std::vector<QString> batch;
    QHash<QString, int> wanted; // key (case folded) -> occurrences in the walk
    std::size_t end = nextKey_;
    while (end < keys_.size() && static_cast<int>(wanted.size()) < batchSize_) {
        const QString folded = keys_[end].toCaseFolded();
        if (!wanted.contains(folded))
            batch.push_back(keys_[end]);
        ++wanted[folded];
        ++end;
    }
    QStringList marks;
    for (std::size_t i = 0; i < batch.size(); ++i)
        marks << QStringLiteral("?");
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    query.prepare(rowSql_.arg(QLatin1Char('(') + marks.join(QStringLiteral(", ")) + QLatin1Char(')')));
    for (const QString& key : batch)
        query.addBindValue(key);
    if (!query.exec()) {
        error_ = query.lastError().text();
        return false;
    }
    QHash<QString, std::vector<QSqlRecord>> rows;
    while (query.next()) {
        const QSqlRecord record = query.record();
        rows[record.value(keyField_).toString().toCaseFolded()].push_back(record);
    }
    query.finish();
    // Hand the rows out in the walk's order; a key met several times (one row
    // per joined record) takes its rows in turn, even across batches.
    for (; nextKey_ < end; ++nextKey_) {
        const QString folded = keys_[nextKey_].toCaseFolded();
        const auto it = rows.constFind(folded);
        int& served = served_[folded];
        if (it == rows.cend() || served >= static_cast<int>(it->size()))
            continue; // deleted since the keys were read
        ready_.push_back(it->at(served++));
    }
    return true;
}

bool KeysetReader::next(QSqlRecord& row)
{
    while (ready_.empty()) {
        if (nextKey_ >= keys_.size() || !fetchBatch())
            return false;
    }
    row = ready_.front();
    ready_.pop_front();
    return true;
}

} // namespace corv
