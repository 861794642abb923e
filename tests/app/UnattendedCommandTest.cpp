// "corvutil esegui": console commands run in order without any display.
#include "ProgramRun.h"

#include <QJsonObject>
#include <QCryptographicHash>
#include <QSqlQuery>
#include <QJsonArray>
#include <QJsonDocument>
#include <QThread>

using corv::test::ProgramRun;
using corv::test::runProgram;

namespace {

class UnattendedCommand : public corv::test::ProgramTest {
protected:
    // Without any display or windowing platform named.
    ProgramRun esegui(QStringList arguments)
    {
        arguments.prepend("esegui");
        arguments << "--home" << demo;
        return runProgram(arguments, 60000, [](QProcess& process) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "CORVUTIL_HOME"})
                env.remove(name);
            process.setProcessEnvironment(env);
        });
    }
    QByteArray digest(const QString& file) const
    {
        QFile f(demo + "/" + file);
        return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256) : QByteArray();
    }
};

TEST_F(UnattendedCommand, AWindowsMainWorkRunsWithoutTheWindow)
{
    ProgramRun run = esegui({"totali-iva-anno"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("Cmd_ArTotali (totali-iva-anno) : terminato - report " + demo + "/SUMIVA.TXT")) << run.out.toStdString();
    QFile report(demo + "/SUMIVA.TXT");
    EXPECT_TRUE(report.open(QIODevice::ReadOnly) && report.size() > 0);

    // The register, and its rows as CSV beside it: one line per line of the list.
    run = esegui({"--formato", "csv", "liquidazioni-elenco"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("Cmd_ArLiquidazioni (liquidazioni-elenco) : terminato - report ")) << run.out.toStdString();
    const QStringList written = run.out.trimmed().split(" - report ").mid(1);
    ASSERT_EQ(written.size(), 2) << run.out.toStdString();
    QFile list(written[0]), csv(written[1]);
    ASSERT_TRUE(list.open(QIODevice::ReadOnly) && csv.open(QIODevice::ReadOnly));
    const QStringList csvLines = QString::fromUtf8(csv.readAll()).split("\r\n", Qt::SkipEmptyParts);
    EXPECT_TRUE(csvLines[0].startsWith("Anno;P.;Stato;Tipo;Totale;")) << csvLines[0].toStdString();
    // The list has a title above the same heading.
    EXPECT_EQ(csvLines.size() + 1, QString::fromUtf8(list.readAll()).split("\r\n", Qt::SkipEmptyParts).size());
    // The rows without a nature, as JSON: one object per row found.
    run = esegui({"--formato", "json", "ardea-nature"});
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString(); // the demo plants rows without a nature
    const QRegularExpressionMatch found = QRegularExpression(" - (\\d+) segnalazioni - .* - report (.*\\.json)$").match(run.out.trimmed());
    ASSERT_TRUE(found.hasMatch()) << run.out.toStdString();
    QFile json(found.captured(2));
    ASSERT_TRUE(json.open(QIODevice::ReadOnly));
    const QJsonArray rows = QJsonDocument::fromJson(json.readAll()).array();
    EXPECT_EQ(rows.size(), found.captured(1).toInt());
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_TRUE(rows[0].toObject().contains("Rag. Soc."));
    // The lines of nature N4 of 2025 to a file; the lines without a nature count as findings.
    run = esegui({"--azienda-corvina", "DEMO", "--anno", "2025", "--valore", "n4", "righe-natura"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile lines(run.out.trimmed().section(" - report ", 1));
    ASSERT_TRUE(lines.open(QIODevice::ReadOnly)) << run.out.toStdString();
    const QStringList listed = QString::fromUtf8(lines.readAll()).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_GT(listed.size(), 2);
    EXPECT_TRUE(listed[0].startsWith("Righe Documenti per Natura IVA : DEMO")) << listed[0].toStdString();
    run = esegui({"--azienda-corvina", "DEMO", "--anno", "2025", "--valore", "0", "righe-natura"});
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(" segnalazioni - report ")) << run.out.toStdString();
    // The backup into the folder given; without a Corvina choice the Ardea company's newest year is taken.
    ASSERT_TRUE(QDir().mkpath(home.file("bck")));
    run = esegui({"--cartella-backup", home.file("bck"), "corvina-backup", "corvina-leggi"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(home.file("bck")).entryList({"CORV_*-DEMO_*_CorvUTIL.bak"}, QDir::Files).size(), 1) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains("Cmd_CvLeggi (corvina-leggi) : terminato")) << run.out.toStdString();
}

// Every command that changes data: without --conferma it exits 3 and leaves
// the database byte for byte; with it, it changes the database and says so.
TEST_F(UnattendedCommand, AChangeIsMadeOnlyWhenConfirmed)
{
    // The first opening makes the program's views: the databases as any later run finds them.
    ASSERT_EQ(esegui({"ardea-leggi"}).exitCode, 0);
    const QStringList corvina2025 = {"--azienda-corvina", "DEMO", "--anno", "2025"};
    const struct {
        QStringList arguments;
        const char* database;
        const char* saidWhenDone; // on stderr or stdout
        bool changesBytes = true;
    } changes[] = {
        {{"Cmd_ARPIEnti"}, "db/AR_DEMO.sqlite", "Confermi spostamento Automatico"},
        {{"--indicatore", "Dichiarazione Periodica IVA", "--valore", "1", "indicatori-iva-ardea"}, "db/AR_COMUNE.sqlite", "Codici modificati"},
        {{"--periodo", "122025", "liquidazioni-definitive"}, "db/AR_DEMO.sqlite", "Completata messa a Definitivo Liquidazioni !!"},
        {{"--stato", "Stampata", "--periodi", "01/2025,2/2025", "liquidazioni-stato"}, "db/AR_DEMO.sqlite", "Liquidazioni impostate a 'Stampata' : 2"},
        {{"--data-obsolescenza", "01/01/2025", "articoli-obsoleti-marca"}, "db/AR_DEMO.sqlite", "Articoli resi obsoleti : "},
        {corvina2025 + QStringList{"com-dati-codici"}, "db/Corvina_3.sqlite", "Righe compilate : 3"},
        {corvina2025 + QStringList{"--indicatore", "Autofattura,VATReverseCharge", "--causali", "FV,FA", "indicatori-causali"}, "db/Corvina_3.sqlite",
         "Causali modificate : 2"},
        {corvina2025 + QStringList{"com-dati-cf-esteri"}, "db/Corvina_3.sqlite", "/CFEsteroCV_DEMO_2025.log"},
        // The same text files again: the table as it was, so only what is said is checked.
        {{"localita-ricarica"}, "LOCALITA.sqlite", "Località lette : ", false},
    };
    for (const auto& change : changes) {
        const QString name = change.arguments.last();
        const QByteArray before = digest(change.database);
        ProgramRun run = esegui(change.arguments);
        EXPECT_EQ(run.exitCode, 3) << name.toStdString() << run.err.toStdString();
        EXPECT_TRUE(run.out.contains("modifiche NON eseguite senza --conferma")) << run.out.toStdString();
        EXPECT_EQ(digest(change.database), before) << name.toStdString();
        EXPECT_FALSE(logLines().filter("Risposta senza utente : ").filter("-> No").isEmpty()) << name.toStdString();
        run = esegui(QStringList{"--conferma"} + change.arguments);
        EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1) << name.toStdString() << run.err.toStdString();
        EXPECT_TRUE((run.err + run.out).contains(change.saidWhenDone)) << name.toStdString() << run.err.toStdString();
        if (change.changesBytes) {
            EXPECT_NE(digest(change.database), before) << name.toStdString();
        }
    }
}

TEST_F(UnattendedCommand, TheGeneralCheckReportsItsFindingsAlsoAsJsonAndChangesNothingUnconfirmed)
{
    ASSERT_EQ(esegui({"ardea-leggi"}).exitCode, 0); // the views made
    const QByteArray before = digest("db/AR_DEMO.sqlite");
    const ProgramRun run = esegui({"--formato", "json", "controllo-generale"});
    // Codes to mend found; the automatic corrections asked as changes and left.
    EXPECT_EQ(run.exitCode, 3) << run.out.toStdString() << run.err.toStdString();
    EXPECT_EQ(digest("db/AR_DEMO.sqlite"), before);
    const QRegularExpressionMatch found = QRegularExpression(" - (\\d+) segnalazioni - .*report (.*\\.log) - report (.*\\.json)$").match(run.out.trimmed());
    ASSERT_TRUE(found.hasMatch()) << run.out.toStdString();
    QFile json(found.captured(3));
    ASSERT_TRUE(json.open(QIODevice::ReadOnly));
    const QJsonArray rows = QJsonDocument::fromJson(json.readAll()).array();
    EXPECT_EQ(rows.size(), found.captured(1).toInt());
    bool shortCode = false;
    for (const QJsonValue row : rows)
        shortCode = shortCode || (row["Rag. Soc."].toString() == "CODICE DI 5 CARATTERI" && row["Segnalazione"].toString().contains("TROPPO CORTO"));
    EXPECT_TRUE(shortCode);
    QFile report(found.captured(2));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(report.readAll()).contains("*** Correzioni NON salvate: esecuzione senza conferma esplicita\r\n"));
}

// An amount as the reports and the CSV write it, in cents.
qint64 cents(QString text)
{
    text = text.trimmed().remove('.').replace(',', '.');
    return qRound64(text.toDouble() * 100);
}

// The totals read the lists they need first; the rows also for a program.
TEST_F(UnattendedCommand, TheJournalTotalsOfTheThreeSourcesAlsoAsRows)
{
    const ProgramRun run = esegui({"--formato", "csv", "--azienda-corvina", "DEMO", "--anno", "2025", "ardea-totali", "nembo-totali", "corvina-totali"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("Cmd_ArLeggi (ardea-leggi) : terminato")) << run.out.toStdString(); // the lists read first
    for (const char* name : {"PN_ar_DEMO", "PN_nb_001"}) {
        // The rows' taxable amounts add up to the report's subtotals per type.
        QFile csv(demo + "/" + name + ".csv"), report(demo + "/" + name + ".LOG");
        ASSERT_TRUE(csv.open(QIODevice::ReadOnly) && report.open(QIODevice::ReadOnly)) << name;
        QStringList rows = QString::fromUtf8(csv.readAll()).split("\r\n", Qt::SkipEmptyParts);
        ASSERT_EQ(rows.takeFirst(), "Cli/For;Rag. Soc.;Imponibile;IVA;Totale") << name;
        qint64 fromRows = 0, fromReport = 0;
        for (const QString& row : rows)
            fromRows += cents(row.section(';', -3, -3));
        for (const QString& line : QString::fromUtf8(report.readAll()).split("\r\n")) {
            if (line.startsWith(QString(39, ' ')))
                fromReport += cents(line.section('|', 0, 0));
        }
        EXPECT_GT(rows.size(), 10) << name;
        EXPECT_EQ(fromRows, fromReport) << name;
    }
    QFile corvina(demo + "/PN_cv_DEMO_2025.csv");
    ASSERT_TRUE(corvina.open(QIODevice::ReadOnly));
    EXPECT_TRUE(corvina.readLine().startsWith("Tipo;Codice;Rag. Soc.;Imponibile;IVA;P.IVA;C.F."));
    EXPECT_TRUE(run.out.contains("report " + demo + "/PN_cv_DEMO_2025.csv")) << run.out.toStdString();
}

TEST_F(UnattendedCommand, ATerminationRequestStopsTheRunAndLeavesTheRestUndone)
{
    QStringList arguments = {"esegui", "--home", demo, "--azienda-corvina", "DEMO", "--anno", "2025"};
    for (int i = 0; i < 40; ++i)
        arguments << "corvina-totali";
    QProcess running;
    corv::test::startProgram(running, arguments);
    QElapsedTimer waited;
    waited.start();
    while (logLines().filter("esegui : Cmd_CvPrimaNota").isEmpty() && waited.elapsed() < 20000)
        QThread::msleep(10);
    ASSERT_FALSE(logLines().filter("esegui : Cmd_CvPrimaNota").isEmpty());
    ::kill(static_cast<pid_t>(running.processId()), SIGTERM);
    ASSERT_TRUE(running.waitForFinished(20000));
    EXPECT_EQ(running.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(running.exitCode(), 4);
    const QString out = QString::fromUtf8(running.readAllStandardOutput());
    EXPECT_TRUE(out.contains("non eseguito (interruzione richiesta)")) << out.toStdString();
    EXPECT_LT(out.count("(corvina-totali) : terminato"), 40);
}

// Bad input: named, exit 2, nothing run; named things that are not there:
// said, exit 1 (with --conferma), nothing changed.
TEST_F(UnattendedCommand, BadInputIsNamedAndNothingRuns)
{
    const struct {
        QStringList arguments;
        const char* said;
        int exitCode = 2;
    } cases[] = {
        {{"--conferma", "--azienda-corvina", "DEMO", "--anno", "2025", "--comunicazione", "99", "com-dati-codici"}, "Comunicazione dati fatture 99 non trovata", 1},
        {{"--conferma", "--azienda-corvina", "DEMO", "--anno", "2025", "--indicatore", "Autofattura", "--causali", "ZZ9", "indicatori-causali"},
         "Causali non trovate : ZZ9", 1},
        {{"--conferma", "--stato", "S", "--periodi", "13/1999", "liquidazioni-stato"}, "Liquidazioni non presenti nel registro : 13/1999", 1},
        {{"--conferma", "--indicatore", "nessuno", "--valore", "1", "indicatori-iva-ardea"},
         "Indicatore non valido : nessuno (ind_tipo_3000, ind_allegato, ind_dich_per", 1},
        {{"--conferma", "--anno-iva", "1995", "Cmd_ArTotali"}, "Nessun movimento IVA nell'anno 1995", 1},
        {{"Cmd_Inesistente"}, "Comando sconosciuto : Cmd_Inesistente"},
        {{"Cmd_NbCartella"}, "Il comando Cmd_NbCartella si usa solo nella console"},
        {{}, "Nessun comando da eseguire"},
        {{"--cartella-nembo", "/non/esiste", "nembo-leggi"}, "Cartella Nembo non trovata : /non/esiste"},
        {{"--azienda-nembo", "999", "nembo-leggi"}, "Azienda Nembo 999 non presente nella cartella"},
        {{"--azienda", "NESSUNA", "ardea-leggi"}, "NESSUNA"},
        {{"--azienda-corvina", "DEMO", "--anno", "1999", "corvina-totali"}, "Azienda Corvina non trovata : DEMO 1999"},
        {{"--dal", "31/02/2025", "ardea-leggi"}, "Data non valida : 31/02/2025"},
        {{"--cartella-backup", "/non/esiste", "corvina-backup"}, "Cartella di backup non trovata : /non/esiste"},
        {{"--azienda-corvina", "DEMO", "righe-natura"}, "Il comando righe-natura richiede --valore"},
        {{"--valore", "1", "indicatori-iva-ardea"}, "Il comando indicatori-iva-ardea richiede --indicatore"},
        {{"--periodo", "132025x", "liquidazioni-definitive"}, "Periodo non valido : 132025x"},
        {{"--stato", "S", "--periodi", "15/2025", "liquidazioni-stato"}, "Liquidazione non valida : 15/2025"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = esegui(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.said;
        EXPECT_TRUE(run.err.contains(c.said)) << c.said << ": " << run.err.toStdString();
        if (c.exitCode == 2) {
            EXPECT_TRUE(run.out.isEmpty()) << c.said;
        }
    }
    const ProgramRun list = esegui({"--elenco"});
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_TRUE(list.out.contains(QRegularExpression("\nardea-enti +Cmd_ARPIEnti +Ardea +sì "))) << list.out.toStdString();
}

} // namespace
