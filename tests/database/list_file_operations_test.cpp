#include "database/list_file_operations.h"

#include "database/connection.h"
#include "database/engine_error.h"
#include "support/test_environment.h"

#include <QDir>

using ListFileOperations = LettrinoTest;

TEST_F(ListFileOperations, BackupCopiesTheListAndReplacesAnOldCopyOnlyWhenDone) {
    const QString list = MakeList("Club.mdb");
    Connection::Open(list)->Execute("INSERT INTO List (Name) VALUES ('Kept; Record')");
    const QString target = Path("CLUB.MDB");
    WriteBytes(target, "an older backup");
    BackupListFile(list, target);
    EXPECT_EQ(ReadBytes(target), ReadBytes(list));
    EXPECT_EQ(QDir(m_dir->path()).entryList({"*.tmp"}, QDir::Files).size(), 0);
}

TEST_F(ListFileOperations, AFailedBackupLeavesTheOldCopyAndNoWorkFile) {
    const QString list = MakeList("Club.mdb");
    const QString target = Path("missing-folder/CLUB.MDB");
    EXPECT_THROW(BackupListFile(list, target), EngineError);
    EXPECT_THROW(BackupListFile(Path("Gone.mdb"), Path("Copy.mdb")), EngineError);
    EXPECT_FALSE(QFileInfo::exists(Path("Copy.mdb")));
    EXPECT_EQ(QDir(m_dir->path()).entryList({"*.tmp"}, QDir::Files).size(), 0);
}

TEST_F(ListFileOperations, CompactionKeepsThePreviousVersionAsBak) {
    const QString list = MakeList("Club.mdb");
    {
        auto db = Connection::Open(list);
        db->Execute("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 2000)"
                    " INSERT INTO List (Name, Notes) SELECT 'Name ' || x, printf('%.500c', 'x') "
                    "FROM n");
        db->Execute("DELETE FROM List WHERE ID > 10");
    }
    const QByteArray before = ReadBytes(list);
    // Another list of the folder named like the old work file is none of its business.
    WriteBytes(Path("LTCompact.mdb"), "someone's file");
    EXPECT_EQ(CompactListFile(list), Path("Club.BAK"));
    EXPECT_EQ(ReadBytes(Path("Club.BAK")), before);
    EXPECT_EQ(ReadBytes(Path("LTCompact.mdb")), "someone's file");
    EXPECT_EQ(QDir(m_dir->path()).entryList({"*.tmp"}, QDir::Files).size(), 0);
    EXPECT_LT(ReadBytes(list).size(), before.size());
    auto db = Connection::Open(list);
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM List"), 10);
    EXPECT_EQ(db->QueryText("SELECT Identification FROM Control"), "Tessavane");
    EXPECT_EQ(db->QueryText("PRAGMA integrity_check"), "ok");
}

TEST_F(ListFileOperations, AFailedCompactionLeavesTheListAndRemovesTheWorkFile) {
    const QString list = Path("NotAList.mdb");
    WriteBytes(list, "this is not a database");
    EXPECT_THROW(CompactListFile(list), EngineError);
    EXPECT_EQ(ReadBytes(list), "this is not a database");
    EXPECT_EQ(QDir(m_dir->path()).entryList({"*.tmp"}, QDir::Files).size(), 0);
    EXPECT_FALSE(QFileInfo::exists(Path("NotAList.BAK")));
}
