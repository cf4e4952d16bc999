#include "database/open_database.h"

#include "app/settings.h"
#include "database/connection.h"
#include "database/engine_error.h"
#include "database/list_file_operations.h"
#include "database/repair.h"
#include "database/statement.h"
#include "support/test_environment.h"

#include <QDir>
#include <QFile>

namespace {

const QString kNotAList = " is not a valid Lettrino mailing list. Please open a different one.";
const QString kMayBeCorrupt = "The database may be corrupt. Click OK to attempt recovery";
const QString kCantRepair = "The database is corrupt. Can't repair. Bring forward your backup.";

class OpenDatabase : public LettrinoTest {
protected:
    // A list with enough records, each with a long note, to fill many pages.
    QString MakeFilledList(const QString& name, int records) {
        const QString path = MakeList(name);
        auto db = Connection::Open(path);
        Transaction transaction(*db);
        Statement insert = db->Prepare("INSERT INTO List (Name, City, Notes) VALUES (?, ?, ?)");
        for (int i = 1; i <= records; ++i) {
            insert.Bind(1, QStringLiteral("Name %1; First").arg(i, 5, 10, QLatin1Char('0')));
            insert.Bind(2, "Springfield");
            insert.Bind(3, QString(400, QLatin1Char('a' + i % 26)));
            insert.Run();
        }
        transaction.Commit();
        return path;
    }

    QStringList FolderEntries() const {
        return QDir(m_dir->path()).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    }

    qint64 Count(const QString& path, const QString& table) {
        return Connection::Open(path, Connection::Mode::ReadOnly)
            ->QueryNumber("SELECT count(*) FROM " + table);
    }
};

} // namespace

TEST_F(OpenDatabase, WithoutASettingTheUserIsAskedToSelectAList) {
    EXPECT_EQ(OpenCurrentDatabase(), nullptr);
    m_dialogs->ExpectMessage("Please select a mailing list to open.", "Lettrino");
    EXPECT_EQ(GetSetting("Database", "CurrentDatabase", "missing"), "NO--DB");
}

TEST_F(OpenDatabase, AMissingFileOrAFolderIsNotFoundAndTheSettingIsReset) {
    const QString missing = Path("Gone.mdb");
    SetCurrentList("  " + missing + " ");
    EXPECT_EQ(OpenCurrentDatabase(), nullptr);
    m_dialogs->ExpectMessage("Couldn't find " + missing +
                             ". Please select a mailing list to open.");
    EXPECT_EQ(CurrentListSetting(), "NO--DB");

    QDir().mkdir(Path("folder.mdb"));
    SetCurrentList(Path("folder.mdb"));
    EXPECT_EQ(OpenCurrentDatabase(), nullptr);
    m_dialogs->ExpectMessage("Couldn't find " + Path("folder.mdb") +
                             ". Please select a mailing list to open.");
    EXPECT_TRUE(QFileInfo(Path("folder.mdb")).isDir());
}

TEST_F(OpenDatabase, AValidListOpensSilentlyAndStaysCurrent) {
    const QString path = MakeList("Club.mdb");
    auto db = OpenCurrentDatabase();
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(db->QueryText("SELECT Identification FROM Control"), "Tessavane");
    EXPECT_EQ(CurrentListSetting(), path);
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
}

TEST_F(OpenDatabase, AListDeepInFoldersWithAPathOfThousandsOfBytesOpensAndIsCompacted) {
    // Folder names of 200 bytes, fifteen deep: a path of over 3,000 bytes.
    QString folder;
    for (int i = 0; i < 15; ++i)
        folder += QString(200, QLatin1Char('a' + i)) + "/";
    ASSERT_TRUE(QDir().mkpath(Path(folder)));
    const QString path = MakeList(folder + "Club.mdb");
    ASSERT_GT(path.toUtf8().size(), 3000);
    auto db = OpenCurrentDatabase();
    ASSERT_NE(db, nullptr);
    db->Execute("INSERT INTO List (Name) VALUES ('Deep; Dora')");
    db.reset();
    EXPECT_EQ(CurrentListSetting(), path);
    EXPECT_EQ(CompactListFile(path), path.left(path.size() - 3) + "BAK");
    BackupListFile(path, Path(folder + "Copy.mdb"));
    EXPECT_EQ(Connection::Open(Path(folder + "Copy.mdb"))->QueryText("SELECT Name FROM List"),
              "Deep; Dora");
}

