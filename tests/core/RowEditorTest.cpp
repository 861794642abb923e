#include "db/Connections.h"
#include "db/KeysetReader.h"
#include "db/RowEditor.h"
#include "TestHome.h"

#include <QSqlQuery>
#include <QSqlRecord>
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

TEST_F(RowEditorTest, SavesOnlyTheAssignedColumns)
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
}

TEST_F(RowEditorTest, ARowChangedSinceItWasReadIsNotOverwritten)
{
    RowEditor e = editor("k2", {{"a", "due"}, {"b", "x"}});
    QSqlQuery(db).exec("UPDATE R SET a = 'altro' WHERE k = 'k2'");
    e.set("a", "mio");
    EXPECT_EQ(e.save(), RowEditor::SaveResult::ChangedElsewhere);
    EXPECT_EQ(value("k2", "a").toString(), "altro");
    // A column nobody else touched can still be saved.
    e.set("b", "z");
    EXPECT_EQ(e.save(), RowEditor::SaveResult::Saved);
}

TEST_F(RowEditorTest, CancelDropsOnlyWhatIsPending)
{
    RowEditor e = editor("k3", {{"a", "tre"}});
    e.set("a", "x");
    e.cancel();
    EXPECT_FALSE(e.pending());
    EXPECT_EQ(e.value("a").toString(), "tre");
    EXPECT_EQ(e.save(), RowEditor::SaveResult::NothingToSave);
    RowEditor missing(db, "R", "k", QVariant(), {});
    missing.set("a", "x");
    EXPECT_FALSE(missing.hasRow());
    EXPECT_EQ(missing.save(), RowEditor::SaveResult::NoRow);
}

TEST_F(RowEditorTest, KeysetReaderWalksInOrderWhileRowsAreUpdated)
{
    QSqlQuery(db).exec("INSERT INTO R VALUES ('k4', 'quattro', NULL)");
    KeysetReader reader(db, "SELECT k FROM R ORDER BY a DESC", "SELECT k, a FROM R WHERE k IN %1 ORDER BY a DESC", "k", 2);
    ASSERT_TRUE(reader.start());
    EXPECT_EQ(reader.count(), 4);
    QStringList seen;
    QSqlRecord row;
    while (reader.next(row)) {
        seen << row.value("a").toString();
        QSqlQuery update(db); // no cursor is open: updating the walked table is safe
        ASSERT_TRUE(update.exec("UPDATE R SET a = a || '!' WHERE k = '" + row.value("k").toString() + "'"));
    }
    EXPECT_EQ(seen, (QStringList{"uno", "tre", "quattro", "due"}));
    EXPECT_EQ(value("k4", "a").toString(), "quattro!");
}

} // namespace
