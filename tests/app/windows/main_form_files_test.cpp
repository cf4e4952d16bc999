// The list-file commands: switching lists, new list, backup and its folder, compaction,
// their failures and the fatal stops when the list will not open again.

#include "main_form_window.h"

#include "app/settings.h"
#include "database/connection.h"
#include "database/engine_error.h"
#include "database/list_file_operations.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

using MainFormFiles = MainFormWindow;

namespace {

// A SQLite file that is no list: it has no control row.
QString MakeForeignDatabase(const QString& path) {
    Connection::Open(path, Connection::Mode::Create)->Execute("CREATE TABLE Inventory (Item TEXT)");
    return path;
}

// A second list with one record.
QString MakeOtherList(const QString& path) {
    auto db = Connection::Open(path);
    db->Execute("INSERT INTO List (Name, City) VALUES ('Other; Olive', 'Oslo')");
    return path;
}

} // namespace

TEST_F(MainFormFiles, OpeningAnotherListSwitchesToIt) {
    MakeClubList();
    const QString other = MakeOtherList(MakeList("Other.mdb", false));
    SetCurrentList(m_list);
    MainForm& window = OpenWindow();
    m_dialogs->ChooseFile(other);
    Trigger("mnuFileOpen");
    EXPECT_TRUE(window.ListIsOpen());
    EXPECT_EQ(CurrentListSetting(), other);
    EXPECT_EQ(Label("PathBox")->toolTip(), other);
    EXPECT_EQ(ShownName(), "Other; Olive");
    EXPECT_EQ(RecordCount(), 1);
    EXPECT_EQ(Combo("FilterBox")->count(), 1);
    EXPECT_EQ(m_dialogs->FileDialogTitles(), QStringList({"Open Mailing List"}));
}

TEST_F(MainFormFiles, AnOlderListIsConvertedWhenOpened) {
    MakeClubList();
    const QString jet = CopyFixture("jet/list-v2.mdb", "Jet.mdb");
    if (jet.isEmpty())
        GTEST_SKIP() << "the shared fixtures are not on this machine";
    MainForm& window = OpenWindow();
    m_dialogs->ChooseFile(jet);
    Trigger("mnuFileOpen");
    ASSERT_TRUE(window.ListIsOpen());
    // Its current filter, "B-D marked, zip 40+", selects three records in zip order.
    EXPECT_EQ(Combo("FilterBox")->currentText(), "B-D marked, zip 40+");
    EXPECT_EQ(Label("SortBox")->text(), "Zip Code");
    EXPECT_EQ(RecordCount(), 3);
    EXPECT_EQ(window.CurrentID(), 3);
    EXPECT_EQ(Combo("TemplateBox")->currentText(), "New donor");
}

TEST_F(MainFormFiles, CancellingTheOpenDialogLeavesNoListOpen) {
    MakeClubList();
    MainForm& window = OpenWindow();
    m_dialogs->ChooseFile(QString());
    Trigger("mnuFileOpen");
    EXPECT_FALSE(window.ListIsOpen());
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
    Trigger("mnuEditEdit");
    m_dialogs->ExpectMessage("You first must open a mailing list");
    // Opening a list from there works.
    m_dialogs->ChooseFile(m_list);
    Trigger("mnuFileOpen");
    EXPECT_TRUE(window.ListIsOpen());
    EXPECT_EQ(ShownName(), "Adams; Ruth");
}

TEST_F(MainFormFiles, AFileThatIsNoListLeavesTheOpenListOpen) {
    MakeClubList();
    const QString foreign = MakeForeignDatabase(Path("Stock.mdb"));
    const QByteArray bytes = ReadBytes(foreign);
    MainForm& window = OpenWindow();
    Trigger("mnuMoveDown");
    m_dialogs->ChooseFile(foreign);
    Trigger("mnuFileOpen");
    m_dialogs->ExpectMessage(foreign + " is not a valid Lettrino mailing list. Please open a "
                                       "different one.");
    EXPECT_TRUE(window.ListIsOpen());
    EXPECT_EQ(CurrentListSetting(), m_list);
    EXPECT_EQ(ShownName(), "Adams; Ruth");
    EXPECT_EQ(ReadBytes(foreign), bytes);
}

