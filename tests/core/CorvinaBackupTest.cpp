#include "backup/CorvinaBackup.h"
#include "backup/Archive.h"
#include "db/ScopedConnection.h"
#include "DemoSession.h"

#include <QProcess>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace corv;
using Answer = Ui::Answer;
using Outcome = CommandResult::Outcome;

namespace {

class CorvinaBackupTest : public corv::test::DemoSession {
protected:
    backup::BackupSettings choices(bool system)
    {
        IniFile settings = ctx->corvSettings();
        backup::BackupSettings s;
        EXPECT_TRUE(backup::openBackupChoices(settings, ctx->registry(), s));
        s.systemDatabases = system;
        s.execute = true;
        return s;
    }
    QString file(bool system) const
    {
        return backup::backupFileName(home.file("backup"), system, QDate::currentDate(), "DEMO", "3.4.2");
    }
    static std::map<QString, int> rowCounts(const QString& catalog)
    {
        std::map<QString, int> counts;
        ScopedConnection c("conta");
        EXPECT_TRUE(c.openSqliteFile(catalog));
        QSqlQuery tables(c.db());
        tables.exec("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name");
        QStringList names;
        while (tables.next())
            names << tables.value(0).toString();
        for (const QString& name : names) {
            QSqlQuery q(c.db());
            q.exec("SELECT COUNT(*) FROM \"" + name + "\"");
            q.next();
            counts[name] = q.value(0).toInt();
        }
        return counts;
    }
};

TEST_F(CorvinaBackupTest, NamesStatementsDestinationAndImportDates)
{
    EXPECT_EQ(backup::backupFileName("/bck", false, QDate(2026, 12, 6), "DEMO", "3.4.2"), "/bck/CORV_20261206-DEMO_342_CorvUTIL.bak");
    EXPECT_EQ(backup::backupFileName("/bck/", true, QDate(2026, 12, 6), "DEMO", "3.4.2"), "/bck/CORVsys_20261206-DEMO_342_CorvUTIL.bak");
    EXPECT_EQ(backup::sqlServerBackupStatements("D:\\B\\x.bak", false),
              QStringList{" BACKUP DATABASE [Corvina_3] TO  DISK = N'D:\\B\\x.bak' WITH NOFORMAT, NOINIT,  NAME = N'Corv/ Corvina_3',"
                          " DESCRIPTION = N'Corvina3', SKIP, NOREWIND, NOUNLOAD,  STATS = 10"});
    const QStringList all = backup::sqlServerBackupStatements("D:\\B\\x.bak", true);
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(all[0], " BACKUP DATABASE [PelionFramework_Corvina_3] TO  DISK = N'D:\\B\\x.bak' WITH NOFORMAT, NOINIT,  NAME = N'Corv/ Framework',"
                      " DESCRIPTION = N'Framework', SKIP, NOREWIND, NOUNLOAD,  STATS = 10");
    EXPECT_EQ(all[1], " BACKUP DATABASE [PelionSession_Corvina_3] TO  DISK = N'D:\\B\\x.bak' WITH NOFORMAT, NOINIT,  NAME = N'Corv/ Session',"
                      " DESCRIPTION = N'Session', SKIP, NOREWIND, NOUNLOAD,  STATS = 10");
    // A quote in a folder name cannot end the text.
    EXPECT_TRUE(backup::sqlServerBackupStatements("D:\\L'Aquila\\x.bak", false)[0].contains("N'D:\\L''Aquila\\x.bak'"));
    // Without a destination nothing is written; the import dates change only to valid dates.
    backup::BackupSettings s = choices(false);
    s.path0.clear();
    ui.expectMessage("Nessuna cartella di destinazione per il Backup");
    EXPECT_EQ(runCorvinaBackup(*ctx, s).outcome, Outcome::Declined);
    // The window's opening: destination 0 from the registry, "not started" written.
    IniFile settings = ctx->corvSettings();
    backup::BackupSettings opened;
    ASSERT_TRUE(backup::openBackupChoices(settings, ctx->registry(), opened));
    EXPECT_EQ(opened.path0, home.path() + "/backup/");
    EXPECT_EQ(opened.path1, "C:\\BCK_AZI\\");
    EXPECT_EQ(settings.read(keys::kBackupSection, "Esegui"), "False");
    // The right click changes the import dates, only to valid dates.
    selectYear(2025);
    ui.expectInput("Nuova data Ultimo Import LIQUIDAZIONI :", QString("31/02/2026"))
        .expectInput("Nuova data Ultimo Import DATI FATTURE :", QString("15/03/2026"));
    EXPECT_EQ(runConsoleCommand(*ctx, state, consolecommands::rightClickOf(*findConsoleCommand("Cmd_CvBackup"))).outcome, Outcome::Done);
    QSqlQuery q(corvina());
    ASSERT_TRUE(q.exec("SELECT VATLastImportDate, VATDataLastImportDate FROM Company WHERE VATYear=2025") && q.next());
    EXPECT_TRUE(q.value(0).toString().startsWith("2026-02-14"));
    EXPECT_TRUE(q.value(1).toString().startsWith("2026-03-15"));
    EXPECT_EQ(ui.inputDefaults, (QStringList{"14/02/2026", "16/02/2026"}));
}

TEST_F(CorvinaBackupTest, TheBackupRestoresToCatalogsOfTheSameRows)
{
    ui.expectMessage("BACKUP Corvina Completato !");
    ASSERT_EQ(runCorvinaBackup(*ctx, choices(true)).outcome, Outcome::Done);
    ASSERT_TRUE(QFile::exists(file(true)));
    EXPECT_EQ(ui.said.back().text, "BACKUP Corvina Completato !\r\n\r\nIn " + file(true));
    const QList<ArchiveMember> members = archiveMembers(file(true));
    ASSERT_EQ(members.size(), 3);
    EXPECT_EQ(members[0].name, "PelionFramework_Corvina_3.sqlite");
    EXPECT_EQ(members[1].name, "PelionSession_Corvina_3.sqlite");
    EXPECT_EQ(members[2].name, "Corvina_3.sqlite");
    // A standard tool opens it as well.
    QProcess tar;
    tar.start("tar", {"-tf", file(true)});
    ASSERT_TRUE(tar.waitForFinished(20000));
    EXPECT_EQ(tar.exitCode(), 0) << tar.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(tar.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
              (QStringList{"PelionFramework_Corvina_3.sqlite", "PelionSession_Corvina_3.sqlite", "Corvina_3.sqlite"}));
    QTemporaryDir restored;
    for (const ArchiveMember& member : members) {
        ASSERT_TRUE(extractArchiveMember(file(true), member.name, restored.filePath(member.name)));
        EXPECT_EQ(rowCounts(restored.filePath(member.name)), rowCounts(home.file("db/" + member.name))) << member.name.toStdString();
    }
    EXPECT_FALSE(QDir(home.file("backup")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).join(' ').contains("tmp"));
}

// A second backup of the day asks before replacing the first; a failure
// midway keeps the old one and says so.
TEST_F(CorvinaBackupTest, ASecondBackupOfTheDayAsksAndAFailureKeepsTheOldOne)
{
    ui.expectMessage("BACKUP Corvina Completato !");
    ASSERT_EQ(runCorvinaBackup(*ctx, choices(true)).outcome, Outcome::Done);
    const auto bytes = [&] {
        QFile existing(file(true));
        return existing.open(QIODevice::ReadOnly) ? existing.readAll() : QByteArray();
    };
    const QByteArray before = bytes();
    ASSERT_FALSE(before.isEmpty());
    ui.expectMessage("File di Backup Già esistente !\r\n\r\nSOSTITUISCO ?", Answer::No);
    EXPECT_EQ(runCorvinaBackup(*ctx, choices(true)).outcome, Outcome::Declined);
    EXPECT_EQ(bytes(), before);
    // The session database gone: the second of three sets fails.
    ASSERT_TRUE(QFile::rename(home.file("db/PelionSession_Corvina_3.sqlite"), home.file("db/altrove.sqlite")));
    ui.expectMessage("SOSTITUISCO ?", Answer::Yes).expectMessage("BACKUP Corvina NON riuscito !!");
    EXPECT_EQ(runCorvinaBackup(*ctx, choices(true)).outcome, Outcome::Failed);
    EXPECT_TRUE(ui.said.back().text.contains("Il backup precedente resta in " + file(true)));
    EXPECT_EQ(bytes(), before);
    EXPECT_FALSE(QFile::exists(file(true) + ".tmp"));
    EXPECT_NE(ui.statuses.last(), "BACKUP Corvina Completato !");
}

TEST_F(CorvinaBackupTest, WhatAnInterruptedBackupLeftIsRemovedAndTheArchiveIsTheOwners)
{
    // A killed run: a work folder with a whole snapshot, and a begun archive.
    QDir(home.path()).mkpath("backup/corvutil-backup-AbC123");
    home.writeFile("backup/corvutil-backup-AbC123/Corvina_3.sqlite", QByteArray(4096, 'x'));
    home.writeFile("backup/CORV_20250101-DEMO_342_CorvUTIL.bak.tmp", "");
    home.writeFile("backup/altro.tmp", "di qualcun altro");
    ui.expectMessage("BACKUP Corvina Completato !");
    ASSERT_EQ(runCorvinaBackup(*ctx, choices(false)).outcome, Outcome::Done);
    QStringList left = QDir(home.file("backup")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    left.sort();
    EXPECT_EQ(left, (QStringList{QFileInfo(file(false)).fileName(), "altro.tmp"}));
    EXPECT_EQ(archiveMembers(file(false)).size(), 1); // Corvina alone
    const auto everyone = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup | QFileDevice::WriteGroup
                          | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    EXPECT_EQ(QFile::permissions(file(false)) & everyone, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // The start of the program does the same.
    QDir(home.path()).mkpath("backup/corvutil-backup-Zz9999");
    EXPECT_EQ(backup::removeLeftovers(home.file("backup")), 1);
}

// A member beyond the 8 GiB of the plain tar size field: the size is kept,
// the holes of the sparse file are not written out.
TEST(ArchiveWriterTest, AFileOfMoreThanEightGigabytesKeepsItsSize)
{
    QTemporaryDir dir;
    const QString big = dir.filePath("grande.sqlite");
    const qint64 size = (qint64(8) << 30) + 4096 + 123;
    {
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("inizio");
        ASSERT_TRUE(file.resize(size));
        ASSERT_TRUE(file.seek(size - 4));
        file.write("fine");
    }
    const QString path = dir.filePath("archivio.bak");
    ArchiveWriter writer(path);
    ASSERT_TRUE(writer.addFile("grande.sqlite", big)) << writer.error().toStdString();
    ASSERT_TRUE(writer.close()) << writer.error().toStdString();
    EXPECT_LT(QFileInfo(path).size(), 1 << 20);
    const QList<ArchiveMember> members = archiveMembers(path);
    ASSERT_EQ(members.size(), 1);
    EXPECT_EQ(members[0].size, size);
    // tar lists it with its size.
    QProcess tar;
    tar.start("tar", {"-tvf", path});
    ASSERT_TRUE(tar.waitForFinished(20000));
    EXPECT_EQ(tar.exitCode(), 0) << tar.readAllStandardError().toStdString();
    EXPECT_TRUE(QString::fromUtf8(tar.readAllStandardOutput()).contains(QString::number(size)));
    // Extracted whole: its first and last bytes where they were.
    const QString back = dir.filePath("estratto.sqlite");
    ASSERT_TRUE(extractArchiveMember(path, "grande.sqlite", back));
    QFile restored(back);
    ASSERT_TRUE(restored.open(QIODevice::ReadOnly));
    EXPECT_EQ(restored.size(), size);
    EXPECT_EQ(restored.read(6), "inizio");
    ASSERT_TRUE(restored.seek(size - 4));
    EXPECT_EQ(restored.read(4), "fine");
}

} // namespace
