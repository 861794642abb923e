#include "db/KeysetReader.h"
#include "db/RowEditor.h"
#include "TestHome.h"

#include <gtest/gtest.h>

using namespace corv;
using corv::test::TestHome;

namespace {

class RowEditorTest : public ::testing::Test {
protected:
    TestHome home{false};
    Connections connections;
    QSqlDatabase db;

    void SetUp() override
    {
        home.writeFile("T.sqlite", "");
        ASSERT_TRUE(connections.open(Connections::Company, dataConnectionString("SQLite", "", "", "T", home.path())));
        db = connections.db(Connections::Company);
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("CREATE TABLE R (k TEXT COLLATE NOCASE PRIMARY KEY, a TEXT, b TEXT)"));
        ASSERT_TRUE(q.exec("INSERT INTO R VALUES ('k1', 'uno', NULL), ('k2', 'due', 'x'), ('k3', 'tre', 'y')"));
    }
    QVariant value(const QString& key, const QString& column)
    {
        QSqlQuery q(db);
        q.exec("SELECT " + column + " FROM R WHERE k = '" + key + "'");
        return q.next() ? q.value(0) : QVariant();
    }
    RowEditor editor(const QString& key, const QVariantMap& original) { return RowEditor(db, "R", "k", key, original); }
};

TEST_F(RowEditorTest, SavesOnlyTheAssignedColumnsFollowsAChangedKeyAndCancels)
{
    RowEditor e = editor("k1", {{"a", "uno"}, {"b", QVariant()}});
    e.set("b", "nuovo");
    EXPECT_EQ(e.value("b").toString(), "nuovo");
    EXPECT_EQ(e.save(), RowEditor::SaveResult::Saved);
    EXPECT_EQ(value("k1", "b").toString(), "nuovo");
    EXPECT_EQ(value("k1", "a").toString(), "uno");
    EXPECT_EQ(e.save(), RowEditor::SaveResult::NothingToSave);
    e.set("a", QVariant()); // a Null is stored as Null
    EXPECT_EQ(e.save(), RowEditor::SaveResult::Saved);
    EXPECT_TRUE(value("k1", "a").isNull());
    // A changed key column is followed.
    RowEditor keyed = editor("k2", {{"k", "k2"}, {"a", "due"}});
    keyed.set("k", "k2bis");
    EXPECT_EQ(keyed.save(), RowEditor::SaveResult::Saved);
    keyed.set("a", "dopo");
    EXPECT_EQ(keyed.save(), RowEditor::SaveResult::Saved);
    EXPECT_EQ(value("k2bis", "a").toString(), "dopo");
    // Cancel drops only what is pending.
    RowEditor cancelled = editor("k3", {{"a", "tre"}});
    cancelled.set("a", "x");
    cancelled.cancel();
    EXPECT_FALSE(cancelled.pending());
    EXPECT_EQ(cancelled.value("a").toString(), "tre");
    EXPECT_EQ(cancelled.save(), RowEditor::SaveResult::NothingToSave);
    RowEditor missing; // a record a join did not find
    missing.set("a", "x");
    EXPECT_FALSE(missing.hasRow());
    EXPECT_EQ(missing.save(), RowEditor::SaveResult::NoRow);
    EXPECT_EQ(missing.remove(), RowEditor::SaveResult::NoRow);
}

TEST_F(RowEditorTest, ARowChangedSinceItWasReadIsNotOverwrittenNorDeleted)
{
    RowEditor e = editor("k2", {{"a", "due"}, {"b", "x"}});
    QSqlQuery(db).exec("UPDATE R SET a = 'altro' WHERE k = 'k2'");
    e.set("a", "mio");
    EXPECT_EQ(e.save(), RowEditor::SaveResult::ChangedElsewhere);
    EXPECT_EQ(value("k2", "a").toString(), "altro");
    EXPECT_EQ(e.remove(), RowEditor::SaveResult::ChangedElsewhere);
    // A column nobody else touched can still be saved.
    e.set("b", "z");
    EXPECT_EQ(e.save(), RowEditor::SaveResult::Saved);
    RowEditor fresh = editor("k2", {{"a", "altro"}, {"b", "z"}});
    EXPECT_EQ(fresh.remove(), RowEditor::SaveResult::Saved);
    EXPECT_FALSE(value("k2", "a").isValid());
}

