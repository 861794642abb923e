#include "db/KeysetReader.h"

#include "db/Connections.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace corv {

namespace {

// Keys compare without regard to case, as SQL Server compares them. Most
// keys are codes of digits and lower-case letters: those are their own
// folded form, shared rather than copied.
QString foldedKey(const QString& key)
{
    for (const QChar c : key) {
        if (c.unicode() >= 0x80 || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')))
            return key.toCaseFolded();
    }
    return key;
}

// One row's values, from a QSqlQuery or a RowReader standing on it.
template <typename Statement>
QList<QVariant> valuesOf(const Statement& statement, int count)
{
    QList<QVariant> values;
    values.reserve(count);
    for (int i = 0; i < count; ++i)
        values.append(statement.value(i));
    return values;
}

} // namespace

KeysetReader::KeysetReader(QSqlDatabase db, QString keySql, QString rowSql, QString keyField, int batchSize)
    : db_(std::move(db)), keySql_(std::move(keySql)), rowSql_(std::move(rowSql)), keyField_(std::move(keyField)),
      batchSize_(batchSize > 0 ? batchSize : dialectOf(db_).keysetBatchSize())
{
}

void KeysetReader::streamOn(QString walkSql, QString countSql)
{
    walkSql_ = std::move(walkSql);
    countSql_ = std::move(countSql);
}

bool KeysetReader::startWalk()
{
    if (!countSql_.isEmpty()) {
        QSqlQuery count(db_);
        count.setForwardOnly(true);
        if (!count.exec(countSql_) || !count.next()) {
            error_ = count.lastError().text();
            return false;
        }
        walkCount_ = count.value(0).toLongLong();
        served_.reserve(walkCount_);
    }
    // Read by the engine's own statement where there is one: no QVariant
    // cache of the driver's, no text converted twice.
    walk_ = std::make_unique<RowReader>(db_);
    if (!walk_->exec(walkSql_)) {
        error_ = walk_->error();
        walk_.reset();
        return false;
    }
    walkColumns_ = walk_->columnCount();
    QStringList names;
    for (int i = 0; i < walkColumns_; ++i)
        names << walk_->columnName(i);
    if (!nameColumns(names)) {
        walk_.reset();
        return false;
    }
    return true;
}

bool KeysetReader::nameColumns(const QStringList& names)
{
    fields_.build(names);
    keyAt_ = fields_.of(keyField_.toLower());
    if (keyAt_ < 0)
        error_ = QStringLiteral("Colonna chiave assente : ") + keyField_;
    return keyAt_ >= 0;
}

bool KeysetReader::start()
{
    if (!walkSql_.isEmpty() && dialectOf(db_).writesWhileReading())
        return startWalk();

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

bool KeysetReader::fetch(const std::vector<QString>& keys, QHash<QString, std::vector<Values>>& rows)
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
    const QSqlRecord columns = query->record();
    if (fields_.isEmpty()) {
        QStringList names;
        for (int i = 0; i < columns.count(); ++i)
            names << columns.fieldName(i);
        if (!nameColumns(names))
            return false;
    }
    // Only the values are kept: the columns' names are the index's, once.
    while (query->next()) {
        Values values = valuesOf(*query, columns.count());
        rows[foldedKey(values.at(keyAt_).toString())].push_back(std::move(values));
    }
    // The result closed before the caller writes on the same connection.
    query->finish();
    return true;
}

bool KeysetReader::fetch(const QString& key, std::vector<Values>& rows)
{
    QHash<QString, std::vector<Values>> read;
    if (!fetch(std::vector<QString>{key}, read))
        return false;
    rows = read.value(foldedKey(key));
    return true;
}

bool KeysetReader::nextWalked(FieldRow& row)
{
    while (walk_->next()) {
        Values values = valuesOf(*walk_, walkColumns_);
        const QString folded = foldedKey(values.at(keyAt_).toString());
        const int occurrence = served_[folded]++;
        if (stale_.contains(folded)) {
            if (!fetch(values.at(keyAt_).toString(), reread_[folded]))
                return false;
            stale_.remove(folded);
        }
        const auto reread = reread_.constFind(folded);
        if (reread != reread_.cend()) {
            // Changed by the caller since the walk began: as it is now.
            if (occurrence >= static_cast<int>(reread->size()))
                continue; // deleted meanwhile
            values = reread->at(static_cast<std::size_t>(occurrence));
        }
        row = FieldRow(std::move(values), &fields_);
        return true;
    }
    if (walk_->failed())
        error_ = walk_->error();
    return false;
}

bool KeysetReader::fetchBatch()
{
    // Distinct keys of the batch; a key that joins several rows comes once.
    std::vector<QString> batch;
    QSet<QString> wanted;
    std::size_t end = nextKey_;
    while (end < keys_.size() && static_cast<int>(wanted.size()) < batchSize_) {
        const QString folded = foldedKey(keys_[end]);
        if (!wanted.contains(folded)) {
            wanted.insert(folded);
            batch.push_back(keys_[end]);
        }
        ++end;
    }
    QHash<QString, std::vector<Values>> rows;
    if (!fetch(batch, rows))
        return false;
    // Hand the rows out in the walk's order; a key met several times (one row
    // per joined record) takes its rows in turn, even across batches.
    for (; nextKey_ < end; ++nextKey_) {
        const QString folded = foldedKey(keys_[nextKey_]);
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

void KeysetReader::invalidate(const QVariant& key) { stale_.insert(foldedKey(key.toString())); }

bool KeysetReader::next(FieldRow& row)
{
    if (walk_)
        return nextWalked(row);
    for (;;) {
        while (ready_.empty()) {
            if (nextKey_ >= keys_.size() || !fetchBatch())
                return false;
        }
        Pending pending = std::move(ready_.front());
        ready_.pop_front();
        if (stale_.contains(pending.key)) {
            std::vector<Values> fresh;
            if (!fetch(pending.values.at(keyAt_).toString(), fresh))
                return false;
            stale_.remove(pending.key);
            if (pending.occurrence >= static_cast<int>(fresh.size()))
                continue; // deleted meanwhile
            pending.values = fresh[static_cast<std::size_t>(pending.occurrence)];
        }
        row = FieldRow(std::move(pending.values), &fields_);
        return true;
    }
}

} // namespace corv
