#include "database/control_core.h"

#include "database/connection.h"
#include "database/file_names.h"
#include "support/test_environment.h"

using ControlRecord = LettrinoTest;

TEST_F(ControlRecord, ReadsTheMarkAndVersionAndWritesTheCurrentSelectionsAtOnce) {
    const QString path = MakeList();
    ControlCore control;
    EXPECT_EQ(control.Magic(), "Tessavane");
    EXPECT_EQ(control.DatabaseVersion(), 2);
    control.SetCurrentFilter(3);
    control.SetCurrentTemplate(4);
    control.SetCurrentLabel(5);
    auto other = Connection::Open(path);
    EXPECT_EQ(other->QueryNumber("SELECT CurrentFilter FROM Control"), 3);
    EXPECT_EQ(other->QueryNumber("SELECT CurrentTemplate FROM Control"), 4);
    EXPECT_EQ(other->QueryNumber("SELECT CurrentLabel FROM Control"), 5);
    EXPECT_EQ(control.CurrentFilter(), 3);
}

TEST_F(ControlRecord, CreationWithoutAnOpenableListIsAFatalStop) {
    SetCurrentList(Path("Gone.mdb"));
    try {
        ControlCore control;
        FAIL() << "created without a list";
    } catch (const FatalStop& stop) {
        EXPECT_EQ(stop.number, 2);
        EXPECT_EQ(stop.message, "Couldn't open the database in ControlCore");
    }
    m_dialogs->TakeMessage(); // "Couldn't find ..."
}

TEST(FileNames, NamePartFolderAndBaseName) {
    QString folder = "x";
    EXPECT_EQ(FileNamePart("c:\\data\\my.list.mdb", &folder), "MY.LIST.MDB");
    EXPECT_EQ(folder, "c:\\data\\");
    EXPECT_EQ(FileNamePart("list.mdb", &folder), "LIST.MDB");
    EXPECT_EQ(folder, "");
    EXPECT_EQ(FileNamePart("/home/me/Lists/Club.mdb", &folder), "CLUB.MDB");
    EXPECT_EQ(folder, "/home/me/Lists/");
    EXPECT_EQ(BaseFileName("c:\\data\\my.list.mdb"), "MY.LIST");
    EXPECT_EQ(BaseFileName("c:\\data\\readme"), "README");
    EXPECT_EQ(BaseFileName("/a/.profile"), ".PROFILE"); // a leading dot is no extension
    EXPECT_EQ(BaseFileName("/A/My List.mdb"), "MY LIST");
}

TEST(FileNames, FileExistsForFilesAndFolders) {
    QTemporaryDir dir;
    EXPECT_TRUE(FileExists(dir.path()));
    EXPECT_FALSE(FileExists(dir.filePath("none")));
    EXPECT_FALSE(FileExists(""));
}