TEST_F(MainFormFiles, AListThatWillNotOpenAgainStopsTheProgramWithNumber1) {
    MakeClubList();
    const QString foreign = MakeForeignDatabase(Path("Stock.mdb"));
    OpenWindow();
    // Meanwhile the open list has gone from the disk.
    QFile::remove(m_list);
    m_dialogs->ChooseFile(foreign);
    try {
        Trigger("mnuFileOpen");
        FAIL() << "no fatal stop";
    } catch (const FatalStop& stop) {
        EXPECT_EQ(stop.number, 1);
        EXPECT_EQ(stop.message, "Couldn't open a database");
    }
    m_dialogs->TakeMessage(); // not a list
    m_dialogs->ExpectMessage("Couldn't find " + m_list + ". Please select a mailing list to open.");
}

TEST_F(MainFormFiles, NewMailingListShowsTheNewListWindowAndKeepsTheOpenList) {
    MakeClubList();
    MainForm& window = OpenWindow();
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            shown = modal->metaObject()->className();
            modal->close();
        }
    });
    Trigger("mnuFileNew");
    EXPECT_EQ(shown, "NewList");
    EXPECT_TRUE(window.ListIsOpen());
    EXPECT_EQ(CurrentListSetting(), m_list);
}

TEST_F(MainFormFiles, TheBackupFolderIsStoredWithATrailingSeparator) {
    OpenWindow();
    m_dialogs->ExpectMessage("Please select a mailing list to open.");
    m_dialogs->EnterText("/media/usb/backups");
    Trigger("mnuSetupBackupPath");
    ASSERT_EQ(m_dialogs->Questions().size(), 1u);
    EXPECT_EQ(m_dialogs->Questions()[0].text, "Please enter the path to the drive or directory "
                                              "where you normally send backups");
    EXPECT_EQ(m_dialogs->Questions()[0].title, "Define Default Backup Path");
    EXPECT_EQ(GetSetting("Database", "BackPath", ""), "/media/usb/backups/");

    m_dialogs->EnterText("/srv/copies/");
    Trigger("mnuSetupBackupPath");
    EXPECT_EQ(GetSetting("Database", "BackPath", ""), "/srv/copies/");
    m_dialogs->EnterText("   ");
    Trigger("mnuSetupBackupPath");
    m_dialogs->EnterText(QString()); // cancel
    Trigger("mnuSetupBackupPath");
    EXPECT_EQ(GetSetting("Database", "BackPath", ""), "/srv/copies/");
}

TEST_F(MainFormFiles, BackupProposesTheFolderAndCopiesTheList) {
    MakeClubList();
    MainForm& window = OpenWindow();
    Trigger("mnuMoveDown");

    // Cancelled: nothing changes, the list stays open on its record.
    m_dialogs->ChooseFile(QString());
    Trigger("mnuFileBackup");
    EXPECT_EQ(m_hooks->proposals, QStringList({QDir::homePath() + "/CLUB.MDB"}));
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
    EXPECT_EQ(ShownName(), "Baker; Tom");

    QDir().mkpath(Path("backups"));
    SaveSetting("Database", "BackPath", Path("backups") + "/");
    const QString target = Path("backups/CLUB.MDB");
    m_dialogs->ChooseFile(target);
    Trigger("mnuFileBackup");
    m_dialogs->ExpectMessage("Backup complete.");
    EXPECT_EQ(m_hooks->proposals.last(), target);
    EXPECT_EQ(ReadBytes(target), ReadBytes(m_list));
    EXPECT_TRUE(window.ListIsOpen());
    EXPECT_EQ(RecordCount(), 5);
    auto copy = Connection::Open(target, Connection::Mode::ReadOnly);
    EXPECT_EQ(copy->QueryNumber("SELECT count(*) FROM List"), 5);
}

TEST_F(MainFormFiles, AFailedBackupSaysSoAndOpensTheListAgain) {
    MakeClubList();
    MainForm& window = OpenWindow();
    m_dialogs->ChooseFile(Path("no-such-folder/CLUB.MDB"));
    Trigger("mnuFileBackup");
    m_dialogs->ExpectMessage("Couldn't copy the mailing list. Reason unknown.");
    EXPECT_TRUE(window.ListIsOpen());
    EXPECT_EQ(ShownName(), "Adams; Ruth");
    EXPECT_FALSE(QFileInfo::exists(Path("no-such-folder")));
}

