#include "db/ScopedConnection.h"
#include "forms/RecordForm.h"
#include "TestHome.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace corv;
using corv::test::ScriptedUi;
using corv::test::TestHome;
using Answer = Ui::Answer;
using Mode = RecordForm::Mode;

namespace {

// The template over a table of three records A, B, C.
class RecordFormTest : public ::testing::Test {
protected:
    TestHome home{false};
    ScriptedUi ui;
    ScopedConnection connection{"form"};
    std::unique_ptr<RecordForm> form;

    void SetUp() override
    {
        ASSERT_TRUE(connection.openSqliteFile(home.file("form.sqlite")));
        QSqlQuery q(connection.db());
        ASSERT_TRUE(q.exec("CREATE TABLE T_PROVA (cod TEXT NOT NULL PRIMARY KEY, des TEXT, altro TEXT)"));
        ASSERT_TRUE(q.exec("INSERT INTO T_PROVA VALUES ('A', 'Alfa', 'x'), ('B', 'Beta', 'y'), ('C', 'Gamma', 'z')"));
        form = std::make_unique<RecordForm>(ui, std::make_unique<RecordStore>(connection.db(), RecordBinding{"T_PROVA", "cod", "des"}));
        form->load();
    }
    QString stored(const char* code)
    {
        QSqlQuery q(connection.db());
        q.prepare("SELECT des FROM T_PROVA WHERE cod=?");
        q.addBindValue(code);
        return q.exec() && q.next() ? q.value(0).toString() : QString("-");
    }
    // new, save, delete, restore as on / off flags.
    std::string buttons() const
    {
        return std::string(form->newEnabled() ? "N" : "n") + (form->saveEnabled() ? "S" : "s") + (form->deleteEnabled() ? "D" : "d")
               + (form->restoreEnabled() ? "R" : "r");
    }
};

TEST_F(RecordFormTest, LoadThenMovingThroughTheRecords)
{
    EXPECT_EQ(form->mode(), Mode::Insert);
    EXPECT_EQ(form->modeText(), "Inizio Inserimento..");
    EXPECT_EQ(buttons(), "Nsdr");
    // From an empty code, previous shows the last record and next the first.
    form->previous();
    EXPECT_EQ(form->code(), "C");
    EXPECT_EQ(form->description(), "Gamma");
    EXPECT_EQ(form->modeText(), "Visualizzazione");
    EXPECT_EQ(buttons(), "NsDr");
    form->previous();
    EXPECT_EQ(form->code(), "B");
    form->next();
    EXPECT_EQ(form->code(), "C");
    // Past the last: a beep, the record stays.
    form->next();
    EXPECT_EQ(form->code(), "C");
    EXPECT_EQ(ui.beeps, 1);
    form->load();
    form->next();
    EXPECT_EQ(form->code(), "A");
    EXPECT_EQ(form->current().value("altro"), "x");
    // Without a bound table nothing is written or deleted.
    RecordForm toolbarOnly(ui, nullptr);
    toolbarOnly.load();
    EXPECT_FALSE(toolbarOnly.recordsEnabled());
    toolbarOnly.setCode("A");
    EXPECT_FALSE(toolbarOnly.saveEnabled());
    EXPECT_FALSE(toolbarOnly.save());
    toolbarOnly.remove();
    toolbarOnly.next();
    toolbarOnly.previous();
    EXPECT_EQ(ui.beeps, 1 + 4); // the one past the last record, then one a refused action
    EXPECT_EQ(stored("A"), "Alfa");
    // A binding naming a table of no use (the template's settings of the backup window) is no binding.
    RecordForm named(ui, std::make_unique<RecordStore>(connection.db(), RecordBinding{"CA_IVA", "cod_iva", ""}));
    EXPECT_FALSE(named.bound());
}

TEST_F(RecordFormTest, EditingRestoringSavingAndDeleting)
{
    form->next();
    form->setDescription("Alfa nuova");
    EXPECT_EQ(form->mode(), Mode::Edit);
    EXPECT_EQ(form->modeText(), "Modifica");
    EXPECT_EQ(buttons(), "nSDR");
    // Restore: the stored description again, view state.
    ui.expectMessage("I dati sono stati modificati. Vuoi ripristinare ?", Answer::Yes);
    form->restore();
    EXPECT_EQ(form->description(), "Alfa");
    EXPECT_EQ(form->mode(), Mode::View);
    EXPECT_EQ(buttons(), "NsDr");
    // Save writes the description; a new code adds a record.
    form->setDescription("Alfa nuova");
    ASSERT_TRUE(form->save());
    EXPECT_EQ(stored("A"), "Alfa nuova");
    EXPECT_EQ(form->mode(), Mode::View);
    form->newRecord();
    EXPECT_EQ(buttons(), "nsdr");
    form->setCode("D");
    form->setDescription("Delta");
    ASSERT_TRUE(form->save());
    EXPECT_EQ(stored("D"), "Delta");
    // An empty code: a beep, nothing written.
    form->newRecord();
    form->setDescription("senza codice");
    EXPECT_FALSE(form->save());
    EXPECT_EQ(ui.beeps, 1);
    QSqlQuery count(connection.db());
    ASSERT_TRUE(count.exec("SELECT COUNT(*) FROM T_PROVA") && count.next());
    EXPECT_EQ(count.value(0).toInt(), 4);
    // Deleting, and reading a record by its code.
    form->setCode("B");
    form->readRecord();
    EXPECT_EQ(form->description(), "Beta");
    EXPECT_EQ(form->mode(), Mode::View);
    ui.expectMessage("Confermi cancellazione ?", Answer::No);
    form->remove();
    EXPECT_EQ(stored("B"), "Beta");
    ui.expectMessage("Confermi cancellazione ?", Answer::Yes);
    form->remove();
    EXPECT_EQ(stored("B"), "-");
    EXPECT_TRUE(form->code().isEmpty());
    EXPECT_EQ(form->mode(), Mode::Insert);
    // A code with no record: nothing to delete, a beep.
    form->setCode("Z");
    form->readRecord();
    EXPECT_EQ(form->mode(), Mode::Edit); // nothing found: nothing changes
    ui.expectMessage("Salvo i Dati ?", Answer::No).expectMessage("Confermi cancellazione ?", Answer::Yes);
    form->remove();
    EXPECT_EQ(ui.beeps, 2); // the empty code's, then this one
}

TEST_F(RecordFormTest, AModifiedRecordAsksBeforeMoving)
{
    form->next();
    form->setDescription("cambiata");
    ui.expectMessage("Salvo i Dati ?", Answer::No);
    form->next();
    EXPECT_EQ(form->code(), "B");
    EXPECT_EQ(stored("A"), "Alfa"); // the edits were dropped
    form->setDescription("Beta 2");
    ui.expectMessage("Salvo i Dati ?", Answer::Yes);
    form->previous();
    EXPECT_EQ(stored("B"), "Beta 2");
    EXPECT_EQ(form->code(), "A");
    // Save and new (Shift+F11): asked like every save; No keeps the record as stored.
    form->setDescription("Alfa 4");
    ui.expectMessage("Salvo i Dati ?", Answer::No);
    form->saveAndNew();
    EXPECT_EQ(stored("A"), "Alfa");
    EXPECT_EQ(form->code(), "A");
    // Yes: saved, then a cleared window for a new record.
    form->setDescription("Alfa 3");
    ui.expectMessage("Salvo i Dati ?", Answer::Yes);
    form->saveAndNew();
    EXPECT_EQ(stored("A"), "Alfa 3");
    EXPECT_TRUE(form->code().isEmpty());
    EXPECT_EQ(form->mode(), Mode::Insert);
    EXPECT_FALSE(form->newEnabled());
}

} // namespace
