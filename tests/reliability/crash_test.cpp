// Commands stopped dead (SIGKILL) at file operations spread over their whole run. Whatever
// the point, the list at its path opens, passes the engine's integrity check and holds the
// state before the command or after it (bulk commands: whole batches), and every file the
// user had is still there.

#include "reliability/reliability_fixture.h"

#include "database/batch_scope.h"
#include "database/connection.h"
#include "database/file_kind.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <set>

namespace {

class Crashes : public ReliabilityTest {
protected:
    void SetUp() override {
        ReliabilityTest::SetUp();
        m_work = Path("work");
        QDir().mkpath(m_work);
    }

    static int Killed(const std::vector<Crash>& crashes) {
        return int(std::count_if(crashes.begin(), crashes.end(),
                                 [](const Crash& crash) { return crash.killed; }));
    }

    static QString Joined(const std::set<qint64>& values) {
        QStringList texts;
        for (qint64 value : values)
            texts << QString::number(value);
        return texts.join(", ");
    }

    // A conversion on opening: the path holds the original file untouched or the converted
    // list; the kept original, when it is there yet, is the original; opening the list
    // again afterwards finishes the work.
    void SweepConversion(const QString& fixture, const QString& name, const QString& label) {
        const QString list = CopyFixture(fixture, "work/" + name);
        if (list.isEmpty())
            GTEST_SKIP() << "The fixture " << fixture.toStdString() << " is not on this machine.";
        const QByteArray original = ReadBytes(list);
        const QString kept = m_work + "/" + QFileInfo(name).completeBaseName().toUpper() + ".bak";
        QStringList converted;
        SweepOptions options;
        options.arguments = {"--list", list, "info"};
        options.folder = m_work;
        options.afterCounting = [&] { converted = Dump(list); };
        int originals = 0;
        long points = 0;
        const auto crashes = KillSweep(
            options,
            [&](const Crash&) {
                if (DetectFileKind(list) == FileKind::Jet) {
                    EXPECT_EQ(ReadBytes(list), original);
                    ++originals;
                } else {
                    QString report;
                    EXPECT_TRUE(ListIsSound(list, &report)) << report.toStdString();
                    EXPECT_EQ(Dump(list), converted);
                }
                if (QFileInfo::exists(kept)) {
                    EXPECT_EQ(ReadBytes(kept), original);
                }
                const CliResult again = Run({"--list", list, "info"});
                EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
                EXPECT_EQ(Dump(list), converted);
            },
            &points);
        EXPECT_FALSE(converted.isEmpty());
        ReportFigure(
            label,
            QStringLiteral("%1 stops over %2 file operations").arg(crashes.size()).arg(points),
            QStringLiteral("%1 killed, all survived (%2 left the original, the rest the "
                           "converted list); opening again completed each")
                .arg(Killed(crashes))
                .arg(originals));
    }