TEST_F(MainFormFiles, AListThatWillNotOpenAfterABackupStopsTheProgramWithNumber2) {
    MakeClubList();
    OpenWindow();
    m_hooks->onMessage = [this](const QString& text) {
        if (text == "Backup complete.")
            WriteBytes(m_list, "overwritten by another program");
    };
    m_dialogs->ChooseFile(Path("Copy.mdb"));
    try {
        Trigger("mnuFileBackup");
        FAIL() << "no fatal stop";
    } catch (const FatalStop& stop) {
        EXPECT_EQ(stop.number, 2);
        EXPECT_EQ(stop.message, "Couldn't open the database after backup.");
    }
    m_dialogs->ExpectMessage("Backup complete.");
    while (!m_dialogs->NoMessagesLeft())
        m_dialogs->TakeMessage(); // what the open found
}

TEST_F(MainFormFiles, CompactionKeepsThePreviousVersionAsBak) {
    MakeClubList();
    {
        auto db = Connection::Open(m_list);
        db->Execute("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 500)"
                    " INSERT INTO List (Name, Notes) SELECT 'Filler ' || x, printf('%.900c', 'x') "
                    "FROM n");
        db->Execute("DELETE FROM List WHERE Name LIKE 'Filler*'");
    }
    const QByteArray before = ReadBytes(m_list);
    MainForm& window = OpenWindow();
    Trigger("mnuToolsCompact");
    m_dialogs->ExpectMessage("Compacting complete.");
    EXPECT_TRUE(window.ListIsOpen());
    EXPECT_EQ(RecordCount(), 5);
    EXPECT_EQ(ShownName(), "Adams; Ruth");
    EXPECT_EQ(ReadBytes(Path("Club.BAK")), before);
    EXPECT_LT(ReadBytes(m_list).size(), before.size());
    EXPECT_EQ(QDir(m_dir->path()).entryList({"*.tmp"}, QDir::Files).size(), 0);
    EXPECT_EQ(Value("SELECT count(*) FROM Filter"), "9");

    // Not while typing.
    Trigger("mnuEditNew");
    const int beeps = m_dialogs->Beeps();
    Trigger("mnuToolsCompact");
    EXPECT_EQ(m_dialogs->Beeps(), beeps + 1);
    Trigger("mnuEditCancel");
}

TEST_F(MainFormFiles, AFailedCompactionLeavesTheListAsItWas) {
    MakeClubList();
    SetCompactionStepHook([](const char*) { throw EngineError(5, "I/O error"); });
    const QByteArray before = ReadBytes(m_list);
    MainForm& window = OpenWindow();
    Trigger("mnuToolsCompact");
    const ScriptedDialogs::Message sorry = m_dialogs->TakeMessage();
    EXPECT_EQ(sorry.title, "Sorry");
    EXPECT_EQ(sorry.text, "Couldn't write to the hard drive. 5 I/O error");
    SetCompactionStepHook(nullptr);
    EXPECT_EQ(ReadBytes(m_list), before);
    EXPECT_FALSE(QFileInfo::exists(Path("Club.BAK")));
    EXPECT_TRUE(window.ListIsOpen());
    EXPECT_EQ(RecordCount(), 5);
}

TEST_F(MainFormFiles, AListThatWillNotOpenAfterAFailedCompactionStopsWithNumber4) {
    MakeClubList();
    SetCompactionStepHook([](const char*) { throw EngineError(5, "I/O error"); });
    OpenWindow();
    m_hooks->onMessage = [this](const QString& text) {
        if (text.startsWith("Couldn't write to the hard drive."))
            QFile::remove(m_list);
    };
    try {
        Trigger("mnuToolsCompact");
        FAIL() << "no fatal stop";
    } catch (const FatalStop& stop) {
        EXPECT_EQ(stop.number, 4);
        EXPECT_EQ(stop.message, "Couldn't open the mailing list after compaction");
    }
    SetCompactionStepHook(nullptr);
    m_dialogs->TakeMessage(); // the failure
    m_dialogs->ExpectMessage("Couldn't find " + m_list + ". Please select a mailing list to open.");
}
