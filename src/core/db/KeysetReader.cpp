#include "db/KeysetReader.h"

#include "db/Connections.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace corv {

KeysetReader::KeysetReader(QSqlDatabase db, QString keySql, QString rowSql, QString keyField, int batchSize)
    : db_(std::move(db)), keySql_(std::move(keySql)), rowSql_(std::move(rowSql)), keyField_(std::move(keyField)),
      batchSize_(batchSize > 0 ? batchSize : dialectOf(db_).keysetBatchSize())
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

KeysetReader::~KeysetReader() = default;

QSqlQuery* KeysetReader::statementFor(std::size_t keys)
{
    // One statement per number of keys, prepared once: every full batch
    // reuses it (parsing a thousand placeholders each time cost as much as
    // the reading).
    std::unique_ptr<QSqlQuery>& prepared = prepared_[keys];
    if (!prepared) {
        QStringList marks;
        for (std::size_t i = 0; i < keys; ++i)
            marks << QStringLiteral("?");
        prepared = std::make_unique<QSqlQuery>(db_);
        prepared->setForwardOnly(true);
        if (!prepared->prepare(rowSql_.arg(QLatin1Char('(') + marks.join(QStringLiteral(", ")) + QLatin1Char(')')))) {
            error_ = prepared->lastError().text();
            prepared.reset();
            return nullptr;
        }
    }
    return prepared.get();
}

bool KeysetReader::fetch(const std::vector<QString>& keys, QHash<QString, std::vector<QSqlRecord>>& rows)
{
    QSqlQuery* query = statementFor(keys.size());
    if (!query)
        return false;
    for (std::size_t i = 0; i < keys.size(); ++i)
        query->bindValue(static_cast<int>(i), keys[i]);
    if (!query->exec()) {
        error_ = query->lastError().text();
        return false;
    }
    // The columns' names once; each row fills a copy with its values.
    const QSqlRecord columns = query->record();
    const int keyAt = columns.indexOf(keyField_);
    const int count = columns.count();
    while (query->next()) {
        QSqlRecord record = columns;
        for (int i = 0; i < count; ++i)
            record.setValue(i, query->value(i));
        rows[query->value(keyAt).toString().toCaseFolded()].push_back(std::move(record));
    }
    // The result closed before the caller writes on the same connection.
    query->finish();
    return true;
}

bool KeysetReader::fetchBatch()
{
    // Distinct keys of the batch; a key that joins several rows comes once.
    std::vector<QString> batch;
    QSet<QString> wanted;
    std::size_t end = nextKey_;
    while (end < keys_.size() && static_cast<int>(wanted.size()) < batchSize_) {
        const QString folded = keys_[end].toCaseFolded();
        if (!wanted.contains(folded)) {
            wanted.insert(folded);
            batch.push_back(keys_[end]);
        }
        ++end;
    }
    QHash<QString, std::vector<QSqlRecord>> rows;
    if (!fetch(batch, rows))
        return false;
    // Hand the rows out in the walk's order; a key met several times (one row
    // per joined record) takes its rows in turn, even across batches.
    for (; nextKey_ < end; ++nextKey_) {
        const QString folded = keys_[nextKey_].toCaseFolded();
        const auto it = rows.constFind(folded);
        int& served = served_[folded];
        const int occurrence = served++;
        if (it == rows.cend() || occurrence >= static_cast<int>(it->size()))
            continue; // deleted since the keys were read
        ready_.push_back({it->at(static_cast<std::size_t>(occurrence)), folded, occurrence});
    }
    stale_.clear(); // what the batch read is current
    return true;
}

void KeysetReader::invalidate(const QVariant& key) { stale_.insert(key.toString().toCaseFolded()); }

bool KeysetReader::next(QSqlRecord& row)
{
    for (;;) {
        while (ready_.empty()) {
            if (nextKey_ >= keys_.size() || !fetchBatch())
                return false;
        }
        Pending pending = std::move(ready_.front());
        ready_.pop_front();
        if (stale_.contains(pending.key)) {
            QHash<QString, std::vector<QSqlRecord>> rows;
            if (!fetch({pending.record.value(keyField_).toString()}, rows))
                return false;
            stale_.remove(pending.key);
            const std::vector<QSqlRecord>& fresh = rows.value(pending.key);
            if (pending.occurrence >= static_cast<int>(fresh.size()))
                continue; // deleted meanwhile
            pending.record = fresh[static_cast<std::size_t>(pending.occurrence)];
        }
        row = std::move(pending.record);
        return true;
    }
}

} // namespace corv
