// A journal that a crash left beside a file belongs to that file. When the file is
// replaced as a whole (a new list made over it, a backup written over it, a converted list
// put in its place) the journal must not be played back into the new file, and a kept old
// version must still be brought back to its last committed state.

#include "reliability/reliability_fixture.h"

#include "database/connection.h"
#include "database/engine_error.h"
#include "database/file_replace.h"
#include "database/list_file_operations.h"
#include "database/make_new_list.h"
#include "database/upgrade.h"

#include <QFile>
#include <QFileInfo>

namespace {

class StaleJournal : public ReliabilityTest {
protected:
    // A copy of the list as a crash in the middle of a large change leaves it: many pages
    // of the file already overwritten, their old contents in a hot journal beside it.
    void CrashedCopy(const QString& list, const QString& copy) {
        auto db = Connection::Open(list);
        db->Execute("PRAGMA cache_size = 10");
        Transaction transaction(*db);
        db->Execute("UPDATE List SET Notes = Notes || ' changed', Code = 'CHANGED'");
        ASSERT_TRUE(QFileInfo::exists(list + "-journal"));
        WriteBytes(copy, ReadBytes(list));
        WriteBytes(copy + "-journal", ReadBytes(list + "-journal"));
        ASSERT_NE(ReadBytes(copy), QByteArray());
    }

    void SetUp() override {
        ReliabilityTest::SetUp();
        m_original = MakeFilledList("Original.mdb", 3000);
        m_content = Dump(m_original);
        m_crashed = Path("Crashed.mdb");
        CrashedCopy(m_original, Path("Probe.mdb"));
        // The scene is real: opened as it is, the crashed copy rolls back to the list.
        QString report;
        ASSERT_TRUE(ListIsSound(Path("Probe.mdb"), &report)) << report.toStdString();
        ASSERT_EQ(Dump(Path("Probe.mdb")), m_content);
        CrashedCopy(m_original, m_crashed);
    }

    void ExpectNoJournal(const QString& path) {
        EXPECT_FALSE(QFileInfo::exists(path + "-journal"));
    }

    QString m_original;
    QStringList m_content;
    QString m_crashed;
};

TEST_F(StaleJournal, AReplacedFileDoesNotReceiveTheOldFilesJournalAndTheKeptOneIsRolledBack) {
    const QString fresh = MakeFilledList("Fresh.mdb", 5);
    const QStringList freshContent = Dump(fresh);
    const QString kept = Path("Kept.mdb");
    ASSERT_TRUE(KeepFileAs(m_crashed, kept));
    ASSERT_TRUE(ReplaceFile(fresh, m_crashed));
    QString report;
    EXPECT_TRUE(ListIsSound(m_crashed, &report)) << report.toStdString();
    EXPECT_EQ(Dump(m_crashed), freshContent);
    EXPECT_TRUE(ListIsSound(kept, &report)) << report.toStdString();
    EXPECT_EQ(Dump(kept), m_content);
    ExpectNoJournal(m_crashed);
}

TEST_F(StaleJournal, ANewListMadeOverACrashedFileIsSound) {
    ASSERT_TRUE(MakeNewList(m_crashed, true, NewListOptions()));
    QString report;
    EXPECT_TRUE(ListIsSound(m_crashed, &report)) << report.toStdString();
    EXPECT_EQ(Rows(m_crashed, "SELECT count(*) FROM SwitchNames"), QStringList{"16"});
    EXPECT_EQ(Rows(m_crashed, "SELECT count(*) FROM List"), QStringList{"0"});
    ExpectNoJournal(m_crashed);
}

TEST_F(StaleJournal, ABackupWrittenOverACrashedFileIsTheList) {
    const QString list = MakeFilledList("Other.mdb", 5);
    BackupListFile(list, m_crashed);
    QString report;
    EXPECT_TRUE(ListIsSound(m_crashed, &report)) << report.toStdString();
    EXPECT_EQ(Dump(m_crashed), Dump(list));
    ExpectNoJournal(m_crashed);
}

TEST_F(StaleJournal, ABackupOfACrashedListIsItsLastCommittedState) {
    const QString target = Path("Backup.mdb");
    BackupListFile(m_crashed, target);
    QString report;
    EXPECT_TRUE(ListIsSound(target, &report)) << report.toStdString();
    EXPECT_EQ(Dump(target), m_content);
}

TEST_F(StaleJournal, AJetListConvertedBesideAnotherFilesJournalIsSound) {
    const QString jet = CopyFixture("jet/list-v2.mdb", "Jet.mdb");
    if (jet.isEmpty())
        GTEST_SKIP() << "The Jet fixtures are not on this machine.";
    // The journal of a list that stood at this path before the Jet file was put there.
    QFile::rename(m_crashed + "-journal", jet + "-journal");
    const QByteArray original = ReadBytes(jet);
    UpgradeDatabase(jet);
    QString report;
    EXPECT_TRUE(ListIsSound(jet, &report)) << report.toStdString();
    EXPECT_EQ(Rows(jet, "SELECT count(*) FROM List"), QStringList{"40"});
    EXPECT_EQ(ReadBytes(UpgradeBackupFile(jet)), original);
    ExpectNoJournal(jet);
}

TEST_F(StaleJournal, AFileAnotherCopyIsWritingIsNotReplaced) {
    const QString busy = MakeFilledList("Busy.mdb", 3000);
    SecondCopy other(m_home, busy, true);
    ASSERT_TRUE(other.Holding());
    try {
        MakeNewList(busy, true, NewListOptions());
        ADD_FAILURE() << "a list was made over a file in the middle of a change";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.Number(), JetError::FileLocked);
    }
    ASSERT_TRUE(other.Finish());
    QString report;
    EXPECT_TRUE(ListIsSound(busy, &report)) << report.toStdString();
    EXPECT_EQ(Rows(busy, "SELECT count(*) FROM List WHERE Code = 'HELD'"), QStringList{"3000"});
}

} // namespace