TEST_F(OpenDatabase, FilesThatAreNotListsAreRefusedAndLeftUntouched) {
    const QString previous = "/some/where/Previous.mdb";
    struct Case {
        QString name;
        std::function<void(const QString&)> make;
    };
    const std::vector<Case> cases = {
        {"OtherApp.mdb",
         [](const QString& p) {
             Connection::Open(p, Connection::Mode::Create)->Execute("CREATE TABLE Stock (x)");
         }},
        {"WrongMark.mdb",
         [this](const QString& p) {
             MakeList(QFileInfo(p).fileName(), false);
             Connection::Open(p)->Execute("UPDATE Control SET Identification = 'tessavane'");
         }},
        {"NoControlRow.mdb",
         [this](const QString& p) {
             MakeList(QFileInfo(p).fileName(), false);
             Connection::Open(p)->Execute("DELETE FROM Control");
         }},
        {"NullMark.mdb",
         [this](const QString& p) {
             MakeList(QFileInfo(p).fileName(), false);
             Connection::Open(p)->Execute("UPDATE Control SET Identification = NULL");
         }},
        {"Empty.mdb", [](const QString& p) { WriteBytes(p, QByteArray()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QString path = Path(c.name);
        c.make(path);
        const QByteArray before = ReadBytes(path);
        SetCurrentList(previous);
        SaveSetting("Database", "CurrentDatabase", path);
        EXPECT_EQ(OpenCurrentDatabase(), nullptr);
        m_dialogs->ExpectMessage(path + kNotAList);
        EXPECT_EQ(CurrentListSetting(), path); // the setting keeps its value
        EXPECT_EQ(ReadBytes(path), before);
    }
}

TEST_F(OpenDatabase, AJetDatabaseThatIsNotAListIsRefusedUntouched) {
    const QString path = CopyFixture("jet/not-a-list.mdb");
    if (path.isEmpty())
        GTEST_SKIP() << "the shared fixtures are not on this machine";
    const QByteArray before = ReadBytes(path);
    SetCurrentList(path);
    EXPECT_EQ(OpenCurrentDatabase(), nullptr);
    m_dialogs->ExpectMessage(path + kNotAList);
    EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(OpenDatabase, FilesOfOtherKindsCannotBeRepairedAndStayAsTheyWere) {
    const std::vector<std::pair<QString, QByteArray>> files = {
        {"notes.mdb", "Dear friends,\r\nthe meeting is on Tuesday.\r\n"},
        {"picture.mdb", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + QByteArray(600, '\7')},
        {"header-only.mdb", QByteArray("SQLite format 3\0", 16) + QByteArray(84, '\xff')},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name.toStdString());
        const QString path = Path(name);
        WriteBytes(path, bytes);
        const QStringList entries = FolderEntries();
        SetCurrentList(path);
        EXPECT_EQ(OpenCurrentDatabase(), nullptr);
        m_dialogs->ExpectMessage(kMayBeCorrupt);
        m_dialogs->ExpectMessage(kCantRepair);
        EXPECT_EQ(ReadBytes(path), bytes);
        EXPECT_EQ(FolderEntries(), entries); // no work file or copy left behind
    }
}

TEST_F(OpenDatabase, ATruncatedListIsRepairedFromWhatCanBeRead) {
    const QString path = MakeFilledList("Club.mdb", 600);
    const QByteArray whole = ReadBytes(path);
    const QByteArray truncated = whole.left(whole.size() / 2);
    WriteBytes(path, truncated);

    auto db = OpenCurrentDatabase();
    m_dialogs->ExpectMessage(kMayBeCorrupt);
    ASSERT_NE(db, nullptr);
    const qint64 salvaged = db->QueryNumber("SELECT count(*) FROM List");
    EXPECT_GT(salvaged, 0);
    EXPECT_LT(salvaged, 600);
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM SwitchNames"), 16);
    EXPECT_EQ(db->QueryText("PRAGMA integrity_check"), "ok");
    // Salvaged rows keep their numbers and values.
    EXPECT_EQ(db->QueryText("SELECT Name FROM List WHERE ID = 1"), "Name 00001; First");
    EXPECT_EQ(db->QueryText("SELECT Notes FROM List WHERE ID = 1"), QString(400, 'b'));

    // The damaged original stands beside the list, exactly as it was.
    const QStringList kept = QDir(m_dir->path()).entryList({"Club (damaged *).mdb"});
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(ReadBytes(Path(kept.first())), truncated);
    m_dialogs->ExpectMessage("The list was repaired. The damaged original was kept as " +
                             Path(kept.first()) + ".");
    EXPECT_EQ(CurrentListSetting(), path);
}

TEST_F(OpenDatabase, SalvageStepsOverADamagedPageAndKeepsEveryOtherRow) {
    const QString path = MakeFilledList("Club.mdb", 900);
    qint64 page = 0, pageSize = 0, rowsOnPage = 0;
    {
        auto db = Connection::Open(path);
        pageSize = db->QueryNumber("PRAGMA page_size");
        try {
            Statement leaf = db->Prepare("SELECT pageno, ncell FROM dbstat WHERE name = 'List' "
                                         "AND pagetype = 'leaf' ORDER BY pageno");
            std::vector<std::pair<qint64, qint64>> leaves;
            while (leaf.Step())
                leaves.emplace_back(leaf.Number(0), leaf.Number(1));
            ASSERT_GT(leaves.size(), 4u);
            std::tie(page, rowsOnPage) = leaves[leaves.size() / 2];
        } catch (const EngineError&) {
            GTEST_SKIP() << "this SQLite has no dbstat table";
        }
    }
    QByteArray bytes = ReadBytes(path);
    bytes.replace(int((page - 1) * pageSize), 8, QByteArray(8, '\x77'));
    WriteBytes(path, bytes);

    QString keptAs;
    ASSERT_TRUE(RepairListFile(path, &keptAs));
    EXPECT_EQ(ReadBytes(keptAs), bytes);
    auto db = Connection::Open(path);
    EXPECT_EQ(db->QueryText("PRAGMA integrity_check"), "ok");
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM List"), 900 - rowsOnPage);
    EXPECT_EQ(db->QueryNumber("SELECT max(ID) FROM List"), 900);
    EXPECT_EQ(db->QueryText("SELECT Identification FROM Control"), "Tessavane");
}

TEST_F(OpenDatabase, AVersionTwoListIsStampedAndOtherVersionsAreLeftAlone) {
    const QString path = MakeList("Club.mdb");
    ASSERT_NE(OpenCurrentDatabase(), nullptr);
    EXPECT_EQ(Count(path, "Control"), 1);
    {
        auto db = Connection::Open(path);
        EXPECT_EQ(db->QueryNumber("SELECT DatabaseVersion FROM Control"), 2);
        db->Execute("UPDATE Control SET DatabaseVersion = 7");
    }
    const QByteArray before = ReadBytes(path);
    auto db = OpenCurrentDatabase(); // opens: the identity mark is right
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(db->QueryNumber("SELECT DatabaseVersion FROM Control"), 7);
    EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(OpenDatabase, WritesToAReadOnlyListAreRefusedAsLocked) {
    const QString path = MakeList("Club.mdb");
    auto db = Connection::Open(path, Connection::Mode::ReadOnly);
    try {
        db->Execute("UPDATE Control SET CurrentFilter = 3");
        FAIL() << "the write went through";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.Number(), 70);
    }
    EXPECT_EQ(Count(path, "Control"), 1);
}
