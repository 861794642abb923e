// F_DbP on the demo as a person uses it: a report found, viewed and
// reprinted to the PDF printer (the PDF's pages and text are the stampa
// command's tests); the viewer and extension changed and restored.
#include "DemoSession.h"
#include "DiskPrintWindow.h"
#include "QtPrinterDevice.h"
#include "print/PrintEngine.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace corv;
using Answer = corv::Ui::Answer;

namespace {

using DiskPrintWindowTest = corv::test::DemoSession;

TEST_F(DiskPrintWindowTest, AReportFoundViewedAndReprintedToThePdfPrinter)
{
    const QString report = home.file("Prova.log");
    home.writeFile("Prova.log", "Riga uno\r\nRiga due\r\n");
    ctx->setPrinterDevice(std::make_unique<QtPrinterDevice>(home.path()));
    ctx->printEngine()->startUp();
    ctx->printEngine()->loadProfile("PDF corvutil,FILE:");
    DiskPrintWindow window(*ctx);
    window.show();
    window.findChild<QLineEdit*>("Txt_Ext")->setText("log");
    ui.expectFile("Stampe su disco.", [&](const FileRequest& request) {
        EXPECT_EQ(request.pattern, "*.[lL][oO][gG]");
        return std::optional<QString>(report);
    });
    QTest::mouseClick(window.findChild<QPushButton*>("Cmd_Fil"), Qt::LeftButton);
    EXPECT_EQ(window.findChild<QLineEdit*>("Txt_FIL")->text(), report);
    QTest::mouseClick(window.findChild<QPushButton*>("Cmd_View"), Qt::LeftButton);
    EXPECT_EQ(ui.opened.last(), ctx->viewer() + "|" + report);
    const QString pdf = home.file("Prova.pdf");
    ui.expectMessage("Confermi ristampa documento : \r\n" + report, Answer::Yes).expectMessage("Stampa salvata nel file PDF :\r\n" + pdf);
    QTest::mouseClick(window.findChild<QPushButton*>("Cmd_RePrint"), Qt::LeftButton);
    EXPECT_TRUE(home.readFile("Prova.pdf").startsWith("%PDF"));
    window.close();
}

} // namespace
