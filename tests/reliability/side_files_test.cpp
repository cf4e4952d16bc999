// Where the crash sweeps don't reach: two commands at once in one folder, lists named like
// another command's work or backup file, lists behind symbolic links, damaged lists meeting
// a backup or a compaction, and work files that killed runs left behind. No list is ever
// lost, replaced by another or mixed up.

#include "reliability/reliability_fixture.h"

#include "database/connection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int kTries = 20;

class SideFiles : public ReliabilityTest {
protected:
    // A filled list with every third record deleted, so that a compaction has work to do.
    QString MakeGappedList(const QString& name, int records) {
        const QString path = MakeFilledList(name, records);
        Connection::Open(path)->Execute("DELETE FROM List WHERE ID % 3 = 0");
        return path;
    }

    // Waits for a started run; its exit code, with its messages on failure.
    static int Finish(QProcess& process, QString* messages = nullptr) {
        if (!process.waitForFinished(120000)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        if (messages)
            *messages = QString::fromUtf8(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    // Zeroes pages in the middle of a list file, as a failing disk would.
    static void DamageMiddle(const QString& path, int pages = 3) {
        QByteArray bytes = ReadBytes(path);
        const int page = 4096;
        const int middle = int(bytes.size() / page / 2) * page;
        bytes.replace(middle, pages * page, QByteArray(pages * page, '\0'));
        WriteBytes(path, bytes);
    }
};

} // namespace

TEST_F(SideFiles, CompactionsAndImportsAtOnceInOneFolderNeverMixOrLoseLists) {
    QDir().mkpath(Path("lists"));
    const QString p = MakeGappedList("lists/P.mdb", 1500);
    const QString q = MakeGappedList("lists/Q.mdb", 600);
    const QStringList pContent = Dump(p);
    const QStringList qContent = Dump(q);
    ASSERT_NE(pContent, qContent);
    for (int i = 0; i < kTries; ++i) {
        SCOPED_TRACE(i);
        // Both runs share the settings file, as two runs of one user do.
        auto first = Start({"--list", p, "compact"});
        auto second = Start({"--list", q, "compact"});
        QString firstErr, secondErr;
        EXPECT_EQ(Finish(*first, &firstErr), 0) << firstErr.toStdString();
        EXPECT_EQ(Finish(*second, &secondErr), 0) << secondErr.toStdString();
        EXPECT_EQ(Dump(p), pContent);
        EXPECT_EQ(Dump(q), qContent);
    }
    // A compaction and an import of one list at once: the import waits, or is refused with
    // a message; what it imported is never left in the previous version.
    const QString lines = Path("lines.txt");
    WriteBytes(lines, "\"Imported; Ida\",\"Town\"\r\n");
    int imported = 0;
    for (int i = 0; i < kTries; ++i) {
        SCOPED_TRACE(i);
        auto compaction = Start({"--list", p, "compact"});
        auto import = Start({"--list", p, "import", lines, "--fields", "Name,City"});
        QString compactionErr, importErr;
        const int compacted = Finish(*compaction, &compactionErr);
        const int added = Finish(*import, &importErr);
        EXPECT_TRUE(compacted == 0 || compactionErr.contains("Can't compact.")) << compacted;
        EXPECT_TRUE(added == 0 || importErr.contains("File is locked or write protected"))
            << importErr.toStdString();
        imported += added == 0 ? 1 : 0;
        EXPECT_EQ(Rows(p, "SELECT count(*) FROM List WHERE Name = 'Imported; Ida'"),
                  QStringList{QString::number(imported)});
    }
    QString report;
    EXPECT_TRUE(ListIsSound(p, &report)) << report.toStdString();
    EXPECT_TRUE(QDir(Path("lists")).entryList({"*.tmp"}, QDir::Files).isEmpty());
    ReportFigure("Two compactions of two lists of one folder at once; a compaction and an "
                 "import of one list at once",
                 QStringLiteral("%1 + %1 tries").arg(kTries),
                 QStringLiteral("every list kept its own records each time; %1 of %2 imports "
                                "got in (the others waited too long and were refused), none "
                                "lost")
                     .arg(imported)
                     .arg(kTries));
}

TEST_F(SideFiles, ListsNamedLikeWorkOrBackupFilesAreNeverDeleted) {
    QDir().mkpath(Path("lists"));
    const QString work = MakeGappedList("lists/LTCompact.mdb", 90);
    const QString kept = MakeGappedList("lists/club.BAK", 60);
    const QString other = MakeGappedList("lists/Other.mdb", 30);
    const QStringList workContent = Dump(work);
    const QStringList keptContent = Dump(kept);
    const QStringList otherContent = Dump(other);

    EXPECT_EQ(Run({"--list", other, "compact"}).exitCode, 0);
    const CliResult itself = Run({"--list", work, "compact"});
    EXPECT_EQ(itself.exitCode, 0) << itself.err.toStdString();
    // The kept copy of the last compaction, compacted as a list: its own BAK name is
    // itself, so the previous version goes to another name, which the user is told.
    const CliResult bak = Run({"--list", kept, "compact"});
    EXPECT_EQ(bak.exitCode, 0) << bak.err.toStdString();
    EXPECT_TRUE(bak.err.contains("Compacting complete.") &&
                bak.err.contains("The previous version was kept as " + Path("lists/club-2.BAK")))
        << bak.err.toStdString();
    EXPECT_EQ(Dump(work), workContent);
    EXPECT_EQ(Dump(kept), keptContent);
    EXPECT_EQ(Dump(Path("lists/club-2.BAK")), keptContent);
    EXPECT_EQ(Dump(other), otherContent);
    EXPECT_EQ(Dump(Path("lists/LTCompact.BAK")), workContent);
    ReportFigure("Lists named LTCompact.mdb and club.BAK beside another list",
                 "compaction of each of the three",
                 "no list deleted; club.BAK's previous version kept as club-2.BAK, and told");
}

TEST_F(SideFiles, ACompactionThroughASymbolicLinkKeepsTheLink) {
    QDir().mkpath(Path("real"));
    const QString real = MakeGappedList("real/Club.mdb", 600);
    const QStringList content = Dump(real);
    const QByteArray before = ReadBytes(real);
    const QString link = Path("Club.mdb");
    ASSERT_TRUE(QFile::link(real, link));
    const CliResult result = Run({"--list", link, "compact"});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), real);
    EXPECT_LT(ReadBytes(real).size(), before.size());
    EXPECT_EQ(Dump(link), content);
    // The previous version is a file of its own, not another link to the live list.
    const QFileInfo backup(Path("Club.BAK"));
    EXPECT_TRUE(backup.exists());
    EXPECT_FALSE(backup.isSymLink());
    EXPECT_EQ(ReadBytes(Path("Club.BAK")), before);
    ReportFigure("Compaction through a symbolic link", "1",
                 "the link stays and its target is compacted; the BAK copy is a real file");
}

