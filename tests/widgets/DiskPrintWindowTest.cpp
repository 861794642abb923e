// F_DbP on the demo as a person uses it: the general check's report found,
// viewed and reprinted to the PDF printer, whose pages and text are read back
// with poppler; the viewer and extension changed and restored.
#include "DemoSession.h"
#include "DiskPrintWindow.h"
#include "PdfText.h"
#include "QtPrinterDevice.h"
#include "taxcode/GeneralCheck.h"
#include "platform/IniFile.h"
#include "print/PrintEngine.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <cmath>

using namespace corv;
using Answer = corv::Ui::Answer;

namespace {

class DiskPrintWindowTest : public corv::test::DemoSession {
protected:
    QString runGeneralCheck()
    {
        ui.expectMessage("Contollo validità codici di controllo PI/Cf in generale ?", Answer::Yes)
            .expectMessage("Effettuo le sostituzioni Automatiche ?", Answer::No)
            .expectMessage("Controllo presenza Prima Nota ?", Answer::No)
            .expectMessage("Correggo P.Iva Alfanumeriche ?", Answer::No);
        GeneralCheckInput input;
        input.companyCode = "DEMO";
        input.documentDate = "01/01/2025";
        EXPECT_TRUE(corv::runGeneralCheck(*ctx, input).completed);
        return home.file("PICF_GenAR_DEMO.log");
    }
    QStringList reportLines(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return corv::test::PdfText::nonBlank(QString::fromUtf8(file.readAll()).split('\n'));
    }
    // The font size the engine chose for the report, from the run log.
    double fittedPoints()
    {
        for (const QString& line : home.logLines()) {
            const auto match = QRegularExpression("di ([0-9.]+) punti").match(line);
            if (match.hasMatch())
                return match.captured(1).toDouble();
        }
        return 12;
    }
};

TEST_F(DiskPrintWindowTest, TheGeneralCheckReportReprintedToThePdfPrinterReadsAsTheReport)
{
    const QString report = runGeneralCheck();
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

    const QString pdf = home.file("PICF_GenAR_DEMO.pdf");
    ui.expectMessage("Confermi ristampa documento : \r\n" + report, Answer::Yes).expectMessage("Stampa salvata nel file PDF :\r\n" + pdf);
    QTest::mouseClick(window.findChild<QPushButton*>("Cmd_RePrint"), Qt::LeftButton);
    ASSERT_TRUE(QFileInfo::exists(pdf));

    const QStringList expected = reportLines(report);
    ASSERT_GT(expected.size(), 69);
    EXPECT_EQ(corv::test::PdfText::pages(pdf), static_cast<int>(std::ceil(expected.size() / 69.0)));
    const double pitch = fittedPoints() * 0.6; // a fixed-pitch character is 0.6 of its size wide
    EXPECT_LT(fittedPoints(), 12);             // the report is wider than 80 columns
    const QStringList printed = corv::test::PdfText::withoutMargin(corv::test::PdfText::lines(pdf, pitch), expected.first());
    EXPECT_EQ(printed, expected);
    window.close();
}

TEST_F(DiskPrintWindowTest, ExtensionAndViewerChangedThenRestored)
{
    ctx->corvSettings().write("Stampe su Disco", "ExtCmb", "PRN");
    home.writeFile("visore", "#!/bin/sh\n");
    QFile::setPermissions(home.file("visore"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    {
        DiskPrintWindow window(*ctx);
        window.show();
        auto* extensions = window.findChild<QComboBox*>("Cmb_Ext");
        ASSERT_EQ(extensions->count(), 3);
        EXPECT_EQ(extensions->itemText(0), "PRN");
        extensions->setCurrentIndex(2);
        emit extensions->activated(2);
        EXPECT_EQ(window.findChild<QLineEdit*>("Txt_Ext")->text(), "TXT");
        ui.expectFile("Programmi visualizzatori.", [&](const FileRequest&) { return std::optional<QString>(home.file("visore")); });
        auto* view = window.findChild<QPushButton*>("Cmd_View");
        emit view->customContextMenuRequested(QPoint(2, 2)); // the right button
        EXPECT_EQ(view->toolTip(), "Programma visualizzatore : " + home.file("visore") + " - Mouse destro per cambiare!");
        EXPECT_EQ(window.findChild<QPushButton*>("Cmd_Edit")->toolTip(), view->toolTip());
        // A missing file beeps.
        window.findChild<QLineEdit*>("Txt_FIL")->setText(home.file("manca.txt"));
        const int beeps = ui.beeps;
        QTest::mouseClick(view, Qt::LeftButton);
        EXPECT_EQ(ui.beeps, beeps + 1);
        window.close();
    }
    EXPECT_EQ(ctx->viewer(), home.file("visore"));
    DiskPrintWindow again(*ctx);
    EXPECT_EQ(again.findChild<QLineEdit*>("Txt_Ext")->text(), "TXT");
    EXPECT_EQ(again.findChild<QLineEdit*>("Txt_FIL")->text(), home.file("manca.txt"));
    EXPECT_EQ(again.findChild<QLineEdit*>("Txt_Dir")->text(), home.path());
    EXPECT_EQ(again.findChild<QPushButton*>("Cmd_View")->toolTip(),
              "Programma visualizzatore : " + home.file("visore") + " - Mouse destro per cambiare!");
}

} // namespace
