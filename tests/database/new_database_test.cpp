#include "database/new_database.h"

#include "app/settings.h"
#include "database/connection.h"
#include "support/test_environment.h"

#include <QDir>

using NewDatabase = LettrinoTest;

TEST_F(NewDatabase, RefusesTheCurrentListAndLeavesItUntouched) {
    const QString path = MakeList("Club.mdb");
    Connection::Open(path)->Execute("INSERT INTO List (Name) VALUES ('Kept; Record')");
    const QByteArray before = ReadBytes(path);
    SaveSetting("Database", "CurrentDatabase", " " + path + " ");
    EXPECT_FALSE(CreateNewDatabase(path + "  "));
    m_dialogs->ExpectMessage("Can't overwrite the current database");
    EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(NewDatabase, ReplacesAnyOtherFileWithAnEmptyList) {
    SetCurrentList(Path("Current.mdb"));
    const QString path = Path("Old.mdb");
    WriteBytes(path, "old contents");
    ASSERT_TRUE(CreateNewDatabase(path));
    auto db = Connection::Open(path);
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                              "name NOT LIKE 'sqlite*'"),
              6);
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM Control"), 0);
    // No work file is left beside it.
    EXPECT_EQ(QDir(m_dir->path()).entryList({"*.tmp"}, QDir::Files).size(), 0);
}

TEST_F(NewDatabase, FailsQuietlyWhereNoFileCanBeMade) {
    EXPECT_FALSE(CreateNewDatabase(Path("no/such/folder/New.mdb")));
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
}