TEST_F(SideFiles, ADamagedListNeverReplacesABackupAndIsOfferedTheRepair) {
    const QString list = MakeFilledList("Club.mdb", 3000);
    const QString backup = Path("Backup.mdb");
    ASSERT_EQ(Run({"--list", list, "backup", backup}).exitCode, 0);
    const QStringList good = Dump(backup);
    DamageMiddle(list);
    const QString again = Path("Again.mdb");
    QFile::copy(list, again);

    const CliResult copied = Run({"--yes", "--list", list, "backup", backup});
    EXPECT_EQ(copied.exitCode, 1);
    EXPECT_TRUE(copied.err.contains("The database may be corrupt. Click OK to attempt recovery"))
        << copied.err.toStdString();
    EXPECT_TRUE(copied.err.contains("The list was repaired. The damaged original was kept as"));
    EXPECT_FALSE(copied.err.contains("Backup complete."));
    EXPECT_EQ(Dump(backup), good);
    QString report;
    EXPECT_TRUE(ListIsSound(list, &report)) << report.toStdString();

    // A compaction of a damaged list says so and repairs it, instead of a write failure.
    const CliResult compacted = Run({"--list", again, "compact"});
    EXPECT_EQ(compacted.exitCode, 1);
    EXPECT_TRUE(compacted.err.contains("The database may be corrupt."))
        << compacted.err.toStdString();
    EXPECT_FALSE(compacted.err.contains("Couldn't write to the hard drive"));
    EXPECT_TRUE(ListIsSound(again, &report)) << report.toStdString();
    ReportFigure("Backup and compaction of a list with three zeroed pages in the middle", "1 + 1",
                 "the older backup kept; the damage told and the list repaired");
}

