// "corvutil confronta": the comparison of the sources run unattended.
#include "ProgramRun.h"
#include "db/ScopedConnection.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

using corv::test::ProgramRun;
using corv::test::runProgram;
using corv::ScopedConnection;

namespace {

using CompareCommand = corv::test::ProgramTest;

QStringList linesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split("\r\n") : QStringList();
}

TEST_F(CompareCommand, TheSourcesYearAndRangeComparedAreTheOnesNamed)
{
    // The demo keeps a Nembo folder in its settings: it is no request.
    ProgramRun run = runProgram({"confronta", "--home", demo});
    QStringList lines = linesOf(run.out.trimmed());
    ASSERT_GT(lines.size(), 3);
    EXPECT_FALSE(lines[1].contains("Nembo")) << lines[1].toStdString();
    EXPECT_FALSE(lines[3].contains("Nembo"));
    run = runProgram({"confronta", "--home", demo, "--fonti", "ardea,corvina,nembo"});
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    lines = linesOf(run.out.trimmed());
    ASSERT_GT(lines.size(), 1);
    EXPECT_TRUE(lines[1].contains(" - Nembo 001")) << lines[1].toStdString();
    for (const char* wrong : {"ardea", "ardea,nembo", "ardea,corvina,altro"}) {
        run = runProgram({"confronta", "--home", demo, "--fonti", wrong});
        EXPECT_EQ(run.exitCode, 2) << wrong;
        EXPECT_TRUE(run.err.contains("Fonti non valide")) << run.err.toStdString();
    }
    // December alone in Ardea against the whole year in Corvina.
    run = runProgram({"confronta", "--home", demo, "--anno", "2025", "--dal", "01/12/2025", "--al", "31/12/2025"});
    EXPECT_EQ(run.exitCode, 1);
    lines = linesOf(run.out.trimmed());
    ASSERT_GT(lines.size(), 1);
    EXPECT_TRUE(lines[1].contains("dal 01/12/2025 al 31/12/2025 - Corvina DEMO 2025")) << lines[1].toStdString();
}

TEST_F(CompareCommand, WhatCannotBeComparedExitsTwoWithTheReason)
{
    const struct {
        QStringList arguments;
        const char* said;
    } cases[] = {
        {{"--anno", "1999"}, "Azienda Corvina non trovata : DEMO 1999"},
        {{"--dal", "31/02/2025"}, "Data non valida : 31/02/2025"},
        {{"--dal", "01/02/2025", "--al", "01/01/2025"}, "Date incoerenti !"},
        {{"--liquidazioni", "--anno", "2016"}, "Nessuna liquidazione Ardea nel 2016"},
        {{"--liquidazioni", "--dal", "01/01/2025"}, "--dal, --al e --fonti non si usano"},
        {{"--cosa"}, "Uso: corvutil confronta"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = runProgram(QStringList{"confronta", "--home", demo} + c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.said;
        EXPECT_TRUE(run.err.contains(c.said)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << c.said;
    }
    EXPECT_FALSE(QFile::exists(demo + "/ConfrontoLiq_DEMO_2016.LOG"));
}

// The report, and beside it the same rows for a program (their layout is
// the core's test): the file's path printed after the report's; exit 1 for
// the differences planted in the demo.
TEST_F(CompareCommand, TheRowsAlsoAsCsvAndJsonForAProgram)
{
    for (const char* format : {"csv", "json"}) {
        const ProgramRun run = runProgram({"confronta", "--home", demo, "--formato", format});
        EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
        const QStringList printed = run.out.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(printed.size(), 2);
        EXPECT_EQ(printed[0], demo + "/Confronto_DEMO_2025.LOG");
        EXPECT_EQ(linesOf(printed[0]).filter("<<< solo in Ardea").size(), 1);
        EXPECT_EQ(printed[1], demo + "/Confronto_DEMO_2025." + format);
        EXPECT_EQ(linesOf(printed[1]).filter("<<<").size(), 3) << format;
    }
    const ProgramRun run = runProgram({"confronta", "--home", demo, "--formato", "xls"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("Formato non valido : xls"));
}

// The settlements of the year, period by period: the three periods planted
// in the demo, the CSV's figures those of the report; mended, they agree.
TEST_F(CompareCommand, TheSettlementsFindThePlantedPeriodsAndAgreeOnceMended)
{
    ProgramRun run = runProgram({"confronta", "--liquidazioni", "--home", demo, "--formato", "csv"});
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    const QStringList printed = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(printed, (QStringList{demo + "/ConfrontoLiq_DEMO_2025.LOG", demo + "/ConfrontoLiq_DEMO_2025.csv"}));
    const QStringList report = linesOf(printed[0]);
    ASSERT_GT(report.size(), 6);
    EXPECT_EQ(report[0], "Periodi confrontati : 12 - con differenze : 3");
    EXPECT_EQ(report[1], "Confronto liquidazioni - Ardea DEMO 2025 (mensili) - Corvina DEMO 2025");
    QStringList flagged;
    for (const QString& line : report.filter("<<<"))
        flagged << line.left(7) + " " + line.mid(line.indexOf("<<<"));
    EXPECT_EQ(flagged, (QStringList{"06/2025 <<<", "09/2025 <<<", "11/2025 <<< solo in Ardea"}));

    // Each CSV row holds the cells of the report's line of its period.
    const QStringList csv = linesOf(printed[1]).mid(1);
    int rows = 0;
    for (const QString& row : csv) {
        if (row.isEmpty())
            continue;
        QStringList fields = row.split(';');
        const QString mark = fields.takeLast();
        const QString line = report.filter(QRegularExpression("^" + QRegularExpression::escape(fields[0]) + "\\|")).value(0);
        QStringList cells = line.left(line.lastIndexOf('|')).split('|');
        for (QString& cell : cells)
            cell = cell.trimmed().remove('.');
        EXPECT_EQ(cells, fields) << row.toStdString();
        EXPECT_EQ(line.contains("<<<"), !mark.isEmpty());
        ++rows;
    }
    EXPECT_EQ(rows, 12);

    {
        // Corvina mended: the split payment, the cent, the missing month as Ardea has it.
        ScopedConnection corvina("mend");
        QString error;
        ASSERT_TRUE(corvina.openSqliteFile(demo + "/db/Corvina_3.sqlite", &error)) << error.toStdString();
        QSqlQuery q(corvina.db());
        ASSERT_TRUE(q.exec("UPDATE VATSettlement SET VATSplitPayment=VATSplitPayment-85.40 WHERE VATYear=2025 AND ReferenceMonth=6"));
        ASSERT_TRUE(q.exec("UPDATE VATSettlement SET DeductedVATAmount=DeductedVATAmount-0.01 WHERE VATYear=2025 AND ReferenceMonth=9"));
        const QStringList november = csv.filter(QRegularExpression("^11/2025;")).value(0).split(';');
        ASSERT_EQ(november.size(), 21);
        const auto at = [&](int i) { return QString(november[i]).replace(',', '.'); };
        ASSERT_TRUE(q.exec(QString("INSERT INTO VATSettlement VALUES ('DEMO', 2025, '', 11, %1, %2, %3, %4, %5, %6)")
                               .arg(at(2), at(8), at(5), at(11), at(14), at(17))))
            << q.lastError().text().toStdString();
    }
    run = runProgram({"confronta", "--liquidazioni", "--home", demo});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(linesOf(run.out.trimmed()).value(0), "Periodi confrontati : 12 - con differenze : 0");
}

} // namespace
