// Whole lists through the tool: making a new list, opening one with --list (setting
// written, upgrade run, every failure of the open told), info, filters, count, backup and
// compaction.
#include "cli/cli_process.h"

#include "database/connection.h"
#include "database/list_file_operations.h"
#include "database/upgrade.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TEST_F(CliTest, NewListThenInfoShowsTheNewListsFirstRows) {
    const CliResult made = Run({"new", Path("Fresh")});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    const QString fresh = Path("Fresh.mdb");
    EXPECT_EQ(made.out, fresh + "\n");
    // Making a list does not open it.
    EXPECT_TRUE(ToolSetting("Database", "CurrentDatabase").isEmpty());

    const CliResult info = Run({"--list", fresh, "info"});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    EXPECT_EQ(
        TextLines(info.out),
        QStringList({"path: " + fresh, "identification: Tessavane", "version: 2", "records: 0",
                     "marked: 0", "imported: 0", "current filter: <None>",
                     "current template: <None>", "current label: Avery 5162", "switch names: "}));
    EXPECT_TRUE(info.err.isEmpty()) << info.err.toStdString();
    // --list opened it as the program would: it is now the current list.
    EXPECT_EQ(ToolSetting("Database", "CurrentDatabase"), fresh);
    EXPECT_EQ(Run({"info"}).out, info.out);
}

TEST_F(CliTest, NewListTakesOverWhatTheOptionsSayFromTheCurrentList) {
    const QString club = MakeClubList();
    ASSERT_EQ(Run({"--list", club, "new", Path("Plain.mdb")}).exitCode, 0);
    ASSERT_EQ(
        Run({"new", Path("Full.mdb"), "--transfer-filters", "--transfer-switch-names"}).exitCode,
        0);

    const CliResult plain = Run({"--list", Path("Plain.mdb"), "filters"});
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_TRUE(plain.out.isEmpty()) << plain.out.toStdString();
    EXPECT_TRUE(Run({"info"}).out.contains("\nswitch names: \n"));

    const CliResult full = Run({"--list", Path("Full.mdb"), "filters"});
    EXPECT_EQ(full.exitCode, 0);
    EXPECT_TRUE(full.out.startsWith("1\tWisconsin\tName\tSELECT ")) << full.out.toStdString();
    EXPECT_TRUE(Run({"info"}).out.contains("\nswitch names: 1=Volunteer\n"));
}