TEST_F(SideFiles, WorkFilesOfKilledBackupsAreRemovedByTheNextBackup) {
    const QString list = MakeFilledList("Club.mdb", 50);
    const QString target = Path("Copy.mdb");
    // A work file of a process that has ended, and one of a process still running (this
    // test), which must stay.
    QProcess ended;
    ended.start("true");
    const qint64 gone = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    const QString stale = QStringLiteral("%1.backup-%2-1.tmp").arg(target).arg(gone);
    const QString live =
        QStringLiteral("%1.backup-%2-1.tmp").arg(target).arg(QCoreApplication::applicationPid());
    WriteBytes(stale, "half a copy");
    WriteBytes(live, "a copy in the making");
    EXPECT_EQ(Run({"--list", list, "backup", target}).exitCode, 0);
    EXPECT_FALSE(QFileInfo::exists(stale));
    EXPECT_TRUE(QFileInfo::exists(live));
    EXPECT_EQ(Dump(target), Dump(list));
}

TEST_F(SideFiles, DamageMetInTheMiddleOfACommandIsToldAndRepaired) {
    const QString list = MakeFilledList("Club.mdb", 3000);
    // Zeroed from the middle to near the end: table and index pages.
    DamageMiddle(list, int(ReadBytes(list).size() / 4096 / 3));
    for (const QStringList& command :
         {QStringList{"count"}, QStringList{"export", Path("out.ltx")}}) {
        SCOPED_TRACE(command.join(' ').toStdString());
        QFile::copy(list, Path("Damaged.mdb"));
        const CliResult result = Run(QStringList{"--list", Path("Damaged.mdb")} + command);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.err.contains("The database may be corrupt. Click OK to attempt "
                                        "recovery"))
            << result.err.toStdString();
        EXPECT_TRUE(result.err.contains("The list was repaired. The damaged original was kept"));
        QString report;
        EXPECT_TRUE(ListIsSound(Path("Damaged.mdb"), &report)) << report.toStdString();
        QFile::remove(Path("Damaged.mdb"));
    }
    ReportFigure("A third of the pages zeroed from the middle of a list of 3,000 records, met "
                 "by count and export (the open reads only the control row)",
                 "2", "each command told the damage, exited 1 and left the list repaired");
}

TEST_F(SideFiles, ConversionAndRepairThroughASymbolicLinkKeepTheLink) {
    QDir().mkpath(Path("real"));
    const QString jet = CopyFixture("jet/list-v2.mdb", "real/Jet.mdb");
    if (jet.isEmpty())
        GTEST_SKIP() << "The Jet fixtures are not on this machine.";
    const QByteArray original = ReadBytes(jet);
    ASSERT_TRUE(QFile::link(jet, Path("Jet.mdb")));
    const CliResult converted = Run({"--list", Path("Jet.mdb"), "count"});
    EXPECT_EQ(converted.out, "3\n") << converted.err.toStdString(); // its current filter
    EXPECT_TRUE(QFileInfo(Path("Jet.mdb")).isSymLink());
    EXPECT_FALSE(QFileInfo(Path("JET.bak")).isSymLink());
    EXPECT_EQ(ReadBytes(Path("JET.bak")), original);

    const QString real = MakeFilledList("real/Club.mdb", 3000);
    DamageMiddle(real, int(ReadBytes(real).size() / 4096 / 3));
    ASSERT_TRUE(QFile::link(real, Path("Club.mdb")));
    const CliResult repaired = Run({"--list", Path("Club.mdb"), "count"});
    EXPECT_TRUE(repaired.err.contains("The list was repaired.")) << repaired.err.toStdString();
    EXPECT_TRUE(QFileInfo(Path("Club.mdb")).isSymLink());
    QString report;
    EXPECT_TRUE(ListIsSound(real, &report)) << report.toStdString();
    ReportFigure("Conversion and repair through a symbolic link", "1 + 1",
                 "the link stays and its target is converted or repaired; the kept original "
                 "is a file of its own");
}
