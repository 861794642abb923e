#include "listview/ListFiles.h"
#include "FileSizeLimit.h"
#include "TestHome.h"

#include <gtest/gtest.h>

using namespace corv;
using corv::test::ScriptedUi;
using corv::test::TestHome;
using Answer = Ui::Answer;

namespace {

class ListFilesTest : public ::testing::Test {
protected:
    TestHome home{false};
    ScriptedUi ui;
    std::unique_ptr<AppContext> ctx = home.context(ui);
    const QString heading = "codice!nome    !";
    const QStringList lines = {"001|Rossi   ", "002|Bianchi "};

    void SetUp() override { ctx->setViewer("viewer"); }
};

TEST_F(ListFilesTest, ViewAndPipeViewWriteTheirFilesAndOpenThem)
{
    const QString path = listfiles::viewList(*ctx, "Lista Clienti Nord", heading, lines);
    EXPECT_EQ(path, home.file("Lista_Clienti_Nord.DBP"));
    EXPECT_EQ(home.readFile("Lista_Clienti_Nord.DBP"), "codice!nome    !\r\n----------------\r\n001|Rossi   \r\n002|Bianchi \r\n");
    EXPECT_EQ(ui.opened, QStringList{"viewer|" + path});
    // The pipe view shows each piece with its column name.
    ui.expectMessage("Vedi riga con PIPE ?", Answer::No);
    EXPECT_TRUE(listfiles::pipeViewLine(*ctx, "Lista Clienti", heading, lines[1]).isEmpty());
    ui.expectMessage("Vedi riga con PIPE ?", Answer::Yes);
    const QString pipe = listfiles::pipeViewLine(*ctx, "Lista Clienti", heading, lines[1]);
    EXPECT_EQ(pipe, home.file("PIPE.TMP"));
    EXPECT_EQ(home.readFile("PIPE.TMP"), "codice              |002<\r\nnome                |Bianchi <\r\n");
    EXPECT_EQ(ui.opened, (QStringList{"viewer|" + path, "viewer|" + pipe}));
}

TEST_F(ListFilesTest, SaveAsksWritesReportsAndOffersTheViewer)
{
    const QString expected = home.file("RS_Clienti.TXT");
    ui.expectMessage("Salvo le righe sul file :\r\n" + expected + " ?", Answer::No);
    EXPECT_TRUE(listfiles::saveList(*ctx, "Clienti", lines).isEmpty());
    EXPECT_FALSE(QFile::exists(expected));

    ui.expectMessage("Salvo le righe sul file :", Answer::Yes)
        .expectMessage("SALVATAGGIO RIGHE SU FILE: " + expected + " COMPLETATO !!\r\n\r\nVisualizzo il file ?", Answer::Yes);
    EXPECT_EQ(listfiles::saveList(*ctx, "Clienti", lines), expected);
    EXPECT_EQ(home.readFile("RS_Clienti.TXT"), "001|Rossi   \r\n002|Bianchi \r\n");
    EXPECT_EQ(ui.opened, QStringList{"viewer|" + expected});

    // Without a list name the file is RS_F_LIST.TXT.
    ui.expectMessage("RS_F_LIST.TXT", Answer::Yes).expectMessage("COMPLETATO", Answer::No);
    EXPECT_EQ(listfiles::saveList(*ctx, "", lines), home.file("RS_F_LIST.TXT"));
    // A failed save is told and nothing is offered.
    ui.opened.clear();
    home.writeFile("RS_Clienti.TXT", "precedente\r\n");
    ui.expectMessage("Salvo le righe sul file :", Answer::Yes).expectMessage("Impossibile scrivere il file :");
    {
        corv::test::FileSizeLimit limit(8);
        EXPECT_TRUE(listfiles::saveList(*ctx, "Clienti", lines).isEmpty());
    }
    EXPECT_EQ(home.readFile("RS_Clienti.TXT"), "precedente\r\n");
    EXPECT_TRUE(ui.opened.isEmpty());
}

} // namespace