TEST_F(RowEditorTest, CompositeKeysFindRowsWhoseKeyColumnsHoldNulls)
{
    // Like the Corvina customers: no primary key, Nulls among the columns
    // that tell the rows apart.
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec("CREATE TABLE C (code TEXT, kind TEXT, year INTEGER, name TEXT)"));
    ASSERT_TRUE(q.exec("INSERT INTO C VALUES ('A1', NULL, 2025, 'senza tipo'), ('A1', '1', 2025, 'cliente'), ('A1', '1', 2024, 'vecchio')"));
    RowEditor e(db, "C", RowKey{{"code", "A1"}, {"kind", QVariant()}, {"year", 2025}}, {{"name", "senza tipo"}});
    e.set("name", "corretto");
    EXPECT_EQ(e.save(), RowEditor::SaveResult::Saved);
    const auto names = [&] {
        QStringList all;
        QSqlQuery read(db);
        read.exec("SELECT COALESCE(kind, '-') || year || ':' || name FROM C ORDER BY kind, year");
        while (read.next())
            all << read.value(0).toString();
        return all;
    };
    EXPECT_EQ(names(), (QStringList{"-2025:corretto", "12024:vecchio", "12025:cliente"}));

    RowEditor customer(db, "C", RowKey{{"code", "A1"}, {"kind", "1"}, {"year", 2025}}, {{"name", "cliente"}});
    EXPECT_EQ(customer.remove(), RowEditor::SaveResult::Saved);
    EXPECT_EQ(names(), (QStringList{"-2025:corretto", "12024:vecchio"}));
    EXPECT_EQ(customer.remove(), RowEditor::SaveResult::NoRow); // gone already
}