    QString m_work;
};

TEST_F(Crashes, AnImportKeepsExactlyTheRowsOfItsCommittedBatches) {
    const QString list = MakeFilledList("work/Import.mdb", 0);
    constexpr int kLines = 100000;
    QByteArray lines;
    for (int n = 1; n <= kLines; ++n)
        lines += QStringLiteral("\"Person %1\",\"City %2\",\"C%3\"\r\n")
                     .arg(n, 6, 10, QLatin1Char('0'))
                     .arg(n % 50)
                     .arg(n)
                     .toUtf8();
    const QString file = Path("lines.txt");
    WriteBytes(file, lines);

    SweepOptions options;
    options.arguments = {"--list", list, "import", file, "--fields", "Name,City,Code"};
    options.folder = m_work;
    std::set<qint64> kept;
    long points = 0;
    const auto crashes = KillSweep(
        options,
        [&](const Crash&) {
            QString report;
            ASSERT_TRUE(ListIsSound(list, &report)) << report.toStdString();
            // The rows there are the file's first lines, in order, each one whole.
            const QStringList rows = Rows(list, "SELECT Name, City, Code, Imported FROM List "
                                                "ORDER BY ID");
            for (int i = 0; i < rows.size(); ++i) {
                const int n = i + 1;
                const QString expected = QStringLiteral("Person %1|City %2|C%3|1")
                                             .arg(n, 6, 10, QLatin1Char('0'))
                                             .arg(n % 50)
                                             .arg(n);
                if (rows[i] != expected) {
                    ADD_FAILURE() << "row " << n << ": " << rows[i].toStdString();
                    break;
                }
            }
            kept.insert(rows.size());
        },
        &points);
    ReportFigure("Import of 100,000 lines",
                 QStringLiteral("%1 stops over %2 file operations").arg(crashes.size()).arg(points),
                 QStringLiteral("%1 killed, all survived; rows kept: %2")
                     .arg(Killed(crashes))
                     .arg(Joined(kept)));
}

TEST_F(Crashes, ABulkConversionKeepsWholeBatchesOfWholeRecords) {
    constexpr int kRecords = 6000;
    constexpr int kBatch = 1000;
    const QString list = MakeFilledList("work/Convert.mdb", kRecords);
    SweepOptions options;
    options.program = QStringLiteral(LETTRINO_DRIVER);
    options.arguments = {"convert", list, QString::number(kBatch)};
    options.folder = m_work;
    std::set<qint64> converted;
    long points = 0;
    const auto crashes = KillSweep(
        options,
        [&](const Crash&) {
            QString report;
            ASSERT_TRUE(ListIsSound(list, &report)) << report.toStdString();
            const QStringList rows = Rows(list, "SELECT ID, Code, Marked FROM List ORDER BY ID");
            ASSERT_EQ(rows.size(), kRecords);
            qint64 done = 0;
            for (const QString& row : rows) {
                const QStringList columns = row.split('|');
                if (columns[1] == QLatin1String("CONVERTED") && columns[2] == QLatin1String("0"))
                    ++done;
                else {
                    EXPECT_EQ(columns[1] + "|" + columns[2], "C" + columns[0] + "|1")
                        << "a record half converted";
                }
            }
            EXPECT_TRUE(done % kBatch == 0 || done == kRecords) << done;
            converted.insert(done);
        },
        &points);
    ReportFigure("Bulk conversion (marks to code) of 6,000 records, batches of 1,000",
                 QStringLiteral("%1 stops over %2 file operations").arg(crashes.size()).arg(points),
                 QStringLiteral("%1 killed, all survived; records converted: %2")
                     .arg(Killed(crashes))
                     .arg(Joined(converted)));
}

TEST_F(Crashes, APurgeKeepsWholeBatchesAndNeverTouchesRecordsOutsideTheFilter) {
    constexpr int kRecords = 6000;
    const QString list = MakeFilledList("work/Purge.mdb", kRecords);
    SetCurrentList(list);
    AddStateFilter("Wisconsin", "WI");
    Connection::Open(list)->Execute(
        "UPDATE Control SET CurrentFilter = (SELECT ID FROM Filter WHERE FilterName = "
        "'Wisconsin')");
    const QStringList before = Rows(list, "SELECT * FROM List ORDER BY ID");
    const QSet<QString> beforeRows(before.begin(), before.end());
    const int outside = int(Rows(list, "SELECT ID FROM List WHERE State <> 'WI'").size());
    const int inside = kRecords - outside;

    SweepOptions options;
    options.program = QStringLiteral(LETTRINO_DRIVER);
    options.arguments = {"purge", list};
    options.folder = m_work;
    std::set<qint64> left;
    long points = 0;
    const auto crashes = KillSweep(
        options,
        [&](const Crash&) {
            QString report;
            ASSERT_TRUE(ListIsSound(list, &report)) << report.toStdString();
            const QStringList rows = Rows(list, "SELECT * FROM List ORDER BY ID");
            for (const QString& row : rows)
                EXPECT_TRUE(beforeRows.contains(row)) << "changed: " << row.toStdString();
            EXPECT_EQ(Rows(list, "SELECT ID FROM List WHERE State <> 'WI'").size(), outside);
            const int remaining = rows.size() - outside;
            EXPECT_TRUE(remaining == 0 || (inside - remaining) % BatchScope::kDefaultRows == 0)
                << remaining;
            left.insert(remaining);
        },
        &points);
    ReportFigure("Purge of the 5,000 records of a filter (of 6,000)",
                 QStringLiteral("%1 stops over %2 file operations").arg(crashes.size()).arg(points),
                 QStringLiteral("%1 killed, all survived; filter records left: %2")
                     .arg(Killed(crashes))
                     .arg(Joined(left)));
}

TEST_F(Crashes, ACompactionLeavesTheListOrItsCompactedCopyAndTheNextOneSucceeds) {
    const QString list = MakeFilledList("work/Club.mdb", 3000);
    Connection::Open(list)->Execute("DELETE FROM List WHERE ID % 2 = 0");
    const QStringList content = Dump(list);
    const QString bak = m_work + "/Club.BAK";
    SweepOptions options;
    options.arguments = {"--list", list, "compact"};
    options.folder = m_work;
    long points = 0;
    const auto crashes = KillSweep(
        options,
        [&](const Crash&) {
            QString report;
            ASSERT_TRUE(ListIsSound(list, &report)) << report.toStdString();
            EXPECT_EQ(Dump(list), content);
            if (QFileInfo::exists(bak)) {
                EXPECT_TRUE(ListIsSound(bak, &report)) << report.toStdString();
                EXPECT_EQ(Dump(bak), content);
            }
            const CliResult again = Run({"--list", list, "compact"});
            EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
            EXPECT_EQ(Dump(list), content);
            EXPECT_FALSE(QFileInfo::exists(m_work + "/LTCompact.mdb"));
        },
        &points);
    ReportFigure("Compaction of a list of 3,000 records (1,500 deleted)",
                 QStringLiteral("%1 stops over %2 file operations").arg(crashes.size()).arg(points),
                 QStringLiteral("%1 killed, all survived; the next compaction succeeded each time")
                     .arg(Killed(crashes)));
}

TEST_F(Crashes, ABackupLeavesTheOldBackupOrTheNewOne) {
    const QString list = MakeFilledList("work/Club.mdb", 3000);
    const QString target = m_work + "/Club backup.mdb";
    QFile::rename(MakeFilledList("work/Old.mdb", 10), target);
    const QStringList oldBackup = Dump(target);
    const QStringList content = Dump(list);
    SweepOptions options;
    options.arguments = {"--yes", "--list", list, "backup", target};
    options.folder = m_work;
    int old = 0;
    long points = 0;
    const auto crashes = KillSweep(
        options,
        [&](const Crash&) {
            QString report;
            ASSERT_TRUE(ListIsSound(list, &report)) << report.toStdString();
            EXPECT_EQ(Dump(list), content);
            ASSERT_TRUE(ListIsSound(target, &report)) << report.toStdString();
            const QStringList backup = Dump(target);
            EXPECT_TRUE(backup == oldBackup || backup == content);
            old += backup == oldBackup ? 1 : 0;
            const CliResult again = Run({"--yes", "--list", list, "backup", target});
            EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
            EXPECT_EQ(Dump(target), content);
        },
        &points);
    ReportFigure("Backup of a list of 3,000 records over an older backup",
                 QStringLiteral("%1 stops over %2 file operations").arg(crashes.size()).arg(points),
                 QStringLiteral("%1 killed, all survived (%2 left the older backup, the rest "
                                "the new one); the next backup succeeded each time")
                     .arg(Killed(crashes))
                     .arg(old));
}

TEST_F(Crashes, TheUpgradeOfAVersion1ListLeavesTheOriginalOrTheConvertedList) {
    SweepConversion("jet/list-v1.mdb", "List.mdb", "Upgrade of a version-1 list (Jet, 40 records)");
}

TEST_F(Crashes, AJetConversionLeavesTheOriginalOrTheConvertedList) {
    SweepConversion("jet/big-v2.mdb", "Big.mdb", "Conversion of a Jet list (20,000 records)");
}

} // namespace