TEST_F(CliTest, NewListReplacesAnExistingFileOnlyWhenToldYes) {
    WriteBytes(Path("Old.mdb"), "my notes");
    const CliResult refused = Run({"new", Path("Old.mdb")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("Make a New Mailing List: " + Path("Old.mdb") +
                                     " already exists. Do you want to replace it? No"))
        << refused.err.toStdString();
    EXPECT_EQ(ReadBytes(Path("Old.mdb")), "my notes");

    const CliResult replaced = Run({"--yes", "new", Path("Old.mdb")});
    EXPECT_EQ(replaced.exitCode, 0) << replaced.err.toStdString();
    EXPECT_TRUE(replaced.err.contains("Do you want to replace it? Yes"));
    EXPECT_EQ(Run({"--list", Path("Old.mdb"), "count"}).out, "0\n");

    // The current list itself is never replaced.
    const CliResult current = Run({"--yes", "new", Path("Old.mdb")});
    EXPECT_EQ(current.exitCode, 1);
    EXPECT_TRUE(current.err.contains("Lettrino: Can't overwrite the current database"))
        << current.err.toStdString();
}

TEST_F(CliTest, TheCurrentListIsNeverReplacedThroughAnotherSpellingOfItsPath) {
    QDir().mkpath(Path("lists"));
    const QString club = MakeClubList("lists/Club.mdb");
    ASSERT_TRUE(QFile::link(Path("lists"), Path("alias")));
    ASSERT_EQ(Run({"--list", club, "count"}).out, "3\n");
    SetToolSetting("Printer", "FontName", "DejaVu Sans");
    const QByteArray before = ReadBytes(club);
    for (const QString& spelling : {Path("alias/Club.mdb"), Path("lists/../lists/Club.mdb")}) {
        for (const QStringList& command :
             {QStringList{"new", spelling}, QStringList{"backup", spelling},
              QStringList{"export", spelling}, QStringList{"report", spelling, "--kind", "text"},
              QStringList{"report", spelling, "--kind", "records"}}) {
            SCOPED_TRACE(command.join(' ').toStdString());
            const CliResult refused = Run(QStringList{"--yes"} + command);
            EXPECT_EQ(refused.exitCode, 1);
            EXPECT_TRUE(refused.err.contains("Can't overwrite the current database"))
                << refused.err.toStdString();
            EXPECT_EQ(ReadBytes(club), before);
        }
    }
    EXPECT_TRUE(QFileInfo(Path("alias")).isSymLink());
}

TEST_F(CliTest, ANewListNeedsNothingFromAnUnreadableCurrentList) {
    WriteBytes(Path("Text.mdb"), "Name,Address\nAnn,12 Oak St\n");
    SetToolSetting("Database", "CurrentDatabase", Path("Text.mdb"));
    const CliResult plain = Run({"new", Path("Plain.mdb")});
    EXPECT_EQ(plain.exitCode, 0) << plain.err.toStdString();
    // The two standard label layouts, as without a current list.
    EXPECT_EQ(Connection::Open(Path("Plain.mdb"))
                  ->QueryText("SELECT group_concat(LName) FROM "
                              "(SELECT LName FROM Labels ORDER "
                              "BY ID)"),
              "Avery 5162,Avery 5160");
    SetToolSetting("Database", "CurrentDatabase", Path("Text.mdb"));
    const CliResult transfer = Run({"new", Path("Full.mdb"), "--transfer-filters"});
    EXPECT_EQ(transfer.exitCode, 1);
    EXPECT_TRUE(transfer.err.contains(
        "Nothing can be transferred: the current mailing list can't be read."))
        << transfer.err.toStdString();
    EXPECT_FALSE(transfer.err.contains("Fatal"));
    EXPECT_FALSE(QFileInfo::exists(Path("Full.mdb")));
    EXPECT_EQ(ReadBytes(Path("Text.mdb")), "Name,Address\nAnn,12 Oak St\n");
}

TEST_F(CliTest, ListsThatCannotBeOpenedAreToldAndLeftAsTheyWere) {
    const QString missing = Path("nowhere.mdb");
    const CliResult notFound = Run({"--list", missing, "info"});
    EXPECT_EQ(notFound.exitCode, 1);
    EXPECT_TRUE(notFound.out.isEmpty());
    EXPECT_EQ(TextLines(notFound.err), QStringList("Lettrino: Couldn't find " + missing +
                                                   ". Please select a mailing list to open."));
    EXPECT_EQ(ToolSetting("Database", "CurrentDatabase"), "NO--DB");
    // Without --list the missing current list is told the same way.
    const CliResult none = Run({"count"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains("Lettrino: Please select a mailing list to open."));

    WriteBytes(Path("Empty.mdb"), QByteArray());
    const CliResult empty = Run({"--list", Path("Empty.mdb"), "info"});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_TRUE(empty.err.contains("Lettrino: " + Path("Empty.mdb") +
                                   " is not a valid Lettrino mailing list. Please open a "
                                   "different one."))
        << empty.err.toStdString();

    const QByteArray text = "Name,Address\nAnn,12 Oak St\n";
    WriteBytes(Path("Text.mdb"), text);
    const CliResult damaged = Run({"--list", Path("Text.mdb"), "count"});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_TRUE(damaged.err.contains(
        "Lettrino: The database is corrupt. Can't repair. Bring forward your backup."))
        << damaged.err.toStdString();
    EXPECT_EQ(ReadBytes(Path("Text.mdb")), text);
}

TEST_F(CliTest, AnOlderListIsUpgradedWhenOpenedAndReadLikeTheProgramReadsIt) {
    const QString list = CopyFixture("jet/list-v1.mdb");
    if (list.isEmpty())
        GTEST_SKIP() << "the Jet fixtures are not on this machine";
    const CliResult info = Run({"--list", list, "info"});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    EXPECT_EQ(
        TextLines(info.out),
        QStringList({"path: " + list, "identification: Tessavane", "version: 2", "records: 40",
                     "marked: 9", "imported: 5", "current filter: B-D marked, zip 40+",
                     "current template: New donor", "current label: Club badge 4x2",
                     "switch names: 1=Newsletter, 2=Donor, 3=Volunteer, 4=Board, "
                     "5=Holiday card, 7=Café meetup, 10=Do not mail, 16=Bad address"}));
    EXPECT_TRUE(QFileInfo::exists(UpgradeBackupFile(list)));

    const CliResult filters = Run({"filters"});
    EXPECT_EQ(TextLines(filters.out).size(), 3);
    EXPECT_TRUE(filters.out.contains("7\tEdited since 3/7/02\tDate Edited\tSELECT * FROM "
                                     "[List] WHERE [LastEdit] >= #3/7/2002# ORDER BY "
                                     "[LastEdit];\n"))
        << filters.out.toStdString();
    EXPECT_EQ(Run({"count"}).out, "3\n");
    EXPECT_EQ(Run({"count", "--filter", "Edited since 3/7/02"}).out, "19\n");
}

TEST_F(CliTest, CountChoosesTheFilterAsAFilterBoxDoes) {
    const QString club = MakeClubList();
    EXPECT_EQ(Run({"--list", club, "count"}).out, "3\n");
    EXPECT_EQ(Run({"count", "--filter", "Wisconsin"}).out, "2\n");
    // The choice stays with the list, as in the windows.
    EXPECT_TRUE(Run({"info"}).out.contains("\ncurrent filter: Wisconsin\n"));
    EXPECT_EQ(Run({"count"}).out, "2\n");
    EXPECT_EQ(Run({"count", "--filter", "<None>"}).out, "3\n");
    EXPECT_EQ(Run({"count", "--filter", "WISCONSIN"}).out, "2\n");

    const CliResult unknown = Run({"count", "--filter", "Nope"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.out.isEmpty());
    EXPECT_EQ(TextLines(unknown.err),
              QStringList("lettrino-cli: there is no filter named \"Nope\"; the filters are: "
                          "\"<None>\", \"Wisconsin\""));
    EXPECT_TRUE(Run({"info"}).out.contains("\ncurrent filter: Wisconsin\n"));
}

TEST_F(CliTest, BackupCopiesTheListWhereTheBackupCommandWould) {
    const QString club = MakeClubList();
    QDir().mkpath(Path("backups"));
    const CliResult named = Run({"--list", club, "backup", Path("backups")});
    EXPECT_EQ(named.exitCode, 0) << named.err.toStdString();
    const QString copy = Path("backups/CLUB.MDB");
    EXPECT_EQ(named.out, copy + "\n");
    EXPECT_EQ(TextLines(named.err), QStringList("Lettrino: Backup complete."));
    EXPECT_EQ(ReadBytes(copy), ReadBytes(club));

    // A second backup asks before replacing the first.
    EXPECT_EQ(Run({"backup", copy}).exitCode, 1);
    EXPECT_EQ(Run({"--yes", "backup", copy}).exitCode, 0);

    // Without a destination the backup folder setting is used.
    QDir().mkpath(Path("nightly"));
    SetToolSetting("Database", "BackPath", Path("nightly") + "/");
    EXPECT_EQ(Run({"backup"}).out, Path("nightly/CLUB.MDB") + "\n");
    EXPECT_EQ(Run({"--list", Path("nightly/CLUB.MDB"), "count"}).out, "3\n");

    const CliResult failed = Run({"--list", club, "backup", Path("no/such/folder/x.mdb")});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.err.startsWith("Lettrino: ")) << failed.err.toStdString();
    EXPECT_FALSE(failed.err.contains("Backup complete."));
}

TEST_F(CliTest, CompactKeepsThePreviousVersionAndEveryRecord) {
    const QString club = MakeClubList();
    const CliResult result = Run({"--list", club, "compact"});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(TextLines(result.err), QStringList("Lettrino: Compacting complete."));
    EXPECT_TRUE(QFileInfo::exists(CompactBackupFile(club)));
    EXPECT_TRUE(QDir(m_dir->path()).entryList({"*.tmp"}, QDir::Files).isEmpty());
    EXPECT_EQ(Run({"count", "--filter", "Wisconsin"}).out, "2\n");
}