TEST_F(RowEditorTest, NewRowsAreInsertedAndThenEditedByTheirKey)
{
    RowEditor e = RowEditor::newRow(db, "R", {"k"});
    EXPECT_TRUE(e.isNew());
    e.set("k", "k9");
    e.set("a", "nove");
    e.set("b", QVariant());
    EXPECT_EQ(e.save(), RowEditor::SaveResult::Saved);
    EXPECT_FALSE(e.isNew());
    EXPECT_EQ(value("k9", "a").toString(), "nove");
    EXPECT_TRUE(value("k9", "b").isNull());
    e.set("b", "dopo");
    EXPECT_EQ(e.save(), RowEditor::SaveResult::Saved);
    EXPECT_EQ(value("k9", "b").toString(), "dopo");

    RowEditor duplicate = RowEditor::newRow(db, "R", {"k"});
    duplicate.set("k", "K9"); // the key ignores case
    QString error;
    EXPECT_EQ(duplicate.save(&error), RowEditor::SaveResult::Failed);
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(RowEditorTest, KeysetReaderWalksInOrderWhileRowsAreUpdated)
{
    QSqlQuery(db).exec("INSERT INTO R VALUES ('k4', 'quattro', NULL)");
    KeysetReader reader(db, "SELECT k FROM R ORDER BY a DESC", "SELECT k, a FROM R WHERE k IN %1 ORDER BY a DESC", "k", 2);
    ASSERT_TRUE(reader.start());
    EXPECT_EQ(reader.count(), 4);
    QStringList seen;
    FieldRow row;
    while (reader.next(row)) {
        seen << row.value("a").toString();
        QSqlQuery update(db); // no cursor is open: updating the walked table is safe
        ASSERT_TRUE(update.exec("UPDATE R SET a = a || '!' WHERE k = '" + row.value("k").toString() + "'"));
    }
    EXPECT_EQ(seen, (QStringList{"uno", "tre", "quattro", "due"}));
    EXPECT_EQ(value("k4", "a").toString(), "quattro!");
}

TEST_F(RowEditorTest, KeysetReaderFindsKeysOfUpperCaseLetters)
{
    // Keys as the registry writes them, upper case among lower: every row once.
    QSqlQuery(db).exec("INSERT INTO R VALUES ('AB7', 'maiuscolo', NULL), ('Cd8', 'misto', NULL)");
    KeysetReader reader(db, "SELECT k FROM R ORDER BY k", "SELECT k, a FROM R WHERE k IN %1 ORDER BY k", "k", 2);
    ASSERT_TRUE(reader.start());
    QStringList seen;
    FieldRow row;
    while (reader.next(row))
        seen << row.value("k").toString();
    EXPECT_EQ(seen, (QStringList{"AB7", "Cd8", "k1", "k2", "k3"}));
    EXPECT_TRUE(reader.error().isEmpty());
}

// Both walks: the keyset's batches, and on SQLite the one statement over the
// whole walk, whose rows are read before the caller changes any.
TEST_F(RowEditorTest, KeysetReaderServesAKeysRowsInTurnAndReadsChangedKeysAfresh)
{
    // Three rows of key k2 (one per joined detail), the batch boundary falling
    // between its first and its second.
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec("CREATE TABLE D (k TEXT, n INTEGER)"));
    ASSERT_TRUE(q.exec("INSERT INTO D VALUES ('k1', 1), ('k2', 1), ('k2', 2), ('k2', 3), ('k3', 1)"));
    const QString walk = " FROM R JOIN D ON (D.k = R.k)%1 ORDER BY R.k, D.n";
    for (const bool streamed : {false, true}) {
        ASSERT_TRUE(q.exec("UPDATE R SET a = 'due' WHERE k = 'k2'"));
        KeysetReader reader(db, "SELECT R.k" + walk.arg(""), "SELECT R.k, D.n, R.a" + walk.arg(" WHERE R.k IN %1"), "k", 2);
        if (streamed)
            reader.streamOn("SELECT R.k, D.n, R.a" + walk.arg(""), "SELECT COUNT(*) FROM D");
        ASSERT_TRUE(reader.start());
        EXPECT_EQ(reader.count(), 5);
        QStringList seen;
        FieldRow row;
        while (reader.next(row)) {
            seen << row.value("k").toString() + "/" + row.value("n").toString() + "/" + row.value("a").toString();
            if (row.value("k") == "k2" && row.value("n") == 2) {
                // Changed while the walk stands on it: the next row of k2 shows it,
                // although it was read before.
                QSqlQuery(db).exec("UPDATE R SET a = 'cambiato' WHERE k = 'k2'");
                reader.invalidate(QString("K2"));
            }
        }
        EXPECT_TRUE(reader.error().isEmpty()) << streamed;
        EXPECT_EQ(seen, (QStringList{"k1/1/uno", "k2/1/due", "k2/2/due", "k2/3/cambiato", "k3/1/tre"})) << streamed;
    }
}

} // namespace

#include "db/RowReader.h"

namespace {

TEST_F(RowEditorTest, RowReaderBindsAndTypesValues)
{
    QSqlQuery(db).exec("CREATE TABLE N (k TEXT, i INTEGER, d DECIMAL(18,4), t DATETIME)");
    QSqlQuery(db).exec("INSERT INTO N VALUES ('uno', 7, 1520.3, '2025-03-01 00:00:00'), ('due', NULL, NULL, NULL)");
    RowReader reader(db);
    ASSERT_TRUE(reader.exec("SELECT k AS Chiave, i, d, t FROM N WHERE k = ? OR i = ? ORDER BY k DESC", {QString("due"), 7}));
    EXPECT_TRUE(reader.isNative());
    EXPECT_EQ(reader.indexOf("chiave"), 0); // names without regard to case
    EXPECT_EQ(reader.indexOf("manca"), -1);
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.text(0), "uno");
    EXPECT_EQ(reader.value(1).toLongLong(), 7);
    EXPECT_EQ(reader.amount(2)->toText(2), "1.520,30");
    EXPECT_EQ(reader.bytes(3).value(), "2025-03-01 00:00:00");
    ASSERT_TRUE(reader.next());
    EXPECT_TRUE(reader.isNull(1));
    EXPECT_FALSE(reader.bytes(1));
    EXPECT_EQ(reader.amount(2)->units(), 0);
    EXPECT_FALSE(reader.next());
    EXPECT_TRUE(reader.rewind());
    EXPECT_TRUE(reader.next());

    RowReader broken(db);
    EXPECT_FALSE(broken.exec("SELECT nessuna FROM N"));
    EXPECT_TRUE(broken.error().contains("nessuna"));
}

} // namespace
