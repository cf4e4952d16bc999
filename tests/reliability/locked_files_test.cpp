// A list that another running copy of the program is changing, a write-protected list and
// a list in a write-protected folder: every command ends within the engine's busy wait
// with a clear message, and nothing anybody stored is lost.

#include "reliability/reliability_fixture.h"

#include "support/write_protection.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

namespace {

class LockedFiles : public ReliabilityTest {
protected:
    void SetUp() override {
        ReliabilityTest::SetUp();
        m_folder = Path("lists");
        QDir().mkpath(m_folder);
        m_list = MakeFilledList("lists/Club.mdb", 3000);
        m_content = Dump(m_list);
        m_lines = Path("lines.txt");
        WriteBytes(m_lines, "\"Imported; Ida\",\"Town\"\r\n\"Imported; Ivo\",\"Town\"\r\n");
    }

    // Runs the tool on the list; the run must end well within the time a hang would take.
    CliResult RunOnList(const QStringList& command) {
        QElapsedTimer timer;
        timer.start();
        const CliResult result = Run(QStringList{"--yes", "--list", m_list} + command);
        EXPECT_LT(timer.elapsed(), 60000) << "the command waited too long";
        return result;
    }

    void ExpectRefused(const CliResult& result, const QString& message) {
        EXPECT_EQ(result.exitCode, 1) << result.out.toStdString();
        EXPECT_TRUE(result.err.contains(message)) << result.err.toStdString();
    }

    QStringList HeldContent() {
        QStringList held = m_content;
        const int first = held.indexOf("List") + 1;
        QStringList columns = held[first].split('|');
        columns[10] = "HELD"; // Code
        held[first] = columns.join('|');
        return held;
    }

    QString m_folder;
    QString m_list;
    QStringList m_content;
    QString m_lines;
};

TEST_F(LockedFiles, AListAnotherCopyIsChangingRefusesImportAndCompactionAndKeepsItsChange) {
    SecondCopy other(m_home, m_list);
    ASSERT_TRUE(other.Holding());
    ExpectRefused(RunOnList({"import", m_lines, "--fields", "Name,City"}),
                  "File is locked or write protected");
    ExpectRefused(RunOnList({"compact"}), "File is locked by another process. Can't compact.");
    // Reading goes on: a backup holds what was committed.
    const QString backup = Path("Backup.mdb");
    const CliResult copied = RunOnList({"backup", backup});
    EXPECT_EQ(copied.exitCode, 0) << copied.err.toStdString();
    EXPECT_EQ(Dump(backup), m_content);
    ASSERT_TRUE(other.Finish());
    QString report;
    ASSERT_TRUE(ListIsSound(m_list, &report)) << report.toStdString();
    // The other copy's change is in the list at its path, not in a kept old version.
    EXPECT_EQ(Dump(m_list), HeldContent());
    ReportFigure("Second copy in a write transaction", "import, compaction, backup",
                 "import and compaction refused with messages after the busy wait; backup "
                 "copied the committed state; the other copy's change kept");
}

TEST_F(LockedFiles, ABackupWhileAnotherCopyWritesPagesIsNeverTorn) {
    SecondCopy other(m_home, m_list, true);
    ASSERT_TRUE(other.Holding());
    // The list can't even be read while the other copy writes into it: the command says
    // so after the busy wait (and the list stays the current one), and no copy is made.
    const QString backup = Path("Backup.mdb");
    ExpectRefused(RunOnList({"backup", backup}), "File is locked or write protected");
    EXPECT_FALSE(QFileInfo::exists(backup));
    EXPECT_EQ(ToolSetting("Database", "CurrentDatabase"), m_list);
    ASSERT_TRUE(other.Finish());
    QString report;
    EXPECT_TRUE(ListIsSound(m_list, &report)) << report.toStdString();
    EXPECT_EQ(Rows(m_list, "SELECT count(*) FROM List WHERE Code = 'HELD'"), QStringList{"3000"});
}

TEST_F(LockedFiles, AWriteProtectedListIsReadButNotChanged) {
    const QByteArray bytes = ReadBytes(m_list);
    {
        WriteProtection protection(m_list);
        if (!protection.Active())
            GTEST_SKIP() << protection.Reason().toStdString();
        ExpectRefused(RunOnList({"import", m_lines, "--fields", "Name,City"}),
                      "File is locked or write protected");
        ExpectRefused(RunOnList({"compact"}), "File is locked or write protected");
        const CliResult counted = RunOnList({"count"});
        EXPECT_EQ(counted.exitCode, 0) << counted.err.toStdString();
        EXPECT_EQ(counted.out.trimmed(), "3000");
        const QString backup = Path("Backup.mdb");
        const CliResult copied = RunOnList({"backup", backup});
        EXPECT_EQ(copied.exitCode, 0) << copied.err.toStdString();
        EXPECT_EQ(Dump(backup), m_content);
    }
    EXPECT_EQ(ReadBytes(m_list), bytes);
    EXPECT_FALSE(QFileInfo::exists(m_folder + "/LTCompact.mdb"));
}

TEST_F(LockedFiles, AListInAWriteProtectedFolderIsReadButNotChanged) {
    const QByteArray bytes = ReadBytes(m_list);
    {
        WriteProtection protection(m_folder);
        if (!protection.Active())
            GTEST_SKIP() << protection.Reason().toStdString();
        ExpectRefused(RunOnList({"import", m_lines, "--fields", "Name,City"}),
                      "File is locked or write protected");
        ExpectRefused(RunOnList({"compact"}), "File is locked or write protected");
        ExpectRefused(RunOnList({"backup", m_folder + "/Copy.mdb"}),
                      "File is locked or write protected");
        ExpectRefused(RunOnList({"new", m_folder + "/New.mdb"}),
                      "File is locked or write protected");
    }
    EXPECT_EQ(ReadBytes(m_list), bytes);
    EXPECT_EQ(QDir(m_folder).entryList(QDir::Files), QStringList{"Club.mdb"});
}

} // namespace
