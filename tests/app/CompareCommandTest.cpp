// "corvutil confronta": the comparison of the sources run unattended.
#include "ProgramRun.h"

#include <QFile>

using corv::test::ProgramRun;
using corv::test::runProgram;

namespace {

using CompareCommand = corv::test::ProgramTest;

QStringList linesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split("\r\n") : QStringList();
}

TEST_F(CompareCommand, OnTheDemoItPrintsTheReportAndExitsOneForThePlantedDifferences)
{
    const ProgramRun run = runProgram({"confronta", "--home", demo});
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    const QString path = run.out.trimmed();
    EXPECT_EQ(path, demo + "/Confronto_DEMO_2025.LOG");
    const QStringList lines = linesOf(path);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines[0].startsWith("Soggetti confrontati : ") && lines[0].endsWith(" - con differenze : 3")) << lines[0].toStdString();
    EXPECT_EQ(lines.filter("<<<").size(), 3);
    EXPECT_EQ(lines.filter("<<< solo in Ardea").size(), 1);
}

TEST_F(CompareCommand, AYearAndARangeNarrowTheComparison)
{
    // December alone in Ardea against the whole year in Corvina.
    const ProgramRun run = runProgram({"confronta", "--home", demo, "--anno", "2025", "--dal", "01/12/2025", "--al", "31/12/2025"});
    EXPECT_EQ(run.exitCode, 1);
    const QStringList lines = linesOf(run.out.trimmed());
    ASSERT_GT(lines.size(), 1);
    EXPECT_TRUE(lines[1].contains("dal 01/12/2025 al 31/12/2025 - Corvina DEMO 2025")) << lines[1].toStdString();
}

TEST_F(CompareCommand, TheSourcesComparedAreTheOnesNamed)
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
}

TEST_F(CompareCommand, WhatCannotBeComparedExitsTwoWithTheReason)
{
    ProgramRun run = runProgram({"confronta", "--home", demo, "--anno", "1999"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("Azienda Corvina non trovata : DEMO 1999")) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    run = runProgram({"confronta", "--home", demo, "--dal", "31/02/2025"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("Data non valida : 31/02/2025")) << run.err.toStdString();
    run = runProgram({"confronta", "--home", demo, "--dal", "01/02/2025", "--al", "01/01/2025"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("Date incoerenti !"));
    run = runProgram({"confronta", "--home", demo, "--cosa"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("Uso: corvutil confronta"));
}

} // namespace
